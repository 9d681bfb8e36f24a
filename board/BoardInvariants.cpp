#include "board/BoardInvariants.h"

#include <array>
#include <sstream>

#include "board/BoardHost.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TGemList.h"

namespace {

std::string At(const char* what, int x, int y) {
  std::ostringstream out;
  out << what << " at (" << x << ", " << y << ")";
  return out.str();
}

}  // namespace

std::string CheckBoardInvariants() {
  const TGameGrid* board = GameGrid.get();
  if (!board) return "";
  const bool flight = board->Exploded == 1;  // the no-more-moves flight moves gems freely
  const bool outro = BoardHost::Current().OutroActive() != 0;

  // Cells whose gem was met in the list (no allocation: this runs every tick in checked
  // builds).
  std::array<std::array<bool, GRID_HEIGHT>, GRID_WIDTH> listed{};
  bool falling = false;
  bool ordered = true;
  float previousY = 0;
  bool first = true;
  int lockedInList = 0;
  std::string broken;
  if (GemList) {
    GemList->ForEach([&](const TGemPtr& gem) {
      if (const TCell* cell = GridAt(gem->gx, gem->gy); cell && cell->Gem == gem) {
        listed[static_cast<size_t>(gem->gx)][static_cast<size_t>(gem->gy)] = true;
      }
      if (gem->locked) ++lockedInList;
      if (gem->dy != 0.0f) falling = true;
      if (broken.empty() && !(gem->GemType == -1 || (gem->GemType >= 1 && gem->GemType <= 14))) {
        broken = At("gem of type " , gem->gx, gem->gy) + " is " + std::to_string(gem->GemType);
      }
      if (gem->Swapping) return;
      if (!first && gem->y > previousY) ordered = false;
      previousY = gem->y;
      first = false;
    });
  }
  if (!broken.empty()) return broken;

  if (!flight) {
    for (int x = 0; x < GRID_WIDTH; ++x) {
      for (int y = 0; y < GRID_HEIGHT; ++y) {
        const TCell* cell = GridAt(x, y);
        if (!cell || !cell->Gem) continue;
        if (!cell->active) return At("a gem in a hole", x, y);
        if (cell->Gem->gx != x || cell->Gem->gy != y) {
          return At("the cell's gem thinks it is elsewhere", x, y) + " (gem at (" +
                 std::to_string(cell->Gem->gx) + ", " + std::to_string(cell->Gem->gy) + "))";
        }
        if (!listed[static_cast<size_t>(x)][static_cast<size_t>(y)]) return At("the cell's gem is not in the gem list", x, y);
      }
    }
    if (GemList) {
      GemList->ForEach([&](const TGemPtr& gem) {
        if (!broken.empty() || gem->GemType == -1 || gem->dy != 0.0f || gem->Swapping) return;
        const TCell* cell = GridAt(gem->gx, gem->gy);
        if (!cell || cell->Gem != gem) broken = At("a live gem at rest is not its cell's gem", gem->gx, gem->gy);
      });
      if (!broken.empty()) return broken;
    }
    if (!outro && !ordered) return "the gem list is out of drawing order (y descending)";
  }

  int gold = 0;
  for (int x = 0; x < board->levelwidth; ++x) {
    for (int y = 0; y < board->levelheight; ++y) {
      const TCell* cell = GridAt(x, y);
      if (cell && cell->active) gold += cell->gold + cell->armour;
    }
  }
  if (board->Gold < 0) return "Gold is negative: " + std::to_string(board->Gold);
  if (gold != board->Gold) {
    return "Gold is " + std::to_string(board->Gold) + " but the board holds " + std::to_string(gold) + " layers";
  }
  if (lockedInList != board->Locked) {
    return "Locked is " + std::to_string(board->Locked) + " but " + std::to_string(lockedInList) +
           " locked gems are in the list";
  }
  if ((board->Mode == 0) != (board->cx == -1 && board->cy == -1)) {
    return "Mode " + std::to_string(board->Mode) + " with the cursor at (" + std::to_string(board->cx) +
           ", " + std::to_string(board->cy) + ")";
  }

  // With gravity or refill off nothing fills an emptied cell, so rest explains nothing.
  const bool atRest = board->DropGemsFlag && board->MakeNewGems && board->BlockInput == 0 && board->SwapCounter <= 0 && !falling &&
                      board->NoMore == 0 && !outro;
  if (atRest && !flight) {
    for (int x = 0; x < GRID_WIDTH; ++x) {
      for (int k = 0; k < TOP_ROW_SLOTS; ++k) {
        if (TopRow[static_cast<size_t>(x)][static_cast<size_t>(k)] != 0) {
          return At("a refill is still counted at rest in TopRow[x][k]", x, k);
        }
      }
    }
    for (int x = 0; x < board->levelwidth; ++x) {
      for (int y = 0; y < board->levelheight; ++y) {
        const TCell* cell = GridAt(x, y);
        if (!cell || !cell->active || cell->Gem) continue;
        // An empty cell at rest lies under a locked gem of its own stretch, or under a gem still
        // bursting (a lock a sweeper broke over it): the stretch refills once that has gone.
        bool explained = false;
        for (int above = y - 1; above >= 0; --above) {
          const TCell* up = GridAt(x, above);
          if (!up || !up->active) break;
          if (up->Gem) {
            explained = up->Gem->locked != 0 || up->Gem->GemType == -1;
            break;
          }
        }
        if (!explained) return At("an empty cell at rest with no locked gem above it", x, y);
      }
    }
  }
  return "";
}
