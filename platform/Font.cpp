#include "platform/Font.h"

#include <algorithm>
#include <cmath>

#include "platform/BuiltinBitmapFont.h"
#include "platform/FixedFont.h"
#include "platform/FreeTypeFont.h"
#include "platform/Graphics.h"
#include "platform/Renderer.h"
#include "platform/Stream.h"

namespace platform {

namespace {

ImageFontPtr g_font;  // nullptr: the built-in font

ImageFont& Current() { return g_font ? *g_font : *BuiltinFont(); }

TextDrawHook g_textHook;

// The glyph pictures' box of a text drawn at (x, y), as the renderer places it.
void ReportText(StringView text, float x, float y, ImageFont& font, float hx, float hy) {
  float lx0 = 0, ly0 = 0, lx1 = 0, ly1 = 0;
  bool any = false;
  int pen = 0;
  for (const char16_t c : text) {
    const Glyph* glyph = font.GetGlyph(c);
    if (!glyph) continue;
    if (const Image* image = glyph->image.get()) {
      const float gx0 = static_cast<float>(pen + glyph->gx) - hx;
      const float gy0 = static_cast<float>(glyph->gy) - hy;
      const float gx1 = gx0 + static_cast<float>(image->width);
      const float gy1 = gy0 + static_cast<float>(image->height);
      lx0 = any ? std::min(lx0, gx0) : gx0;
      ly0 = any ? std::min(ly0, gy0) : gy0;
      lx1 = any ? std::max(lx1, gx1) : gx1;
      ly1 = any ? std::max(ly1, gy1) : gy1;
      any = true;
    }
    pen += glyph->advance;
  }
  if (!any) return;
  float sx = 1, sy = 1, ox = 0, oy = 0;
  GetScale(sx, sy);
  GetOrigin(ox, oy);
  const float a = GetRotation() * 3.14159265f / 180.0f;
  const float ca = std::cos(a), sa = std::sin(a);
  float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  int k = 0;
  for (const float u : {lx0, lx1}) {
    for (const float v : {ly0, ly1}) {
      const float px = x + ox + ca * u * sx - sa * v * sy;
      const float py = y + oy + sa * u * sx + ca * v * sy;
      x0 = k == 0 ? px : std::min(x0, px);
      y0 = k == 0 ? py : std::min(y0, py);
      x1 = k == 0 ? px : std::max(x1, px);
      y1 = k == 0 ? py : std::max(y1, py);
      ++k;
    }
  }
  g_textHook(text, x0, y0, x1, y1);
}

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
  if (g_textHook) ReportText(text, x, y, font, hx, hy);
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

void SetTextDrawHook(TextDrawHook hook) { g_textHook = std::move(hook); }

}  // namespace platform
