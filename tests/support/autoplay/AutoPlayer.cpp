#include "support/autoplay/AutoPlayer.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>

#include "board/BoardGlobals.h"
#include "board/BoardHost.h"
#include "board/BoardInvariants.h"
#include "board/BoardPicture.h"
#include "board/TBonusList.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "gfx/TParticleList.h"
#include "platform/Clock.h"
#include "support/autoplay/AutoHost.h"
#include "support/autoplay/MoveSearch.h"
#include "support/board/BoardDriver.h"
#include "support/board/StubAssets.h"

namespace autoplay {

namespace {

constexpr int kLion = 8, kHorn = 9, kTornado = 10, kStar = 11, kPaintPot = 12, kAxe = 13, kKey = 14;
constexpr size_t kMaxFailures = 5;

struct Cell {
  int x = -1, y = -1;
  bool Valid() const { return x >= 0; }
};

size_t At(int x, int y) { return static_cast<size_t>(Snapshot::Index(x, y)); }

}  // namespace

Snapshot TakeSnapshot(const TGameGrid& board) {
  Snapshot s;
  s.width = board.levelwidth;
  s.height = board.levelheight;
  s.diagonalMoves = board.DiagonalMoves;
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      const TCell* cell = GridAt(x, y);
      if (!cell) continue;
      const size_t i = At(x, y);
      s.active[i] = cell->active != 0;
      s.layers[i] = static_cast<uint8_t>((cell->gold != 0) + (cell->armour != 0));
      if (const TGem* gem = cell->Gem.get()) {
        const bool bursting = gem->GemType < 0 || gem->ExplosionCounter > 0;
        s.type[i] = static_cast<int8_t>(bursting ? -1 : gem->GemType);
        s.locked[i] = gem->locked != 0;
      }
    }
  }
  return s;
}

namespace {

bool IsPiece(const Snapshot& s, size_t i) { return s.type[i] >= kLion && s.type[i] <= kKey && !s.locked[i]; }

// The cells that some legal swap's first pass would clear.
std::array<uint8_t, kCols * kRows> Reached(const Snapshot& s, const std::vector<Swap>& swaps) {
  std::array<uint8_t, kCols * kRows> reached{};
  std::array<uint8_t, kCols * kRows> marked{};
  for (const Swap& m : swaps) {
    std::array<int8_t, kCols * kRows> trial = s.type;
    std::swap(trial[At(m.x, m.y)], trial[At(m.tx, m.ty)]);
    MarkRuns(trial, s.width, s.height, marked);
    for (size_t k = 0; k < marked.size(); ++k) reached[k] |= marked[k];
  }
  return reached;
}

// The first cell in row-major order for which pick(i) holds, or the best by better(a, b).
template <typename Pred>
Cell FirstCell(const Snapshot& s, Pred pick) {
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x)
      if (pick(x, y, At(x, y))) return {x, y};
  return {};
}

class Player {
 public:
  Player(AutoHost& host, const RunOptions& options) : host_(host), options_(options) {}

  RunResult Play(int level, int seed);

 private:
  void Fail(const std::string& what);
  void Tick();
  bool AtRest() const;
  // Chooses what to do at rest; false when there is nothing to do.
  bool Decide(const Snapshot& s, const std::vector<Swap>& swaps);
  void Queue(Cell c) { clicks_.push_back(c); }
  void CheckEndOfTick();

  AutoHost& host_;
  const RunOptions& options_;
  RunResult r_;
  std::vector<Cell> clicks_;
  size_t nextClick_ = 0;
  bool released_ = true;  // the release tick of the last click has run
  int fileGold_ = 0;
  int lastGold_ = 0;
  int lastRestarts_ = 0;
  float lastNoMoreCounter_ = 0;
  size_t soundsSeen_ = 0;
  int swapsMade_ = 0;
};

void Player::Fail(const std::string& what) {
  if (r_.failures.size() < kMaxFailures) {
    r_.failures.push_back("tick " + std::to_string(host_.tick) + ": " + what);
  }
}

