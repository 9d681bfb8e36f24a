#include "play/THintScroll.h"

#include "core/Input.h"
#include "core/TChannelArray.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TSoundBank.h"
#include "gfx/TImageBank.h"
#include "play/ScrollDrawing.h"
#include "platform/Graphics.h"
#include "ui/TMenu.h"

std::shared_ptr<THintScroll> HintScroll;

namespace {

constexpr int kUnrollMs = 375;
constexpr float kOKButtonY = 427.0f;
constexpr int kKeyU = 85;

}  // namespace

THintScroll::THintScroll() = default;
THintScroll::~THintScroll() = default;

int THintScroll::LoadSpecial(const String& page) {
  file = page;
  ImageLoad(u"hint_" + page + u".png", 0, 1);
  platform::MidHandleImage(Image);
  Unroll = TAnimation::Create(kUnrollMs, 0, 0, 0, 0);
  ScrollTop = images->Find(u"scrolltop");
  ScrollBottom = images->Find(u"scrollbottom");
  Menu = TMenu::Create(u"buttonMO", u"buttonclick", 0, 0, 10);
  TButtonPtr ok = Menu->AddQuick(u"OK", String());
  ok->OKButton = 1;
  ok->MoveTo(ok->x, kOKButtonY);
  ActivateSound = sounds->Find(u"scroll");
  DeactivateSound = sounds->Find(u"scroll");
  Active = 0;
  ClickHeld = 0;
  return 0;
}

void THintScroll::SetOKActive(int active) {
  if (!Menu) return;
  if (TButtonPtr ok = Menu->FindButton(u"OK")) ok->Active = active;
}

int THintScroll::Show(int sound) {
  if (!Menu || !Unroll) return 0;
  Active = 1;
  Menu->ManageNoSound(0, 0);
  Unroll->Start();
  MouseState = Game->Mouse->Active;
  Game->Mouse->On();
  if (sound != 0) Game->Channels->PlayGameSound(ActivateSound, nullptr, 1.0f, 0.0f);
  SetOKActive(0);
  ClickHeld = 0;
  ccFlushAll();
  return 0;
}

int THintScroll::RollUp() {
  Unroll->Reverse = 1;
  Unroll->Start();
  SetOKActive(0);
  Game->Channels->PlayGameSound(DeactivateSound, nullptr, 1.0f, 0.0f);
  return 0;
}

int THintScroll::Hide() {
  if (MouseState == 0) Game->Mouse->Off();
  ccFlushAll();
  Active = 0;
  Kill();
  Game->FixedRateLogic->Init();
  return 0;
}

int THintScroll::Kill() {
  TScreen::Kill();
  ActivateSound.reset();
  DeactivateSound.reset();
  Unroll.reset();
  ScrollTop.reset();
  ScrollBottom.reset();
  Active = 0;
  ClickHeld = 0;
  return 0;
}

int THintScroll::Logic() {
  if (Active == 0 || !Unroll) return 0;
  TScreen::Logic();
  if (Unroll->Active) {
    const bool rollingUp = Unroll->Reverse != 0;
    if (!rollingUp && Game->Mouse->GetMh(1) != 0) ClickHeld = 1;
    if (Unroll->Manage() == 0) return 0;
    if (rollingUp) {
      // Hide releases the menu: nothing below may touch it.
      Hide();
      return 1;
    }
    SetOKActive(1);
  }
  const TButtonPtr ok = Menu->FindButton(u"OK");
  if (Game->Mouse->GetMh(1) != 0 || ClickHeld != 0) {
    ClickHeld = 0;
    if (ok) ok->PlayClick();
    RollUp();
  } else if (Menu->Clicked(u"OK")) {
    RollUp();
  } else if (KeyHit(kKeyU)) {
    Unroll->Start();
    SetOKActive(0);
  }
  return 0;
}

int THintScroll::Draw() {
  if (Active == 0 || !Unroll) return 0;
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetAlpha(1.0f);
  platform::SetColor(255, 255, 255);
  const float r = Unroll->GetRatioInv();
  ScrollBodyDraw(Image, r);
  ScrollRollersDraw(ScrollTop, ScrollBottom, r);
  if (Menu) Menu->Draw(0, 0);
  return 1;
}
