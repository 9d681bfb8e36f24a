#pragma once
// Holds Flip(1) to the display's refresh rate where the swap interval does not: the driver
// refused it, or presents keep coming back faster than any display shows them. Internal to
// platform/ (the renderer owns one).

namespace platform {

class FramePacer {
 public:
  // Presents watched before deciding that the swap interval does not hold them back.
  static constexpr int kWatchedFrames = 30;

  // Called after every present with the sync asked for, whether the swap interval was set,
  // the clock and the display's refresh rate (0 or less: unknown, 60 is assumed). Returns the
  // milliseconds to sleep before the next frame; Flip(0) never sleeps.
  int AfterPresent(int sync, bool intervalSet, int nowMs, int refreshHz);
  // Forgets what was seen (a new display, or another swap interval).
  void Reset();
  bool Pacing() const { return pacing_; }

 private:
  bool pacing_ = false;
  bool running_ = false;
  double due_ = 0;  // when the next frame is due, in clock milliseconds
  int watchStart_ = 0;
  int watched_ = 0;
};

}  // namespace platform
