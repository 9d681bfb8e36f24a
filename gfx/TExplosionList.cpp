#include "gfx/TExplosionList.h"

TExplosionPtr TExplosionList::AddNew(int x, int y, const TGameImagePtr& image) {
  TExplosionPtr explosion =
      TExplosion::Create(image, static_cast<float>(x), static_cast<float>(y));
  explosion->slot_ = items_.PushBack(explosion);
  explosion->Explosions = weak_from_this();
  return explosion;
}

void TExplosionList::Remove(TExplosion& explosion) {
  if (explosion.Explosions.lock().get() != this) return;
  explosion.Explosions.reset();
  items_.Remove(explosion.slot_);
  explosion.slot_ = {};
}

int TExplosionList::Draw() {
  items_.Walk([](const TExplosionPtr& e, TSafeList<TExplosion>::Slot) { e->Draw(); });
  return 0;
}

int TExplosionList::Manage() {
  items_.Walk([](const TExplosionPtr& e, TSafeList<TExplosion>::Slot) { e->Manage(); });
  return 0;
}
