// The settings file, its integer reader, the marker files and crash repair.
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <limits>

#include "CoreFixture.h"
#include "core/IniFunctions.h"
#include "core/Startup.h"
#include "platform/FileSystem.h"
#include "platform/Stream.h"

using namespace coretest;
namespace fs = std::filesystem;

namespace {

const char* const kDefaultFile =
    "VERSION NO=1.07\r\n"
    "FULL SCREEN=1\r\n"
    "SOUND=1\r\n"
    "MUSIC=1\r\n"
    "SPEECH=1\r\n"
    "SOUND VOLUME=100\r\n"
    "MUSIC VOLUME=100\r\n"
    "SPEECH VOLUME=100\r\n"
    "FADE=1\r\n"
    "PARTICLES=80\r\n"
    "PORTAL SPLASH=0\r\n"
    "PORTAL SPLASH2=0\r\n"
    "INTRO=0\r\n"
    "VSYNC=1\r\n"
    "DRIVER=0\r\n"
    "SOUND DRIVER=FreeAudio\r\n"
    "FULL SCREEN PROCESS PRIORITY=0\r\n"
    "FULL SCREEN THREAD PRIORITY=0\r\n"
    "WINDOWED PROCESS PRIORITY=0\r\n"
    "WINDOWED THREAD PRIORITY=0\r\n"
    "PROFILE NAME=\r\n"
    "REGION=0\r\n"
    "SUB-REGION=0\r\n"
    "CUSTOM MOUSE POINTER=1\r\n";

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  EXPECT_EQ(start, bytes.size()) << "every line ends in CR LF";
  return lines;
}

class SettingsTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    dataDir = testrig::MakeTempDir("data");
    // Init finds its user folder, data folder and settings name from these.
    Game->DataInAppBundle = 0;
    Game->DataPrefix = S(dataDir) + u"/";
    Game->ProfilePath = Game->SubPath + u"profiles/";
    settingsPath = U8(Game->SettingsFilePath());
  }

  void RunInit() {
    Game->Init(4 /* no sound driver change */, 1);
  }

  std::string Settings() { return testrig::ReadFileBytes(settingsPath); }

  std::string dataDir;
  std::string settingsPath;
};

TEST_F(SettingsTest, FirstStartWritesTheConstructorValuesInOrder) {
  RunInit();
  EXPECT_EQ(Settings(), kDefaultFile);
  EXPECT_EQ(U8(Game->Ini.FileName) + ".ini", settingsPath);
  EXPECT_EQ(Game->VersionNumber, u"1.07");
  EXPECT_TRUE(fs::is_directory(U8(Game->ProfilePath)));
  EXPECT_FALSE(fs::exists(userDir + "/inichanged.dat"));
}

TEST_F(SettingsTest, FirstStartCopiesTheDefaultFile) {
  testrig::WriteFileBytes(dataDir + "/data/Default.ini", "FULL SCREEN=0\r\nPARTICLES=40\r\n");
  RunInit();
  EXPECT_EQ(Game->FullScreen, 0);
  EXPECT_EQ(Game->Particles, 40);
  EXPECT_EQ(Lines(Settings()).size(), 24u);
}

TEST_F(SettingsTest, LoadDropsUnknownKeysAddsMissingOnesAndRewritesTheVersion) {
  testrig::WriteFileBytes(settingsPath,
                          "VERSION NO=0.9\r\nBOGUS=7\r\nFull Screen=0\nSOUND=0\r\nPARTICLES=50%\r\n"
                          "MUSIC VOLUME=$20\r\nSPEECH VOLUME=abc\r\nREGION=-3\r\nREGION=1\r\n"
                          "PROFILE NAME=a=b\r\nFADE =0\r\nSOUND DRIVER=None");
  RunInit();
  EXPECT_EQ(Game->VersionNumber, u"0.9");
  EXPECT_EQ(Game->FullScreen, 0);
  EXPECT_EQ(Game->Sound, 0);
  EXPECT_EQ(Game->Speech, 1);
  EXPECT_EQ(Game->Particles, 50);
  EXPECT_EQ(Game->MusicVolume, 32);
  EXPECT_EQ(Game->SpeechVolume, 0);
  EXPECT_EQ(Game->Region, 1);  // the last line of a duplicated key wins
  EXPECT_EQ(Game->ProfileName, u"a=b");
  EXPECT_EQ(Game->Fade, 1);  // "FADE " is another key
  // The load rewrites the file as read; the next save (start-up's forced one) writes the
  // program's version and the values as numbers.
  EXPECT_EQ(Lines(Settings())[0], "VERSION NO=0.9");
  ForceIniSettings();
  const auto lines = Lines(Settings());
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ(lines[0], "VERSION NO=1.07");
  EXPECT_EQ(lines[1], "FULL SCREEN=0");
  EXPECT_EQ(lines[4], "SPEECH=1");
  EXPECT_EQ(lines[9], "PARTICLES=50");
  EXPECT_EQ(lines[20], "PROFILE NAME=a=b");
  EXPECT_EQ(Settings().find("BOGUS"), std::string::npos);
}

