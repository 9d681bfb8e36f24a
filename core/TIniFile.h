#pragma once
// The settings file's ordered key and value list. Keys are stored upper-cased; the file is
// Latin-1 text, one "KEY=value" line each, CR LF when written.
#include <vector>

#include "platform/String.h"

struct TIniLine {
  String Name;  // upper case
  String Value;
};

class TIniFile {
 public:
  std::vector<TIniLine> Lines;
  // The file's path without ".ini".
  String FileName;

  // Appends (duplicates allowed); the name is upper-cased.
  int Add(const String& name, const String& value);
  // Rewrites FileName + ".ini" whole; a file that cannot be written is fatal.
  int Save();
  // Known keys take the file's values (the last line wins), then Save in every case.
  int Load();
  void Clear() { Lines.clear(); }
  // The value stored under the (upper-case) name; nullptr when absent.
  const String* Find(const String& name) const;
};
