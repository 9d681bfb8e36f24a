#include "support/board/BoardDriver.h"

#include <filesystem>

#include "board/BoardGlobals.h"
#include "board/BoardHost.h"
#include "board/BoardInvariants.h"
#include "board/BoardPicture.h"
#include "board/TBonusList.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TGemList.h"
#include "board/TPlayer.h"
#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/Input.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TSoundBank.h"
#include "gfx/TImageBank.h"
#include "gfx/TParticleList.h"
#include "platform/Audio.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "platform/System.h"
#include "support/board/StubAssets.h"

namespace testrig {

namespace {

std::unique_ptr<FakePlayScreen> gHost;
long gTick = 0;
int gPendingPresses = 0;
bool gTickChecks = true;

}  // namespace

FakePlayScreen& SetUpBoardWorld(const std::string& folder, int seed) {
  platform::SetThrowOnExit(true);
  platform::InitRuntime();
  platform::UseFakeClock(true, 10000);
  platform::SetFakeClockStepPerFlip(0);
  platform::Event e;
  while (platform::PollEvent(e)) {
  }
  platform::SetAudioDriver(u"None");
  Keys.fill(0);
  KeyStates.fill(0);
  ccGraphicalErrors = 0;
  ShowErrors = 1;
  ScreenWidth = 800;
  ScreenHeight = 600;
  Delta = 1.0f;

  const String root = S(folder) + u"/";
  std::filesystem::create_directories(folder + "/images");
  std::filesystem::create_directories(folder + "/levels");
  Game = std::make_shared<TGame>();
  Game->SubPath = root;
  ccErrorPath = root;
  Game->ImagePath = root + u"images/";
  Game->LevelsPath = root + u"levels/";
  Game->FixedRateLogic->Create();
  Game->FixedRateLogic->Init();
  Game->MusicChannel = platform::AllocChannel();
  Game->Particles = 100;
  Game->Mouse->x = -100;
  Game->Mouse->y = -100;
  if (!images) images = std::make_shared<TImageBank>();
  if (!sounds) sounds = std::make_shared<TSoundBank>();
  images->Clear();
  sounds->Clear();
  CreateParticleLists();
  HouseList = std::make_shared<TBonusList>();
  InstallBoardStubAssets();
  LoadParticleImages();

  gHost = std::make_unique<FakePlayScreen>();
  BoardHost::Set(gHost.get());
  gTick = 0;
  gPendingPresses = 0;
  gTickChecks = true;
  SetSoundLogTick(0);
  platform::ClearScriptedRandom();
  platform::SeedRnd(seed);
  return *gHost;
}

void TearDownBoardWorld() {
  GameGrid.reset();
  GemList.reset();
  for (auto& column : Grid) {
    for (auto& slot : column) slot.reset();
  }
  HouseList.reset();
  BoardHost::Set(nullptr);
  gHost.reset();
  ClearBoardStatics();
  if (images) images->Clear();
  if (sounds) sounds->Clear();
  CreateParticleLists();
  if (platform::GraphicsOpen()) platform::EndGraphics();
  Game.reset();
  platform::UseFakeClock(false);
}

FakePlayScreen& Host() { return *gHost; }

void PointAt(int screenX, int screenY) {
  Game->Mouse->x = screenX;
  Game->Mouse->y = screenY;
}

void PointAtCell(int x, int y, int px, int py) { PointAt(CalcSX(x) + px, CalcSY(y) + py); }

void Press() {
  Game->Mouse->b1 = 1;
  ++gPendingPresses;
  Game->Mouse->CalcButtonTotals();
}

void Release() {
  Game->Mouse->b1 = 0;
  Game->Mouse->CalcButtonTotals();
}

long TickNumber() { return gTick; }

void SetTickChecks(bool on) { gTickChecks = on; }

std::string Tick(int n) {
  for (int i = 0; i < n; ++i) {
    ++gTick;
    if (gHost) gHost->tick = gTick;
    SetSoundLogTick(gTick);
    Delta = 1.0f;
    TMousePointer& mouse = *Game->Mouse;
    mouse.ClearMouseHit();
    mouse.h1 += gPendingPresses;
    gPendingPresses = 0;
    mouse.CalcButtonTotals();

    BoardHost& host = BoardHost::Current();
    if (host.Player().Manage() != -1) {
      if (!host.IntroActive()) {
        if (const std::shared_ptr<TGameGrid> board = GameGrid) board->Manage();
      }
      if (gHost) gHost->OwnTick();
      BackgroundParticles->Move();
      Tumblets->Move();
      Particles->Move();
      AnimatedParticles->Manage();
      ScoreParticles->Move();
      if (HouseList) HouseList->Manage();
    }
    if (gHost) gHost->OutroTick();
    if (!gTickChecks) continue;
    const std::string broken = CheckBoardInvariants();
    if (!broken.empty()) {
      return "tick " + std::to_string(gTick) + ": " + broken + "\n" + BoardPicture();
    }
  }
  return "";
}

std::string ClickCell(int x, int y) {
  PointAtCell(x, y);
  Press();
  std::string broken = Tick();
  Release();
  if (broken.empty()) broken = Tick();
  return broken;
}

std::string DragToCell(int x, int y) {
  Press();
  std::string broken = Tick();
  PointAtCell(x, y);
  if (broken.empty()) broken = Tick();
  Release();
  if (broken.empty()) broken = Tick();
  return broken;
}

std::string FullBoardPicture() {
  std::string picture;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 15; ++x) {
      std::string cell = std::to_string(1 + (x + 2 * y) % 5);
      const bool bonus = (x + y) % 7 == 0;
      if (bonus) cell = std::string(1, "LHTSPAK"[(x + 3 * y) % 7]);
      if ((x * y) % 11 == 3) {
        cell += "a";
      } else if ((x + y) % 3 == 0) {
        cell += "b";
      }
      if (!bonus && (x + 3 * y) % 13 == 0) cell += "*";
      if (!bonus && (2 * x + y) % 9 == 0) cell += "t";
      picture += cell + (x < 14 ? " " : "\n");
    }
  }
  return picture;
}

