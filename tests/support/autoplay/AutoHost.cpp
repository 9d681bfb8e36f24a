#include "support/autoplay/AutoHost.h"

#include "board/BoardGlobals.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TGemList.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "platform/String.h"

namespace autoplay {

AutoHost::AutoHost() { gaugeSteps_.reserve(64); }

void AutoHost::LevelStart() {
  TGem::MidHandle(0);
  ClearCounters();
  Player().NewLevelStats();
  screen_.LevelLoad();
  fills = screen_.FillUntilMove();
  GameGrid->DiagonalMoves = 0;
  GameGrid->DiagonalGauge = 0;
  GemList->SortAll();
  TGameScreen::ClearParticles();
  GameGrid->RestorePointer();
  // The flash sweep the end of the intro would start.
  GameGrid->SetupIntroFlash();
  outro = 0;
}

void AutoHost::ClearCounters() { gaugeSteps_.clear(); }

int AutoHost::NextLevel() {
  if (Player().Alive == 0 || outro != 0) return 0;
  outro = 1;
  Player().NoChecks = 1;
  if (wonAt < 0) {
    wonAt = tick;
    goldAtWin = GameGrid ? GameGrid->Gold : -1;
  }
  return 1;
}

int AutoHost::Quit() {
  Player().Lives = 0;
  if (Player().DeathCounter > 0) return 0;
  ClearCounters();
  Player().Die();
  return 0;
}

int AutoHost::RestartLevel() {
  ++restarts;
  LevelStart();
  return 0;
}

int AutoHost::AddGaugeStep(int ms) {
  gaugeSteps_.push_back(Game->CalcAnimLength(ms));
  return 0;
}

int AutoHost::ShowOnceOnlyPage(int, const String& name) {
  pagesAsked.push_back(platform::ToUtf8(name));
  return 0;
}

void AutoHost::GaugeTick() {
  TGameGrid* board = GameGrid.get();
  size_t kept = 0;
  for (float& left : gaugeSteps_) {
    left -= Delta;
    if (left > 0) {
      gaugeSteps_[kept++] = left;
      continue;
    }
    if (!board || static_cast<float>(board->DiagonalGauge) >= board->DiagonalGaugeMax) continue;
    board->DiagonalGauge += 1;
    if (static_cast<float>(board->DiagonalGauge) != board->DiagonalGaugeMax) continue;
    board->DiagonalMoves = 1;
    board->DiagonalTextCounter = static_cast<float>(board->DiagonalTextLength);
    board->DiagonalReminderCounter = board->DiagonalReminderLength;
  }
  gaugeSteps_.resize(kept);
}

}  // namespace autoplay
