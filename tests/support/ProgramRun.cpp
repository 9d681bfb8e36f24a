#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "TestRig.h"
#include "core/ErrorPath.h"
#include "core/Platform.h"
#include "core/Startup.h"
#include "core/TGame.h"
#include "core/TScreen.h"
#include "gfx/TGameFade.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "platform/String.h"
#include "platform/System.h"
#include "ui/TButton.h"
#include "ui/TLoadingScreen.h"

namespace testrig {

ProgramRun::ProgramRun() {
  platform::SetThrowOnExit(true);
  platform::UseFakeClock(true, 1000);
  platform::SetFakeClockStepPerFlip(16);
  const std::string xdg = MakeTempDir("xdg");
  const char* old = std::getenv("XDG_DATA_HOME");
  oldXdg_ = old ? old : "";
  setenv("XDG_DATA_HOME", xdg.c_str(), 1);
  userDir = xdg + "/Quillfern Games/Lantern Vale/";
  settingsFile = userDir + platform::ToUtf8(platform::StripAll(ccAppFileNonDebug())) + ".ini";
  SetErrorBoxHook([this](const String& message) {
    errors.push_back(platform::ToUtf8(message));
    return true;
  });
}

ProgramRun::~ProgramRun() {
  SetMainLoopHook(nullptr);
  SetErrorBoxHook(nullptr);
  platform::SetFakeClockStepPerFlip(0);
  platform::UseFakeClock(false);
  setenv("XDG_DATA_HOME", oldXdg_.c_str(), 1);
  platform::UnlockForProcess();  // the run's user folder, as its process's end would
}

int ProgramRun::Run(const std::function<void(int)>& script, int maxPasses) {
  struct Stuck {};
  int pass = 0;
  SetMainLoopHook([&] {
    if (pass > maxPasses) throw Stuck{};
    script(pass++);
  });
  int code = kStuck;
  try {
    RunLanternVale();
  } catch (const platform::ProgramExit& e) {
    code = e.code;
  } catch (const Stop&) {
    code = kStopped;
  } catch (const Stuck&) {
    code = kStuck;
  }
  SetMainLoopHook(nullptr);
  return code;
}

std::function<void(int)> ProgramRun::StepScript(std::vector<Step> steps,
                                                std::function<void(int)> everyPass) {
  struct Place {
    size_t step = 0;
    bool acted = false;
    int waited = 0;
  };
  auto at = std::make_shared<Place>();
  return [steps = std::move(steps), everyPass = std::move(everyPass), at](int pass) {
    if (everyPass) everyPass(pass);
    while (at->step < steps.size()) {
      const Step& step = steps[at->step];
      if (!at->acted) {
        if (step.act) step.act();
        at->acted = true;
        return;
      }
      if (step.ready && !step.ready()) {
        if (++at->waited > step.limit) {
          ADD_FAILURE() << "stuck at: " << step.what;
          throw Stop{};
        }
        return;
      }
      ++at->step;
      at->acted = false;
      at->waited = 0;
    }
  };
}

namespace {

// Events come in window pixels: a full-screen display shows the logical screen scaled.
void ToWindow(int& x, int& y) {
  if (!platform::GraphicsOpen()) return;
  constexpr int kProbe = 4000;
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  platform::WindowToGraphics(0, 0, x0, y0);
  platform::WindowToGraphics(kProbe, kProbe, x1, y1);
  if (x1 != x0 && y1 != y0) {
    x = static_cast<int>((x - x0 + 0.5) * kProbe / (x1 - x0));
    y = static_cast<int>((y - y0 + 0.5) * kProbe / (y1 - y0));
  }
}

}  // namespace

void ProgramRun::Click(int x, int y) {
  Press(x, y);
  Release(x, y);
}

void ProgramRun::Press(int x, int y) {
  ToWindow(x, y);
  platform::PostEvent(platform::Event{platform::EVENT_MOUSEMOVE, 0, x, y});
  platform::PostEvent(platform::Event{platform::EVENT_MOUSEDOWN, 1, x, y});
}

void ProgramRun::Release(int x, int y) {
  ToWindow(x, y);
  platform::PostEvent(platform::Event{platform::EVENT_MOUSEUP, 1, x, y});
}

void ProgramRun::MoveTo(int x, int y) {
  ToWindow(x, y);
  platform::PostEvent(platform::Event{platform::EVENT_MOUSEMOVE, 0, x, y});
}

void ProgramRun::Key(int code) {
  platform::PostEvent(platform::Event{platform::EVENT_KEYDOWN, code, 0, 0});
  platform::PostEvent(platform::Event{platform::EVENT_KEYUP, code, 0, 0});
}

void ProgramRun::Type(const std::u16string& text) {
  for (const char16_t c : text) {
    const int vk = c >= u'a' && c <= u'z' ? c - u'a' + 'A' : (c < 256 ? c : 0);
    platform::PostEvent(platform::Event{platform::EVENT_KEYDOWN, vk, 0, 0});
    platform::PostEvent(platform::Event{platform::EVENT_KEYCHAR, c, 0, 0});
    platform::PostEvent(platform::Event{platform::EVENT_KEYUP, vk, 0, 0});
  }
}

void ProgramRun::ClickLoadingButton() {
  const auto& button = Game->LoadingScreen->ClickHereButton;
  Click(static_cast<int>(button->x) + button->w / 2, static_cast<int>(button->y) + 5);
}

void ProgramRun::LeadTo(const std::shared_ptr<TScreen>& screen) {
  Game->DestinationTScreen = screen;
  Game->GameFade->Init(FADE_SPEED, 1, nullptr, 1, 0, nullptr);
}

}  // namespace testrig
