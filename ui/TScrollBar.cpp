#include "ui/TScrollBar.h"

#include <algorithm>
#include <cmath>

#include "core/Globals.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "gfx/TGameImage.h"
#include "platform/Graphics.h"
#include "ui/TButton.h"
#include "ui/TMenu.h"

namespace {
// Steps of a fraction such as 0.4 leave a residue of about 1e-16 at the ends; within this
// share of the maximum a step lands on the end exactly, so the arrow there disables.
constexpr double kEndSnap = 1e-9;
}  // namespace

TScrollBarPtr TScrollBar::Create(const std::shared_ptr<TGameImage>& slider, int size, double max,
                                 float x, float y, int vertical) {
  auto bar = std::make_shared<TScrollBar>();
  bar->Slider = slider;
  bar->Size = size;
  bar->ValueMax = max < 0 ? 0.0 : max;
  bar->X = x;
  bar->Y = y;
  bar->Vertical = vertical;
  return bar;
}

int TScrollBar::SliderLength() const {
  if (!Slider) return 0;
  return Vertical != 0 ? Slider->h : Slider->w;
}

int TScrollBar::Range() const { return Size - SliderLength(); }

bool TScrollBar::PointerOnSlider(int mx, int my) const {
  if (!Slider) return false;
  const float px = static_cast<float>(mx);
  const float py = static_cast<float>(my);
  const float pos = static_cast<float>(SliderPosition);
  if (Vertical != 0) {
    return X <= px && px < X + static_cast<float>(Slider->w) && Y + pos <= py &&
           py < Y + pos + static_cast<float>(Slider->h);
  }
  return X + pos <= px && px < X + pos + static_cast<float>(Slider->w) && Y <= py &&
         py < Y + static_cast<float>(Slider->h);
}

int TScrollBar::SliderSetPosition(double value) {
  // No range or no maximum: nothing to divide, the slider stays at the start.
  if (ValueMax == 0.0 || Range() <= 0) {
    SliderPosition = 0;
    return 0;
  }
  const float product = static_cast<float>(static_cast<double>(Range()) / ValueMax * value);
  SliderPosition = static_cast<int>(std::floor(product + 0.5f));
  return 0;
}

int TScrollBar::ValueCalc() {
  if (ValueMax == 0.0 || Range() <= 0) {
    ValuePrecise = 0.0;
  } else {
    ValuePrecise = static_cast<double>(SliderPosition) / (static_cast<double>(Range()) / ValueMax);
  }
  ValueRound();
  return 0;
}

int TScrollBar::ValueRound() {
  Value = static_cast<int>(std::floor(static_cast<float>(ValuePrecise) + 0.5f));
  return 0;
}

int TScrollBar::DisableButtons() {
  if (!Menu) return 0;
  if (const TButtonPtr up = Menu->FindButton(UpName); up && up->ImageDisabled) {
    up->Disabled = ValuePrecise == 0.0 ? 1 : 0;
  }
  if (const TButtonPtr down = Menu->FindButton(DownName); down && down->ImageDisabled) {
    down->Disabled = ValuePrecise == ValueMax ? 1 : 0;
  }
  return 0;
}

int TScrollBar::SetArrows(const String& up, const String& down, int pressMs) {
  Menu = TMenu::Create(u"buttonMO", u"buttonclick", 0, 0, 0);
  const TButtonPtr upButton = Menu->AddQuickAuto(up, String());
  const TButtonPtr downButton = Menu->AddQuickAuto(down, String());
  UpName = upButton->name;
  DownName = downButton->name;
  const int sw = Slider ? Slider->w : 0;
  const int sh = Slider ? Slider->h : 0;
  for (const TButtonPtr& b : {upButton, downButton}) {
    b->ClickDisabled = 0;
    b->MouseClickDuration = Game->CalcAnimLength(pressMs);
  }
  if (Vertical != 0) {
    upButton->MoveTo(X + static_cast<float>((sw - upButton->w) / 2), Y - static_cast<float>(upButton->h));
    downButton->MoveTo(X + static_cast<float>((sw - downButton->w) / 2), Y + static_cast<float>(Size));
  } else {
    upButton->MoveTo(X - static_cast<float>(upButton->w), Y + static_cast<float>((sh - upButton->h) / 2));
    downButton->MoveTo(X + static_cast<float>(Size), Y + static_cast<float>((sh - downButton->h) / 2));
  }
  Menu->CalcCoords();
  Menu->StoreOriginalCoords();
  for (const TButtonPtr& b : {upButton, downButton}) {
    b->ClickWhenDown = 1;
    b->SetupMouseRepeat(400, 100);
  }
  DisableButtons();
  return 0;
}

