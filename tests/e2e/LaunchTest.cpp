// The built game in a real X window: launched under a private Xvfb server with a temporary home,
// watched through screenshots of its window and driven with xdotool, from the loading screen to
// the title screen and out by Escape. Screenshots stay in the build folder (e2e-artifacts/).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "GameWindow.h"
#include "support/ProfileFiles.h"
#include "support/TestRig.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

class LaunchTest : public e2e::GameWindowTest {};

TEST_F(LaunchTest, LaunchShowsTheLoadingScreenThenTheTitleAndEscapeEndsCleanly) {
  const auto background = Asset("Data/graphics/loadingscreen.jpg");
  const auto finalBar = Asset("Data/graphics/LoadingBarfinal.png");
  const auto clickHere = Asset("Data/graphics/clickhere.png");
  const auto title = Asset("Data/graphics/title.jpg");
  ASSERT_TRUE(background && finalBar && clickHere && title);
  const int barX = (800 - finalBar->Width()) / 2;
  const int hereX = (800 - clickHere->Width()) / 2;

  // Windowed: a full-screen request needs a window manager, which the private server lacks.
  // A player exists already, so the title opens without its name prompt.
  testrig::PrepareUserWithProfile(userDir, userDir + "lantern-vale.ini", "Ann", "FULL SCREEN=0\n");
  ASSERT_TRUE(LaunchGame());
  window = FindWindow(e2e::kPatience);
  ASSERT_NE(window, 0u) << "no window appeared";

  auto loading = WaitForFinishedLoading();
  ASSERT_TRUE(loading);
  Save(loading, "loading.png");
  ASSERT_LT(Difference(*loading, *background, 0, 0, 0, 0, 800, 400), 12.0) << "no loading screen";
  // The bar region shows the finished bar (its final picture) on both sides of the button.
  const int side = (finalBar->Width() - clickHere->Width()) / 2 - 4;
  ASSERT_GT(side, 8) << "the button hides the bar";
  EXPECT_LT(Difference(*loading, *finalBar, barX, 530, 0, 0, side, finalBar->Height()), 24.0);
  EXPECT_LT(Difference(*loading, *finalBar, barX, 530, finalBar->Width() - side, 0, side,
                       finalBar->Height()),
            24.0);
  EXPECT_LT(Difference(*loading, *clickHere, hereX, 534, 8, 8, clickHere->Width() - 16,
                       clickHere->Height() - 16),
            24.0);

  ClickLoadingButton(*loading);
  // The title's picture right of its button column.
  auto titleShot = WaitForShot(e2e::kPatience, [&](const platform::Pixmap& shot) {
    return Difference(shot, *title, 0, 0, 300, 100, 500, 300) < 12.0;
  });
  ASSERT_TRUE(titleShot);
  Save(titleShot, "title.png");
  EXPECT_LT(Difference(*titleShot, *title, 0, 0, 300, 100, 500, 300), 12.0) << "no title screen";
  EXPECT_GT(Difference(*titleShot, *loading), 10.0);

  EscapeEndsCleanly();
}

