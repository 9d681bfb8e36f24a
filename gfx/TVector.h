#pragma once
// A two-dimensional vector in double precision; angles in degrees.
#include <memory>

class TVector;
using TVectorPtr = std::shared_ptr<TVector>;

class TVector {
 public:
  virtual ~TVector() = default;

  double x = 0;
  double y = 0;

  static TVectorPtr Create(double x, double y);
  // (x2 - x1, y2 - y1).
  static TVectorPtr CreateFromPoints(double x1, double y1, double x2, double y2);
  static TVectorPtr CreateFromVectorsAdded(const TVector& a, const TVector& b);
  static TVectorPtr CreateFromVectorScaled(const TVector& v, double s);
  // b - a: the second minus the first (ccVectorSubtract is the other way round).
  static TVectorPtr CreateFromVectorsSubtracted(const TVector& a, const TVector& b);

  virtual int AddVector(const TVector& v);
  virtual double CalcLength() const;
  // (-y, x): a quarter turn.
  virtual TVectorPtr CalcNormal() const;
  virtual double CalcSlope() const;
  virtual TVectorPtr CreateCopy() const;
  virtual int CopyFrom(const TVector& v);
  virtual double DotProduct(const TVector& v) const;
  // A line from (px, py) to (px + x, py + y).
  virtual int Draw(float px, float py, int lastPixel) const;
  virtual int Multiply(double s);
  // Divides by the length (a zero vector gives NaN).
  virtual int Normalise();
  // Reflects this vector off a surface lying along the given vector.
  virtual int Rebound(const TVector& surface);
  virtual int Reverse();
  // x' goes through single precision before it is stored; y' stays double.
  virtual int Rotate(double angle);
  virtual int Scale(double s);
  virtual int SubtractVector(const TVector& v);
};
