#pragma once
// An angle that sweeps between two limits once per logic tick and yields its sine (glows and
// pulsing effects). Degrees throughout.
#include <memory>

class TSineCounter {
 public:
  virtual ~TSineCounter() = default;

  int Active = 1;
  float Counter = 0;
  float Speed = 1.0f;  // degrees per tick, may be negative
  float StartPoint = 0;
  float EndPoint = 360;
  float ratio = 0;  // sin(Counter) after the last update
  int RunOnce = 0;  // 1: stop at a limit instead of wrapping

  static std::shared_ptr<TSineCounter> Create(float start, float end, float speed, int runOnce);
  // Keeps Active.
  virtual int Init(float start, float end, float speed, int runOnce);
  // 1 when active (after updating), else 0.
  virtual int Manage();
  virtual int SetCounter(float angle);
};
