#pragma once
// The framework's one text type: 16-bit characters, one unit per character.
// UTF-8 appears only at the edges (file paths, SDL, FreeType, C++ literals).
#include <string>
#include <string_view>

using String = std::u16string;
using StringView = std::u16string_view;

namespace platform {

// UTF-8 -> String. Code points above 0xFFFF become surrogate pairs; each malformed sequence
// (cut short, overlong, a surrogate, beyond U+10FFFF) becomes one U+FFFD.
String FromUtf8(std::string_view utf8);
// String -> UTF-8 (surrogate pairs joined, lone surrogates become U+FFFD).
std::string ToUtf8(StringView text);
// One byte per character (Latin-1 files, file names read as bytes).
String FromLatin1(std::string_view bytes);
// Characters above 255 become '?'.
std::string ToLatin1(StringView text);

}  // namespace platform

// Short spelling for UTF-8 literals and paths in framework code: S("Error loading file ").
inline String S(std::string_view utf8) { return platform::FromUtf8(utf8); }
// And back, for paths handed to the C library.
inline std::string U8(StringView text) { return platform::ToUtf8(text); }
