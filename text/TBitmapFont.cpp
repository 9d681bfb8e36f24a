#include "text/TBitmapFont.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/Graphics.h"
#include "text/TextDrawing.h"

int TBitmapFont::AutoCalcDrawOffsetY = 0;
int TBitmapFont::UseStringHeightAccurate = 0;
int TBitmapFont::UseBuggedStringHeight = 1;

namespace {
double Round(double v) { return std::floor(v + 0.5); }
}  // namespace

int TBitmapFont::SlotOf(char16_t c) const {
  if (c <= 255) return c < ID.size() ? c : 0;
  return FindChar(StringView(&c, 1));
}

int TBitmapFont::FindChar(StringView c) const {
  if (c.empty()) return 0;
  const int code = c[0];
  const int last = std::min<int>(255 + NumExtraChars, static_cast<int>(ID.size()) - 1);
  for (int slot = 256; slot <= last; ++slot) {
    if (ID[static_cast<size_t>(slot)] == code) return slot;
  }
  return 0;
}

int TBitmapFont::ClearCurvature() {
  CurvatureWidth = 0;
  CurvatureHeight = 0;
  return 0;
}

int TBitmapFont::SetCurvature(float w, float h) {
  CurvatureWidth = w;
  CurvatureHeight = h;
  return 0;
}

double TBitmapFont::StringWidth(StringView text) const {
  double sum = 0;
  for (char16_t c : text) sum += Advance(SlotOf(c));
  if (sum > 0) sum -= CharGap;
  return sum * ScaleFactor;
}

double TBitmapFont::StringHeight(StringView text) const {
  if (UseStringHeightAccurate != 0) return StringHeightAccurate(text);
  double sum = 0;
  int k = 0;
  for (char16_t c : text) {
    const double h = height[static_cast<size_t>(SlotOf(c))];
    if (h > 0) {
      sum += h;
      ++k;
    }
  }
  // The divisor k - 1 needs two glyphs; with fewer, the one glyph's own height stands.
  if (UseBuggedStringHeight != 0 && k >= 2) return sum / (k - 1) * ScaleFactor;
  if (k == 0) return 0;
  return (UseBuggedStringHeight != 0 ? sum : sum / k) * ScaleFactor;
}

double TBitmapFont::StringHeightAccurate(StringView text) const {
  double deepest = 0;
  for (char16_t c : text) {
    const auto s = static_cast<size_t>(SlotOf(c));
    deepest = std::max(deepest, DrawOffsetY + height[s] + yOffset[s]);
  }
  return deepest * ScaleFactor;
}

