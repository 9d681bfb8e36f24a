#include "core/TFPSCounter.h"

#include <algorithm>
#include <string>

#include "platform/Clock.h"
#include "platform/Font.h"
#include "text/StringHelpers.h"

int TFPSCounter::Init() {
  counter = 0;
  time = platform::MilliSecs();
  framerate = 0;
  minimum = 999;
  return TTrackingVar::Init();
}

int TFPSCounter::Display(float x, float y) {
  platform::DrawText(GetDisplay(), x, y);
  return 0;
}

String TFPSCounter::GetDisplay() {
  return Label + ccPadWithZeros(S(std::to_string(Current)), displayLimitChars) + u"/" +
         ccPadWithZeros(S(std::to_string(minimum)), displayLimitChars);
}

int TFPSCounter::Calc() {
  ++counter;
  const int now = platform::MilliSecs();
  if (now > time + 1001) {
    framerate = counter;
    counter = 0;
    time = now;
    maximum = std::max(maximum, framerate);
    minimum = std::min(minimum, framerate);
    Current = framerate;
  }
  return 0;
}
