#include "support/ScreenRig.h"

#include <filesystem>

#include "core/Globals.h"
#include "core/StartupSteps.h"
#include "core/TGame.h"
#include "core/TSoundBank.h"
#include "gfx/TGameFade.h"
#include "gfx/TImageBank.h"
#include "gfx/TParticleList.h"
#include "platform/Audio.h"
#include "platform/Events.h"
#include "play/TGameScreen.h"
#include "screens/TBookScreen.h"
#include "screens/TCreditsScreen.h"
#include "screens/GameOverScreen.h"
#include "screens/TGameFinishedScreen.h"
#include "screens/THighScoresScreen.h"
#include "screens/TInstructionsScreen.h"
#include "screens/TLevelSelectScreen.h"
#include "screens/TOptionsScreen.h"
#include "screens/TOutroScreen.h"
#include "screens/TTitleScreen.h"
#include "support/FrameworkState.h"
#include "support/TestRig.h"
#include "text/GameFonts.h"

namespace screentest {

namespace {

void ClearParticleLists() {
  for (const TParticleListPtr& list :
       {BackgroundParticles, Particles, AnimatedParticles, Tumblets, ScoreParticles}) {
    if (list) list->Clear();
  }
}

}  // namespace

void ScreenTest::SetUp() {
  if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
  UiTest::SetUp();
  const String data = S(testrig::ResourcesDir());
  Game->DataPrefix = data;
  Game->ImagePath = data + u"Data/graphics/";
  Game->MenuPath = data + u"Data/menus/";
  Game->SoundPath = data + u"Data/sound/";
  Game->MusicPath = data + u"Data/music/";
  userDir = testrig::MakeTempDir("user") + "/";
  std::filesystem::create_directories(userDir + "profiles");
  Game->SubPath = S(userDir);
  Game->ProfilePath = Game->SubPath + u"profiles/";
  Game->Ini.FileName = Game->SubPath + u"lantern-vale.ini";
  ccErrorPath = Game->SubPath;
  Game->MaxLevels = 50;
  // As start-up leaves them: the framework's hot keys and debug key are off in this game.
  Game->IgnoreFrameworkKeys = 1;
  Game->IgnoreDebugKey = 1;
  Game->SpeechChannel = platform::AllocChannel();
  Game->EscapeChannel = platform::AllocChannel();
  Game->SetEscapeSound(u"buttonclick");

  // The fonts are the program's globals and never change: load them once.
  static bool fontsLoaded = false;
  if (!fontsLoaded) {
    LoadGameFonts(data + u"Data/fonts/", 0);
    fontsLoaded = true;
  }
  sounds = std::make_shared<TSoundBank>(Game->SoundPath);
  sounds->Load(u"buttonclick");
  images->SetPath(Game->ImagePath);
  images->Load(u"particle7", u"particle2", -1, 1);
  ClearParticleLists();

  CreateScreens();
  OpenDisplay();
}

void ScreenTest::TearDown() {
  ClearParticleLists();
  TitleScreen.reset();
  OptionsScreen.reset();
  CreditsScreen.reset();
  InstructionsScreen.reset();
  GameFinishedScreen.reset();
  LevelSelectScreen.reset();
  BookScreen.reset();
  HighScoresScreen.reset();
  GameOverScreen.reset();
  OutroScreen.reset();
  testrig::DrainEvents();
  UiTest::TearDown();
}

void ScreenTest::Tick(int n) {
  for (int i = 0; i < n; ++i) {
    Game->FixedRateLogic->SetDelta(1.0f);
    Game->LogicWrapper();
  }
}

int ScreenTest::TicksUntilFadeDone(int limit) {
  int ticks = 0;
  while (Game->GameFade->Active != 0 && ticks < limit) {
    Tick();
    ++ticks;
  }
  return ticks;
}

std::shared_ptr<TProfile> ScreenTest::UseProfile(const String& name, int level) {
  auto profile = TProfile::Create(name);
  profile->Load();
  profile->CurrentLevel = level;
  profile->Save();
  Game->ProfileName = name;
  Game->CurrentProfile = profile;
  GameScreen->GameStart();
  return profile;
}

void ScreenTest::Enter(const std::shared_ptr<TScreen>& screen, const std::shared_ptr<TScreen>& from) {
  Game->CurrentTScreen = from;
  Game->LastTScreen = from;
  screen->PreStart();
}

void ScreenTest::Click(int x, int y, int button) {
  testrig::Post(platform::EVENT_MOUSEMOVE, 0, x, y);
  testrig::Post(platform::EVENT_MOUSEDOWN, button, x, y);
  testrig::Post(platform::EVENT_MOUSEUP, button, x, y);
}

void ScreenTest::ButtonDown(int x, int y) {
  testrig::Post(platform::EVENT_MOUSEMOVE, 0, x, y);
  testrig::Post(platform::EVENT_MOUSEDOWN, 1, x, y);
}

void ScreenTest::ButtonUp(int x, int y) { testrig::Post(platform::EVENT_MOUSEUP, 1, x, y); }

int ScreenTest::TickUntil(const std::shared_ptr<TScreen>& screen, int limit) {
  for (int i = 1; i <= limit; ++i) {
    Tick();
    if (Game->CurrentTScreen == screen) return i;
  }
  return -1;
}

bool ScreenTest::HaveUserFile(const std::string& name) const {
  return std::filesystem::exists(userDir + name);
}

std::string ScreenTest::UserFileText(const std::string& name) const {
  return HaveUserFile(name) ? testrig::ReadFileBytes(userDir + name) : std::string();
}

std::string ScreenTest::SettingsText() const {
  const std::string path = platform::ToUtf8(Game->Ini.FileName) + ".ini";
  return std::filesystem::exists(path) ? testrig::ReadFileBytes(path) : std::string();
}

}  // namespace screentest
