#pragma once
// A millisecond stopwatch for the debug panel (logic and draw time).
#include "core/TTrackingVar.h"

class TDebugVar : public TTrackingVar {
 public:
  virtual int Start();
  virtual int Calc();
};
