#pragma once
// What the fixtures that run framework code share: the runtime's event queue, the framework's
// input and error globals put back as they are at start, and the runtime's drawing state.

#include <functional>
#include <string>

#include "platform/String.h"

namespace testrig {

// Empties the runtime's event queue.
void DrainEvents();
// Queues one event as the system would.
void Post(int id, int data = 0, int x = 0, int y = 0);

// Program exits throw platform::ProgramExit; the runtime is up on the fake clock at 10000 ms
// (no step per flip) with an empty queue; the framework's key state, polled-input state,
// ccGraphicalErrors and Delta are as at start.
void ResetFrameworkGlobals();

// A fresh Game on the silent audio driver and the fake clock (after ResetFrameworkGlobals), its
// user folder, error log and settings file in root (closing slash) and its picture, menu,
// sound, music and profile folders root + "images/", "menus/", "sound/", "music/",
// "profiles/"; errors are shown (through the error box hook once the display is open).
void NewQuietGame(const std::string& root);

// Alpha blend, white, opaque, unscaled, unrotated, no origin or handle, the whole 800 by 600
// viewport and the runtime's own font.
void ResetDrawingState();

// Runs code that is expected to end the program through a fatal error, reported as a system
// notice (as before the display opens). Returns the notice's text, or "" when the code returned normally.
String FatalNotice(const std::function<void()>& run);

}  // namespace testrig
