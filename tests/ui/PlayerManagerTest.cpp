// The profile chooser with the game's own hooks over a temporary profiles folder: the list,
// choosing, creating and deleting, and the sub-dialogs that take all input while open.
#include <filesystem>
#include <string>
#include <vector>

#include "UiFixture.h"
#include "core/Input.h"
#include "core/TGameSound.h"
#include "core/TProfile.h"
#include "gfx/TBox.h"
#include "gfx/TColor.h"
#include "platform/FileSystem.h"
#include "screens/DialogFunctions.h"
#include "text/TLabel.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogTextInput.h"
#include "ui/TDialogYesNo.h"
#include "ui/TListBox.h"
#include "ui/TMenu.h"
#include "ui/TPlayerManager.h"
#include "ui/TTextInput.h"

using namespace uitest;
namespace fs = std::filesystem;

namespace {

class PlayerManagerTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Sound("buttonMO");
    Sound("buttonclick");
    for (const char* name : {"OK", "OK2", "Create", "Delete", "Cancel", "Yes", "No"}) {
      Picture("menus", name, 100, 50, kRed);
      Picture("menus", std::string(name) + "MO", 100, 50, kGreen);
    }
    Picture("images", "chooseplayer", 600, 530, kBlue);
    Picture("images", "whatisyourname", 450, 340, kBlue);
    profiles = dir + "/profiles/";
    fs::create_directories(profiles);
    Game->ProfilePath = S(profiles);
    listClick = std::make_shared<TGameSound>();
    listClick->name = u"LISTCLICK";
  }

  void Profiles(const std::vector<std::string>& names) {
    for (const std::string& name : names) TProfile::Create(S(name))->Save();
  }
  void Current(const std::string& name) {
    Game->CurrentProfile = TProfile::Create(S(name));
    Game->ProfileName = S(name);
  }
  bool Exists(const std::string& name) const { return fs::exists(profiles + name + ".dat"); }

  // Set up as the title screen sets its chooser up.
  void Open() {
    if (m) m->Kill();  // an owner drops the last one first
    m = TPlayerManager::Create(u"Choose Player",
                               platform::LoadImage(S(dir + "/images/chooseplayer.png")), 0, 0, 0, 6, u"");
    m->DrawHighlight = 0;
    m->DimWhenShowingDialogs = 1;
    m->BoxBorderH = 150;
    m->BoxBorderV = 50;
    m->ListBox->SetupFont(nullptr, TColor::Create(255, 255, 255), nullptr, nullptr, nullptr);
    m->ListBox->Centred = 1;
    m->ListBox->ClickSound = listClick;
    m->ErrorDialogFunc = ErrorDialog;
    m->DialogYesNoFunc = MakeDialogYesNo;
    m->EnterNamePromptFunc = EnterNamePrompt;
    m->CreateProfileFunc = CreateProfile;
    m->Start();
  }

  int Tick() {
    NewTick();
    return m->Manage();
  }
  int ClickButton(const TDialog& on, const char16_t* name) {
    const TButtonPtr b = on.Menu->FindButton(name);
    EXPECT_TRUE(b) << platform::ToUtf8(name);
    if (!b) return 0;
    PointerAt(static_cast<int>(b->x) + 10, static_cast<int>(b->y) + 10);
    NewTick();
    Press();
    const int r = m->Manage();
    Release();
    return r;
  }
  int ClickLine(int line) {
    const auto& box = m->ListBox->Box;
    PointerAt(static_cast<int>(box->X) + 5,
              static_cast<int>(box->Y) + line * m->ListBox->LineHeight + m->ListBox->LineHeight / 2);
    NewTick();
    Press();
    const int r = m->Manage();
    Release();
    return r;
  }
  int Hit(int vk) {
    Key(vk);
    return Tick();
  }
  std::string Settings() { return testrig::ReadFileBytes(dir + "/LanternVale.ini"); }

  std::string profiles;
  std::shared_ptr<TGameSound> listClick;
  TPlayerManagerPtr m;
};

