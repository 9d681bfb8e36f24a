#include "gfx/TGameObjectList.h"

#include "gfx/CollisionLayers.h"

TGameObjectPtr TGameObjectList::AddNew(int x, int y, const TGameImagePtr& image) {
  TGameObjectPtr object =
      TGameObject::Create(image, static_cast<float>(x), static_cast<float>(y));
  object->slot_ = items_.PushBack(object);
  object->GameObjects = weak_from_this();
  return object;
}

void TGameObjectList::Remove(TGameObject& object) {
  if (object.GameObjects.lock().get() != this) return;
  object.GameObjects.reset();
  items_.Remove(object.slot_);
  object.slot_ = {};
}

int TGameObjectList::Draw() {
  items_.Walk([](const TGameObjectPtr& o, TSafeList<TGameObject>::Slot) { o->Draw(); });
  return 0;
}

int TGameObjectList::Move() {
  items_.Walk([](const TGameObjectPtr& o, TSafeList<TGameObject>::Slot) { o->Move(); });
  return 0;
}

int TGameObjectList::Collide() {
  items_.Walk([](const TGameObjectPtr& o, TSafeList<TGameObject>::Slot) {
    if (o->image && o->image->image) {
      CollideImage(o->image->image, static_cast<int>(o->x), static_cast<int>(o->y), 0, 0, 1, o);
    }
  });
  return 0;
}

int TGameObjectList::Kill() {
  items_.Walk([](const TGameObjectPtr& o, TSafeList<TGameObject>::Slot) { o->Kill(); });
  return 0;
}