void Player::Tick() {
  ++host_.tick;
  testrig::SetSoundLogTick(host_.tick);
  Delta = 1.0f;
  TMousePointer& mouse = *Game->Mouse;
  mouse.ClearMouseHit();
  if (nextClick_ < clicks_.size() && released_) {
    const Cell c = clicks_[nextClick_++];
    mouse.x = CalcSX(c.x) + CELL_SIZE / 2;
    mouse.y = CalcSY(c.y) + CELL_SIZE / 2;
    mouse.b1 = 1;
    mouse.h1 += 1;
    released_ = false;
  } else {
    mouse.b1 = 0;
    released_ = true;
  }
  mouse.CalcButtonTotals();
  if (nextClick_ == clicks_.size() && released_) {
    clicks_.clear();
    nextClick_ = 0;
  }

  if (host_.Player().Manage() == -1) {
    Fail("the run ended (game over)");
    return;
  }
  if (const std::shared_ptr<TGameGrid> board = GameGrid) board->Manage();
  host_.GaugeTick();
  BackgroundParticles->Move();
  Tumblets->Move();
  Particles->Move();
  AnimatedParticles->Manage();
  ScoreParticles->Move();
  if (HouseList) HouseList->Manage();
}

bool Player::AtRest() const {
  const TGameGrid& g = *GameGrid;
  if (g.BlockInput != 0 || g.SwapCounter > 0 || g.NoMoreCounter > 0 || g.NoMore != 0 || g.Mode != 0) {
    return false;
  }
  if (HouseList && HouseList->Count() > 0) return false;
  for (int x = 0; x < GRID_WIDTH; ++x)
    for (int k = 0; k < TOP_ROW_SLOTS; ++k)
      if (TopRow[static_cast<size_t>(x)][static_cast<size_t>(k)] != 0) return false;
  return true;
}

bool Player::Decide(const Snapshot& s, const std::vector<Swap>& swaps) {
  bool swapWears = false;
  for (const Swap& m : swaps) swapWears = swapWears || m.worn > 0;
  const auto locked = [&](size_t i) { return s.active[i] && s.locked[i] && s.type[i] > 0; };
  const auto piece = [&](int type) {
    return FirstCell(s, [&](int, int, size_t i) { return s.active[i] && s.type[i] == type; });
  };
  const auto anyLocked = [&] { return FirstCell(s, [&](int, int, size_t i) { return locked(i); }); };
  const auto use = [&](Cell at) {
    Queue(at);
    ++r_.piecesUsed;
  };
  const auto carry = [&](Cell from, Cell to) {
    Queue(from);
    Queue(to);
    ++r_.piecesUsed;
  };

  // 1. A paint pot whose block wears the most layers.
  {
    Cell best;
    int bestWorn = 0;
    for (int y = 0; y < s.height; ++y)
      for (int x = 0; x < s.width; ++x) {
        if (s.type[At(x, y)] != kPaintPot) continue;
        int worn = 0;
        for (int bx = x - 1; bx <= x + 1; ++bx)
          for (int by = y - 1; by <= y + 1; ++by)
            if (s.Inside(bx, by) && s.active[At(bx, by)] && s.layers[At(bx, by)] > 0 && !s.locked[At(bx, by)]) ++worn;
        if (worn > bestWorn) {
          bestWorn = worn;
          best = {x, y};
        }
      }
    if (best.Valid()) {
      use(best);
      return true;
    }
  }
  // 2. A key to a locked gem.
  if (const Cell key = piece(kKey); key.Valid()) {
    if (const Cell target = anyLocked(); target.Valid()) {
      carry(key, target);
      return true;
    }
  }
  const std::array<uint8_t, kCols * kRows> reached = Reached(s, swaps);
  // 3. An axe to the unlocked cell with the most layers, where no swap reaches first.
  if (const Cell axe = piece(kAxe); axe.Valid()) {
    Cell best;
    int bestRank = 0;
    for (int y = 0; y < s.height; ++y)
      for (int x = 0; x < s.width; ++x) {
        const size_t i = At(x, y);
        if (!s.active[i] || s.locked[i] || s.layers[i] == 0 || (x == axe.x && y == axe.y)) continue;
        const int rank = s.layers[i] * 2 + (reached[i] ? 0 : 10);
        if (rank > bestRank) {
          bestRank = rank;
          best = {x, y};
        }
      }
    if (best.Valid()) {
      carry(axe, best);
      return true;
    }
  }
  // 4. A lion, horn or tornado whose area holds a locked gem, or any when no swap wears.
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x) {
      const int type = s.type[At(x, y)];
      if (type != kLion && type != kHorn && type != kTornado) continue;
      bool lockInArea = false;
      for (int ax = 0; ax < s.width; ++ax)
        for (int ay = 0; ay < s.height; ++ay) {
          const bool inArea = type == kLion ? (std::abs(ax - x) <= 1 && std::abs(ay - y) <= 1)
                              : type == kHorn ? ay == y
                                              : ax == x;
          lockInArea = lockInArea || (inArea && locked(At(ax, ay)));
        }
      if (lockInArea || !swapWears) {
        use({x, y});
        return true;
      }
    }
  // 5. A star to a locked gem, or, when no swap wears, to the lowest layered gem out of reach.
  if (const Cell star = piece(kStar); star.Valid()) {
    Cell target = anyLocked();
    if (!target.Valid() && !swapWears) {
      for (int y = s.height - 1; y >= 0 && !target.Valid(); --y)
        for (int x = 0; x < s.width && !target.Valid(); ++x) {
          const size_t i = At(x, y);
          if (s.type[i] > 0 && s.layers[i] > 0 && !reached[i] && !(x == star.x && y == star.y)) target = {x, y};
        }
    }
    if (target.Valid()) {
      carry(star, target);
      return true;
    }
  }
  // 6. The best legal swap.
  if (!swaps.empty()) {
    const Swap* best = &swaps.front();
    for (const Swap& m : swaps)
      if (Better(m, *best)) best = &m;
    Queue({best->x, best->y});
    Queue({best->tx, best->ty});
    ++swapsMade_;
    return true;
  }
  // 7. Any piece, first in row-major order.
  const Cell any = FirstCell(s, [&](int, int, size_t i) { return IsPiece(s, i); });
  if (!any.Valid()) return false;
  const int type = s.type[At(any.x, any.y)];
  if (type != kStar && type != kAxe && type != kKey) {
    use(any);
    return true;
  }
  Cell target = type == kKey ? anyLocked() : Cell{};
  if (!target.Valid()) {
    target = FirstCell(s, [&](int x, int y, size_t i) {
      return s.active[i] && !(x == any.x && y == any.y) && (type != kAxe || !s.locked[i]);
    });
  }
  if (!target.Valid()) return false;
  carry(any, target);
  return true;
}

