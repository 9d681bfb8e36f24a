#include "platform/Events.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <deque>

#include "platform/KeyMap.h"
#include "platform/Renderer.h"

namespace platform {

namespace {

constexpr size_t kMaxQueued = 4096;
constexpr size_t kMaxPolledChars = 256;
constexpr int kKeyCount = 256;
constexpr int kButtonCount = 4;  // 1..3 used
constexpr int kMaxHits = 1 << 20;

struct PolledState {
  int keyHits[kKeyCount] = {};
  bool keyDown[kKeyCount] = {};
  std::deque<int> chars;
  int mouseHits[kButtonCount] = {};
  bool mouseDown[kButtonCount] = {};
  int mouseZ = 0;
};

std::deque<Event> gQueue;
bool gPolled = false;
PolledState gState;
int gMouseX = 0;
int gMouseY = 0;
// The last suspend/resume the system reported; repeats (focus lost, then minimised) are folded.
int gFocusState = EVENT_APPRESUME;

bool IsInput(int id) {
  switch (id) {
    case EVENT_KEYDOWN:
    case EVENT_KEYUP:
    case EVENT_KEYCHAR:
    case EVENT_MOUSEDOWN:
    case EVENT_MOUSEUP:
    case EVENT_MOUSEMOVE:
    case EVENT_MOUSEWHEEL:
      return true;
    default:
      return false;
  }
}

bool IsFocus(int id) { return id == EVENT_APPSUSPEND || id == EVENT_APPRESUME; }
bool IsPointerPresence(int id) { return id == EVENT_MOUSEENTER || id == EVENT_MOUSELEAVE; }

bool ValidKey(int key) { return key >= 0 && key < kKeyCount; }
bool ValidButton(int button) { return button >= 1 && button < kButtonCount; }

void ResetPolledState() { gState = PolledState(); }

void ApplyPolled(const Event& e) {
  switch (e.id) {
    case EVENT_KEYDOWN:
      if (ValidKey(e.data)) {
        if (gState.keyHits[e.data] < kMaxHits) ++gState.keyHits[e.data];
        gState.keyDown[e.data] = true;
      }
      break;
    case EVENT_KEYUP:
      if (ValidKey(e.data)) gState.keyDown[e.data] = false;
      break;
    case EVENT_KEYCHAR:
      if (gState.chars.size() < kMaxPolledChars) gState.chars.push_back(e.data);
      break;
    case EVENT_MOUSEDOWN:
      if (ValidButton(e.data)) {
        if (gState.mouseHits[e.data] < kMaxHits) ++gState.mouseHits[e.data];
        gState.mouseDown[e.data] = true;
      }
      break;
    case EVENT_MOUSEUP:
      if (ValidButton(e.data)) gState.mouseDown[e.data] = false;
      break;
    case EVENT_MOUSEWHEEL:
      gState.mouseZ += e.data;
      break;
    default:
      break;
  }
}

void Enqueue(const Event& e, bool fromSystem) {
  // A burst of pointer motion only matters for where it ends.
  if (fromSystem && e.id == EVENT_MOUSEMOVE && !gQueue.empty() && gQueue.back().id == EVENT_MOUSEMOVE) {
    gQueue.back() = e;
    return;
  }
  if (gQueue.size() >= kMaxQueued) {
    // Full: input gives way (oldest first); quit, close and focus changes are never dropped.
    auto oldest = std::find_if(gQueue.begin(), gQueue.end(), [](const Event& q) { return IsInput(q.id); });
    if (oldest != gQueue.end()) {
      gQueue.erase(oldest);
    } else if (IsInput(e.id)) {
      return;
    }
  }
  gQueue.push_back(e);
}

void Feed(const Event& e, bool fromSystem) {
  if (e.id == EVENT_MOUSEMOVE || e.id == EVENT_MOUSEDOWN || e.id == EVENT_MOUSEUP) {
    gMouseX = e.x;
    gMouseY = e.y;
  }
  if (IsFocus(e.id)) {
    if (fromSystem && e.id == gFocusState) return;
    gFocusState = e.id;
  }
  if (gPolled && IsInput(e.id)) {
    ApplyPolled(e);
    return;
  }
  Enqueue(e, fromSystem);
}

void FeedSystem(int id, int data = 0, int x = 0, int y = 0) {
  Event e;
  e.id = id;
  e.data = data;
  e.x = x;
  e.y = y;
  Feed(e, true);
}

int MouseButton(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 3;
    default: return 0;
  }
}

int TypedControl(SDL_Keycode key) {
  switch (key) {
    case SDLK_BACKSPACE: return 8;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return 13;
    case SDLK_ESCAPE: return 27;
    default: return 0;
  }
}

void FeedText(const char* text, size_t capacity) {
  const String chars = FromUtf8(std::string_view(text, strnlen(text, capacity)));
  for (const char16_t c : chars) {
    // Surrogates are characters above U+FFFF, which the 16-bit codes cannot carry; control
    // characters arrive from the key events instead.
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    if (c < 32 || c == 127) continue;
    FeedSystem(EVENT_KEYCHAR, c);
  }
}

void Translate(const SDL_Event& ev) {
  switch (ev.type) {
    case SDL_MOUSEMOTION:
      FeedSystem(EVENT_MOUSEMOVE, 0, ev.motion.x, ev.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (const int b = MouseButton(ev.button.button)) {
        FeedSystem(ev.type == SDL_MOUSEBUTTONDOWN ? EVENT_MOUSEDOWN : EVENT_MOUSEUP, b, ev.button.x, ev.button.y);
      }
      break;
    case SDL_MOUSEWHEEL: {
      int steps = ev.wheel.y;
      if (ev.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) steps = -steps;
      if (steps != 0) FeedSystem(EVENT_MOUSEWHEEL, steps, gMouseX, gMouseY);
      break;
    }
    case SDL_KEYDOWN: {
      const int vk = VirtualKeyFromSdl(ev.key.keysym.sym, ev.key.keysym.scancode);
      if (vk >= 0 && !ev.key.repeat) FeedSystem(EVENT_KEYDOWN, vk);
      if (const int c = TypedControl(ev.key.keysym.sym)) FeedSystem(EVENT_KEYCHAR, c);
      break;
    }
    case SDL_KEYUP: {
      const int vk = VirtualKeyFromSdl(ev.key.keysym.sym, ev.key.keysym.scancode);
      if (vk >= 0) FeedSystem(EVENT_KEYUP, vk);
      break;
    }
    case SDL_TEXTINPUT:
      FeedText(ev.text.text, sizeof ev.text.text);
      break;
    case SDL_QUIT:
      FeedSystem(EVENT_APPTERMINATE);
      break;
    case SDL_WINDOWEVENT:
      switch (ev.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          FeedSystem(EVENT_WINDOWCLOSE);
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED:
          FeedSystem(EVENT_APPSUSPEND);
          break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_RESTORED:
          FeedSystem(EVENT_APPRESUME);
          break;
        case SDL_WINDOWEVENT_ENTER:
          FeedSystem(EVENT_MOUSEENTER, 0, gMouseX, gMouseY);
          break;
        case SDL_WINDOWEVENT_LEAVE:
          FeedSystem(EVENT_MOUSELEAVE, 0, gMouseX, gMouseY);
          break;
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_MOVED:
        case SDL_WINDOWEVENT_RESIZED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          Renderer::Get().WindowChanged();
          break;
        default:
          break;
      }
      break;
    default:
      break;
  }
}

void Pump() {
  if (!SDL_WasInit(SDL_INIT_EVENTS)) return;
  SDL_PumpEvents();
  SDL_Event batch[64];
  for (;;) {
    const int n = SDL_PeepEvents(batch, 64, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    for (int i = 0; i < n; ++i) Translate(batch[i]);
    if (n < 64) break;
  }
}

bool ModDown(int mask) { return SDL_WasInit(SDL_INIT_VIDEO) && (SDL_GetModState() & mask) != 0; }

}  // namespace

void PollSystem() { Pump(); }

bool PeekEvent(Event* out) {
  if (gQueue.empty()) Pump();
  if (gQueue.empty()) return false;
  if (out) *out = gQueue.front();
  return true;
}

bool PollEvent(Event& out) {
  if (gQueue.empty()) Pump();
  if (gQueue.empty()) return false;
  out = gQueue.front();
  gQueue.pop_front();
  return true;
}

void PostEvent(const Event& event) { Feed(event, false); }

bool EventWaiting(int id, int data) {
  Pump();
  return std::any_of(gQueue.begin(), gQueue.end(),
                     [&](const Event& e) { return e.id == id && (data < 0 || e.data == data); });
}

void DrainInputEvents() {
  Pump();
  // Only the latest focus and pointer-presence states still mean anything.
  int lastFocus = -1;
  int lastPresence = -1;
  for (size_t i = 0; i < gQueue.size(); ++i) {
    if (IsFocus(gQueue[i].id)) lastFocus = static_cast<int>(i);
    if (IsPointerPresence(gQueue[i].id)) lastPresence = static_cast<int>(i);
  }
  std::deque<Event> kept;
  for (size_t i = 0; i < gQueue.size(); ++i) {
    const int id = gQueue[i].id;
    if (IsInput(id)) continue;
    if (IsFocus(id) && static_cast<int>(i) != lastFocus) continue;
    if (IsPointerPresence(id) && static_cast<int>(i) != lastPresence) continue;
    kept.push_back(gQueue[i]);
  }
  gQueue.swap(kept);
}

bool ShiftDown() { return ModDown(KMOD_SHIFT); }
bool CtrlDown() { return ModDown(KMOD_CTRL); }
bool AltDown() { return ModDown(KMOD_ALT); }
bool SuperDown() { return ModDown(KMOD_GUI); }

void EnablePolledInput() {
  if (gPolled) return;
  Pump();  // what happened before belongs to the queue
  ResetPolledState();
  gPolled = true;
}

void DisablePolledInput() {
  if (gPolled) Pump();  // still polled: pending input lands in the state that is dropped next
  gPolled = false;
  ResetPolledState();
  DrainInputEvents();
}

bool PolledInputEnabled() { return gPolled; }

int KeyHit(int key) {
  Pump();
  if (!ValidKey(key)) return 0;
  const int n = gState.keyHits[key];
  gState.keyHits[key] = 0;
  return n;
}

int KeyDown(int key) {
  Pump();
  return ValidKey(key) && gState.keyDown[key] ? 1 : 0;
}

int GetChar() {
  Pump();
  if (gState.chars.empty()) return 0;
  const int c = gState.chars.front();
  gState.chars.pop_front();
  return c;
}

void FlushKeys() {
  Pump();
  std::fill(std::begin(gState.keyHits), std::end(gState.keyHits), 0);
  std::fill(std::begin(gState.keyDown), std::end(gState.keyDown), false);
  gState.chars.clear();
}

void FlushMouse() {
  Pump();
  std::fill(std::begin(gState.mouseHits), std::end(gState.mouseHits), 0);
  std::fill(std::begin(gState.mouseDown), std::end(gState.mouseDown), false);
  gState.mouseZ = 0;
}

int MouseHit(int button) {
  Pump();
  if (!ValidButton(button)) return 0;
  const int n = gState.mouseHits[button];
  gState.mouseHits[button] = 0;
  return n;
}

int MouseDown(int button) {
  Pump();
  return ValidButton(button) && gState.mouseDown[button] ? 1 : 0;
}

int MouseX() {
  Pump();
  return gMouseX;
}

int MouseY() {
  Pump();
  return gMouseY;
}

int MouseZ() {
  Pump();
  return gState.mouseZ;
}

}  // namespace platform
