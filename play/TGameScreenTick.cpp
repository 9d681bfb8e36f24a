// The play screen's tick: who may act, in which order; the freed Tumblets' run; the gauge and
// idle-hint effects; the debug keys.
#include "board/BoardGlobals.h"
#include "board/BoardParticles.h"
#include "board/TBonusList.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/Input.h"
#include "core/TChannelArray.h"
#include "core/TGame.h"
#include "gfx/TGameFade.h"
#include "gfx/TParticle.h"
#include "gfx/TParticleList.h"
#include "play/TGameMenu.h"
#include "play/TGameScreen.h"
#include "play/THintScroll.h"
#include "play/TLevelCompleteScreen.h"
#include "platform/Clock.h"
#include "ui/TMenu.h"

namespace {

constexpr int kKeyQ = 81;
constexpr int kKeyR = 82;
constexpr int kKeyJ = 74;
constexpr float kTumbletGround = 500.0f;
constexpr double kSparkleSpread = 23.0;
constexpr int kIdleHintMs = 20000;

}  // namespace

int TGameScreen::Logic() {
  if (LevelCompleteScreen->Active == 0) {
    const int m = GameMenu->Logic();
    if (GameGrid) GameGrid->TogglePointer(m);
  }
  LevelCompleteScreen->Logic();
  if (GameMenu->Active == 0) {
    const int h = HintScroll->Logic();
    if (h == 1 && IntroAnim->Active != 0) StartSound();
  }
  if (GameMenu->Active != 0 || LevelCompleteScreen->Active != 0 || HintScroll->Active != 0) {
    return 1;
  }
  if (IntroAnim->Active == 0) {
    Menu->Manage(0, 0);
    if (Menu->Clicked(u"Menu")) {
      GameMenu->Show(1);
      GameGrid->TogglePointer(2);
      return 0;
    }
    if (Menu->Clicked(u"Hint")) {
      if (GameGrid->HintStart() == 0) {
        TGameGrid::Channels->PlayGameSound(GameGrid->InvalidSound, nullptr, 1.0f, 0.0f);
      }
      return 0;
    }
    if (Player->Manage() == -1) return -1;
    // The board may replace itself (RestartLevel) inside its own tick: it is kept alive until
    // that tick returns, and the rest of this tick works on the board that stands after it.
    const std::shared_ptr<TGameGrid> board = GameGrid;
    board->Manage();
    HUDEffects();
    BackgroundParticles->Move();
    ManageTumblets();
    Particles->Move();
    AnimatedParticles->Manage();
    ScoreParticles->Move();
    if (HouseList) HouseList->Manage();
  }
  IntroCheck();
  LevelCheck();
  return 1;
}

int TGameScreen::ManageTumblets() {
  Tumblets->ForEach([](const TParticlePtr& p) {
    p->Move();
    if (p->y >= kTumbletGround && p->Data3 == 0) {
      p->Data3 = 1;
      p->dx = static_cast<float>(p->Data2);
      p->dy = 0;
      p->ygravity = 0;
      p->y = kTumbletGround;
      if (p->Data1 >= 1 && p->Data1 <= TGem::kLastColour) {
        p->SetImage(TGem::TumbletRunningImages[static_cast<size_t>(p->Data1)]);
      }
    }
    p->ManageAnim();
  });
  return 0;
}

int TGameScreen::HUDEffects() {
  HintShowCounter += Delta;
  if (HintShowCounter >= Game->CalcAnimLength(kIdleHintMs)) ShowOnceOnlyPage(10, u"hint");

  const int full = static_cast<float>(GameGrid->DiagonalGauge) == GameGrid->DiagonalGaugeMax;
  if (full && OutroAnim->Active == 0) {
    DiagonalGaugeParticleCounter -= Delta;
    if (DiagonalGaugeParticleCounter <= 0) {
      DiagonalGaugeParticleCounter += static_cast<float>(DiagonalGaugeParticleCounterMax);
      const double x = DiagonalGaugeX + platform::Rnd(-kSparkleSpread, kSparkleSpread);
      const double y = DiagonalGaugeY + platform::Rnd(-kSparkleSpread, kSparkleSpread);
      GaugeParticleMake(static_cast<float>(x), static_cast<float>(y));
    }
  }

  const int pending = GaugeFillDelay->Count();
  GaugeFillDelay->Manage(1);
  for (int step = pending - GaugeFillDelay->Count(); step > 0; --step) {
    if (static_cast<float>(GameGrid->DiagonalGauge) >= GameGrid->DiagonalGaugeMax) continue;
    GameGrid->DiagonalGauge += 1;
    if (static_cast<float>(GameGrid->DiagonalGauge) != GameGrid->DiagonalGaugeMax) continue;
    GameGrid->DiagonalMoves = 1;
    DiagonalGaugeParticleCounter = static_cast<float>(DiagonalGaugeParticleCounterMax);
    Game->Channels->PlayGameSound(SoundGaugeFull, nullptr, 1.0f, 0.0f);
    GameGrid->DiagonalTextCounter = static_cast<float>(GameGrid->DiagonalTextLength);
    GameGrid->DiagonalReminderCounter = GameGrid->DiagonalReminderLength;
    ShowOnceOnlyPage(8, u"gaugefull");
  }
  return 0;
}

int TGameScreen::SpecificKeys() {
  if (GameMenu->Active != 0) return 0;
  // Under the level-complete scroll the finished level has already moved the player on, and
  // during the outro the win is not yet recorded: neither may be given up or restarted.
  if (LevelCompleteScreen->Active != 0) return 0;
  const bool outro = OutroAnim && OutroAnim->Active != 0;
  const bool ctrl = ccControlDown() != 0 || Game->Debug != 0;
  if (KeyHit(kKeyQ) != 0 && ctrl && !outro) Quit();
  if (Player->DeathCounter > 0 || Game->GameFade->Active != 0) return 0;
  if (KeyHit(kKeyR) != 0 && ctrl && !outro) {
    FlushKeys();
    RestartLevel();
  }
  if (KeyHit(kKeyJ) != 0 && Player->Alive != 0 && ctrl && GameGrid) {
    FlushKeys();
    GameGrid->LevelEndStart();
  }
  return 1;
}