TEST_F(PlayerManagerTest, ListsDatFilesInNameOrderAndLaysOutTheChooser) {
  Profiles({"Carl", "Bob"});
  for (const char* other : {"Ann.DAT", "notes.txt", ".dat", "a.b.dat"}) {
    testrig::WriteFileBytes(profiles + other, "x");
  }
  Current("Carl");
  Open();
  EXPECT_EQ(m->ListBox->Strings, (std::vector<String>{u"Bob", u"Carl", u"a.b"}));
  EXPECT_EQ(m->ListBox->Index, 1);
  EXPECT_EQ(m->ListBox->Limit, 6);
  EXPECT_EQ(m->x, 100);
  EXPECT_EQ(m->y, 35);
  const auto& box = m->ListBox->Box;
  EXPECT_EQ(box->X, 250);
  EXPECT_EQ(box->W, 300);
  const TButtonPtr ok = m->Menu->FindButton(u"OK");
  EXPECT_EQ(ok->y, 35 + 530 - 50 - 20);
  EXPECT_EQ(m->Menu->FindButton(u"Create")->x, ok->x + 110);
  EXPECT_EQ(m->Menu->FindButton(u"Cancel")->x, ok->x + 330);
  // The list stands centred between the caption's bottom and the buttons' top.
  const float top = m->Caption->Y + m->Caption->H;
  EXPECT_NEAR(box->Y - top, ok->y - (box->Y + box->H), 1.0f);
  EXPECT_EQ(static_cast<int>(box->H) % m->ListBox->LineHeight, 0);
}

TEST_F(PlayerManagerTest, CreateIsRefusedWhenFullAndSubDialogsTakeAllInput) {
  Profiles({"A1", "A2", "A3", "A4", "A5", "A6"});
  Current("A1");
  Open();
  EXPECT_EQ(ClickButton(*m, u"Create"), 0);
  ASSERT_TRUE(m->DialogOK);
  EXPECT_EQ(m->DialogOK->Caption->Text, u"You cannot create any more players!");
  EXPECT_FALSE(m->EnterName);
  // The manager's own buttons and list take nothing while the box is open.
  EXPECT_EQ(ClickButton(*m, u"Delete"), 0);
  EXPECT_EQ(ClickLine(3), 0);
  EXPECT_EQ(m->ListBox->Index, 0);
  EXPECT_FALSE(m->DialogYesNo);
  // Enter closes the box; the manager's own OK (also an Enter button) is not pressed.
  EXPECT_EQ(Hit(KEY_ENTER), 0);
  EXPECT_FALSE(m->DialogOK);
  EXPECT_EQ(m->Active, 1);
  EXPECT_EQ(Game->IgnoreEscapeKey, 1);  // still the manager's
  EXPECT_EQ(m->Menu->ClickedName, u"");

  fs::remove(profiles + "A6.dat");
  Open();
  EXPECT_EQ(ClickButton(*m, u"Create"), 0);
  ASSERT_TRUE(m->EnterName);
  EXPECT_TRUE(m->EnterName->Menu->FindButton(u"Cancel"));
  EXPECT_EQ(m->EnterName->TextInput->UppercaseFirstCharAsTyped, 1);
  // The prompt's Cancel, clicked: closed, nothing pressed under it, nothing created.
  EXPECT_EQ(ClickButton(*m->EnterName, u"Cancel"), 0);
  EXPECT_FALSE(m->EnterName);
  EXPECT_EQ(m->Active, 1);
  EXPECT_EQ(m->Menu->ClickedName, u"");

  // A new name: created, current, and the chooser closes at once with 1.
  ClickButton(*m, u"Create");
  for (char16_t c : String(u"zed")) {
    Type(c);
    EXPECT_EQ(Tick(), 0);
  }
  Key(KEY_ENTER, 13);
  EXPECT_EQ(Tick(), 1);
  EXPECT_TRUE(Exists("Zed"));
  EXPECT_EQ(Game->CurrentProfile->Name, u"Zed");
  EXPECT_NE(Settings().find("PROFILE NAME=Zed"), std::string::npos);
  EXPECT_EQ(Game->BlockKeys, 0);
}

