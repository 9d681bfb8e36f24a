#include "ui/TSlider.h"

#include <algorithm>

#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "gfx/DrawHelpers.h"
#include "platform/Graphics.h"

TSliderPtr TSlider::CreateSpecial(const String& track, const String& knob, int x, int y, int border,
                                  const String& name, int marginY) {
  auto slider = std::make_shared<TSlider>();
  slider->Load(track, knob, name);
  slider->x = static_cast<float>(x);
  slider->y = static_cast<float>(y);
  slider->Border = border;
  slider->BorderY = marginY;
  slider->SetValue(50);
  slider->DotY = static_cast<int>(slider->y);
  slider->active = 1;
  return slider;
}

int TSlider::Load(const String& track, const String& knob, const String& sliderName) {
  SetName(sliderName);
  LoadImages(track, knob);
  Init();
  return 0;
}

int TSlider::LoadImages(const String& track, const String& knob) {
  image = TGameImage::Create(Game->ImagePath + track + Ext, -1, 0);
  image->MidHandle(0);
  DotImage = TGameImage::Create(Game->ImagePath + knob + Ext, -1, 0);
  DotImage->MidHandle(0);
  return 0;
}

int TSlider::Init() {
  TSprite::Init();
  GetSize();
  return 0;
}

int TSlider::SetValue(int value) {
  Value = std::clamp(value, 0, 100);
  const float knobHalf = DotImage ? DotImage->w2 : 0.0f;
  DotX = static_cast<int>((static_cast<float>(Border) + x) +
                          static_cast<float>(w - 2 * Border) * (static_cast<float>(Value) / 100.0f) -
                          knobHalf);
  return 0;
}

int TSlider::Manage() {
  if (!active) return 0;
  const float mx = static_cast<float>(Game->Mouse->x);
  const float my = static_cast<float>(Game->Mouse->y);
  const bool inside = mx >= x - 10.0f && mx < x + static_cast<float>(w) + 10.0f &&
                      my >= y - static_cast<float>(BorderY) &&
                      my < y + static_cast<float>(h + BorderY);
  if (!inside) {
    MouseOver = 0;
    return 0;
  }
  MouseOver = 1;
  if (Game->Mouse->GetMb() == 0) return 0;
  if (mx <= x + static_cast<float>(Border)) {
    SetValue(0);
  } else if (mx >= x + static_cast<float>(w - Border)) {
    SetValue(100);
  } else {
    const float span = static_cast<float>(w - 2 * Border);
    SetValue(ccRound(((mx - x) - static_cast<float>(Border)) / span * 100.0f));
  }
  return 1;
}

int TSlider::Draw() {
  if (!active) return 0;
  platform::SetBlend(platform::ALPHABLEND);
  if (image) platform::DrawImage(image->image, x, y, 0);
  if (DotImage) platform::DrawImage(DotImage->image, static_cast<float>(DotX),
                                    static_cast<float>(DotY), 0);
  return 0;
}
