#include "core/TTrackingVar.h"

#include <algorithm>
#include <string>

#include "platform/Font.h"
#include "text/StringHelpers.h"

namespace {

int DigitCount(int n) {
  int digits = 1;
  for (n = n < 0 ? -(n / 10) : n / 10; n > 0; n /= 10) ++digits;
  return digits;
}

String Number(int n) { return S(std::to_string(n)); }

}  // namespace

int TTrackingVar::Init() {
  Current = 0;
  maximum = 0;
  displayLimit = 999;
  displayLimitChars = DigitCount(displayLimit);
  return 0;
}

int TTrackingVar::Display(float x, float y) {
  platform::DrawText(GetDisplay(), x, y);
  return 0;
}

String TTrackingVar::GetDisplay() {
  return Label + ccPadWithZeros(Number(Current), displayLimitChars) + u"/" +
         ccPadWithZeros(Number(maximum), displayLimitChars);
}
