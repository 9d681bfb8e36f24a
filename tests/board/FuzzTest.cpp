// The whole board under random play: random level-like boards, random legal input, restarts
// after the no-more-moves sequence and a new board after each won level, the invariants after
// every tick and no standing run at any settle; the same seed and input give the same game;
// and the per-tick work of a board at rest allocates nothing.
#include <random>
#include <sstream>

#include "BoardFixture.h"
#include "board/TBonusList.h"
#include "gfx/TParticleList.h"
#include "support/AllocationCounter.h"

namespace boardtest {
namespace {

// "" or the first run of three equal colours standing still on the board.
std::string StandingRun() {
  const TGameGrid& board = *GameGrid;
  auto colour = [&](int x, int y) {
    const TCell* cell = GridAt(x, y);
    if (!cell || !cell->Gem) return 0;
    const TGem& gem = *cell->Gem;
    if (gem.dy != 0 || gem.Swapping || gem.GemType < 1 || gem.GemType > TGem::kLastColour) return 0;
    return gem.GemType;
  };
  for (int y = 0; y < board.levelheight; ++y) {
    for (int x = 0; x < board.levelwidth; ++x) {
      const int c = colour(x, y);
      if (c == 0) continue;
      if (colour(x + 1, y) == c && colour(x + 2, y) == c) return "a row of three at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
      if (colour(x, y + 1) == c && colour(x, y + 2) == c) return "a column of three at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    }
  }
  return "";
}

// One game of random play on random levels.
class Session {
 public:
  Session(BoardTest& test, const std::string& dir, uint32_t seed, bool small)
      : test_(test), dir_(dir), rng_(seed), small_(small) {}

  // A level file of the given number, like the shipped ones: holes, bricks, armour, locked
  // gems, presets and a bonus list.
  std::string LevelText() {
    const int w = small_ ? 3 + Pick(2) : 3 + Pick(13);
    const int h = small_ ? 3 + Pick(2) : 3 + Pick(8);
    std::ostringstream out;
    out << "REM,fuzz " << level_ << "\n60\n";
    const int bonus = Pick(4);
    if (bonus == 0) out << "0";
    for (int i = 0; i < bonus; ++i) out << (i ? "," : "") << 8 + Pick(7);
    out << "\n" << w << "," << h << "\n0,0\n";
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const int r = Pick(100);
        const int code = r < 6 ? 0 : r < 40 ? -1 : r < 75 ? 1 : r < 85 ? 3 : r < 89 ? 2 : r < 91 ? 4 : r < 94 ? 8 + Pick(7) : 1;
        out << (x ? "," : "") << code;
      }
      out << "\n";
    }
    return out.str();
  }

  // A new board of a new level (the next one after a won level's outro).
  void NewLevel() {
    for (int attempt = 0; attempt < 50; ++attempt) {
      ++level_;
      testrig::WriteFileBytes(dir_ + "/levels/" + std::to_string(level_) + ".txt", LevelText());
      if (testrig::LoadLevelBoard(level_, static_cast<int>(rng_() % 100000)).empty()) return;
    }
    ADD_FAILURE() << "no fillable level in 50 tries";
  }

  // One tick with the checks; false once something broke.
  bool Step() {
    const TGameGrid* before = GameGrid.get();
    const int wasBusy = GameGrid->BlockInput;
    const std::string broken = testrig::Tick();
    ++ticks_;
    if (!broken.empty()) {
      ADD_FAILURE() << broken;
      return false;
    }
    const TGameGrid& board = *GameGrid;
    if (board.Gold < 0) {
      ADD_FAILURE() << "Gold " << board.Gold;
      return false;
    }
    const bool settled = GameGrid.get() == before && wasBusy == 1 && board.BlockInput == 0 &&
                         board.SwapCounter <= 0 && board.NoMoreCounter <= 0 && !testrig::Host().outro;
    if (settled) {
      const std::string run = StandingRun();
      if (!run.empty()) {
        ADD_FAILURE() << "tick " << testrig::TickNumber() << ": " << run << " at rest\n" << BoardPicture();
        return false;
      }
    }
    return true;
  }
  bool Steps(int n) {
    for (int i = 0; i < n; ++i) {
      if (!Step()) return false;
    }
    return true;
  }
  bool Click(int x, int y) {
    testrig::PointAtCell(x, y);
    testrig::Press();
    const bool ok = Step();
    testrig::Release();
    return ok && Step();
  }
  bool Drag(int x, int y, int tx, int ty) {
    testrig::PointAtCell(x, y);
    testrig::Press();
    if (!Step()) return false;
    testrig::PointAtCell(tx, ty);
    if (!Step()) return false;
    testrig::Release();
    return Step();
  }