TEST_F(SettingsTest, NoneSoundDriverStartsFreeAudio) {
  testrig::WriteFileBytes(settingsPath, "SOUND DRIVER=None\r\n");
  Game->Init(0, 1);
  const auto lines = Lines(Settings());
  ASSERT_EQ(lines.size(), 24u);
  // The dummy audio device opens, so the default driver takes the place of "None".
  EXPECT_EQ(Game->SoundDriver, u"FreeAudio");
  EXPECT_EQ(lines[15], "SOUND DRIVER=FreeAudio");
}

TEST_F(SettingsTest, IntegerReader) {
  EXPECT_EQ(ccStringToInt(u"42"), 42);
  EXPECT_EQ(ccStringToInt(u"  \t-7"), -7);
  EXPECT_EQ(ccStringToInt(u"+5"), 5);
  EXPECT_EQ(ccStringToInt(u"%101"), 5);
  EXPECT_EQ(ccStringToInt(u"%1012"), 5);
  EXPECT_EQ(ccStringToInt(u"$20"), 32);
  EXPECT_EQ(ccStringToInt(u"$fF"), 255);
  EXPECT_EQ(ccStringToInt(u"-$10"), -16);
  EXPECT_EQ(ccStringToInt(u"50%"), 50);
  EXPECT_EQ(ccStringToInt(u"12abc"), 12);
  EXPECT_EQ(ccStringToInt(u"abc"), 0);
  EXPECT_EQ(ccStringToInt(u""), 0);
  EXPECT_EQ(ccStringToInt(u"-"), 0);
  EXPECT_EQ(ccStringToInt(u"$"), 0);
  // Past the int range the reading saturates rather than wrapping.
  constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
  EXPECT_EQ(ccStringToInt(u"4294967297"), kMax);
  EXPECT_EQ(ccStringToInt(u"2147483647"), kMax);
  EXPECT_EQ(ccStringToInt(u"2147483648"), kMax);
  EXPECT_EQ(ccStringToInt(u"-2147483648"), kMin);
  EXPECT_EQ(ccStringToInt(u"-99999999999999999999999"), kMin);
  EXPECT_EQ(ccStringToInt(u"$FFFFFFFF"), kMax);
  EXPECT_EQ(ccStringToInt(u"%" + String(100, u'1')), kMax);
  EXPECT_EQ(ccStringToInt(String(2000000, u'9')), kMax);
}

