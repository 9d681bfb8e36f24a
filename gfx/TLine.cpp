#include "gfx/TLine.h"

#include <cmath>

#include "gfx/TColor.h"
#include "platform/Graphics.h"

std::shared_ptr<TLine> TLine::Create(double sx, double sy, double ex, double ey) {
  auto line = std::make_shared<TLine>();
  line->sx = sx;
  line->sy = sy;
  line->ex = ex;
  line->ey = ey;
  return line;
}

std::shared_ptr<TLine> TLine::CreateFromVector(double x, double y, const TVector& v) {
  return Create(x, y, x + v.x, y + v.y);
}

int TLine::CalcLength() {
  length = std::sqrt((ex - sx) * (ex - sx) + (ey - sy) * (ey - sy));
  return 0;
}

double TLine::CalcSlope() const { return (ey - sy) / (ex - sx); }

int TLine::Draw(int lastPixel) {
  if (Color) Color->Apply();
  platform::DrawLine(static_cast<float>(sx), static_cast<float>(sy), static_cast<float>(ex),
                     static_cast<float>(ey), lastPixel != 0);
  if (Color) TColor::Restore();
  return 0;
}

TVectorPtr TLine::GetVector() const { return TVector::Create(ex - sx, ey - sy); }

int TLine::SetFromVector(const TVector& v, int x, int y) {
  sx = x;
  sy = y;
  ex = x + v.x;
  ey = y + v.y;
  return 0;
}
