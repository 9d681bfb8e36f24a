#include "screens/TTitleScreen.h"

#include <cmath>
#include <vector>

#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/Input.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TProfile.h"
#include "core/TSoundBank.h"
#include "gfx/TColor.h"
#include "gfx/TGameFade.h"
#include "gfx/TImageBank.h"
#include "gfx/TParticleList.h"
#include "core/TExitScreen.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "play/TGameScreen.h"
#include "screens/DialogFunctions.h"
#include "screens/TBookScreen.h"
#include "screens/GameOverScreen.h"
#include "screens/TGameFinishedScreen.h"
#include "screens/THighScoresScreen.h"
#include "screens/TInstructionsScreen.h"
#include "screens/TLevelSelectScreen.h"
#include "screens/TOptionsScreen.h"
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

constexpr int KEY_H = 72;
constexpr double kDegrees = 3.14159265358979323846 / 180.0;

// Arriving from these, the title looks after its music (the level map leaves it playing).
int MusicFrom(const std::shared_ptr<TScreen>& screen) {
  if (!screen) return 0;
  return screen == GameScreen || screen == GameOverScreen || screen == GameFinishedScreen ||
                 screen == LevelSelectScreen
             ? 1
             : 0;
}

}  // namespace

TTitleScreen::TTitleScreen() = default;
TTitleScreen::~TTitleScreen() = default;

int TTitleScreen::SpecialLoad(int startup, int music) {
  name = u"title";
  if (startup == 0) Game->LoadingScreen->DrawLoading(1);
  if (music == 1 && Game->LastTScreen != LevelSelectScreen) Game->MusicLoad(u"title.ogg", 1);
  ImageLoad(u"title.jpg", 0, 1);
  Menu = TMenu::Create(u"buttonMO", u"buttonclick", 0.0f, 0.0f, 10);
  const TButtonPtr change = Menu->AddQuick(u"changeplayer", String());
  const TButtonPtr play = Menu->AddNew(u"play", u"playMO", String(), 0, 0, 1);
  play->OKButton = 1;
  const TButtonPtr options = Menu->AddQuick(u"titleoptions", String());
  const TButtonPtr exit = Menu->AddQuick(u"exit", String());
  Menu->Centre();
  // Over the centred layout: "play" low in the middle, the others a column at the left edge.
  play->MoveTo(play->x + 8.0f, 490.0f);
  change->MoveTo(-15.0f, 150.0f);
  options->MoveTo(-15.0f, static_cast<float>(150 + change->h));
  exit->MoveTo(-15.0f, static_cast<float>(150 + change->h + options->h));
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
  const std::vector<String> profiles = Game->ProfileNames();
  if (profiles.empty()) return SetupPrompt();
  const String& first = profiles.front();

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
  if (music == 1 && Game->LastTScreen != LevelSelectScreen) Game->MusicPlay(1, 0, 0);
  if (!EnterName) {
    SetupWelcome();
  } else {
    EnterName->Start();
  }
  Game->LoadingScreen->LoadingY = ScreenHeight / 2;
  for (int i = 0; i < 6; ++i) FireflyCreate();
  Game->FixedRateLogic->Init();
  return 0;
}

