#pragma once
// Auto-repeat of a held mouse button: 1 for the press, 2 for each repeat.
#include <memory>

class TMouseRepeat {
 public:
  virtual ~TMouseRepeat() = default;
  int InitialDelayLength = 0;
  float InitialDelayCounter = 0;
  int DelayLength = 0;
  int DelayCounter = 0;
  int LastState = 0;

  virtual int ClearDelays();
  static std::shared_ptr<TMouseRepeat> Create(int initialDelayMs, int repeatMs);
  virtual int GetButton();
};
