#include "text/TextDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/Globals.h"
#include "platform/Font.h"
#include "platform/Graphics.h"

float ccShadowTextDepthX = 1.0f;
float ccShadowTextDepthY = 1.0f;
float ccShadowTextAlpha = 0.5f;
float ccTextAlpha = 1.0f;

namespace {

float Snap(float v) { return std::floor(v + 0.5f); }

// The final draw at an already placed point.
void Emit(StringView text, float x, float y, int shadow) {
  if (shadow != 0) {
    ccShadowText(x, y, text, 0);
  } else {
    platform::DrawText(text, x, y);
  }
}

// Where a centred line starts when the drawing scale is not 1: the width is scaled before it
// is halved and the line moves up by half of the height the scale adds.
void CentredPlacement(StringView text, float& x, float& y) {
  float sx = 1.0f;
  float sy = 1.0f;
  platform::GetScale(sx, sy);
  float w = static_cast<float>(platform::TextWidth(text));
  if (sx != 1.0f) w *= sx;
  x -= w / 2.0f;
  if (sy != 1.0f) {
    const auto h = static_cast<float>(platform::TextHeight(text));
    y -= (h * sy - h) / 2.0f;
  }
}

}  // namespace

int ccDrawText(StringView text, float x, float y, int shadow, int rounding) {
  if (rounding != 0) {
    x = Snap(x);
    y = Snap(y);
  }
  Emit(text, x, y, shadow);
  return 0;
}

int ccDrawTextAligned(StringView text, float x, float y, int shadow, int align, int rounding) {
  switch (align) {
    case 0:
      return ccDrawText(text, x, y, shadow, rounding);
    case 1:
      return ccDrawTextCentred(text, x, y, shadow, rounding);
    case 2:
      return ccDrawTextRight(text, x, y, shadow, rounding);
    default:
      return 0;
  }
}

int ccDrawTextCentred(StringView text, float x, float y, int shadow, int rounding) {
  CentredPlacement(text, x, y);
  if (rounding != 0) {
    x = Snap(x);
    y = Snap(y);
  }
  Emit(text, x, y, shadow);
  return 0;
}

int ccDrawTextCentredRoundX(StringView text, float x, float y, int shadow) {
  CentredPlacement(text, x, y);
  Emit(text, Snap(x), y, shadow);
  return 0;
}

int ccDrawTextCentre(StringView text, float y, int shadow, int rounding) {
  return ccDrawTextCentred(text, static_cast<float>(ScreenWidth) / 2.0f, y, shadow, rounding);
}

int ccDrawTextCentreAll(StringView text, int shadow, int /*rounding: already whole*/) {
  const int x = (ScreenWidth - platform::TextWidth(text)) / 2;
  const int y = (ScreenHeight - platform::TextHeight(text)) / 2;
  Emit(text, static_cast<float>(x), static_cast<float>(y), shadow);
  return 0;
}

int ccDrawTextRight(StringView text, float x, float y, int shadow, int rounding) {
  if (rounding != 0) {
    x = Snap(x);
    y = Snap(y);
  }
  Emit(text, x - static_cast<float>(platform::TextWidth(text)), y, shadow);
  return 0;
}

int ccShadowText(float x, float y, StringView text, int centre) {
  if (centre != 0) x -= static_cast<float>(platform::TextWidth(text)) / 2.0f;
  const int blend = platform::GetBlend();
  platform::SetBlend(platform::ALPHABLEND);
  int r = 255, g = 255, b = 255;
  platform::GetColor(r, g, b);
  platform::SetColor(0, 0, 0);
  platform::SetAlpha(ccShadowTextAlpha * ccTextAlpha);
  platform::DrawText(text, x + ccShadowTextDepthX, y + ccShadowTextDepthY);
  platform::SetColor(r, g, b);
  platform::SetAlpha(ccTextAlpha);
  platform::DrawText(text, x, y);
  platform::SetBlend(blend);
  return 0;
}

