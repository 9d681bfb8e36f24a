#pragma once
// Named blocks of text lines read from a text resource file in the data folder's text folder:
// "[TEXT]", a key line, then the block's lines up to the next header.
#include <map>
#include <memory>
#include <string_view>

#include "text/StringHelpers.h"

class TGameText;
using TGameTextPtr = std::shared_ptr<TGameText>;

class TGameText : public std::map<String, StringArray> {
 public:
  virtual ~TGameText() = default;

  static TGameTextPtr Create(const String& fileName);
  // Empties the map and reads Game->TextPath + fileName (fatal when missing). Returns 0.
  virtual int Read(const String& fileName);
  // The lines under the upper-cased key; empty when there is none.
  virtual StringArray Find(const String& key) const;
  // Those lines joined with CR LF.
  virtual String FindString(const String& key) const;

  // The parsing, from lines and from a file's raw bytes.
  int ReadLines(const StringArray& lines);
  int ReadBytes(std::string_view bytes);
};