void Player::CheckEndOfTick() {
  const TGameGrid& g = *GameGrid;
  // Layers only go, except that a restart brings back the file's.
  if (host_.restarts != lastRestarts_) {
    lastRestarts_ = host_.restarts;
    if (g.Gold != fileGold_) Fail("a restart left Gold " + std::to_string(g.Gold) + ", not " + std::to_string(fileGold_));
  } else if (g.Gold > lastGold_) {
    Fail("Gold rose from " + std::to_string(lastGold_) + " to " + std::to_string(g.Gold));
  }
  lastGold_ = g.Gold;

  // Refused swaps: every swap this player makes is predicted to stand.
  const std::vector<testrig::SoundEvent>& log = testrig::SoundLog();
  for (; soundsSeen_ < log.size(); ++soundsSeen_) {
    if (log[soundsSeen_].name == "FAILED" || log[soundsSeen_].name == "failed") {
      ++r_.refusedSwaps;
      Fail("a swap predicted to stand was refused");
    }
  }
  if (log.size() > 4096) {
    testrig::SoundLog().clear();
    soundsSeen_ = 0;
  }

  // The sequence starts exactly when no swap and no piece is left.
  const bool started = g.NoMoreCounter > 0 && lastNoMoreCounter_ <= 0;
  lastNoMoreCounter_ = g.NoMoreCounter;
  if (started || (clicks_.empty() && AtRest())) {
    const Snapshot s = TakeSnapshot(g);
    const bool move = !LegalSwaps(s).empty() || FirstCell(s, [&](int, int, size_t i) { return IsPiece(s, i); }).Valid();
    if (started && move) Fail("the no-more-moves sequence started on a board with a move");
    if (!started && !move) Fail("at rest without a move, and no no-more-moves sequence");
  }
}

