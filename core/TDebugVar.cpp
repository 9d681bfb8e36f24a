#include "core/TDebugVar.h"

#include <algorithm>

#include "platform/Clock.h"

int TDebugVar::Start() {
  Current = platform::MilliSecs();
  return 0;
}

int TDebugVar::Calc() {
  Current = platform::MilliSecs() - Current;
  maximum = std::min(std::max(maximum, Current), displayLimit);
  return 0;
}
