#include "gfx/Geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "gfx/CollisionLayers.h"
#include "gfx/TCircle.h"
#include "gfx/TLine.h"

namespace {

// The parameter of the segment point nearest (cx, cy), in [0, 1].
double NearestU(double x1, double y1, double x2, double y2, double cx, double cy) {
  const double ddx = x2 - x1;
  const double ddy = y2 - y1;
  const double lengthSquared = ddx * ddx + ddy * ddy;
  // A zero-length segment: 0/0, which clamping would not turn into a number.
  if (lengthSquared == 0.0) return 0.0;
  const double u = ((cx - x1) * ddx + (cy - y1) * ddy) / lengthSquared;
  return std::clamp(u, 0.0, 1.0);
}

}  // namespace

double ccPointToPointDist(double x1, double y1, double x2, double y2) {
  return std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
}

double ccCircleHalfWidthAtY(float r, float y) {
  return std::sqrt(static_cast<double>(r) * r - static_cast<double>(y) * y);
}

int ccCircleLineIntersect(const TCircle& circle, const TLine& line) {
  const double u = NearestU(line.sx, line.sy, line.ex, line.ey, circle.x, circle.y);
  const double nx = line.sx + u * (line.ex - line.sx);
  const double ny = line.sy + u * (line.ey - line.sy);
  const double ddx = circle.x - nx;
  const double ddy = circle.y - ny;
  const double r = circle.r;
  return ddx * ddx + ddy * ddy <= r * r ? 1 : 0;
}

int ccCircleLineIntersect2(double x1, double y1, double x2, double y2, double cx, double cy,
                           double r) {
  const double u = NearestU(x1, y1, x2, y2, cx, cy);
  const double nx = x1 + u * (x2 - x1);
  const double ny = y1 + u * (y2 - y1);
  return ccPointToPointDist(nx, ny, cx, cy) < r ? 1 : 0;
}

int ccGenericPointInQuad(int px, int py, int x1, int y1, int x2, int y2, int x3, int y3, int x4,
                         int y4) {
  const int xs[4] = {x1, x2, x3, x4};
  const int ys[4] = {y1, y2, y3, y4};
  for (int i = 0; i < 4; ++i) {
    const int j = (i + 1) % 4;
    // 32-bit products as specified, computed without signed overflow.
    const auto cross = static_cast<int32_t>(
        static_cast<uint32_t>(py - ys[i]) * static_cast<uint32_t>(xs[j] - xs[i]) -
        static_cast<uint32_t>(px - xs[i]) * static_cast<uint32_t>(ys[j] - ys[i]));
    if (cross <= 0) return 0;
  }
  return 1;
}

int ccRectsOverlap(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2) {
  if (x1 >= x2 + w2 || x1 + w1 <= x2) return 0;
  if (y1 >= y2 + h2 || y1 + h1 <= y2) return 0;
  return 1;
}

int ccImageRectCollide(const platform::ImagePtr& image, float x, float y, int frame, float rx,
                       float ry, float rw, float rh) {
  ResetCollisions(0);
  CollideImage(image, static_cast<int>(x), static_cast<int>(y), frame, 0, 1);
  return CollideRect(rx, ry, rw, rh, 1, 0).empty() ? 0 : 1;
}

int ccBezier(float x0, float y0, float x3, float y3, float x1, float y1, float x2, float y2,
             float t, float& outX, float& outY) {
  const float s = 1.0f - t;
  const double sd = s;
  const double td = t;
  const double s3 = std::pow(sd, 3.0);
  const double s2t = 3.0 * std::pow(sd, 2.0) * td;
  const double st2 = 3.0 * sd * std::pow(td, 2.0);
  const double t3 = std::pow(td, 3.0);
  outX = static_cast<float>(x0 * s3 + x1 * s2t + x2 * st2 + x3 * t3);
  outY = static_cast<float>(y0 * s3 + y1 * s2t + y2 * st2 + y3 * t3);
  return 0;
}

TVectorPtr ccVectorAdd(const TVector& a, const TVector& b) { return TVector::Create(a.x + b.x, a.y + b.y); }

TVectorPtr ccVectorSubtract(const TVector& a, const TVector& b) {
  return TVector::Create(a.x - b.x, a.y - b.y);
}

TVectorPtr ccVectorMultiply(const TVector& v, float s) { return TVector::Create(v.x * s, v.y * s); }

int ccAlmostZero(double v, double tolerance) {
  return (v == 0.0 || (-tolerance < v && v < tolerance)) ? 1 : 0;
}
