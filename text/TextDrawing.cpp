#include "text/TextDrawing.h"

#include <cmath>

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
