// TGameGrid: the search for a move and the no-more-moves sequence.
#include <algorithm>
#include <array>

#include "board/BoardHost.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TGemList.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "core/TGameSound.h"
#include "platform/Audio.h"

namespace {

// The types the search sees, mirrored from the cell array for the duration of a search (and
// exchanged with it), so the windows read plain integers: 0 for no cell or no gem.
struct SearchTypes {
  using Table = std::array<std::array<int, GRID_HEIGHT>, GRID_WIDTH>;
  Table type{};
  // Everything of a slot the search reads (cell, active, gem, locked, type): two equal keys
  // give the same search.
  Table key{};
  bool active = false;

  void Fill() {
    for (size_t x = 0; x < GRID_WIDTH; ++x) {
      for (size_t y = 0; y < GRID_HEIGHT; ++y) {
        const TCell* cell = Grid[x][y].get();
        const TGem* gem = cell ? cell->Gem.get() : nullptr;
        type[x][y] = gem ? gem->GemType : 0;
        key[x][y] = !cell ? 0 : 1 | (cell->active ? 2 : 0) | (gem ? 4 | (gem->locked ? 8 : 0) | ((gem->GemType + 1) << 4) : 0);
      }
    }
  }
  void Exchange(int x1, int y1, int x2, int y2) {
    std::swap(type[static_cast<size_t>(x1)][static_cast<size_t>(y1)],
              type[static_cast<size_t>(x2)][static_cast<size_t>(y2)]);
  }
};
SearchTypes gTypes;

// The last answer to "is there a move?" with what it depended on and what it left behind. The
// check asks it every tick the board rests, and the board seldom changes between two asks.
struct LastAnswer {
  bool valid = false;
  SearchTypes::Table key{};
  int width = 0, height = 0, diagonal = 0;
  int result = 0, debugX = -1, debugY = -1, hintGemType = 0;

  bool Holds(int w, int h, int d) const {
    return valid && width == w && height == h && diagonal == d && key == gTypes.key;
  }
};
LastAnswer gLast;

inline int TypeAt(int x, int y) { return gTypes.type[static_cast<size_t>(x)][static_cast<size_t>(y)]; }

// One scan line of a quick test: from (x, y) for `length` cells stepping (sx, sy). The colour
// of the first run of three, else 0.
inline int ScanLine(int x, int y, int sx, int sy, int length) {
  int previous = 0;
  int run = 0;
  for (int i = 0; i < length; ++i, x += sx, y += sy) {
    const int type = TypeAt(x, y);
    if (type < 1 || type > TGem::kLastColour) {
      run = 0;
    } else if (i > 0 && type == previous) {
      if (++run >= 3) return type;
    } else {
      run = 1;
    }
    previous = type;
  }
  return 0;
}

}  // namespace

int TGameGrid::NoMoreMoves(int n) {
  const int width = std::min(levelwidth, GRID_WIDTH);
  const int height = std::min(levelheight, GRID_HEIGHT);
  int count = 0;
  int found = 0;
  int swapped = 0;
  int srcX = -1;
  int srcY = -1;
  int dstX = -1;
  int dstY = -1;
  std::shared_ptr<TGem> gem;  // the source's own gem while its swaps are tried
  TCell* source = nullptr;
  gTypes.Fill();
  const int diagonal = DiagonalMoves != 0 ? 1 : 0;
  if (n == 0 && gLast.Holds(width, height, diagonal)) {
    DebugX = gLast.debugX;
    DebugY = gLast.debugY;
    HintGemType = gLast.hintGemType;
    return gLast.result;
  }
  gTypes.active = true;
  struct EndSearch {
    TGameGrid& board;
    int n, width, height, diagonal;
    int* result;
    ~EndSearch() {
      gTypes.active = false;
      if (n != 0) return;
      gLast = {true, gTypes.key, width, height, diagonal, *result, board.DebugX, board.DebugY, board.HintGemType};
    }
  };
  int result = 1;
  EndSearch endSearch{*this, n, width, height, diagonal, &result};
  for (int y = 0; y < height && !found; ++y) {
    for (int x = 0; x < width && !found; ++x) {
      const std::shared_ptr<TCell>& cell = Grid[static_cast<size_t>(x)][static_cast<size_t>(y)];
      if (!cell || !cell->active) continue;
      if (cell->Gem && cell->Gem->locked) continue;
      gem = cell->Gem;
      source = cell.get();
      srcX = x;
      srcY = y;
      const int type = gem ? gem->GemType : 0;
      if (type > TGem::kLastColour) {
        dstX = -1;
        dstY = -1;
        swapped = 0;
        if (n == 0 || ++count == n) {
          found = 1;
          break;
        }
      }
      if (type == -1) continue;
      struct Try {
        int dx, dy, kind;
      };
      const Try tries[4] = {{0, 1, 0}, {1, 0, 0}, {-1, 1, 1}, {1, 1, 2}};
      const int tryCount = DiagonalMoves != 0 && y < height - 1 ? 4 : 2;
      for (int t = 0; t < tryCount && !found; ++t) {
        const int tx = x + tries[t].dx;
        const int ty = y + tries[t].dy;
        if (tx < 0 || tx >= width || ty >= height) continue;
        if (TestMove(n, x, y, tx, ty, 0, gem, cell, swapped, found, count, tries[t].kind) == 1) {
          dstX = tx;
          dstY = ty;
        }
      }
    }
  }
  if (!found) {
    if (n > 0 && count > 0) HintCurrent = 1;
    DebugX = -1;
    DebugY = -1;
    return result = 1;
  }
  const bool isSwap = dstX != -1;
  if (isSwap && swapped == 1) std::swap(source->Gem, GridAt(dstX, dstY)->Gem);
  const int type = gem ? gem->GemType : 0;
  bool showSource = false;
  if (!gem || (isSwap && type > TGem::kLastColour)) {
    showSource = false;
  } else if (type == HintGemType || !isSwap) {
    showSource = true;
  }
  DebugX = showSource ? srcX : dstX;
  DebugY = showSource ? srcY : dstY;
  return result = 0;
}