// A family of six: the Choose Player list shows all six names, each in its own row inside the
// list's dark inset, none on the parchment below it or under the buttons.
TEST_F(LaunchTest, SixPlayersReadInsideTheChoosePlayerList) {
  const auto chooser = Asset("Data/graphics/chooseplayer.png");
  ASSERT_TRUE(chooser);
  const int px = (800 - chooser->Width()) / 2, py = (600 - chooser->Height()) / 2;
  for (const char* name : {"Anna", "Bartholomew", "Cosimo", "Dorothea", "Evangeline"}) {
    testrig::WriteProfileFile(userDir + "profiles/", name);
  }
  testrig::PrepareUserWithProfile(userDir, userDir + "lantern-vale.ini", "Florence", "FULL SCREEN=0\n");
  ASSERT_TRUE(StartWindowManager());
  ASSERT_TRUE(LaunchGame());
  auto shot = ClickPastLoading();
  ASSERT_TRUE(shot);
  shot = WaitForShot(e2e::kPatience, [&](const platform::Pixmap& s) { return TitleMenuShows(s); });
  ASSERT_TRUE(shot && TitleMenuShows(*shot));
  ClickAt(*shot, -15 + 130, 150 + 30);  // "changeplayer"
  const auto open = [&](const platform::Pixmap& s) {
    return Difference(s, *chooser, px, py, 40, 30, chooser->Width() - 80, 70) < 20.0;
  };
  shot = WaitForShot(e2e::kPatience, open);
  ASSERT_TRUE(shot && open(*shot)) << "no Choose Player list";
  e2e::Sleep(1500);  // the pointer's sparkles fade
  shot = Screenshot();
  Save(shot, "six-players.png");
  // Name-coloured pixels in a logical rectangle, every pixel.
  const auto light = [&](int x, int y, int w, int h) {
    int n = 0;
    for (int ly = y; ly < y + h; ++ly) {
      for (int lx = x; lx < x + w; ++lx) {
        int wx = 0, wy = 0;
        ToWindow(*shot, static_cast<float>(lx), static_cast<float>(ly), wx, wy);
        const uint32_t p = shot->ReadPixel(wx, wy);
        const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        n += r > 160 && g > 160 && b > 170 && b + 5 >= r;  // the names' cool white, not parchment
      }
    }
    return n;
  };
  // The inset spans 110 to 466 of the picture; six rows share it.
  const int top = py + 120, band = (456 - 120) / 6;
  for (int k = 0; k < 6; ++k) {
    SCOPED_TRACE(k);
    EXPECT_GT(light(px + 150, top + k * band + 8, 300, band - 16), 40);
  }
  EXPECT_LT(light(px + 150, py + 470, 300, 30), 10) << "a name on the parchment below the list";
}

TEST_F(LaunchTest, ClosingTheWindowDuringTheFirstSplashEndsTheGameAtOnce) {
  testrig::WriteFileBytes(userDir + "lantern-vale.ini", "FULL SCREEN=0\n");
  ASSERT_TRUE(LaunchGame());
  window = FindWindow(e2e::kPatience);
  ASSERT_NE(window, 0u) << "no window appeared";
  // The splashes follow the window at once and last seconds; the loading bar comes after.
  ASSERT_TRUE(x->RequestClose(window));
  const auto sent = Clock::now();
  const std::optional<int> code = gameProcess.Wait(e2e::kPatience);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent).count();
  ASSERT_TRUE(code.has_value()) << "the game did not end after the close request";
  EXPECT_EQ(*code, 0);
  // It takes a frame or two; held back, it would wait out the splashes and the loading bar
  // (some 11 s). The bound leaves room for a machine busy with other tests.
  EXPECT_LT(ms, 5000) << "the close request was held back";
  EXPECT_TRUE(fs::exists(userDir + "GoodExit.dat"));
  EXPECT_FALSE(fs::exists(userDir + "ErrorLog.txt"));
}

// A desktop ties the running window to its launcher through the entry's StartupWMClass.
TEST_F(LaunchTest, TheWindowClassIsTheOneTheDesktopEntryNames) {
  std::ifstream entry(std::string(LV_SOURCE_DIR) + "/dist/com.quillferngames.LanternVale.desktop");
  ASSERT_TRUE(entry) << "no desktop entry";
  std::string wmClass;
  for (std::string line; std::getline(entry, line);) {
    if (line.rfind("StartupWMClass=", 0) == 0) wmClass = line.substr(15);
  }
  ASSERT_FALSE(wmClass.empty()) << "the desktop entry names no StartupWMClass";
  testrig::WriteFileBytes(userDir + "lantern-vale.ini", "FULL SCREEN=0\n");
  ASSERT_TRUE(LaunchGame());
  window = FindWindow(e2e::kPatience);
  ASSERT_NE(window, 0u) << "no window appeared";
  EXPECT_EQ(x->ClassName(window), wmClass);
  ASSERT_TRUE(x->RequestClose(window));
  const std::optional<int> code = gameProcess.Wait(e2e::kPatience);
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0);
}

