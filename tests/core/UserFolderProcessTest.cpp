// The real executable on user folders a person could leave it: one already in use by another
// copy, one holding a FIFO where a profile should be.
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "support/GameProcess.h"
#include "support/ProfileFiles.h"
#include "support/TestRig.h"

namespace {

std::string GameExe() { return std::string(LV_BINARY_DIR) + "/bin/lantern-vale"; }

// Two copies on one user folder: the second, started while the first runs, says so and ends
// without touching the save the first is writing; the first runs on and ends as it would alone.
// The first copy's run.
testrig::GameRun ExpectASecondCopyKeptOut(const std::string& home) {
  const testrig::GameChild first = testrig::StartGame(GameExe(), home, "");
  EXPECT_TRUE(testrig::WaitForMainLoop(first)) << "the first copy never reached its main loop";
  // A save of the first copy's, half written, as a second copy's start would find it.
  const std::string saving = first.userFolder + "lantern-vale.ini.tmp-Ab12Cd";
  testrig::WriteFileBytes(saving, "VERSION NO=1.07\r\nFULL SCR");
  const testrig::GameRun second = testrig::RunGame(GameExe(), home, "", false);
  EXPECT_TRUE(second.ended && second.exited) << "the second copy ran on beside the first";
  EXPECT_NE(second.exitCode, 0);
  EXPECT_NE(second.errors.find("Lantern Vale is already running."), std::string::npos)
      << second.errors;
  EXPECT_TRUE(std::filesystem::exists(saving)) << "the second copy removed the first's save";
  const testrig::GameRun firstRun = testrig::FinishGame(first, true);
  EXPECT_TRUE(firstRun.ended && firstRun.exited);
  EXPECT_EQ(firstRun.exitCode, 0) << firstRun.errors;
  std::filesystem::remove(saving);
  return firstRun;
}

TEST(UserFolderProcessTest, ASecondCopyOnTheSameUserFolderSaysSoAndEndsWithoutTouchingAnything) {
  if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
  ASSERT_TRUE(std::filesystem::exists(GameExe()));
  const std::string home = testrig::MakeTempDir("two-copies");
  const testrig::GameRun first = ExpectASecondCopyKeptOut(home);
  EXPECT_FALSE(std::filesystem::exists(first.userFolder + "ErrorLog.txt"));
  EXPECT_TRUE(std::filesystem::exists(first.userFolder + "GoodExit.dat"));

  // The lock goes with the copy that held it: the next start runs, whatever file it left.
  const testrig::GameRun next = testrig::RunGame(GameExe(), home, "", true);
  EXPECT_TRUE(next.started);
  EXPECT_EQ(next.exitCode, 0) << next.errors;
  EXPECT_EQ(next.errors.find("already running"), std::string::npos) << next.errors;
}

// Whatever stands in the user folder under the name an earlier version locked, the second copy
// is kept out, and nothing outside the folder is made or changed through a link there.
TEST(UserFolderProcessTest, NoEntryInTheUserFolderSwitchesTheOneCopyGuardOff) {
  if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
  const std::string outside = testrig::MakeTempDir("outside");
  testrig::WriteFileBytes(outside + "/notes.txt", "keep");
  ::chmod((outside + "/notes.txt").c_str(), 0600);
  ::mkfifo((outside + "/pipe").c_str(), 0600);
  // A FIFO, a folder, and links to a device, to a FIFO, to themselves, to nothing yet and to a
  // file outside.
  const std::function<void(const std::string&)> odds[] = {
      [](const std::string& lock) { ::mkfifo(lock.c_str(), 0600); },
      [](const std::string& lock) { std::filesystem::create_directory(lock); },
      [](const std::string& lock) { ::symlink("/dev/null", lock.c_str()); },
      [&](const std::string& lock) { ::symlink((outside + "/pipe").c_str(), lock.c_str()); },
      [](const std::string& lock) { ::symlink(lock.c_str(), lock.c_str()); },
      [&](const std::string& lock) { ::symlink((outside + "/new").c_str(), lock.c_str()); },
      [&](const std::string& lock) { ::symlink((outside + "/notes.txt").c_str(), lock.c_str()); },
  };
  for (size_t i = 0; i < std::size(odds); ++i) {
    SCOPED_TRACE("odd entry " + std::to_string(i));
    const std::string home = testrig::MakeTempDir("odd-lock");
    const std::string user = home + "/data/Quillfern Games/Lantern Vale/";
    std::filesystem::create_directories(user);
    odds[i](user + "running.lock");
    ExpectASecondCopyKeptOut(home);
  }
  EXPECT_FALSE(std::filesystem::exists(outside + "/new"));
  EXPECT_EQ(testrig::ReadFileBytes(outside + "/notes.txt"), "keep");
  struct stat st;
  ASSERT_EQ(::stat((outside + "/notes.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
}

// A user folder the game cannot write (another account's, or on a read-only or full disk): the
// player is told which folder and the system's reason, and no file in it changes.
TEST(UserFolderProcessTest, AFolderTheGameCannotWriteIsNamedWithTheSystemsReason) {
  if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
  const std::string home = testrig::MakeTempDir("read-only");
  const std::string user = home + "/data/Quillfern Games/Lantern Vale/";
  testrig::WriteProfileFile(user + "profiles/", "Ivy");
  testrig::WriteFileBytes(user + "lantern-vale.ini", "MUSIC VOLUME=37\r\nPROFILE NAME=Ivy\r\n");
  const auto snapshot = [&] {
    std::string all;
    for (const auto& e : std::filesystem::recursive_directory_iterator(home)) {
      all += e.path().string() + "=" + testrig::ReadFileBytes(e.path().string()) + "\n";
    }
    return all;
  };
  // Root writes anywhere: then the folder lies on a read-only mount, seen by the game alone.
  // Otherwise the folder is this account's, read-only, as another account's would be.
  const bool root = ::geteuid() == 0;
  std::function<bool()> readOnly;
  if (root) {
    readOnly = [&] {
      return ::unshare(CLONE_NEWNS) == 0 &&
             ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
             ::mount(user.c_str(), user.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
             ::mount(nullptr, user.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    };
  } else {
    ::chmod(user.c_str(), 0555);
  }
  const std::string before = snapshot();
  const testrig::GameRun run =
      testrig::FinishGame(testrig::StartGame(GameExe(), home, "", readOnly), false);
  ::chmod(user.c_str(), 0755);
  if (run.exitCode == 125) GTEST_SKIP() << "no read-only mount can be made here";
  EXPECT_TRUE(run.ended && run.exited);
  EXPECT_NE(run.exitCode, 0);
  EXPECT_NE(run.errors.find("Failed to save file " + user + "lantern-vale.ini"), std::string::npos)
      << run.errors;
  const std::string reason = root ? "Read-only file system" : "Permission denied";
  EXPECT_NE(run.errors.find("The folder " + user + " cannot be written: " + reason + "."),
            std::string::npos)
      << run.errors;
  EXPECT_EQ(snapshot(), before);
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
