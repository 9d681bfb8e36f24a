#include "gfx/ScreenEffects.h"

#include "core/Globals.h"
#include "gfx/TFade.h"
#include "platform/Graphics.h"
#include "platform/Image.h"

int ccFadeScreen(int lengthMs, int out, const platform::ChannelPtr& channel) {
  const platform::ImagePtr grab = platform::CreateImage(ScreenWidth, ScreenHeight, 1);
  platform::GrabImage(grab, 0, 0, 0);
  platform::SetImageHandle(grab, 0.0f, 0.0f);
  TFade fade;
  fade.Init(static_cast<float>(lengthMs), grab, channel);
  fade.FadeDo(out);
  if (out == 0) {
    fade.Full();
  } else {
    fade.Zero();
  }
  ccRestoreSolidMode();
  return 0;
}

int ccDimArea(float alpha, int x, int y, int width, int height) {
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(0, 0, 0);
  platform::SetAlpha(alpha);
  platform::DrawRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
                     static_cast<float>(height));
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  return 0;
}

int ccDimScreen(float alpha) { return ccDimArea(alpha, 0, 0, ScreenWidth, ScreenHeight); }

int ccClsNoFlip(int r, int g, int b) {
  platform::SetClsColor(r, g, b);
  platform::Cls();
  return 0;
}

int ccCls(int r, int g, int b) {
  ccClsNoFlip(r, g, b);
  return ccFlip();
}

int ccClsVSync(int r, int g, int b) {
  ccClsNoFlip(r, g, b);
  platform::Flip(1);
  return 0;
}

int ccFlip() {
  platform::Flip(ccFlipSync);
  return 0;
}

int ccRestoreSolidMode() {
  platform::SetBlend(platform::SOLIDBLEND);
  platform::SetAlpha(1.0f);
  platform::SetColor(255, 255, 255);
  return 0;
}
