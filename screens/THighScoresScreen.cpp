#include "screens/THighScoresScreen.h"

#include "core/Globals.h"
#include "core/IniFunctions.h"
#include "core/TGame.h"
#include "core/THighScoreList.h"
#include "gfx/TGameFade.h"
#include "gfx/TSlideLineList.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "screens/DialogFunctions.h"
#include "screens/TTitleScreen.h"
#include "text/GameFonts.h"
#include "text/TextDrawing.h"
#include "ui/TButton.h"
#include "ui/TDialogYesNo.h"
#include "ui/TMenu.h"

std::shared_ptr<THighScoresScreen> HighScoresScreen;

namespace {
constexpr int kRowHeight = 20;
constexpr int kRowDelayMs = 30;
constexpr int kSlideMs = 500;
constexpr int kHoldMs = 500;
}  // namespace

THighScoresScreen::THighScoresScreen() { name = u"highscores"; }
THighScoresScreen::~THighScoresScreen() = default;

int THighScoresScreen::Load() {
  name = u"highscores";
  Menu = TMenu::Create(u"buttonMO", u"buttonclick", 0, 0, 0);
  OKButtonCreate(Menu);
  const TButtonPtr clear = Menu->AddQuick(u"clear", String());
  clear->CentreX(clear->y);
  Game->FadeMusic = 0;
  SetSlideLines();
  clear->MoveTo(clear->x, static_cast<float>(StartY + height + 50));
  return 0;
}

int THighScoresScreen::SetSlideLines() {
  int y = StartY;
  w = col3 - col1;
  height = 0;
  platform::SetImageFont(MainFontSmall);
  SlideLines = std::make_shared<TSlideLineList>();
  rowTexts_.clear();
  if (Game->HighScores) {
    int i = 0;
    for (const auto& entry : *Game->HighScores) {
      const TSlideLinePtr line = SlideLines->Add(String(), -w, y, -w, y, i * kRowDelayMs);
      const int from = i % 2 == 0 ? -w : ScreenWidth;
      line->AddPhaseSpecial(from, y, col1, y, kSlideMs);
      line->AddPhaseSpecial(col1, y, col1, y, kHoldMs);
      line->AttachObject(entry);
      rowTexts_.push_back({ccIntToString(entry->score), ccIntToString(entry->level)});
      y += kRowHeight;
      height += kRowHeight;
      ++i;
    }
  }
  SlideLines->Start();
  return 0;
}

int THighScoresScreen::ClearHighScores() {
  Game->HighScores->Zero(10);
  SlideLines.reset();
  SetSlideLines();
  return 0;
}

int THighScoresScreen::Kill() {
  TScreen::Kill();
  SlideLines.reset();
  DialogYesNo.reset();
  return 0;
}

int THighScoresScreen::Logic() {
  if (DialogYesNo) {
    const int answer = DialogYesNo->Manage();
    if (answer == 1 || answer == -1) {
      DialogYesNo->Kill();
      DialogYesNo.reset();
      Menu->ManageNoSound(0, 0);
      if (answer == 1) ClearHighScores();
    } else if (DialogYesNo->Active != 0) {
      return 0;
    }
  }
  TScreen::Logic();
  if (Menu->Clicked(u"ok")) {
    Game->GameFade->Init(FADE_SPEED, 1, nullptr, 1, 0, nullptr);
    Game->DestinationTScreen = TitleScreen;
  }
  if (Menu->Clicked(u"clear")) DialogYesNo = MakeDialogYesNo(u"Clear High Scores - are you sure");
  if (SlideLines) SlideLines->Manage();
  return 0;
}

int THighScoresScreen::Draw() {
  platform::SetBlend(platform::SOLIDBLEND);
  platform::Cls();
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetImageFont(MainFont);
  ccDrawTextCentre(u"High Scores", 10.0f, 0, 0);
  if (Menu) Menu->Draw(0, 0);
  // The table's rows stand 20 pixels apart: only the small font's glyphs fit such a band, the
  // main font's are three rows tall.
  platform::SetImageFont(MainFontSmall);
  platform::SetColor(150, 150, 255);
  const float headY = static_cast<float>(StartY - 30);
  ccDrawText(u"Name", static_cast<float>(col1), headY, 0, 0);
  ccDrawTextRight(u"Score", static_cast<float>(col2), headY, 0, 0);
  ccDrawTextRight(u"Lev", static_cast<float>(col3), headY, 0, 0);
  platform::SetBlend(platform::ALPHABLEND);
  if (SlideLines) {
    const auto& rows = SlideLines->Items();
    for (size_t i = 0; i < rows.size() && i < rowTexts_.size(); ++i) {
      TSlideLine* line = rows[i].get();
      const auto* entry = static_cast<const THighScore*>(line->AttachedObject.get());
      if (!entry) continue;
      const float x = line->GetX();
      const float y = static_cast<float>(static_cast<int>(line->GetY()));
      if (line->Active != 0 && line->CurrentPhase == 2) {
        // Each row arrives white and turns green over its hold.
        const int v = static_cast<int>(100.0f + 155.0f * line->GetRatio());
        platform::SetColor(v, 255, v);
      } else {
        platform::SetColor(100, 255, 100);
      }
      ccDrawText(entry->name, x, y, 0, 0);
      ccDrawTextRight(rowTexts_[i].score, x + static_cast<float>(col2 - col1), y, 0, 0);
      ccDrawTextRight(rowTexts_[i].level, x + static_cast<float>(col3 - col1), y, 0, 0);
    }
  }
  platform::SetColor(255, 255, 255);
  if (DialogYesNo) DialogYesNo->Draw();
  return 0;
}

int THighScoresScreen::SetEscDestination() {
  Game->DestinationTScreen = TitleScreen;
  return 0;
}
