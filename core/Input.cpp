#include "core/Input.h"

#include "core/Globals.h"
#include "core/Startup.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TProfile.h"
#include "core/TScreen.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/Graphics.h"

namespace {

bool Polled() { return ccPolledInputState != 0; }

bool InRange(int k) { return k >= 0 && k < KEY_COUNT; }

}  // namespace

int KeyHit(int k) {
  if (Polled()) return platform::KeyHit(k) ? 1 : 0;
  if (!InRange(k)) return 0;
  if (Keys[static_cast<size_t>(k)] != 0) {
    Keys[static_cast<size_t>(k)] = 0;
    return 1;
  }
  return 0;
}

int KeyDown(int k) {
  if (Polled()) return platform::KeyDown(k);
  if (!InRange(k)) return 0;
  return KeyStates[static_cast<size_t>(k)];
}

int GetChar() {
  if (Polled()) return platform::GetChar();
  if (charGet == charPut) return 0;
  const int c = charQueue[static_cast<size_t>(charGet) % CHAR_QUEUE_SIZE];
  ++charGet;
  return c;
}

int AnyKeyPressed() { return KeyPressed() >= 0 ? 1 : 0; }

int KeyPressed() {
  for (int k = 0; k < KEY_COUNT; ++k) {
    if (Keys[static_cast<size_t>(k)] == 1) return k;
  }
  return -1;
}

int FlushKeys() {
  if (Polled()) {
    platform::FlushKeys();
    return 0;
  }
  Keys.fill(0);
  KeyStates.fill(0);
  charGet = 0;
  charPut = 0;
  return 0;
}

int FlushKey(int k) {
  if (!InRange(k)) return 0;
  Keys[static_cast<size_t>(k)] = 0;
  KeyStates[static_cast<size_t>(k)] = 0;
  return 0;
}

int FlushMouse() {
  if (Polled()) {
    platform::FlushMouse();
  } else if (Game && Game->Mouse) {
    Game->Mouse->ClearButtons();
  }
  return 0;
}

int ccFlushAll() {
  FlushKeys();
  FlushMouse();
  return 0;
}

int ccControlDown() { return (KeyDown(KEY_LCONTROL) || KeyDown(KEY_RCONTROL)) ? 1 : 0; }

int ccShiftDown() { return (KeyDown(KEY_LSHIFT) || KeyDown(KEY_RSHIFT)) ? 1 : 0; }

int ccAnyKeyPressed() {
  for (int k = 0; k < KEY_COUNT; ++k) {
    if (KeyHit(k)) return 1;
  }
  return 0;
}

int ccAnyInput() { return (ccAnyKeyPressed() || ccMouseHit()) ? 1 : 0; }

int ccMouseHit() {
  for (int b = 1; b <= 3; ++b) {
    if (platform::MouseHit(b)) return 1;
  }
  return 0;
}

int ccMouseButtons() {
  int total = 0;
  for (int b = 1; b <= 3; ++b) total += platform::MouseHit(b);
  return total;
}

int ccMouseDown() {
  for (int b = 1; b <= 3; ++b) {
    if (platform::MouseDown(b)) return 1;
  }
  return 0;
}

int ccMouseDownTotal() {
  int total = 0;
  for (int b = 1; b <= 3; ++b) total += platform::MouseDown(b) ? 1 : 0;
  return total;
}

int ccMouseShowHide() {
  platform::Event event;
  if (!platform::PollEvent(event)) return 0;
  const bool custom = Game && Game->CustomMousePointer;
  if (event.id == platform::EVENT_MOUSELEAVE) {
    if (custom) platform::ShowMouse();
    MouseVisible = 1;
  } else if (event.id == platform::EVENT_MOUSEENTER) {
    if (custom) platform::HideMouse();
    MouseVisible = 0;
  }
  return 0;
}

int ccEnablePolledInput() {
  platform::EnablePolledInput();
  ccPolledInputState = 1;
  return 0;
}

int ccDisablePolledInput() {
  platform::DisablePolledInput();
  ccPolledInputState = 0;
  platform::PollSystem();
  // Quit and window-close requests survive the drain: only input made meanwhile is dropped.
  platform::DrainInputEvents();
  return 0;
}

int ccWaitForKeyOrMouse() {
  ccFlushAll();
  while (!ccAnyKeyPressed() && !ccMouseHit()) {
    ccEndOnQuitRequest();
    platform::Delay(1);
  }
  ccFlushAll();
  return 0;
}

int ccQuitRequested() {
  if (platform::EventWaiting(platform::EVENT_APPTERMINATE) ||
      platform::EventWaiting(platform::EVENT_WINDOWCLOSE)) {
    return 1;
  }
  // Polled, the keys are in the runtime's state; otherwise they still wait in the queue.
  const bool command = platform::SuperDown() ||
                       (Polled() && (platform::KeyDown(KEY_LCOMMAND) || platform::KeyDown(KEY_RCOMMAND)));
  if (!command) return 0;
  return (Polled() ? platform::KeyDown(KEY_Q) != 0
                   : platform::EventWaiting(platform::EVENT_KEYDOWN, KEY_Q))
             ? 1
             : 0;
}

void ccQuitNow() {
  if (Game && Game->CurrentProfile && Game->CurrentTScreen && Game->CurrentTScreen->name == u"game") {
    Game->CurrentProfile->Save();
  }
  Shutdown();
}

int ccEndOnQuitRequest() {
  if (ccQuitRequested()) ccQuitNow();
  return 0;
}

int MegaClick() {
  if (Game && Game->Mouse && Game->Mouse->GetMh(1)) return 1;
  if (KeyHit(KEY_ENTER)) return 1;
  if (KeyHit(KEY_SPACE)) return 1;
  if (KeyHit(KEY_ESCAPE)) return 1;
  return 0;
}
