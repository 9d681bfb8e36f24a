#include "text/TTextCursor.h"

#include "text/TextDrawing.h"

int TTextCursor::Init(int x_, int y_, int linegap_) {
  x = x_;
  y = y_;
  linegap = linegap_;
  return 0;
}

int TTextCursor::NewLine() {
  y += linegap;
  return 0;
}

int TTextCursor::Output(StringView text) {
  return ccDrawText(text, static_cast<float>(x), static_cast<float>(y), Shadow, 0);
}

int TTextCursor::OutputNL(StringView text) {
  Output(text);
  NewLine();
  return 0;
}
