// The whole profile flow through the real title screen: the first run's name prompt, the
// player chooser with its refusal, creation, question and deletion, and a clean exit.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "StartupFixture.h"
#include "core/TProfile.h"
#include "gfx/TBox.h"
#include "gfx/TColor.h"

namespace fs = std::filesystem;

namespace {

class ProfileFlowTest : public startuptest::StartupFixture {
 protected:
  std::string Profiles() const { return userDir + "profiles/"; }
  bool Exists(const std::string& name) const { return fs::exists(Profiles() + name + ".dat"); }
  std::set<std::string> Folder() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(Profiles())) names.insert(e.path().filename().string());
    return names;
  }
  static TPlayerManager& Chooser() { return *TitleScreen->PlayerManager; }
  static void ClickLine(int line) {
    const TListBox& list = *Chooser().ListBox;
    Click(static_cast<int>(list.Box->X + list.Box->W / 2),
          static_cast<int>(list.Box->Y) + line * list.LineHeight + list.LineHeight / 2);
  }
};

TEST_F(ProfileFlowTest, FirstNameThenChooseCreateRefuseDeleteAndLeave) {
  std::vector<Step> steps;
  steps.push_back(ClickThroughLoading());
  steps.push_back({"the prompt over the title", [] {
                     ASSERT_TRUE(TitleScreen->EnterName);
                     EXPECT_EQ(TitleScreen->EnterName->Active, 1);
                     EXPECT_EQ(Game->BlockKeys, 1);
                     EXPECT_FALSE(TitleScreen->EnterName->Menu->FindButton(u"Cancel"));
                     EXPECT_FALSE(TitleScreen->Welcome);
                   },
                   nullptr});
  AddTyping(steps, u"bob");
  steps.push_back({"Enter on the name", [] { KeyAndChar(KEY_ENTER); },
                   [] { return !TitleScreen->EnterName; }});
  steps.push_back({"Bob is current", [this] {
                     const std::string bytes = testrig::ReadFileBytes(Profiles() + "Bob.dat");
                     EXPECT_EQ(bytes.size(), 440u);
                     auto back = TProfile::Create(u"Bob");
                     EXPECT_EQ(back->Load(), 1);
                     EXPECT_EQ(back->CurrentLevel, 1);
                     EXPECT_EQ(back->LockedLevel, 2);
                     EXPECT_EQ(back->Lives, 3);
                     EXPECT_NE(testrig::ReadFileBytes(settingsFile).find("PROFILE NAME=Bob"), std::string::npos);
                     EXPECT_TRUE(UserFile("inichanged.dat"));
                     ASSERT_TRUE(TitleScreen->Welcome);
                     EXPECT_EQ(TitleScreen->Welcome->Text, u"Welcome, Bob");
                     EXPECT_EQ(Game->BlockKeys, 0);
                     ClickButton(*TitleScreen->Menu->FindButton(u"changeplayer"));
                   },
                   [] { return TitleScreen->PlayerManager != nullptr; }});
  steps.push_back({"the chooser lists Bob", [] {
                     EXPECT_EQ(Chooser().ListBox->Strings, std::vector<String>{u"Bob"});
                     EXPECT_EQ(Chooser().ListBox->Index, 0);
                     ClickButton(*Chooser().Menu->FindButton(u"Create"));
                   },
                   [] { return Chooser().EnterName != nullptr; }});
  AddTyping(steps, u"bob");
  steps.push_back({"an existing name", [] { KeyAndChar(KEY_ENTER); },
                   [] { return Chooser().EnterName->DialogOK != nullptr; }});
  steps.push_back({"the red box", [] {
                     const TDialogOK& box = *Chooser().EnterName->DialogOK;
                     EXPECT_EQ(box.Caption->Text, u"Error: a profile with this name already exists!");
                     EXPECT_EQ(box.Caption->Color->R, 255);
                     EXPECT_EQ(box.Caption->Color->G, 0);
                     Type(u'x');
                   },
                   nullptr});
  steps.push_back({"the box takes Enter", [] {
                     EXPECT_EQ(Chooser().EnterName->TextInput->Text, u"Bob");
                     KeyAndChar(KEY_ENTER);
                   },
                   [] { return Chooser().EnterName->DialogOK == nullptr; }});
  steps.push_back({"the prompt keeps Bob", [] { EXPECT_EQ(Chooser().EnterName->TextInput->Text, u"Bob"); },
                   nullptr});
  for (int i = 0; i < 3; ++i) steps.push_back({"Backspace", [] { KeyAndChar(8); }, nullptr});
  AddTyping(steps, u"ann");
  steps.push_back({"a new name", [] { KeyAndChar(KEY_ENTER); },
                   [] { return TitleScreen->PlayerManager == nullptr; }});
  steps.push_back({"Ann is current", [this] {
                     EXPECT_TRUE(Exists("Ann"));
                     EXPECT_EQ(Game->CurrentProfile->Name, u"Ann");
                     EXPECT_EQ(Game->ProfileName, u"Ann");
                     EXPECT_NE(testrig::ReadFileBytes(settingsFile).find("PROFILE NAME=Ann"), std::string::npos);
                     EXPECT_EQ(TitleScreen->Welcome->Text, u"Welcome, Ann");
                     ClickButton(*TitleScreen->Menu->FindButton(u"changeplayer"));
                   },
                   [] { return TitleScreen->PlayerManager != nullptr; }});
  steps.push_back({"choose Bob's line", [] {
                     EXPECT_EQ(Chooser().ListBox->Strings, (std::vector<String>{u"Ann", u"Bob"}));
                     ClickLine(1);
                   },
                   [] { return Chooser().ListBox->Index == 1; }});
  steps.push_back({"the Delete key", [] { Key(KEY_DELETE); },
                   [] { return Chooser().DialogYesNo != nullptr; }});
  steps.push_back({"N keeps it", [] {
                     EXPECT_EQ(Chooser().DialogYesNo->Caption->Text, u"Are you sure you want to delete this player?");
                     Key('N');
                   },
                   [] { return Chooser().DialogYesNo == nullptr; }});
  steps.push_back({"the Delete button", [this] {
                     EXPECT_TRUE(Exists("Ann"));
                     EXPECT_TRUE(Exists("Bob"));
                     ClickButton(*Chooser().Menu->FindButton(u"Delete"));
                   },
                   [] { return Chooser().DialogYesNo != nullptr; }});
  steps.push_back({"Y deletes", [] { Key('Y'); }, [] { return Chooser().DialogYesNo == nullptr; }});
  steps.push_back({"the last one cannot go", [this] {
                     EXPECT_FALSE(Exists("Bob"));
                     EXPECT_EQ(Chooser().ListBox->Value, u"Ann");
                     Key(KEY_DELETE);
                   },
                   [] { return Chooser().DialogOK != nullptr; }});
  steps.push_back({"Escape closes the box", [] {
                     EXPECT_EQ(Chooser().DialogOK->Caption->Text, u"The list must contain at least one player!");
                     KeyAndChar(KEY_ESCAPE);
                   },
                   [] { return Chooser().DialogOK == nullptr; }});
  steps.push_back({"Escape closes the chooser", [] {
                     EXPECT_EQ(Chooser().Active, 1);
                     KeyAndChar(KEY_ESCAPE);
                   },
                   [] { return TitleScreen->PlayerManager == nullptr; }});
  steps.push_back({"Escape ends the game", [] {
                     EXPECT_EQ(Game->CurrentProfile->Name, u"Ann");
                     EXPECT_EQ(Game->IgnoreEscapeKey, 0);
                     KeyAndChar(KEY_ESCAPE);
                   },
                   [] { return false; }});
  EXPECT_EQ(RunSteps(steps), 0);
  EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors.front());
  EXPECT_TRUE(UserFile("GoodExit.dat"));
  EXPECT_FALSE(UserFile("ErrorLog.txt"));
  EXPECT_EQ(Folder(), std::set<std::string>{"Ann.dat"});
}

}  // namespace