RunResult Player::Play(int level, int seed) {
  r_.level = level;
  r_.seed = seed;
  r_.fileHash = FileHash(options_.levelsDir + std::to_string(level) + ".txt");
  host_.Player().Level = level;
  platform::SeedRnd(seed);
  host_.LevelStart();
  r_.firstFills = host_.fills;
  fileGold_ = lastGold_ = GameGrid->Gold;
  clicks_.reserve(4);

  while (host_.tick < options_.maxTicks && host_.wonAt < 0 && r_.failures.size() < kMaxFailures) {
    if (clicks_.empty() && AtRest()) {
      const Snapshot s = TakeSnapshot(*GameGrid);
      const std::vector<Swap> swaps = LegalSwaps(s);
      if (GameGrid->Gold == 0 && fileGold_ > 0) Fail("Gold 0 at rest, and the level did not end");
      const std::string broken = CheckBoardInvariants();
      if (!broken.empty()) Fail("at rest: " + broken);
      // With nothing to do the board starts its no-more-moves sequence in the coming tick.
      Decide(s, swaps);
    }
    Tick();
    if (!GameGrid) break;
    if (options_.checkEveryTick || host_.tick % 50 == 0) {
      const std::string broken = CheckBoardInvariants();
      if (!broken.empty()) Fail(broken);
    }
    CheckEndOfTick();
  }

  r_.cleared = host_.wonAt >= 0;
  r_.ticks = r_.cleared ? host_.wonAt : host_.tick;
  if (r_.cleared && host_.goldAtWin != 0) Fail("the level ended with Gold " + std::to_string(host_.goldAtWin));
  r_.restarts = host_.restarts;
  r_.moves = swapsMade_ - r_.refusedSwaps + r_.piecesUsed;
  r_.score = host_.Player().Score;
  r_.goldLeft = GameGrid ? GameGrid->Gold : -1;
  r_.finalGrid = BoardPicture();
  if (!r_.cleared && GameGrid) {
    // Why the player was still waiting, if it was.
    const TGameGrid& g = *GameGrid;
    std::string pending;
    for (int x = 0; x < GRID_WIDTH; ++x)
      for (int k = 0; k < TOP_ROW_SLOTS; ++k)
        if (TopRow[static_cast<size_t>(x)][static_cast<size_t>(k)] != 0) pending += " " + std::to_string(x) + "/" + std::to_string(k);
    r_.finalGrid += "BlockInput " + std::to_string(g.BlockInput) + ", Mode " + std::to_string(g.Mode) + " at " +
                    std::to_string(g.cx) + "," + std::to_string(g.cy) + ", SwapCounter " + std::to_string(g.SwapCounter) +
                    ", NoMore " + std::to_string(g.NoMore) + ", NoMoreCounter " + std::to_string(g.NoMoreCounter) +
                    ", sweepers " + std::to_string(HouseList ? HouseList->Count() : 0) + ", refills pending at" + pending +
                    ", clicks queued " + std::to_string(clicks_.size() - nextClick_) + "\n";
  }
  return r_;
}

}  // namespace

RunResult PlayLevel(int level, int seed, const RunOptions& options) {
  testrig::SetUpBoardWorld(options.workDir, seed);
  Game->LevelsPath = S(options.levelsDir);
  Game->Particles = 0;
  testrig::SoundLog().clear();
  AutoHost host;
  BoardHost::Set(&host);
  // The board and the gem list must not outlive the host they point at, also when the level
  // start ends the program (a fatal error in a level file).
  struct Teardown {
    ~Teardown() {
      BoardHost::Set(nullptr);
      GameGrid.reset();
      GemList.reset();
      testrig::TearDownBoardWorld();
    }
  } teardown;
  Player player(host, options);
  return player.Play(level, seed);
}

SeedRange ParseSeeds(const std::string& text) {
  const size_t dash = text.find('-');
  const auto number = [](const std::string& s) {
    if (s.empty() || s.size() > 6 || s.find_first_not_of("0123456789") != std::string::npos) return -1;
    return std::atoi(s.c_str());
  };
  if (dash == std::string::npos) return {0, -1};
  return {number(text.substr(0, dash)), number(text.substr(dash + 1))};
}

SeedRange SeedsFromEnvironment() {
  const char* text = std::getenv("LV_AUTOPLAY_SEEDS");
  return text && *text ? ParseSeeds(text) : kCurveSeeds;
}

std::string RowsFolder(const SeedRange& seeds) {
  if (seeds.first == kCurveSeeds.first && seeds.last == kCurveSeeds.last) return "levels";
  return "levels/seeds-" + std::to_string(seeds.first) + "-" + std::to_string(seeds.last);
}

uint64_t FileHash(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return 0;
  uint64_t h = 1469598103934665603ull;
  for (std::istreambuf_iterator<char> it(in), end; it != end; ++it) {
    h ^= static_cast<unsigned char>(*it);
    h *= 1099511628211ull;
  }
  return h;
}

std::string RowHeader() {
  return "level\tseed\tcleared\tticks\tmoves\tpieces\trestarts\trefused\tscore\tgold_left\thash";
}

std::string Row(const RunResult& r) {
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(r.fileHash));
  return std::to_string(r.level) + "\t" + std::to_string(r.seed) + "\t" + (r.cleared ? "1" : "0") + "\t" +
         std::to_string(r.ticks) + "\t" + std::to_string(r.moves) + "\t" + std::to_string(r.piecesUsed) + "\t" +
         std::to_string(r.restarts) + "\t" + std::to_string(r.refusedSwaps) + "\t" + std::to_string(r.score) + "\t" +
         std::to_string(r.goldLeft) + "\t" + hash;
}

}  // namespace autoplay
