#include "support/board/BoardDriver.h"

#include <filesystem>

#include "board/BoardGlobals.h"
#include "board/BoardHost.h"
#include "board/BoardInvariants.h"
#include "board/BoardPicture.h"
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
  InstallBoardStubAssets();
  LoadParticleImages();

  gHost = std::make_unique<FakePlayScreen>();
  BoardHost::Set(gHost.get());
  gTick = 0;
  gPendingPresses = 0;
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
    }
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

}  // namespace testrig
