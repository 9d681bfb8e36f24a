#include "core/TIniFile.h"

#include <string>

#include "core/ErrorPath.h"
#include "core/IniFunctions.h"
#include "core/Platform.h"
#include "platform/FileSystem.h"
#include "platform/Stream.h"

int TIniFile::Add(const String& name, const String& value) {
  Lines.push_back(TIniLine{ccUpper(name), value});
  return 0;
}

int TIniFile::Save() {
  const String path = FileName + u".ini";
  // One byte per character: anything above 255 keeps only its low byte.
  std::string bytes;
  for (const TIniLine& line : Lines) {
    for (char16_t c : line.Name) bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back('=');
    for (char16_t c : line.Value) bytes.push_back(static_cast<char>(c & 0xFF));
    bytes += "\r\n";
  }
  // A folder under the settings file's name would stop every save: it is moved aside, as
  // anything but a file is where the game keeps its own files.
  if (platform::FileType(path) == platform::FILETYPE_DIR) platform::MoveAside(path);
  // Written to a temporary file and renamed over the old one, so a failed write keeps it.
  auto out = platform::WriteFile(path);
  bool ok = static_cast<bool>(out);
  if (ok) {
    out->WriteBytes(bytes.data(), bytes.size());
    ok = out->Close();
  }
  if (!ok) {
    ccRunTimeError(u"Failed to save file " + path + ccCannotWriteReason(path), 1);
    return 0;
  }
  ccShareFileOSX(path);
  return 0;
}

int TIniFile::Load() {
  if (auto in = platform::ReadFile(FileName + u".ini")) {
    while (!in->Eof()) {
      const String line = in->ReadLine();
      const String key = ccUpper(ccIniFirstString(line));
      const String value = ccIniLastString(line);
      for (TIniLine& entry : Lines) {
        if (entry.Name == key) entry.Value = value;
      }
    }
  }
  return Save();
}

const String* TIniFile::Find(const String& name) const {
  for (const TIniLine& entry : Lines) {
    if (entry.Name == name) return &entry.Value;
  }
  return nullptr;
}
