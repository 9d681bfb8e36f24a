#include "screens/PlayerLevel.h"

#include <algorithm>

#include "core/TGame.h"
#include "core/TProfile.h"

namespace {
constexpr int kLastLevel = 50;
}

int PlayerLevel() {
  if (!Game || !Game->CurrentProfile) return 1;
  return std::clamp(Game->CurrentProfile->CurrentLevel, 1, kLastLevel);
}

int PlayerChapter() { return 1 + (PlayerLevel() - 1) / 5; }

int PlayerSubLevel() { return (PlayerLevel() - 1) % 5 + 1; }