int TTitleScreen::PreStart() {
  const int music = MusicFrom(Game->LastTScreen);
  if (Game->LastTScreen != Game->LoadingScreen) SpecialLoad(0, music);
  SpecialStart(music);
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
  // The chosen name stands out brightest: the others a shade dimmer, the chosen one white on
  // its band, the band laid beneath the text so it does not veil it.
  list.SetupFont(UIFont, TColor::Create(190, 190, 210, 1.0f), TShadow::Create(2.0f, 2.0f, 0.4f),
                 nullptr, TColor::Create(255, 255, 255, 1.0f));
  list.SetupBox(TColor::Create(100, 100, 100, 0.5f));
  list.Centred = 1;
  list.HighlightCol = TColor::Create(0, 0, 150, 0.25f);
  list.HighlightUnder = 1;
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
  FirefliesManage();
  if (!Menu) return 0;
  // Each button on its own: when two fire in one tick the later destination stands. The help
  // key is read first, as starting a fade drops the keys hit so far.
  const bool help = Menu->Clicked(u"help") != 0 || KeyHit(KEY_H) != 0;
  if (Menu->Clicked(u"changeplayer") != 0) ShowPlayerManager();
  if (Menu->Clicked(u"play") != 0) {
    GameScreen->GameStart();
    if (GameScreen->GetChapter() == 1 && GameScreen->GetSubLevel() == 1) {
      LeaveFor(BookScreen);
      BookScreen->FinalDestination = LevelSelectScreen;
      BookScreen->ShowTornado = 1;
    } else {
      LeaveFor(LevelSelectScreen);
    }
  }
  if (Menu->Clicked(u"titleoptions") != 0) {
    LeaveFor(OptionsScreen);
    OptionsScreen->Destination = TitleScreen;
  }
  if (help) {
    LeaveFor(InstructionsScreen);
    InstructionsScreen->Destination = TitleScreen;
  }
  // The title makes no such button; a menu that holds one leads to the table.
  if (Menu->Clicked(u"highscores") != 0) LeaveFor(HighScoresScreen);
  if (Menu->Clicked(u"exit") != 0) {
    Game->GameFade->Init(static_cast<float>(FADE_SPEED), 1, Game->MusicChannel, 1, 0, nullptr);
    Game->DestinationTScreen = Game->ExitScreen;
  }
  return 0;
}

int TTitleScreen::LeaveFor(const std::shared_ptr<TScreen>& to) {
  Game->GameFade->Init(static_cast<float>(FADE_SPEED), 1, nullptr, 1, 0, nullptr);
  Game->DestinationTScreen = to;
  return 0;
}

int TTitleScreen::FireflyCreate() {
  // The draws keep this order, so a seeded run makes the same fireflies.
  const float scale = static_cast<float>(platform::Rnd(0.3, 1.5));
  const float dy = static_cast<float>(platform::Rnd(-0.2, 0.2));
  const float dx = static_cast<float>(platform::Rnd(-0.2, 0.2));
  const int y = platform::Rand(0, ScreenHeight);
  const int x = platform::Rand(0, ScreenWidth);
  const TParticlePtr firefly =
      Particles->AddNew(x, y, images->Find(u"particle2"), dx, dy, 0.0f, 1000.0f, 1, 0, 0.0f, scale, 0.0f, 0, 0);
  firefly->AnimCounterDir = platform::Rand(0, 1);
  const int fadeOut = platform::Rand(800, 1200);
  const int sustain = platform::Rand(300, 700);
  const int fadeIn = platform::Rand(800, 1200);
  firefly->SetFade(fadeIn, sustain, fadeOut);
  return 0;
}

int TTitleScreen::FirefliesManage() {
  // Per logic call, fractional ones included: a new firefly now and then.
  if (platform::Rand(1, 10000) < 150) FireflyCreate();
  if (!Particles) return 0;
  Particles->ForEach([](const TParticlePtr& firefly) {
    // A slow circle, one degree a tick, on top of the drift.
    if (firefly->AnimCounterDir != 0) {
      firefly->AnimCounter += Delta;
      if (firefly->AnimCounter >= 360.0f) firefly->AnimCounter -= 360.0f;
    } else {
      firefly->AnimCounter -= Delta;
      if (firefly->AnimCounter <= 0.0f) firefly->AnimCounter += 360.0f;
    }
    const double angle = firefly->AnimCounter * kDegrees;
    firefly->x += static_cast<float>(0.1 * std::sin(angle));
    firefly->y += static_cast<float>(0.1 * std::cos(angle));
    firefly->Move();
  });
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
    // The version in white, whatever colour the last drawer left.
    platform::SetColor(255, 255, 255);
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
    if (Particles) Particles->Draw();
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
  // The fireflies go with the title.
  TGameScreen::ClearParticles();
  return 0;
}
