#include "core/TMouseRepeat.h"

#include "core/RepeatStep.h"
#include "core/TMousePointer.h"

int TMouseRepeat::ClearDelays() {
  InitialDelayCounter = 0;
  DelayCounter = 0;
  return 0;
}

std::shared_ptr<TMouseRepeat> TMouseRepeat::Create(int initialDelayMs, int repeatMs) {
  auto r = std::make_shared<TMouseRepeat>();
  r->InitialDelayLength = initialDelayMs;
  r->DelayLength = repeatMs;
  return r;
}

int TMouseRepeat::GetButton() { return RepeatStep(*this, Game->Mouse->GetMb() != 0, 2); }
