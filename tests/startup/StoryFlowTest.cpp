// A new player's whole way in, through the real program: the name prompt, the greeting, "play"
// into the story's introduction, on to the level map and back out; then a second run that
// greets the same player at once. Also the start-ups a damaged user folder makes.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "StartupFixture.h"
#include "core/TProfile.h"
#include "screens/TBookScreen.h"
#include "screens/TLevelSelectScreen.h"
#include "support/ProfileFiles.h"

namespace fs = std::filesystem;

namespace {

class StoryFlowTest : public startuptest::StartupFixture {
 protected:
  std::string Profiles() const { return userDir + "profiles/"; }

  // "Ann.dat" with a new player's values but the stored level; truncated when asked.
  void WriteAnn(int level, bool truncated) {
    testrig::WriteProfileFile(Profiles(), "Ann");
    std::string bytes = testrig::ReadFileBytes(Profiles() + "Ann.dat");
    const uint32_t stored = static_cast<uint32_t>(level) + TProfile::CURRENT_LEVEL_OFFSET;
    for (int i = 0; i < 4; ++i) bytes[static_cast<size_t>(i)] = static_cast<char>((stored >> (8 * i)) & 0xff);
    if (truncated) bytes.resize(10);
    testrig::WriteFileBytes(Profiles() + "Ann.dat", bytes);
  }
};

TEST_F(StoryFlowTest, NewPlayerIntoTheStoryAndOut) {
  const void* titleMusic = nullptr;
  std::vector<Step> steps;
  steps.push_back(ClickThroughLoading());
  steps.push_back({"the prompt", [] { ASSERT_TRUE(TitleScreen->EnterName); }, nullptr});
  AddTyping(steps, u"heather");
  steps.push_back({"Enter on the name", [] { KeyAndChar(KEY_ENTER); },
                   [] { return !TitleScreen->EnterName; }});
  steps.push_back({"Heather is current and the typed h opened nothing", [this, &titleMusic] {
                     const std::string bytes = testrig::ReadFileBytes(Profiles() + "Heather.dat");
                     ASSERT_EQ(bytes.size(), 440u);
                     EXPECT_EQ(bytes.substr(0, 4), std::string("\xd6\x71\x3c\x00", 4));
                     EXPECT_NE(testrig::ReadFileBytes(settingsFile).find("PROFILE NAME=Heather"),
                               std::string::npos);
                     EXPECT_TRUE(UserFile("inichanged.dat"));
                     EXPECT_EQ(TitleScreen->Welcome->Text, u"Welcome, Heather");
                     EXPECT_EQ(Game->CurrentTScreen, TitleScreen);
                     EXPECT_EQ(Game->GameFade->Active, 0);
                     titleMusic = Game->MusicSample.get();
                   },
                   nullptr});
  steps.push_back({"Enter is play", [] { Key(KEY_ENTER); }, nullptr});
  steps.push_back(WaitFor("the introduction", BookScreen));
  steps.push_back({"its picture page", [] {
                     EXPECT_EQ(BookScreen->ShowTornado, 1);
                     EXPECT_EQ(BookScreen->TotalPages, 2);
                     EXPECT_EQ(BookScreen->TextPage, 0);
                     EXPECT_EQ(BookScreen->FinalDestination, LevelSelectScreen);
                   },
                   nullptr});
  steps.push_back(ClickAnywhere("to the text"));
  steps.push_back(ClickAnywhere("complete the page"));
  steps.push_back(ClickAnywhere("leave the book"));
  steps.push_back(WaitFor("the level map", LevelSelectScreen));
  steps.push_back({"the music never started again", [&titleMusic] {
                     EXPECT_EQ(Game->MusicSample.get(), titleMusic);
                     EXPECT_EQ(Game->MusicFileName, u"title.ogg");
                     EXPECT_EQ(Game->CurrentProfile->HintsShown[15], 0);
                   },
                   nullptr});
  steps.push_back({"Escape to the title", [] { Key(KEY_ESCAPE); }, nullptr});
  steps.push_back(WaitFor("the title", TitleScreen));
  steps.push_back({"Escape to end", [] { Key(KEY_ESCAPE); }, nullptr});
  EXPECT_EQ(RunSteps(steps), 0);
  EXPECT_TRUE(UserFile("GoodExit.dat"));
  EXPECT_FALSE(UserFile("ErrorLog.txt"));
  EXPECT_TRUE(errors.empty());

  // The second run greets Heather without asking.
  std::vector<Step> again;
  again.push_back(ClickThroughLoading());
  again.push_back({"greeted at once", [] {
                     EXPECT_FALSE(TitleScreen->EnterName);
                     ASSERT_TRUE(TitleScreen->Welcome);
                     EXPECT_EQ(TitleScreen->Welcome->Text, u"Welcome, Heather");
                     Key(KEY_ESCAPE);
                   },
                   nullptr});
  EXPECT_EQ(RunSteps(again), 0);
}

// A damaged profile or settings never stop the game: the level is kept in the game's range,
// and a settings name that cannot be a file gives way to the profile that exists.
TEST_F(StoryFlowTest, DamagedUserFoldersStillPlay) {
  struct Case {
    const char* what;
    std::string settingsName;
    int level;
    bool truncated;
    bool book;  // else the map
  };
  const std::vector<Case> cases = {
      {"level 0: the introduction", "Ann", 0, false, true},
      {"level 51: the map", "Ann", 51, false, false},
      {"level -7", "Ann", -7, false, true},
      {"level 2147483647", "Ann", 2147483647, false, false},
      {"a truncated profile starts afresh", "Ann", 9, true, true},
      {"no settings name", "", 9, false, false},
      {"a name with a path", "../x", 9, false, false},
      {"a name with a colon", "a:b", 9, false, false},
      {"the parent folder", "..", 9, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(userDir);
    WriteAnn(c.level, c.truncated);
    WriteSettings("PROFILE NAME=" + c.settingsName + "\r\n");
    std::vector<Step> steps;
    steps.push_back(ClickThroughLoading());
    steps.push_back({"play", [] { Key(KEY_ENTER); }, nullptr});
    steps.push_back({"led on", nullptr, [&c] {
                       const bool there = c.book ? Game->CurrentTScreen == BookScreen
                                                 : Game->CurrentTScreen == LevelSelectScreen;
                       return there && Game->GameFade->Active == 0;
                     }});
    steps.push_back({"Ann plays", [] {
                       EXPECT_EQ(Game->CurrentProfile->Name, u"Ann");
                       if (Game->CurrentTScreen == BookScreen) {
                         EXPECT_EQ(BookScreen->Chapter, 1);
                         EXPECT_EQ(BookScreen->SubLevel, 1);
                       }
                       Key(KEY_ESCAPE);
                     },
                     [] { return Game->CurrentTScreen == TitleScreen && Game->GameFade->Active == 0; }});
    steps.push_back({"Escape to end", [] { Key(KEY_ESCAPE); }, nullptr});
    EXPECT_EQ(RunSteps(steps), 0);
    EXPECT_TRUE(errors.empty());
    std::vector<std::string> files;
    for (const auto& e : fs::directory_iterator(Profiles())) files.push_back(e.path().filename().string());
    std::sort(files.begin(), files.end());
    const std::vector<std::string> expected =
        c.truncated ? std::vector<std::string>{"Ann.dat", "Ann.dat.bad"} : std::vector<std::string>{"Ann.dat"};
    EXPECT_EQ(files, expected);
    EXPECT_NE(testrig::ReadFileBytes(settingsFile).find("PROFILE NAME=Ann"), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(fs::path(userDir).parent_path() / "x.dat"));
}

}  // namespace
