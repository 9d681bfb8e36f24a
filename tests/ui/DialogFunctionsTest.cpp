// The game's dialog makers and profile hooks over a temporary profiles folder.
#include <sys/stat.h>

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
#include "ui/TDialogTextInput.h"
#include "ui/TMenu.h"
#include "ui/TTextInput.h"
#include "core/ErrorPath.h"
#include "core/Input.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "core/Globals.h"
#include "support/TestRig.h"

using namespace uitest;
namespace fs = std::filesystem;

namespace {

class DialogFunctionsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Sound("buttonMO");
    Sound("buttonclick");
    for (const char* name : {"OK", "Yes", "No", "OK2", "Cancel"}) {
      Picture("menus", name, 100, 50, kRed);
      Picture("menus", std::string(name) + "MO", 100, 50, kGreen);
    }
    profiles = dir + "/profiles/";
    fs::create_directories(profiles);
    Game->ProfilePath = S(profiles);
    Picture("images", "whatisyourname", 450, 340, kBlue);
  }

  // A plain prompt laid out by the dialog's own rules (no background, built-in font).
  TDialogTextInputPtr Plain(int cancel) {
    auto d = TDialogTextInput::Create(u"Name?", u"", 12, nullptr, 0, 0, 0, 0, u"");
    d->MenuCreate(cancel, 20);
    d->SetupCaption(nullptr, TColor::Create(0, 255, 0), nullptr, nullptr);
    d->SetupText(nullptr, TColor::Create(255, 255, 255), nullptr, 0, nullptr);
    return d;
  }
  int TypeAndManage(TDialogTextInput& d, const String& text) {
    int r = 0;
    for (char16_t c : text) {
      Type(c);
      r = d.Manage();
    }
    return r;
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

// Red and white captions alike read at least 4.5:1 against their box as it is drawn.
TEST_F(DialogFunctionsTest, ErrorBoxAndQuestionCaptionsStandOutFromTheirBox) {
  OpenDisplay();
  const std::vector<std::shared_ptr<TDialog>> boxes = {ErrorDialog(u"Error: a name in use!"),
                                                       MakeDialogYesNo(u"Are you sure?")};
  for (const auto& d : boxes) {
    SCOPED_TRACE(platform::ToUtf8(d->Caption->Text));
    const auto frame = [&] {
      platform::SetClsColor(120, 90, 60);
      platform::Cls();
      d->Draw();
      return platform::GrabPixmap(0, 0, 800, 600);
    };
    const platform::PixmapPtr with = frame();
    const String text = d->Caption->Text;
    d->Caption->Text.clear();
    const platform::PixmapPtr without = frame();
    d->Caption->Text = text;
    const testrig::DrawnChange k = testrig::CompareFrames(*with, *without);
    ASSERT_GT(k.count, 20);
    EXPECT_GE(k.contrast, 4.5);
  }
}

// The error box over the name prompt leaves the prompt's question and the typed name in view.
TEST_F(DialogFunctionsTest, ErrorBoxStandsBelowTheNamePromptsName) {
  CreateProfile(u"Bob");
  auto prompt = EnterNamePrompt(1);
  prompt->Start();
  EXPECT_EQ(TypeAndManage(*prompt, u"bob\r"), 0);
  ASSERT_TRUE(prompt->DialogOK);
  const TDialog& error = *prompt->DialogOK;
  const float nameBottom = prompt->Text->Y + prompt->Text->H + static_cast<float>(prompt->BoxBorderV);
  EXPECT_GE(static_cast<float>(error.y), nameBottom);
  EXPECT_LE(error.y + error.h, ScreenHeight);
  EXPECT_EQ(error.x, (ScreenWidth - error.w) / 2);
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

// Only a regular file is a player's, in the list and in the name check alike: a FIFO or a
// folder under the name is no player, and making the player sets it aside.
TEST_F(DialogFunctionsTest, AFifoOrAFolderWhereAPlayersFileBelongsLeavesTheNameFree) {
  fs::create_directories(profiles);
  ASSERT_EQ(::mkfifo((profiles + "Glen.dat").c_str(), 0600), 0);
  fs::create_directory(profiles + "Moss.dat");
  for (const char16_t* name : {u"Glen", u"Moss"}) {
    SCOPED_TRACE(platform::ToUtf8(name));
    const std::string path = profiles + platform::ToUtf8(name) + ".dat";
    const fs::file_type odd = fs::symlink_status(path).type();
    String message = u"stale";
    EXPECT_EQ(CheckPlayerName(name, message), 1) << platform::ToUtf8(message);
    EXPECT_EQ(message, u"");
    EXPECT_EQ(CreateProfile(name), 0);
    EXPECT_TRUE(fs::is_regular_file(path));
    EXPECT_EQ(testrig::ReadFileBytes(path).size(), 440u);
    EXPECT_EQ(fs::symlink_status(path + ".bad").type(), odd) << "not set aside";
    EXPECT_EQ(CheckPlayerName(name, message), -1);
  }
}

}  // namespace

namespace {

TEST_F(DialogFunctionsTest, TextInputDialogAcceptsCancelsAndKeepsTheKeysBlockedWhileTyping) {
  for (int upper : {1, 0}) {
    auto d = Plain(0);
    d->UppercaseFirstChar = upper;
    d->Start();
    EXPECT_EQ(Game->BlockKeys, 1);
    EXPECT_EQ(TypeAndManage(*d, u"ann lee"), 0);
    EXPECT_EQ(TypeAndManage(*d, u"\x1b"), 0);  // no Cancel: Escape does nothing
    EXPECT_EQ(d->Active, 1);
    EXPECT_EQ(TypeAndManage(*d, u"\r"), 1);
    EXPECT_EQ(d->TextInput->Text, upper ? u"Ann lee" : u"ann lee");
    EXPECT_EQ(Game->BlockKeys, 0);
    EXPECT_EQ(Game->IgnoreEscapeKey, 0);
    EXPECT_EQ(d->Manage(), 0);
  }

  // With Cancel, Escape cancels with the OK button's click sound; Space only ever types.
  auto c = Plain(1);
  c->Start();
  EXPECT_EQ(c->Menu->FindButton(u"Cancel")->x, c->Menu->FindButton(u"OK")->x + 100 + 20);
  EXPECT_EQ(TypeAndManage(*c, u" "), 0);
  EXPECT_EQ(c->TextInput->Text, u" ");
  channels->played.clear();
  EXPECT_EQ(TypeAndManage(*c, u"\x1b"), -1);
  EXPECT_EQ(channels->Count(u"BUTTONCLICK"), 1);

  // Escape reaching the dialog as a key alone (no character) takes the Cancel button's way.
  auto k = Plain(1);
  k->Start();
  channels->played.clear();
  Key(KEY_ESCAPE);
  EXPECT_EQ(k->Manage(), -1);
  EXPECT_EQ(channels->Count(u"BUTTONCLICK"), 1);

  // The strip behind the line: the box's width less 20, the text's height plus 10.
  auto drawn = Plain(0);
  drawn->Start();
  OpenDisplay();
  drawn->Draw();
  const int mid = static_cast<int>(drawn->Text->Y + drawn->Text->H / 2);
  int black = 0;
  for (int px = drawn->x; px < drawn->x + drawn->w; ++px) black += PixelAt(px, mid) == kBlack ? 1 : 0;
  EXPECT_EQ(black, drawn->w - 20);
  int tall = 0;
  for (int py = drawn->y; py < drawn->y + drawn->h; ++py) tall += PixelAt(drawn->x + 12, py) == kBlack ? 1 : 0;
  EXPECT_EQ(tall, static_cast<int>(drawn->Text->H) + 10);

  // Dropped while typing: keys and Escape come back as they were.
  Game->IgnoreEscapeKey = 0;
  auto dropped = Plain(1);
  dropped->Start();
  TypeAndManage(*dropped, u"ab");
  dropped->Kill();
  EXPECT_EQ(Game->BlockKeys, 0);
  EXPECT_EQ(Game->IgnoreEscapeKey, 0);
}

TEST_F(DialogFunctionsTest, NamePromptLayoutAndItsRefusals) {
  platform::SetImageFont(nullptr);
  const int th = platform::TextHeight(u"");
  auto alone = EnterNamePrompt(0);
  EXPECT_EQ(alone->Active, 0);  // the caller starts it
  EXPECT_EQ(alone->Menu->Count(), 1);
  EXPECT_FALSE(alone->Menu->FindButton(u"Cancel"));
  EXPECT_EQ(alone->TextInput->AllowEscToAbort, 0);
  EXPECT_EQ(alone->TextInput->MaxLength, 12);
  EXPECT_EQ(alone->TextInput->BannedChars, u"\"|*\\/:;~?<>,+=%");
  EXPECT_EQ(alone->w, 450);
  EXPECT_EQ(alone->x, 175);
  EXPECT_EQ(alone->MenuOY, 418);
  EXPECT_EQ(alone->TextOX, 175 + 10 + 10 + 46);
  EXPECT_EQ(alone->TextOY, 130 + 20 + th + 38 + 125);
  EXPECT_EQ(alone->TextInput->X, alone->TextOX);
  EXPECT_EQ(alone->BoxBorderH, 50);
  EXPECT_EQ(alone->DrawHighlight, 0);
  EXPECT_FLOAT_EQ(alone->BoxColor->Alpha, 0.3f);
  EXPECT_EQ(alone->Menu->FindButton(u"OK")->image->name, u"OK2");
  alone->Start();
  EXPECT_EQ(alone->Menu->FindButton(u"OK")->y, 418.0f);
  alone->Kill();

  auto both = EnterNamePrompt(1);
  EXPECT_EQ(both->Menu->FindButton(u"Cancel")->x, both->Menu->FindButton(u"OK")->x + 100 + 20);
  EXPECT_EQ(both->MenuOX, static_cast<int>(both->Menu->FindButton(u"OK")->x));

  // An existing name (in another case): the red box over the prompt, typing frozen meanwhile,
  // the name kept with its capital, typing again once the box is closed.
  CreateProfile(u"Bob");
  both->Start();
  EXPECT_EQ(TypeAndManage(*both, u"bob\r"), 0);
  ASSERT_TRUE(both->DialogOK);
  EXPECT_EQ(both->DialogOK->Caption->Text, u"Error: a profile with this name already exists!");
  EXPECT_EQ(both->DialogOK->ReenableEscapeKey, 0);
  EXPECT_EQ(Game->BlockKeys, 1);
  EXPECT_EQ(TypeAndManage(*both, u"x"), 0);
  EXPECT_EQ(both->TextInput->Text, u"Bob");
  EXPECT_EQ(TypeAndManage(*both, u"\r"), 0);  // closes the box only
  EXPECT_FALSE(both->DialogOK);
  EXPECT_EQ(both->Active, 1);
  EXPECT_EQ(TypeAndManage(*both, u"\b\b\bann\r"), 1);
  EXPECT_EQ(both->TextInput->Text, u"Ann");

  // Without an error-box hook the blocking box stands in, and typing resumes after it.
  OpenDisplay();
  std::vector<String> shown;
  SetErrorBoxHook([&](const String& m) {
    shown.push_back(m);
    return true;
  });
  auto bare = EnterNamePrompt(0);
  bare->ErrorDialogFunc = nullptr;
  bare->Start();
  EXPECT_EQ(TypeAndManage(*bare, u"..\r"), 0);
  SetErrorBoxHook(nullptr);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], u"Error: this name cannot be used!");
  EXPECT_EQ(bare->TextInput->Active, 1);
  EXPECT_EQ(TypeAndManage(*bare, u"\b\bZoe\r"), 1);
  bare->Kill();
  EXPECT_EQ(Game->BlockKeys, 0);
}

}  // namespace
