#pragma once
// A timed emitter: drifts with its own velocity and calls its make function Qty more times,
// one per Interval ticks (several in one step when the step is longer than the interval).
#include <functional>
#include <memory>

class TParticleGenerator;
using TParticleGeneratorPtr = std::shared_ptr<TParticleGenerator>;

class TParticleGenerator {
 public:
  virtual ~TParticleGenerator() = default;

  int Active = 1;
  float x = 0;
  float y = 0;
  float dx = 0;
  float dy = 0;
  int Qty = 0;  // emissions still to come by the interval
  float Interval = 0;  // ticks
  float IntervalCounter = 0;
  std::function<int(TParticleGenerator&)> MakeParticleFunction;
  int Data1 = 0;
  int Data2 = 0;

  // Qty = qty - 1; makeNow != 0 makes one emission at once.
  static TParticleGeneratorPtr Create(float x, float y, int qty, float intervalMs,
                                      std::function<int(TParticleGenerator&)> makeFunction,
                                      int data1, int data2, int makeNow);
  // -1 when inactive; 1 on the tick of the last emission; else 0.
  virtual int Manage();
};
