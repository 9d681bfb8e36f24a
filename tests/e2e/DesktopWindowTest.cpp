// The game on a desktop with a reparenting window manager (openbox): one window from the start,
// shown only once it has a frame and already in the mode the settings ask for, and switched
// between full screen and a window many times over, by the options' button and by Alt+Enter,
// without ever losing the program or the pointer.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <filesystem>
#include <algorithm>
#include <optional>
#include <vector>
#include <string>

#include "GameWindow.h"
#include "support/ProfileFiles.h"
#include "support/TestRig.h"

namespace {

using Clock = std::chrono::steady_clock;
using e2e::kPatience;

// The private server's screen, which full screen fills.
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

class DesktopWindowTest : public e2e::GameWindowTest {
 protected:
  void SetUp() override {
    GameWindowTest::SetUp();
    if (IsSkipped()) return;
    if (!e2e::OnPath("openbox")) GTEST_SKIP() << "openbox is not installed";
    ASSERT_TRUE(StartWindowManager()) << "openbox did not start";
    x->WatchTopLevels();
    errPath = home + "/stderr.txt";
  }

  int Setting(const std::string& key) {
    const std::string text = testrig::ReadFileBytes(userDir + "lantern-vale.ini");
    const size_t at = text.find("\n" + key + "=");
    return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + key.size() + 2);
  }

  bool SizeIs(int width, int height) {
    int w = 0, h = 0;
    return x->Size(window, w, h) && w == width && h == height;
  }

  // What the game wrote on standard error, for a failure's message.
  std::string Errors() { return testrig::ReadFileBytes(errPath); }

  // Waits until the switch to fullScreen has been made: the settings key written, the window
  // at the size of the mode and the options drawn in it. The shot, or null.
  platform::PixmapPtr Switched(int fullScreen) {
    const int width = fullScreen ? kScreenWidth : 800;
    const int height = fullScreen ? kScreenHeight : 600;
    platform::PixmapPtr shot = WaitForShot(kPatience, [&](const platform::Pixmap& s) {
      return Setting("FULL SCREEN") == fullScreen && s.Width() == width && s.Height() == height &&
             OptionsShow(s);
    });
    if (shot && shot->Width() == width && shot->Height() == height && OptionsShow(*shot)) return shot;
    return nullptr;
  }

  std::string errPath;
};

TEST_F(DesktopWindowTest, SwitchingTwentyTimesEachWayKeepsTheGameAndItsWindow) {
  // The first start's mode, with a player made already.
  testrig::PrepareUserWithProfile(userDir, userDir + "lantern-vale.ini", "Heather", "FULL SCREEN=1\n");
  ASSERT_TRUE(LaunchGame({}, "", errPath));
  window = FindWindow(kPatience);
  ASSERT_NE(window, 0u) << "no window appeared";
  auto shot = WaitForFinishedLoading();
  ASSERT_TRUE(shot);
  ClickLoadingButton(*shot);
  PointAt(*shot, 700, 100);  // off "play", which lights up under the pointer
  shot = WaitForShot(kPatience, [&](const platform::Pixmap& s) { return TitleMenuShows(s); });
  if (!shot || !TitleMenuShows(*shot)) Save(shot, "desktop-failed-title.png");
  ASSERT_TRUE(shot && TitleMenuShows(*shot)) << "no title";
  ClickAt(*shot, -15 + 130, 210 + 30);
  ASSERT_TRUE(shot = Switched(1)) << "no options in full screen";
  const unsigned long first = window;

  int fullScreen = 1;
  for (int i = 0; i < 40; ++i) {
    // Each way half by the button, half by the keys, in every order.
    const bool byKeys = (i / 2 + i) % 2 == 1;
    fullScreen = 1 - fullScreen;
    if (byKeys) {
      // Held until the switch is seen: the game reads the keys' state once a tick.
      Xdotool("keydown alt keydown Return");
      const auto end = Clock::now() + std::chrono::milliseconds(kPatience);
      while (Setting("FULL SCREEN") != fullScreen && Clock::now() < end && gameProcess.Running())
        e2e::Sleep(20);
      Xdotool("keyup Return keyup alt");
    } else {
      // The full-screen button of the options, where this window shows it.
      ClickAt(*shot, 455 + 40, 403 + 20);
    }
    const std::string how = std::string(byKeys ? "Alt+Enter" : "the button") + " to " +
                            (fullScreen ? "full screen" : "a window") + ", switch " +
                            std::to_string(i + 1);
    shot = Switched(fullScreen);
    ASSERT_TRUE(gameProcess.Running()) << "the game ended after " << how << ":\n" << Errors();
    if (!shot) Save(Screenshot(), "desktop-failed-switch.png");
    ASSERT_TRUE(shot) << "not switched by " << how;
    EXPECT_EQ(FindWindow(kPatience), first) << "the window was made anew by " << how;
  }
  Save(shot, "desktop-after-the-switches.png");

  // The pointer still lands where it is aimed: the credits' button, then back and out.
  ClickAt(*shot, 334 + 80, 454 + 22);
  shot = WaitForShot(kPatience, [&](const platform::Pixmap& s) { return CreditsShow(s); });
  ASSERT_TRUE(shot && CreditsShow(*shot)) << "the click missed the credits' button";
  Xdotool("key Escape");
  ASSERT_TRUE(WaitForShot(kPatience, [&](const platform::Pixmap& s) { return OptionsShow(s); }));
  Xdotool("key Escape");
  shot = WaitForShot(kPatience, [&](const platform::Pixmap& s) { return TitleMenuShows(s); });
  ASSERT_TRUE(shot && TitleMenuShows(*shot));
  EscapeEndsCleanly();
  EXPECT_EQ(Setting("FULL SCREEN"), fullScreen);
}