TEST_F(SettingsTest, OutOfRangeValuesAreBroughtIntoRangeAndSavedSo) {
  testrig::WriteFileBytes(settingsPath,
                          "FULL SCREEN=7\r\nSOUND=-1\r\nMUSIC=0\r\nSPEECH=$10\r\n"
                          "SOUND VOLUME=-5\r\nMUSIC VOLUME=250\r\nSPEECH VOLUME=abc\r\n"
                          "FADE=2\r\nPARTICLES=" + std::string(2000000, '9') + "\r\n"
                          "PORTAL SPLASH2=-9\r\nINTRO=3\r\nVSYNC=99999999999\r\nDRIVER=-2\r\n"
                          "REGION=99999999999\r\nSUB-REGION=-4\r\nCUSTOM MOUSE POINTER=5\r\n");
  RunInit();
  ForceIniSettings();
  const auto lines = Lines(Settings());
  ASSERT_EQ(lines.size(), 24u);
  // Switches read as on or off, levels as 0 to 100; plain integers keep their (saturated) value.
  const std::vector<std::string> expected = {
      "FULL SCREEN=1", "SOUND=1", "MUSIC=0", "SPEECH=1", "SOUND VOLUME=0", "MUSIC VOLUME=100",
      "SPEECH VOLUME=0", "FADE=1", "PARTICLES=100", "PORTAL SPLASH=0", "PORTAL SPLASH2=1",
      "INTRO=1", "VSYNC=1", "DRIVER=1"};
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(lines[i + 1], expected[i]);
  EXPECT_EQ(lines[21], "REGION=2147483647");
  EXPECT_EQ(lines[22], "SUB-REGION=-4");
  EXPECT_EQ(lines[23], "CUSTOM MOUSE POINTER=1");
  for (int* field : {&Game->FullScreen, &Game->Sound, &Game->Music, &Game->Speech, &Game->Fade,
                     &Game->PortalSplash, &Game->PortalSplash2, &Game->IntroShow, &Game->VSync,
                     &Game->Driver, &Game->CustomMousePointer}) {
    EXPECT_TRUE(*field == 0 || *field == 1);
  }
  for (int level : {Game->SoundVolume, Game->MusicVolume, Game->SpeechVolume, Game->Particles}) {
    EXPECT_TRUE(level >= 0 && level <= 100) << level;
  }
}

TEST_F(SettingsTest, IniLineHelpers) {
  EXPECT_EQ(ccIniFirstString(u"NAME=a=b"), u"NAME");
  EXPECT_EQ(ccIniLastString(u"NAME=a=b"), u"a=b");
  EXPECT_EQ(ccIniFirstString(u"NOVALUE"), u"NOVALUE");
  EXPECT_EQ(ccIniLastString(u"NOVALUE"), u"");

  const std::string src = userDir + "/src.ini";
  const std::string dst = userDir + "/dst.ini";
  testrig::WriteFileBytes(src, "a=1\r\nProfile Name=x\r\nB=2\r\nPROFILE NAME=y\r\n");
  EXPECT_EQ(ccReadIniLine(S(src), u"profile name"), u"x");  // the first match wins
  EXPECT_EQ(ccReadIniLine(S(src), u"missing"), u"");
  EXPECT_EQ(ccReadIniLine(S(userDir + "/nofile"), u"a"), u"");
  EXPECT_EQ(ccWriteIniLine(S(src), S(dst), u"profile name", u"Zed"), 1);
  EXPECT_EQ(testrig::ReadFileBytes(dst), "a=1\r\nPROFILE NAME=Zed\r\nB=2\r\nPROFILE NAME=Zed\r\n");
  EXPECT_EQ(ccWriteIniLine(S(src), S(dst), u"C", u"3"), 1);
  EXPECT_EQ(testrig::ReadFileBytes(dst).find("C="), std::string::npos);  // never adds
  EXPECT_EQ(ccWriteIniLine(S(userDir + "/nofile"), S(dst), u"a", u"1"), 0);
}

TEST_F(SettingsTest, CharactersAboveLatin1KeepTheirLowByte) {
  RunInit();
  Game->ProfileName = u"A\u0142";  // U+0142
  Game->IniUpdate(0);
  EXPECT_NE(Settings().find("PROFILE NAME=A\x42\r\n"), std::string::npos);
}

TEST_F(SettingsTest, UnwritableSettingsFileIsFatal) {
  ccGraphicalErrors = 0;
  Game->Ini.FileName = S(userDir) + u"/missing-folder/settings";
  testing::internal::CaptureStderr();
  try {
    Game->IniUpdate(0);
    ADD_FAILURE() << "the save did not end the program";
  } catch (const platform::ProgramExit& e) {
    EXPECT_NE(e.code, 0);
  }
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Failed to save file " + userDir + "/missing-folder/settings.ini"),
            std::string::npos)
      << err;
}

