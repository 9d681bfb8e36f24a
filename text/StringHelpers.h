#pragma once
// The framework's string and number helpers. Pure functions: positions are counted from 1,
// a separator is found by its first occurrence, comparisons are exact and case-sensitive.
// None of them keeps state or reports an error.
#include <vector>

#include "platform/String.h"

using StringArray = std::vector<String>;

// --- Cutting ---
// The part of s before its first ","; the whole of s when there is none.
String ccFirstString(StringView s);
// The part of s before the first sub; the whole of s when sub does not occur; "" for an empty sub.
String ccFirstStringToSub(StringView s, StringView sub);
// The part of s after the first sub (not the last one: ("a=b=c", "=") gives "b=c");
// "" when sub does not occur. An empty sub is found at position 1, so the whole of s comes back.
String ccLastStringToSub(StringView s, StringView sub);
// Hands out the fields of a separated list one by one: returns the part before the first sub
// and leaves in s everything from one character after the start of sub. With no sub left (or an
// empty sub) returns the whole of s and empties it.
String ccFirstStringToSubChop(String& s, StringView sub);
// count characters of s from the 1-based start, clipped to s; a negative count gives "".
// A start below 1 uses up count on the positions before the first character.
String ccMid(StringView s, int start, int count);

// --- Quoting and paths ---
String ccAddQuotes(StringView s);
// "/" appended unless the path already ends in "/" or "\"; "" becomes "/".
String ccAddSlash(StringView path);
String ccConvertToForwardSlash(StringView path);  // every "\" becomes "/"
String ccConvertToBackSlash(StringView path);     // every "/" becomes "\"

// --- Filling to a width (the pad text is added whole, so the result may pass width) ---
// An empty pad text leaves s unchanged.
String ccPadWithZeros(StringView s, int width);                 // "0"s in front
String ccPadWithChar(StringView s, int width, StringView pad);  // pad at the right
String ccPadRightWithChar(StringView s, int width, StringView pad);  // pad at the left

// --- Numbers ---
// "+5", "0", "-3".
String ccIntToStringWithSign(int n);
// Fixed point with places decimals, halves rounded up: (3.14159, 2) "3.14", (0.05, 2) "0.05",
// (2.5, 0) "3", (-0.05, 2) "-0.05". NaN counts as 0; out-of-range values are clamped.
String ccRoundFloatToString(float f, int places);
// Whole minutes and the seconds left over, both negated for a negative duration. Returns 0.
int ccMillisecsToMinutes(float ms, int& minutes, int& seconds);
// "13:45:10" -> "1:45:10pm", "00:05:00" -> "12:05:00am". Hour digits that do not parse count as 0.
String ccTimeTo12Hour(StringView time);

// --- String arrays ---
// target becomes last + 1 elements: source[first..last] at the same indexes, "" below first.
// last -1 stands for the source's last index; first > last gives an empty target. Indexes
// outside the source are clipped to it. Returns 0.
int ccCopyStringArray(const StringArray& source, StringArray& target, int first, int last = -1);
// A new array without elements first..last (inclusive); indexes are clipped to the array.
StringArray ccRemoveStringArraySlots(const StringArray& array, int first, int last);
