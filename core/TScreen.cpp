#include "core/TScreen.h"

#include "core/ErrorPath.h"
#include "core/Input.h"
#include "core/TExitScreen.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "gfx/DrawHelpers.h"
#include "gfx/TGameImage.h"
#include "gfx/TSprite.h"
#include "platform/Graphics.h"
#include "ui/TMenu.h"

TScreen::TScreen() = default;
TScreen::~TScreen() = default;

int TScreen::ImageLoad(const String& file, int flags, int frames) {
  if (Game->UsingVirtualResolution) flags = -1;
  Image = ccLoadBitmap(Game->ImagePath + file, flags);
  platform::SetImageHandle(Image, 0, 0);
  if (frames != 0) ccCreateFrames(Image);
  return 0;
}

int TScreen::HeaderLoad(const String& file, float x, float y, int frames) {
  Header = TSprite::Create(TGameImage::Create(Game->ImagePath + file + Ext, -1, 1), x, y);
  if (frames != 0 && Header->image) ccCreateFrames(Header->image->image);
  return 0;
}

int TScreen::PreStart() {
  if (StopInit == 0) {
    Load();
    Start();
  } else {
    CoreStart();
  }
  return 0;
}

int TScreen::ResetStops() {
  StopKill = 0;
  StopInit = 0;
  return 0;
}

int TScreen::Load() { return 0; }

int TScreen::Start() {
  Game->Mouse->On();
  Game->IgnoreEscapeKey = 0;
  CoreStart();
  return 0;
}

int TScreen::CoreStart() {
  Game->CurrentTScreen = shared_from_this();
  if (Menu) Menu->ManageNoSound(0, 0);
  ccFlushAll();
  Game->Mouse->ClearButtons();
  Game->FixedRateLogic->Init();
  return 0;
}

int TScreen::PostFadeIn() { return 0; }

int TScreen::PostFadeOut() { return 0; }

int TScreen::Kill() {
  Image.reset();
  Header.reset();
  if (Menu) {
    Menu->Kill();
    Menu.reset();
  }
  return 0;
}

int TScreen::Logic() {
  if (Menu) Menu->Manage(0, 0);
  return 0;
}

int TScreen::Draw() {
  if (Image) {
    platform::SetBlend(platform::SOLIDBLEND);
    platform::DrawImage(Image, 0, 0);
  } else {
    platform::Cls();
  }
  if (Header) {
    platform::SetBlend(platform::ALPHABLEND);
    Header->Draw();
  }
  if (Menu) Menu->Draw(0, 0);
  return 0;
}

int TScreen::SetEscDestination() {
  Game->DestinationTScreen = Game->ExitScreen;
  return 0;
}

int TScreen::SpecificKeys() { return 0; }