int ccShadowTextWrapped(float x, float y, const StringArray& lines, int centre, int lineHeight) {
  if (lineHeight == 0) lineHeight = platform::TextHeight(u"ABCXYZ");
  const int blend = platform::GetBlend();
  platform::SetBlend(platform::ALPHABLEND);
  int r = 255, g = 255, b = 255;
  platform::GetColor(r, g, b);
  for (const String& line : lines) {
    float lx = x;
    if (centre != 0) lx -= static_cast<float>(platform::TextWidth(line)) / 2.0f;
    platform::SetColor(0, 0, 0);
    platform::SetAlpha(ccShadowTextAlpha * ccTextAlpha);
    platform::DrawText(line, lx + ccShadowTextDepthX, y + ccShadowTextDepthY);
    platform::SetColor(r, g, b);
    platform::SetAlpha(ccTextAlpha);
    platform::DrawText(line, lx, y);
    y += static_cast<float>(lineHeight);
  }
  platform::SetBlend(blend);
  return 0;
}

int ccShadowTextSet(float dx, float dy, float alpha) {
  ccShadowTextDepthX = dx;
  ccShadowTextDepthY = dy;
  ccShadowTextAlpha = alpha;
  return 0;
}

platform::ImagePtr ccMakeTextOutline(const platform::ImageFontPtr& chosen, StringView text,
                                      int radius) {
  platform::ImageFont& font = chosen ? *chosen : *platform::BuiltinFont();
  radius = std::max(radius, 0);
  int left = 0, top = 0, right = 0, bottom = 0, pen = 0;
  bool any = false;
  for (const char16_t c : text) {
    const platform::Glyph* glyph = font.GetGlyph(c);
    if (!glyph) continue;
    if (const platform::Image* image = glyph->image.get()) {
      const int gx = pen + glyph->gx;
      left = any ? std::min(left, gx) : gx;
      top = any ? std::min(top, glyph->gy) : glyph->gy;
      right = any ? std::max(right, gx + image->width) : gx + image->width;
      bottom = any ? std::max(bottom, glyph->gy + image->height) : glyph->gy + image->height;
      any = true;
    }
    pen += glyph->advance;
  }
  if (!any) return nullptr;
  const int w = right - left + 2 * radius, h = bottom - top + 2 * radius;
  // Letters that overlap cover as drawing one over the other would.
  std::vector<uint8_t> cover(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
  pen = 0;
  for (const char16_t c : text) {
    const platform::Glyph* glyph = font.GetGlyph(c);
    if (!glyph) continue;
    const platform::PixmapPtr pixels =
        glyph->image ? platform::LockImage(glyph->image, glyph->frame) : nullptr;
    if (pixels) {
      const int ox = pen + glyph->gx - left + radius, oy = glyph->gy - top + radius;
      for (int y = 0; y < pixels->Height(); ++y) {
        for (int x = 0; x < pixels->Width(); ++x) {
          const int a = static_cast<int>(pixels->ReadPixel(x, y) >> 24);
          uint8_t& k = cover[static_cast<size_t>(oy + y) * static_cast<size_t>(w) +
                             static_cast<size_t>(ox + x)];
          k = static_cast<uint8_t>(k + a - k * a / 255);
        }
      }
    }
    pen += glyph->advance;
  }
  const platform::ImagePtr outline = platform::CreateImage(w, h, 1, 0);
  const platform::PixmapPtr out = outline ? platform::LockImage(outline, 0) : nullptr;
  if (!out) return nullptr;
  // Each pixel takes the strongest coverage within the radius: a round pen, so the outline is
  // as wide on a slope as on a stem. r * r + r is (r + 1/2)^2 in whole pixels.
  const int reach = radius * radius + radius;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int most = 0;
      for (int dy = std::max(-radius, -y); dy <= std::min(radius, h - 1 - y) && most < 255; ++dy) {
        const uint8_t* row = &cover[static_cast<size_t>(y + dy) * static_cast<size_t>(w)];
        for (int dx = std::max(-radius, -x); dx <= std::min(radius, w - 1 - x); ++dx)
          if (dx * dx + dy * dy <= reach) most = std::max(most, static_cast<int>(row[x + dx]));
      }
      out->WritePixel(x, y, static_cast<uint32_t>(most) << 24 | 0x00FFFFFFu);
    }
  }
  platform::UnlockImage(outline, 0);
  platform::SetImageHandle(outline, static_cast<float>(radius - left),
                           static_cast<float>(radius - top));
  return outline;
}
