#pragma once
// Image fonts: a TrueType face rendered into white glyphs with coverage in alpha, so SetColor
// tints them. Loading needs no display; textures are made on first draw.
#include <functional>
#include <memory>

#include "platform/Image.h"
#include "platform/String.h"

namespace platform {

struct Glyph {
  ImagePtr image;  // nullptr for a blank glyph (space)
  int frame = 0;
  int gx = 0;  // offset of the picture from the pen
  int gy = 0;  // from the top of the line
  int advance = 0;
};

class ImageFont {
 public:
  virtual ~ImageFont() = default;
  // nullptr when the character has no glyph (skipped, pen does not move).
  virtual const Glyph* GetGlyph(char16_t c) = 0;
  // Line height, the same for every text.
  virtual int Height() const = 0;
  virtual int Size() const = 0;
};
using ImageFontPtr = std::shared_ptr<ImageFont>;

// style: 1 bold, 2 italic, 4 smooth (antialiased). nullptr on failure.
ImageFontPtr LoadImageFont(StringView path, int size, int style = 4);
// A font with fixed metrics for tests: every character `advance` wide, lines `height` high,
// glyphs filled white boxes.
ImageFontPtr CreateFixedFont(int advance, int height);
// The runtime's own small font, used when no image font is set.
ImageFontPtr BuiltinFont();

// nullptr selects the built-in font.
void SetImageFont(const ImageFontPtr& font);
ImageFontPtr GetImageFont();  // nullptr while the built-in font is current
// Top-left corner of the line at (x, y); uses the current colour, alpha, blend, scale, rotation.
void DrawText(StringView text, float x, float y);
// Whole pixels at scale 1, additive: TextWidth(a + b) == TextWidth(a) + TextWidth(b).
int TextWidth(StringView text);
int TextHeight(StringView text);

// Test seam: told of every text drawn, with the box its glyph pictures cover on the logical
// screen (origin, handle, scale and rotation applied; the viewport is the caller's to ask).
// Unset in the program.
using TextDrawHook = std::function<void(StringView text, float x0, float y0, float x1, float y1)>;
void SetTextDrawHook(TextDrawHook hook);

}  // namespace platform
