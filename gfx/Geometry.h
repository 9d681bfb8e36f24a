#pragma once
// Distance, circle, segment, quadrilateral and rectangle tests, a cubic Bezier point, pixel
// collision of an image with a rectangle, and vector arithmetic.
#include <memory>

#include "gfx/TVector.h"
#include "platform/Image.h"

class TCircle;
class TLine;

double ccPointToPointDist(double x1, double y1, double x2, double y2);
// The half-width of a circle of radius r at height y from its centre; NaN for |y| > r.
double ccCircleHalfWidthAtY(float r, float y);
// 1 when the segment passes within the radius; touching counts.
int ccCircleLineIntersect(const TCircle& circle, const TLine& line);
// 1 when the segment passes strictly within r; touching does not count.
int ccCircleLineIntersect2(double x1, double y1, double x2, double y2, double cx, double cy,
                           double r);
// 1 when the point lies strictly inside; the corners go clockwise as seen on the screen.
int ccGenericPointInQuad(int px, int py, int x1, int y1, int x2, int y2, int x3, int y3, int x4,
                         int y4);
// 1 when the rectangles overlap; touching edges do not count.
int ccRectsOverlap(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2);
// Resets every collision layer, writes the image into layer 1 (left there) and tests the rect.
int ccImageRectCollide(const platform::ImagePtr& image, float x, float y, int frame, float rx,
                       float ry, float rw, float rh);
// The curve's point at t; note the argument order: start, end, then the two controls.
int ccBezier(float x0, float y0, float x3, float y3, float x1, float y1, float x2, float y2,
             float t, float& outX, float& outY);
TVectorPtr ccVectorAdd(const TVector& a, const TVector& b);
// a - b (TVector::CreateFromVectorsSubtracted is the other way round).
TVectorPtr ccVectorSubtract(const TVector& a, const TVector& b);
TVectorPtr ccVectorMultiply(const TVector& v, float s);
// 1 when v is 0 or strictly within the tolerance.
int ccAlmostZero(double v, double tolerance);