TEST_F(SettingsTest, ChangedSettingsLeaveTheMarkerStartUpWritesDoNot) {
  RunInit();
  Game->IniUpdate(0);
  EXPECT_FALSE(fs::exists(userDir + "/inichanged.dat"));
  Game->IniUpdate(1);
  EXPECT_TRUE(fs::exists(userDir + "/inichanged.dat"));
}

TEST_F(SettingsTest, CrashAfterAChangeRestoresTheDefaultsKeepingTheProfileName) {
  testrig::WriteFileBytes(settingsPath, "FULL SCREEN=0\r\nPROFILE NAME=Bob\r\nPARTICLES=10\r\n");
  testrig::WriteFileBytes(userDir + "/inichanged.dat", "");
  testrig::WriteFileBytes(dataDir + "/data/Default.ini", "FULL SCREEN=1\r\nPARTICLES=80\r\n");
  testing::internal::CaptureStderr();
  Game->CheckGoodExit();
  const std::string notice = testing::internal::GetCapturedStderr();
  EXPECT_NE(notice.find("Default ini file restored!"), std::string::npos);
  // The default file has no "PROFILE NAME" line: the name is kept all the same.
  EXPECT_EQ(Settings(), "FULL SCREEN=1\r\nPARTICLES=80\r\nPROFILE NAME=Bob\r\n");
  EXPECT_FALSE(fs::exists(userDir + "/inichanged.dat"));
  RunInit();
  EXPECT_EQ(Game->ProfileName, u"Bob");
  EXPECT_EQ(Game->FullScreen, 1);
}

TEST_F(SettingsTest, CrashRepairReplacesTheNameLineOfTheDefaultFile) {
  testrig::WriteFileBytes(settingsPath, "PROFILE NAME=Ann\r\n");
  testrig::WriteFileBytes(userDir + "/inichanged.dat", "");
  testrig::WriteFileBytes(dataDir + "/data/Default.ini", "PROFILE NAME=\r\nFADE=0\r\n");
  testing::internal::CaptureStderr();
  Game->CheckGoodExit();
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(Settings(), "PROFILE NAME=Ann\r\nFADE=0\r\n");
}

TEST_F(SettingsTest, CrashRepairWithoutADefaultFileStillKeepsTheName) {
  testrig::WriteFileBytes(settingsPath, "PROFILE NAME=Cy\r\nFADE=0\r\n");
  testrig::WriteFileBytes(userDir + "/inichanged.dat", "");
  testing::internal::CaptureStderr();
  Game->CheckGoodExit();
  testing::internal::GetCapturedStderr();
  RunInit();
  EXPECT_EQ(Game->ProfileName, u"Cy");
  EXPECT_EQ(Game->Fade, 1);
}

TEST_F(SettingsTest, CrashRepairThatCannotWriteKeepsTheOldFileAndItsName) {
  const std::string before = "FULL SCREEN=0\r\nPROFILE NAME=Bob\r\n";
  testrig::WriteFileBytes(settingsPath, before);
  testrig::WriteFileBytes(userDir + "/inichanged.dat", "");
  testrig::WriteFileBytes(dataDir + "/data/Default.ini", "FULL SCREEN=1\r\nPROFILE NAME=\r\n");
  struct FailSettingsWrites {
    explicit FailSettingsWrites(const std::string& path) {
      platform::SetWriteFailHook([path](const std::string& target) { return target == path; });
    }
    ~FailSettingsWrites() { platform::SetWriteFailHook(nullptr); }
  };
  {
    FailSettingsWrites failing(settingsPath);
    testing::internal::CaptureStderr();
    Game->CheckGoodExit();
    testing::internal::GetCapturedStderr();
  }
  EXPECT_EQ(Settings(), before);
  RunInit();
  EXPECT_EQ(Game->ProfileName, u"Bob");
}

TEST_F(SettingsTest, CrashWithoutAChangeLeavesTheSettingsAlone) {
  testrig::WriteFileBytes(settingsPath, "FULL SCREEN=0\r\n");
  testrig::WriteFileBytes(dataDir + "/data/Default.ini", "FULL SCREEN=1\r\n");
  testing::internal::CaptureStderr();
  Game->CheckGoodExit();
  EXPECT_EQ(testing::internal::GetCapturedStderr().find("restored"), std::string::npos);
  EXPECT_EQ(Settings(), "FULL SCREEN=0\r\n");
}

