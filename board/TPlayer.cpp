#include "board/TPlayer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "board/BoardGlobals.h"
#include "board/BoardHost.h"
#include "board/TGameGrid.h"
#include "core/Globals.h"
#include "core/IniFunctions.h"
#include "core/Input.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TProfile.h"
#include "gfx/TGameFade.h"
#include "platform/Graphics.h"
#include "screens/GameOverScreen.h"
#include "text/GameFonts.h"
#include "text/StringHelpers.h"
#include "text/TextDrawing.h"

namespace {

// Stored profile figures may be anything: levels are held to the game's range first.
int ClampLevel(int level) { return std::clamp(level, 1, TPlayer::kLastLevel); }
int ClampLockedLevel(int level) { return std::clamp(level, 1, TPlayer::kLastLockedLevel); }

double SaturatingAddTime(double a, double b) {
  const double sum = a + b;
  return std::isfinite(sum) ? sum : a;
}

}  // namespace

int TPlayer::InitStats() {
  Name.clear();
  Level = 1;
  Unlocked = 1;
  Score = 0;
  Lives = 3;
  TotalKills = 0;
  Target = 0;
  TotalTimeTaken = 0;
  TotalTumbletsFreed = 0;
  Alive = 1;
  return 0;
}

int TPlayer::ReadProfile(const std::shared_ptr<TProfile>& profile, int load) {
  if (!profile) return 0;
  if (load) profile->Load();
  Name = profile->Name;
  Level = ClampLevel(profile->CurrentLevel);
  Score = profile->Score;
  Lives = profile->Lives;
  TotalKills = profile->Kills;
  TotalTimeTaken = std::isfinite(profile->TimeTaken) ? profile->TimeTaken : 0.0;
  Unlocked = ClampLockedLevel(profile->LockedLevel) - 1;
  return 1;
}

int TPlayer::WriteProfile(const std::shared_ptr<TProfile>& profile) {
  if (!profile) return 0;
  profile->Name = Name;
  profile->CurrentLevel = Level;
  profile->Score = Score;
  profile->Lives = Lives;
  profile->Kills = TotalKills;
  profile->TimeTaken = TotalTimeTaken;
  profile->LockedLevel = ClampLockedLevel(SaturatingAdd(Unlocked, 1));
  profile->Save();
  return 1;
}

int TPlayer::ProfileGameOver(const std::shared_ptr<TProfile>& profile, int save) {
  if (!profile) return 0;
  profile->Score = 0;
  profile->CurrentLevel = 1;
  profile->Lives = 3;
  profile->Kills = 0;
  profile->TimeTaken = 0;
  if (save) profile->Save();
  return 1;
}

int TPlayer::NewLevelStats() {
  ClearCounters();
  NoChecks = 0;
  Alive = 1;
  Kills = 0;
  TumbletsFreed = 0;
  LevelStartScore = Score;
  TimeTaken = 0;
  return 0;
}

int TPlayer::ClearCounters() {
  DeathCounter = 0;
  return 0;
}

int TPlayer::Load() { return 0; }

int TPlayer::Manage() {
  if (DeathCounter > 0) {
    DeathCounter -= Delta;
    if (DeathEnd() != 0) return -1;
  }
  const int targetMet = GameGrid ? GameGrid->TargetMet : 0;
  if (!BoardHost::Current().OutroActive() && targetMet == 0) {
    // Stops at the float's range rather than running into infinity.
    if (TimeTaken < std::numeric_limits<float>::max() / 2) TimeTaken += Delta;
  }
  return 1;
}

int TPlayer::Die() {
  Alive = 0;
  NoChecks = 1;
  DeathAnimLength = static_cast<int>(Game->CalcAnimLength(5000));
  DeathCounter = static_cast<float>(DeathAnimLength);
  if (const std::shared_ptr<TProfile> profile = Game->CurrentProfile) {
    const int level = profile->CurrentLevel;
    ProfileGameOver(profile, 0);
    profile->CurrentLevel = level;
  }
  if (const std::shared_ptr<TGameGrid> board = GameGrid) board->StartNoMoreMoves();
  return 0;
}

int TPlayer::UpdateTotals() {
  TotalTimeTaken = SaturatingAddTime(TotalTimeTaken, TimeTaken);
  TotalKills = SaturatingAdd(TotalKills, Kills);
  return 0;
}

int TPlayer::DeathEnd() {
  if (DeathCounter > 0) return 0;
  Lives = SaturatingAdd(Lives, -1);
  ccFlushAll();
  if (Lives < 0) {
    UpdateTotals();
    Game->GameFade->Init(static_cast<float>(3 * FADE_SPEED), 1, Game->MusicChannel, 1, 0, nullptr);
    Game->DestinationTScreen = GameOverScreen;
    return -1;
  }
  ClearCounters();
  NoChecks = 0;
  Alive = 1;
  BoardHost::Current().StartIntro();
  BoardHost::Current().StartSound();
  return 1;
}

String TPlayer::ScoreText() const {
  const long long points = static_cast<long long>(Score) - LevelStartScore;
  const long long held = std::clamp<long long>(points, std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max());
  return ccPadWithZeros(ccIntToString(static_cast<int>(held)), 6);
}

String TPlayer::LevelText() const {
  BoardHost& host = BoardHost::Current();
  return ccIntToString(host.GetChapter()) + u" - " + ccIntToString(host.GetSubLevel());
}

String TPlayer::TimeText() const {
  int minutes = 0;
  int seconds = 0;
  ccMillisecsToMinutes(TimeTaken * Game->FixedRateLogic->MS, minutes, seconds);
  return ccIntToString(minutes) + u":" + ccPadWithZeros(ccIntToString(seconds), 2);
}

int TPlayer::ScoreDraw(float x, float y) {
  platform::SetImageFont(MainFont);
  ccShadowTextSet(1.5f, 1.5f, 0.4f);
  ccDrawText(ScoreText(), x - 20, y - 24, 1, 0);
  return 0;
}

int TPlayer::LevelDraw(float x, float y) {
  if (const TGameImagePtr image = BoardHost::Current().LevelImage()) {
    platform::DrawImage(image->image, x - 60, y + 7, 0);
  }
  platform::SetImageFont(UIFont);
  ccShadowTextSet(1.0f, 1.0f, 0.6f);
  ccDrawText(LevelText(), x - 15, y - 22, 1, 0);
  return 0;
}

int TPlayer::TimeDraw(float x, float y) {
  if (const TGameImagePtr image = BoardHost::Current().TimeImage()) {
    platform::DrawImage(image->image, x - 50, y + 7, 0);
  }
  platform::SetImageFont(UIFont);
  ccShadowTextSet(1.0f, 1.0f, 0.6f);
  ccDrawText(TimeText(), x - 10, y - 22, 1, 0);
  return 0;
}

int TPlayer::KillsAdd(int n) {
  Kills = SaturatingAdd(Kills, n);
  return 0;
}
