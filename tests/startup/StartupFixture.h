#pragma once
// The real start-up, headless and in-process: dummy drivers, a fake clock that moves with every
// presented frame, the generated data folder and a fresh user folder per run. A run goes from
// launch through the splashes and the loading bar to the title screen, driven by a script
// called before every pass of the main loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "board/BoardParticles.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/Input.h"
#include "core/Platform.h"
#include "core/Startup.h"
#include "core/TChannelArray.h"
#include "core/TGame.h"
#include "core/TGameSound.h"
#include "core/THighScoreList.h"
#include "core/TMousePointer.h"
#include "core/TSoundBank.h"
#include "gfx/TFade.h"
#include "gfx/TGameFade.h"
#include "gfx/TImageBank.h"
#include "gfx/TSplashScreen.h"
#include "platform/Audio.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "platform/System.h"
#include "screens/TTitleScreen.h"
#include "text/TLabel.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogTextInput.h"
#include "ui/TDialogYesNo.h"
#include "ui/TListBox.h"
#include "ui/TMenu.h"
#include "ui/TPlayerManager.h"
#include "ui/TTextInput.h"
#include "support/FrameworkState.h"
#include "support/TestRig.h"
#include "text/GameFonts.h"
#include "ui/TButton.h"
#include "ui/TLoadingBar.h"
#include "ui/TLoadingScreen.h"


namespace startuptest {

// What the loading screen showed each time it was drawn.
struct LoadingFrame {
  int step = 0;
  int finished = 0;
};

struct Stuck {};

inline std::vector<std::string> SortedKeys(std::vector<std::string> keys) {
  std::sort(keys.begin(), keys.end());
  return keys;
}

class StartupFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
    platform::SetThrowOnExit(true);
    platform::UseFakeClock(true, 1000);
    platform::SetFakeClockStepPerFlip(16);
    xdg = testrig::MakeTempDir("xdg");
    const char* old = std::getenv("XDG_DATA_HOME");
    oldXdg = old ? old : "";
    setenv("XDG_DATA_HOME", xdg.c_str(), 1);
    userDir = xdg + "/Quillfern Games/Lantern Vale/";
    settingsFile = userDir + platform::ToUtf8(platform::StripAll(ccAppFileNonDebug())) + ".ini";

