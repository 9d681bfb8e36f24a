#include "screens/TTitleScreen.h"

#include "core/Globals.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "text/GameFonts.h"
#include "text/TextDrawing.h"
#include "ui/TLoadingScreen.h"

std::shared_ptr<TTitleScreen> TitleScreen;

TTitleScreen::TTitleScreen() = default;
TTitleScreen::~TTitleScreen() = default;

int TTitleScreen::SpecialLoad(int startup, int music) {
  name = u"title";
  if (startup == 0) Game->LoadingScreen->DrawLoading(1);
  if (music == 1) Game->MusicLoad(u"title.ogg", 1);
  ImageLoad(u"title.jpg", 0, 1);
  Game->FadeMusic = 1;
  return 0;
}

int TTitleScreen::SpecialStart(int music) {
  TScreen::Start();
  if (music == 1) Game->MusicPlay(1, 0, 0);
  Game->LoadingScreen->LoadingY = ScreenHeight / 2;
  Game->FixedRateLogic->Init();
  return 0;
}

int TTitleScreen::PreStart() {
  if (Game->LastTScreen != Game->LoadingScreen) SpecialLoad(0, 0);
  SpecialStart(0);
  return 0;
}

int TTitleScreen::Draw() {
  platform::SetBlend(platform::SOLIDBLEND);
  if (Image) {
    platform::DrawImage(Image, 0.0f, 0.0f);
  } else {
    platform::Cls();
  }
  platform::SetBlend(platform::ALPHABLEND);
  if (MainFontSmall) {
    platform::SetImageFont(MainFontSmall);
    ccShadowTextSet(3.0f, 3.0f, 0.4f);
    const float vx = static_cast<float>(ScreenWidth - platform::TextWidth(VERSION_NO) - 5);
    ccDrawText(VERSION_NO, vx, 1.0f, 0, 0);
  }
  return 0;
}
