#pragma once
// A point with integer coordinates (cursor and window queries).
class TPoint {
 public:
  int X = 0;
  int Y = 0;
  int Set(int x, int y) {
    X = x;
    Y = y;
    return 0;
  }
};