TEST_F(SettingsTest, OrderlyExitLeavesGoodExitAndTheNextStartDeletesIt) {
  testrig::WriteFileBytes(settingsPath, "FULL SCREEN=0\r\n");
  TGame::MakeGoodExit();
  EXPECT_TRUE(fs::exists(userDir + "/GoodExit.dat"));
  testrig::WriteFileBytes(userDir + "/inichanged.dat", "");
  Game->CheckGoodExit();
  EXPECT_FALSE(fs::exists(userDir + "/GoodExit.dat"));
  EXPECT_FALSE(fs::exists(userDir + "/inichanged.dat"));
  EXPECT_EQ(Settings(), "FULL SCREEN=0\r\n");
}

// A marker is a regular file, as a player's file is. Something else under the good-exit
// marker's name must not make every start after a clean exit restore the defaults, and a
// link there must not lead the marker's write to a file elsewhere.
TEST_F(SettingsTest, AnOddEntryUnderTheGoodExitMarkersNameNeverCostsTheSettings) {
  const std::string outside = testrig::MakeTempDir("outside") + "/notes.txt";
  testrig::WriteFileBytes(outside, "keep");
  const std::string marker = userDir + "/GoodExit.dat";
  struct Odd {
    const char* what;
    std::function<void()> make;
    bool setAside;  // kept as ".bad" (a link is only replaced)
  };
  const Odd odds[] = {
      {"a FIFO", [&] { ASSERT_EQ(::mkfifo(marker.c_str(), 0600), 0); }, true},
      {"a folder", [&] { fs::create_directory(marker); }, true},
      {"a link to a file elsewhere", [&] { fs::create_symlink(outside, marker); }, false},
  };
  testrig::WriteFileBytes(dataDir + "/data/Default.ini", kDefaultFile);
  for (const Odd& odd : odds) {
    SCOPED_TRACE(odd.what);
    fs::remove_all(userDir);
    fs::create_directories(userDir);
    // Two sessions that end cleanly, each changing a setting, then a third start; the entry
    // turns up during the first.
    for (int session = 0; session < 2; ++session) {
      testing::internal::CaptureStderr();
      Game->CheckGoodExit();
      EXPECT_EQ(testing::internal::GetCapturedStderr().find("restored"), std::string::npos)
          << "after session " << session;
      RunInit();
      if (session == 0) odd.make();
      Game->MusicVolume = 37 - session;
      Game->IniUpdate(1);
      TGame::MakeGoodExit();
      EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(marker)));
    }
    testing::internal::CaptureStderr();
    Game->CheckGoodExit();
    EXPECT_EQ(testing::internal::GetCapturedStderr().find("restored"), std::string::npos);
    EXPECT_NE(Settings().find("MUSIC VOLUME=36\r\n"), std::string::npos) << Settings();
    EXPECT_EQ(testrig::ReadFileBytes(outside), "keep");
    EXPECT_EQ(fs::exists(fs::symlink_status(marker + ".bad")), odd.setAside);
  }
}

TEST_F(SettingsTest, AFolderUnderTheSettingsFilesNameIsSetAsideNotFatal) {
  fs::create_directory(settingsPath);
  RunInit();
  EXPECT_TRUE(fs::is_regular_file(settingsPath));
  EXPECT_TRUE(fs::is_directory(settingsPath + ".bad"));
}

TEST_F(SettingsTest, CreatedFilesAreNeverOpenToOtherUsers) {
  const mode_t old = ::umask(022);
  RunInit();
  Game->IniUpdate(1);
  TGame::MakeGoodExit();
  ::umask(old);
  for (const std::string& path :
       {settingsPath, userDir + "/inichanged.dat", userDir + "/GoodExit.dat",
        U8(Game->ProfilePath)}) {
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0) << path;
    EXPECT_EQ(st.st_mode & 0022, 0u) << path << " is writable by others";
    EXPECT_EQ(st.st_mode & 0600, 0600u) << path;
  }
}

}  // namespace
