#include "core/TKeyRepeat.h"

#include "core/Input.h"
#include "core/RepeatStep.h"

int TKeyRepeat::ClearDelays() {
  InitialDelayCounter = 0;
  DelayCounter = 0;
  return 0;
}

std::shared_ptr<TKeyRepeat> TKeyRepeat::Create(int initialDelayMs, int repeatMs) {
  auto r = std::make_shared<TKeyRepeat>();
  r->InitialDelayLength = initialDelayMs;
  r->DelayLength = repeatMs;
  return r;
}

int TKeyRepeat::GetKey(int k) { return RepeatStep(*this, KeyDown(k) != 0, 1); }
