// What the user folder may hold besides files: a FIFO or a folder under a file's name is
// refused by every opener, at once (a FIFO's open would otherwise wait for its other end for
// ever, deaf to the quit request). Each call runs in a child process with a deadline, so a
// call that waits fails the test instead of hanging the suite.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "platform/FileSystem.h"
#include "platform/Stream.h"
#include "support/TestRig.h"

using namespace platform;

namespace {

enum class Outcome { Refused, Opened, Waited, Crashed };

// Runs call in a child; it reports whether it opened the file. A child still running after
// the deadline is waiting on the FIFO.
Outcome InChild(const std::function<bool()>& call) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(call() ? 1 : 0);
  if (pid < 0) return Outcome::Crashed;
  int status = 0;
  for (int i = 0; i < 400; ++i) {  // 10 s: generous on a loaded machine
    if (::waitpid(pid, &status, WNOHANG) == pid) {
      if (!WIFEXITED(status)) return Outcome::Crashed;
      return WEXITSTATUS(status) == 0 ? Outcome::Refused : Outcome::Opened;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, &status, 0);
  return Outcome::Waited;
}

struct Opener {
  const char* name;
  std::function<bool(const String& path)> open;
};

const Opener kOpeners[] = {
    {"ReadFile", [](const String& p) { return ReadFile(p) != nullptr; }},
    {"OpenFile", [](const String& p) { return OpenFile(p) != nullptr; }},
    {"AppendFile", [](const String& p) { return AppendFile(p) != nullptr; }},
    {"LoadBytes", [](const String& p) { std::string b; return LoadBytes(p, b); }},
    {"LoadText", [](const String& p) { bool ok = false; LoadText(p, &ok); return ok; }},
    {"CreateFile", [](const String& p) { return CreateFile(p); }},
    {"IsRegularFile", [](const String& p) { return IsRegularFile(p); }},
};

TEST(NonRegularFilesTest, AFifoOrAFolderIsRefusedByEveryOpenerWithoutWaiting) {
  const std::string dir = testrig::MakeTempDir("special");
  const std::string fifo = dir + "/Ann.dat";
  const std::string folder = dir + "/Bob.dat";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  for (const Opener& opener : kOpeners) {
    EXPECT_EQ(InChild([&] { return opener.open(FromUtf8(fifo)); }), Outcome::Refused)
        << opener.name << " on a FIFO";
    EXPECT_EQ(InChild([&] { return opener.open(FromUtf8(folder)); }), Outcome::Refused)
        << opener.name << " on a folder";
  }
  // Nothing replaced them.
  struct stat st;
  ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST(NonRegularFilesTest, ARegularFileStillOpensEveryWay) {
  const std::string dir = testrig::MakeTempDir("special");
  const std::string file = dir + "/Cat.dat";
  for (const Opener& opener : kOpeners) {
    testrig::WriteFileBytes(file, "abc");
    EXPECT_EQ(InChild([&] { return opener.open(FromUtf8(file)); }), Outcome::Opened) << opener.name;
  }
  // Reading after the open behaves as before: blocking reads of the whole file.
  std::string bytes;
  ASSERT_TRUE(LoadBytes(FromUtf8(file), bytes));
  EXPECT_EQ(bytes, "abc");
}

TEST(NonRegularFilesTest, TheProcessLockIsOneHolderAtATime) {
  const std::string folder = testrig::MakeTempDir("lock");
  // Another process holds it: this one is refused, and takes it once that one let go.
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(InChild([&] { return LockFolderForProcess(FromUtf8(folder)) != 0; }), Outcome::Refused);
  ::close(fd);
  EXPECT_EQ(LockFolderForProcess(FromUtf8(folder + "/")), 1);
  EXPECT_EQ(LockFolderForProcess(FromUtf8(folder)), 1);  // held already: still this process's
  EXPECT_TRUE(std::filesystem::is_empty(folder)) << "the lock made an entry in the folder";
  UnlockForProcess();
  EXPECT_EQ(InChild([&] { return LockFolderForProcess(FromUtf8(folder)) == 1; }), Outcome::Opened);
}

}  // namespace
