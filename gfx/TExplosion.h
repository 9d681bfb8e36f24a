#pragma once
// A sprite that plays its frames once, moving, scaling and spinning, and leaves its list when
// the animation time is used up.
#include <memory>

#include "gfx/TSafeList.h"
#include "gfx/TSprite.h"

class TExplosionList;
class TExplosion;
using TExplosionPtr = std::shared_ptr<TExplosion>;

class TExplosion : public TSprite {
 public:
  std::weak_ptr<TExplosionList> Explosions;  // the owning list; none until added

  static TExplosionPtr Create(const TGameImagePtr& image, float x, float y);
  // Leaves the list (when it is in one; a second Kill does nothing). Not the sprite's Kill.
  int Kill() override;
  int Move() override;
  // The frames over lengthMs, once.
  virtual int StartAnim(int lengthMs, int frames);
  // Move, scale, spin, count down; Kill when the time is up.
  virtual int Manage();

 private:
  friend class TExplosionList;
  TSafeList<TExplosion>::Slot slot_{};
};
