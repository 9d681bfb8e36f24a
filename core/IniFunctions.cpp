#include "core/IniFunctions.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "core/Platform.h"
#include "text/StringHelpers.h"

namespace {

bool IsSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// The key of a line as compared: everything before the first "=", upper-cased.
String LineKey(const String& line) { return ccUpper(ccIniFirstString(line)); }

}  // namespace

int ccStringToInt(StringView text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  // The magnitude stops growing once past the int range, so any run of digits saturates.
  static constexpr uint64_t kCap = uint64_t{1} << 32;
  uint64_t value = 0;
  auto add = [&value](uint64_t base, uint64_t digit) {
    value = std::min(value * base + digit, kCap);
  };
  if (i < text.size() && text[i] == u'%') {
    for (++i; i < text.size() && (text[i] == u'0' || text[i] == u'1'); ++i) add(2, text[i] - u'0');
  } else if (i < text.size() && text[i] == u'$') {
    for (++i; i < text.size() && HexDigit(text[i]) >= 0; ++i) {
      add(16, static_cast<uint64_t>(HexDigit(text[i])));
    }
  } else {
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) add(10, text[i] - u'0');
  }
  const int64_t signedValue = negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
  return static_cast<int>(std::clamp<int64_t>(signedValue, std::numeric_limits<int>::min(),
                                              std::numeric_limits<int>::max()));
}

String ccIntToString(int value) { return S(std::to_string(value)); }

String ccUpper(StringView text) {
  String out(text);
  for (char16_t& c : out) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return out;
}

String ccIniFirstString(const String& line) { return ccFirstStringToSub(line, u"="); }

String ccIniLastString(const String& line) { return ccLastStringToSub(line, u"="); }

String ccReadIniLine(const String& path, const String& key) {
  auto in = platform::ReadFile(path);
  if (!in) return String();
  const String wanted = ccUpper(key);
  while (!in->Eof()) {
    const String line = in->ReadLine();
    if (LineKey(line) == wanted) return ccIniLastString(line);
  }
  return String();
}

int ccWriteIniLine(const String& src, const String& dst, const String& key, const String& value) {
  auto in = platform::ReadFile(src);
  if (!in) return 0;
  auto out = platform::WriteFile(dst);
  if (!out) return 0;
  const String wanted = ccUpper(key);
  while (!in->Eof()) {
    const String line = in->ReadLine();
    if (LineKey(line) == wanted) {
      out->WriteLine(wanted + u"=" + value);
    } else {
      out->WriteLine(line);
    }
  }
  if (!out->Close()) return 0;
  ccShareFileOSX(dst);
  return 1;
}

int ccWriteIniNumber(const platform::StreamPtr& stream, const String& key, int value) {
  return ccWriteIniString(stream, key, ccIntToString(value));
}

int ccWriteIniString(const platform::StreamPtr& stream, const String& key, const String& value) {
  if (stream) stream->WriteLine(ccUpper(key) + u"=" + value);
  return 0;
}
