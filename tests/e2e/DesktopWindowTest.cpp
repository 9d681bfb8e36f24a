// The game on a desktop with a reparenting window manager (openbox): one window from the start,
// shown only once it has a frame and already in the mode the settings ask for, and switched
// between full screen and a window many times over, by the options' button and by Alt+Enter,
// without ever losing the program or the pointer.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
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

// A window manager of the test's own: it holds the screen, maps and places windows as they ask,
// and gives no full screen. It may also let each window's first request to map go unanswered,
// as openbox does while it builds the system's font cache, and may list full screen among the
// states it keeps while never answering a request for it.
class OwnWindowManager {
 public:
  OwnWindowManager(const std::string& display, bool dropFirstMap, bool listFullScreen)
      : display_(XOpenDisplay(display.c_str())), dropFirstMap_(dropFirstMap) {
    if (!display_) return;
    const Window root = DefaultRootWindow(display_);
    XSelectInput(display_, root, SubstructureRedirectMask);
    if (listFullScreen) {
      const Window check = XCreateSimpleWindow(display_, root, -1, -1, 1, 1, 0, 0, 0);
      const Atom checkAtom = XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False);
      for (const Window w : {root, check})
        XChangeProperty(display_, w, checkAtom, XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&check), 1);
      const Atom states[] = {XInternAtom(display_, "_NET_WM_STATE", False),
                             XInternAtom(display_, "_NET_WM_STATE_FULLSCREEN", False)};
      XChangeProperty(display_, root, XInternAtom(display_, "_NET_SUPPORTED", False), XA_ATOM, 32,
                      PropModeReplace, reinterpret_cast<const unsigned char*>(states), 2);
    }
    XSync(display_, False);
    thread_ = std::thread([this] { Run(); });
  }
  ~OwnWindowManager() {
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
          if (dropFirstMap_ && std::find(seen.begin(), seen.end(), w) == seen.end()) {
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
  bool dropFirstMap_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<int> dropped_{0};
};

using StartingWindowManagerTest = e2e::GameWindowTest;

TEST_F(StartingWindowManagerTest, AWindowManagerThatDropsTheFirstMapRequestStillGetsTheWindow) {
  OwnWindowManager manager(displayName, true, false);
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

// Full screen asked for where nobody gives it: on a bare X server the game covers the screen
// with its window itself; under a window manager without full screen, or one that lists it and
// never answers, it stays in its window. Either way the whole picture shows in what the window
// really is, and the mouse reaches what it shows.
enum class Desktop { kNoWindowManager, kNoFullScreen, kFullScreenNeverAnswered };

class UnansweredFullScreenTest : public e2e::GameWindowTest,
                                 public ::testing::WithParamInterface<Desktop> {
 protected:
  bool Covers() const { return GetParam() == Desktop::kNoWindowManager; }
  // The whole logical picture in a shot of the window's real size: the title's menu (or the
  // introduction after "play") where a letterbox into that size puts them.
  platform::PixmapPtr WaitFor(int width, int height,
                              const std::function<bool(const platform::Pixmap&)>& shows) {
    return WaitForShot(kPatience, [&](const platform::Pixmap& s) {
      return s.Width() == width && s.Height() == height && shows(s);
    });
  }
  bool IntroShows(const platform::Pixmap& s) {
    if (!intro_) intro_ = Asset("Data/graphics/chpt 0.jpg");
    return intro_ && Difference(s, *intro_, 0, 0, 0, 0, 800, 440) < 14.0;
  }
  bool Origin(int& x, int& y) {
    const std::string g = Xdotool("getwindowgeometry --shell " + std::to_string(window));
    const size_t at = g.find("X="), yAt = g.find("\nY=");
    if (at == std::string::npos || yAt == std::string::npos) return false;
    x = std::atoi(g.c_str() + at + 2);
    y = std::atoi(g.c_str() + yAt + 3);
    return true;
  }
  void AltEnter(int fullScreen) {
    Xdotool("keydown alt keydown Return");
    const auto end = Clock::now() + std::chrono::milliseconds(kPatience);
    while (testrig::ReadFileBytes(userDir + "lantern-vale.ini").find("FULL SCREEN=" + std::to_string(fullScreen)) ==
               std::string::npos &&
           Clock::now() < end && gameProcess.Running())
      e2e::Sleep(20);
    Xdotool("keyup Return keyup alt");
  }

 private:
  platform::PixmapPtr intro_;
};

TEST_P(UnansweredFullScreenTest, TheWholePictureShowsAndPlayIsReached) {
  std::unique_ptr<OwnWindowManager> manager;
  if (GetParam() != Desktop::kNoWindowManager) {
    manager = std::make_unique<OwnWindowManager>(displayName, false,
                                                 GetParam() == Desktop::kFullScreenNeverAnswered);
    ASSERT_TRUE(manager->Ok());
  }
  testrig::PrepareUserWithProfile(userDir, userDir + "lantern-vale.ini", "Heather", "FULL SCREEN=1\n");
  ASSERT_TRUE(LaunchGame());
  auto shot = ClickPastLoading();
  ASSERT_TRUE(shot) << "the loading screen never showed whole";
  const int width = Covers() ? kScreenWidth : 800, height = Covers() ? kScreenHeight : 600;
  PointAt(*shot, 700, 100);  // off "play", which lights up under the pointer
  shot = WaitFor(width, height, [&](const platform::Pixmap& s) { return TitleMenuShows(s); });
  Save(shot, "unanswered-full-screen-title.png");
  ASSERT_TRUE(shot && shot->Width() == width && shot->Height() == height && TitleMenuShows(*shot))
      << "the title's menu did not show whole in a " << width << "x" << height << " window";
  ClickAt(*shot, 288 + 120, 490 + 40);
  ASSERT_TRUE(shot = WaitFor(width, height, [&](const platform::Pixmap& s) { return IntroShows(s); }))
      << "a click on play did not reach it";
  if (!Covers()) return;

  // Alt+Enter to a window and back: each time the whole picture, and the window back in its place.
  AltEnter(0);
  ASSERT_TRUE(shot = WaitFor(800, 600, [&](const platform::Pixmap& s) { return IntroShows(s); }))
      << "no whole picture in a window";
  Xdotool("windowmove " + std::to_string(window) + " 40 50");
  int x0 = 0, y0 = 0;
  const auto end = Clock::now() + std::chrono::milliseconds(kPatience);
  while (!(Origin(x0, y0) && x0 == 40 && y0 == 50) && Clock::now() < end) e2e::Sleep(20);
  AltEnter(1);
  ASSERT_TRUE(shot = WaitFor(width, height, [&](const platform::Pixmap& s) { return IntroShows(s); }))
      << "the window did not cover the screen again";
  AltEnter(0);
  ASSERT_TRUE(shot = WaitFor(800, 600, [&](const platform::Pixmap& s) { return IntroShows(s); }));
  int x = 0, y = 0;
  ASSERT_TRUE(Origin(x, y));
  EXPECT_EQ(x, 40);
  EXPECT_EQ(y, 50);
}

INSTANTIATE_TEST_SUITE_P(Desktops, UnansweredFullScreenTest,
                         ::testing::Values(Desktop::kNoWindowManager, Desktop::kNoFullScreen,
                                           Desktop::kFullScreenNeverAnswered),
                         [](const ::testing::TestParamInfo<Desktop>& info) {
                           switch (info.param) {
                             case Desktop::kNoWindowManager: return std::string("NoWindowManager");
                             case Desktop::kNoFullScreen: return std::string("NoFullScreen");
                             default: return std::string("FullScreenNeverAnswered");
                           }
                         });

}  // namespace
