#pragma once
// Every gem of the board in drawing order: lowest on the screen (largest y) first, equal y in
// order of arrival. Advances, bursts, spreads and draws them as a group. Gems may leave the
// list while it is walked.
#include <memory>

#include "board/TGem.h"
#include "gfx/TSafeList.h"

class TGemList {
 public:
  virtual ~TGemList() = default;

  // Per tick: the shared idle animations, Tumblets, hover glow and bursts. 1 while a gem
  // bursts or activates.
  virtual int Manage();
  // Stable sort by falling y; allocates nothing. Not from inside a walk of this list.
  virtual int SortAll();
  // Before the first gem that is strictly higher on the screen, else at the end.
  virtual int InsertGem(const TGemPtr& gem);
  virtual int ExplodeAll(int flag);
  virtual int SpreadAll();
  virtual int ExplodeTumblets();
  virtual int MoveAll();
  // The non-swapping gems in order, then the swap's destination, then its source on top.
  virtual int Draw();

  // Appends (the board fill; SortAll afterwards).
  void Add(const TGemPtr& gem) { items_.PushBack(gem); }
  // Takes the gem out; nothing when it is not in the list.
  void Remove(const TGem& gem) { items_.RemoveValue(&gem); }
  int Count() const { return items_.Count(); }
  TGemPtr First() const { return items_.First(); }
  // f(const TGemPtr&) for every gem in order, safe against removal.
  template <class F>
  void ForEach(F&& f) {
    items_.Walk([&](const TGemPtr& gem, TSafeList<TGem>::Slot) { f(gem); });
  }

 protected:
  TSafeList<TGem> items_;
};
