#pragma once
// Shared set-up for the application-core tests: a fresh Game on a fake clock with its user
// folder in a temporary directory, program exits turned into exceptions, and a screen that
// records what the frame loop does to it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/FrameworkState.h"
#include "support/TestRig.h"
#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/Input.h"
#include "core/Platform.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TProfile.h"
#include "core/TScreen.h"
#include "core/TExitScreen.h"
#include "gfx/TGameFade.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/Graphics.h"
#include "platform/System.h"

namespace coretest {

// A screen that counts the protocol calls made on it.
class RecordingScreen : public TScreen {
 public:
  explicit RecordingScreen(const char16_t* screenName = u"test") { name = screenName; }
  int loads = 0, starts = 0, coreStarts = 0, kills = 0, logics = 0, draws = 0, specificKeys = 0;
  int escapeLength = 0;
  std::shared_ptr<TScreen> escapeTo;  // null: the base (exit screen)
  std::vector<float> deltas;          // Delta seen by each Logic
  std::vector<int> escapeSeen;        // KeyHit(27) inside SpecificKeys
  std::vector<int> clicksSeen;        // mouse clicks seen by Logic
  std::function<void()> onLogic;

  int Load() override {
    ++loads;
    return 0;
  }
  int Start() override {
    ++starts;
    return TScreen::Start();
  }
  int CoreStart() override {
    ++coreStarts;
    return TScreen::CoreStart();
  }
  int Kill() override {
    ++kills;
    return TScreen::Kill();
  }
  int Logic() override {
    ++logics;
    deltas.push_back(Delta);
    clicksSeen.push_back(Game->Mouse->mh);
    if (onLogic) onLogic();
    return 0;
  }
  int Draw() override {
    ++draws;
    return 0;
  }
  int SetEscDestination() override {
    if (!escapeTo) return TScreen::SetEscDestination();
    Game->DestinationTScreen = escapeTo;
    return escapeLength;
  }
  int SpecificKeys() override {
    ++specificKeys;
    escapeSeen.push_back(KeyHit(KEY_ESCAPE));
    return 0;
  }
};

// A profile that only counts its saves.
class CountingProfile : public TProfile {
 public:
  int saves = 0;
  int Save() override {
    ++saves;
    return 0;
  }
};

using testrig::DrainEvents;
using testrig::Post;

class CoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testrig::ResetFrameworkGlobals();
    ccFlipSync = 1;
    Game = std::make_shared<TGame>();
    Game->FixedRateLogic->Create();
    Game->FixedRateLogic->Init();
    Game->MusicChannel = platform::AllocChannel();
    Game->SpeechChannel = platform::AllocChannel();
    Game->EscapeChannel = platform::AllocChannel();
    userDir = testrig::MakeTempDir("user");
    Game->SubPath = S(userDir) + u"/";
    Game->ProfilePath = Game->SubPath + u"profiles/";
    ccErrorPath = Game->SubPath;
    Game->Ini.FileName = Game->SubPath + u"settings";
  }

  void TearDown() override {
    SetErrorBoxHook(nullptr);
    SetDisplayOpenHook(nullptr);
    if (platform::GraphicsOpen()) platform::EndGraphics();
    DrainEvents();
    Game.reset();
    platform::UseFakeClock(false);
    ccPolledInputState = 0;
    platform::DisablePolledInput();
  }

  // Makes a recording screen current, as if started.
  std::shared_ptr<RecordingScreen> StartScreen(const char16_t* name = u"test") {
    auto screen = std::make_shared<RecordingScreen>(name);
    screen->PreStart();
    return screen;
  }

  // One logic tick of length 1.
  int Tick() {
    Game->FixedRateLogic->SetDelta(1.0f);
    return Game->LogicWrapper();
  }

  // Opens the dummy display so the game's own error box and display code can run.
  void OpenDisplay() {
    Game->FullScreen = 0;
    Game->GraphicsCreate(0);
  }

  std::string userDir;
};

}  // namespace coretest
