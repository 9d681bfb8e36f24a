#pragma once
// Explosions drawn and managed in order; an explosion leaving during the walk is safe.
#include <memory>

#include "gfx/TExplosion.h"
#include "gfx/TSafeList.h"

class TExplosionList : public std::enable_shared_from_this<TExplosionList> {
 public:
  virtual ~TExplosionList() = default;

  // Appended at the end; the caller then calls StartAnim.
  virtual TExplosionPtr AddNew(int x, int y, const TGameImagePtr& image);
  virtual int Draw();
  virtual int Manage();

  void Remove(TExplosion& explosion);
  int Count() const { return items_.Count(); }

 private:
  TSafeList<TExplosion> items_;
};
using TExplosionListPtr = std::shared_ptr<TExplosionList>;
