// The real executable on user folders a person could leave it: one already in use by another
// copy, one holding a FIFO where a profile should be, links, sockets and files it cannot read.
#include <gtest/gtest.h>

#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
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

// What stands in the user folder, and who runs the game: whatever it finds, no file it writes
// takes an odd entry's mode, and no file of the player's, readable or not, is replaced before
// it is kept. (The error log under a link: ErrorPathTest.)
struct Place {
  std::string user;     // the user folder
  std::vector<std::string> othersFiles;  // to belong to another account
};

struct stat Entry(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) st.st_mode = 0;
  return st;
}

struct OddEntryCase {
  const char* what;
  std::function<void(Place&)> make;
  const char* endsWith;  // the message a start that cannot go on ends with; null: it runs
  std::function<void(const Place&)> check;
  // For a start that runs: what shows that it has got past the entry (the quit comes then).
  std::function<bool(const Place&)> past = [](const Place& p) {
    return Entry(p.user + "vale.dat").st_size > 0;
  };
};

mode_t Umask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

void MakeSocket(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof address.sun_path) << path;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << path;
  ::close(fd);
}

// The settings as the game keeps them: a regular file of its own, with the mode a new file gets.
void ExpectNewSettings(const Place& p) {
  const struct stat st = Entry(p.user + "lantern-vale.ini");
  EXPECT_TRUE(S_ISREG(st.st_mode));
  EXPECT_EQ(st.st_mode & 07777, 0666 & ~Umask());
}

void ExpectLogged(const Place& p, const std::string& text) {
  EXPECT_TRUE(S_ISREG(Entry(p.user + "ErrorLog.txt").st_mode));
  EXPECT_NE(testrig::ReadFileBytes(p.user + "ErrorLog.txt").find(text), std::string::npos);
}

void UnreadableSettings(Place& p) {
  testrig::WriteProfileFile(p.user + "profiles/", "Ivy");
  testrig::WriteFileBytes(p.user + "lantern-vale.ini", "MUSIC VOLUME=37\r\nPROFILE NAME=Ivy\r\n");
  ::chmod((p.user + "lantern-vale.ini").c_str(), 0);
}

void ExpectSettingsKept(const Place& p) {
  ::chmod((p.user + "lantern-vale.ini.bad").c_str(), 0600);
  EXPECT_EQ(testrig::ReadFileBytes(p.user + "lantern-vale.ini.bad"),
            "MUSIC VOLUME=37\r\nPROFILE NAME=Ivy\r\n");
  ExpectLogged(p, "Could not read settings file '" + p.user + "lantern-vale.ini'; it was kept as '" +
                      p.user + "lantern-vale.ini.bad'");
  ExpectNewSettings(p);
}

const OddEntryCase kOddEntries[] = {
    {"a link to /dev/zero as the settings",
     [](Place& p) { ::symlink("/dev/zero", (p.user + "lantern-vale.ini").c_str()); }, nullptr,
     [](const Place& p) {
       ExpectNewSettings(p);
       EXPECT_TRUE(S_ISLNK(Entry(p.user + "lantern-vale.ini.bad").st_mode));
     }},
    {"a socket as the settings", [](Place& p) { MakeSocket(p.user + "lantern-vale.ini"); }, nullptr,
     [](const Place& p) {
       ExpectNewSettings(p);
       EXPECT_TRUE(S_ISSOCK(Entry(p.user + "lantern-vale.ini.bad").st_mode));
     }},
    {"settings the player cannot read", UnreadableSettings, nullptr, ExpectSettingsKept},
    {"another account's settings",
     [](Place& p) {
       UnreadableSettings(p);
       ::chmod((p.user + "lantern-vale.ini").c_str(), 0600);
       p.othersFiles.push_back(p.user + "lantern-vale.ini");
     },
     nullptr, ExpectSettingsKept},
    {"a cut profile beside an earlier one set aside",
     [](Place& p) {
       testrig::WriteFileBytes(p.user + "lantern-vale.ini", "FADE=0\r\nPROFILE NAME=Ann\r\n");
       testrig::WriteFileBytes(p.user + "profiles/Ann.dat", "cut");
       testrig::WriteFileBytes(p.user + "profiles/Ann.dat.bad", "older");
     },
     nullptr,
     [](const Place& p) {
       EXPECT_EQ(testrig::ReadFileBytes(p.user + "profiles/Ann.dat.bad"), "older");
       EXPECT_EQ(testrig::ReadFileBytes(p.user + "profiles/Ann.dat.bad2"), "cut");
       EXPECT_EQ(Entry(p.user + "profiles/Ann.dat").st_size, 440);
       ExpectLogged(p, "it was kept as '" + p.user + "profiles/Ann.dat.bad2'");
     },
     [](const Place& p) { return Entry(p.user + "profiles/Ann.dat").st_size == 440; }},
    {"an unreadable profile beside an earlier one set aside",
     [](Place& p) {
       testrig::PrepareUserWithProfile(p.user, p.user + "lantern-vale.ini", "Ann", "FADE=0\n");
       ::chmod((p.user + "profiles/Ann.dat").c_str(), 0);
       testrig::WriteFileBytes(p.user + "profiles/Ann.dat.bad", "older");
     },
     nullptr,
     [](const Place& p) {
       EXPECT_EQ(testrig::ReadFileBytes(p.user + "profiles/Ann.dat.bad"), "older");
       EXPECT_EQ(Entry(p.user + "profiles/Ann.dat.bad2").st_size, 440);
     },
     [](const Place& p) { return Entry(p.user + "profiles/Ann.dat.bad2").st_size == 440; }},
    {"a garbled high-score file beside an earlier one set aside",
     [](Place& p) {
       testrig::WriteFileBytes(p.user + "vale.dat", "garbled");
       testrig::WriteFileBytes(p.user + "vale.dat.bad", "older");
     },
     nullptr,
     [](const Place& p) {
       EXPECT_EQ(testrig::ReadFileBytes(p.user + "vale.dat.bad"), "older");
       EXPECT_EQ(testrig::ReadFileBytes(p.user + "vale.dat.bad2"), "garbled");
     },
     [](const Place& p) { return Entry(p.user + "vale.dat.bad2").st_size > 0; }},
    {"a folder as the settings with every name to set it aside taken",
     [](Place& p) {
       std::filesystem::create_directory(p.user + "lantern-vale.ini");
       for (const char* n : {"", "2", "3", "4", "5", "6", "7", "8", "9"}) {
         testrig::WriteFileBytes(p.user + "lantern-vale.ini.bad" + n, "older");
       }
     },
     "A folder stands under its name and could not be moved aside to lantern-vale.ini.bad",
     [](const Place& p) {
       EXPECT_TRUE(std::filesystem::is_directory(p.user + "lantern-vale.ini"));
       EXPECT_EQ(testrig::ReadFileBytes(p.user + "lantern-vale.ini.bad9"), "older");
     }},
    {"a parent of the user folder that cannot be entered",
     [](Place& p) {
       std::filesystem::remove_all(p.user);
       ::chmod(std::filesystem::path(p.user).parent_path().parent_path().c_str(), 0);
     },
     "Lantern Vale/: Permission denied.",
     [](const Place& p) {
       ::chmod(std::filesystem::path(p.user).parent_path().parent_path().c_str(), 0755);
     }},
};

