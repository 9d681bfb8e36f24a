// TGame: the settings file and the marker files.
#include <algorithm>
#include <string>

#include "core/ErrorPath.h"
#include "core/IniFunctions.h"
#include "core/Platform.h"
#include "core/TGame.h"
#include "platform/FileSystem.h"
#include "platform/Stream.h"
#include "platform/System.h"

namespace {

String Int(int v) { return ccIntToString(v); }

String MarkerPath(const TGame& game, const char16_t* name, const char16_t* relativeFolder) {
  return game.UseCorrectPath != 0 ? game.SubPath + name : String(relativeFolder) + name;
}

// A marker, like a player's file, is a regular file (or a link to one); anything else under its
// name (a FIFO, a folder) is no marker and is moved aside so the real one can be written.
bool IsMarker(const String& path) { return platform::IsRegularFile(path); }

void ClearTheWayFor(const String& path) {
  if (platform::FileType(path) != platform::FILETYPE_NONE && !IsMarker(path)) {
    platform::MoveAside(path);
  }
}

// Settings that stand there but cannot be read are no repair's to replace: the settings'
// own load keeps them aside first.
bool SettingsReadable(const String& path) {
  return !platform::IsRegularFile(path) || platform::ReadFile(path) != nullptr;
}

void CreateMarker(const String& path) {
  ClearTheWayFor(path);
  // Written whole and renamed into place: a link under the marker's name is replaced, never
  // followed to a file elsewhere.
  if (platform::SaveBytes(path, {})) ccShareFileOSX(path);
}

// The default settings file with its "PROFILE NAME" line(s) set to name, and the line added
// when the file has none (a default file without the key would lose the player's profile name).
// Without a default file, only the name: the constructor's values fill in the rest.
std::string RepairedSettings(const String& defaults, const String& name) {
  std::string bytes;
  bool named = false;
  if (auto in = platform::ReadFile(defaults)) {
    while (!in->Eof()) {
      String line = in->ReadLine();
      if (ccUpper(ccIniFirstString(line)) == u"PROFILE NAME") {
        line = u"PROFILE NAME=" + name;
        named = true;
      }
      bytes += platform::ToLatin1(line) + "\r\n";
    }
  }
  if (!named && !name.empty()) bytes += platform::ToLatin1(u"PROFILE NAME=" + name) + "\r\n";
  return bytes;
}

}  // namespace

int TGame::IniFill() {
  Ini.Clear();
  Ini.Add(u"VERSION NO", VERSION_NO);
  Ini.Add(u"FULL SCREEN", Int(FullScreen));
  Ini.Add(u"SOUND", Int(Sound));
  Ini.Add(u"MUSIC", Int(Music));
  Ini.Add(u"SPEECH", Int(Speech));
  Ini.Add(u"SOUND VOLUME", Int(SoundVolume));
  Ini.Add(u"MUSIC VOLUME", Int(MusicVolume));
  Ini.Add(u"SPEECH VOLUME", Int(SpeechVolume));
  Ini.Add(u"FADE", Int(Fade));
  Ini.Add(u"PARTICLES", Int(Particles));
  Ini.Add(u"PORTAL SPLASH", Int(PortalSplash));
  Ini.Add(u"PORTAL SPLASH2", Int(PortalSplash2));
  Ini.Add(u"INTRO", Int(IntroShow));
  Ini.Add(u"VSYNC", Int(VSync));
  Ini.Add(u"DRIVER", Int(Driver));
  Ini.Add(u"SOUND DRIVER", SoundDriver);
  Ini.Add(u"FULL SCREEN PROCESS PRIORITY", Int(FullScreenProcess));
  Ini.Add(u"FULL SCREEN THREAD PRIORITY", Int(FullScreenThread));
  Ini.Add(u"WINDOWED PROCESS PRIORITY", Int(WindowedProcess));
  Ini.Add(u"WINDOWED THREAD PRIORITY", Int(WindowedThread));
  Ini.Add(u"PROFILE NAME", ProfileName);
  Ini.Add(u"REGION", Int(Region));
  Ini.Add(u"SUB-REGION", Int(SubRegion));
  Ini.Add(u"CUSTOM MOUSE POINTER", Int(CustomMousePointer));
  return 0;
}

