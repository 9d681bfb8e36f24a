#pragma once
// A print position that moves down a line at a time (the debug panel's writer).
#include "platform/String.h"

class TTextCursor {
 public:
  int x = 0;
  int y = 0;
  int linegap = 20;
  int Shadow = 0;  // 1: lines are drawn with the text shadow

  virtual ~TTextCursor() = default;

  virtual int Init(int x, int y, int linegap);
  virtual int NewLine();
  // Draws at (x, y) without moving.
  virtual int Output(StringView text);
  virtual int OutputNL(StringView text);
};