TEST(UserFolderProcessTest, OddAndUnreadableEntriesLoseNothingAndLeadNowhereElse) {
  if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
  // Root reads everything: the game then runs as another account, the folder that account's.
  const bool root = ::geteuid() == 0;
  const uid_t player = root ? 65534 : ::geteuid();
  const gid_t group = root ? 65534 : ::getegid();
  // The test's temporary folder, made for root alone, is passed through by the player.
  if (root) ::chmod(std::filesystem::path(testrig::MakeTempDir("reach")).parent_path().c_str(), 0711);
  const std::function<bool()> asPlayer = [&] {
    return !root || (::setgroups(0, nullptr) == 0 && ::setgid(group) == 0 && ::setuid(player) == 0);
  };
  // Every case at once, each in a home of its own: a start costs seconds.
  struct Started {
    const OddEntryCase* c;
    Place p;
    testrig::GameChild game;
  };
  std::vector<Started> started;
  for (const OddEntryCase& c : kOddEntries) {
    const std::string home = testrig::MakeTempDir("odd-entry");
    Place p{home + "/data/Quillfern Games/Lantern Vale/", {}};
    std::filesystem::create_directories(p.user + "profiles");
    c.make(p);
    if (!p.othersFiles.empty() && !root) continue;  // no other account's file can be made
    if (root) {
      for (const auto& e : std::filesystem::recursive_directory_iterator(home)) {
        ::lchown(e.path().c_str(), player, group);
      }
      ::lchown(home.c_str(), player, group);
      ::lchown((home + "/data/Quillfern Games").c_str(), player, group);
      for (const std::string& f : p.othersFiles) ::lchown(f.c_str(), 0, 0);
    }
    started.push_back({&c, p, testrig::StartGame(GameExe(), home, "", asPlayer)});
  }
  for (const Started& s : started) {
    const OddEntryCase& c = *s.c;
    SCOPED_TRACE(c.what);
    if (!c.endsWith) {
      EXPECT_TRUE(testrig::WaitForMainLoop(s.game));
      // Generous deadline: a loaded machine loads slowly.
      for (int i = 0; i < 2400 && !c.past(s.p); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
      }
    }
    const testrig::GameRun run = testrig::FinishGame(s.game, c.endsWith == nullptr);
    EXPECT_TRUE(run.ended && run.exited) << run.errors;
    if (c.endsWith) {
      EXPECT_NE(run.exitCode, 0);
      EXPECT_NE(run.errors.find(c.endsWith), std::string::npos) << run.errors;
      EXPECT_EQ(run.errors.find("Is a directory"), std::string::npos) << run.errors;
    } else {
      EXPECT_EQ(run.exitCode, 0) << run.errors;
    }
    c.check(s.p);
  }
}

}  // namespace
