#include "play/TGameScreen.h"

#include <algorithm>
#include <array>

#include "board/BoardGlobals.h"
#include "board/TBonusList.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TGemList.h"
#include "board/TPlayer.h"
#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/IniFunctions.h"
#include "core/Input.h"
#include "core/TChannelArray.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TProfile.h"
#include "core/TSoundBank.h"
#include "gfx/TGameFade.h"
#include "gfx/TImageBank.h"
#include "gfx/TParticleList.h"
#include "gfx/TSprite.h"
#include "play/TBoardLayer.h"
#include "play/TGameMenu.h"
#include "play/THintScroll.h"
#include "play/TLevelCompleteScreen.h"
#include "platform/Audio.h"
#include "platform/Clock.h"
#include "screens/TTitleScreen.h"
#include "text/GameFonts.h"
#include "text/TextDrawing.h"
#include "ui/TButton.h"
#include "ui/TLoadingScreen.h"
#include "ui/TMenu.h"

std::shared_ptr<TGameScreen> GameScreen;

namespace {

constexpr int kChapters = 10;
constexpr int kLevelsPerChapter = 5;
// Four pixels, so that even beside the letters' corners the outline stands whole: the gold then
// reads at 4.5:1 or more over a white sky or gem.
constexpr int kCaptionOutline = 4;
constexpr int kPagedLevels = 8;
constexpr std::array<const char16_t*, kPagedLevels> kLevelPages = {
    u"lion", u"key", u"fireball", u"axe", u"tornado", u"doubleaxe", u"star", u"vines"};
constexpr float kCornerY = 8.0f;
constexpr double kTumbletShare = 0.15;

void Play(const std::shared_ptr<TGameSound>& sound) {
  if (sound) Game->Channels->PlayGameSound(sound, nullptr, 1.0f, 0.0f);
}

String LevelFile(int level) { return Game->LevelsPath + ccIntToString(level) + u".txt"; }

}  // namespace

TGameScreen::TGameScreen()
    : Player(std::make_shared<TPlayer>()), BoardLayer(std::make_unique<TBoardLayer>()) {
  name = u"game";
}
TGameScreen::~TGameScreen() = default;

// ---------------------------------------------------------------- entering and leaving

int TGameScreen::Load() {
  name = u"game";
  Game->LoadingScreen->LoadingY = ScreenHeight / 2;
  Game->LoadingScreen->DrawLoading(1);
  Chapter = GetChapter();
  ImageLoad(u"bg" + ccIntToString(Chapter) + u".jpg", 0, 1);
  Game->MusicLoad(u"level" + ccIntToString(LevelMusic[static_cast<size_t>(Chapter - 1)]) + u".ogg", 1);
  Game->FadeMusic = 1;
  IntroAnim = TAnimation::Create(1000, 0, 0, 0, 0);
  OutroAnim = TAnimation::Create(4500, 0, 0, 0, 0);
  Go = TSprite::CreateFromFile(u"go", 400.0f, 300.0f, 1, -1);
  WellDone = TSprite::CreateFromFile(u"welldone", 400.0f, 300.0f, 1, -1);
  Go->image->Precache();
  WellDone->image->Precache();
  NoMoreMovesOutline = ccMakeTextOutline(MainFont, NoMoreMovesText, kCaptionOutline);
  SoundLevelStart = sounds->Find(u"levelstart");
  SoundLevelEnd = sounds->Find(u"levelend");
  SoundGaugeFull = sounds->Find(u"gaugefull1");
  SoundGaugeEmpty = sounds->Find(u"gaugeempty");
  Menu = TMenu::Create(u"buttonMO", u"buttonclick", 0, 0, 10);
  Menu->AddPair(u"Hint", u"Menu", 50, String());
  const TButtonPtr hint = Menu->FindButton(u"Hint");
  const TButtonPtr menu = Menu->FindButton(u"Menu");
  hint->SoundClick.reset();
  menu->SoundClick.reset();
  hint->MoveTo(8.0f, hint->y);
  menu->MoveTo(static_cast<float>(ScreenWidth - 73), menu->y);
  Menu->SetY(kCornerY);
  Menu->Precache();
  GameMenu->Load();
  LevelCompleteScreen->Load();
  LoadParticleImages();
  BrickRoad = images->Find(u"BrickRoad");
  UI = images->Find(u"UI");
  TimeImage = images->Find(u"Time");
  LevelImage = images->Find(u"Level");
  XActive1Image = images->Find(u"XActive1");
  XActive2Image = images->Find(u"XActive2");
  XInactiveImage = images->Find(u"XInactive");
  images->Precache();
  return 0;
}

