#include "gfx/TSineCounter.h"

#include <cmath>
#include <numbers>

#include "core/Globals.h"

namespace {
float SinDeg(float degrees) {
  return static_cast<float>(std::sin(static_cast<double>(degrees) * std::numbers::pi / 180.0));
}
}  // namespace

std::shared_ptr<TSineCounter> TSineCounter::Create(float start, float end, float speed,
                                                   int runOnce) {
  auto counter = std::make_shared<TSineCounter>();
  counter->Init(start, end, speed, runOnce);
  return counter;
}

int TSineCounter::Init(float start, float end, float speed, int runOnce) {
  StartPoint = start;
  EndPoint = end;
  Speed = speed;
  RunOnce = runOnce;
  Counter = start;
  ratio = 0;
  return 0;
}

int TSineCounter::Manage() {
  if (!Active) return 0;
  Counter += Speed * Delta;
  if (Counter >= EndPoint) {
    if (RunOnce) {
      Counter = EndPoint;
      Active = 0;
    } else {
      Counter -= EndPoint - StartPoint;
    }
  } else if (Counter < StartPoint) {
    if (RunOnce) {
      Counter = StartPoint;
      Active = 0;
    } else {
      Counter += EndPoint - StartPoint;
    }
  }
  ratio = SinDeg(Counter);
  return 1;
}

int TSineCounter::SetCounter(float angle) {
  Counter = angle;
  ratio = SinDeg(angle);
  return 0;
}