std::string NoMoveBoardPicture(bool lionLast) {
  std::string picture;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 15; ++x) {
      std::string cell = std::to_string(1 + x % 2 + 2 * (y % 2));
      if (x == 0 && y == 0) cell += "b";
      if (lionLast && x == 14 && y == 9) cell = "L";
      picture += cell + (x < 14 ? " " : "\n");
    }
  }
  return picture;
}

void FillRunFree(int seed) {
  platform::SeedRnd(seed);
  TGameGrid* board = GameGrid.get();
  if (!board) return;
  if (!GemList) GemList = std::make_shared<TGemList>();
  const int w = board->levelwidth;
  const int h = board->levelheight;
  auto typeAt = [](int x, int y) {
    const TCell* cell = GridAt(x, y);
    return cell && cell->Gem ? cell->Gem->GemType : 0;
  };
  int colourGems = 0;
  for (int y = 0; y < h; ++y) {
    int previous = 0;
    int run = 0;
    for (int x = 0; x < w; ++x) {
      TCell* cell = GridAt(x, y);
      if (!cell || !cell->active) {
        previous = run = 0;
        continue;
      }
      if (cell->Gem) {  // already placed: counts like a drawn colour
        const int type = cell->Gem->GemType;
        run = type == previous ? run + 1 : 1;
        previous = type;
        if (type <= TGem::kLastColour) ++colourGems;
        continue;
      }
      int type = cell->bonus;
      if (type >= 1) {
        previous = type;
        run = 0;
      } else {
        for (int tries = 0; tries <= 1000; ++tries) {
          type = TGem::Random();
          const bool rowRun = type == previous && run == 2;
          const bool columnRun = y >= 2 && typeAt(x, y - 1) == type && typeAt(x, y - 2) == type;
          if (!rowRun && !columnRun) break;
        }
        run = type == previous ? run + 1 : 1;
        previous = type;
      }
      TGemPtr gem = TGem::Make(x, y, type, 0);
      if (cell->gemlocked) gem->locked = 1;
      if (type <= TGem::kLastColour) ++colourGems;
      cell->Gem = gem;
      GemList->Add(gem);
    }
  }
  const int tumblets = static_cast<int>(colourGems * 0.15);
  for (int t = 0; t < tumblets; ++t) {
    for (int tries = 0; tries < 1000; ++tries) {
      const int x = platform::Rand(0, w - 1);
      const int y = platform::Rand(0, h - 1);
      const TCell* cell = GridAt(x, y);
      if (cell && cell->Gem && cell->Gem->GemType <= TGem::kLastColour && !cell->Gem->Tumblet) {
        cell->Gem->CreateTumblet();
        break;
      }
    }
  }
  GemList->SortAll();
}

