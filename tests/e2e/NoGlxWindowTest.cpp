// The game on an X server without GLX (remote X, some VNC servers, a minimal Xvfb): a window
// without GL, drawn with the game's own raster, whichever way of drawing was asked for.
#include <gtest/gtest.h>

#include <string>

#include "GameWindow.h"
#include "support/ProfileFiles.h"
#include "support/TestRig.h"

namespace {

class NoGlxWindowTest : public e2e::GameWindowTest, public ::testing::WithParamInterface<const char*> {
 protected:
  NoGlxWindowTest() { serverArguments = {"-extension", "GLX"}; }
};

TEST_P(NoGlxWindowTest, TheGameStartsAndShowsTheLoadingScreen) {
  if (*GetParam()) gameEnvironment.push_back(std::string("LV_DRAW=") + GetParam());
  testrig::PrepareUserWithProfile(userDir, userDir + "lantern-vale.ini", "Ann", "FULL SCREEN=0\n");
  const std::string errPath = home + "/stderr.txt";
  ASSERT_TRUE(LaunchGame({}, "", errPath));
  window = FindWindow(e2e::kPatience);
  ASSERT_NE(window, 0u) << "no window appeared: " << testrig::ReadFileBytes(errPath);
  const auto background = Asset("Data/graphics/loadingscreen.jpg");
  ASSERT_TRUE(background);
  const auto loading = WaitForFinishedLoading();
  ASSERT_TRUE(loading);
  Save(loading, std::string("no-glx-loading") + (*GetParam() ? "-" : "") + GetParam() + ".png");
  EXPECT_LT(Difference(*loading, *background, 0, 0, 0, 0, 800, 400), 12.0) << "no loading screen";
  EscapeEndsCleanly();
}

// As chosen by the game, and with GL asked for where the server cannot give it.
INSTANTIATE_TEST_SUITE_P(Ways, NoGlxWindowTest, ::testing::Values("", "gl"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return *info.param ? std::string("AskedFor_") + info.param : std::string("Chosen");
                         });

}  // namespace
