#pragma once
// A font with fixed metrics for tests: every character one advance wide, drawn as a filled
// white box a line high; the space is blank.
#include "platform/Font.h"

namespace platform {

class FixedFont : public ImageFont {
 public:
  FixedFont(int advance, int height);
  const Glyph* GetGlyph(char16_t c) override;
  int Height() const override { return height_; }
  int Size() const override { return height_; }

 private:
  int height_;
  Glyph box_;
  Glyph blank_;
};

}  // namespace platform
