#pragma once
// Frames per second over windows of just over a second.
#include "core/TTrackingVar.h"

class TFPSCounter : public TTrackingVar {
 public:
  int counter = 0;
  int time = 0;
  int framerate = 0;
  int minimum = 999;

  int Init() override;
  int Display(float x, float y) override;
  String GetDisplay() override;
  virtual int Calc();
};
