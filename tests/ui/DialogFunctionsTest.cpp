// The game's dialog makers and profile hooks over a temporary profiles folder.
#include <filesystem>

#include "UiFixture.h"
#include "core/TProfile.h"
#include "gfx/TColor.h"
#include "platform/FileSystem.h"
#include "screens/DialogFunctions.h"
#include "support/FrameworkState.h"
#include "text/TLabel.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogYesNo.h"
#include "ui/TMenu.h"

using namespace uitest;
namespace fs = std::filesystem;

namespace {

class DialogFunctionsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Sound("buttonMO");
    Sound("buttonclick");
    for (const char* name : {"OK", "Yes", "No"}) {
      Picture("menus", name, 100, 50, kRed);
      Picture("menus", std::string(name) + "MO", 100, 50, kGreen);
    }
    profiles = dir + "/profiles/";
    fs::create_directories(profiles);
    Game->ProfilePath = S(profiles);
  }
  std::string profiles;
};

TEST_F(DialogFunctionsTest, OkButtonErrorBoxAndQuestionHaveTheGamesLook) {
  auto menu = TMenu::Create(u"buttonMO", u"buttonclick", 0, 0, 10);
  EXPECT_EQ(OKButtonCreate(menu), 0);
  const TButtonPtr ok = menu->FindButton(u"OK");
  ASSERT_TRUE(ok);
  EXPECT_EQ(ok->y, 535.0f);
  EXPECT_EQ(ok->x, 350.0f);
  EXPECT_EQ(ok->OKButton, 1);

  Game->IgnoreEscapeKey = 0;
  auto error = ErrorDialog(u"Something went wrong");
  EXPECT_EQ(error->Active, 1);
  EXPECT_EQ(Game->IgnoreEscapeKey, 1);
  EXPECT_EQ(error->Caption->Text, u"Something went wrong");
  ASSERT_TRUE(error->Caption->Color);
  EXPECT_EQ(error->Caption->Color->R, 255);
  EXPECT_EQ(error->Caption->Color->G, 0);
  EXPECT_FLOAT_EQ(error->Caption->Shadow->Alpha, 0.6f);
  EXPECT_FLOAT_EQ(error->Shadow->X, 3.0f);
  EXPECT_FLOAT_EQ(error->Shadow->Alpha, 0.4f);

  auto question = MakeDialogYesNo(u"Sure?");
  EXPECT_EQ(question->Active, 1);
  EXPECT_EQ(question->Caption->Color->G, 255);
  EXPECT_EQ(question->ButtonGap, 50);
  EXPECT_EQ(question->Menu->FindButton(u"No")->x, question->Menu->FindButton(u"Yes")->x + 150);
}

TEST_F(DialogFunctionsTest, CheckPlayerNameTestsExistenceOnlyAndCreateProfileRecordsTheName) {
  String message = u"stale";
  EXPECT_EQ(CheckPlayerName(u"Tess", message), 1);
  EXPECT_EQ(message, u"");

  EXPECT_EQ(CreateProfile(u"Tess"), 0);
  const std::string bytes = testrig::ReadFileBytes(profiles + "Tess.dat");
  ASSERT_EQ(bytes.size(), 440u);
  uint32_t first = 0;
  for (int i = 3; i >= 0; --i) first = (first << 8) | static_cast<uint8_t>(bytes[static_cast<size_t>(i)]);
  EXPECT_EQ(first, 1u + TProfile::CURRENT_LEVEL_OFFSET);
  EXPECT_EQ(Game->ProfileName, u"Tess");
  ASSERT_TRUE(Game->CurrentProfile);
  EXPECT_EQ(Game->CurrentProfile->Name, u"Tess");
  EXPECT_NE(testrig::ReadFileBytes(dir + "/LanternVale.ini").find("PROFILE NAME=Tess"), std::string::npos);
  EXPECT_TRUE(fs::exists(dir + "/inichanged.dat"));

  // Existing in any case, also read-only; names that cannot be a file are refused too.
  fs::permissions(profiles + "Tess.dat", fs::perms::owner_read);
  for (const char16_t* name : {u"Tess", u"tess", u"TESS"}) {
    EXPECT_EQ(CheckPlayerName(name, message), -1);
    EXPECT_EQ(message, u"Error: a profile with this name already exists!");
  }
  EXPECT_EQ(testrig::ReadFileBytes(profiles + "Tess.dat"), bytes);
  for (const char16_t* name : {u".", u".."}) {
    EXPECT_EQ(CheckPlayerName(name, message), -1);
    EXPECT_EQ(message, u"Error: this name cannot be used!");
  }
}

}  // namespace
