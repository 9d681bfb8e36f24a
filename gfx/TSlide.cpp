#include "gfx/TSlide.h"

#include "core/Globals.h"
#include "gfx/ScreenEffects.h"
#include "platform/Graphics.h"

TSlidePtr TSlide::Create(const String& path, int flags, int centred, const TTransitionEffectPtr& in,
                         const TTransitionEffectPtr& hold, const TTransitionEffectPtr& out) {
  auto slide = std::make_shared<TSlide>();
  if (!path.empty()) slide->Image = TGameImage::Create(path, flags, centred);
  slide->InEffect = in;
  slide->HoldEffect = hold;
  slide->OutEffect = out;
  slide->Centred = centred;
  if (centred != 0) slide->CentreCoords();
  slide->CurrentEffect = in ? in : hold ? hold : out;
  return slide;
}

int TSlide::CentreCoords() {
  if (Image) {
    x = static_cast<float>(ScreenWidth / 2);
    y = static_cast<float>(ScreenHeight / 2);
  }
  return 0;
}

int TSlide::Kill() {
  Image = nullptr;
  LastSlide = nullptr;
  return 0;
}

int TSlide::StoreOriginalCoords() {
  ox = x;
  oy = y;
  return 0;
}

void TSlide::MoveBy(const TTransitionEffect& effect) {
  x -= effect.ScrollSpeedX * Delta;
  y -= effect.ScrollSpeedY * Delta;
  scale += effect.ZoomSpeed * Delta;
}

float TSlide::Ratio() const {
  // An effect without length is over at once: r = 1, never a division by zero.
  if (!CurrentEffect || CurrentEffect->Length <= 0) return 1.0f;
  return Counter / static_cast<float>(CurrentEffect->Length);
}

int TSlide::Manage() {
  // A slide without any effect has nothing to run.
  if (!CurrentEffect) return 1;
  const bool moves = !UserManage || UserManage(*this) != 0;
  if (moves) {
    MoveBy(*CurrentEffect);
    if (CurrentEffect->EffectType == 3 && LastSlide && LastSlide->CurrentEffect) {
      LastSlide->MoveBy(*LastSlide->CurrentEffect);
    }
  }
  Counter += Delta;
  if (Counter < static_cast<float>(CurrentEffect->Length)) return 0;
  Counter -= static_cast<float>(CurrentEffect->Length);
  TTransitionEffectPtr next;
  if (CurrentEffect == InEffect) next = HoldEffect ? HoldEffect : OutEffect;
  else if (CurrentEffect == HoldEffect) next = OutEffect;
  if (!next) return 1;
  CurrentEffect = next;
  return 0;
}

int TSlide::Draw() {
  const float r = Ratio();
  const int type = CurrentEffect ? CurrentEffect->EffectType : 0;
  platform::SetBlend(platform::SOLIDBLEND);
  if (type == 3) {
    if (LastSlide) {
      platform::SetScale(LastSlide->scale, LastSlide->scale);
      if (LastSlide->Image) LastSlide->Image->Draw(LastSlide->x, LastSlide->y, 0, nullptr);
      if (LastSlide->UserDraw) {
        platform::SetBlend(platform::ALPHABLEND);
        LastSlide->UserDraw(*LastSlide);
      }
    }
    // Without a previous slide the slide fades in alone.
    platform::SetScale(1, 1);
    platform::SetBlend(platform::ALPHABLEND);
    platform::SetAlpha(r);
  }
  platform::SetScale(scale, scale);
  if (Image) Image->Draw(x, y, 0, nullptr);
  platform::SetBlend(platform::ALPHABLEND);
  if (UserDraw) UserDraw(*this);
  platform::SetScale(1, 1);
  platform::SetAlpha(1.0f);
  if (!CurrentEffect) return 0;
  const TTransitionEffect& e = *CurrentEffect;
  if (e.MaskImage && (type == 0 || type == 3)) DrawMask(e.MaskEndSize);
  if (type == 1 || type == 2) {
    const float dim = type == 1 ? 1.0f - r : r;
    if (!e.MaskImage) {
      ccDimScreen(dim);
    } else {
      DrawMask(e.MaskStartSize + r * (e.MaskEndSize - e.MaskStartSize));
      if (e.MaskAndFade != 0) ccDimScreen(dim);
    }
  }
  return 0;
}

int TSlide::DrawMask(float size) {
  if (!CurrentEffect || !CurrentEffect->MaskImage) return 0;
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetScale(size, size);
  CurrentEffect->MaskImage->Draw(static_cast<float>(ScreenWidth / 2),
                                 static_cast<float>(ScreenHeight / 2), 0, nullptr);
  platform::SetScale(1, 1);
  return 0;
}
