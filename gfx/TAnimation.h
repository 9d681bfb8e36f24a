#pragma once
// The general timeline: a countdown through up to MAX_PHASES phases that owners read as a
// ratio (1 -> 0, or 0 -> 1 counting up), an eased ratio or a strip frame. Runs once, holds its
// end, repeats (LoopTotal times, or for ever) or swings back and forth. Lengths are stored in
// ticks when set; Manage moves the counter by Delta.
#include <array>
#include <memory>

class TAnimation;
using TAnimationPtr = std::shared_ptr<TAnimation>;

class TAnimation {
 public:
  static constexpr int MAX_PHASES = 50;

  virtual ~TAnimation() = default;

  int Active = 0;
  int LoopTotal = 0;  // passes before a repeating timeline finishes; 0 = no limit
  float Counter = 0;
  int CurrentPhase = 0;
  int Finished = 0;
  int TotalPhases = 1;
  int Cycle = 0;
  int Direction = 1;  // 1 ascending phases; 0 on the return leg of a ping-pong
  std::array<float, MAX_PHASES> Length{};  // ticks, not truncated
  int LeaveActive = 0;
  int PingPong = 0;
  int Reverse = 0;  // 0 counts down from the phase length, 1 counts up from 0
  int OriginalReverse = 0;
  int LoopCount = 0;  // passes since Start

  // Appends a phase; a timeline already holding MAX_PHASES phases is left unchanged.
  virtual int AddPhase(int lengthMs);
  static TAnimationPtr Create(int lengthMs, int leaveActive, int reverse, int cycle, int pingPong);
  virtual int Clear();
  // 1 when the timeline finished.
  virtual int EndAnim();
  virtual int GetAnimFrame(int frames);
  // Mirrored when Reverse is set, so a reversed timeline shows the strip backwards.
  virtual int GetAnimFrameProper(int frames);
  // Counter / phase length, not clamped. A phase of no length reads as over: 0 counting
  // down, 1 counting up.
  virtual float GetRatio();
  virtual float GetRatioSine();
  virtual float GetRatioSine180();
  virtual float GetRatioInv();
  virtual float GetRatioInvSine();
  virtual float GetRatioInvSine180();
  // Leaves Active, Counter and LoopTotal untouched.
  virtual int Init(int lengthMs, int leaveActive, int reverse, int cycle, int pingPong);
  // Inserts a phase at index (clamped to 0 .. TotalPhases); refused when full.
  virtual int InsertPhase(int lengthMs, int index);
  // 1 when a phase ended during this tick.
  virtual int Manage();
  virtual int Reset();
  // A counting-down timeline keeps a running counter; a spent one reloads phase 0's length.
  virtual int Start();
  // Counts the current pass as complete.
  virtual int Stop();
};
