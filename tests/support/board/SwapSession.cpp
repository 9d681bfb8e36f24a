#include "support/board/SwapSession.h"

#include "board/BoardGlobals.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TGemList.h"
#include "support/board/BoardDriver.h"

namespace testrig {

namespace {

bool Movable(const TCell* cell) {
  return cell && cell->active && cell->Gem && !cell->Gem->locked && cell->Gem->GemType >= 1 &&
         cell->Gem->GemType <= TGem::kLastBonus;
}

}  // namespace

std::vector<SwapMove> StandingSwaps() {
  std::vector<SwapMove> moves;
  TGameGrid& board = *GameGrid;
  for (int y = 0; y < board.levelheight; ++y) {
    for (int x = 0; x < board.levelwidth; ++x) {
      for (const auto& [ox, oy] : {std::pair{1, 0}, std::pair{0, 1}}) {
        TCell* a = GridAt(x, y);
        TCell* b = GridAt(x + ox, y + oy);
        if (x + ox >= board.levelwidth || y + oy >= board.levelheight || !Movable(a) || !Movable(b)) continue;
        if (a->Gem->GemType > TGem::kLastColour && b->Gem->GemType > TGem::kLastColour) continue;
        std::swap(a->Gem, b->Gem);
        const int playing = board.TumbletPlaying;
        const int found = board.DoMatches(1, 1);
        board.TumbletPlaying = playing;
        SwapMove move{x, y, x + ox, y + oy, 0};
        for (int cx = 0; cx < board.levelwidth; ++cx) {
          for (int cy = 0; cy < board.levelheight; ++cy) {
            const TCell* c = GridAt(cx, cy);
            if (c && c->match) move.layers += c->gold + c->armour;
          }
        }
        const bool stands = found > 0 && (a->match || b->match);
        board.ClearMatches();
        std::swap(a->Gem, b->Gem);
        if (stands) moves.push_back(move);
      }
    }
  }
  return moves;
}

bool BoardAtRest() {
  const TGameGrid& board = *GameGrid;
  if (board.BlockInput != 0 || board.SwapCounter > 0) return false;
  bool moving = false;
  GemList->ForEach([&](const TGemPtr& gem) { moving = moving || gem->dy != 0.0f || gem->ExplosionCounter > 0; });
  if (moving) return false;
  for (const auto& column : TopRow) {
    for (int pending : column) {
      if (pending != 0) return false;
    }
  }
  return true;
}

SwapSession::SwapSession(uint32_t seed, int pick) : random_(seed), pick_(pick) {}

std::string SwapSession::Step() {
  Feed();
  return Tick();
}

void SwapSession::Feed() {
  switch (phase_) {
    case 0:
      if (BoardAtRest()) {
        const std::vector<SwapMove> moves = StandingSwaps();
        if (moves.empty()) {
          // A board without a standing swap: burst a gem, as a bonus piece would, and go on.
          ++stuck;
          const int w = GameGrid->levelwidth;
          const int h = GameGrid->levelheight;
          const int start = std::uniform_int_distribution<int>(0, w * h - 1)(random_);
          for (int i = 0; i < w * h; ++i) {
            const int j = (start + i) % (w * h);
            TCell* cell = GridAt(j % w, j / w);
            if (Movable(cell) && cell->Gem->GemType <= TGem::kLastColour) {
              cell->Gem->Destroy();
              break;
            }
          }
          sinceAction_ = 0;
          break;
        }
        move_ = moves[std::uniform_int_distribution<size_t>(0, moves.size() - 1)(random_)];
        if (pick_ == 1) {
          for (const SwapMove& m : moves) {
            if (m.layers > move_.layers) move_ = m;
          }
        }
        PointAtCell(move_.x, move_.y);
        Press();
        phase_ = 1;
        sinceAction_ = 0;
      }
      break;
    case 1:
      Release();
      phase_ = 2;
      break;
    case 2:
      PointAtCell(move_.tx, move_.ty);
      Press();
      phase_ = 3;
      break;
    default:
      Release();
      phase_ = 0;
      ++swaps;
      break;
  }
  ++ticks;
  ++sinceAction_;
  if (!BoardAtRest() && sinceAction_ > restless) restless = sinceAction_;
}

}  // namespace testrig
