#pragma once
// The frame clock: how many 5 ms logic ticks are due since the previous frame.
#include <vector>

#include "core/TTrackingVar.h"

class TFixedRateLogic : public TTrackingVar {
 public:
  int FramerateDefault = 200;
  float Framerate = 200.0f;
  double LastTime = 0;
  double TmpMS = 0;
  double NumTicks = 0;
  double LastNumTicks = 0;
  float MS = 0;
  float DeltaMultiplier = 1.0f;
  float FullDelta = 0;
  int Threshold = 50;
  int JitterCorrection = 1;
  int HistorySize = 1;
  int HistorySizeMax = 50;
  std::vector<int> History;  // allocated once by Create
  int HistoryCounter = 0;
  int First = 0;
  int FirstMax = 5;
  int IgnoreHistoryOnSpeedChange = 1;

  // Restarts the clock so that time spent blocking is not caught up.
  int Init() override;
  virtual int Create();
  virtual int CalcMS();
  virtual int SetThreshold(int ms);
  // Once per frame: sets NumTicks.
  virtual int Calc();
  // Delta = x * DeltaMultiplier.
  virtual int SetDelta(float x);
  virtual int SetDefaultFramerate(int hz);
  virtual int HistoryClear();
};
