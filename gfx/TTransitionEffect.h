#pragma once
// The parameters of a slide's entry, hold or exit transition.
#include <memory>

#include "gfx/TGameImage.h"

class TTransitionEffect {
 public:
  virtual ~TTransitionEffect() = default;

  int EffectType = 0;  // 0 none, 1 fade in from black, 2 fade out to black, 3 cross-fade
  int Length = 0;  // whole ticks
  float ScrollSpeedX = 0;  // pixels per tick
  float ScrollSpeedY = 0;
  float ZoomSpeed = 0;  // scale per tick
  TGameImagePtr MaskImage;
  float MaskStartSize = 1.0f;
  float MaskEndSize = 1.0f;
  int MaskAndFade = 0;

  static std::shared_ptr<TTransitionEffect> Create(int effectType, int lengthMs);
  // Every field, the mask picture shared.
  virtual std::shared_ptr<TTransitionEffect> CreateCopy() const;
};
