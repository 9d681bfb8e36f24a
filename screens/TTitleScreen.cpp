#include "screens/TTitleScreen.h"

#include <vector>

#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/Input.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TProfile.h"
#include "core/TSoundBank.h"
#include "gfx/TColor.h"
#include "platform/FileSystem.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "screens/DialogFunctions.h"
#include "text/GameFonts.h"
#include "text/TLabel.h"
#include "text/TShadow.h"
#include "text/TextDrawing.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogTextInput.h"
#include "ui/TDialogYesNo.h"
#include "ui/TListBox.h"
#include "ui/TLoadingScreen.h"
#include "ui/TMenu.h"
#include "ui/TPlayerManager.h"
#include "ui/TTextInput.h"

std::shared_ptr<TTitleScreen> TitleScreen;

namespace {

// A settings name that may become a profile file inside the profiles folder.
bool UsableProfileName(const String& name) {
  return TProfile::ValidName(name) &&
         name.find_first_of(TTextInput::FileNameUnsafeChars) == String::npos;
}

}  // namespace

TTitleScreen::TTitleScreen() = default;
TTitleScreen::~TTitleScreen() = default;

int TTitleScreen::SpecialLoad(int startup, int music) {
  name = u"title";
  if (startup == 0) Game->LoadingScreen->DrawLoading(1);
  if (music == 1) Game->MusicLoad(u"title.ogg", 1);
  ImageLoad(u"title.jpg", 0, 1);
  Menu = TMenu::Create(u"buttonMO", u"buttonclick", 0.0f, 0.0f, 10);
  Menu->AddQuick(u"changeplayer", String())->MoveTo(-15.0f, 150.0f);
  Game->FadeMusic = 1;
  if (startup == 1) PromptForName();
  return 0;
}

int TTitleScreen::PromptForName() {
  const String& folder = Game->ProfilePath;
  const platform::DirPtr listing = platform::ReadDir(folder);
  if (!listing) {
    ccRunTimeError(u"Failed to read directory '" + folder + u"'", 1);
    return 0;
  }
  platform::CloseDir(listing);
  // Name order, so "the first profile" is the same on every run and system.
  String first;
  for (const String& entry : platform::ListDir(folder)) {
    if (platform::ExtractExt(entry) != u"dat") continue;
    const String profile = platform::StripExt(entry);
    if (TProfile::ValidName(profile)) {
      first = profile;
      break;
    }
  }
  if (first.empty()) return SetupPrompt();

  // The settings file is the player's to edit: a name that cannot be a profile file there
  // gives way to the first profile found, recorded for the next start.
  if (!UsableProfileName(Game->ProfileName)) {
    TPlayerManager::SelectProfile(first);
    return 0;
  }
  Game->CurrentProfile = TProfile::Create(Game->ProfileName);
  Game->CurrentProfile->Load();
  return 0;
}

int TTitleScreen::SetupPrompt() {
  EnterName = EnterNamePrompt(0);
  return 0;
}

int TTitleScreen::SetupWelcome() {
  if (!Game->CurrentProfile) return 0;
  if (Welcome) Welcome->Kill();
  Welcome = TLabel::CreateSpecial(u"Welcome, " + Game->CurrentProfile->Name,
                                  static_cast<float>(ScreenWidth / 2 + 15), 15.0f, 1, 0, 0);
  Welcome->Init(MapFont, TColor::Create(255, 255, 255, 1.0f), TShadow::Create(1.0f, 1.0f, 0.6f), 0,
                nullptr, nullptr, String());
  Welcome->CalcSize();
  return 1;
}

int TTitleScreen::SpecialStart(int music) {
  TScreen::Start();
  if (music == 1) Game->MusicPlay(1, 0, 0);
  if (!EnterName) {
    SetupWelcome();
  } else {
    EnterName->Start();
  }
  Game->LoadingScreen->LoadingY = ScreenHeight / 2;
  Game->FixedRateLogic->Init();
  return 0;
}

int TTitleScreen::PreStart() {
  if (Game->LastTScreen != Game->LoadingScreen) SpecialLoad(0, 0);
  SpecialStart(0);
  return 0;
}

