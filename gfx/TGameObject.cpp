#include "gfx/TGameObject.h"

#include "gfx/TGameObjectList.h"

TGameObjectPtr TGameObject::Create(const TGameImagePtr& image, float x, float y) {
  auto object = std::make_shared<TGameObject>();
  object->SetImage(image);
  object->SetPosition(x, y);
  return object;
}

int TGameObject::Move() {
  TSprite::Move();
  if (OutOfBounds()) Kill();
  return 0;
}

int TGameObject::Kill() {
  if (auto list = GameObjects.lock()) list->Remove(*this);
  return 0;
}
