// TGameGrid: falling gems and the refill from the top row.
#include "board/BoardHost.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TGemList.h"
#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/TChannelArray.h"
#include "core/TGameChannel.h"
#include "gfx/Geometry.h"
#include "platform/Audio.h"
#include "platform/Clock.h"

namespace {

constexpr float kFallStart = 0.04f;
constexpr float kFallAcceleration = 0.04f;
constexpr float kFallTopSpeed = 2.0f;
constexpr float kFallStagger = 6.0f;

// Whether a falling gem stands on something at row gy of column gx and stops there.
bool Supported(const TGameGrid& board, int gx, int gy) {
  if (gy + 1 >= board.levelheight) return true;
  const TCell* below = GridAt(gx, gy + 1);
  if (!below || !below->active) return true;
  return below->Gem && below->Gem->GemType != -1;
}

// A cell a landing may take: a board cell that is empty or whose gem is bursting.
bool FreeToLand(const TCell* cell) {
  return cell && cell->active && (!cell->Gem || cell->Gem->GemType == -1);
}

// The refill entry of column gx at row `row`, or -1.
int EntryAt(int gx, int row) {
  const auto column = static_cast<size_t>(gx);
  for (int k = 0; k < TopRowCount[column] && k < TOP_ROW_SLOTS; ++k) {
    if (TopRowY[column][static_cast<size_t>(k)] == row) return k;
  }
  return -1;
}

}  // namespace

int TGameGrid::DropGems() {
  BoardHost& host = BoardHost::Current();
  if (DropGemsFlag == 0 || NoMoreCounter > 0 || host.OutroActive()) return 0;
  CheckTopRow();
  int moving = 0;

  // Only the lowest gem above each gap starts per scan: the scan runs downwards and empties
  // a cell only after the cells above it were looked at.
  if (FallCounter <= 0) {
    for (int y = 0; y <= levelheight - 2; ++y) {
      for (int x = 0; x < levelwidth; ++x) {
        TCell* cell = GridAt(x, y);
        if (!cell || !cell->Gem) continue;
        TGem& gem = *cell->Gem;
        if (gem.locked || gem.dy != 0.0f || gem.GemType == -1 || gem.Swapping) continue;
        const TCell* below = GridAt(x, y + 1);
        if (!below || !below->active || below->Gem) continue;
        if (Mode == 1 && cx == x && cy == y) {
          CursorClear();
          RestorePointer();
        }
        gem.dy = kFallStart;
        cell->Gem.reset();
        FallCounter = kFallStagger;
        moving = 1;
      }
    }
  }
  if (FallCounter > 0) FallCounter -= Delta;

  int moved = 0;
  int landed = 0;
  if (GemList) {
    TGemList& list = *GemList;
    list.ForEach([&](const TGemPtr& held) {
      TGem& gem = *held;
      if (gem.dy <= 0 || gem.Swapping) return;
      moving = 1;
      moved = 1;
      const int oldGy = gem.gy;
      const int oldY = static_cast<int>(gem.y);
      gem.y += gem.dy * Delta;
      gem.dy += kFallAcceleration * Delta;
      if (gem.dy > kFallTopSpeed) gem.dy = kFallTopSpeed;

      // The list is in height order, so the gems below this one come before it.
      bool blocked = false;
      bool done = false;
      list.ForEach([&](const TGemPtr& other) {
        if (done || other->Swapping) return;
        if (!(other->y > gem.y)) {
          done = true;
          return;
        }
        if (other.get() == &gem || other->dy <= 0 || other->x != gem.x) return;
        if (ccRectsOverlap(static_cast<int>(gem.x), static_cast<int>(gem.y), 50, 50, static_cast<int>(other->x),
                           static_cast<int>(other->y), 50, 50)) {
          blocked = true;
          done = true;
        }
      });
      if (blocked) {
        gem.y = static_cast<float>(oldY);
        gem.dy = kFallStart;
      }

      gem.gx = CalcGX(static_cast<int>(gem.x));
      gem.gy = CalcGY(static_cast<int>(gem.y));
      if (gem.gx < 0 || gem.gx >= levelwidth) return;
      const auto column = static_cast<size_t>(gem.gx);
      if (gem.gy < TopRowY[column][0]) return;
      if (gem.gy >= levelheight) gem.gy = levelheight - 1;

      if (oldGy < gem.gy) {
        for (int k = TopRowCount[column] - 1; k >= 0; --k) {
          const int row = TopRowY[column][static_cast<size_t>(k)];
          if (row > oldGy && row <= gem.gy) {
            int& pending = TopRow[column][static_cast<size_t>(k)];
            if (pending > 0) --pending;
            break;
          }
        }
      }

      if (!Supported(*this, gem.gx, gem.gy)) return;
      int row = gem.gy;
      // Never into a hole or onto a live gem (a swap or a new piece may have filled the cell
      // while this gem was on its way): over a filled cell it stops one cell higher when
      // that is free; else (a refill hanging in a hole) it leaves the board.
      if (!FreeToLand(GridAt(gem.gx, row))) {
        const TCell* here = GridAt(gem.gx, row);
        if (here && here->active && row - 1 >= 0 && FreeToLand(GridAt(gem.gx, row - 1))) {
          --row;
        } else {
          // A refill still hanging above its entry no longer counts as pending.
          const int entry = EntryAt(gem.gx, row + 1);
          if (entry >= 0 && TopRow[column][static_cast<size_t>(entry)] > 0) --TopRow[column][static_cast<size_t>(entry)];
          list.Remove(gem);
          return;
        }
      }
      gem.gy = row;
      gem.y = static_cast<float>(CalcSY(row));
      gem.dy = 0;
      GridAt(gem.gx, row)->Gem = held;
      landed = 1;
    });
  }

  if (moved && GemList) GemList->SortAll();
  if (landed) {
    if (Channels && LandChannel && !platform::ChannelPlaying(LandChannel->Channel)) {
      Channels->PlayGameSound(LandSound, LandChannel, 1.0f, 0.0f);
    }
    BoardHost::Current().Player().KillsAdd(DoMatches(0, 0));
  }
  if (BlockInput == 0) BlockInput = moving;
  return 1;
}

int TGameGrid::CheckTopRow() {
  if (MakeNewGems == 0 || NoMore != 0) return 0;
  for (int x = 0; x < levelwidth; ++x) {
    const auto column = static_cast<size_t>(x);
    for (int k = 0; k < TopRowCount[column] && k < TOP_ROW_SLOTS; ++k) {
      const auto entry = static_cast<size_t>(k);
      const TCell* cell = GridAt(x, TopRowY[column][entry]);
      if (!cell || cell->Gem || TopRow[column][entry] != 0) continue;
      const TGemPtr gem = TGem::Make(x, TopRowY[column][entry], TGem::Random(), 1);
      gem->SetDropInY();
      if (static_cast<float>(platform::Rand(1, 10000)) < 1000.0f * Delta) gem->CreateTumblet();
      if (GemList) GemList->InsertGem(gem);
      ++TopRow[column][entry];
    }
  }
  return 0;
}