TEST_F(PlayerManagerTest, DeleteAsksFirstAndKeepsTheSelectionInPlace) {
  Profiles({"Solo"});
  Current("Solo");
  Open();
  EXPECT_EQ(Hit(KEY_DELETE), 0);
  ASSERT_TRUE(m->DialogOK);
  EXPECT_EQ(m->DialogOK->Caption->Text, u"The list must contain at least one player!");
  Hit(KEY_ESCAPE);
  EXPECT_FALSE(m->DialogOK);
  EXPECT_EQ(m->Active, 1);  // the Escape that closed the box did not close the manager
  EXPECT_TRUE(Exists("Solo"));

  Profiles({"Ann", "Bob", "Cy"});
  Open();
  ClickLine(3);  // Solo, the last line
  ASSERT_EQ(m->ListBox->Value, u"Solo");
  EXPECT_EQ(Hit(KEY_DELETE), 0);
  ASSERT_TRUE(m->DialogYesNo);
  EXPECT_EQ(m->DialogYesNo->Caption->Text, u"Are you sure you want to delete this player?");
  EXPECT_EQ(Hit('N'), 0);
  EXPECT_TRUE(Exists("Solo"));
  ClickButton(*m, u"Delete");
  EXPECT_EQ(ClickButton(*m->DialogYesNo, u"Yes"), 0);
  EXPECT_FALSE(Exists("Solo"));
  EXPECT_EQ(m->ListBox->Value, u"Cy");  // the new last line
  ClickLine(0);
  ClickButton(*m, u"Delete");
  EXPECT_EQ(Hit('Y'), 0);
  EXPECT_FALSE(Exists("Ann"));
  EXPECT_EQ(m->ListBox->Value, u"Bob");  // the new first line
  EXPECT_EQ(m->ListBox->Strings, (std::vector<String>{u"Bob", u"Cy"}));
  EXPECT_EQ(Game->CurrentProfile->Name, u"Solo");  // not changed by deleting

  // The current profile is gone: Escape makes the first listed one current.
  channels->played.clear();
  EXPECT_EQ(Hit(KEY_ESCAPE), -1);
  EXPECT_EQ(channels->Count(u"BUTTONCLICK"), 1);
  EXPECT_EQ(Game->CurrentProfile->Name, u"Bob");
  EXPECT_NE(Settings().find("PROFILE NAME=Bob"), std::string::npos);
  EXPECT_EQ(m->Active, 0);
  EXPECT_EQ(Game->IgnoreEscapeKey, 0);
}

TEST_F(PlayerManagerTest, ChoosingMakesAFreshCurrentProfile) {
  Profiles({"Ann", "Bob", "Cy"});
  auto ann = TProfile::Create(u"Ann");
  ann->CurrentLevel = 7;
  ann->Save();
  Game->CurrentProfile = ann;
  Game->ProfileName = u"Ann";
  Open();
  EXPECT_EQ(m->ListBox->Index, 0);
  // OK with a line whose file has vanished meanwhile: a new player's file, not Ann's progress.
  fs::remove(profiles + "Bob.dat");
  ClickLine(1);
  EXPECT_EQ(ClickButton(*m, u"OK"), 1);
  EXPECT_EQ(Game->CurrentProfile->Name, u"Bob");
  EXPECT_NE(Game->CurrentProfile, ann);
  auto bob = TProfile::Create(u"Bob");
  EXPECT_EQ(bob->Load(), 1);
  EXPECT_EQ(bob->CurrentLevel, 1);
  EXPECT_NE(Settings().find("PROFILE NAME=Bob"), std::string::npos);
  EXPECT_TRUE(fs::exists(dir + "/inichanged.dat"));

  // A double click chooses at once, with the OK button's click.
  Open();
  channels->played.clear();
  EXPECT_EQ(ClickLine(2), 0);
  EXPECT_EQ(ClickLine(2), 1);
  EXPECT_EQ(channels->Count(u"LISTCLICK"), 1);
  EXPECT_EQ(channels->Count(u"BUTTONCLICK"), 1);
  EXPECT_EQ(Game->CurrentProfile->Name, u"Cy");

  // The current profile deleted, then OK on another: that one is current.
  Open();
  ClickButton(*m, u"Delete");
  Hit('Y');
  EXPECT_FALSE(Exists("Cy"));
  ClickLine(0);
  EXPECT_EQ(Hit(KEY_ENTER), 1);
  EXPECT_EQ(Game->CurrentProfile->Name, u"Ann");

  // An empty folder: Cancel keeps the current profile; OK with nothing chosen does nothing.
  fs::remove(profiles + "Ann.dat");
  fs::remove(profiles + "Bob.dat");
  Open();
  EXPECT_EQ(ClickButton(*m, u"OK"), 0);
  EXPECT_EQ(m->Active, 1);
  EXPECT_EQ(ClickButton(*m, u"Cancel"), -1);
  EXPECT_EQ(Game->CurrentProfile->Name, u"Ann");
  m->Kill();
  EXPECT_EQ(m->Draw(), 0);
  EXPECT_EQ(m->Manage(), 0);
}

}  // namespace