TEST_F(LaunchTest, WithoutADisplayTheGameSaysSoAndEnds) {
  // A display number no server answers on.
  int unused = 150;
  while (fs::exists("/tmp/.X11-unix/X" + std::to_string(unused)) ||
         fs::exists("/tmp/.X" + std::to_string(unused) + "-lock")) {
    ++unused;
  }
  const std::string errPath = home + "/stderr.txt";
  ASSERT_TRUE(LaunchGame({}, ":" + std::to_string(unused), errPath));
  const std::optional<int> code = gameProcess.Wait(e2e::kPatience);
  ASSERT_TRUE(code.has_value()) << "the game kept running without a display";
  EXPECT_NE(*code, 0);
  EXPECT_FALSE(testrig::ReadFileBytes(errPath).empty()) << "no message on standard error";
  EXPECT_FALSE(fs::exists(userDir + "GoodExit.dat"));
}

// A quit request while a system box stands ends the program at once, as nothing of the
// player's is being written then: the second copy as it ends after OK, the restored-settings
// notice as a quit right after the start does.
struct QuitAtBoxCase {
  const char* name;
  bool secondCopy;  // else the settings were being changed when the last run ended
  int code;
};
void PrintTo(const QuitAtBoxCase& c, std::ostream* os) { *os << c.name; }

class QuitAtBoxTest : public e2e::GameWindowTest,
                      public ::testing::WithParamInterface<QuitAtBoxCase> {
 protected:
  bool BoxesShown(int count) {
    const auto end = Clock::now() + std::chrono::milliseconds(e2e::kPatience);
    while (x->DialogsShown("Lantern Vale") != count) {
      if (Clock::now() >= end) return false;
      e2e::Sleep(50);
    }
    return true;
  }
};

TEST_P(QuitAtBoxTest, SigtermEndsTheProgramWhileTheBoxStands) {
  const QuitAtBoxCase& c = GetParam();
  const std::string settings = userDir + "lantern-vale.ini";
  testrig::PrepareUserWithProfile(userDir, settings, "Ann", "FULL SCREEN=0\n");
  e2e::Child secondCopy;
  e2e::Child* boxed = &gameProcess;
  if (c.secondCopy) {
    ASSERT_TRUE(LaunchGame());
    window = FindWindow(e2e::kPatience);
    ASSERT_NE(window, 0u) << "the first copy's window did not appear";
    ASSERT_TRUE(secondCopy.Start({game}, GameEnvironment()));
    boxed = &secondCopy;
  } else {
    testrig::WriteFileBytes(userDir + "inichanged.dat", "");
    ASSERT_TRUE(LaunchGame());
  }
  ASSERT_TRUE(BoxesShown(1)) << "no system box came up";

  ASSERT_TRUE(boxed->Signal(SIGTERM));
  const std::optional<int> code = boxed->Wait(e2e::kPatience);
  ASSERT_TRUE(code.has_value()) << "SIGTERM did not end the program at its box";
  EXPECT_EQ(*code, c.code);
  EXPECT_TRUE(BoxesShown(0)) << "the box outlived its program";
  if (c.secondCopy) {
    EXPECT_TRUE(gameProcess.Running()) << "the first copy went with the second";
  } else {
    EXPECT_TRUE(fs::exists(userDir + "GoodExit.dat"));
    EXPECT_FALSE(fs::exists(userDir + "inichanged.dat"));
    EXPECT_NE(testrig::ReadFileBytes(settings).find("PROFILE NAME=Ann"), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(Boxes, QuitAtBoxTest,
                         ::testing::Values(QuitAtBoxCase{"AlreadyRunning", true, 1},
                                           QuitAtBoxCase{"DefaultSettingsRestored", false, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
