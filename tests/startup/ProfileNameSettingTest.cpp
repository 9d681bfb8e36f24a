// The settings' profile name is the player's to edit: whatever it holds, the profile the game
// makes current stays inside the profiles folder, and the chooser lists only profile files.
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "StartupFixture.h"
#include "core/TProfile.h"
#include "support/ProfileFiles.h"

namespace fs = std::filesystem;

namespace {

class ProfileNameSettingTest : public startuptest::StartupFixture,
                               public ::testing::WithParamInterface<const char*> {
 protected:
  // Every file of the temporary data home lies in the user folder or its profiles folder.
  std::vector<std::string> StrayFiles() const {
    std::vector<std::string> stray;
    for (const auto& e : fs::recursive_directory_iterator(xdg)) {
      if (!e.is_regular_file()) continue;
      const fs::path parent = e.path().parent_path();
      if (parent != fs::path(userDir).parent_path() && parent != fs::path(userDir + "profiles")) {
        stray.push_back(e.path().string());
      }
    }
    return stray;
  }
};

TEST_P(ProfileNameSettingTest, AnUnusableNameGivesWayToTheFirstProfile) {
  testrig::WriteProfileFile(userDir + "profiles/", "Ann");
  WriteSettings(std::string("FADE=0\nPROFILE NAME=") + GetParam() + "\n");
  String current;
  const int code = RunSteps({ClickThroughLoading(), {"title", [&] {
                                                       current = Game->CurrentProfile->Name;
                                                       Key(KEY_ESCAPE);
                                                     },
                                                     [] { return false; }}});
  EXPECT_EQ(code, 0);
  EXPECT_EQ(current, u"Ann");
  EXPECT_NE(testrig::ReadFileBytes(settingsFile).find("PROFILE NAME=Ann"), std::string::npos);
  EXPECT_EQ(StrayFiles(), std::vector<std::string>{});
  EXPECT_FALSE(UserFile("ErrorLog.txt"));
}

INSTANTIATE_TEST_SUITE_P(Names, ProfileNameSettingTest,
                         ::testing::Values("", "..", "../../outside", "a/b", "x\\y", "a:b",
                                           // Control characters, which no one can type.
                                           "tab\there", "A\x01" "b", "esc\x1b" "x", "del\x7f",
                                           "c1\x85" "x"));

class ProfileFolderTest : public startuptest::StartupFixture {
 protected:
  // A start that opens Choose Player from the title and leaves: the names it listed, and the
  // game's exit code. `inChooser` runs while the list shows.
  int ListedPlayers(std::vector<String>& listed, const std::function<void()>& inChooser = {}) {
    return RunSteps(
        {ClickThroughLoading(),
         {"title", [] { ClickButton(*TitleScreen->Menu->FindButton(u"changeplayer")); },
          [] { return TitleScreen->PlayerManager != nullptr; }},
         {"chooser", [&] {
            listed = TitleScreen->PlayerManager->ListBox->Strings;
            if (inChooser) inChooser();
            KeyAndChar(KEY_ESCAPE);
          },
          [] { return TitleScreen->PlayerManager == nullptr; }},
         {"leave", [] { KeyAndChar(KEY_ESCAPE); }, [] { return false; }}});
  }
};

TEST_F(ProfileFolderTest, AValidNameWithoutAFileGetsAFreshOneAndTheListShowsProfilesOnly) {
  for (const char* name : {"Bob.DAT", "notes.txt", ".dat", "a.b.dat"}) {
    testrig::WriteFileBytes(userDir + "profiles/" + name, "x");
  }
  testrig::WriteProfileFile(userDir + "profiles/", "Carl");
  WriteSettings("FADE=0\nPROFILE NAME=Zed\n");
  std::vector<String> listed;
  const int code =
      ListedPlayers(listed, [] { EXPECT_EQ(TitleScreen->Welcome->Text, u"Welcome, Zed"); });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(testrig::ReadFileBytes(userDir + "profiles/Zed.dat").size(), 440u);
  EXPECT_EQ(listed, (std::vector<String>{u"Carl", u"Zed", u"a.b"}));
}

TEST_F(ProfileFolderTest, FoldersAndFifosNamedAsProfilesAreNoPlayers) {
  testrig::WriteProfileFile(userDir + "profiles/", "Carl");
  fs::create_directories(userDir + "profiles/Dir.dat");
  ASSERT_EQ(::mkfifo((userDir + "profiles/Pipe.dat").c_str(), 0600), 0);
  WriteSettings("FADE=0\nPROFILE NAME=Carl\n");
  std::vector<String> listed;
  const int code = ListedPlayers(listed);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(listed, std::vector<String>{u"Carl"});
  EXPECT_TRUE(fs::is_directory(userDir + "profiles/Dir.dat"));
  EXPECT_TRUE(fs::is_fifo(userDir + "profiles/Pipe.dat"));
}

}  // namespace