int TGame::IniExtract() {
  // The options screen shows switches as on or off and levels as 0 to 100; a hand-edited file
  // is brought into those ranges here, so every later toggle and step starts from a real one.
  enum Range { kAny, kSwitch, kPercent };
  struct IntKey {
    const char16_t* name;
    int TGame::*field;
    Range range;
  };
  static const IntKey intKeys[] = {
      {u"FULL SCREEN", &TGame::FullScreen, kSwitch},
      {u"SOUND", &TGame::Sound, kSwitch},
      {u"MUSIC", &TGame::Music, kSwitch},
      {u"SPEECH", &TGame::Speech, kSwitch},
      {u"SOUND VOLUME", &TGame::SoundVolume, kPercent},
      {u"MUSIC VOLUME", &TGame::MusicVolume, kPercent},
      {u"SPEECH VOLUME", &TGame::SpeechVolume, kPercent},
      {u"FADE", &TGame::Fade, kSwitch},
      {u"PARTICLES", &TGame::Particles, kPercent},
      {u"PORTAL SPLASH", &TGame::PortalSplash, kSwitch},
      {u"PORTAL SPLASH2", &TGame::PortalSplash2, kSwitch},
      {u"INTRO", &TGame::IntroShow, kSwitch},
      {u"VSYNC", &TGame::VSync, kSwitch},
      {u"DRIVER", &TGame::Driver, kSwitch},
      {u"FULL SCREEN PROCESS PRIORITY", &TGame::FullScreenProcess, kAny},
      {u"FULL SCREEN THREAD PRIORITY", &TGame::FullScreenThread, kAny},
      {u"WINDOWED PROCESS PRIORITY", &TGame::WindowedProcess, kAny},
      {u"WINDOWED THREAD PRIORITY", &TGame::WindowedThread, kAny},
      {u"REGION", &TGame::Region, kAny},
      {u"SUB-REGION", &TGame::SubRegion, kAny},
      {u"CUSTOM MOUSE POINTER", &TGame::CustomMousePointer, kSwitch},
  };
  for (const TIniLine& line : Ini.Lines) {
    if (line.Name == u"VERSION NO") {
      VersionNumber = line.Value;
    } else if (line.Name == u"SOUND DRIVER") {
      SoundDriver = line.Value;
    } else if (line.Name == u"PROFILE NAME") {
      ProfileName = line.Value;
    } else {
      for (const IntKey& key : intKeys) {
        if (line.Name == key.name) {
          const int value = ccStringToInt(line.Value);
          if (key.range == kSwitch) {
            this->*(key.field) = value != 0 ? 1 : 0;
          } else if (key.range == kPercent) {
            this->*(key.field) = std::clamp(value, 0, 100);
          } else {
            this->*(key.field) = value;
          }
          break;
        }
      }
    }
  }
  return 0;
}

int TGame::IniUpdate(int changed) {
  IniFill();
  Ini.Save();
  if (changed != 0) CreateMarker(MarkerPath(*this, u"inichanged.dat", u"data/"));
  return 0;
}

int TGame::MakeGoodExit() {
  CreateMarker(MarkerPath(*Game, u"GoodExit.dat", u"data/"));
  return 0;
}

String TGame::SettingsFilePath() const {
  const String app = ccAppFileNonDebug();
  if (UseCorrectPath == 0) return platform::StripExt(app) + u".ini";
  return SubPath + platform::StripAll(app) + u".ini";
}

int TGame::CheckGoodExit() {
  const String goodExit = MarkerPath(*this, u"GoodExit.dat", u"data/");
  const String iniChanged = MarkerPath(*this, u"inichanged.dat", u"Data/");
  ClearTheWayFor(goodExit);
  ClearTheWayFor(iniChanged);
  if (IsMarker(goodExit)) {
    platform::DeleteFile(goodExit);
  } else if (IsMarker(iniChanged) && SettingsReadable(SettingsFilePath())) {
    const String settings = SettingsFilePath();
    const String name = ccReadIniLine(settings, u"PROFILE NAME");
    // One write, renamed over the old file only when complete: a crash at any moment of the
    // repair leaves either the old settings or the repaired ones, and the name in both.
    if (platform::SaveBytes(settings, RepairedSettings(DataPrefix + u"data/default.ini", name))) {
      ccShareFileOSX(settings);
      if (platform::Notify(u"Default ini file restored!")) {
        // A quit while the notice stands: the repair is on disk, so end as a quit right after
        // the start does.
        platform::DeleteFile(iniChanged);
        MakeGoodExit();
        platform::End(0);
      }
    }
  }
  platform::DeleteFile(iniChanged);
  return 0;
}
