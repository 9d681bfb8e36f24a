#pragma once
// An ordered list of counters (the play screen's gauge delays).
#include <memory>

#include "gfx/TCounter.h"
#include "gfx/TSafeList.h"

class TCounterList {
 public:
  virtual ~TCounterList() = default;

  // A new activated counter appended to the list.
  virtual std::shared_ptr<TCounter> AddNew(int lengthMs);
  // Manage of every counter; removeFinished != 0 drops those that ended this tick. Returns 0.
  virtual int Manage(int removeFinished);

  int Count() const { return items_.Count(); }
  void Clear() { items_.Clear(); }
  void AddLast(std::shared_ptr<TCounter> counter) { items_.PushBack(std::move(counter)); }
  template <class F>
  void ForEach(F&& f) {
    items_.Walk([&](const std::shared_ptr<TCounter>& c, TSafeList<TCounter>::Slot) { f(c); });
  }

 private:
  TSafeList<TCounter> items_;
};
