#pragma once
// One timed stretch of a particle's life: what the particle takes on when the phase starts.
#include <functional>
#include <memory>

class TParticle;

class TParticlePhase {
 public:
  virtual ~TParticlePhase() = default;

  float Length = 0;  // ticks
  int Hidden = 0;
  float dx = 0;
  float dy = 0;
  int SetCoords = 0;  // exactly 1: the particle jumps to (SetX, SetY)
  float SetX = 0;
  float SetY = 0;
  float xgravity = 0;
  float ygravity = 0;
  float FadeInMS = 0;
  float FadeSustainMS = 0;
  float FadeMS = 0;
  int DoRotate = 0;
  float RotationSpeed = 0;
  int SetAngle = 0;
  float Angle = 0;
  int DoScale = 0;
  float ScaleSpeed = 0;
  float Scale = 0;  // non-zero: both scales set to it
  int Alpha = -1;  // -1: alpha untouched
  // Called with the particle when the phase ends.
  std::function<int(TParticle&)> UserFunction;

  virtual int SetFade(int fadeInMs, int sustainMs, int fadeOutMs);
};
