// The whole program under SDL's dummy drivers: start-up, some frames, a window close or quit
// request, the orderly shutdown. Once in-process, once as the real executable.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "CoreFixture.h"
#include "support/GameProcess.h"
#include "core/Startup.h"
#include "platform/FileSystem.h"

using namespace coretest;

namespace {

TEST(EndToEndTest, StartsRunsAndEndsCleanlyOnAWindowClose) {
  if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
  platform::SetThrowOnExit(true);
  platform::UseFakeClock(true, 50000);
  platform::SetFakeClockStepPerFlip(17);
  int passes = 0;
  int passesAfterClose = 0;
  SetMainLoopHook([&] {
    ++passes;
    if (passes == 30) Post(platform::EVENT_WINDOWCLOSE);
    if (passes > 30) ++passesAfterClose;
    if (passes > 5000) throw std::runtime_error("the program did not end");
  });
  int code = -1;
  try {
    RunLanternVale();
  } catch (const platform::ProgramExit& e) {
    code = e.code;
  }
  SetMainLoopHook(nullptr);
  platform::SetFakeClockStepPerFlip(0);
  platform::UseFakeClock(false);

  EXPECT_EQ(code, 0);
  EXPECT_GT(passesAfterClose, 0);  // the quit request fades out over some frames first
  const std::string user =
      U8(platform::UserAppSupportDir()) + "/Quillfern Games/Lantern Vale/";
  EXPECT_TRUE(std::filesystem::exists(user + "GoodExit.dat"));
  ASSERT_TRUE(Game);
  const std::string settings = testrig::ReadFileBytes(U8(Game->SettingsFilePath()));
  EXPECT_EQ(settings.rfind(user, 0), std::string::npos);  // sanity: content, not a path
  int lines = 0;
  for (size_t at = settings.find("\r\n"); at != std::string::npos;
       at = settings.find("\r\n", at + 2)) {
    ++lines;
  }
  EXPECT_EQ(lines, 24);
  EXPECT_EQ(settings.rfind("VERSION NO=1.07\r\n", 0), 0u);
  EXPECT_NE(settings.find("PORTAL SPLASH=0\r\n"), std::string::npos);
  EXPECT_NE(settings.find("DRIVER=1\r\n"), std::string::npos);
  EXPECT_EQ(U8(Game->SettingsFilePath()).rfind(user, 0), 0u);

  if (platform::GraphicsOpen()) platform::EndGraphics();
  DrainEvents();
  Game.reset();
}

TEST(EndToEndTest, TheExecutableEndsCleanlyOnAQuitRequest) {
  if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
  const std::string exe = std::string(LV_BINARY_DIR) + "/bin/lantern-vale";
  ASSERT_TRUE(std::filesystem::exists(exe));
  const testrig::GameRun run = testrig::RunGame(exe, testrig::MakeTempDir("child-home"), "", true);
  ASSERT_TRUE(run.started) << "the program never opened its display";
  ASSERT_TRUE(run.ended) << "the program did not end after the quit request";
  ASSERT_TRUE(run.exited);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(std::filesystem::exists(run.userFolder + "GoodExit.dat"));
  EXPECT_EQ(testrig::ReadFileBytes(run.userFolder + "lantern-vale.ini").rfind("VERSION NO=1.07\r\n", 0), 0u);
}

}  // namespace