int TTitleScreen::ShowPlayerManager() {
  const platform::ImagePtr panel = ccLoadBitmap(Game->ImagePath + u"chooseplayer.png", -1);
  PlayerManager = TPlayerManager::Create(u"Choose Player", panel, 0, 0, 0, 6, String());
  TPlayerManager& chooser = *PlayerManager;
  chooser.DrawHighlight = 0;
  chooser.Shadow = TShadow::Create(3.0f, 3.0f, 0.4f);
  chooser.SetupCaption(UIFont, TColor::Create(0, 255, 0, 1.0f), TShadow::Create(3.0f, 3.0f, 0.4f),
                       nullptr);
  chooser.Caption->Text = u" ";  // the picture carries the heading
  chooser.DimWhenShowingDialogs = 1;
  if (const TButtonPtr ok = chooser.Menu->FindButton(u"OK")) {
    ok->LoadImages(u"OK2", u"OK2MO", 0, 0, 1);
    ok->Init();
  }
  chooser.Menu->MakeRow(chooser.ButtonGap);
  chooser.BoxBorderH = 150;
  chooser.BoxBorderV = 50;
  TListBox& list = *chooser.ListBox;
  list.SetupFont(UIFont, TColor::Create(255, 255, 255, 1.0f), TShadow::Create(2.0f, 2.0f, 0.4f),
                 nullptr, nullptr);
  list.SetupBox(TColor::Create(100, 100, 100, 0.5f));
  list.Centred = 1;
  list.HighlightCol = TColor::Create(0, 0, 150, 0.25f);
  list.HighlightUnder = 0;
  list.ClickSound = sounds->Find(u"buttonclick");
  chooser.ErrorDialogFunc = ErrorDialog;
  chooser.DialogYesNoFunc = MakeDialogYesNo;
  chooser.EnterNamePromptFunc = EnterNamePrompt;
  chooser.CreateProfileFunc = CreateProfile;
  chooser.Start();
  Game->FixedRateLogic->Init();
  return 0;
}

int TTitleScreen::AfterDialog() {
  if (Menu) Menu->ManageNoSound(0.0f, 0.0f);
  FlushKeys();
  return 0;
}

int TTitleScreen::Logic() {
  if (EnterName) {
    const int r = EnterName->Manage();
    if (r == 1) CreateProfile(EnterName->TextInput->Text);
    if (r != 0) {
      SetupWelcome();
      EnterName->Kill();
      EnterName = nullptr;
      AfterDialog();
    }
    if (EnterName && EnterName->Active != 0) return 0;
  }
  if (PlayerManager) {
    const int r = PlayerManager->Manage();
    if (r != 0) {
      PlayerManager->Kill();
      PlayerManager = nullptr;
      SetupWelcome();
      AfterDialog();
    }
    if (PlayerManager && PlayerManager->Active != 0) return 0;
  }
  TScreen::Logic();
  if (Menu && Menu->Clicked(u"changeplayer") != 0) ShowPlayerManager();
  return 0;
}

int TTitleScreen::DrawWelcome() {
  if (!Welcome) return 0;
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  Welcome->Draw(0.0f, 0.0f, 1);
  return 0;
}

int TTitleScreen::Draw() {
  platform::SetBlend(platform::SOLIDBLEND);
  if (Image) {
    platform::DrawImage(Image, 0.0f, 0.0f);
  } else {
    platform::Cls();
  }
  platform::SetBlend(platform::ALPHABLEND);
  if (MainFontSmall) {
    platform::SetImageFont(MainFontSmall);
    ccShadowTextSet(3.0f, 3.0f, 0.4f);
    const float vx = static_cast<float>(ScreenWidth - platform::TextWidth(VERSION_NO) - 5);
    ccDrawText(VERSION_NO, vx, 1.0f, 0, 0);
  }
  // The greeting and the buttons hide while a dialog of the title's is open.
  bool covered = false;
  if (EnterName) {
    EnterName->Draw();
    covered = covered || EnterName->Active != 0;
  }
  if (PlayerManager) {
    PlayerManager->Draw();
    covered = covered || PlayerManager->Active != 0;
  }
  if (!covered) {
    DrawWelcome();
    if (Menu) Menu->Draw(0.0f, 0.0f);
  }
  return 0;
}

int TTitleScreen::Kill() {
  TScreen::Kill();
  if (EnterName) EnterName->Kill();
  EnterName = nullptr;
  Welcome = nullptr;
  if (PlayerManager) PlayerManager->Kill();
  PlayerManager = nullptr;
  return 0;
}
