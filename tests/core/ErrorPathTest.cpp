// The error path: the game's own box, the system notice, the error log and the loaders.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <regex>

#include "CoreFixture.h"

using namespace coretest;

namespace {

class ErrorPathTest : public CoreTest {
 protected:
  std::string LogPath() { return userDir + "/ErrorLog.txt"; }
};

TEST_F(ErrorPathTest, LogEntriesAreByteExact) {
  ccErrorLog(u"first problem");
  ccErrorLog(u"second\tproblem");
  const std::string log = testrig::ReadFileBytes(LogPath());
  const std::string dashes(57, '-');
  const std::regex entry(dashes +
                         "\r\nDate: \\d\\d (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) "
                         "\\d{4}   Time: \\d\\d:\\d\\d:\\d\\d\r\n");
  const std::string::size_type second = log.find(dashes, 57);
  ASSERT_NE(second, std::string::npos);
  const std::string one = log.substr(0, second);
  const std::string two = log.substr(second);
  EXPECT_TRUE(std::regex_match(one.substr(0, one.size() - 15), entry)) << one;
  EXPECT_EQ(one.substr(one.size() - 15), "first problem\r\n");
  EXPECT_EQ(two.substr(two.size() - 16), "second\tproblem\r\n");
  EXPECT_EQ(two.size() - 16, one.size() - 15);
}

TEST_F(ErrorPathTest, UnwritableLogIsDroppedSilently) {
  ccErrorPath = S(userDir) + u"/no/such/folder/";
  EXPECT_EQ(ccErrorLog(u"lost"), 0);
  EXPECT_FALSE(std::filesystem::exists(userDir + "/no"));
}

// Nothing outside the user folder is made or changed through a link under the log's name.
TEST_F(ErrorPathTest, ALinkUnderTheLogsNameIsSetAsideNeverFollowed) {
  const std::string outside = testrig::MakeTempDir("outside");
  testrig::WriteFileBytes(outside + "/notes.txt", "keep");
  ::chmod((outside + "/notes.txt").c_str(), 0400);
  for (const std::string& target : {outside + "/new", outside + "/notes.txt"}) {
    SCOPED_TRACE(target);
    std::filesystem::remove(LogPath());
    std::filesystem::remove(LogPath() + ".bad");
    ASSERT_EQ(::symlink(target.c_str(), LogPath().c_str()), 0);
    ccErrorLog(u"a problem");
    EXPECT_TRUE(std::filesystem::is_symlink(LogPath() + ".bad"));
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(LogPath())));
    EXPECT_NE(testrig::ReadFileBytes(LogPath()).find("a problem"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(outside + "/new"));
  EXPECT_EQ(testrig::ReadFileBytes(outside + "/notes.txt"), "keep");
  struct stat st;
  ASSERT_EQ(::stat((outside + "/notes.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0400u);
}

TEST_F(ErrorPathTest, ErrorBeforeTheDisplayShowsANoticeAndEndsWithoutLogging) {
  ccGraphicalErrors = 0;
  testing::internal::CaptureStderr();
  EXPECT_THROW(ccRunTimeError(u"early trouble", 0), platform::ProgramExit);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("early trouble"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(LogPath()));
}

TEST_F(ErrorPathTest, NoDisplayOpenMeansASystemNoticeWhateverTheSwitchSays) {
  ASSERT_FALSE(platform::GraphicsOpen());
  ccGraphicalErrors = 1;
  int boxes = 0;
  SetErrorBoxHook([&](const String&) {
    ++boxes;
    return true;
  });
  testing::internal::CaptureStderr();
  EXPECT_THROW(ccRunTimeError(u"display gone", 0), platform::ProgramExit);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("display gone"), std::string::npos);
  EXPECT_EQ(boxes, 0);
  EXPECT_FALSE(std::filesystem::exists(LogPath()));
}

TEST_F(ErrorPathTest, LogIsDroppedUntilTheUserFolderIsKnown) {
  // Run from a scratch working folder: an empty or relative error path must not write there.
  const std::filesystem::path scratch = testrig::MakeTempDir("cwd");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(scratch);
  OpenDisplay();
  int boxes = 0;
  SetErrorBoxHook([&](const String&) {
    ++boxes;
    return true;
  });
  for (const String& path : {String(), String(u"saves/")}) {
    ccErrorPath = path;
    EXPECT_EQ(ccErrorLog(u"nowhere to go"), 0);
    EXPECT_EQ(ccRunTimeError(u"shown, not logged", 0), 0);
  }
  EXPECT_EQ(boxes, 2);
  std::filesystem::current_path(before);
  EXPECT_TRUE(std::filesystem::is_empty(scratch));
}

TEST_F(ErrorPathTest, FatalErrorShowsTheBoxLogsAndEnds) {
  OpenDisplay();
  std::vector<String> shown;
  SetErrorBoxHook([&](const String& m) {
    shown.push_back(m);
    return true;
  });
  try {
    ccRunTimeError(u"fatal trouble", 1);
    ADD_FAILURE() << "returned";
  } catch (const platform::ProgramExit& e) {
    EXPECT_NE(e.code, 0);
  }
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], u"fatal trouble");
  const std::string log = testrig::ReadFileBytes(LogPath());
  EXPECT_NE(log.find("\r\nfatal trouble\r\n"), std::string::npos);
}

TEST_F(ErrorPathTest, NonFatalReportReturnsAndRestoresThePolledState) {
  OpenDisplay();
  int boxes = 0;
  SetErrorBoxHook([&](const String&) {
    ++boxes;
    EXPECT_EQ(ccPolledInputState, 1);  // the box reads the runtime's polled input
    return true;
  });
  ASSERT_EQ(ccPolledInputState, 0);
  EXPECT_EQ(ccRunTimeError(u"minor", 0), 0);
  EXPECT_EQ(ccPolledInputState, 0);
  ccEnablePolledInput();
  EXPECT_EQ(ccRunTimeError(u"minor again", 0), 0);
  EXPECT_EQ(ccPolledInputState, 1);
  EXPECT_EQ(boxes, 2);
}

TEST_F(ErrorPathTest, ErrorWhileTheBoxIsUpDoesNotOpenAnother) {
  OpenDisplay();
  int boxes = 0;
  SetErrorBoxHook([&](const String&) {
    ++boxes;
    ccRunTimeError(u"inner", 0);
    return true;
  });
  testing::internal::CaptureStderr();
  EXPECT_THROW(ccRunTimeError(u"outer", 0), platform::ProgramExit);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("inner"), std::string::npos);
  EXPECT_EQ(boxes, 1);
  EXPECT_NE(testrig::ReadFileBytes(LogPath()).find("inner"), std::string::npos);
  SetErrorBoxHook([](const String&) { return true; });
  EXPECT_EQ(ccRunTimeError(u"later", 0), 0);  // the guard is released
}