  // One random action of a player, with the ticks it takes.
  bool Act() {
    const TGameGrid& board = *GameGrid;
    const int w = board.levelwidth;
    const int h = board.levelheight;
    const int x = Pick(w);
    const int y = Pick(h);
    const int nx = std::clamp(x + Pick(3) - 1, 0, w - 1);
    const int ny = std::clamp(y + Pick(3) - 1, 0, h - 1);
    const int r = Pick(100);
    if (r < 25) return Steps(1 + Pick(40));
    if (r < 50) {
      std::vector<testrig::BoardMove> moves = testrig::BruteForceMoves();
      std::erase_if(moves, [](const testrig::BoardMove& m) { return m.toX < 0; });
      if (moves.empty()) return Steps(5);
      const testrig::BoardMove& m = moves[static_cast<size_t>(Pick(static_cast<int>(moves.size())))];
      if (Pick(2) == 0) return Click(m.x, m.y) && Click(m.toX, m.toY);
      return Drag(m.x, m.y, m.toX, m.toY);
    }
    if (r < 62) return Click(x, y);
    if (r < 72) return Click(x, y) && Click(nx, ny);
    if (r < 82) return Drag(x, y, nx, ny);
    if (r < 95) {
      for (int py = 0; py < h; ++py) {
        for (int px = 0; px < w; ++px) {
          const TCell* cell = GridAt(px, py);
          if (cell && cell->Gem && cell->Gem->GemType >= TGem::kFirstBonus && !cell->Gem->locked) {
            if (!Click(px, py)) return false;
            return Pick(2) == 0 ? Click(x, y) : Steps(Pick(10));
          }
        }
      }
      return Steps(3);
    }
    GameGrid->HintStart();
    return Steps(1 + Pick(5));
  }

  // Plays for `ticks` ticks from a new level; false once something broke.
  bool Play(long ticks) {
    testrig::Host().onOutroEnd = [this] { NewLevel(); };
    NewLevel();
    while (ticks_ < ticks) {
      if (!Act()) return false;
    }
    return true;
  }

  long ticks() const { return ticks_; }

 private:
  int Pick(int n) { return n <= 1 ? 0 : static_cast<int>(rng_() % static_cast<uint32_t>(n)); }

  BoardTest& test_;
  std::string dir_;
  std::mt19937 rng_;
  bool small_;
  int level_ = 0;
  long ticks_ = 0;
};

class FuzzTest : public BoardTest, public ::testing::WithParamInterface<int> {
 public:
  using BoardTest::dir;
};

TEST_P(FuzzTest, RandomPlayKeepsEveryLaw) {
  Session session(*this, dir, static_cast<uint32_t>(GetParam()), GetParam() % 4 == 0);
  EXPECT_TRUE(session.Play(50000));
  EXPECT_GT(host->player->Score, 0) << "the play made no run";
}

INSTANTIATE_TEST_SUITE_P(Seeds, FuzzTest, ::testing::Range(1, 21));

class DeterminismTest : public BoardTest {
 protected:
  struct Outcome {
    std::string picture;
    int score, gold, freed, restarts;
    std::vector<std::string> sounds;
  };
  Outcome Run(uint32_t seed) {
    TearDown();
    SetUp();
    Session session(*this, dir, seed, true);
    EXPECT_TRUE(session.Play(20000));
    Outcome o{BoardPicture(), host->player->Score, GameGrid->Gold, host->player->TumbletsFreed,
              host->Count("RestartLevel"), {}};
    for (const testrig::SoundEvent& e : testrig::SoundLog()) o.sounds.push_back(std::to_string(e.tick) + " " + e.name);
    return o;
  }
};

TEST_F(DeterminismTest, TheSameSeedAndInputGiveTheSameGame) {
  const Outcome a = Run(11);
  const Outcome b = Run(11);
  EXPECT_GE(a.restarts, 1) << "the run should cross a no-more-moves restart";
  EXPECT_EQ(a.picture, b.picture);
  EXPECT_EQ(a.score, b.score);
  EXPECT_EQ(a.gold, b.gold);
  EXPECT_EQ(a.freed, b.freed);
  EXPECT_EQ(a.restarts, b.restarts);
  EXPECT_TRUE(a.sounds == b.sounds);
  const Outcome c = Run(12);
  EXPECT_TRUE(c.sounds != a.sounds) << "another seed plays another game";
}

class IdleAllocationTest : public BoardTest {};

TEST_F(IdleAllocationTest, ABoardAtRestSearchingEveryTickAllocatesNothing) {
  for (int diagonal = 0; diagonal <= 1; ++diagonal) {
    SCOPED_TRACE(diagonal);
    TGameGrid& board = Build(testrig::NoMoveBoardPicture(true));
    board.DiagonalMoves = diagonal;
    board.DiagonalReminderCounter = 1e9f;  // no reminder during the count
    testrig::PointAtCell(3, 3);
    Tick(50);
    ASSERT_EQ(board.NoMoreMoves(0), 0);
    EXPECT_EQ(testrig::CountAllocations([&] { Tick(2000); }), 0);
    EXPECT_EQ(host->Count("Quit"), 0);
  }
}

TEST_F(IdleAllocationTest, ASweeperThatMeetsNothingAllocatesNothing) {
  Build("# 1 2\n# 2 1\n# 1 2");
  const TParticlePtr p =
      AnimatedParticles->AddNew(CalcSX(0), 0, ParticleImages[9], 0.0f, 1.0f, 0.02f, 0.0f, 0, 0, 0.0f, 1.0f, 0.0f, 0, 0);
  HouseList->AddNew(p);
  EXPECT_EQ(testrig::CountAllocations([&] {
              for (int t = 0; t < 100; ++t) HouseList->Manage();
            }),
            0);
  EXPECT_EQ(HouseList->Count(), 1);
}

}  // namespace
}  // namespace boardtest
