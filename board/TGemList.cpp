#include "board/TGemList.h"

#include "board/BoardHost.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "core/Globals.h"
#include "gfx/TSineCounter.h"
#include "platform/Clock.h"

int TGemList::Manage() {
  for (int type = TGem::kFirstBonus; type <= TGem::kLastBonus; ++type) {
    const auto slot = static_cast<size_t>(type);
    TGem::BonusIdleCounter[slot] += Delta;
    const float length = TGem::BonusIdleLengthsConverted[slot];
    if (length > 0 && TGem::BonusIdleCounter[slot] >= length) TGem::BonusIdleCounter[slot] -= length;
  }
  TGameGrid* board = GameGrid.get();
  const bool outro = BoardHost::Current().OutroActive() != 0;
  const float r = board ? board->glow->ratio : 0.0f;
  int busy = 0;
  items_.Walk([&](const TGemPtr& gem, TSafeList<TGem>::Slot slot) {
    if (gem->Tumblet) gem->Manage();
    if (gem->ExplosionCounter <= 0) {
      const bool hovered = board && gem->gx == board->mx && gem->gy == board->my &&
                           gem->Swapping == 0 && gem->dy == 0.0f && board->NoMore == 0 && !outro;
      if (hovered) {
        gem->glow = gem->GemType <= TGem::kLastColour ? r * 0.7f + 0.3f : r * 0.3f + 0.1f;
      } else if (gem->glow > 0) {
        gem->glow -= 0.02f * Delta;
        if (gem->glow < 0) gem->glow = 0;
      }
      return;
    }
    busy = 1;
    gem->ExplosionCounter -= Delta;
    if (gem->ExplosionCounter > 0) {
      gem->Rotation += gem->RotationSpeed * Delta;
      if (gem->OrigGemType > TGem::kLastColour) gem->glow -= 0.02f * Delta;
      return;
    }
    gem->ExplosionCounter = 0;
    if (gem->AnimActive == 1) {
      gem->AnimActive = 0;
      gem->Explode(1);
      return;
    }
    if (gem->gy >= 0) {
      TCell* cell = GridAt(gem->gx, gem->gy);
      // The cell may have taken a new gem while this one burst.
      if (cell && cell->Gem == gem) cell->Gem.reset();
    }
    items_.Remove(slot);
  });
  return busy;
}

int TGemList::SortAll() {
  items_.Sort([](const TGem& a, const TGem& b) { return a.y > b.y; });
  return 0;
}

int TGemList::InsertGem(const TGemPtr& gem) {
  TSafeList<TGem>::Slot before = items_.EndSlot();
  bool found = false;
  items_.Walk([&](const TGemPtr& other, TSafeList<TGem>::Slot slot) {
    if (!found && other->y < gem->y) {
      before = slot;
      found = true;
    }
  });
  items_.InsertBefore(before, gem);
  return 0;
}

int TGemList::ExplodeAll(int) {
  items_.Walk([](const TGemPtr& gem, TSafeList<TGem>::Slot) {
    gem->ExplosionShow = 0;
    gem->Explode(0);
  });
  return 0;
}

int TGemList::SpreadAll() {
  TGameGrid* board = GameGrid.get();
  if (!board) return 0;
  const float centreX = static_cast<float>(board->sx) + static_cast<float>(board->levelwidth - 1) * 50.0f / 2;
  const float centreY = static_cast<float>(board->sy) + static_cast<float>(board->levelheight - 1) * 50.0f / 2;
  items_.Walk([&](const TGemPtr& gem, TSafeList<TGem>::Slot slot) {
    const float ox = gem->x - centreX;
    const float oy = gem->y - centreY;
    if (ox == 0.0f && oy == 0.0f) {
      // The middle gem has no way to fly and leaves the board; a lock on it leaves with it,
      // quietly (no lock bursts), so Locked still counts the locked gems in the list.
      if (gem->locked) {
        gem->locked = 0;
        --board->Locked;
      }
      items_.Remove(slot);
      return;
    }
    gem->dx = ox * static_cast<float>(platform::Rnd(0.01, 0.016));
    gem->dy = oy * static_cast<float>(platform::Rnd(0.01, 0.016));
    gem->SetupRotation(static_cast<float>(platform::Rnd(0.5, 1.0)), 3000, 0, 0);
    if (gem->GemType <= TGem::kLastColour) {
      gem->x += 25;
      gem->y += 25;
    }
  });
  TGem::MidHandle(1);
  return 0;
}

int TGemList::ExplodeTumblets() {
  if (GameGrid) GameGrid->TumbletPlaying = 0;
  items_.Walk([](const TGemPtr& gem, TSafeList<TGem>::Slot) {
    if (gem->Tumblet) gem->Explode(0);
  });
  if (GameGrid) GameGrid->PlayTumbletSound();
  return 0;
}

int TGemList::MoveAll() {
  items_.Walk([](const TGemPtr& gem, TSafeList<TGem>::Slot) {
    gem->Move();
    gem->ManageRotation();
  });
  return 0;
}

int TGemList::Draw() {
  items_.Walk([](const TGemPtr& gem, TSafeList<TGem>::Slot) {
    if (gem->Swapping == 0) gem->DrawGem();
  });
  if (TGameGrid* board = GameGrid.get()) {
    if (board->SwapDest) board->SwapDest->DrawGem();
    if (board->SwapSource) board->SwapSource->DrawGem();
  }
  return 0;
}
