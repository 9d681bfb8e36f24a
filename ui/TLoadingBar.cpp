#include "ui/TLoadingBar.h"

#include <algorithm>

#include "core/Globals.h"
#include "gfx/DrawHelpers.h"
#include "platform/Graphics.h"

int TLoadingBar::Init(const platform::ImagePtr& bar, const platform::ImagePtr& empty,
                      const platform::ImagePtr& final) {
  Image = bar;
  EmptyImage = empty;
  FinalImage = final;
  for (const platform::ImagePtr* picture : {&Image, &EmptyImage, &FinalImage}) {
    if (*picture) platform::SetImageHandle(*picture, 0.0f, 0.0f);
  }
  x = 0;
  y = 0;
  w = Image ? platform::ImageWidth(Image) : 0;
  h = Image ? platform::ImageHeight(Image) : 0;
  Position = 0;
  Steps = 0;
  StepSize = 0;
  CurrentStep = 0;
  Finished = 0;
  return 0;
}

int TLoadingBar::Centre(int newY) {
  x = (ScreenWidth - w) / 2;
  y = newY;
  return 0;
}

int TLoadingBar::SetSteps(int count) {
  Steps = static_cast<float>(count);
  // No steps: nothing to divide; the bar simply never moves.
  StepSize = count > 0 ? static_cast<float>(w) / Steps : 0.0f;
  return 0;
}

int TLoadingBar::SetBackgroundColour(int r, int g, int b) {
  BgR = r;
  BgG = g;
  BgB = b;
  return 0;
}

int TLoadingBar::SetBorderColour(int r, int g, int b) {
  BorderR = r;
  BorderG = g;
  BorderB = b;
  return 0;
}

int TLoadingBar::Progress() {
  ++CurrentStep;
  Position = static_cast<float>(CurrentStep) * StepSize;
  if (static_cast<float>(CurrentStep) == Steps) Finished = 1;
  return 0;
}

int TLoadingBar::Draw() {
  if (Mode == 1 && !Image) return 0;
  if (Finished != 0 && FinalImage) {
    platform::SetBlend(platform::ALPHABLEND);
    if (DrawEmptyUnderFinal != 0 && EmptyImage) {
      platform::DrawImage(EmptyImage, static_cast<float>(x), static_cast<float>(y));
    }
    platform::DrawImage(FinalImage, static_cast<float>(x), static_cast<float>(y));
    return 1;
  }
  switch (Mode) {
    case 0:
      platform::SetBlend(platform::SOLIDBLEND);
      platform::SetColor(BgR, BgG, BgB);
      platform::DrawRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w),
                         static_cast<float>(h));
      platform::SetColor(BorderR, BorderG, BorderB);
      ccDrawRectOutline(x, y, w, h);
      platform::SetColor(255, 255, 255);
      break;
    case 1:
      platform::SetBlend(platform::ALPHABLEND);
      if (EmptyImage) platform::DrawImage(EmptyImage, static_cast<float>(x), static_cast<float>(y));
      break;
    default:
      platform::SetBlend(platform::ALPHABLEND);
      break;
  }
  // Steps beyond the count keep Position growing; the bar never draws past its picture.
  const float filled = std::clamp(Position, 0.0f, static_cast<float>(w));
  if (Image && filled > 0.0f) {
    ccDrawImageArea(Image, static_cast<float>(x), static_cast<float>(y), 0.0f, 0.0f, filled,
                    static_cast<float>(h), 0);
  }
  platform::SetBlend(platform::SOLIDBLEND);
  return 1;
}
