#include "gfx/TCounterList.h"

std::shared_ptr<TCounter> TCounterList::AddNew(int lengthMs) {
  auto counter = TCounter::Create(lengthMs, 1);
  items_.PushBack(counter);
  return counter;
}

int TCounterList::Manage(int removeFinished) {
  items_.Walk([&](const std::shared_ptr<TCounter>& counter, TSafeList<TCounter>::Slot slot) {
    if (counter->Manage() == 1 && removeFinished != 0) items_.Remove(slot);
  });
  return 0;
}
