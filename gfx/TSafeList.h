#pragma once
// The ordered list behind the particle, game-object and counter lists: elements may be
// removed (and added) while the list is being walked.
//
// - A removal during a walk only empties the element's slot; the slot is erased once the
//   outermost walk ends, so the walk's position stays valid and it skips emptied slots.
// - Elements appended during a walk are reached by it; elements put at the front are not.
// - Each element visited is held by the walk for the duration of its visit, so an element
//   that removes itself is not destroyed while its own code runs.
// Nodes are allocated only when an element is added; walks and removals allocate nothing.
#include <cstddef>
#include <list>
#include <memory>
#include <utility>

template <class T>
class TSafeList {
 public:
  using Ptr = std::shared_ptr<T>;
  using Slot = typename std::list<Ptr>::iterator;

  Slot PushBack(Ptr item) {
    ++count_;
    return items_.insert(items_.end(), std::move(item));
  }
  Slot PushFront(Ptr item) {
    ++count_;
    return items_.insert(items_.begin(), std::move(item));
  }

  // Puts the element just before the element of this slot (end(): at the back).
  Slot InsertBefore(Slot before, Ptr item) {
    ++count_;
    return items_.insert(before, std::move(item));
  }
  Slot EndSlot() { return items_.end(); }

  // Stable sort by less(a, b); allocates nothing. Never inside a walk: slots would move
  // under it.
  template <class Less>
  void Sort(Less&& less) {
    if (walkDepth_ > 0) return;
    items_.sort([&](const Ptr& a, const Ptr& b) { return less(*a, *b); });
  }

  // Removes the element in this slot (a slot this list handed out and has not removed).
  void Remove(Slot slot) {
    if (!*slot) return;
    --count_;
    if (walkDepth_ > 0) {
      slot->reset();
      ++pending_;
    } else {
      items_.erase(slot);
    }
  }

  // Removal by identity; false when the object is not in the list.
  bool RemoveValue(const T* item) {
    for (auto it = items_.begin(); it != items_.end(); ++it) {
      if (it->get() == item) {
        Remove(it);
        return true;
      }
    }
    return false;
  }

  // Drops every element; safe inside a walk.
  void Clear() {
    if (walkDepth_ > 0) {
      for (auto& item : items_) {
        if (item) {
          item.reset();
          ++pending_;
        }
      }
    } else {
      items_.clear();
      pending_ = 0;
    }
    count_ = 0;
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
      if (!*it) continue;
      Ptr held = *it;
      f(held, it);
    }
  }

  // Elements in the list (emptied slots not counted).
  int Count() const { return count_; }
  bool Empty() const { return count_ == 0; }
  // The first element, or null.
  Ptr First() const {
    for (const auto& item : items_) {
      if (item) return item;
    }
    return nullptr;
  }
  Ptr Last() const {
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
      if (*it) return *it;
    }
    return nullptr;
  }

 private:
  void EndWalk() {
    if (--walkDepth_ == 0 && pending_ > 0) {
      items_.remove(nullptr);
      pending_ = 0;
    }
  }

  std::list<Ptr> items_;
  int walkDepth_ = 0;
  int pending_ = 0;
  int count_ = 0;
};
