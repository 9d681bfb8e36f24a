#include "screens/TStandInScreen.h"

#include "core/Globals.h"
#include "core/Input.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "gfx/TGameFade.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "screens/TTitleScreen.h"
#include "text/GameFonts.h"
#include "text/TextDrawing.h"

TStandInScreen::TStandInScreen(const String& screenName, int returnsToCaller)
    : ReturnsToCaller(returnsToCaller) {
  name = screenName;
}

TStandInScreen::~TStandInScreen() = default;

std::shared_ptr<TScreen> TStandInScreen::LeadsTo() {
  if (ReturnsToCaller != 0 && Destination) return Destination;
  return TitleScreen;
}

int TStandInScreen::Load() {
  // Escape (the application's own fade) keeps the music as well.
  Game->FadeMusic = 0;
  return 0;
}

int TStandInScreen::Logic() {
  if (Game->Fading() != 0) return 0;
  if (Game->Mouse->GetMh(1) != 0 || KeyHit(KEY_ENTER) != 0) {
    Game->GameFade->Init(FADE_SPEED, 1, nullptr, 1, 0, nullptr);
    Game->DestinationTScreen = LeadsTo();
  }
  return 0;
}

int TStandInScreen::Draw() {
  platform::SetBlend(platform::SOLIDBLEND);
  platform::SetClsColor(0, 0, 0);
  platform::Cls();
  platform::SetBlend(platform::ALPHABLEND);
  if (MainFontSmall) platform::SetImageFont(MainFontSmall);
  ccDrawTextCentre(name, static_cast<float>(ScreenHeight / 2 - 10), 0, 1);
  return 0;
}

int TStandInScreen::SetEscDestination() {
  Game->DestinationTScreen = LeadsTo();
  return 0;
}
