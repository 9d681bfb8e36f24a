#include "gfx/CounterHelpers.h"

#include <cmath>
#include <numbers>

#include "core/TGame.h"

float ccRatioToSine180(float r) {
  const double radians = (static_cast<double>(r) - 0.5) * 180.0 * std::numbers::pi / 180.0;
  return static_cast<float>(0.5 + std::sin(radians) / 2.0);
}

int ccRangeCheck100(int& n) {
  if (n < 0) n = 0;
  if (n > 100) n = 100;
  return 0;
}

int ccSecondsToGameUnits(int seconds) {
  return static_cast<int>(Game->CalcAnimLength(seconds * 1000));
}
