#include "gfx/TVector.h"

#include <cmath>
#include <numbers>

#include "platform/Graphics.h"

namespace {
double Rad(double degrees) { return degrees * std::numbers::pi / 180.0; }
}  // namespace

TVectorPtr TVector::Create(double x, double y) {
  auto v = std::make_shared<TVector>();
  v->x = x;
  v->y = y;
  return v;
}

TVectorPtr TVector::CreateFromPoints(double x1, double y1, double x2, double y2) {
  return Create(x2 - x1, y2 - y1);
}

TVectorPtr TVector::CreateFromVectorsAdded(const TVector& a, const TVector& b) {
  return Create(a.x + b.x, a.y + b.y);
}

TVectorPtr TVector::CreateFromVectorScaled(const TVector& v, double s) {
  return Create(v.x * s, v.y * s);
}

TVectorPtr TVector::CreateFromVectorsSubtracted(const TVector& a, const TVector& b) {
  return Create(b.x - a.x, b.y - a.y);
}

int TVector::AddVector(const TVector& v) {
  x += v.x;
  y += v.y;
  return 0;
}

double TVector::CalcLength() const { return std::sqrt(x * x + y * y); }

TVectorPtr TVector::CalcNormal() const { return Create(-y, x); }

double TVector::CalcSlope() const { return y / x; }

TVectorPtr TVector::CreateCopy() const { return Create(x, y); }

int TVector::CopyFrom(const TVector& v) {
  x = v.x;
  y = v.y;
  return 0;
}

double TVector::DotProduct(const TVector& v) const { return x * v.x + y * v.y; }

int TVector::Draw(float px, float py, int lastPixel) const {
  platform::DrawLine(px, py, px + static_cast<float>(x), py + static_cast<float>(y),
                     lastPixel != 0);
  return 0;
}

int TVector::Multiply(double s) {
  x *= s;
  y *= s;
  return 0;
}

int TVector::Normalise() {
  const double length = CalcLength();
  x /= length;
  y /= length;
  return 0;
}

int TVector::Rebound(const TVector& surface) {
  const TVectorPtr n = surface.CalcNormal();
  n->Normalise();
  const double k = 2.0 * n->DotProduct(*this);
  x -= n->x * k;
  y -= n->y * k;
  return 0;
}

int TVector::Reverse() {
  x = -x;
  y = -y;
  return 0;
}

int TVector::Rotate(double angle) {
  const double c = std::cos(Rad(angle));
  const double s = std::sin(Rad(angle));
  const double nx = x * c - y * s;
  const double ny = x * s + y * c;
  x = static_cast<double>(static_cast<float>(nx));
  y = ny;
  return 0;
}

int TVector::Scale(double s) { return Multiply(s); }

int TVector::SubtractVector(const TVector& v) {
  x -= v.x;
  y -= v.y;
  return 0;
}
