#include "core/SoundFunctions.h"

#include <array>
#include <cmath>

#include "core/Globals.h"

int ccStopChannel(const platform::ChannelPtr& channel) {
  if (channel) platform::StopChannel(channel);
  return 0;
}

float ccCalcPan(float x) {
  if (ScreenWidth == 0) return 0.0f;
  return (x - static_cast<float>(ScreenWidth / 2)) / static_cast<float>(ScreenWidth);
}

namespace {
float Semitones(double s) { return static_cast<float>(std::pow(2.0, s / 12.0)); }
}  // namespace

float ccGetMusicalNote(int n) { return Semitones(n); }

float ccGetMusicalNoteInScaleC(int n) {
  static constexpr std::array<int, 15> kScale = {0, 2, 4, 5, 7, 9, 11, 12, 14, 16, 17, 19, 21, 23, 24};
  if (n < 0) return Semitones(n);
  if (n > 14) return Semitones(static_cast<double>(n) + 10.0);
  return Semitones(kScale[static_cast<size_t>(n)]);
}
