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
  // Anything but a file under the settings file's name (a folder would stop every save; a
  // FIFO, a socket, a link to a device hold no settings) is moved aside, as everywhere the
  // game keeps its own files.
  if (platform::FileType(path) != platform::FILETYPE_NONE && !platform::IsRegularFile(path)) {
    platform::MoveAside(path);
  }
  if (platform::FileType(path) == platform::FILETYPE_DIR) {
    ccRunTimeError(u"Failed to save file " + path +
                       u"\n\nA folder stands under its name and could not be moved aside to " +
                       platform::StripDir(path) + u".bad (or .bad2 to .bad9).",
                   1);
    return 0;
  }
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
  const String path = FileName + u".ini";
  if (auto in = platform::ReadFile(path)) {
    while (!in->Eof()) {
      const String line = in->ReadLine();
      const String key = ccUpper(ccIniFirstString(line));
      const String value = ccIniLastString(line);
      for (TIniLine& entry : Lines) {
        if (entry.Name == key) entry.Value = value;
      }
    }
  } else if (platform::IsRegularFile(path)) {
    // Settings this account cannot read (another account's, as a run under sudo leaves, or a
    // file made unreadable) still hold the current player and every choice: the defaults go
    // in their place only once they are kept.
    String kept;
    if (!platform::MoveAside(path, &kept)) {
      ccRunTimeError(u"Could not read settings file " + path +
                         u", and it could not be moved aside to keep it.",
                     1);
      return 0;
    }
    ccErrorLog(u"Could not read settings file '" + path + u"'; it was kept as '" + kept + u"'");
  }
  return Save();
}

const String* TIniFile::Find(const String& name) const {
  for (const TIniLine& entry : Lines) {
    if (entry.Name == name) return &entry.Value;
  }
  return nullptr;
}
