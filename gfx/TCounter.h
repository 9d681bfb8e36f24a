#pragma once
// A one-shot countdown in logic ticks.
#include <memory>

class TCounter {
 public:
  virtual ~TCounter() = default;

  int Active = 0;
  float Counter = 0;  // ticks left; 0 or below = idle
  int CounterLength = 1000;  // whole ticks

  virtual int Activate();
  static std::shared_ptr<TCounter> Create(int lengthMs, int activate);
  // Counter / CounterLength (1 -> 0 while counting).
  virtual float GetRatio() const;
  // 1 on the tick the count ends, else 0. Active is consulted only for a count shorter than
  // one tick, which ends at its first Manage.
  virtual int Manage();
  // Active = 0; clear != 0 also zeroes the counter (otherwise it keeps counting).
  virtual int Stop(int clear);
};