int TGameScreen::Start() {
  TScreen::Start();
  Game->MusicPlay(1, 0, 0);
  LevelStart();
  return 0;
}

int TGameScreen::CoreStart() {
  TScreen::CoreStart();
  Game->IgnoreEscapeKey = 1;
  ResetStops();
  return 0;
}

int TGameScreen::Kill() {
  TScreen::Kill();
  ClearLists();
  IntroAnim.reset();
  OutroAnim.reset();
  Go.reset();
  WellDone.reset();
  NoMoreMovesOutline.reset();
  SoundLevelStart.reset();
  SoundLevelEnd.reset();
  SoundGaugeFull.reset();
  SoundGaugeEmpty.reset();
  GameMenu->Kill();
  LevelCompleteScreen->Kill();
  HintScroll->Kill();
  KillGameObjects();
  ClearParticles();
  return 0;
}

int TGameScreen::SetEscDestination() {
  Game->DestinationTScreen = TitleScreen;
  return 0;
}

// ---------------------------------------------------------------- the run and the level

int TGameScreen::GameStart() {
  Player->Load();
  Player->InitStats();
  Player->ReadProfile(Game->CurrentProfile, 0);
  // The level comes from a file: keep it a level that exists.
  Player->Level = std::clamp(Player->Level, 1, std::max(1, Game->MaxLevels));
  return 0;
}

int TGameScreen::GetChapter() {
  return std::clamp(1 + (std::max(Player->Level, 1) - 1) / kLevelsPerChapter, 1, kChapters);
}

int TGameScreen::GetSubLevel() { return (std::max(Player->Level, 1) - 1) % kLevelsPerChapter + 1; }

int TGameScreen::LevelStart() {
  TGem::MidHandle(0);
  ClearCounters();
  Player->NewLevelStats();
  LevelLoad();
  if (FillUntilMove() == 0) return 0;
  GameGrid->DiagonalMoves = 0;
  GameGrid->DiagonalGauge = 0;
  GemList->SortAll();
  ClearParticles();
  IntroAnim->Start();
  Game->FixedRateLogic->Init();
  GameGrid->RestorePointer();
  const int level = Player->Level;
  if (level < 1 || level > kPagedLevels ||
      ShowOnceOnlyPage(level - 1, kLevelPages[static_cast<size_t>(level - 1)]) == 0) {
    StartSound();
  }
  return 0;
}

int TGameScreen::LevelLoad() {
  GameGrid = TGameGrid::Create();
  GameGrid->Load(Player->Level);
  Player->Target = GameGrid->Gold;
  return 0;
}

int TGameScreen::FillUntilMove() {
  int fills = 0;
  do {
    if (++fills > MaxFills) {
      ccRunTimeError(u"No possible move after " + ccIntToString(MaxFills) + u" fills of " +
                         LevelFile(Player->Level),
                     1);
      return 0;
    }
    FillGrid();
  } while (GameGrid->NoMoreMoves(0) != 0);
  return fills;
}

