#include "PlayWorld.h"

#include "board/BoardGlobals.h"
#include "board/BoardHost.h"
#include "board/TBonusList.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/LoadData.h"
#include "core/StartupSteps.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TSoundBank.h"
#include "gfx/TImageBank.h"
#include "gfx/TParticleList.h"
#include "play/TGameMenu.h"
#include "play/TGameScreen.h"
#include "play/THintScroll.h"
#include "play/TLevelCompleteScreen.h"
#include "platform/Audio.h"
#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "platform/Image.h"
#include "screens/GameOverScreen.h"
#include "screens/TGameFinishedScreen.h"
#include "screens/TInstructionsScreen.h"
#include "screens/TLevelSelectScreen.h"
#include "screens/TOptionsScreen.h"
#include "screens/TTitleScreen.h"
#include "text/GameFonts.h"

namespace testrig {

bool MakeHeadlessGame(const std::string& dataDir, const std::string& userDir) {
  if (!platform::SetAudioDriver(u"None")) return false;
  ccGraphicalErrors = 0;
  ShowErrors = 1;
  ScreenWidth = 800;
  ScreenHeight = 600;
  const String data = S(dataDir);
  Game = std::make_shared<TGame>();
  Game->SubPath = S(userDir);
  Game->ProfilePath = Game->SubPath + u"profiles/";
  platform::CreateDir(Game->ProfilePath, true);
  ccErrorPath = Game->SubPath;
  Game->Ini.FileName = Game->SubPath + u"LanternVale.ini";
  Game->DataPrefix = data;
  Game->ImagePath = data + u"Data/graphics/";
  Game->MenuPath = data + u"Data/menus/";
  Game->SoundPath = data + u"Data/sound/";
  Game->MusicPath = data + u"Data/music/";
  Game->LevelsPath = data + u"Data/levels/";
  Game->MaxLevels = 50;
  Game->FixedRateLogic->Create();
  Game->FixedRateLogic->Init();
  Game->MusicChannel = platform::AllocChannel();
  Game->ChannelsCreate(16);
  Game->Mouse->x = -100;
  Game->Mouse->y = -100;
  if (!platform::GraphicsOpen() && !platform::Graphics(800, 600, 0)) return false;
  platform::AutoMidHandle(true);
  images = std::make_shared<TImageBank>();
  images->SetPath(Game->ImagePath);
  sounds = std::make_shared<TSoundBank>(Game->SoundPath);
  LoadGameFonts(data + u"Data/fonts/", 0);
  return true;
}

void LoadPlayWorld() {
  CreateParticleLists();
  HouseList = std::make_shared<TBonusList>();
  TGem::InitArrays();
  LoadSounds();
  LoadImages();
  TGem::Load();
  TCell::Load();
  TGameGrid::CreateChannels();
  CreateScreens();
  Game->Mouse->On();
}

void DropPlayWorld() {
  BoardHost::Set(nullptr);
  if (GameScreen && GameScreen->IntroAnim) GameScreen->Kill();
  GameGrid.reset();
  GemList.reset();
  for (auto& column : Grid) {
    for (auto& cell : column) cell.reset();
  }
  GameScreen.reset();
  GameMenu.reset();
  HintScroll.reset();
  LevelCompleteScreen.reset();
  TitleScreen.reset();
  OptionsScreen.reset();
  InstructionsScreen.reset();
  LevelSelectScreen.reset();
  GameFinishedScreen.reset();
  GameOverScreen.reset();
  TGameGrid::Channels.reset();
}

}  // namespace testrig
