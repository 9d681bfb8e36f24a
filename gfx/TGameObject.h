#pragma once
// A plain moving sprite that leaves its list when it goes off the screen.
#include <memory>

#include "gfx/TSafeList.h"
#include "gfx/TSprite.h"

class TGameObjectList;
class TGameObject;
using TGameObjectPtr = std::shared_ptr<TGameObject>;

class TGameObject : public TSprite {
 public:
  std::weak_ptr<TGameObjectList> GameObjects;  // the owning list

  static TGameObjectPtr Create(const TGameImagePtr& image, float x, float y);
  // The sprite's Move, then Kill when off the screen.
  int Move() override;
  // Leaves the list (when it has one); nothing else.
  int Kill() override;

 private:
  friend class TGameObjectList;
  TSafeList<TGameObject>::Slot slot_{};
};
