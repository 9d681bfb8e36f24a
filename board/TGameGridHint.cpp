// TGameGrid: the hint and the removal of brick.
#include "board/BoardHost.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "core/Globals.h"
#include "gfx/TParticleList.h"
#include "platform/Clock.h"

namespace {

// Pieces of a worn layer flying off the cell's centre; fixed numbers at any detail setting.
void LayerDebris(int x, int y, const TGameImagePtr& image, int pieces, double spinMin, double spinMax) {
  if (!BackgroundParticles) return;
  for (int i = 0; i < pieces; ++i) {
    const auto dx = static_cast<float>(platform::Rnd(-1.0, 1.0));
    const auto dy = static_cast<float>(platform::Rnd(-1.0, -0.2));
    const auto spin = static_cast<float>(spinMax > spinMin ? platform::Rnd(spinMin, spinMax) : spinMin);
    BackgroundParticles->AddNew(x, y, image, dx, dy, 0.04f, 1500.0f, 0, dx >= 0 ? 1 : -1, spin, 1.0f, 0.0f,
                                0, 0);
  }
}

}  // namespace

int TGameGrid::HintStart() {
  BoardHost& host = BoardHost::Current();
  if (HintCounter > 0 || NoMoreCounter > 0 || host.OutroActive() || BlockInput != 0 || SwapCounter > 0) return 0;
  host.PlayMenuClick();
  PlaySound(HintSound);
  HintCounter = HintLength;
  const int asked = HintCurrent;
  // Fewer moves than asked (but some): the search starts the walk over; show the first.
  if (NoMoreMoves(HintCurrent) == 1 && asked != 1 && HintCurrent == 1) NoMoreMoves(1);
  ++HintCurrent;
  HintX = DebugX;
  HintY = DebugY;
  HintGem.reset();
  if (HintX != -1 && HintY != -1) {
    if (TCell* cell = GridAt(HintX, HintY); cell && cell->Gem) {
      HintGem = cell->Gem;
      HintGem->SetHintWobble(1);
    }
  }
  return 1;
}

int TGameGrid::HintManage() {
  if (HintCounter <= 0) return 0;
  HintCounter -= Delta;
  if (HintCounter <= 0) HintEnd();
  return 0;
}

int TGameGrid::HintEnd() {
  HintCounter = 0;
  // The hinted gem may have moved (a swap, a fall) since the hint began.
  if (HintGem) {
    HintGem->SetHintWobble(0);
    HintGem.reset();
  }
  return 0;
}

int TGameGrid::RemoveGold(int x, int y) {
  TCell* cell = GridAt(x, y);
  int result = 0;
  const int px = CalcSX(x) + 25;
  const int py = CalcSY(y) + 25;
  if (cell && cell->armour == 1) {
    --Gold;
    cell->armour = 0;
    LayerDebris(px, py, ParticleImages[1], 1, 1.0, 2.0);
    LayerDebris(px, py, ParticleImages[7], 2, 1.5, 3.0);
    result = 1;
  } else if (cell && cell->gold == 1) {
    --Gold;
    cell->gold = 0;
    LayerDebris(px, py, ParticleImages[2], 4, 2.0, 2.0);
    result = 1;
  }
  if (Gold < 1) TargetMet = 1;
  return result;
}
