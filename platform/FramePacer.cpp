#include "platform/FramePacer.h"

#include <cmath>

namespace platform {

namespace {

constexpr int kAssumedHz = 60;
constexpr int kLowestHz = 20;
constexpr int kHighestHz = 1000;

}  // namespace

void FramePacer::Reset() { *this = FramePacer(); }

int FramePacer::AfterPresent(int sync, bool intervalSet, int nowMs, int refreshHz) {
  if (sync != 1) {
    // "VSYNC=0" is the player's choice: at once, and a later Flip(1) watches afresh.
    Reset();
    return 0;
  }
  const int hz = refreshHz >= kLowestHz && refreshHz <= kHighestHz ? refreshHz : kAssumedHz;
  const double period = 1000.0 / hz;
  if (!intervalSet) pacing_ = true;
  if (!pacing_) {
    // Vertical sync that works spaces the presents a period apart; twice as fast on average
    // means the driver ignores it (some do, off screen or without a compositor).
    if (watched_ == 0) watchStart_ = nowMs;
    if (++watched_ > kWatchedFrames) {
      pacing_ = static_cast<double>(nowMs - watchStart_) < kWatchedFrames * period / 2;
      watched_ = 0;
    }
    if (!pacing_) return 0;
  }
  const double wait = due_ - nowMs;
  if (!running_ || wait > 1.5 * period || wait < -period) {
    // The first paced frame, or the clock jumped or a frame ran long: count from now.
    running_ = true;
    due_ = nowMs + period;
    return 0;
  }
  due_ += period;
  return wait > 0 ? static_cast<int>(std::lround(wait)) : 0;
}

}  // namespace platform