int TGameScreen::FillGrid() {
  const int fill = FillOnce();
  if (fill != 0) return fill;
  // Tumblets on 15 % of the colour gems, at random cells.
  int colourGems = 0;
  for (int y = 0; y < GameGrid->levelheight; ++y) {
    for (int x = 0; x < GameGrid->levelwidth; ++x) {
      const TCell* cell = GridAt(x, y);
      if (cell && cell->Gem && cell->Gem->GemType <= TGem::kLastColour) ++colourGems;
    }
  }
  const int tumblets = static_cast<int>(colourGems * kTumbletShare);
  for (int n = 0; n < tumblets; ++n) {
    for (;;) {
      const int x = platform::Rand(0, GameGrid->levelwidth - 1);
      const int y = platform::Rand(0, GameGrid->levelheight - 1);
      TCell* cell = GridAt(x, y);
      if (!cell || !cell->Gem || cell->Gem->GemType > TGem::kLastColour || cell->Gem->Tumblet != 0) {
        continue;
      }
      cell->Gem->CreateTumblet();
      break;
    }
  }
  return 0;
}

int TGameScreen::FillOnce() {
  GemList = std::make_shared<TGemList>();
  for (int y = 0; y < GameGrid->levelheight; ++y) {
    int previous = 0;
    int run = 0;
    for (int x = 0; x < GameGrid->levelwidth; ++x) {
      TCell* cell = GridAt(x, y);
      if (!cell) continue;
      if (cell->active == 0) {
        cell->Gem.reset();
        previous = 0;
        run = 0;
        continue;
      }
      int type = 0;
      // Presets stand as they are: pieces, and colour gems (which may be off the level's
      // five colours).
      if (cell->bonus >= 1 && cell->bonus <= TGem::kLastBonus) {
        type = cell->bonus;
        previous = type;
        run = 0;
      } else {
        const auto completesRun = [&](int c) {
          if (previous == c && run == 2) return true;
          if (y < 2) return false;
          const TCell* a = GridAt(x, y - 1);
          const TCell* b = GridAt(x, y - 2);
          return a && b && a->Gem && b->Gem && a->Gem->GemType == c && b->Gem->GemType == c;
        };
        int draws = 0;
        do {
          if (++draws > MaxDrawsPerCell) {
            ccRunTimeError(u"No colour fits the board of " + LevelFile(Player->Level), 1);
            return -1;
          }
          type = TGem::Random();
        } while (completesRun(type));
        run = type == previous ? run + 1 : 1;
        previous = type;
      }
      const std::shared_ptr<TGem> gem = TGem::Make(x, y, type, 0);
      if (cell->gemlocked != 0) gem->locked = 1;
      GemList->Add(gem);
      cell->Gem = gem;
    }
  }
  return 0;
}

int TGameScreen::RestartLevel() {
  ClearLists();
  KillGameObjects();
  LevelStart();
  Menu->SetY(kCornerY);
  return 0;
}

int TGameScreen::Quit() {
  Player->Lives = 0;
  if (Player->DeathCounter > 0 || Game->GameFade->Active != 0) return 0;
  ClearCounters();
  Player->Die();
  return 0;
}

int TGameScreen::ClearLists() { return 0; }

int TGameScreen::ClearCounters() {
  if (IntroAnim) IntroAnim->Clear();
  if (OutroAnim) OutroAnim->Clear();
  GaugeFillDelay->Clear();
  HintShowCounter = 0;
  return 0;
}

int TGameScreen::ClearParticles() {
  for (const TParticleListPtr& list : {BackgroundParticles, Particles, AnimatedParticles, Tumblets, ScoreParticles}) {
    if (list) list->Clear();
  }
  if (HouseList) HouseList->Clear();
  return 0;
}

int TGameScreen::StartSound() {
  Play(SoundLevelStart);
  return 0;
}

int TGameScreen::KillGameObjects() {
  if (GameGrid) {
    GameGrid->Kill();
    GameGrid.reset();
  }
  if (GemList) {
    const std::shared_ptr<TGemList> list = GemList;
    list->ForEach([&](const std::shared_ptr<TGem>& gem) { list->Remove(*gem); });
    GemList.reset();
  }
  return 0;
}

