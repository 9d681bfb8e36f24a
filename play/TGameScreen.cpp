#include "play/TGameScreen.h"

#include "core/TGame.h"
#include "screens/TTitleScreen.h"

std::shared_ptr<TGameScreen> GameScreen;

TGameScreen::TGameScreen() { name = u"game"; }
TGameScreen::~TGameScreen() = default;

int TGameScreen::CoreStart() {
  TScreen::CoreStart();
  Game->IgnoreEscapeKey = 1;
  ResetStops();
  return 0;
}

int TGameScreen::SetEscDestination() {
  Game->DestinationTScreen = TitleScreen;
  return 0;
}

int TGameScreen::Quit() { return 0; }
