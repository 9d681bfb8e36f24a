#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "support/TestRig.h"
#include "platform/FileSystem.h"
#include "platform/PathCase.h"
#include "platform/Stream.h"

using namespace platform;
namespace fs = std::filesystem;

namespace {

String P(const std::string& path) { return FromUtf8(path); }

// Sets (or unsets) an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (saved_) {
      setenv(name_, saved_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

}  // namespace

TEST(LoadText, ByteOrderMarksSelectTheEncoding) {
  const std::string dir = testrig::MakeTempDir("bom");
  // "Aé€" in each form.
  testrig::WriteFileBytes(dir + "/le.txt", std::string("\xFF\xFE" "A\0\xE9\0\xAC\x20", 8));
  testrig::WriteFileBytes(dir + "/be.txt", std::string("\xFE\xFF" "\0A\0\xE9\x20\xAC", 8));
  testrig::WriteFileBytes(dir + "/u8.txt", "\xEF\xBB\xBF" "A\xC3\xA9\xE2\x82\xAC");
  bool ok = false;
  EXPECT_EQ(LoadText(P(dir + "/le.txt"), &ok), u"A\u00E9\u20AC");
  EXPECT_TRUE(ok);
  EXPECT_EQ(LoadText(P(dir + "/be.txt")), u"A\u00E9\u20AC");
  EXPECT_EQ(LoadText(P(dir + "/u8.txt")), u"A\u00E9\u20AC");

  // Without a mark every byte is one Latin-1 character, UTF-8 sequences included.
  testrig::WriteFileBytes(dir + "/latin.txt", "A\xE9\r\n\xC3\xA9");
  EXPECT_EQ(LoadText(P(dir + "/latin.txt")), u"A\u00E9\r\n\u00C3\u00A9");
}

TEST(LoadText, TruncatedAndMissingFilesAreSafe) {
  const std::string dir = testrig::MakeTempDir("bomodd");
  testrig::WriteFileBytes(dir + "/odd.txt", std::string("\xFF\xFE" "A\0B", 5));  // odd length
  EXPECT_EQ(LoadText(P(dir + "/odd.txt")), u"A");
  testrig::WriteFileBytes(dir + "/mark.txt", "\xFF\xFE");
  EXPECT_EQ(LoadText(P(dir + "/mark.txt")), u"");
  testrig::WriteFileBytes(dir + "/half.txt", "\xEF\xBB");  // half a UTF-8 mark: Latin-1
  EXPECT_EQ(LoadText(P(dir + "/half.txt")), u"\u00EF\u00BB");
  testrig::WriteFileBytes(dir + "/bad.txt", "\xEF\xBB\xBF\xC3");  // broken UTF-8
  EXPECT_EQ(LoadText(P(dir + "/bad.txt")), u"\uFFFD");
  bool ok = true;
  EXPECT_EQ(LoadText(P(dir + "/none.txt"), &ok), u"");
  EXPECT_FALSE(ok);
}

TEST(LoadText, SaveTextRoundTripsLatin1) {
  const std::string path = testrig::MakeTempDir("save") + "/t.txt";
  ASSERT_TRUE(SaveText(P(path), u"caf\u00E9\r\n"));
  EXPECT_EQ(testrig::ReadFileBytes(path), "caf\xE9\r\n");
  EXPECT_EQ(LoadText(P(path)), u"caf\u00E9\r\n");
}

TEST(PathCase, DataFolderIsMatchedWithoutRegardToCase) {
  const std::string root = testrig::MakeTempDir("case");
  testrig::WriteFileBytes(root + "/data/foo.txt", "hello");
  testrig::WriteFileBytes(root + "/Data/sound/buttonclick.wav", "wav");

  StreamPtr s = ReadFile(P(root + "/Data/Foo.TXT"));
  ASSERT_TRUE(s);
  EXPECT_EQ(s->ReadLine(), u"hello");
  EXPECT_EQ(FileType(P(root + "/DATA/FOO.txt")), FILETYPE_FILE);
  EXPECT_EQ(FileSize(P(root + "/DATA/FOO.txt")), 5);
  EXPECT_EQ(FileType(P(root + "/dATA")), FILETYPE_DIR);

  // Two folders differing only in case: the exact spelling wins.
  EXPECT_EQ(ResolvePathCase(P(root + "/Data/Sound/buttonClick.wav")), P(root + "/Data/sound/buttonclick.wav"));
  EXPECT_EQ(ResolvePathCase(P(root + "/data/foo.txt")), P(root + "/data/foo.txt"));

  // Nothing matches: the path comes back as given.
  EXPECT_EQ(ResolvePathCase(P(root + "/Nope/x.txt")), P(root + "/Nope/x.txt"));
  EXPECT_EQ(FileType(P(root + "/Data/nope.txt")), FILETYPE_NONE);
  EXPECT_EQ(FileSize(P(root + "/Data/nope.txt")), -1);

  // A new file goes into the folder that exists, under its own name.
  const std::string only = testrig::MakeTempDir("case2");
  fs::create_directories(only + "/profiles");
  ASSERT_TRUE(SaveBytes(P(only + "/Profiles/Ann.dat"), "x"));
  EXPECT_TRUE(fs::exists(only + "/profiles/Ann.dat"));
  EXPECT_EQ(FileType(P(only + "/PROFILES/ann.DAT")), FILETYPE_FILE);
  // And rewriting it under another spelling replaces it rather than adding a twin.
  ASSERT_TRUE(SaveBytes(P(only + "/profiles/ANN.dat"), "y"));
  EXPECT_EQ(ListDir(P(only + "/profiles")), (std::vector<String>{u"Ann.dat"}));
  EXPECT_EQ(testrig::ReadFileBytes(only + "/profiles/Ann.dat"), "y");
}

TEST(PathCase, FoldersDifferingOnlyInCaseCostALinearWalk) {
  // "a" and "A" side by side: every "a/../" offers two spellings of the same way back, so a
  // walk that tried both at every step would take 2^24 walks here.
  const std::string root = testrig::MakeTempDir("twins");
  fs::create_directories(root + "/a");
  fs::create_directories(root + "/A");
  testrig::WriteFileBytes(root + "/Found.txt", "x");
  constexpr int kRepeats = 24;
  std::string chain;
  for (int k = 0; k < kRepeats; ++k) chain += "a/../";

  ClearPathCaseCache();
  EXPECT_EQ(FileType(P(root + "/" + chain + "missing.txt")), FILETYPE_NONE);
  EXPECT_LE(LastPathCaseWalkSteps(), size_t{6 * kRepeats + 8});
  EXPECT_GT(LastPathCaseWalkSteps(), size_t{kRepeats});

  // The same chain to a name spelled differently still finds it.
  EXPECT_EQ(FileType(P(root + "/" + chain + "FOUND.TXT")), FILETYPE_FILE);
  EXPECT_LE(LastPathCaseWalkSteps(), size_t{6 * kRepeats + 8});
}

TEST(PathCase, CacheFollowsRenames) {
  const std::string root = testrig::MakeTempDir("cache");
  testrig::WriteFileBytes(root + "/Levels/1.txt", "one");
  EXPECT_EQ(FileType(P(root + "/levels/1.txt")), FILETYPE_FILE);
  fs::rename(root + "/Levels", root + "/LEVELS");
  EXPECT_EQ(FileType(P(root + "/levels/1.txt")), FILETYPE_FILE);
  EXPECT_EQ(ResolvePathCase(P(root + "/levels/1.txt")), P(root + "/LEVELS/1.txt"));
  fs::remove_all(root + "/LEVELS");
  EXPECT_EQ(FileType(P(root + "/levels/1.txt")), FILETYPE_NONE);
}

TEST(PathCase, RelativePathsResolveFromTheWorkingFolder) {
  const std::string root = testrig::MakeTempDir("rel");
  testrig::WriteFileBytes(root + "/Data/x.txt", "x");
  const fs::path saved = fs::current_path();
  fs::current_path(root);
  EXPECT_EQ(FileType(u"data/X.TXT"), FILETYPE_FILE);
  EXPECT_EQ(ResolvePathCase(u"data/X.TXT"), u"Data/x.txt");
  EXPECT_EQ(CurrentDir(), P(fs::current_path().string()));
  fs::current_path(saved);
}

TEST(Folders, CreateDirRecursiveAndNot) {
  const std::string root = testrig::MakeTempDir("mk");
  EXPECT_FALSE(CreateDir(P(root + "/a/b/c")));
  EXPECT_TRUE(CreateDir(P(root + "/a/b/c/"), true));
  EXPECT_EQ(FileType(P(root + "/a/b/c")), FILETYPE_DIR);
  EXPECT_TRUE(CreateDir(P(root + "/a/b/c"), true));  // already there
  EXPECT_TRUE(CreateDir(P(root + "/a/d")));
  testrig::WriteFileBytes(root + "/file", "x");
  EXPECT_FALSE(CreateDir(P(root + "/file")));  // a file is in the way
  EXPECT_FALSE(CreateDir(P(root + "/file/sub"), true));
  EXPECT_TRUE(DeleteDir(P(root + "/a/d")));
  EXPECT_FALSE(DeleteDir(P(root + "/a")));  // not empty
  EXPECT_EQ(FileType(P(root + "/a/d")), FILETYPE_NONE);
}

TEST(Folders, CreateDeleteRenameAndModes) {
  const std::string root = testrig::MakeTempDir("files");
  const std::string marker = root + "/GoodExit.dat";
  testrig::WriteFileBytes(marker, "old content");
  EXPECT_TRUE(CreateFile(P(marker)));  // truncates
  EXPECT_EQ(FileSize(P(marker)), 0);
  EXPECT_TRUE(SetFileMode(P(marker), 0777));
  EXPECT_EQ(FileMode(P(marker)), 0777);
  EXPECT_TRUE(SetFileMode(P(marker), 0640));
  EXPECT_EQ(FileMode(P(marker)), 0640);
  EXPECT_EQ(FileMode(P(root + "/none")), -1);
  EXPECT_TRUE(RenameFile(P(marker), P(root + "/inichanged.dat")));
  EXPECT_EQ(FileType(P(marker)), FILETYPE_NONE);
  EXPECT_FALSE(DeleteFile(P(root)));  // folders are not files
  EXPECT_TRUE(DeleteFile(P(root + "/INICHANGED.DAT")));
  EXPECT_EQ(FileType(P(root + "/inichanged.dat")), FILETYPE_NONE);
  EXPECT_FALSE(DeleteFile(P(root + "/inichanged.dat")));
  EXPECT_FALSE(CreateFile(P(root + "/missing/x")));
}

TEST(Folders, CopyFileCopiesAtomically) {
  const std::string root = testrig::MakeTempDir("copy");
  std::string big(200000, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  testrig::WriteFileBytes(root + "/data/Default.ini", big);
  testrig::WriteFileBytes(root + "/user.ini", "OLD");
  EXPECT_TRUE(CopyFile(P(root + "/Data/default.ini"), P(root + "/user.ini")));
  EXPECT_EQ(testrig::ReadFileBytes(root + "/user.ini"), big);
  EXPECT_FALSE(CopyFile(P(root + "/none.ini"), P(root + "/user2.ini")));
  EXPECT_EQ(FileType(P(root + "/user2.ini")), FILETYPE_NONE);
  EXPECT_FALSE(CopyFile(P(root + "/user.ini"), P(root + "/missing/user.ini")));
  EXPECT_EQ(ListDir(P(root)), (std::vector<String>{u"data", u"user.ini"}));  // no temporary files left
}

TEST(Folders, ReadDirListsEverythingAndEnds) {
  const std::string root = testrig::MakeTempDir("list");
  testrig::WriteFileBytes(root + "/b.dat", "");
  testrig::WriteFileBytes(root + "/a.dat", "");
  fs::create_directories(root + "/sub");
  DirPtr dir = ReadDir(P(root));
  ASSERT_TRUE(dir);
  std::vector<String> names;
  for (String n = NextFile(dir); !n.empty(); n = NextFile(dir)) names.push_back(n);
  EXPECT_EQ(NextFile(dir), u"");  // stays at the end
  CloseDir(dir);
  EXPECT_EQ(NextFile(dir), u"");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<String>{u".", u"..", u"a.dat", u"b.dat", u"sub"}));
  EXPECT_EQ(ListDir(P(root)), (std::vector<String>{u"a.dat", u"b.dat", u"sub"}));