std::string FillUntilMove(int seed) {
  TGameGrid* board = GameGrid.get();
  if (!board) return "no board to fill";
  for (int fill = 0; fill < 1000; ++fill) {
    if (GemList) {
      const std::shared_ptr<TGemList> old = GemList;
      old->ForEach([&](const TGemPtr& gem) { old->Remove(*gem); });
    }
    GemList = std::make_shared<TGemList>();
    for (auto& column : Grid) {
      for (auto& cell : column) {
        if (cell) cell->Gem.reset();
      }
    }
    FillRunFree(seed + fill);
    if (board->NoMoreMoves(0) == 0) return "";
  }
  return "no possible move after 1000 fills of level " + std::to_string(gHost ? gHost->level : 0) + " (" +
         U8(board->LevelName) + ")";
}

std::string LoadLevelBoard(int n, int seed) {
  for (const TParticleListPtr& list : {BackgroundParticles, Particles, AnimatedParticles, Tumblets, ScoreParticles}) {
    if (list) list->Clear();
  }
  if (HouseList) HouseList->Clear();
  if (GameGrid) GameGrid->Kill();
  GameGrid.reset();
  GemList.reset();
  TGem::MidHandle(0);
  if (gHost) {
    gHost->level = n;
    gHost->player->NewLevelStats();
  }
  GameGrid = TGameGrid::Create();
  GameGrid->Load(n);
  if (gHost) gHost->player->Target = GameGrid->Gold;
  const std::string failure = FillUntilMove(seed);
  GameGrid->DiagonalMoves = 0;
  GameGrid->DiagonalGauge = 0;
  GameGrid->IntroColumn = GameGrid->levelwidth;
  GameGrid->RestorePointer();
  return failure;
}

std::vector<BoardMove> BruteForceMoves() {
  std::vector<BoardMove> moves;
  const TGameGrid* board = GameGrid.get();
  if (!board) return moves;
  const int w = board->levelwidth;
  const int h = board->levelheight;
  // The types as the search sees them (0: no gem), and which cells may take part in a swap.
  int type[GRID_WIDTH][GRID_HEIGHT] = {};
  bool movable[GRID_WIDTH][GRID_HEIGHT] = {};
  for (int x = 0; x < w; ++x) {
    for (int y = 0; y < h; ++y) {
      const TCell* cell = GridAt(x, y);
      if (!cell) continue;
      type[x][y] = cell->Gem ? cell->Gem->GemType : 0;
      movable[x][y] = cell->active && !(cell->Gem && cell->Gem->locked);
    }
  }
  auto colourAt = [&](int x, int y) {
    return x >= 0 && x < w && y >= 0 && y < h && type[x][y] >= 1 && type[x][y] <= TGem::kLastColour
               ? type[x][y]
               : 0;
  };
  // The length of the line of equal colour through (x, y) along (sx, sy).
  auto runThrough = [&](int x, int y, int sx, int sy) {
    const int colour = colourAt(x, y);
    if (colour == 0) return 0;
    int length = 1;
    for (int k = 1; colourAt(x + k * sx, y + k * sy) == colour; ++k) ++length;
    for (int k = 1; colourAt(x - k * sx, y - k * sy) == colour; ++k) ++length;
    return length;
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (!movable[x][y]) continue;
      if (type[x][y] > TGem::kLastColour) moves.push_back({x, y, -1, -1});
      if (type[x][y] == -1) continue;
      const int tries[4][2] = {{0, 1}, {1, 0}, {-1, 1}, {1, 1}};
      const int count = board->DiagonalMoves != 0 && y < h - 1 ? 4 : 2;
      for (int t = 0; t < count; ++t) {
        const int tx = x + tries[t][0];
        const int ty = y + tries[t][1];
        if (tx < 0 || tx >= w || ty >= h || !movable[tx][ty] || type[tx][ty] == -1) continue;
        std::swap(type[x][y], type[tx][ty]);
        const bool row = runThrough(x, y, 1, 0) >= 3 || runThrough(tx, ty, 1, 0) >= 3;
        const bool column = runThrough(x, y, 0, 1) >= 3 || runThrough(tx, ty, 0, 1) >= 3;
        std::swap(type[x][y], type[tx][ty]);
        if (row) moves.push_back({x, y, tx, ty});
        if (column) moves.push_back({x, y, tx, ty});
      }
    }
  }
  return moves;
}

}  // namespace testrig
