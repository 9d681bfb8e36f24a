#include "core/Platform.h"

#include <cmath>

#include "platform/FileSystem.h"
#include "platform/Graphics.h"

String ccGetMacProfileUserDataFolder() { return platform::UserAppSupportDir(); }

String ccGetSharedUserDataFolder() { return platform::UserAppSupportDir(); }

String ccGetSpecialFolder() { return String(); }

String ccAppFileNonDebugOf(const String& exePath) {
  const size_t app = exePath.find(u".app");
  if (app == String::npos) return exePath + u".app";
  String path = exePath.substr(0, app);
  const StringView debug = u"debug";
  if (path.size() >= debug.size() + 1 &&
      StringView(path).substr(path.size() - debug.size()) == debug) {
    path.resize(path.size() - debug.size() - 1);
  }
  return path + u".app";
}

String ccAppFileNonDebug() { return ccAppFileNonDebugOf(platform::AppFile()); }

int ccShareFileOSX(const String& path) {
  // Only the owner's access is ensured; group and other keep what the umask gave them.
  const int mode = platform::FileMode(path);
  if (mode < 0) return 0;
  const int owner = platform::FileType(path) == platform::FILETYPE_DIR ? 0700 : 0600;
  if ((mode & owner) != owner) platform::SetFileMode(path, mode | owner);
  return 0;
}

int ccGetDesktopSize(int& width, int& height) {
  int w = 0;
  int h = 0;
  if (platform::DesktopSize(w, h)) {
    width = w;
    height = h;
  }
  return 1;
}

int ccGetWindowOriginOSX(int& x, int& y) {
  x = 0;
  y = 0;
  return platform::WindowOrigin(x, y) ? 1 : 0;
}

int ccGetCursorPosOSX(int& x, int& y) { return platform::GlobalCursor(x, y) ? 1 : 0; }

int ccGetActiveWindowOSX() { return platform::WindowHasFocus() ? 1 : 0; }

int ccFixMacWindowY(int y, int desktopHeight, int windowHeight) {
  return desktopHeight - (y + windowHeight);
}

int ccFindScreenRes(int width, int height, int depth, int hertz) {
  return platform::GraphicsModeExists(width, height, depth, hertz) ? 1 : 0;
}

int ccFixLagDX9() {
  platform::GrabPixmap(1, 1, 1, 1);
  return 0;
}

float ccRoundFloat(float value, int places) {
  const int p = static_cast<int>(std::pow(10.0, places));
  const float sign = value > 0 ? 1.0f : (value < 0 ? -1.0f : 0.0f);
  return static_cast<float>(static_cast<int>(static_cast<float>(p) * value + 0.5f * sign)) /
         static_cast<float>(p);
}

int ccCentreWindow() { return 0; }
int ccCentreWindowHandle(int) { return 0; }
int ccEnableMaximize(int) { return 0; }
int ccEnableMinimize(int) { return 0; }
int ccMinimiseWindow() { return 0; }
int ccSetIcon(int) { return 0; }
int ccSetPriority(int, int) { return 0; }
int ccSetWallpaper(const String&) { return 0; }
int ccGiveDirectoryFullAccess(const String&) { return 0; }
int ccVWait() { return 0; }
int ccGetVideoMemory() { return 0; }
int ccCreateMutex(const String&) { return 0; }
String ccGetDirectXVersion() { return String(); }
String ccGetEnvVar(const String&) { return String(); }
String ccGetVersionString() { return String(); }

int ccDirectXVersionIsValid(const String& version) {
  for (const char16_t* bad : {u"1.0", u"2.0", u"3.0", u"5.0", u"6.0"}) {
    if (version == bad) return 0;
  }
  return 1;
}

std::vector<String> ccUserFolderWalk(const String& subPath, const String& root) {
  std::vector<String> folders;
  // Never walk above the root: a user folder outside it changes nothing.
  if (root.empty() || subPath.size() <= root.size() || subPath.compare(0, root.size(), root) != 0) {
    return folders;
  }
  String path = subPath;
  while (path.size() > root.size() && path != root) {
    folders.push_back(path);
    if (!path.empty() && path.back() == u'/') path.pop_back();
    const size_t slash = path.rfind(u'/');
    if (slash == String::npos) break;
    path.resize(slash + 1);
  }
  return folders;
}

namespace {
std::function<bool(int, int, int, int)> displayOpenHook;
}  // namespace

bool ccOpenDisplay(int width, int height, int depth, int hertz) {
  if (displayOpenHook) return displayOpenHook(width, height, depth, hertz);
  return platform::Graphics(width, height, depth, hertz);
}

void SetDisplayOpenHook(std::function<bool(int, int, int, int)> hook) {
  displayOpenHook = std::move(hook);
}
