#include "gfx/TAnimation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/Globals.h"
#include "core/TGame.h"
#include "gfx/CounterHelpers.h"
#include "gfx/MathHelpers.h"

namespace {
float SinDeg(float degrees) {
  return static_cast<float>(std::sin(static_cast<double>(degrees) * std::numbers::pi / 180.0));
}
}  // namespace

int TAnimation::AddPhase(int lengthMs) {
  if (TotalPhases >= MAX_PHASES) return 0;
  Length[static_cast<size_t>(TotalPhases)] = Game->CalcAnimLength(lengthMs);
  ++TotalPhases;
  return 0;
}

TAnimationPtr TAnimation::Create(int lengthMs, int leaveActive, int reverse, int cycle,
                                 int pingPong) {
  auto anim = std::make_shared<TAnimation>();
  anim->Init(lengthMs, leaveActive, reverse, cycle, pingPong);
  return anim;
}

int TAnimation::Clear() {
  Active = 0;
  LoopTotal = 0;
  Counter = 0;
  CurrentPhase = 0;
  Finished = 0;
  Cycle = 0;
  LeaveActive = 0;
  PingPong = 0;
  Reverse = 0;
  OriginalReverse = 0;
  LoopCount = 0;
  TotalPhases = 1;
  Direction = 1;
  return 0;
}

int TAnimation::EndAnim() {
  const int ended = CurrentPhase;
  CurrentPhase += Direction == 1 ? 1 : -1;
  const bool passEnded =
      (Direction == 1 && CurrentPhase >= TotalPhases) || (Direction == 0 && CurrentPhase <= -1);
  if (!passEnded) {
    // The overshoot of the ended phase is dropped.
    Counter = Reverse == 0 ? Length[static_cast<size_t>(CurrentPhase)] : 0.0f;
    return 0;
  }
  ++LoopCount;
  // At or past the limit, so a held end stays held rather than starting to repeat.
  const bool repeat = Cycle != 0 && !(LoopTotal > 0 && LoopCount >= LoopTotal);
  if (!repeat) {
    Finished = 1;
    if (LeaveActive) {
      CurrentPhase = TotalPhases - 1;
      Counter = Reverse == 0 ? 0.0f : Length[static_cast<size_t>(CurrentPhase)];
    } else {
      Counter = 0;
      CurrentPhase = 0;
      Active = 0;
    }
    return 1;
  }
  if (PingPong) {
    // Turn round, carrying the overshoot into the return leg.
    const float l = Length[static_cast<size_t>(std::clamp(ended, 0, TotalPhases - 1))];
    if (Reverse == 0) {
      Counter = -Counter;
      Reverse = 1;
    } else {
      Counter = l - (Counter - l);
      Reverse = 0;
    }
    if (Direction == 1) {
      Direction = 0;
      CurrentPhase = TotalPhases - 1;
    } else {
      Direction = 1;
      CurrentPhase = 0;
    }
    return 0;
  }
  CurrentPhase = 0;
  Counter = Reverse == 0 ? Length[0] : 0.0f;
  return 0;
}

int TAnimation::GetAnimFrame(int frames) {
  const int phase = std::clamp(CurrentPhase, 0, MAX_PHASES - 1);
  return ccCalcAnimFrame(Counter, static_cast<int>(Length[static_cast<size_t>(phase)]), frames,
                         Reverse);
}

int TAnimation::GetAnimFrameProper(int frames) {
  const int f = GetAnimFrame(frames);
  return Reverse != 0 ? frames - 1 - f : f;
}

float TAnimation::GetRatio() {
  const int phase = std::clamp(CurrentPhase, 0, MAX_PHASES - 1);
  const float length = Length[static_cast<size_t>(phase)];
  // 0/0 would give NaN positions to whoever draws from the ratio.
  if (length <= 0) return Reverse == 0 ? 0.0f : 1.0f;
  return Counter / length;
}

float TAnimation::GetRatioSine() { return SinDeg(GetRatio() * 90.0f); }
float TAnimation::GetRatioSine180() { return ccRatioToSine180(GetRatio()); }
float TAnimation::GetRatioInv() { return 1.0f - GetRatio(); }
float TAnimation::GetRatioInvSine() { return SinDeg((1.0f - GetRatio()) * 90.0f); }
float TAnimation::GetRatioInvSine180() { return ccRatioToSine180(GetRatioInv()); }

int TAnimation::Init(int lengthMs, int leaveActive, int reverse, int cycle, int pingPong) {
  Length[0] = Game->CalcAnimLength(lengthMs);
  CurrentPhase = 0;
  Finished = 0;
  TotalPhases = 1;
  Direction = 1;
  LoopCount = 0;
  Cycle = cycle;
  LeaveActive = leaveActive;
  PingPong = pingPong;
  Reverse = reverse;
  OriginalReverse = reverse;
  return 0;
}

int TAnimation::InsertPhase(int lengthMs, int index) {
  if (TotalPhases >= MAX_PHASES) return 0;
  index = std::clamp(index, 0, TotalPhases);
  for (int i = TotalPhases; i > index; --i) {
    Length[static_cast<size_t>(i)] = Length[static_cast<size_t>(i - 1)];
  }
  Length[static_cast<size_t>(index)] = Game->CalcAnimLength(lengthMs);
  ++TotalPhases;
  return 0;
}

int TAnimation::Manage() {
  if (!Active) return 0;
  if (Reverse == 0) {
    Counter -= Delta;
    if (Counter <= 0) {
      EndAnim();
      return 1;
    }
  } else {
    Counter += Delta;
    const int phase = std::clamp(CurrentPhase, 0, MAX_PHASES - 1);
    if (Counter > Length[static_cast<size_t>(phase)]) {
      EndAnim();
      return 1;
    }
  }
  return 0;
}

int TAnimation::Reset() {
  Counter = 0;
  return Start();
}

int TAnimation::Start() {
  if (PingPong) Reverse = OriginalReverse;
  if (Reverse == 0) {
    // Phase 0 runs next, so it is phase 0's length that loads (not the held last phase's).
    if (Counter <= 0) Counter = Length[0];
  } else {
    Counter = 0;
  }
  Active = 1;
  CurrentPhase = 0;
  Finished = 0;
  Direction = 1;
  LoopCount = 0;
  return 0;
}

int TAnimation::Stop() {
  CurrentPhase = Direction == 1 ? TotalPhases - 1 : 0;
  EndAnim();
  return 0;
}
