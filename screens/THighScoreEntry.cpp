#include "screens/THighScoreEntry.h"

#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "core/THighScoreList.h"
#include "gfx/TColor.h"
#include "platform/Graphics.h"
#include "screens/TGameTotals.h"
#include "text/GameFonts.h"
#include "text/TextDrawing.h"
#include "ui/TButton.h"
#include "ui/TMenu.h"
#include "ui/TTextInput.h"

namespace {
constexpr int kTableSize = 10;
}  // namespace

THighScoreEntry::THighScoreEntry() : InputName(std::make_shared<TTextInput>()) {}
THighScoreEntry::~THighScoreEntry() = default;

bool THighScoreEntry::Qualifies(int score) {
  const std::shared_ptr<THighScoreList>& table = Game->HighScores;
  if (!table || table->Count() < kTableSize) return true;
  return table->Last()->score <= score;
}

THighScoreEntryPtr THighScoreEntry::Create(const std::shared_ptr<TMenu>& menu) {
  auto entry = std::make_shared<THighScoreEntry>();
  entry->Menu = menu;
  entry->HighScore = Qualifies(TGameTotals::RunPlayer().Score) ? 1 : 0;
  if (entry->HighScore != 0) {
    entry->InputName->Init(MainFont, String(), 250, entry->TopY + 60, nullptr);
    entry->InputName->DrawDots = 0;
    entry->InputName->AllowEscToAbort = 0;
    if (menu) {
      if (const TButtonPtr ok = menu->FindButton(u"OK")) ok->OKButtonUseSpace = 0;
    }
  }
  return entry;
}

int THighScoreEntry::Manage() {
  if (InputName->Manage() == 1) FinishAndAdd();
  return 0;
}

int THighScoreEntry::Finish() {
  InputName->Finish();
  return 0;
}

int THighScoreEntry::FinishAndAdd() {
  if (HighScore == 0 || Entered != 0) return 0;
  Entered = 1;
  AddToHighScores();
  Finish();
  return 0;
}

int THighScoreEntry::AddToHighScores() {
  const std::shared_ptr<THighScoreList>& table = Game->HighScores;
  if (!table) return 0;
  // A short table (a damaged or hand-cut file) only grows.
  if (table->Count() >= kTableSize) table->RemoveLast();
  const TPlayer& player = TGameTotals::RunPlayer();
  table->Insert(InputName->Text, player.Score, player.Level);
  table->Save();
  return 0;
}

int THighScoreEntry::Draw() {
  if (HighScore != 0 && Entered == 0 && InputName->Done == 0) {
    // Two lines 30 pixels apart above the name: the small font keeps them apart.
    platform::SetImageFont(MainFontSmall);
    platform::SetColor(150, 255, 150);
    ccDrawTextCentre(u"You got a High Score!", static_cast<float>(TopY), 0, 0);
    ccDrawTextCentre(u"Please enter your name:", static_cast<float>(TopY + 30), 0, 0);
    platform::SetColor(255, 255, 255);
    InputName->Draw();
  }
  if (Menu) Menu->Draw(0, 0);
  return 0;
}

int THighScoreEntry::Active() { return InputName->Active; }
