#include "play/TGameMenu.h"

#include "core/Globals.h"
#include "core/Input.h"
#include "core/TChannelArray.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TProfile.h"
#include "core/TSoundBank.h"
#include "gfx/ScreenEffects.h"
#include "gfx/TGameFade.h"
#include "gfx/TImageBank.h"
#include "play/ScrollDrawing.h"
#include "play/TGameScreen.h"
#include "platform/Graphics.h"
#include "screens/TInstructionsScreen.h"
#include "screens/TOptionsScreen.h"
#include "screens/TTitleScreen.h"
#include "ui/TMenu.h"

std::shared_ptr<TGameMenu> GameMenu;

namespace {

constexpr int kFadeMs = 375;
constexpr float kDim = 0.5f;

// A visit that must come back to the running level: the play screen stays loaded.
void VisitFromLevel(const std::shared_ptr<TScreen>& screen) {
  Game->GameFade->Init(FADE_SPEED, 1, nullptr, 1, 0, nullptr);
  Game->DestinationTScreen = screen;
  GameScreen->StopKill = 1;
  GameScreen->StopInit = 1;
  if (screen) screen->Destination = GameScreen;
}

}  // namespace

TGameMenu::TGameMenu() = default;
TGameMenu::~TGameMenu() = default;

int TGameMenu::Load() {
  Menu = TMenu::Create(u"buttonMO", u"buttonclick", 0, 0, 10);
  Menu->SetShadow(1, 3.0f, 3.0f, 0.4f);
  for (const char16_t* button : {u"resume", u"options", u"help", u"saveandexit"}) {
    Menu->AddQuick(button, String());
  }
  Menu->FindButton(u"resume")->OKButton = 1;
  Menu->Centre();
  Menu->SetY(Menu->y + 20.0f);
  ActivateSound = sounds->Find(u"buttonclick");
  ImageLoad(u"scrollbody.png", 0, 1);
  platform::MidHandleImage(Image);
  ScrollTop = images->Find(u"scrolltop");
  ScrollBottom = images->Find(u"scrollbottom");
  FadeIn = TAnimation::Create(kFadeMs, 0, 0, 0, 0);
  FadeOut = TAnimation::Create(kFadeMs, 0, 0, 0, 0);
  Active = 0;
  return 0;
}

int TGameMenu::Show(int sound) {
  Active = 1;
  ccFlushAll();
  Menu->ManageNoSound(0, 0);
  QuitFlag = 0;
  MouseState = Game->Mouse->Active;
  Game->Mouse->On();
  if (sound != 0) Game->Channels->PlayGameSound(ActivateSound, nullptr, 1.0f, 0.0f);
  Game->Channels->PlayGameSound(sounds->Find(u"scroll"), nullptr, 1.0f, 0.0f);
  FadeIn->Reset();
  return 0;
}

int TGameMenu::Hide() {
  if (MouseState == 0) Game->Mouse->Off();
  Game->Channels->PlayGameSound(sounds->Find(u"scroll"), nullptr, 1.0f, 0.0f);
  FadeOut->Reset();
  // A menu closed while still opening closes from the point it had reached.
  FadeOut->Counter = FadeIn->Length[0] - FadeIn->Counter;
  FadeIn->Active = 0;
  ccFlushAll();
  return 0;
}

int TGameMenu::Kill() {
  TScreen::Kill();
  ActivateSound.reset();
  ScrollTop.reset();
  ScrollBottom.reset();
  FadeIn.reset();
  FadeOut.reset();
  return 0;
}

int TGameMenu::Logic() {
  if (!FadeIn || !FadeOut) return 1;
  if (Active == 1) {
    FadeIn->Manage();
    if (FadeOut->Manage() == 1) {
      Active = 0;
      if (QuitFlag == 1) GameScreen->Quit();
      return 0;
    }
    if (FadeOut->Active == 0) TScreen::Logic();
  }
  // An Escape pressed while closing stays pending for the first tick after.
  if (FadeOut->Active != 0) return 0;
  int result = 1;
  if (KeyHit(KEY_ESCAPE)) {
    if (Active == 0) {
      Show(1);
      result = 2;
    } else {
      Game->EscapeSoundPlay();
      Hide();
      result = 3;
    }
  }
  if (Active == 1) {
    if (Menu->Clicked(u"resume")) {
      Hide();
      result = 3;
    }
    if (Menu->Clicked(u"options")) VisitFromLevel(OptionsScreen);
    if (Menu->Clicked(u"help")) VisitFromLevel(InstructionsScreen);
    if (Menu->Clicked(u"saveandexit")) {
      Game->GameFade->Init(FADE_SPEED, 1, Game->MusicChannel, 1, 0, nullptr);
      Game->DestinationTScreen = TitleScreen;
      // The profile as last recorded: the level in progress is not credited.
      if (Game->CurrentProfile) Game->CurrentProfile->Save();
    }
  }
  return result;
}

int TGameMenu::Draw() {
  if (Active != 1 || !FadeIn || !FadeOut) return 0;
  platform::SetBlend(platform::ALPHABLEND);
  float dim = kDim;
  float r = 1.0f;
  if (FadeOut->Active != 0) {
    dim = FadeOut->GetRatioSine() * kDim;
    r = FadeOut->GetRatio();
  } else if (FadeIn->Active != 0) {
    dim = FadeIn->GetRatioInvSine() * kDim;
    r = FadeIn->GetRatioInv();
  }
  ccDimScreen(dim);
  ScrollBodyDraw(Image, r);
  ScrollClipBegin(Image, r);
  Menu->Draw(0, 0);
  ScrollClipEnd();
  ScrollRollersDraw(ScrollTop, ScrollBottom, r);
  return 1;
}