int TGameScreen::ShowOnceOnlyPage(int flag, const String& page) {
  if (HintScroll->Active != 0 || !Game->CurrentProfile) return 0;
  if (Game->CurrentProfile->ShowHint(flag, 1) != 1) return 0;
  HintScroll->LoadSpecial(page);
  HintScroll->Show(1);
  return 1;
}

int TGameScreen::TestGrid() { return 0; }

int TGameScreen::MakeTestGem(int x, int y, int type) {
  TCell* cell = GridAt(x, y);
  if (!GameGrid || !GemList || !cell) return 0;
  GameGrid->DeleteGem(x, y);
  const std::shared_ptr<TGem> gem = TGem::Make(x, y, type, 0);
  GemList->Add(gem);
  cell->Gem = gem;
  return 0;
}

// ---------------------------------------------------------------- intro and outro

int TGameScreen::IntroCheck() {
  if (IntroAnim->Manage() == 1 && GameGrid) GameGrid->SetupIntroFlash();
  return 0;
}

int TGameScreen::LevelCheck() {
  if (Game->Fading() != 0) return 0;
  NextLevelManage();
  return 1;
}

int TGameScreen::NextLevel() {
  if (!OutroAnim || !IntroAnim) return 0;
  if (Player->Alive == 0 || OutroAnim->Active != 0 || IntroAnim->Active != 0) return 0;
  OutroAnim->Start();
  Player->NoChecks = 1;
  Play(SoundLevelEnd);
  return 1;
}

int TGameScreen::NextLevelManage() {
  if (OutroAnim->Manage() == 1) NextLevelEnd();
  if (OutroAnim->Active == 0) return 0;
  const float r = OutroAnim->Counter;
  if (r > Game->CalcAnimLength(3500)) {
    const float elapsed = Game->CalcAnimLength(4500) - r;
    const float volume =
        static_cast<float>(Game->MusicVolume) / 100.0f * (1.0f - elapsed / Game->CalcAnimLength(1000));
    platform::SetChannelVolume(Game->MusicChannel, volume);
  }
  if (r < Game->CalcAnimLength(2500) && GameGrid) {
    GameGrid->yacc += 0.04f * Delta;
    for (int y = 0; y < GameGrid->levelheight; ++y) {
      for (int x = 0; x < GameGrid->levelwidth; ++x) {
        if (TCell* cell = GridAt(x, y)) cell->sy += GameGrid->yacc * Delta;
      }
    }
  }
  return 0;
}

int TGameScreen::NextLevelEnd() {
  Player->UpdateTotals();
  ccFlushAll();
  LevelCompleteScreen->Show();
  return 0;
}

// ---------------------------------------------------------------- the board's view

TPlayer& TGameScreen::ScreenHost::Player() { return *s_.Player; }

int TGameScreen::ScreenHost::IntroActive() { return s_.IntroAnim && s_.IntroAnim->Active ? 1 : 0; }

int TGameScreen::ScreenHost::OutroActive() { return s_.OutroAnim && s_.OutroAnim->Active ? 1 : 0; }

int TGameScreen::ScreenHost::StartIntro() {
  if (s_.IntroAnim) s_.IntroAnim->Start();
  return 0;
}

int TGameScreen::ScreenHost::ResetHintShowCounter() {
  s_.HintShowCounter = 0;
  return 0;
}

int TGameScreen::ScreenHost::AddGaugeStep(int ms) {
  s_.GaugeFillDelay->AddNew(ms);
  return 0;
}

int TGameScreen::ScreenHost::PlayMenuClick() {
  if (!s_.Menu) return 0;
  if (const TButtonPtr menu = s_.Menu->FindButton(u"menu")) menu->PlayClick();
  return 0;
}

int TGameScreen::ScreenHost::SoundGaugeFull() {
  Play(s_.SoundGaugeFull);
  return 0;
}

int TGameScreen::ScreenHost::SoundGaugeEmpty() {
  Play(s_.SoundGaugeEmpty);
  return 0;
}
