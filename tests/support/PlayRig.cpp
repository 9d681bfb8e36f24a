#include "PlayRig.h"

#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/Input.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TProfile.h"
#include "core/TSoundBank.h"
#include "gfx/TImageBank.h"
#include "platform/Audio.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "platform/Image.h"
#include "support/FrameworkState.h"
#include "support/TestRig.h"
#include "text/GameFonts.h"

namespace playtest {

void PlayTest::SetUp() {
  if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
  testrig::ResetFrameworkGlobals();
  ASSERT_TRUE(platform::SetAudioDriver(u"None"));
  ccGraphicalErrors = 0;
  ShowErrors = 1;
  ScreenWidth = 800;
  ScreenHeight = 600;
  userDir = testrig::MakeTempDir("play");
  const String data = S(testrig::ResourcesDir());
  Game = std::make_shared<TGame>();
  Game->SubPath = S(userDir) + u"/";
  Game->ProfilePath = Game->SubPath + u"profiles/";
  platform::CreateDir(Game->ProfilePath);
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
  channels = std::make_shared<uitest::RecordingChannels>();
  Game->Channels = channels;
  Game->Mouse->x = -100;
  Game->Mouse->y = -100;
  ASSERT_TRUE(platform::Graphics(800, 600, 0));
  testrig::ResetDrawingState();
  platform::AutoMidHandle(true);
  images = std::make_shared<TImageBank>();
  images->SetPath(Game->ImagePath);
  sounds = std::make_shared<TSoundBank>(Game->SoundPath);
  for (const char16_t* name : {u"scrolltop", u"scrollbottom", u"click"}) {
    images->Load(name, String(), -1, 1);
  }
  for (const char16_t* name : {u"scroll", u"buttonclick", u"levelstart", u"levelend",
                               u"gaugefull1", u"gaugeempty", u"invalid"}) {
    sounds->Load(name);
  }
  LoadGameFonts(data + u"Data/fonts/", 0);
}

void PlayTest::TearDown() {
  if (platform::GraphicsOpen()) platform::EndGraphics();
  Game.reset();
  platform::UseFakeClock(false);
  platform::AutoMidHandle(false);
  testrig::DrainEvents();
}

void PlayTest::Tick(const std::function<void()>& fn, int n) {
  for (int i = 0; i < n; ++i) {
    Delta = 1.0f;
    fn();
    Game->Mouse->ClearMouseHit();
  }
}

void PlayTest::Click(int x, int y) {
  Game->Mouse->x = x;
  Game->Mouse->y = y;
  ++Game->Mouse->h1;
  Game->Mouse->CalcButtonTotals();
}

void PlayTest::Key(int code) { ++Keys[static_cast<size_t>(code)]; }

uint32_t PlayTest::PixelAt(int x, int y) {
  const platform::PixmapPtr grab = platform::GrabPixmap(x, y, 1, 1);
  return grab ? grab->ReadPixel(0, 0) : 0;
}

void PlayTest::UseProfile(const String& name) {
  Game->CurrentProfile = TProfile::Create(name);
  Game->CurrentProfile->Load();
}

}  // namespace playtest