  EXPECT_FALSE(ReadDir(P(root + "/none")));
  EXPECT_FALSE(ReadDir(P(root + "/a.dat")));
  EXPECT_EQ(NextFile(nullptr), u"");
  CloseDir(nullptr);
  EXPECT_TRUE(ListDir(P(root + "/none")).empty());
}

TEST(Paths, HelpersSplitThePath) {
  EXPECT_EQ(StripDir(u"a/b/c.txt"), u"c.txt");
  EXPECT_EQ(StripDir(u"c.txt"), u"c.txt");
  EXPECT_EQ(StripExt(u"a/b/c.txt"), u"a/b/c");
  EXPECT_EQ(StripExt(u"a.d/c"), u"a.d/c");  // a dot in a folder name is no extension
  EXPECT_EQ(StripExt(u"c.tar.gz"), u"c.tar");
  EXPECT_EQ(StripAll(u"a/b/c.txt"), u"c");
  EXPECT_EQ(ExtractExt(u"a/b/c.txt"), u"txt");
  EXPECT_EQ(ExtractExt(u"a.d/c"), u"");
  EXPECT_EQ(ExtractExt(u"c."), u"");
  EXPECT_EQ(ExtractDir(u"a/b/c.txt"), u"a/b");
  EXPECT_EQ(ExtractDir(u"c.txt"), u"");
  EXPECT_EQ(ExtractDir(u"/c.txt"), u"/");
  EXPECT_EQ(StripDir(u""), u"");
}

