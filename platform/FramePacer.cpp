#include "platform/FramePacer.h"

#include <cmath>

namespace platform {

namespace {

constexpr int kAssumedHz = 60;
constexpr int kLowestHz = 20;
constexpr int kHighestHz = 1000;

}  // namespace

void FramePacer::Reset() { *this = FramePacer(); }

bool FramePacer::FrameDue(int nowMs) const { return !pacing_ || !running_ || nowMs >= due_ - 0.5; }

int FramePacer::AfterPresent(int sync, bool intervalSet, int nowMs, int refreshHz) {
  if (sync != sync_) {
    // Another sync: a later Flip(1) watches the swap interval afresh.
    Reset();
    sync_ = sync;
  }
  const int hz = refreshHz >= kLowestHz && refreshHz <= kHighestHz ? refreshHz : kAssumedHz;
  const double period = 1000.0 / hz;
  // "VSYNC=0" presents without waiting for the blank, but a frame sooner than the display's
  // period would never be seen: the rest of the period is slept instead of drawn.
  if (!intervalSet || sync != 1) pacing_ = true;
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
