#pragma once
// A rectangle of four integer edges.
class TRect {
 public:
  int L = 0;  // left
  int T = 0;  // top
  int R = 0;  // right
  int B = 0;  // bottom
};
