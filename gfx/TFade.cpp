#include "gfx/TFade.h"

#include <algorithm>

#include "core/Globals.h"
#include "core/Input.h"
#include "core/TGame.h"
#include "gfx/ScreenEffects.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"

namespace {

std::function<void(const TFade&)> frameHook;

float Now() { return static_cast<float>(platform::MilliSecs()); }

bool Skipped() { return ccMouseButtons() != 0 || ccAnyKeyPressed() != 0; }

}  // namespace

void SetFadeFrameHook(std::function<void(const TFade& fade)> hook) { frameHook = std::move(hook); }

int TFade::Init(float lengthMs, const platform::ImagePtr& image,
                const platform::ChannelPtr& channel) {
  Length = lengthMs;
  Image = image;
  Channel = channel;
  return Reset();
}

int TFade::Reset() {
  StartTime = Now();
  Elapsed = 0;
  LastTime = StartTime;
  return 0;
}

int TFade::CentreImage() {
  const int w = Image ? platform::ImageWidth(Image) : 0;
  const int h = Image ? platform::ImageHeight(Image) : 0;
  X = (ScreenWidth - w) / 2;
  Y = (ScreenHeight - h) / 2;
  return 0;
}

int TFade::FadeDo(int out) {
  Out = out;
  ccFlushAll();
  for (;;) {
    if (Elapsed > Length) {
      ccRestoreSolidMode();
      return 1;
    }
    ccEndOnQuitRequest();
    if (Skipped()) {
      ccRestoreSolidMode();
      ccFlushAll();
      return -1;
    }
    const float now = Now();
    Elapsed = now - StartTime;
    // A zero length has nothing to fade through: it stands at its end.
    float r = Length > 0 ? std::clamp(Elapsed / Length, 0.0f, 1.0f) : 1.0f;
    Ratio = Out == 1 ? 1.0f - r : r;
    if (Background) MoveBackground(now, Elapsed);
    Draw();
  }
}

int TFade::MoveBackground(float now, float elapsed) {
  const float seconds = (now - LastTime) / 1000.0f;
  BackgroundX += BackgroundXSpeed * seconds;
  BackgroundY += BackgroundYSpeed * seconds;
  BackgroundZoom += BackgroundZoomSpeed * seconds;
  if (Out == -1) {
    BackgroundAlpha = 1.0f;
  } else if (BackgroundFadeTime <= 0) {
    BackgroundAlpha = Out == 0 ? 1.0f : 0.0f;
  } else if (Out == 0) {
    BackgroundAlpha = std::min(1.0f, elapsed / BackgroundFadeTime);
  } else {
    // Not capped above: early in the fade-out it is over 1 and SetAlpha clamps it.
    BackgroundAlpha =
        std::max(0.0f, 1.0f - (elapsed - (Length - BackgroundFadeTime)) / BackgroundFadeTime);
  }
  LastTime = now;
  return 0;
}

int TFade::WaitForTime(float ms) {
  Out = -1;
  Reset();
  Ratio = 1.0f;
  for (;;) {
    if (Elapsed > ms) return 0;
    const float now = Now();
    Elapsed = now - StartTime;
    ccEndOnQuitRequest();
    if (Skipped()) return -1;
    if (Background) MoveBackground(now, Elapsed);
    Draw();
  }
}

int TFade::Draw() {
  platform::Cls();
  if (Background) {
    platform::SetBlend(platform::ALPHABLEND);
    platform::SetScale(BackgroundZoom, BackgroundZoom);
    platform::SetAlpha(BackgroundAlpha);
    platform::DrawImage(Background, (0.0f - BackgroundX) * BackgroundZoom,
                        (0.0f - BackgroundY) * BackgroundZoom, 0);
    platform::SetScale(1.0f, 1.0f);
  }
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetAlpha(Ratio);
  if (Image) platform::DrawImage(Image, static_cast<float>(X), static_cast<float>(Y), 0);
  if (Channel) {
    platform::SetChannelVolume(Channel, (static_cast<float>(Game->SoundVolume) / 100.0f) * Ratio);
  }
  ccFlip();
  if (frameHook) frameHook(*this);
  return 0;
}

int TFade::Full() {
  Ratio = 1.0f;
  return Draw();
}

int TFade::Zero() {
  Ratio = 0.0f;
  return Draw();
}
