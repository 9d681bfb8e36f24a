#include "support/board/FakePlayScreen.h"

#include "board/BoardGlobals.h"
#include "board/TGameGrid.h"
#include "core/TGame.h"
#include "core/TProfile.h"
#include "support/board/BoardDriver.h"

namespace testrig {

FakePlayScreen::FakePlayScreen() : player(std::make_shared<TPlayer>()) {}

void FakePlayScreen::Log(const std::string& name, const std::string& detail) {
  calls.push_back({tick, name, detail});
}

int FakePlayScreen::NextLevel() {
  Log("NextLevel");
  if (!player->Alive || intro || outro) return 0;
  outro = 1;
  outroTicks = 900;
  player->NoChecks = 1;
  return 1;
}

int FakePlayScreen::Quit() {
  Log("Quit");
  player->Lives = 0;
  if (player->DeathCounter <= 0) player->Die();
  return 0;
}

int FakePlayScreen::RestartLevel() {
  Log("RestartLevel");
  if (onRestartLevel) {
    onRestartLevel();
  } else if (level > 0) {
    const std::string failed = LoadLevelBoard(level, ++restartSeed);
    if (!failed.empty() && failure.empty()) failure = failed;
  }
  return 0;
}

int FakePlayScreen::StartSound() {
  Log("StartSound");
  return 0;
}

int FakePlayScreen::StartIntro() {
  Log("StartIntro");
  return 0;
}

int FakePlayScreen::ResetHintShowCounter() {
  Log("ResetHintShowCounter");
  return 0;
}

int FakePlayScreen::AddGaugeStep(int ms) {
  Log("AddGaugeStep", std::to_string(ms));
  gaugeSteps_.push_back(Game->CalcAnimLength(ms));
  return 0;
}

int FakePlayScreen::PlayMenuClick() {
  Log("PlayMenuClick");
  return 0;
}

int FakePlayScreen::ShowOnceOnlyPage(int flag, const String& name) {
  Log("ShowOnceOnlyPage", std::to_string(flag));
  if (!hintScrollFree || !Game->CurrentProfile) return 0;
  if (!Game->CurrentProfile->ShowHint(flag, 1)) return 0;
  pagesOpened.push_back(U8(name));
  return 1;
}

int FakePlayScreen::SoundGaugeFull() {
  Log("SoundGaugeFull");
  return 0;
}

int FakePlayScreen::SoundGaugeEmpty() {
  Log("SoundGaugeEmpty");
  return 0;
}

void FakePlayScreen::OutroTick() {
  if (outroTicks <= 0 || --outroTicks > 0) return;
  outro = 0;
  if (onOutroEnd) onOutroEnd();
}

void FakePlayScreen::OwnTick() {
  for (size_t i = 0; i < gaugeSteps_.size();) {
    gaugeSteps_[i] -= Delta;
    if (gaugeSteps_[i] > 0) {
      ++i;
      continue;
    }
    gaugeSteps_.erase(gaugeSteps_.begin() + static_cast<long>(i));
    TGameGrid* board = GameGrid.get();
    if (!board || static_cast<float>(board->DiagonalGauge) >= board->DiagonalGaugeMax) continue;
    ++board->DiagonalGauge;
    if (static_cast<float>(board->DiagonalGauge) >= board->DiagonalGaugeMax) {
      board->DiagonalMoves = 1;
      SoundGaugeFull();
      board->DiagonalTextCounter = static_cast<float>(board->DiagonalTextLength);
      board->DiagonalReminderCounter = board->DiagonalReminderLength;
    }
  }
}

int FakePlayScreen::Count(const std::string& name) const {
  int n = 0;
  for (const Call& call : calls) n += call.name == name ? 1 : 0;
  return n;
}

std::vector<long> FakePlayScreen::TicksOf(const std::string& name) const {
  std::vector<long> ticks;
  for (const Call& call : calls) {
    if (call.name == name) ticks.push_back(call.tick);
  }
  return ticks;
}

}  // namespace testrig
