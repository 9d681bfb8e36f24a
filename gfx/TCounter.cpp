#include "gfx/TCounter.h"

#include "core/Globals.h"
#include "core/TGame.h"

int TCounter::Activate() {
  Counter = static_cast<float>(CounterLength);
  Active = 1;
  return 0;
}

std::shared_ptr<TCounter> TCounter::Create(int lengthMs, int activate) {
  auto counter = std::make_shared<TCounter>();
  counter->CounterLength = static_cast<int>(Game->CalcAnimLength(lengthMs));
  if (activate != 0) counter->Activate();
  return counter;
}

float TCounter::GetRatio() const {
  return CounterLength > 0 ? Counter / static_cast<float>(CounterLength) : 0.0f;
}

int TCounter::Manage() {
  if (Counter <= 0) {
    // A count shorter than one tick starts at 0 and would otherwise never end.
    if (Active && CounterLength <= 0) {
      Stop(1);
      return 1;
    }
    return 0;
  }
  Counter -= Delta;
  if (Counter > 0) return 0;
  Stop(1);
  return 1;
}

int TCounter::Stop(int clear) {
  Active = 0;
  if (clear != 0) Counter = 0;
  return 0;
}
