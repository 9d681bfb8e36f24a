#pragma once
// An on/off blinker with a start delay and an optional sound on each turn-on.
#include <memory>

class TGameSound;

class TFlasher {
 public:
  virtual ~TFlasher() = default;

  std::shared_ptr<TGameSound> FlashSound;  // set by the owner
  int FlashState = 1;  // 1 on, 0 off
  float AnimCounter = 0;  // ticks left of the whole flashing time
  int DelayEnd = 0;  // flashing runs once AnimCounter is at or below this
  float FlashCounter = 0;  // ticks left in the current state
  int OnLength = 0;
  int OffLength = 0;

  static std::shared_ptr<TFlasher> Create(int totalMs, int onMs, int offMs, int delayMs);
  // 1 once the flashing time is over, else 0.
  virtual int Manage();
  virtual int PlayFlashSound();
  virtual int SetToOff();
};
