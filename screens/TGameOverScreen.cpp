#include "screens/TGameOverScreen.h"

#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "gfx/TGameFade.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "play/TGameScreen.h"
#include "screens/DialogFunctions.h"
#include "screens/TGameTotals.h"
#include "screens/THighScoreEntry.h"
#include "screens/TTitleScreen.h"
#include "text/GameFonts.h"
#include "ui/TLoadingScreen.h"
#include "ui/TMenu.h"

TGameOverScreen::TGameOverScreen() { name = u"gameover"; }
TGameOverScreen::~TGameOverScreen() = default;

int TGameOverScreen::Load() {
  name = u"gameover";
  if (Game->LoadingScreen) Game->LoadingScreen->DrawLoading(1);
  Game->MusicLoad(u"gameover.ogg", 1);
  Menu = TMenu::Create(u"buttonMO", u"buttonclick", 0, 0, 0);
  OKButtonCreate(Menu);
  Game->FadeMusic = 1;
  High = THighScoreEntry::Create(Menu);
  GameTotals = TGameTotals::Create();
  if (High->HighScore == 0) GameTotals->CentreVert();
  return 0;
}

int TGameOverScreen::Start() {
  TScreen::Start();
  Game->MusicPlay(1, 0, 0);
  // The record keeps the run's numbers for the totals and the table; the profile starts over.
  if (GameScreen && GameScreen->Player) GameScreen->Player->ProfileGameOver(Game->CurrentProfile, 1);
  return 0;
}

int TGameOverScreen::Kill() {
  TScreen::Kill();
  High.reset();
  GameTotals.reset();
  return 0;
}

int TGameOverScreen::Logic() {
  TScreen::Logic();
  if (GameTotals) GameTotals->Manage();
  if (Menu && Menu->Clicked(u"ok")) {
    Game->GameFade->Init(FADE_SPEED, 1, Game->MusicChannel, 1, 0, nullptr);
    Game->DestinationTScreen = TitleScreen;
    Game->BlockKeys = 0;
    if (High) High->FinishAndAdd();
  }
  if (High) High->Manage();
  return 0;
}

int TGameOverScreen::Draw() {
  platform::SetBlend(platform::SOLIDBLEND);
  platform::Cls();
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetImageFont(MainFont);
  if (GameTotals) GameTotals->Draw();
  if (High) High->Draw();
  return 0;
}

int TGameOverScreen::SetEscDestination() {
  Game->DestinationTScreen = TitleScreen;
  return 0;
}
