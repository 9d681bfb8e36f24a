#pragma once
// The ordered list behind the particle, game-object and counter lists: elements may be
// removed (and added) while the list is being walked.
//
// - A removal during a walk only marks the element's slot dead; the slot (and with it the
//   list's hold on the element) goes once the outermost walk ends, so the walk's position
//   stays valid, it skips dead slots, and an element that removes itself is not destroyed
//   while its own code runs. A walk hands out the list's own pointers and copies none.
// - Elements appended during a walk are reached by it; elements put at the front are not.
// Nodes are allocated only when an element is added and no node of a removed element is
// spare; walks and removals allocate nothing.
#include <cstddef>
#include <iterator>
#include <list>
#include <memory>
#include <utility>

template <class T>
class TSafeList {
 public:
  using Ptr = std::shared_ptr<T>;
  struct Entry {
    Ptr item;
    bool live = false;
  };
  using Slot = typename std::list<Entry>::iterator;

  Slot PushBack(Ptr item) { return Place(items_.end(), std::move(item)); }
  Slot PushFront(Ptr item) { return Place(items_.begin(), std::move(item)); }

  // Puts the element just before the element of this slot (end(): at the back).
  Slot InsertBefore(Slot before, Ptr item) { return Place(before, std::move(item)); }
  Slot EndSlot() { return items_.end(); }

  // Stable sort by less(a, b); allocates nothing. Never inside a walk: slots would move
  // under it.
  template <class Less>
  void Sort(Less&& less) {
    if (walkDepth_ > 0) return;
    items_.sort([&](const Entry& a, const Entry& b) { return less(*a.item, *b.item); });
  }

  // Removes the element in this slot (a slot this list handed out and has not removed).
  void Remove(Slot slot) {
    if (!slot->live) return;
    slot->live = false;
    --count_;
    if (walkDepth_ > 0) {
      ++pending_;
    } else {
      const Ptr gone = std::move(slot->item);
      Retire(slot);
    }
  }

  // Removal by identity; false when the object is not in the list.
  bool RemoveValue(const T* item) {
    for (auto it = items_.begin(); it != items_.end(); ++it) {
      if (it->live && it->item.get() == item) {
        Remove(it);
        return true;
      }
    }
    return false;
  }

  // The element of a slot this list handed out and has not removed.
  static const Ptr& At(Slot slot) { return slot->item; }

  // Drops every element; safe inside a walk.
  void Clear() {
    if (walkDepth_ > 0) {
      for (Entry& entry : items_) {
        if (entry.live) {
          entry.live = false;
          ++pending_;
        }
      }
      count_ = 0;
      return;
    }
    std::list<Entry> gone;
    gone.splice(gone.end(), items_);
    pending_ = 0;
    count_ = 0;
    Bury(gone);
  }

  // f(const Ptr& element, Slot slot) for every element in order.
  template <class F>
  void Walk(F&& f) {
    ++walkDepth_;
    struct Guard {
      TSafeList* list;
      ~Guard() { list->EndWalk(); }
    } guard{this};
    for (auto it = items_.begin(); it != items_.end(); ++it) {
      if (it->live) f(it->item, it);
    }
  }

  // Elements in the list (dead slots not counted).
  int Count() const { return count_; }
  bool Empty() const { return count_ == 0; }
  // The first element, or null.
  Ptr First() const {
    for (const Entry& entry : items_) {
      if (entry.live) return entry.item;
    }
    return nullptr;
  }
  Ptr Last() const {
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
      if (it->live) return it->item;
    }
    return nullptr;
  }

 private:
  void EndWalk() {
    if (--walkDepth_ > 0 || pending_ == 0) return;
    // The dead leave the list before any of them is let go, so whatever their destruction
    // does finds the list whole.
    std::list<Entry> gone;
    for (auto it = items_.begin(); it != items_.end();) {
      const auto next = std::next(it);
      if (!it->live) gone.splice(gone.end(), items_, it);
      it = next;
    }
    pending_ = 0;
    Bury(gone);
  }

  Slot Place(Slot at, Ptr item) {
    ++count_;
    if (spare_.empty()) return items_.insert(at, Entry{std::move(item), true});
    items_.splice(at, spare_, spare_.begin());
    const Slot slot = std::prev(at);
    slot->item = std::move(item);
    slot->live = true;
    return slot;
  }
  // A dead node leaves the list and is kept for a later element.
  void Retire(Slot slot) {
    if (spare_.size() < kSpareNodes) {
      spare_.splice(spare_.end(), items_, slot);
    } else {
      items_.erase(slot);
    }
  }
  // Lets the elements of dead nodes go, keeping the nodes.
  void Bury(std::list<Entry>& gone) {
    for (Entry& entry : gone) entry.item.reset();
    while (!gone.empty() && spare_.size() < kSpareNodes) spare_.splice(spare_.end(), gone, gone.begin());
  }

  static constexpr size_t kSpareNodes = 4096;
  std::list<Entry> items_;
  std::list<Entry> spare_;  // dead nodes, kept for new elements
  int walkDepth_ = 0;
  int pending_ = 0;
  int count_ = 0;
};
