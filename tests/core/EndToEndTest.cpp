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
  const std::string home = testrig::MakeTempDir("child-home");
  const std::string data = home + "/data";
  std::vector<std::string> env = {"HOME=" + home, "XDG_DATA_HOME=" + data,
                                  "SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy",
                                  "SDL_RENDER_DRIVER=software"};
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string arg0 = exe;
  char* argv[] = {arg0.data(), nullptr};
  pid_t pid = 0;
  ASSERT_EQ(::posix_spawn(&pid, exe.c_str(), nullptr, nullptr, argv, envp.data()), 0);

  // The display set-up writes "DRIVER=1": from then on the program is in its main loop.
  const std::string user = data + "/Quillfern Games/Lantern Vale/";
  const std::string settings = user + "lantern-vale.ini";
  bool running = false;
  // Generous limits: a loaded machine (parallel tests) slows start-up and the splashes a lot.
  for (int i = 0; i < 2400 && !running; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
    running = testrig::ReadFileBytes(settings).find("DRIVER=1\r\n") != std::string::npos;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ::kill(pid, SIGTERM);  // the system's quit request
  int status = 0;
  bool ended = false;
  for (int i = 0; i < 2400 && !ended; ++i) {
    ended = ::waitpid(pid, &status, WNOHANG) == pid;
    if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  if (!ended) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
  }
  ASSERT_TRUE(running) << "the program never opened its display";
  ASSERT_TRUE(ended) << "the program did not end after the quit request";
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(std::filesystem::exists(user + "GoodExit.dat"));
  EXPECT_EQ(testrig::ReadFileBytes(settings).rfind("VERSION NO=1.07\r\n", 0), 0u);
}

}  // namespace