int TScrollBar::SetBackground(const std::shared_ptr<TGameImage>& image, float x, float y) {
  Background = image;
  BackgroundX = x;
  BackgroundY = y;
  return 0;
}

int TScrollBar::SetCoords(float x, float y) {
  const float dx = x - X;
  const float dy = y - Y;
  if (Menu) {
    for (const TButtonPtr& b : *Menu) b->MoveBy(dx, dy);
  }
  BackgroundX += dx;
  BackgroundY += dy;
  X = x;
  Y = y;
  return 0;
}

void TScrollBar::Step(double delta) {
  ValuePrecise = std::clamp(ValuePrecise + delta, 0.0, ValueMax);
  const double snap = kEndSnap * std::max(1.0, ValueMax);
  if (ValuePrecise < snap) ValuePrecise = 0.0;
  if (ValueMax - ValuePrecise < snap) ValuePrecise = ValueMax;
  ValueRound();
  SliderSetPosition(ValuePrecise);
  DisableButtons();
}

int TScrollBar::Manage() {
  if (Menu) {
    Menu->Manage(0, 0);
    if (Menu->Clicked(UpName) && ValuePrecise > 0) Step(-ValueStep);
    if (Menu->Clicked(DownName) && ValuePrecise < ValueMax) Step(ValueStep);
  }
  if (SliderGlow > 0) {
    SliderGlow -= GlowSpeed * Delta;
    if (SliderGlow <= 0) SliderGlow = 0;
  }
  const int mx = Game->Mouse->x;
  const int my = Game->Mouse->y;
  if (FixedGlowOnMO != 0 && PointerOnSlider(mx, my)) SliderGlow = GlowMax;
  if (SliderSelected == 1) SliderGlow = GlowMax;

  const float along = static_cast<float>(Vertical != 0 ? my : mx);
  const float start = Vertical != 0 ? Y : X;
  if (Game->Mouse->GetMb() == 0) {
    SliderSelected = 0;
  } else if (SliderSelected == 0) {
    if (PointerOnSlider(mx, my)) {
      SliderSelected = 1;
      SliderOffset = static_cast<int>(along - (static_cast<float>(SliderPosition) + start));
    }
  } else {
    SliderPosition = static_cast<int>(along - start - static_cast<float>(SliderOffset));
    SliderPosition = std::max(std::min(SliderPosition, Range()), 0);
    ValueCalc();
    DisableButtons();
  }
  return 0;
}

int TScrollBar::Draw() {
  if (Background) Background->Draw(BackgroundX, BackgroundY, 0, nullptr);
  if (Menu) Menu->Draw(0, 0);
  if (Slider) {
    const float offset = static_cast<float>(SliderPosition) * Scale;
    const float sx = Vertical != 0 ? X : X + offset;
    const float sy = Vertical != 0 ? Y + offset : Y;
    platform::SetScale(Scale, Scale);
    platform::DrawImage(Slider->image, sx, sy, 0);
    if (SliderGlow > 0) {
      platform::SetBlend(platform::LIGHTBLEND);
      platform::SetAlpha(SliderGlow);
      platform::DrawImage(Slider->image, sx, sy, 0);
      platform::SetAlpha(1.0f);
      platform::SetBlend(platform::ALPHABLEND);
    }
  }
  platform::SetScale(1.0f, 1.0f);
  return 0;
}

int TScrollBar::Kill() {
  Background.reset();
  Slider.reset();
  if (Menu) Menu->Kill();
  return 0;
}
