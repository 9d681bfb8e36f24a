// The real executable on user folders a person could leave it: one already in use by another
// copy, one holding a FIFO where a profile should be.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "support/GameProcess.h"
#include "support/ProfileFiles.h"
#include "support/TestRig.h"

namespace {

std::string GameExe() { return std::string(LV_BINARY_DIR) + "/bin/lantern-vale"; }

// Two copies on one user folder: the second must not touch what the first is writing, and
// the first runs on and ends as it would alone.
TEST(UserFolderProcessTest, ASecondCopyOnTheSameUserFolderSaysSoAndEndsWithoutTouchingAnything) {
  if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
  const std::string exe = GameExe();
  ASSERT_TRUE(std::filesystem::exists(exe));
  const std::string home = testrig::MakeTempDir("two-copies");

  const testrig::GameChild first = testrig::StartGame(exe, home, "");
  ASSERT_TRUE(testrig::WaitForMainLoop(first)) << "the first copy never reached its main loop";
  // A save of the first copy's, half written, as a second copy's start would find it.
  const std::string saving = first.userFolder + "lantern-vale.ini.tmp-Ab12Cd";
  testrig::WriteFileBytes(saving, "VERSION NO=1.07\r\nFULL SCR");

  const testrig::GameRun second = testrig::RunGame(exe, home, "", false);
  EXPECT_TRUE(second.ended) << "the second copy ran on beside the first";
  EXPECT_TRUE(second.exited);
  EXPECT_NE(second.exitCode, 0);
  EXPECT_NE(second.errors.find("Lantern Vale is already running."), std::string::npos)
      << second.errors;
  EXPECT_TRUE(std::filesystem::exists(saving));
  EXPECT_FALSE(std::filesystem::exists(first.userFolder + "ErrorLog.txt"));

  const testrig::GameRun firstRun = testrig::FinishGame(first, true);
  ASSERT_TRUE(firstRun.ended);
  EXPECT_TRUE(firstRun.exited);
  EXPECT_EQ(firstRun.exitCode, 0) << firstRun.errors;
  EXPECT_TRUE(std::filesystem::exists(first.userFolder + "GoodExit.dat"));

  // The lock goes with the copy that held it: the next start runs, whatever file it left.
  std::filesystem::remove(saving);
  const testrig::GameRun next = testrig::RunGame(exe, home, "", true);
  EXPECT_TRUE(next.started);
  EXPECT_EQ(next.exitCode, 0) << next.errors;
  EXPECT_EQ(next.errors.find("already running"), std::string::npos) << next.errors;
}

// A FIFO's open waits for a writer that never comes, and the quit request does not reach a
// program stuck there: the game opens nothing but regular files.
TEST(UserFolderProcessTest, AFifoNamedAsTheCurrentPlayerDoesNotBlockTheStart) {
  if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
  const std::string home = testrig::MakeTempDir("fifo-player");
  const std::string user = home + "/data/Quillfern Games/Lantern Vale/";
  testrig::WriteProfileFile(user + "profiles/", "Bob");
  ASSERT_EQ(::mkfifo((user + "profiles/Ann.dat").c_str(), 0600), 0);
  testrig::WriteFileBytes(user + "lantern-vale.ini", "FADE=0\r\nPROFILE NAME=Ann\r\n");

  const testrig::GameChild game = testrig::StartGame(GameExe(), home, "");
  ASSERT_TRUE(testrig::WaitForMainLoop(game));
  // Loading makes the named player current: the start has got past the FIFO once that player
  // has a profile file of its own. Generous deadline: a loaded machine loads slowly.
  const std::string ann = user + "profiles/Ann.dat";
  struct stat st;
  for (int i = 0; i < 2400 && !(::stat(ann.c_str(), &st) == 0 && S_ISREG(st.st_mode)); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  const testrig::GameRun run = testrig::FinishGame(game, true);
  EXPECT_TRUE(run.ended) << "the start waited on the FIFO";
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_TRUE(std::filesystem::exists(user + "GoodExit.dat"));
  // The player starts afresh in a file of its own; the FIFO is set aside, not lost.
  ASSERT_EQ(::stat(ann.c_str(), &st), 0);
  EXPECT_TRUE(S_ISREG(st.st_mode));
  EXPECT_EQ(st.st_size, 440);
  ASSERT_EQ(::lstat((ann + ".bad").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

}  // namespace
