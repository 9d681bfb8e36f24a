#include "core/ErrorPath.h"

#include <string>

#include "core/Globals.h"
#include "core/Input.h"
#include "core/Platform.h"
#include "gfx/DrawHelpers.h"
#include "gfx/ScreenEffects.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "platform/System.h"
#include "text/StringHelpers.h"
#include "text/TextDrawing.h"
#include "text/WordWrap.h"

namespace {

std::function<bool(const String&)> errorBoxHook;
// Set while the error box is up: an error raised by its own drawing must not open another.
bool inErrorBox = false;

[[noreturn]] void ErrorExit() { platform::End(1); }

}  // namespace

void SetErrorBoxHook(std::function<bool(const String& message)> hook) {
  errorBoxHook = std::move(hook);
}

int ccRunTimeError(const String& message, int fatal) {
  const int polledBefore = ccPolledInputState;
  if (ccGraphicalErrors == 0) {
    platform::Notify(message, true);
    ErrorExit();
  }
  if (!platform::GraphicsOpen()) {
    // Before the display is open: a system notice and the end, without a log entry.
    platform::Notify(message, true);
    ErrorExit();
  }
  if (inErrorBox) {
    // The box itself failed: a system notice, logged, then the end.
    platform::Notify(message, true);
    if (ccWriteErrors) ccErrorLog(message);
    ErrorExit();
  }
  ccEnablePolledInput();
  inErrorBox = true;
  int closed = 0;
  try {
    closed = ccDialogOK(message, 600, 100);
  } catch (...) {
    inErrorBox = false;
    throw;
  }
  inErrorBox = false;
  if (ccWriteErrors) ccErrorLog(message);
  if (fatal) ErrorExit();
  // The player asked to quit while the box stood: the error is logged, now honour it.
  if (closed == -1) ccQuitNow();
  if (polledBefore) {
    ccEnablePolledInput();
  } else {
    ccDisablePolledInput();
  }
  return 0;
}

String ccCannotWriteReason(const String& path) {
  const String reason = platform::LastWriteError();
  if (reason.empty()) return String();
  const size_t slash = path.rfind(u'/');
  const String folder = slash == String::npos ? String(u"./") : path.substr(0, slash + 1);
  return u"\n\nThe folder " + folder + u" cannot be written: " + reason + u".";
}

int ccErrorLog(const String& message) {
  // Until the user folder is known there is no safe place for the log: a relative path would
  // land in whatever the working folder happens to be.
  if (ccErrorPath.empty() || ccErrorPath[0] != u'/') return 0;
  const String path = ccErrorPath + u"ErrorLog.txt";
  // Added to in place, so never through a link: a link (or a FIFO, a folder, a log that
  // cannot be written) under its name is set aside and a new log begun.
  auto log = platform::AppendFile(path);
  if (!log && platform::MoveAside(path)) log = platform::AppendFile(path);
  if (!log) return 0;
  log->WriteLine(String(57, u'-'));
  log->WriteLine(u"Date: " + platform::CurrentDate() + u"   Time: " + platform::CurrentTime());
  log->WriteLine(message);
  log->Close();
  ccShareFileOSX(path);
  return 0;
}

int ccDialogOK(const String& message, int width, int height) {
  const float left = static_cast<float>((ScreenWidth - width) / 2);
  const float top = static_cast<float>((ScreenHeight - height) / 2);
  const float w = static_cast<float>(width);
  const float h = static_cast<float>(height);
  const float margin = 10.0f;
  const float centre = static_cast<float>(ScreenWidth / 2);
  ccRestoreSolidMode();
  platform::SetImageFont(nullptr);
  const StringArray lines = ccWordWrapArray(ccSplitStringIntoLines(message), width - 20, nullptr, 1.0f);
  ccFlushAll();
  const String prompt = u"<press any key>";
  ccShadowTextDepthX = 1.0f;
  ccShadowTextDepthY = 1.0f;
  // The screen is not cleared: the box stands over the last frame.
  int result = 0;
  while (!ccAnyKeyPressed() && !ccMouseHit()) {
    if (ccQuitRequested()) {
      result = -1;
      break;
    }
    platform::SetColor(0, 0, 0);
    platform::DrawRect(left + 4, top + 4, w, h);
    platform::SetColor(150, 150, 150);
    platform::DrawRect(left, top, w, h);
    platform::SetColor(220, 220, 200);
    ccDrawRectOutline(static_cast<int>(left), static_cast<int>(top), width, height);
    platform::SetColor(0, 220, 220);
    ccShadowTextWrapped(centre, top + margin, lines, 1, 0);
    platform::SetColor(0, 220, 0);
    ccShadowText(centre, top + h - static_cast<float>(platform::TextHeight(prompt)) - margin,
                 prompt, 1);
    ccFlip();
    if (errorBoxHook && errorBoxHook(message)) break;
    platform::Delay(1);
  }
  platform::SetColor(255, 255, 255);
  ccFlushAll();
  return result;
}

int HandleGeneralError(const String& message, bool runtimeException) {
  platform::EndGraphics();
  platform::ShowMouse();
  String text = message;
  if (runtimeException && DebugInt != 0) {
    text = u"(" + S(std::to_string(DebugInt)) + u") " + message;
  }
  platform::Notify(text, true);
  ccErrorLog(text);
  return 0;
}

platform::ImagePtr ccLoadBitmap(const String& path, int flags) {
  platform::ImagePtr image = platform::LoadImage(path, flags);
  if (!image) ccRunTimeError(u"Error loading bitmap " + path, 1);
  return image;
}

platform::ImagePtr ccLoadAnimBitmap(const String& path, int cellWidth, int cellHeight,
                                    int firstCell, int count, int flags) {
  platform::ImagePtr image =
      platform::LoadAnimImage(path, cellWidth, cellHeight, firstCell, count, flags);
  if (!image) ccRunTimeError(u"Error loading anim bitmap " + path, 1);
  return image;
}

platform::StreamPtr ccLoadFile(const String& path) {
  platform::StreamPtr stream = platform::ReadFile(path);
  if (!stream) ccRunTimeError(u"Error loading file " + path, 1);
  return stream;
}

platform::SoundPtr ccLoadSample(const String& path, int flags) {
  platform::SoundPtr sound = platform::LoadSound(path, flags);
  if (!sound) ccRunTimeError(u"Error loading sample " + path, 1);
  return sound;
}

int ccFileExists(const String& path) { return platform::FileType(path) != 0 ? 1 : 0; }
