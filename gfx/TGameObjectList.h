#pragma once
// An ordered list of game objects; walks tolerate objects leaving during them.
#include <memory>

#include "gfx/TGameObject.h"
#include "gfx/TSafeList.h"

class TGameObjectList : public std::enable_shared_from_this<TGameObjectList> {
 public:
  virtual ~TGameObjectList() = default;

  virtual TGameObjectPtr AddNew(int x, int y, const TGameImagePtr& image);
  virtual int Draw();
  virtual int Move();
  // Writes every object into collision layer 1.
  virtual int Collide();
  // Kills every object, which empties the list.
  virtual int Kill();

  void Remove(TGameObject& object);
  int Count() const { return items_.Count(); }
  template <class F>
  void ForEach(F&& f) {
    items_.Walk([&](const TGameObjectPtr& o, TSafeList<TGameObject>::Slot) { f(o); });
  }

 private:
  TSafeList<TGameObject> items_;
};
