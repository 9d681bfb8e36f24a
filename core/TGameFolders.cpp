// TGame: the data folder and the user folder.
#include "core/ErrorPath.h"
#include "core/Platform.h"
#include "core/TGame.h"
#include "platform/FileSystem.h"
#include "platform/Stream.h"
#include "platform/System.h"
#include "text/StringHelpers.h"

#ifndef LV_INSTALL_DATA_REL
#define LV_INSTALL_DATA_REL "../share/lantern-vale/"
#endif

namespace {

// "<exe folder>/../Resources/" in the build tree, else the installed data folder relative to
// the executable's folder. Neither holding "Data" ends the program before anything else.
String FindDataFolder() {
  const String exe = platform::AppDir();
  const String build = exe + u"/../Resources/";
  if (platform::FileType(build + u"Data") == platform::FILETYPE_DIR) return build;
  const String installed = exe + u"/" + S(LV_INSTALL_DATA_REL);
  if (platform::FileType(installed + u"Data") == platform::FILETYPE_DIR) return installed;
  platform::Notify(u"Cannot find the game's data folder: neither " + build + u" nor " + installed +
                       u" holds its \"Data\" folder.",
                   true);
  platform::End(1);
}

}  // namespace

int TGame::SetDefaultPaths() {
  if (DataInAppBundle == 1) DataPrefix = FindDataFolder();
  SetImagePath(DataPrefix + u"Data/graphics");
  SetSoundPath(DataPrefix + u"Data/sound");
  SetMusicPath(DataPrefix + u"Data/music");
  SetSpeechPath(DataPrefix + u"Data/speech");
  SetMenuPath(DataPrefix + u"Data/menus");
  if (UseCorrectPath != 0) {
    SetProfilePath(u"profiles");
  } else {
    SetProfilePath(DataPrefix + u"Data/profiles");
  }
  SetTextPath(DataPrefix + u"Data/text");
  SetLevelsPath(DataPrefix + u"Data/levels");
  SetFontPath(DataPrefix + u"Data/fonts");
  return 0;
}

int TGame::SetSubPath(const String& path, int flag) {
  SubPath = path.empty() ? String() : ccAddSlash(path);
  if (UseCorrectPath != 0) {
    const String root = flag != 0 ? ccGetMacProfileUserDataFolder() : ccGetSharedUserDataFolder();
    SubPath = ccAddSlash(root) + SubPath;
    ApplySubPath();
  }
  ccErrorPath = SubPath;
  return 0;
}

int TGame::SetSubPathWrapper(const String& path, int flag) {
  SetDefaultPaths();
  SetSubPath(path, flag);
  return 0;
}

int TGame::ApplySubPath() {
  ProfilePath = SubPath + ProfilePath;
  return 0;
}

int TGame::SetImagePath(const String& path) {
  ImagePath = ccAddSlash(path);
  return 0;
}

int TGame::SetSoundPath(const String& path) {
  SoundPath = ccAddSlash(path);
  return 0;
}

int TGame::SetMusicPath(const String& path) {
  MusicPath = ccAddSlash(path);
  return 0;
}

int TGame::SetSpeechPath(const String& path) {
  SpeechPath = ccAddSlash(path);
  return 0;
}

int TGame::SetMenuPath(const String& path) {
  MenuPath = ccAddSlash(path);
  return 0;
}

int TGame::SetProfilePath(const String& path) {
  ProfilePath = ccAddSlash(path);
  return 0;
}

int TGame::SetTextPath(const String& path) {
  TextPath = ccAddSlash(path);
  return 0;
}

int TGame::SetLevelsPath(const String& path) {
  LevelsPath = ccAddSlash(path);
  return 0;
}

int TGame::SetFontPath(const String& path) {
  FontPath = ccAddSlash(path);
  return 0;
}

int TGame::CreateUserFolder(int rootFlag) {
  if (platform::ReadDir(SubPath)) return 0;
  DebugInt = 1002;
  if (!platform::CreateDir(SubPath, true)) {
    ccRunTimeError(u"Cannot create shared data folder " + SubPath + u": " +
                       platform::LastWriteError() + u".",
                   1);
    return 0;
  }
  const String root =
      ccAddSlash(rootFlag != 0 ? ccGetMacProfileUserDataFolder() : ccGetSharedUserDataFolder());
  for (const String& folder : ccUserFolderWalk(SubPath, root)) ccShareFileOSX(folder);
  return 0;
}

int TGame::LockUserFolder(int rootFlag) {
  // A second copy would share the settings, markers and profiles with the first and clean up
  // files the first is still writing; the lock keeps it out before it touches any of them.
  // The folder itself is locked: it is always there and always ours, whatever entries it holds.
  if (UseCorrectPath != 0) CreateUserFolder(rootFlag);
  const String folder = UseCorrectPath != 0 ? SubPath : String(u"data/");
  if (platform::LockFolderForProcess(folder) == 0) {
    ccRunTimeError(u"Lantern Vale is already running.", 1);
  }
  return 0;
}
