#pragma once
// Keeps presents at most one refresh period apart. Flip(0) ("VSYNC=0") presents at once and
// then sleeps the rest of the period, so no frame is drawn that the display cannot show;
// Flip(1) is held to the refresh rate only where the swap interval does not do it: the
// driver refused it, or presents keep coming back faster than any display shows them.
// Internal to platform/ (the renderer owns one).

namespace platform {

class FramePacer {
 public:
  // Presents watched before deciding that the swap interval does not hold them back.
  static constexpr int kWatchedFrames = 30;

  // Called after every present with the sync asked for, whether the swap interval was set,
  // the clock and the display's refresh rate (0 or less: unknown, 60 is assumed). Returns the
  // milliseconds to sleep before the next frame.
  int AfterPresent(int sync, bool intervalSet, int nowMs, int refreshHz);
  // Whether a present now would come a whole period after the last paced one (always, when
  // nothing is paced): work that may skip a frame asks this instead of sleeping.
  bool FrameDue(int nowMs) const;
  // Forgets what was seen (a new display, or another swap interval).
  void Reset();
  bool Pacing() const { return pacing_; }

 private:
  bool pacing_ = false;
  bool running_ = false;
  int sync_ = -1;  // the sync of the last present
  double due_ = 0;  // when the next frame is due, in clock milliseconds
  int watchStart_ = 0;
  int watched_ = 0;
};

}  // namespace platform
