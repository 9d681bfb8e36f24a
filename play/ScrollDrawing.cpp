#include "play/ScrollDrawing.h"

#include "core/Globals.h"
#include "gfx/DrawHelpers.h"
#include "platform/Graphics.h"

namespace {

constexpr float kRollerTravel = 145.0f;
constexpr float kUnderBand = 40.0f;  // rows of the body shown below the open band

float OpenHeight(const platform::ImagePtr& body, float r) {
  return static_cast<float>(platform::ImageHeight(body)) * r;
}

}  // namespace

int ScrollBodyDraw(const platform::ImagePtr& body, float r) {
  if (!body) return 0;
  const float h = static_cast<float>(platform::ImageHeight(body));
  const float w = static_cast<float>(platform::ImageWidth(body));
  const float v = OpenHeight(body, r);
  platform::SetBlend(platform::ALPHABLEND);
  ccDrawImageArea(body, static_cast<float>(ScreenWidth) / 2.0f,
                  static_cast<float>(ScreenHeight) / 2.0f + h / 2.0f - v / 2.0f, 0.0f,
                  h / 2.0f - v / 2.0f, w, v + kUnderBand, 0);
  return 0;
}

int ScrollClipBegin(const platform::ImagePtr& body, float r) {
  const float v = OpenHeight(body, r);
  platform::SetViewport(0, static_cast<int>(static_cast<float>(ScreenHeight) / 2.0f - v / 2.0f),
                        ScreenWidth, static_cast<int>(v + kUnderBand));
  return 0;
}

int ScrollClipEnd() {
  platform::SetViewport(0, 0, ScreenWidth, ScreenHeight);
  return 0;
}

int ScrollRollersDraw(const TGameImagePtr& top, const TGameImagePtr& bottom, float r) {
  const float d = kRollerTravel * (1.0f - r);
  const float cx = static_cast<float>(ScreenWidth) / 2.0f;
  const float cy = static_cast<float>(ScreenHeight) / 2.0f;
  if (top) platform::DrawImage(top->image, cx, cy - 160.0f + d);
  if (bottom) platform::DrawImage(bottom->image, cx, cy + 200.0f - d);
  return 0;
}
