#pragma once
// A filled disc in an optional colour.
#include <memory>

class TColor;

class TCircle {
 public:
  virtual ~TCircle() = default;

  std::shared_ptr<TColor> Color;
  float r = 0;
  float x = 0;
  float y = 0;

  static std::shared_ptr<TCircle> Create(int x, int y, int r, const std::shared_ptr<TColor>& color);
  // With a colour: applied before, white at alpha 1 after.
  virtual int Draw();
};
