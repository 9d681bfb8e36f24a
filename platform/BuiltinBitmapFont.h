#pragma once
// The runtime's own small font: printable ASCII drawn on a 6 by 11 cell, used when no image
// font is set (error box, debug panel). Needs no file and no display.
#include <array>

#include "platform/Font.h"

namespace platform {

class BuiltinBitmapFont : public ImageFont {
 public:
  BuiltinBitmapFont();
  const Glyph* GetGlyph(char16_t c) override;
  int Height() const override;
  int Size() const override;

 private:
  static constexpr int kFirst = 32;
  static constexpr int kCount = 95;
  ImagePtr sheet_;  // one frame per character
  std::array<Glyph, kCount> glyphs_;
};

}  // namespace platform