int TBitmapFont::Draw(StringView text, double x, double y, int centre, int right, int roundX,
                      int roundY, int shadow, int centreY, int vertical,
                      const std::vector<TColorPtr>& colours) {
  if (text.empty()) return 0;
  int savedR = 255, savedG = 255, savedB = 255;
  if (shadow != 0) {
    platform::GetColor(savedR, savedG, savedB);
    platform::SetColor(0, 0, 0);
    platform::SetAlpha(ccShadowTextAlpha * ccTextAlpha);
    x += ccShadowTextDepthX;
    y += ccShadowTextDepthY;
  }
  float sx = 1.0f, sy = 1.0f;
  platform::GetScale(sx, sy);
  const float fx = sx * static_cast<float>(ScaleFactor);
  const float fy = sy * static_cast<float>(ScaleFactor);
  const double wholeWidth = StringWidth(text);

  if (vertical == 0) {
    if (centre != 0) {
      if (ChangeHandle == 0) x -= sx * wholeWidth / 2;
      else HandleX += wholeWidth / 2;
    }
    if (right != 0) {
      if (ChangeHandle == 0) x -= sx * wholeWidth;
      else HandleX += sx * wholeWidth;
    }
    if (centreY != 0) {
      const double lineHeight = StringHeight(TestString);
      if (ChangeHandle == 0) y -= sy * lineHeight / 2;
      else HandleY += lineHeight / 2;
    }
  }
  if (ChangeHandle != 0) {
    HandleX *= 2 - ScaleFactor;
    HandleY *= 2 - ScaleFactor;
  }

  size_t colour = 0;
  double advanced = 0;  // unscaled sum of the advances drawn so far, gaps included
  for (char16_t c : text) {
    const auto s = static_cast<size_t>(SlotOf(c));
    double tx = x;
    double ty = y;
    if (ChangeHandle == 0) {
      tx = x + fx * xOffset[s];
      if (vertical == 0) ty = y + fy * (DrawOffsetY + yOffset[s]);
    }
    double tw = width[s] * ScaleFactor;
    double th = height[s] * ScaleFactor;
    if (vertical != 0) {
      if (centre != 0) tx -= sx * tw / 2;
      else if (right != 0) tx -= sx * tw;
    }
    // Bending needs a span to bend over; a zero width leaves the text straight.
    if (CurvatureHeight != 0 && CurvatureWidth > 0) {
      const double before = (advanced > 0 ? advanced - CharGap : advanced) * ScaleFactor;
      const double own = Advance(static_cast<int>(s));
      const double ownWidth = (own > 0 ? own - CharGap : own) * ScaleFactor;
      double p = sx * before + sx * ownWidth / 2;
      if (centre != 0) p += (CurvatureWidth - sx * wholeWidth) / 2;
      else if (right != 0) p += CurvatureWidth - sx * wholeWidth;
      const double degrees = CurvatureAngle * p / CurvatureWidth;
      ty += CurvatureHeight * std::sin(degrees * std::numbers::pi / 180.0);
    }
    if (roundX != 0 && fx == 1.0f) {
      tx = Round(tx);
      tw = Round(tw);
    }
    if (roundY != 0 && fy == 1.0f) {
      ty = Round(ty);
      th = Round(th);
    }
    const double advance = Advance(static_cast<int>(s));
    if (!colours.empty()) {
      if (colours[colour]) colours[colour]->Apply();
      colour = (colour + 1) % colours.size();
    }
    if (ChangeHandle == 0) {
      if (Image) {
        platform::DrawSubImageRect(Image, static_cast<float>(tx), static_cast<float>(ty),
                                   static_cast<float>(tw), static_cast<float>(th),
                                   static_cast<float>(xPos[s]), static_cast<float>(yPos[s]),
                                   static_cast<float>(width[s]), static_cast<float>(height[s]), 0, 0, 0);
      }
      if (vertical == 0) {
        x += fx * advance;
      } else {
        y += c == u' ' ? 0.75 * fx * advance : sy * th;
      }
    } else {
      if (Image) {
        platform::DrawSubImageRect(Image, static_cast<float>(tx), static_cast<float>(ty),
                                   static_cast<float>(tw), static_cast<float>(th),
                                   static_cast<float>(xPos[s]), static_cast<float>(yPos[s]),
                                   static_cast<float>(width[s]), static_cast<float>(height[s]),
                                   static_cast<float>(HandleX - xOffset[s]),
                                   static_cast<float>(HandleY - yOffset[s] - DrawOffsetY), 0);
      }
      HandleX -= advance;
    }
    advanced += advance;
  }
  if (shadow != 0) {
    platform::SetColor(savedR, savedG, savedB);
    platform::SetAlpha(ccTextAlpha);
  }
  return 0;
}

int TBitmapFont::DrawAligned(StringView text, double x, double y, int align, int roundX, int roundY,
                             int shadow, const std::vector<TColorPtr>& colours) {
  switch (align) {
    case 0:
      return Draw(text, x, y, 0, 0, roundX, roundY, shadow, 0, 0, colours);
    case 1:
      return Draw(text, x, y, 1, 0, roundX, roundY, shadow, 0, 0, colours);
    case 2:
      return Draw(text, x, y, 0, 1, roundX, roundY, shadow, 0, 0, colours);
    case 3:
      return Draw(text, x, y, 1, 0, roundX, roundY, shadow, 1, 0, colours);
    default:
      return 0;
  }
}

int TBitmapFont::DrawAlignedWithShadow(StringView text, double x, double y, int align, int roundX,
                                       int roundY) {
  static const std::vector<TColorPtr> kNoColours;
  DrawAligned(text, x, y, align, roundX, roundY, 1, kNoColours);
  DrawAligned(text, x, y, align, roundX, roundY, 0, kNoColours);
  return 0;
}
