#include "play/TLevelCompleteScreen.h"

#include <algorithm>

#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/IniFunctions.h"
#include "core/Input.h"
#include "core/TChannelArray.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TProfile.h"
#include "core/TSoundBank.h"
#include "gfx/DrawHelpers.h"
#include "gfx/TGameFade.h"
#include "gfx/TImageBank.h"
#include "gfx/TSprite.h"
#include "play/ScrollDrawing.h"
#include "play/TGameScreen.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "screens/DialogFunctions.h"
#include "screens/TGameFinishedScreen.h"
#include "screens/TLevelSelectScreen.h"
#include "text/GameFonts.h"
#include "text/StringHelpers.h"
#include "text/TextDrawing.h"
#include "ui/TButton.h"
#include "ui/TMenu.h"

std::shared_ptr<TLevelCompleteScreen> LevelCompleteScreen;

namespace {

constexpr int kUnrollMs = 375;
constexpr float kHeaderSlide = 100.0f;
const String kMatches = u"Matches";

TPlayer& P() { return *GameScreen->Player; }

int LevelScore() { return P().Score - P().LevelStartScore; }

void PlayThrough(const std::shared_ptr<TGameSound>& sound) {
  Game->Channels->PlayGameSound(sound, nullptr, 1.0f, 0.0f);
}

void SetLevelEndColour(int grey) { platform::SetColor(grey, grey, grey); }

}  // namespace

TLevelCompleteScreen::TLevelCompleteScreen() = default;
TLevelCompleteScreen::~TLevelCompleteScreen() = default;

String TLevelCompleteScreen::ScoreText() { return ccIntToString(LevelScore()); }

String TLevelCompleteScreen::TimeText() {
  int minutes = 0;
  int seconds = 0;
  ccMillisecsToMinutes(P().TimeTaken * Game->FixedRateLogic->MS, minutes, seconds);
  return ccIntToString(minutes) + u":" + ccPadWithZeros(ccIntToString(seconds), 2);
}

int TLevelCompleteScreen::Load() {
  name = u"levelcomplete";
  ImageLoad(u"scrollbody.png", 0, 1);
  platform::MidHandleImage(Image);
  ScrollTop = images->Find(u"scrolltop");
  ScrollBottom = images->Find(u"scrollbottom");
  HeaderLoad(u"levelcomplete", static_cast<float>(ScreenWidth / 2), static_cast<float>(HeaderY), 1);
  Header->SetShadow(1, 3.0f, 3.0f, 0.4f);
  Menu = TMenu::Create(u"buttonMO", u"buttonclick", 0, 0, 0);
  OKButtonCreate(Menu);
  const TButtonPtr ok = Menu->FindButton(u"OK");
  ok->MoveTo(ok->x, static_cast<float>(ScreenHeight - 190));
  ok->Active = 0;
  ClickImage = images->Find(u"click");
  Game->FadeMusic = 1;
  glow->Speed = 1.5f;
  Unroll = TAnimation::Create(kUnrollMs, 0, 0, 0, 0);
  ActivateSound = sounds->Find(u"scroll");
  DeactivateSound = sounds->Find(u"scroll");
  return 0;
}

int TLevelCompleteScreen::Show() {
  Active = 1;
  Menu->ManageNoSound(0, 0);
  Start();
  ccFlushAll();
  Game->Mouse->ClearButtons();
  Game->FixedRateLogic->Init();
  PlayThrough(ActivateSound);
  return 0;
}

int TLevelCompleteScreen::Start() {
  Game->MusicLoad(u"levelend.ogg", 1);
  Game->MusicPlay(1, 0, 0);
  Chapter = GameScreen->GetChapter();
  SubLevel = GameScreen->GetSubLevel();
  TPlayer& p = P();
  p.Level += 1;
  p.Unlocked = std::max(p.Unlocked, p.Level);
  if (p.Level > Game->MaxLevels) {
    GameFinished = 1;
    p.ProfileGameOver(Game->CurrentProfile, 1);
  } else {
    GameFinished = 0;
    p.WriteProfile(Game->CurrentProfile);
  }
  SetSlideLines();
  Unroll->Reverse = 0;
  Unroll->Start();
  ClickHeld = 0;
  return 0;
}

int TLevelCompleteScreen::SetSlideLines() {
  if (LevelEndFont) platform::SetImageFont(LevelEndFont);
  const int label = platform::TextWidth(kMatches);
  w = label + colgap + platform::TextWidth(ScoreText());
  h = lines * gap;
  StartY = (ScreenHeight - h) / 2 + 31;
  col1 = (ScreenWidth - w) / 2;
  col2 = col1 + label + colgap;
  return 0;
}

