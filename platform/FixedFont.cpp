#include "platform/FixedFont.h"

#include <algorithm>

namespace platform {

FixedFont::FixedFont(int advance, int height) : height_(std::max(height, 0)) {
  advance = std::max(advance, 0);
  if (advance > 0 && height_ > 0) {
    box_.image = std::make_shared<Image>(advance, height_, 1, 0);
    box_.image->handleX = 0;
    box_.image->handleY = 0;
    Pixmap& pixmap = *box_.image->frames[0];
    std::fill(pixmap.Pixels(), pixmap.Pixels() + static_cast<size_t>(advance) * height_, 0xFFFFFFFFu);
  }
  box_.advance = advance;
  blank_.advance = advance;
}

const Glyph* FixedFont::GetGlyph(char16_t c) { return c == u' ' ? &blank_ : &box_; }

}  // namespace platform