TEST(Paths, ExecutableAndItsFolder) {
  const String exe = AppFile();
  EXPECT_EQ(StripDir(exe), u"test_sys_platform");
  EXPECT_EQ(exe.front(), u'/');
  EXPECT_EQ(AppDir(), ExtractDir(exe));
  EXPECT_EQ(FileType(AppDir()), FILETYPE_DIR);
}

TEST(Paths, UserFolderFollowsTheXdgRule) {
  ScopedEnv home("HOME", "/home/ann/");
  {
    ScopedEnv xdg("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(UserAppSupportDir(), u"/home/ann/.local/share");
  }
  {
    ScopedEnv xdg("XDG_DATA_HOME", "");
    EXPECT_EQ(UserAppSupportDir(), u"/home/ann/.local/share");
  }
  {
    ScopedEnv xdg("XDG_DATA_HOME", "relative/data");
    EXPECT_EQ(UserAppSupportDir(), u"/home/ann/.local/share");
  }
  {
    ScopedEnv xdg("XDG_DATA_HOME", "/srv/data/");
    EXPECT_EQ(UserAppSupportDir(), u"/srv/data");
  }
  {
    // Without a usable HOME the password database names the home folder.
    ScopedEnv xdg("XDG_DATA_HOME", nullptr);
    ScopedEnv noHome("HOME", nullptr);
    const passwd* pw = getpwuid(getuid());
    if (pw && pw->pw_dir && pw->pw_dir[0] == '/') {
      std::string expected = pw->pw_dir;
      if (expected != "/") expected += "/";
      EXPECT_EQ(UserAppSupportDir(), P(expected + ".local/share"));
    }
    ScopedEnv relHome("HOME", "not/absolute");
    if (pw && pw->pw_dir && pw->pw_dir[0] == '/') {
      EXPECT_EQ(UserAppSupportDir().front(), u'/');
    }
  }
  // Never created.
  ScopedEnv xdg("XDG_DATA_HOME", (testrig::TempHome() + "/never-made").c_str());
  EXPECT_EQ(UserAppSupportDir(), P(testrig::TempHome() + "/never-made"));
  EXPECT_FALSE(fs::exists(testrig::TempHome() + "/never-made"));
}
