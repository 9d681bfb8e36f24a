#pragma once
// Free functions on settings-style files ("KEY=value" lines; keys compared upper-cased).
#include "platform/Stream.h"
#include "platform/String.h"

// The value of the first line whose key matches; "" when the file is unreadable or has none.
String ccReadIniLine(const String& path, const String& key);
// Copies src to dst, replacing every line whose key matches by "KEY=value"; never adds a line.
// Returns 1, or 0 (writing nothing) when src cannot be read or dst cannot be written.
int ccWriteIniLine(const String& src, const String& dst, const String& key, const String& value);
int ccWriteIniNumber(const platform::StreamPtr& stream, const String& key, int value);
int ccWriteIniString(const platform::StreamPtr& stream, const String& key, const String& value);
// The key part (before the first "="; the whole line when none) and the value part ("" when none).
String ccIniFirstString(const String& line);
String ccIniLastString(const String& line);

// The runtime's text-to-integer reading: leading white space, an optional sign, then "%" and
// binary digits, "$" and hex digits, or decimal digits, up to the first misfit; no digits: 0.
// Values beyond the int range saturate at its ends.
int ccStringToInt(StringView text);
// Decimal with a leading "-" when negative.
String ccIntToString(int value);
// ASCII upper case (the settings keys are ASCII).
String ccUpper(StringView text);
