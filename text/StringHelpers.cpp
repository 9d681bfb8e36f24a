#include "text/StringHelpers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

// The one cutting rule every helper shares: count characters from the 1-based start, a negative
// count meaning "to the end", clipped so the piece never leaves s. 64-bit so that extreme
// arguments cannot overflow.
String Piece(StringView s, int64_t start, int64_t count) {
  const auto len = static_cast<int64_t>(s.size());
  if (start > len) return String();
  if (count < 0) count = len;
  if (start < 1) {
    count -= 1 - start;
    start = 1;
  }
  if (count <= 0) return String();
  count = std::min(count, len - start + 1);
  return String(s.substr(static_cast<size_t>(start - 1), static_cast<size_t>(count)));
}

// 1-based position of the first sub in s, 0 when absent; an empty sub is found at 1.
int64_t Find(StringView s, StringView sub) {
  const size_t p = s.find(sub);
  return p == StringView::npos ? 0 : static_cast<int64_t>(p) + 1;
}

String Ascii(const std::string& text) { return String(text.begin(), text.end()); }

// The pad text added whole while s is shorter than width.
String Pad(StringView s, int width, StringView pad, bool atLeft) {
  String out(s);
  if (pad.empty() || static_cast<int64_t>(out.size()) >= width) return out;
  const auto missing = static_cast<size_t>(width) - out.size();
  const size_t times = (missing + pad.size() - 1) / pad.size();
  String fill;
  fill.reserve(times * pad.size());
  for (size_t i = 0; i < times; ++i) fill.append(pad);
  return atLeft ? fill + out : out + fill;
}

// Float to int the way the helpers need it: NaN is 0, out-of-range values stop at the ends.
int64_t ClampToInt64(double v) {
  if (std::isnan(v)) return 0;
  constexpr double lo = -9.2e18;
  constexpr double hi = 9.2e18;
  return static_cast<int64_t>(std::clamp(v, lo, hi));
}

int ClampToInt(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::clamp(v, static_cast<double>(std::numeric_limits<int>::min()),
                                     static_cast<double>(std::numeric_limits<int>::max())));
}

// The integer value of a short text: optional sign, then decimal digits up to the first
// character that is not one; 0 when no digit stands there.
int ParseLeadingInt(StringView s) {
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) {
    negative = s[i] == u'-';
    ++i;
  }
  int64_t value = 0;
  for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
    value = std::min<int64_t>(value * 10 + (s[i] - u'0'), std::numeric_limits<int>::max());
  }
  return static_cast<int>(negative ? -value : value);
}

}  // namespace

String ccFirstString(StringView s) { return ccFirstStringToSub(s, u","); }

String ccFirstStringToSub(StringView s, StringView sub) {
  const int64_t p = Find(s, sub);
  if (p == 0) return String(s);
  return Piece(s, 1, p - 1);
}

String ccLastStringToSub(StringView s, StringView sub) {
  const int64_t p = Find(s, sub);
  if (p == 0) return String();
  return Piece(s, p + static_cast<int64_t>(sub.size()), -1);
}

String ccFirstStringToSubChop(String& s, StringView sub) {
  const int64_t p = sub.empty() ? 0 : Find(s, sub);
  if (p == 0) {
    String whole;
    whole.swap(s);
    return whole;
  }
  String head = Piece(s, 1, p - 1);
  s = Piece(s, p + 1, -1);
  return head;
}

String ccMid(StringView s, int start, int count) {
  if (count < 0) return String();
  return Piece(s, start, count);
}

String ccAddQuotes(StringView s) {
  String out;
  out.reserve(s.size() + 2);
  out.push_back(u'"');
  out.append(s);
  out.push_back(u'"');
  return out;
}

String ccAddSlash(StringView path) {
  String out(path);
  if (out.empty() || (out.back() != u'/' && out.back() != u'\\')) out.push_back(u'/');
  return out;
}

String ccConvertToForwardSlash(StringView path) {
  String out(path);
  std::replace(out.begin(), out.end(), u'\\', u'/');
  return out;
}

String ccConvertToBackSlash(StringView path) {
  String out(path);
  std::replace(out.begin(), out.end(), u'/', u'\\');
  return out;
}

String ccPadWithZeros(StringView s, int width) { return Pad(s, width, u"0", true); }

String ccPadWithChar(StringView s, int width, StringView pad) { return Pad(s, width, pad, false); }

String ccPadRightWithChar(StringView s, int width, StringView pad) {
  return Pad(s, width, pad, true);
}

String ccIntToStringWithSign(int n) {
  const String digits = Ascii(std::to_string(n));
  return n >= 1 ? u"+" + digits : digits;
}

String ccRoundFloatToString(float f, int places) {
  places = std::clamp(places, 0, 18);
  const auto p = static_cast<int64_t>(std::pow(10.0, places));
  const int64_t n = ClampToInt64(std::floor(static_cast<double>(p) * static_cast<double>(f) + 0.5));
  // The sign is kept apart so that a value below one unit still gets its leading zeros
  // ("-0.05", not "0.-5").
  const bool negative = n < 0;
  String t = Ascii(std::to_string(negative ? -static_cast<uint64_t>(n) : static_cast<uint64_t>(n)));
  if (static_cast<int64_t>(t.size()) <= places) t.insert(0, static_cast<size_t>(places) + 1 - t.size(), u'0');
  if (places > 0) t.insert(t.size() - static_cast<size_t>(places), 1, u'.');
  return negative ? u"-" + t : t;
}

int ccMillisecsToMinutes(float ms, int& minutes, int& seconds) {
  float s = ms / 1000.0f;
  const bool negative = s < 0.0f;
  if (negative) s = -s;
  const float m = std::floor(s / 60.0f);
  minutes = ClampToInt(m);
  seconds = ClampToInt(std::floor(s - m * 60.0f));
  if (negative) {
    minutes = -minutes;
    seconds = -seconds;
  }
  return 0;
}

String ccTimeTo12Hour(StringView time) {
  int h = ParseLeadingInt(Piece(time, 1, 2));
  StringView suffix = u"am";
  if (h >= 12) {
    suffix = u"pm";
    h -= 12;
  }
  if (h == 0) h = 12;
  String out = Ascii(std::to_string(h));
  out += Piece(time, 3, -1);
  out += suffix;
  return out;
}

int ccCopyStringArray(const StringArray& source, StringArray& target, int first, int last) {
  const auto top = static_cast<int64_t>(source.size()) - 1;
  int64_t hi = last == -1 ? top : std::min<int64_t>(last, top);
  const int64_t lo = std::max(first, 0);
  if (first > last && last != -1) hi = -1;
  if (lo > hi) {
    target.assign(static_cast<size_t>(std::max<int64_t>(hi + 1, 0)), String());
    return 0;
  }
  StringArray out(static_cast<size_t>(hi + 1));
  for (int64_t i = lo; i <= hi; ++i) out[static_cast<size_t>(i)] = source[static_cast<size_t>(i)];
  target = std::move(out);
  return 0;
}

StringArray ccRemoveStringArraySlots(const StringArray& array, int first, int last) {
  const auto size = static_cast<int64_t>(array.size());
  const int64_t lo = std::max<int64_t>(first, 0);
  const int64_t hi = std::min<int64_t>(last, size - 1);
  if (lo > hi) return array;
  StringArray out;
  out.reserve(static_cast<size_t>(size - (hi - lo + 1)));
  out.insert(out.end(), array.begin(), array.begin() + lo);
  out.insert(out.end(), array.begin() + hi + 1, array.end());
  return out;
}
