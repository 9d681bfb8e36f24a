#include "core/StartupSteps.h"

#include <memory>

#include "core/Globals.h"
#include "core/TGame.h"
#include "core/TSoundBank.h"
#include "gfx/Splashes.h"
#include "gfx/TImageBank.h"
#include "board/BoardHost.h"
#include "play/TGameMenu.h"
#include "play/TGameScreen.h"
#include "play/THintScroll.h"
#include "play/TLevelCompleteScreen.h"
#include "screens/GameOverScreen.h"
#include "screens/TBookScreen.h"
#include "screens/TCreditsScreen.h"
#include "screens/TGameFinishedScreen.h"
#include "screens/TGameOverScreen.h"
#include "screens/THighScoresScreen.h"
#include "screens/TInstructionsScreen.h"
#include "screens/TLevelSelectScreen.h"
#include "screens/TOptionsScreen.h"
#include "screens/TOutroScreen.h"
#include "screens/TTitleScreen.h"
#include "text/GameFonts.h"

int CreateBanks() {
  images = std::make_shared<TImageBank>();
  images->SetPath(Game->ImagePath);
  sounds = std::make_shared<TSoundBank>(Game->SoundPath);
  return 0;
}

int LoadFonts() {
  FontsPath = Game->DataPrefix + u"Data/fonts/";
  LoadGameFonts(FontsPath, Game->Region);
  return 0;
}

int CreateScreens() {
  TitleScreen = std::make_shared<TTitleScreen>();
  GameScreen = std::make_shared<TGameScreen>();
  OptionsScreen = std::make_shared<TOptionsScreen>();
  InstructionsScreen = std::make_shared<TInstructionsScreen>();
  HighScoresScreen = std::make_shared<THighScoresScreen>();
  CreditsScreen = std::make_shared<TCreditsScreen>();
  GameOverScreen = std::make_shared<TGameOverScreen>();
  LevelCompleteScreen = std::make_shared<TLevelCompleteScreen>();
  GameFinishedScreen = std::make_shared<TGameFinishedScreen>();
  LevelSelectScreen = std::make_shared<TLevelSelectScreen>();
  GameMenu = std::make_shared<TGameMenu>();
  OutroScreen = std::make_shared<TOutroScreen>();
  HintScroll = std::make_shared<THintScroll>();
  BookScreen = std::make_shared<TBookScreen>();
  BoardHost::Set(&GameScreen->Host);
  return 0;
}

int ShowSplashes() { return ShowStartupSplashes(); }
