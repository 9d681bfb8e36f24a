#pragma once
// A bare tag for entries of the collision layers.
class TCollideObject {
 public:
  virtual ~TCollideObject() = default;
  int Value = 0;
};
