#pragma once
// Small maths, number-formatting and list helpers of the framework.
#include <memory>
#include <type_traits>
#include <vector>

#include "platform/String.h"

// The frame of a frames-long strip for a counter running over length ticks.
// direction 0: the counter runs down from length to 0 (frame = floor(frames * (1 - c / length)));
// any other value ("forward", counting up): frame = floor(frames * c / length).
// Clamped to 0 .. frames - 1. A length of 0 or less reads as a finished run: the last frame.
int ccCalcAnimFrame(float counter, int length, int frames, int direction);
// Milliseconds of one tick at hz ticks per second.
float ccCalcMSPerFrame(int hz);
// minimum .. maximum inclusive from the C library's generator (bounds swapped when inverted).
int ccFastRand(int minimum, int maximum);
int ccFastRandSeed(int seed);
// "%#.17lg", cut (not rounded) to decimals places, commas every group digits left of the
// point, right-aligned in width + decimals + 1 characters ("Error" when it does not fit).
String ccFormatNumber(double value, int decimals, int group, int width);
// One line per display mode to standard output: "i Width: w Height: h Depth: d Hertz: r".
// Returns 0.
int ccPrintGraphicsModes();
// Sorts in place; ascending when the flag is non-zero, else descending. Returns 0.
int ccSortIntArray(std::vector<int>& values, int ascending);

// --- List helpers. A list is any range of shared pointers; null entries are skipped and not
// counted. ---

// The index of the first entry that is that very object, or -1.
template <class List, class T>
int ccListIndex(const List& list, const std::shared_ptr<T>& object) {
  int index = 0;
  for (const auto& entry : list) {
    if (!entry) continue;
    if (static_cast<const void*>(entry.get()) == static_cast<const void*>(object.get())) {
      return index;
    }
    ++index;
  }
  return -1;
}

namespace detail {
inline const String* AsText(const String& s) { return &s; }
inline const String* AsText(const std::shared_ptr<String>& s) { return s.get(); }
template <class T>
const String* AsText(const std::shared_ptr<T>& s) {
  if constexpr (std::is_base_of_v<String, T>) {
    return s.get();
  } else {
    return nullptr;
  }
}
inline bool IsEmptyEntry(const String&) { return false; }
template <class T>
bool IsEmptyEntry(const std::shared_ptr<T>& s) {
  return !s;
}
}  // namespace detail

// The index of the first entry whose text equals text exactly (case-sensitive), or -1; an
// entry that is not a text compares as "".
template <class List>
int ccListStringIndex(const List& list, StringView text) {
  static const String kEmpty;
  int index = 0;
  for (const auto& entry : list) {
    if (detail::IsEmptyEntry(entry)) continue;
    const String* s = detail::AsText(entry);
    if ((s ? StringView(*s) : StringView(kEmpty)) == text) return index;
    ++index;
  }
  return -1;
}

// Appends the source's entries to the destination; 1 when something was appended, 0 when
// either list is missing or the source holds nothing.
template <class List>
int ccAddLists(List* destination, const List* source) {
  if (!destination || !source) return 0;
  int added = 0;
  for (const auto& entry : *source) {
    if (detail::IsEmptyEntry(entry)) continue;
    destination->push_back(entry);
    ++added;
  }
  return added > 0 ? 1 : 0;
}
