#pragma once
// Runtime start, process end, notices.
#include <functional>

#include "platform/String.h"

namespace platform {

// Starts the runtime's video and events (and typed-text input). Audio starts with
// SetAudioDriver. Safe to call more than once. False when no display can be opened (the event
// queue still works then).
bool InitRuntime();
// True when there is no real display (SDL's "dummy" or "offscreen" video driver): drawing
// uses the software renderer and notices go to stderr.
bool IsHeadless();

// A modal system message box; headless it prints to stderr and returns at once. True when a
// quit request (SIGTERM, SIGINT, a queued quit) ended the wait instead of the player: the box
// is still up then, and the caller must end the program.
bool Notify(StringView text, bool serious = false);
// Test seam: while set, notices go to the hook instead of the screen or stderr.
void SetNoticeHook(std::function<void(StringView text)> hook);
// One line to stdout.
void Print(StringView text);
// The window caption (remembered until the window exists).
void AppTitle(StringView title);
String GetAppTitle();

// Ends the process at once (audio shut down first).
[[noreturn]] void End(int code = 0);
// Runs at End before the runtime shuts down, newest first (the audio side stops its device
// here). Registering the same function twice keeps one.
void AddShutdownHook(void (*hook)());
// Ends with a message and no log (display failures).
[[noreturn]] void RuntimeErrorExit(StringView message);

// Test seam: instead of ending the process, End and RuntimeErrorExit throw
// platform::ProgramExit carrying the code, so a test can run the whole program.
struct ProgramExit {
  int code = 0;
};
void SetThrowOnExit(bool on);

// Resident memory in bytes (debug panel), 0 when unknown.
long long MemoryInUse();

}  // namespace platform
