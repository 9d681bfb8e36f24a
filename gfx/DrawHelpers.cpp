#include "gfx/DrawHelpers.h"

#include <cmath>

#include "core/Globals.h"
#include "platform/Graphics.h"
#include "text/TShadow.h"

namespace {

int DigitOf(char16_t c) { return (c >= u'0' && c <= u'9') ? static_cast<int>(c - u'0') : 0; }

int At(const std::vector<int>& table, int d) {
  return d >= 0 && d < static_cast<int>(table.size()) ? table[static_cast<size_t>(d)] : 0;
}

}  // namespace

int ccDrawImage(const platform::ImagePtr& image, float x, float y,
                const std::shared_ptr<TShadow>& shadow) {
  if (!image) return 0;
  if (shadow) {
    shadow->Apply();
    platform::DrawImage(image, x + shadow->X, y + shadow->Y, 0);
    shadow->Restore();
  }
  platform::DrawImage(image, x, y, 0);
  return 0;
}

int ccDrawImageCentred(const platform::ImagePtr& image, const std::shared_ptr<TShadow>& shadow) {
  if (!image) return 0;
  const int x = (ScreenWidth - platform::ImageWidth(image)) / 2;
  const int y = (ScreenHeight - platform::ImageHeight(image)) / 2;
  return ccDrawImage(image, static_cast<float>(x), static_cast<float>(y), shadow);
}

int ccDrawImageLight(const platform::ImagePtr& image, float x, float y, float level, float r,
                     float g, float b, int frame) {
  platform::SetBlend(platform::LIGHTBLEND);
  const float k = level * 255.0f;
  platform::SetColor(static_cast<int>(k * r), static_cast<int>(k * g), static_cast<int>(k * b));
  if (image) platform::DrawImage(image, x, y, frame);
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  return 0;
}

int ccDrawNumbers(StringView text, float x, float y, const platform::ImagePtr& image,
                  float spacing, int centre, int rounding) {
  if (!image) return 0;
  if (spacing == 0.0f) spacing = static_cast<float>(platform::ImageWidth(image));
  if (centre != 0) {
    x -= static_cast<float>(text.size()) * spacing / 2.0f;
    if (rounding != 0) x = static_cast<float>(ccRound(x));
  }
  for (const char16_t c : text) {
    platform::DrawImage(image, x, y, DigitOf(c));
    x += spacing;
  }
  return 0;
}

float ccDrawNumbersVariableWidthCalcWidth(StringView text, const std::vector<int>& widths,
                                          const std::vector<int>& /*offsets*/, float gap,
                                          float scale) {
  float width = 0.0f;
  for (const char16_t c : text) {
    width += static_cast<float>(At(widths, DigitOf(c))) * scale + gap * scale;
  }
  return width - gap * scale;
}

int ccDrawNumbersVariableWidth(StringView text, float x, float y, const platform::ImagePtr& image,
                               const std::vector<int>& widths, const std::vector<int>& offsets,
                               float gap, int centre, int rounding, float scale) {
  const float width = ccDrawNumbersVariableWidthCalcWidth(text, widths, offsets, gap, scale);
  if (centre != 0) {
    x -= width / 2.0f;
    if (rounding != 0) x = static_cast<float>(ccRound(x));
  }
  for (const char16_t c : text) {
    const int d = DigitOf(c);
    if (image) {
      platform::DrawImage(image, x - static_cast<float>(At(offsets, d)) * scale, y, d);
    }
    x += static_cast<float>(At(widths, d)) * scale + gap * scale;
  }
  return ccRound(width);
}

int ccDrawRect(float x, float y, float w, float h, const std::shared_ptr<TShadow>& shadow) {
  if (shadow) {
    int r = 255;
    int g = 255;
    int b = 255;
    platform::GetColor(r, g, b);
    shadow->Apply();
    platform::DrawRect(x + shadow->X, y + shadow->Y, w, h);
    platform::SetAlpha(1.0f);
    platform::SetColor(r, g, b);
  }
  platform::DrawRect(x, y, w, h);
  return 0;
}

int ccDrawRectOutline(int x, int y, int w, int h) {
  const float l = static_cast<float>(x);
  const float t = static_cast<float>(y);
  const float r = static_cast<float>(x + w - 1);
  const float b = static_cast<float>(y + h - 1);
  platform::DrawLine(l, t, r, t, false);
  platform::DrawLine(r, t, r, b, false);
  platform::DrawLine(r, b, l, b, false);
  platform::DrawLine(l, b, l, t, false);
  return 0;
}

int ccMidhandle(const platform::ImagePtr& image, int on) {
  if (!image) return 0;
  if (on != 0) {
    platform::MidHandleImage(image);
  } else {
    platform::SetImageHandle(image, 0.0f, 0.0f);
  }
  return 0;
}

int ccCreateFrames(const platform::ImagePtr& image) {
  if (image) platform::CreateFrames(image);
  return 0;
}

int ccDrawImageArea(const platform::ImagePtr& image, float x, float y, float sx, float sy,
                    float sw, float sh, int frame) {
  if (!image) return 0;
  // A source rectangle reaching outside the picture is cut to it; what remains is drawn where
  // it would have been (the handle moves with the cut, so scale and rotation still agree).
  const float width = static_cast<float>(platform::ImageWidth(image));
  const float height = static_cast<float>(platform::ImageHeight(image));
  float hx = image->handleX;
  float hy = image->handleY;
  if (sx < 0.0f) {
    sw += sx;
    hx += sx;
    sx = 0.0f;
  }
  if (sy < 0.0f) {
    sh += sy;
    hy += sy;
    sy = 0.0f;
  }
  if (sx + sw > width) sw = width - sx;
  if (sy + sh > height) sh = height - sy;
  if (sw <= 0.0f || sh <= 0.0f) return 0;
  platform::DrawSubImageRect(image, x, y, sw, sh, sx, sy, sw, sh, hx, hy, frame);
  return 0;
}

int ccDrawImageRect(const platform::ImagePtr& image, int x, int y, int sx, int sy, int sw, int sh) {
  if (!image || sw <= 0 || sh <= 0) return 0;
  // Read only: the source's texture stays as it is.
  const platform::PixmapPtr pixels = platform::LockImage(image, 0);
  if (!pixels) return 0;
  const platform::PixmapPtr window = pixels->Region(sx, sy, sw, sh);
  if (!window) return 0;
  const platform::ImagePtr copy = platform::LoadImageFromPixmap(window);
  if (copy) platform::DrawImage(copy, static_cast<float>(x), static_cast<float>(y), 0);
  return 0;
}

int ccRound(float value) { return static_cast<int>(std::floor(value + 0.5f)); }
