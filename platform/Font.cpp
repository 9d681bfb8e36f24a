#include "platform/Font.h"

#include "platform/BuiltinBitmapFont.h"
#include "platform/FixedFont.h"
#include "platform/FreeTypeFont.h"
#include "platform/Renderer.h"
#include "platform/Stream.h"

namespace platform {

namespace {

ImageFontPtr g_font;  // nullptr: the built-in font

ImageFont& Current() { return g_font ? *g_font : *BuiltinFont(); }

}  // namespace

ImageFontPtr LoadImageFont(StringView path, int size, int style) {
  std::string bytes;
  if (!LoadBytes(path, bytes)) return nullptr;
  return FreeTypeFont::Create(std::move(bytes), size, style);
}

ImageFontPtr CreateFixedFont(int advance, int height) {
  return std::make_shared<FixedFont>(advance, height);
}

ImageFontPtr BuiltinFont() {
  static const ImageFontPtr font = std::make_shared<BuiltinBitmapFont>();
  return font;
}

void SetImageFont(const ImageFontPtr& font) { g_font = font; }

ImageFontPtr GetImageFont() { return g_font; }

void DrawText(StringView text, float x, float y) {
  Renderer& renderer = Renderer::Get();
  if (!renderer.Ready()) return;
  ImageFont& font = Current();
  float hx = 0, hy = 0;
  renderer.GetHandle(hx, hy);
  int pen = 0;
  for (const char16_t c : text) {
    const Glyph* glyph = font.GetGlyph(c);
    if (!glyph) continue;  // no glyph: skipped, the pen stays
    if (const Image* image = glyph->image.get()) {
      const SDL_Rect src{0, 0, image->width, image->height};
      renderer.DrawFrame(*glyph->image, glyph->frame, src, static_cast<float>(pen + glyph->gx) - hx,
                         static_cast<float>(glyph->gy) - hy, static_cast<float>(image->width),
                         static_cast<float>(image->height), x, y);
    }
    pen += glyph->advance;
  }
}

int TextWidth(StringView text) {
  ImageFont& font = Current();
  int width = 0;
  for (const char16_t c : text)
    if (const Glyph* glyph = font.GetGlyph(c)) width += glyph->advance;
  return width;
}

int TextHeight(StringView /*text*/) { return Current().Height(); }

}  // namespace platform
