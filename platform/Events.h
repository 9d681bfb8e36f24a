#pragma once
// The system event queue and the runtime's own polled input.
// Key codes are virtual-key numbers 0..255 (8 Backspace, 9 Tab, 13 Enter, 27 Escape, 32 Space,
// 33-36 PgUp/PgDn/End/Home, 37-40 Left/Up/Right/Down, 45 Insert, 46 Delete, 48-57 digits,
// 65-90 letters, 91/92 left/right Super ("Command"), 96-105 keypad digits,
// 106/107/109/110/111 keypad * + - . /, 112-123 F1-F12, 160/161 Shift, 162/163 Ctrl,
// 164/165 Alt, 186-192 and 219-222 punctuation). Other keys send no key events.
#include "platform/String.h"

namespace platform {

enum EventId {
  EVENT_NONE = 0,
  EVENT_APPSUSPEND,
  EVENT_APPRESUME,
  EVENT_APPTERMINATE,  // quit request from the system
  EVENT_WINDOWCLOSE,
  EVENT_KEYDOWN,     // data = key code (no auto-repeat); key events carry x = y = 0
  EVENT_KEYUP,       // data = key code
  EVENT_KEYCHAR,     // data = character code (8, 13, 27 included, with repeats)
  EVENT_MOUSEDOWN,   // data = 1 left, 2 right, 3 middle; x, y
  EVENT_MOUSEUP,     // data = button; x, y
  EVENT_MOUSEMOVE,   // x, y in window pixels
  EVENT_MOUSEWHEEL,  // data = steps, positive away from the user
  EVENT_MOUSEENTER,
  EVENT_MOUSELEAVE,
};

struct Event {
  int id = EVENT_NONE;
  int data = 0;
  int x = 0;
  int y = 0;
};

// Moves pending system events into the queue (or, in polled mode, key, character and mouse
// events into the polled state; quit, close, suspend/resume and pointer enter/leave always
// queue). The queue holds at most 4096 events: when full, the oldest input event gives way;
// quit, close and focus events are never dropped. A run of system pointer moves queues as one.
// Focus lost and minimised give one suspend, focus regained and restored one resume.
void PollSystem();
// Tells whether an event waits (pumping first when the queue is empty); fills *out without
// removing it.
bool PeekEvent(Event* out = nullptr);
// Removes the oldest event into out (pumping first when the queue is empty); false when none.
bool PollEvent(Event& out);
// Test seam and internal use: appends an event as if the system had sent it (in polled mode
// input events feed the polled state instead).
void PostEvent(const Event& event);
// Pumps, then tells whether an event of this kind waits in the queue (with this data, when
// data >= 0), leaving the queue as it is.
bool EventWaiting(int id, int data = -1);
// Pumps, then drops every queued key, mouse and character event; keeps quit, close and the
// last suspend/resume (and the last pointer enter/leave) so they are never lost.
void DrainInputEvents();

// Modifier state as the system sees it now.
bool ShiftDown();
bool CtrlDown();
bool AltDown();
bool SuperDown();

// --- Polled input, for the blocking waits (splashes, the error box). ---
// Starts from an empty state; what was pending before stays in the queue.
void EnablePolledInput();
// Drops the polled state and drains the queue as DrainInputEvents does.
void DisablePolledInput();
bool PolledInputEnabled();
// Each query pumps the system first. Codes outside 0..255 answer 0.
int KeyHit(int key);  // presses since the last query of this key (consumed)
int KeyDown(int key);
int GetChar();  // next typed character, 0 when none
void FlushKeys();
void FlushMouse();
int MouseHit(int button);  // clicks since the last query (consumed); 1..3
int MouseDown(int button);
int MouseX();
int MouseY();
int MouseZ();

}  // namespace platform