TEST_F(DesktopWindowTest, OneWindowAtStartShownInTheModeTheSettingsAsk) {
  const auto loading = Asset("Data/graphics/loadingscreen.jpg");
  ASSERT_TRUE(loading);
  // A first start (no settings: full screen), then one that asks for a window.
  for (const char* settings : {"", "FULL SCREEN=0\n"}) {
    SCOPED_TRACE(*settings ? "windowed" : "first start");
    std::filesystem::remove_all(home + "/.local");
    if (*settings) testrig::WriteFileBytes(userDir + "lantern-vale.ini", settings);
    const bool fullScreen = !*settings;
    x->TopLevelsMapped();
    ASSERT_TRUE(LaunchGame({}, "", errPath));
    window = FindWindow(kPatience);
    ASSERT_NE(window, 0u) << "no window appeared:\n" << Errors();
    // Every window that shows on the desktop from the launch to the loading screen, with its
    // size (the window manager's frame) as it first shows.
    std::vector<e2e::XConnection::Mapped> shown;
    const auto shot = WaitForShot(2 * kPatience, [&](const platform::Pixmap& s) {
      for (const auto& m : x->TopLevelsMapped()) shown.push_back(m);
      return Difference(s, *loading, 0, 0, 0, 0, 800, 400) < 12.0;
    });
    ASSERT_TRUE(shot && Difference(*shot, *loading, 0, 0, 0, 0, 800, 400) < 12.0)
        << "no loading screen:\n" << Errors();
    for (const auto& m : x->TopLevelsMapped()) shown.push_back(m);
    ASSERT_EQ(shown.size(), 1u) << "not one window shown at start";
    if (fullScreen) {
      EXPECT_EQ(shown[0].width, kScreenWidth);
      EXPECT_EQ(shown[0].height, kScreenHeight);
    } else {
      // The frame around the 800 by 600 window.
      EXPECT_GE(shown[0].width, 800);
      EXPECT_GE(shown[0].height, 600);
      EXPECT_LT(shown[0].height, kScreenHeight);
    }
    gameProcess.Stop();
  }
}

// A window manager that is still starting when the game asks for its window: it holds the
// screen but lets the first request to map a window go unanswered, as openbox does while it
// builds the system's font cache.
class DroppingWindowManager {
 public:
  explicit DroppingWindowManager(const std::string& display) : display_(XOpenDisplay(display.c_str())) {
    if (!display_) return;
    XSelectInput(display_, DefaultRootWindow(display_), SubstructureRedirectMask);
    XSync(display_, False);
    thread_ = std::thread([this] { Run(); });
  }
  ~DroppingWindowManager() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (display_) XCloseDisplay(display_);
  }
  bool Ok() const { return display_ != nullptr; }
  int Dropped() const { return dropped_; }

 private:
  void Run() {
    std::vector<Window> seen;
    while (!stop_) {
      while (XPending(display_) > 0) {
        XEvent e;
        XNextEvent(display_, &e);
        if (e.type == MapRequest) {
          const Window w = e.xmaprequest.window;
          if (std::find(seen.begin(), seen.end(), w) == seen.end()) {
            seen.push_back(w);
            ++dropped_;
          } else {
            XMapWindow(display_, w);
          }
        } else if (e.type == ConfigureRequest) {
          const XConfigureRequestEvent& c = e.xconfigurerequest;
          XWindowChanges changes{c.x, c.y, c.width, c.height, c.border_width, c.above, c.detail};
          XConfigureWindow(display_, c.window, static_cast<unsigned>(c.value_mask), &changes);
        }
        XFlush(display_);
      }
      e2e::Sleep(10);
    }
  }

  Display* display_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<int> dropped_{0};
};

using StartingWindowManagerTest = e2e::GameWindowTest;

TEST_F(StartingWindowManagerTest, AWindowManagerThatDropsTheFirstMapRequestStillGetsTheWindow) {
  DroppingWindowManager manager(displayName);
  ASSERT_TRUE(manager.Ok());
  testrig::WriteFileBytes(userDir + "lantern-vale.ini", "FULL SCREEN=0\n");
  const std::string errPath = home + "/stderr.txt";
  ASSERT_TRUE(LaunchGame({}, "", errPath));
  window = FindWindow(kPatience);
  ASSERT_NE(window, 0u) << "the game waited for ever on its first request";
  EXPECT_EQ(manager.Dropped(), 1);
  ASSERT_TRUE(WaitForFinishedLoading());
  gameProcess.Stop();
}

}  // namespace
