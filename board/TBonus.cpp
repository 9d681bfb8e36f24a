#include "board/TBonus.h"

#include "board/BoardGlobals.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TGemList.h"
#include "gfx/Geometry.h"

std::shared_ptr<TBonus> TBonus::Create(const TParticlePtr& particle) {
  auto bonus = std::make_shared<TBonus>();
  bonus->p = particle;
  return bonus;
}

int TBonus::Manage() {
  if (!p || p->active == 0) return 1;
  const std::shared_ptr<TGameGrid> board = GameGrid;
  const std::shared_ptr<TGemList> list = GemList;
  if (!board || !list) return 0;
  const int px = static_cast<int>(p->x);
  const int py = static_cast<int>(p->y);
  list->ForEach([&](const TGemPtr& gem) {
    if (gem->x != p->x || gem->GemType <= 0 || gem->Swapping != 0) return;
    if (!ccRectsOverlap(px, py, 50, 50, static_cast<int>(gem->x), static_cast<int>(gem->y), 50, 50)) return;
    // The selected gem going ends the selection: no cursor on an empty cell, no pointer
    // carrying a piece that is gone.
    if (board->Mode == 1 && gem->gx == board->cx && gem->gy == board->cy) {
      if (const TCell* cell = GridAt(gem->gx, gem->gy); cell && cell->Gem == gem) {
        board->CursorClear();
        board->RestorePointer();
      }
    }
    board->TumbletPlaying = 0;
    const int wasLocked = gem->Destroy();
    TGameGrid::PlaySound(wasLocked == 1 ? board->UnlockSound : board->MatchNoBrickSound);
    board->PlayTumbletSound();
  });
  return 0;
}