int TLevelCompleteScreen::RollUp() {
  Unroll->Reverse = 1;
  Unroll->Start();
  if (const TButtonPtr ok = Menu->FindButton(u"OK")) ok->Active = 0;
  PlayThrough(DeactivateSound);
  return 0;
}

int TLevelCompleteScreen::Hide() {
  ccFlushAll();
  Active = 0;
  return 0;
}

int TLevelCompleteScreen::SetEscDestination() {
  if (GameFinished == 1) {
    Game->DestinationTScreen = GameFinishedScreen;
  } else {
    Game->DestinationTScreen = LevelSelectScreen;
  }
  return 0;
}

int TLevelCompleteScreen::Kill() {
  TScreen::Kill();
  ActivateSound.reset();
  DeactivateSound.reset();
  Active = 0;
  ScrollTop.reset();
  ScrollBottom.reset();
  Unroll.reset();
  return 0;
}

int TLevelCompleteScreen::Logic() {
  if (Active == 0 || !Unroll) return 0;
  if (Active == 2) {
    glow->Manage();
    // One continue per fade: a click during the fade only cuts it short (the application's
    // rule), it does not ask for it again.
    if (Game->Fading() == 0 && MegaClick() != 0) {
      if (const TButtonPtr ok = Menu->FindButton(u"OK")) ok->PlayClick();
      Game->GameFade->Init(FADE_SPEED, 1, Game->MusicChannel, 1, 0, nullptr);
      SetEscDestination();
    }
    return 1;
  }
  TScreen::Logic();
  const TButtonPtr ok = Menu->FindButton(u"OK");
  if (Unroll->Active != 0) {
    const bool rollingUp = Unroll->Reverse != 0;
    if (!rollingUp && Game->Mouse->GetMh(1) != 0) ClickHeld = 1;
    if (Unroll->Manage() == 0) return 0;
    if (rollingUp) {
      Active = 2;
      return 1;
    }
    if (ok) ok->Active = 1;
  }
  if (KeyHit(KEY_ESCAPE) != 0 || Game->Mouse->GetMh(1) != 0 || ClickHeld != 0) {
    ClickHeld = 0;
    if (ok) ok->PlayClick();
    RollUp();
    return 0;
  }
  if (Menu->Clicked(u"ok")) RollUp();
  return 0;
}

int TLevelCompleteScreen::Draw() {
  if (Active == 0 || !Unroll) return 0;
  platform::SetBlend(platform::ALPHABLEND);
  if (Active == 2) {
    const float x = static_cast<float>(ScreenWidth / 2);
    const float y = static_cast<float>(ScreenHeight) - static_cast<float>(ClickImage->h) / 2.0f - 5.0f;
    platform::DrawImage(ClickImage->image, x, y);
    ccDrawImageLight(ClickImage->image, x, y, (1.0f - glow->ratio) * 0.25f, 1.0f, 1.0f, 1.0f, 0);
    return 1;
  }
  const float r = Unroll->GetRatioInv();
  ScrollBodyDraw(Image, r);
  ScrollClipBegin(Image, r);
  if (LevelEndFont) platform::SetImageFont(LevelEndFont);
  SetLevelEndColour(50);
  ccDrawTextCentre(u"Level " + ccIntToString(Chapter) + u" - " + ccIntToString(SubLevel), 184.0f, 0, 1);
  SetLevelEndColour(70);
  platform::DrawRect(275.0f, 240.0f, 252.0f, 1.0f);
  platform::DrawRect(276.0f, 241.0f, 250.0f, 1.0f);
  SetLevelEndColour(50);
  const String labels[] = {u"Score", kMatches, u"Time"};
  const String values[] = {ScoreText(), ccIntToString(P().Kills), TimeText()};
  for (int i = 0; i < 3; ++i) {
    const float y = static_cast<float>(StartY + i * gap);
    ccDrawText(labels[i], static_cast<float>(col1), y, 0, 0);
    ccDrawText(values[i], static_cast<float>(col2), y, 0, 0);
  }
  platform::SetColor(255, 255, 255);
  ScrollClipEnd();
  ScrollRollersDraw(ScrollTop, ScrollBottom, r);
  Header->y = static_cast<float>(HeaderY) - kHeaderSlide * Unroll->GetRatio();
  Header->Draw();
  Menu->Draw(0, 0);
  return 1;
}
