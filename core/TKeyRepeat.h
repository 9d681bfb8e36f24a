#pragma once
// Auto-repeat of a held key, once per logic tick: the press, then after the initial delay,
// then every DelayLength ms.
#include <memory>

class TKeyRepeat {
 public:
  virtual ~TKeyRepeat() = default;
  int InitialDelayLength = 0;
  float InitialDelayCounter = 0;
  int DelayLength = 0;
  int DelayCounter = 0;
  int LastState = 0;

  virtual int ClearDelays();
  static std::shared_ptr<TKeyRepeat> Create(int initialDelayMs, int repeatMs);
  // 1: act now.
  virtual int GetKey(int k);
};
