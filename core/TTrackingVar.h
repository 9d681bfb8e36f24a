#pragma once
// A value with its running maximum, shown on the debug panel as "Label" + "000/000".
#include "platform/String.h"

class TTrackingVar {
 public:
  virtual ~TTrackingVar() = default;

  int Current = 0;
  int maximum = 0;
  int displayLimit = 999;
  int displayLimitChars = 3;
  String Label;

  virtual int Init();
  virtual int Display(float x, float y);
  virtual String GetDisplay();
};
