#include "PlayRig.h"

#include "board/TGameGrid.h"
#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TProfile.h"
#include "core/TSoundBank.h"
#include "gfx/TImageBank.h"
#include "play/TGameScreen.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/Graphics.h"
#include "platform/Image.h"
#include "support/FrameworkState.h"
#include "support/TestRig.h"
#include "support/play/PlayWorld.h"

namespace playtest {

void PlayTest::SetUp() {
  if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
  testrig::ResetFrameworkGlobals();
  userDir = testrig::MakeTempDir("play");
  ASSERT_TRUE(testrig::MakeHeadlessGame(testrig::ResourcesDir(), userDir + "/"));
  channels = std::make_shared<uitest::RecordingChannels>();
  Game->Channels = channels;
  testrig::ResetDrawingState();
  for (const char16_t* name : {u"scrolltop", u"scrollbottom", u"click"}) {
    images->Load(name, String(), -1, 1);
  }
  for (const char16_t* name : {u"scroll", u"buttonclick"}) sounds->Load(name);
}

void PlayTest::TearDown() {
  testrig::DropPlayWorld();
  if (platform::GraphicsOpen()) platform::EndGraphics();
  Game.reset();
  platform::UseFakeClock(false);
  platform::AutoMidHandle(false);
  // A fatal error's box switches the runtime's own input on; the next test needs the events.
  ccPolledInputState = 0;
  platform::DisablePolledInput();
  testrig::DrainEvents();
}

void PlayTest::LoadWorld() {
  levelsDir = userDir + "/levels";
  testrig::LoadPlayWorld();
  Game->LevelsPath = S(levelsDir) + u"/";
  boardChannels = std::make_shared<uitest::RecordingChannels>();
  TGameGrid::Channels = boardChannels;
}

void PlayTest::WriteLevel(int level, const std::string& text) {
  testrig::WriteFileBytes(levelsDir + "/" + std::to_string(level) + ".txt", text);
}

void PlayTest::EnterLevel(int level) {
  GameScreen->Player->Level = level;
  GameScreen->PreStart();
}

void PlayTest::GameTick(int n) {
  for (int i = 0; i < n; ++i) {
    Game->FixedRateLogic->SetDelta(1.0f);
    Game->LogicWrapper();
  }
}

void PlayTest::PostClick(int x, int y) {
  testrig::Post(platform::EVENT_MOUSEMOVE, 0, x, y);
  testrig::Post(platform::EVENT_MOUSEDOWN, 1, x, y);
  testrig::Post(platform::EVENT_MOUSEUP, 1, x, y);
}

void PlayTest::PostKey(int code) {
  testrig::Post(platform::EVENT_KEYDOWN, code);
  testrig::Post(platform::EVENT_KEYUP, code);
}

void PlayTest::HoldKey(int code, bool down) {
  testrig::Post(down ? platform::EVENT_KEYDOWN : platform::EVENT_KEYUP, code);
}

int PlayTest::TicksUntil(const std::function<bool()>& pred, int limit) {
  for (int t = 0; t <= limit; ++t) {
    if (pred()) return t;
    GameTick();
  }
  return -1;
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