int TGameGrid::TestMove(int n, int x1, int y1, int x2, int y2, int,
                        const std::shared_ptr<TGem>& gem, const std::shared_ptr<TCell>& cell,
                        int& swapped, int& found, int& count, int kind) {
  TCell* dest = GridAt(x2, y2);
  if (!dest || !dest->active) return 0;
  if (const TGem* other = dest->Gem.get(); other && (other->locked || other->GemType == -1)) return 0;
  // Exchanged and exchanged back whole: no reference count moves, and the source cell holds
  // its own gem between tries.
  (void)gem;
  std::swap(cell->Gem, dest->Gem);
  if (gTypes.active) gTypes.Exchange(x1, y1, x2, y2);
  swapped = 1;
  // A row and a column made by one swap count as two moves.
  if (DoQuickMatchHoriz(x1, y1, kind) == 1 && (n == 0 || ++count == n)) {
    found = 1;
    return 1;
  }
  if (DoQuickMatchVert(x1, y1, kind) == 1 && (n == 0 || ++count == n)) {
    found = 1;
    return 1;
  }
  std::swap(cell->Gem, dest->Gem);
  if (gTypes.active) gTypes.Exchange(x1, y1, x2, y2);
  return 0;
}

int TGameGrid::DoQuickMatchHoriz(int x, int y, int kind) {
  HintGemType = 0;
  if (!gTypes.active) gTypes.Fill();
  const int width = std::min(levelwidth, GRID_WIDTH);
  const int height = std::min(levelheight, GRID_HEIGHT);
  const int last = std::min(y + 1, height - 1);
  for (int row = y; row <= last; ++row) {
    const int reach = kind != 0 && row == last ? 1 : 0;
    const int from = std::max(x - 2 - reach, 0);
    const int to = std::min(x + 3 + reach, width - 1);
    if (const int colour = ScanLine(from, row, 1, 0, to - from + 1)) {
      HintGemType = colour;
      return 1;
    }
  }
  return 0;
}

int TGameGrid::DoQuickMatchVert(int x, int y, int kind) {
  HintGemType = 0;
  if (!gTypes.active) gTypes.Fill();
  const int width = std::min(levelwidth, GRID_WIDTH);
  const int height = std::min(levelheight, GRID_HEIGHT);
  const int first = std::max(kind == 1 ? x - 1 : x, 0);
  const int last = std::min(kind == 1 ? x : x + 1, width - 1);
  for (int column = first; column <= last; ++column) {
    const int reach = kind != 0 && column == last ? 1 : 0;
    const int from = std::max(y - 2 - reach, 0);
    const int to = std::min(y + 3 + reach, height - 1);
    if (const int colour = ScanLine(column, from, 0, 1, to - from + 1)) {
      HintGemType = colour;
      return 1;
    }
  }
  return 0;
}

int TGameGrid::ManageNoMoreMoves() {
  BoardHost& host = BoardHost::Current();
  if (host.OutroActive()) return 0;
  if (NoMoreCounter <= 0) {
    // The tick that finds no move only starts the sequence; its first step is the next tick.
    if (BlockInput == 0 && SwapCounter <= 0) {
      NoMore = NoMoreMoves(0);
      if (NoMore == 1) host.Quit();
    }
    return 0;
  }
  const float whole = Game->CalcAnimLength(4000);
  const float flight = Game->CalcAnimLength(3000);
  if (NoMoreCounter > flight) {
    const float r = 1.0f - (whole - NoMoreCounter) / Game->CalcAnimLength(1000);
    platform::SetChannelVolume(Game->MusicChannel, static_cast<float>(Game->MusicVolume) / 100.0f * r);
    alpha = r;
  }
  NoMoreCounter -= Delta;
  if (NoMoreCounter <= flight) {
    const std::shared_ptr<TGemList> list = GemList;
    if (Exploded == 0) {
      if (SoundExplode) SoundExplode->PlayInChannel(ChannelExplode, 0);
      Exploded = 1;
      JiggleOffset = 0;
      JiggleDirection = 0;
      if (list) list->SpreadAll();
    }
    if (list) list->MoveAll();
  } else if (JiggleDirection <= 0) {
    JiggleOffset -= Delta;
    if (JiggleOffset <= -JiggleMax) JiggleDirection = 1;
  } else {
    JiggleOffset += Delta;
    if (JiggleOffset >= JiggleMax) JiggleDirection = -1;
  }
  if (NoMoreCounter <= 0) {
    NoMoreCounter = 0;
    TGem::MidHandle(0);
    NoMore = 0;
    // The restart replaces this board and its gem list: nothing of this board is touched after.
    host.RestartLevel();
    Game->MusicPlay(1, 0, 0);
  }
  return 0;
}

int TGameGrid::StartNoMoreMoves() {
  RestorePointer();
  NoMore = 1;
  HintEnd();
  NoMoreCounter = Game->CalcAnimLength(4000);
  BlockInput = 1;
  JiggleDirection = 1;
  if (SoundNoMore) SoundNoMore->PlayInChannel(ChannelNoMore, 0);
  return 0;
}
