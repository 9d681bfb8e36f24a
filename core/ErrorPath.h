#pragma once
// The one way every part of the program reports a failure, the error log, and the loaders
// that turn a failed load into a fatal error (their callers never see an empty result).
#include <functional>

#include "platform/Audio.h"
#include "platform/Image.h"
#include "platform/Stream.h"
#include "platform/String.h"

// Shows the message in the game's own box, logs it, and ends the program when fatal (or, after
// a quit request closed the box, through the orderly shutdown). Before the display is open: a
// system notice and the end at once, nothing logged. Returns 0.
int ccRunTimeError(const String& message, int fatal);
// Appends a dated entry to ccErrorPath + "ErrorLog.txt"; drops it while ccErrorPath is not an
// absolute folder (the user folder is not yet known). Returns 0.
int ccErrorLog(const String& message);
// After a failed save of path: which folder could not be written and the system's reason, as a
// paragraph to add to the message, so a player knows what to mend (another account's folder, a
// full or read-only disk). Empty when no reason is known.
String ccCannotWriteReason(const String& path);
// A modal message box drawn by the game until a key or click (0), or a quit request (-1, the
// request left waiting).
int ccDialogOK(const String& message, int width, int height);
// Reports an exception caught at the top level.
int HandleGeneralError(const String& message, bool runtimeException);

platform::ImagePtr ccLoadBitmap(const String& path, int flags = -1);
platform::ImagePtr ccLoadAnimBitmap(const String& path, int cellWidth, int cellHeight,
                                    int firstCell, int count, int flags = -1);
platform::StreamPtr ccLoadFile(const String& path);
platform::SoundPtr ccLoadSample(const String& path, int flags = 0);
// 1 for a file or a folder.
int ccFileExists(const String& path);

// Test seam: called after each presented frame of the error box; true ends the wait as a key
// press would.
void SetErrorBoxHook(std::function<bool(const String& message)> hook);