TEST_F(ErrorPathTest, BoxStandsOverTheLastFrameUntilAKeyIsPressed) {
  OpenDisplay();
  platform::SetClsColor(10, 20, 30);
  platform::Cls();
  int frames = 0;
  SetErrorBoxHook([&](const String&) {
    if (++frames == 3) Post(platform::EVENT_KEYDOWN, 'K');
    return false;
  });
  ccEnablePolledInput();
  Post(platform::EVENT_KEYDOWN, 'J');  // flushed when the box opens
  EXPECT_EQ(ccDialogOK(u"A message long enough to need more than one line in a box that is "
                       u"only four hundred pixels wide, so it wraps.",
                       400, 100),
            0);
  EXPECT_EQ(frames, 3);
  auto pixels = platform::GrabPixmap(0, 0, 800, 600);
  ASSERT_TRUE(pixels);
  EXPECT_PIXEL_NEAR(pixels->ReadPixel(5, 5), 0xFF0A141Eu);      // the last frame stays
  EXPECT_PIXEL_NEAR(pixels->ReadPixel(200, 250), 0xFFDCDCC8u);  // outline at (200, 250)
  EXPECT_PIXEL_NEAR(pixels->ReadPixel(205, 345), 0xFF969696u);  // box body
  EXPECT_PIXEL_NEAR(pixels->ReadPixel(601, 352), 0xFF000000u);  // shadow at +4, +4
  EXPECT_PIXEL_NEAR(pixels->ReadPixel(605, 345), 0xFF0A141Eu);  // outside both
}

TEST_F(ErrorPathTest, LoadersAreFatalWithTheirMessages) {
  OpenDisplay();
  std::vector<String> shown;
  SetErrorBoxHook([&](const String& m) {
    shown.push_back(m);
    return true;
  });
  const String missing = S(userDir) + u"/missing.png";
  EXPECT_THROW(ccLoadBitmap(missing), platform::ProgramExit);
  EXPECT_THROW(ccLoadAnimBitmap(missing, 8, 8, 0, 2), platform::ProgramExit);
  EXPECT_THROW(ccLoadFile(missing), platform::ProgramExit);
  EXPECT_THROW(ccLoadSample(missing), platform::ProgramExit);
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0], u"Error loading bitmap " + missing);
  EXPECT_EQ(shown[1], u"Error loading anim bitmap " + missing);
  EXPECT_EQ(shown[2], u"Error loading file " + missing);
  EXPECT_EQ(shown[3], u"Error loading sample " + missing);
}

TEST_F(ErrorPathTest, FileExistsForFilesAndFolders) {
  testrig::WriteFileBytes(userDir + "/f.txt", "x");
  EXPECT_EQ(ccFileExists(S(userDir)), 1);
  EXPECT_EQ(ccFileExists(S(userDir + "/f.txt")), 1);
  EXPECT_EQ(ccFileExists(S(userDir + "/nope")), 0);
}

}  // namespace
