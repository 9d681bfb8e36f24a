#pragma once
// Thin system helpers of the framework: the user folders, the application's path, file
// sharing, the desktop, window and cursor queries, and the window calls that have no work
// on this platform.
#include <functional>
#include <vector>

#include "platform/String.h"

// The user's application-support folder (no closing slash); "" when none is found.
String ccGetMacProfileUserDataFolder();
// The shared user-data folder; on this platform the same per-user data folder.
String ccGetSharedUserDataFolder();
String ccGetSpecialFolder();
// The application's path with ".app": the executable path cut before its first ".app" with a
// trailing "debug" (and the character before it) removed.
String ccAppFileNonDebug();
String ccAppFileNonDebugOf(const String& exePath);
// Makes a file or folder the program created readable and writable by its user (and keeps
// the rest of the user's umask); never widens access to other users.
int ccShareFileOSX(const String& path);

int ccGetDesktopSize(int& width, int& height);
// Window origin and cursor position: desktop pixels, vertical axis upwards from the bottom.
int ccGetWindowOriginOSX(int& x, int& y);
int ccGetCursorPosOSX(int& x, int& y);
int ccGetActiveWindowOSX();
int ccFixMacWindowY(int y, int desktopHeight, int windowHeight);
int ccFindScreenRes(int width, int height, int depth, int hertz);
int ccFixLagDX9();
float ccRoundFloat(float value, int places);

int ccCentreWindow();
int ccCentreWindowHandle(int window);
int ccEnableMaximize(int window);
int ccEnableMinimize(int window);
int ccMinimiseWindow();
int ccSetIcon(int window);
int ccSetPriority(int process, int thread);
int ccSetWallpaper(const String& path);
int ccGiveDirectoryFullAccess(const String& path);
int ccVWait();
int ccGetVideoMemory();
int ccCreateMutex(const String& name);
String ccGetDirectXVersion();
String ccGetEnvVar(const String& name);
String ccGetVersionString();
int ccDirectXVersionIsValid(const String& version);

// The folders from the user folder up to, but not including, the root it was made under;
// empty when the user folder does not lie under that root.
std::vector<String> ccUserFolderWalk(const String& subPath, const String& root);

// Opens the display (the runtime's Graphics); a test may put a function in its place.
bool ccOpenDisplay(int width, int height, int depth, int hertz);
void SetDisplayOpenHook(std::function<bool(int width, int height, int depth, int hertz)> hook);
