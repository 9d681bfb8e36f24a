#include "screens/TGameFinishedScreen.h"

#include "core/Globals.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "gfx/TGameFade.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "screens/DialogFunctions.h"
#include "screens/TTitleScreen.h"
#include "text/GameFonts.h"
#include "text/TextDrawing.h"
#include "ui/TButton.h"
#include "ui/TLoadingScreen.h"
#include "ui/TMenu.h"

std::shared_ptr<TGameFinishedScreen> GameFinishedScreen;

namespace {
constexpr int kCloseFade = FADE_SPEED * 3;
}

TGameFinishedScreen::TGameFinishedScreen() { name = u"gamefinished"; }

int TGameFinishedScreen::Load() {
  name = u"gamefinished";
  Game->LoadingScreen->DrawLoading(1);
  ImageLoad(u"book open.jpg", 0, 1);
  Game->MusicLoad(u"gamefinished.ogg", 1);
  Menu = TMenu::Create(u"buttonMO", u"buttonclick", 0, 0, 0);
  OKButtonCreate(Menu);
  if (const TButtonPtr ok = Menu->FindButton(u"OK")) ok->MoveBy(13, -30);
  Game->FadeMusic = 1;
  return 0;
}

int TGameFinishedScreen::Start() {
  TScreen::Start();
  Game->MusicPlay(1, 0, 0);
  return 0;
}

int TGameFinishedScreen::Kill() { return TScreen::Kill(); }

int TGameFinishedScreen::Logic() {
  TScreen::Logic();
  if (Game->Mouse->GetMh(1) != 0) {
    if (const TButtonPtr ok = Menu ? Menu->FindButton(u"OK") : nullptr) ok->PlayClick();
    Close();
  } else if (Menu && Menu->Clicked(u"ok")) {
    Close();
  }
  return 0;
}

int TGameFinishedScreen::Close() {
  Game->GameFade->Init(static_cast<float>(kCloseFade), 1, Game->MusicChannel, 1, 0, nullptr);
  Game->DestinationTScreen = TitleScreen;
  return 0;
}

int TGameFinishedScreen::SetEscDestination() {
  Game->DestinationTScreen = TitleScreen;
  return kCloseFade;
}

int TGameFinishedScreen::Draw() {
  platform::SetBlend(platform::SOLIDBLEND);
  if (Image) platform::DrawImage(Image, 0, 0);
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetImageFont(MainFont);
  ccShadowTextSet(1.0f, 1.0f, 0.4f);
  platform::SetColor(255, 255, 255);
  const float centre = static_cast<float>(ScreenWidth / 2 + 10);
  ccDrawTextCentred(u"The End", centre, 200.0f, 1, 0);
  platform::DrawRect(245.0f, 300.0f, static_cast<float>(PageWidth), 1.0f);
  platform::SetColor(0, 0, 0);
  platform::DrawRect(246.0f, 301.0f, static_cast<float>(PageWidth), 1.0f);
  platform::SetColor(255, 255, 255);
  platform::SetImageFont(MapFont);
  ccDrawTextCentred(u"Thank you for playing!", centre, 335.0f, 1, 0);
  if (Menu) Menu->Draw(0, 0);
  return 0;
}
