#include <SDL.h>

#include "support/TestRig.h"
#include "platform/System.h"

using namespace platform;

namespace {

class ThrowOnExit : public ::testing::Test {
 protected:
  void SetUp() override { SetThrowOnExit(true); }
  void TearDown() override { SetThrowOnExit(false); }
};

int gHookRuns = 0;
void CountingHook() { ++gHookRuns; }

}  // namespace

TEST_F(ThrowOnExit, EndAndRuntimeErrorExitThrowTheirCode) {
  try {
    End(3);
    FAIL() << "End returned";
  } catch (const ProgramExit& e) {
    EXPECT_EQ(e.code, 3);
  }
  ::testing::internal::CaptureStderr();
  try {
    RuntimeErrorExit(u"Unable to open display \u00E9");
    FAIL() << "RuntimeErrorExit returned";
  } catch (const ProgramExit& e) {
    EXPECT_EQ(e.code, 1);
  }
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Unable to open display \xC3\xA9\n");
  // The test seam does not shut anything down.
  AddShutdownHook(&CountingHook);
  AddShutdownHook(&CountingHook);
  EXPECT_THROW(End(0), ProgramExit);
  EXPECT_EQ(gHookRuns, 0);
}

TEST(System, RuntimeStartsHeadlessUnderTheRig) {
  EXPECT_TRUE(InitRuntime());
  EXPECT_TRUE(InitRuntime());  // again: harmless
  EXPECT_TRUE(IsHeadless());
}

TEST(System, NoticesAndPrintsGoToTheConsoleWhenHeadless) {
  ::testing::internal::CaptureStderr();
  Notify(u"Default ini file restored!");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Default ini file restored!\n");
  ::testing::internal::CaptureStdout();
  Print(u"value \u20AC");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "value \xE2\x82\xAC\n");
}

TEST(System, TitleIsRememberedAndReachesAnOpenWindow) {
  AppTitle(u"Lantern Vale 1.07");
  EXPECT_EQ(GetAppTitle(), u"Lantern Vale 1.07");
  ASSERT_TRUE(InitRuntime());
  SDL_Window* window = SDL_CreateWindow("", 0, 0, 64, 48, SDL_WINDOW_HIDDEN);
  ASSERT_NE(window, nullptr) << SDL_GetError();
  AppTitle(u"Lantern Vale 1.07 \u00E9");
  EXPECT_STREQ(SDL_GetWindowTitle(window), "Lantern Vale 1.07 \xC3\xA9");
  SDL_DestroyWindow(window);
}

TEST(System, MemoryFigureIsPlausible) {
  const long long bytes = MemoryInUse();
  EXPECT_GT(bytes, 1024 * 1024);
  EXPECT_LT(bytes, 64LL * 1024 * 1024 * 1024);
}

TEST(SystemDeath, EndRunsHooksAndExitsWithTheCode) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        AddShutdownHook([] { std::fputs("hook ran\n", stderr); });
        End(7);
      },
      ::testing::ExitedWithCode(7), "hook ran");
}
