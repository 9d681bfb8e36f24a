#pragma once
// A line segment in double precision with an optional colour.
#include <memory>

#include "gfx/TVector.h"

class TColor;

class TLine {
 public:
  virtual ~TLine() = default;

  double sx = 0;
  double sy = 0;
  double ex = 0;
  double ey = 0;
  double length = 0;  // valid after CalcLength
  std::shared_ptr<TColor> Color;

  static std::shared_ptr<TLine> Create(double sx, double sy, double ex, double ey);
  // From (x, y) to (x + v.x, y + v.y).
  static std::shared_ptr<TLine> CreateFromVector(double x, double y, const TVector& v);
  virtual int CalcLength();
  // A vertical line gives an infinity or NaN.
  virtual double CalcSlope() const;
  virtual int Draw(int lastPixel);
  virtual TVectorPtr GetVector() const;
  // Does not recompute length.
  virtual int SetFromVector(const TVector& v, int x, int y);
};
