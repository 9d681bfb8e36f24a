#pragma once
// A point with float coordinates (the level map's chapter markers).
class TAccuratePoint {
 public:
  float X = 0;
  float Y = 0;
  int Set(float x, float y) {
    X = x;
    Y = y;
    return 0;
  }
};
