// TGameGrid: finding runs, clearing them and scoring.
#include <array>

#include "board/BoardHost.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TGemList.h"
#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/TGameSound.h"
#include "platform/Clock.h"

namespace {

// The colour a run may be made of at (x, y), or 0 when the cell cannot take part.
int RunType(int x, int y, int includeSwapping) {
  const TCell* cell = GridAt(x, y);
  if (!cell || !cell->Gem) return 0;
  const TGem& gem = *cell->Gem;
  if (gem.GemType < 1 || gem.GemType > TGem::kLastColour) return 0;
  if (!includeSwapping && gem.Swapping) return 0;
  return gem.GemType;
}

bool AnyGemLocked(const TGameGrid& board) {
  for (int y = 0; y < board.levelheight; ++y) {
    for (int x = 0; x < board.levelwidth; ++x) {
      const TCell* cell = GridAt(x, y);
      if (cell && cell->Gem && cell->Gem->locked) return true;
    }
  }
  return false;
}

// Whether every layer left on the board lies under a locked gem: only a lock then stands
// between the board and its end.
bool OnlyLockedLayersLeft(const TGameGrid& board) {
  int layers = 0;
  for (int y = 0; y < board.levelheight; ++y) {
    for (int x = 0; x < board.levelwidth; ++x) {
      const TCell* cell = GridAt(x, y);
      if (cell && cell->active && cell->Gem && cell->Gem->locked) layers += cell->gold + cell->armour;
    }
  }
  return layers >= board.Gold;
}

constexpr int kKey = 14;
constexpr int kAxe = 13;

// The piece a burst gem may leave behind: 0 for none. The candidates live in a fixed array
// (the level's list, two keys and two axes at most), so nothing is allocated here.
int DrawBonusPiece(const TGameGrid& board) {
  const int chance = board.Gold <= 3 && board.Locked < board.Gold ? 60 : 30;
  if (!(static_cast<float>(platform::Rand(1, 1000)) < static_cast<float>(chance) * Delta)) return 0;

  std::array<int, POSS_BONUS_SLOTS + 4> candidates{};
  int count = 0;
  const int listed = PossBonusCount < POSS_BONUS_SLOTS ? PossBonusCount : POSS_BONUS_SLOTS;
  for (int i = 0; i < listed; ++i) candidates[static_cast<size_t>(count++)] = PossBonus[static_cast<size_t>(i)];
  // Keys near the end while a gem is locked, and whenever only locked gems hold the layers
  // left: the cells below a locked gem never refill, so a lock that no run can reach would
  // leave the level without an end unless its list holds a piece that breaks locks.
  if (board.Locked > 0 && (board.Gold <= 3 || OnlyLockedLayersLeft(board))) {
    candidates[static_cast<size_t>(count++)] = kKey;
    candidates[static_cast<size_t>(count++)] = kKey;
  }
  if (board.Gold <= 3 && board.Locked < board.Gold && BoardHost::Current().Player().Level > 3) {
    candidates[static_cast<size_t>(count++)] = kAxe;
    candidates[static_cast<size_t>(count++)] = kAxe;
  }
  if (count == 0) return 0;

  int type = candidates[static_cast<size_t>(platform::Rand(0, count - 1))];
  if (type == kKey && PossBonusCount > 1 && !AnyGemLocked(board)) {
    // A key is of no use without a lock: draw among the other candidates instead (the odds
    // of redrawing until something else comes up, without the chance of drawing for ever).
    int others = 0;
    for (int i = 0; i < count; ++i) others += candidates[static_cast<size_t>(i)] != kKey ? 1 : 0;
    if (others == 0) return 0;
    int pick = platform::Rand(0, others - 1);
    for (int i = 0; i < count; ++i) {
      if (candidates[static_cast<size_t>(i)] == kKey) continue;
      if (pick-- == 0) {
        type = candidates[static_cast<size_t>(i)];
        break;
      }
    }
  }
  // A level line such as "0,8" lists types that do not exist.
  if (type < TGem::kFirstBonus || type > TGem::kLastBonus) return 0;
  return type;
}

void PlayWithJitter(const std::shared_ptr<TGameSound>& sound) {
  if (!sound) return;
  sound->pitch = 1.0f + static_cast<float>(platform::Rnd(-0.1, 0.1));
  TGameGrid::PlaySound(sound);
}

}  // namespace

int TGameGrid::ClearMatches() {
  for (int y = 0; y < levelheight; ++y) {
    for (int x = 0; x < levelwidth; ++x) {
      if (TCell* cell = GridAt(x, y)) cell->match = 0;
    }
  }
  return 0;
}

int TGameGrid::DoMatches(int test, int includeSwapping) {
  int total = 0;
  // Runs along rows (step 1, 0) and then along columns (0, 1).
  for (int pass = 0; pass < 2; ++pass) {
    const int stepX = pass == 0 ? 1 : 0;
    const int stepY = 1 - stepX;
    const int lines = pass == 0 ? levelheight : levelwidth;
    const int length = pass == 0 ? levelwidth : levelheight;
    for (int line = 0; line < lines; ++line) {
      int start = 0;
      while (start <= length - 3) {
        const int x0 = pass == 0 ? start : line;
        const int y0 = pass == 0 ? line : start;
        const int type = RunType(x0, y0, includeSwapping);
        int run = 1;
        if (type != 0) {
          while (start + run < length && RunType(x0 + stepX * run, y0 + stepY * run, includeSwapping) == type) ++run;
        }
        if (type == 0 || run < 3) {
          ++start;
          continue;
        }
        for (int i = 0; i < run; ++i) GridAt(x0 + stepX * i, y0 + stepY * i)->match = 1;
        total += run;
        start += run;
      }
    }
  }

  TumbletPlaying = 0;
  int count = 0;
  int layerRemoved = 0;
  int unlocked = 0;
  for (int x = 0; x < levelwidth; ++x) {
    for (int y = 0; y < levelheight; ++y) {
      TCell* cell = GridAt(x, y);
      if (!cell || cell->match != 1) continue;
      if (test) {
        ++count;
        continue;
      }
      cell->match = 0;
      // A flag left by an earlier test pass on a cell that has since lost its gem.
      const TGemPtr gem = cell->Gem;
      if (!gem || gem->GemType == -1) continue;
      if (gem->locked) {
        gem->Unlock();
        ScoreSpriteCreate(x, y, total, 0);
        unlocked = 1;
        ++count;
        continue;
      }
      if (Mode == 1 && cx == x && cy == y) {
        CursorClear();
        RestorePointer();
      }
      ScoreSpriteCreate(x, y, total, gem->Tumblet ? 1 : 0);
      gem->Explode(1);
      if (const int type = DrawBonusPiece(*this)) {
        const TGemPtr piece = TGem::Make(x, y, type, 0);
        if (GemList) GemList->InsertGem(piece);
        cell->Gem = piece;
      }
      if (RemoveGold(x, y)) layerRemoved = 1;
      ++count;
    }
  }

  if (!test && count > 0) {
    BoardHost& host = BoardHost::Current();
    host.ResetHintShowCounter();
    if (layerRemoved) {
      PlayWithJitter(MatchSound);
      if (Gold <= 3) host.ShowOnceOnlyPage(9, u"removebricks");
    } else {
      PlayWithJitter(MatchNoBrickSound);
    }
    if (unlocked) PlaySound(UnlockSound);
  }
  PlayTumbletSound();
  return count;
}
