// TGameGrid: the bonus pieces.
#include <algorithm>

#include "board/BoardParticles.h"
#include "board/TBonusList.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "core/TGameSound.h"
#include "gfx/TImageBank.h"
#include "gfx/TParticleList.h"

namespace {

// f(x, y) for the 3 by 3 block around (cx, cy) clipped to the board, column by column, each
// from the top.
template <class F>
void ForBlock(const TGameGrid& board, int cx, int cy, F&& f) {
  for (int x = std::max(cx - 1, 0); x <= std::min(cx + 1, board.levelwidth - 1); ++x) {
    for (int y = std::max(cy - 1, 0); y <= std::min(cy + 1, board.levelheight - 1); ++y) f(x, y);
  }
}

// An effect strip on AnimatedParticles: still, unscaled, no fade; looping over `frames` in `ms`.
TParticlePtr EffectParticle(int x, int y, const TGameImagePtr& image, float dx, float dy,
                            float gravity, int lifeMs, int frames, int ms) {
  if (!AnimatedParticles || !image) return nullptr;
  TParticlePtr p = AnimatedParticles->AddNew(x, y, image, dx, dy, gravity, 0.0f, 0, 0, 0.0f, 1.0f,
                                             0.0f, lifeMs, 0);
  p->SetupAnim(frames, ms, 0, 0, 0, 0, 1);
  return p;
}

}  // namespace

int TGameGrid::DestroySquare(int x, int y) {
  TCell* cell = GridAt(x, y);
  if (!cell || !cell->Gem) return 0;
  // The gem may leave its cell while it bursts; hold it for the call.
  const std::shared_ptr<TGem> gem = cell->Gem;
  return gem->Destroy();
}

int TGameGrid::UseBonusPiece() {
  TCell* here = GridAt(mx, my);
  if (!here || !here->Gem) return 0;
  const std::shared_ptr<TGem> piece = here->Gem;
  const int type = piece->GemType;
  if (type != 8 && type != 9 && type != 10 && type != 12) return 0;
  HintEnd();
  int hit = 0;
  switch (type) {
    case 8:  // lion
      TumbletPlaying = 0;
      ForBlock(*this, mx, my, [&](int x, int y) {
        if ((x != mx || y != my) && DestroySquare(x, y) == 1) hit = 1;
      });
      piece->Activate();
      PlayTumbletSound();
      PlaySound(ExplodeSound);
      if (hit) PlaySound(UnlockSound);
      break;
    case 9: {  // horn
      TumbletPlaying = 0;
      for (int x = 0; x < levelwidth; ++x) {
        if (DestroySquare(x, my) == 1) hit = 1;
      }
      PlayTumbletSound();
      PlaySound(HornSound);
      if (hit) PlaySound(UnlockSound);
      const TGameImagePtr& strip = ParticleImages[8];
      if (TParticlePtr left = EffectParticle(CalcSX(mx) + 50, CalcSY(my), strip, -3.0f, 0.0f, 0.0f, 0, 11, 500)) {
        left->ScaleX = -1.0f;
      }
      EffectParticle(CalcSX(mx), CalcSY(my), strip, 3.0f, 0.0f, 0.0f, 0, 11, 500);
      break;
    }
    case 10: {  // tornado
      PlaySound(TornadoSound);
      DestroySquare(mx, my);
      const TParticlePtr p = EffectParticle(CalcSX(mx), 0, ParticleImages[9], 0.0f, 1.0f, 0.02f, 0, 14, 1000);
      if (p && HouseList) HouseList->AddNew(p);
      break;
    }
    default:  // 12, paint pot
      ForBlock(*this, mx, my, [&](int x, int y) {
        const TCell* cell = GridAt(x, y);
        if (!cell) return;
        if ((!cell->Gem || !cell->Gem->locked) && RemoveGold(x, y) == 1) hit = 1;
      });
      piece->Activate();
      EffectParticle(CalcSX(mx), CalcSY(my), images->Find(u"Bonus12activate"), 0.0f, 0.0f, 0.0f, 300, 6, 300);
      PlaySound(PaintpotSound);
      if (hit && MatchSound) {
        MatchSound->pitch = 1.0f;
        PlaySound(MatchSound);
      }
      break;
  }
  return 1;
}

int TGameGrid::UseCarriedPiece() {
  TCell* carrier = GridAt(cx, cy);
  TCell* target = GridAt(mx, my);
  if (!carrier || !carrier->Gem || !target) return 0;
  const int type = carrier->Gem->GemType;
  if (type != 11 && type != 13 && type != 14) return 0;
  HintEnd();
  const std::shared_ptr<TGem> gem = target->Gem;
  switch (type) {
    case 11:  // star
      if (gem && gem->GemType != -1) {
        PlaySound(StarSound);
        TumbletPlaying = 0;
        PlaySound(DestroySquare(mx, my) == 1 ? UnlockSound : MatchNoBrickSound);
        PlayTumbletSound();
      } else {
        PlaySound(InvalidSound);
      }
      DestroySquare(cx, cy);
      StarParticlesMake(static_cast<float>(CalcSX(mx) + 25), static_cast<float>(CalcSY(my) + 25), 60);
      RestorePointer();
      break;
    case 13:  // axe
      if (gem && gem->locked) {
        PlaySound(LockedSound);
        return 0;  // refused: it stays selected and carried
      }
      PlaySound(RemoveGold(mx, my) == 1 ? BrushSound : BrushInvalidSound);
      DestroySquare(cx, cy);
      InitPointerAnim();
      break;
    default:  // 14, key
      if (gem && gem->locked) {
        gem->Unlock();
        PlaySound(UnlockSound);
      } else {
        PlaySound(InvalidSound);
      }
      DestroySquare(cx, cy);
      InitPointerAnim();
      break;
  }
  CursorClear();
  return 1;
}