    // The display opens after Game and its loading screen exist and before the loading:
    // the place to start watching the loading screen.
    SetDisplayOpenHook([this](int w, int h, int depth, int hz) {
      Game->LoadingScreen->CustomDrawFunction = [this] {
        const auto& bar = Game->LoadingScreen->LoadingBar;
        frames.push_back({bar ? bar->CurrentStep : -1, Game->LoadingScreen->Finished});
        if (onLoadingFrame) onLoadingFrame(frames.back());
      };
      return platform::Graphics(w, h, depth, hz);
    });
    SetFadeFrameHook([this](const TFade&) {
      // A new splash object is one the last one seen is not (a freed one may share its address).
      const std::shared_ptr<TSplashScreen> splash = SplashBeingShown();
      if (splash && splash != lastSplash.lock()) ++splashes;
      lastSplash = splash;
      if (onSplashFrame) onSplashFrame();
    });
    SetErrorBoxHook([this](const String& message) {
      errors.push_back(platform::ToUtf8(message));
      return true;
    });
  }

  void TearDown() override {
    SetMainLoopHook(nullptr);
    SetDisplayOpenHook(nullptr);
    SetFadeFrameHook(nullptr);
    SetErrorBoxHook(nullptr);
    if (Game && Game->LoadingScreen) Game->LoadingScreen->CustomDrawFunction = nullptr;
    platform::SetFakeClockStepPerFlip(0);
    platform::UseFakeClock(false);
    setenv("XDG_DATA_HOME", oldXdg.c_str(), 1);
    platform::UnlockForProcess();  // the run's user folder, as its process's end would
  }

  void WriteSettings(const std::string& text) { testrig::WriteFileBytes(settingsFile, text); }

  static void Post(int id, int data, int x = 0, int y = 0) {
    platform::PostEvent(platform::Event{id, data, x, y});
  }
  // A click at a point of the 800 by 600 screen, posted where the window shows that point (a
  // full-screen window shows the screen scaled).
  static void Click(int x, int y) {
    Press(x, y);
    Release(x, y);
  }
  // The left button pressed at a point of the screen (the pointer moved there first), and let
  // go there.
  static void Press(int x, int y) {
    ToWindow(x, y);
    Post(platform::EVENT_MOUSEMOVE, 0, x, y);
    Post(platform::EVENT_MOUSEDOWN, 1, x, y);
  }
  static void Release(int x, int y) {
    ToWindow(x, y);
    Post(platform::EVENT_MOUSEUP, 1, x, y);
  }
  static void ToWindow(int& x, int& y) {
    int ax = 0, ay = 0, bx = 0, by = 0;
    platform::WindowToGraphics(0, 0, ax, ay);
    platform::WindowToGraphics(10000, 10000, bx, by);
    if (bx != ax && by != ay) {
      x = static_cast<int>((x - ax + 0.5) * 10000.0 / (bx - ax));
      y = static_cast<int>((y - ay + 0.5) * 10000.0 / (by - ay));
    }
  }
  static void Key(int code) {
    Post(platform::EVENT_KEYDOWN, code);
    Post(platform::EVENT_KEYUP, code);
  }

  // Runs the program; script is called before every pass of the main loop with the pass
  // number. Returns the exit code.
  int Run(const std::function<void(int)>& script, int maxPasses = 3000) {
    int pass = 0;
    SetMainLoopHook([&] {
      if (pass > maxPasses) throw Stuck{};
      script(pass++);
    });
    try {
      RunLanternVale();
    } catch (const platform::ProgramExit& e) {
      return e.code;
    } catch (const Stuck&) {
      ADD_FAILURE() << "the run did not end within " << maxPasses << " passes";
    }
    return -1;
  }

  // A scripted run in steps: a step acts once, then the run waits pass by pass until its
  // condition holds (none: the next pass) before the next step acts.
  struct Step {
    std::string what;
    std::function<void()> act;
    std::function<bool()> ready;
  };
  int RunSteps(const std::vector<Step>& steps, int maxPasses = 6000) {
    size_t i = 0;
    bool acted = false;
    int waited = 0;
    return Run(
        [&](int) {
          while (i < steps.size()) {
            if (!acted) {
              if (steps[i].act) steps[i].act();
              acted = true;
              return;
            }
            if (steps[i].ready && !steps[i].ready()) {
              if (++waited > 1000) {
                ADD_FAILURE() << "stuck at: " << steps[i].what;
                throw Stuck{};
              }
              return;
            }
            ++i;
            acted = false;
            waited = 0;
          }
        },
        maxPasses);
  }
  // The first step of a run: click on the finished loading screen and wait for the title.
  Step ClickThroughLoading() {
    return {"loading screen",
            [] {
              const auto& button = Game->LoadingScreen->ClickHereButton;
              Click(static_cast<int>(button->x) + button->w / 2, static_cast<int>(button->y) + 5);
            },
            [] { return Game->CurrentTScreen == TitleScreen && Game->GameFade->Active == 0; }};
  }
  // Until the screen held by that global (made anew by every run) is current and settled.
  template <class T>
  static Step WaitFor(const std::string& what, const std::shared_ptr<T>& global) {
    return {what, nullptr, [&global] { return Game->CurrentTScreen == global && Game->GameFade->Active == 0; }};
  }
  static Step ClickAnywhere(const std::string& what) {
    return {what, [] { Click(400, 300); }, nullptr};
  }
  // One step per typed character.
  static void AddTyping(std::vector<Step>& steps, const String& text) {
    for (char16_t c : text) steps.push_back({"typing", [c] { Type(c); }, nullptr});
  }

  // The usual run: click on the finished loading screen, wait for the title, press Escape.
  int ClickThroughToTitleAndEscape() {
    return Run([this](int pass) {
      if (pass == 0) {
        const auto& button = Game->LoadingScreen->ClickHereButton;
        Click(static_cast<int>(button->x) + button->w / 2, static_cast<int>(button->y) + 5);
      }
      if (Game->CurrentTScreen == TitleScreen && titlePass < 0) {
        titlePass = pass;
        Key(KEY_ESCAPE);
      }
    });
  }

  bool UserFile(const std::string& name) const { return std::filesystem::exists(userDir + name); }

  // A typed character as the runtime delivers it: key down, the character, key up.
  static void Type(char16_t c) {
    int vk = c < 256 ? c : 0;
    if (c >= u'a' && c <= u'z') vk = c - u'a' + 'A';
    Post(platform::EVENT_KEYDOWN, vk);
    Post(platform::EVENT_KEYCHAR, c);
    Post(platform::EVENT_KEYUP, vk);
  }
  // Enter, Escape and Backspace come both as a key and as a character.
  static void KeyAndChar(int code) {
    Post(platform::EVENT_KEYDOWN, code);
    Post(platform::EVENT_KEYCHAR, code);
    Post(platform::EVENT_KEYUP, code);
  }
  // A click on the middle of a button.
  static void ClickButton(const TButton& button) {
    Click(static_cast<int>(button.x) + button.w / 2, static_cast<int>(button.y) + button.h / 2);
  }

  std::string xdg;
  std::string oldXdg;
  std::string userDir;
  std::string settingsFile;
  std::vector<LoadingFrame> frames;
  int splashes = 0;
  std::weak_ptr<TSplashScreen> lastSplash;
  std::vector<std::string> errors;
  std::function<void(const LoadingFrame&)> onLoadingFrame;
  std::function<void()> onSplashFrame;
  int titlePass = -1;
};

}  // namespace startuptest
