#pragma once
// The auto-repeat step shared by TKeyRepeat and TMouseRepeat, once per logic tick:
// 1 on the press, `repeat` when the initial delay runs out and at every later repeat.
#include "core/Globals.h"
#include "core/TGame.h"

template <typename T>
int RepeatStep(T& r, bool down, int repeat) {
  if (!down) {
    r.ClearDelays();
    r.LastState = 0;
    return 0;
  }
  int result = 0;
  if (r.LastState == 0) {
    r.InitialDelayCounter = Game->CalcAnimLength(r.InitialDelayLength);
    result = 1;
  } else if (r.InitialDelayCounter > 0) {
    r.InitialDelayCounter -= Delta;
    if (r.InitialDelayCounter <= 0) {
      r.InitialDelayCounter = 0;
      r.DelayCounter = static_cast<int>(Game->CalcAnimLength(r.DelayLength));
      result = repeat;
    }
  } else if (r.DelayCounter > 0) {
    // An integer counter: a fractional step counts as a whole tick.
    r.DelayCounter = static_cast<int>(static_cast<float>(r.DelayCounter) - Delta);
    if (r.DelayCounter < 1) {
      r.DelayCounter = static_cast<int>(Game->CalcAnimLength(r.DelayLength));
      result = repeat;
    }
  }
  r.LastState = 1;
  return result;
}
