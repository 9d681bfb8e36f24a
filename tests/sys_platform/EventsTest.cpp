// Event translation from real SDL events (dummy video driver) and the polled input.
#include <SDL.h>

#include <cstring>
#include <vector>

#include "support/TestRig.h"
#include "platform/Events.h"
#include "platform/System.h"

using namespace platform;

namespace {

struct Got {
  int id, data, x, y;
  bool operator==(const Got&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Got& g) {
  return os << "{" << g.id << ", " << g.data << ", " << g.x << ", " << g.y << "}";
}

class EventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InitRuntime()) << SDL_GetError();
    Reset();
  }
  void TearDown() override { Reset(); }

  static void Reset() {
    DisablePolledInput();
    Event e;
    while (PollEvent(e)) {
    }
    PostEvent({EVENT_APPRESUME, 0, 0, 0});  // back to the "resumed" state
    while (PollEvent(e)) {
    }
  }

  static std::vector<Got> Drain() {
    std::vector<Got> out;
    Event e;
    while (PollEvent(e)) out.push_back({e.id, e.data, e.x, e.y});
    return out;
  }

  static void Key(Uint32 type, SDL_Keycode sym, SDL_Scancode scan = SDL_SCANCODE_UNKNOWN, bool repeat = false) {
    SDL_Event ev{};
    ev.type = type;
    ev.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    ev.key.repeat = repeat ? 1 : 0;
    ev.key.keysym.sym = sym;
    ev.key.keysym.scancode = scan;
    ASSERT_EQ(SDL_PushEvent(&ev), 1) << SDL_GetError();
  }

  static void Text(const char* utf8) {
    SDL_Event ev{};
    ev.type = SDL_TEXTINPUT;
    std::strncpy(ev.text.text, utf8, sizeof ev.text.text - 1);
    ASSERT_EQ(SDL_PushEvent(&ev), 1);
  }

  static void Button(Uint32 type, Uint8 button, int x, int y) {
    SDL_Event ev{};
    ev.type = type;
    ev.button.button = button;
    ev.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    ev.button.x = x;
    ev.button.y = y;
    ASSERT_EQ(SDL_PushEvent(&ev), 1);
  }

  static void Motion(int x, int y) {
    SDL_Event ev{};
    ev.type = SDL_MOUSEMOTION;
    ev.motion.x = x;
    ev.motion.y = y;
    ASSERT_EQ(SDL_PushEvent(&ev), 1);
  }

  static void Wheel(int y, bool flipped = false) {
    SDL_Event ev{};
    ev.type = SDL_MOUSEWHEEL;
    ev.wheel.y = y;
    ev.wheel.direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
    ASSERT_EQ(SDL_PushEvent(&ev), 1);
  }

  static void Window(Uint8 what) {
    SDL_Event ev{};
    ev.type = SDL_WINDOWEVENT;
    ev.window.event = what;
    ASSERT_EQ(SDL_PushEvent(&ev), 1);
  }

  static void Quit() {
    SDL_Event ev{};
    ev.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&ev), 1);
  }

  static int FirstKeyDown(SDL_Keycode sym, SDL_Scancode scan = SDL_SCANCODE_UNKNOWN) {
    Key(SDL_KEYDOWN, sym, scan);
    int vk = -1;
    for (const Got& g : Drain()) {
      if (g.id == EVENT_KEYDOWN) vk = g.data;
    }
    return vk;
  }
};

}  // namespace

TEST_F(EventsTest, KeyTableSamples) {
  const struct {
    SDL_Keycode sym;
    int vk;
  } table[] = {
      {SDLK_BACKSPACE, 8}, {SDLK_TAB, 9},        {SDLK_RETURN, 13},    {SDLK_KP_ENTER, 13}, {SDLK_ESCAPE, 27},
      {SDLK_SPACE, 32},    {SDLK_PAGEUP, 33},    {SDLK_PAGEDOWN, 34},  {SDLK_END, 35},      {SDLK_HOME, 36},
      {SDLK_LEFT, 37},     {SDLK_UP, 38},        {SDLK_RIGHT, 39},     {SDLK_DOWN, 40},     {SDLK_INSERT, 45},
      {SDLK_DELETE, 46},   {SDLK_0, 48},         {SDLK_9, 57},         {SDLK_a, 65},        {SDLK_n, 78},
      {SDLK_q, 81},        {SDLK_y, 89},         {SDLK_z, 90},         {SDLK_LGUI, 91},     {SDLK_RGUI, 92},
      {SDLK_KP_0, 96},     {SDLK_KP_5, 101},     {SDLK_KP_9, 105},     {SDLK_F1, 112},      {SDLK_F12, 123},
      {SDLK_LSHIFT, 160},  {SDLK_RSHIFT, 161},   {SDLK_LCTRL, 162},    {SDLK_RCTRL, 163},   {SDLK_LALT, 164},
      {SDLK_RALT, 165},    {SDLK_SEMICOLON, 186}, {SDLK_EQUALS, 187},  {SDLK_COMMA, 188},   {SDLK_MINUS, 189},
      {SDLK_PERIOD, 190},  {SDLK_SLASH, 191},    {SDLK_BACKQUOTE, 192}, {SDLK_LEFTBRACKET, 219},
      {SDLK_BACKSLASH, 220}, {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222},
  };
  for (const auto& row : table) EXPECT_EQ(FirstKeyDown(row.sym), row.vk) << SDL_GetKeyName(row.sym);

  // Layouts whose keys carry other symbols fall back to the physical key.
  EXPECT_EQ(FirstKeyDown('&', SDL_SCANCODE_1), 49);             // AZERTY "1"
  EXPECT_EQ(FirstKeyDown(0x444, SDL_SCANCODE_A), 65);           // Cyrillic letter on the A key
  EXPECT_EQ(FirstKeyDown(0xDF, SDL_SCANCODE_MINUS), 189);       // German sharp s
  // Keys without a number are dropped.
  EXPECT_EQ(FirstKeyDown(SDLK_CAPSLOCK, SDL_SCANCODE_CAPSLOCK), -1);
  EXPECT_EQ(FirstKeyDown(SDLK_UNKNOWN), -1);

  Key(SDL_KEYUP, SDLK_LGUI);
  Key(SDL_KEYUP, SDLK_LCTRL);
  EXPECT_EQ(Drain(), (std::vector<Got>{{EVENT_KEYUP, 91, 0, 0}, {EVENT_KEYUP, 162, 0, 0}}));
}

TEST_F(EventsTest, TypedCharactersIncludingControlKeysAndRepeats) {
  Text("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\x88z");  // a é € (balloon dropped) z
  Key(SDL_KEYDOWN, SDLK_BACKSPACE);
  Key(SDL_KEYDOWN, SDLK_BACKSPACE, SDL_SCANCODE_UNKNOWN, true);  // auto-repeat
  Key(SDL_KEYDOWN, SDLK_RETURN);
  Key(SDL_KEYDOWN, SDLK_KP_ENTER);
  Key(SDL_KEYDOWN, SDLK_ESCAPE, SDL_SCANCODE_UNKNOWN, true);
  Key(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_UNKNOWN, true);  // a repeat of an ordinary key: nothing
  Text("\t\r");  // control characters come from the keys, not the text
  EXPECT_EQ(Drain(), (std::vector<Got>{
                         {EVENT_KEYCHAR, 'a', 0, 0},
                         {EVENT_KEYCHAR, 0xE9, 0, 0},
                         {EVENT_KEYCHAR, 0x20AC, 0, 0},
                         {EVENT_KEYCHAR, 'z', 0, 0},
                         {EVENT_KEYDOWN, 8, 0, 0},
                         {EVENT_KEYCHAR, 8, 0, 0},
                         {EVENT_KEYCHAR, 8, 0, 0},
                         {EVENT_KEYDOWN, 13, 0, 0},
                         {EVENT_KEYCHAR, 13, 0, 0},
                         {EVENT_KEYDOWN, 13, 0, 0},
                         {EVENT_KEYCHAR, 13, 0, 0},
                         {EVENT_KEYCHAR, 27, 0, 0},
                     }));
}

TEST_F(EventsTest, MouseButtonsWheelAndMotion) {
  Motion(10, 20);
  Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 11, 21);
  Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 11, 21);
  Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 12, 22);
  Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 13, 23);
  Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 14, 24);  // no number: dropped
  Wheel(2);
  Wheel(1, true);
  Motion(30, 40);
  Motion(31, 41);  // a burst of motion keeps its end
  EXPECT_EQ(Drain(), (std::vector<Got>{
                         {EVENT_MOUSEMOVE, 0, 10, 20},
                         {EVENT_MOUSEDOWN, 1, 11, 21},
                         {EVENT_MOUSEUP, 1, 11, 21},
                         {EVENT_MOUSEDOWN, 2, 12, 22},
                         {EVENT_MOUSEDOWN, 3, 13, 23},
                         {EVENT_MOUSEWHEEL, 2, 13, 23},
                         {EVENT_MOUSEWHEEL, -1, 13, 23},
                         {EVENT_MOUSEMOVE, 0, 31, 41},
                     }));
}

TEST_F(EventsTest, WindowAndApplicationEvents) {
  Window(SDL_WINDOWEVENT_FOCUS_LOST);
  Window(SDL_WINDOWEVENT_MINIMIZED);  // already suspended
  Window(SDL_WINDOWEVENT_RESTORED);
  Window(SDL_WINDOWEVENT_FOCUS_GAINED);  // already resumed
  Window(SDL_WINDOWEVENT_LEAVE);
  Window(SDL_WINDOWEVENT_ENTER);
  Window(SDL_WINDOWEVENT_MOVED);  // of no interest
  Window(SDL_WINDOWEVENT_CLOSE);
  Quit();
  const std::vector<Got> got = Drain();
  std::vector<int> ids;
  for (const Got& g : got) ids.push_back(g.id);
  EXPECT_EQ(ids, (std::vector<int>{EVENT_APPSUSPEND, EVENT_APPRESUME, EVENT_MOUSELEAVE, EVENT_MOUSEENTER,
                                   EVENT_WINDOWCLOSE, EVENT_APPTERMINATE}));
}

TEST_F(EventsTest, PeekLeavesTheEventInPlace) {
  EXPECT_FALSE(PeekEvent());
  PostEvent({EVENT_KEYDOWN, 65, 1, 2});
  Event e;
  ASSERT_TRUE(PeekEvent(&e));
  EXPECT_EQ(e.data, 65);
  ASSERT_TRUE(PeekEvent());
  ASSERT_TRUE(PollEvent(e));
  EXPECT_EQ(e.id, EVENT_KEYDOWN);
  EXPECT_FALSE(PollEvent(e));
}

TEST_F(EventsTest, PolledInputCountsHitsAndConsumesThem) {
  EnablePolledInput();
  EXPECT_TRUE(PolledInputEnabled());
  Key(SDL_KEYDOWN, SDLK_RETURN);
  Key(SDL_KEYUP, SDLK_RETURN);
  Key(SDL_KEYDOWN, SDLK_RETURN);
  Key(SDL_KEYDOWN, SDLK_SPACE);
  Text("y");
  EXPECT_EQ(KeyHit(13), 2);
  EXPECT_EQ(KeyHit(13), 0);  // consumed
  EXPECT_EQ(KeyDown(13), 1);
  EXPECT_EQ(KeyDown(32), 1);
  EXPECT_EQ(GetChar(), 13);
  EXPECT_EQ(GetChar(), 13);
  EXPECT_EQ(GetChar(), 'y');
  EXPECT_EQ(GetChar(), 0);

  Motion(5, 6);
  Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 7, 8);
  Wheel(3);
  EXPECT_EQ(MouseHit(2), 1);
  EXPECT_EQ(MouseHit(2), 0);
  EXPECT_EQ(MouseDown(2), 1);
  EXPECT_EQ(MouseX(), 7);
  EXPECT_EQ(MouseY(), 8);
  EXPECT_EQ(MouseZ(), 3);
  Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 7, 8);
  EXPECT_EQ(MouseDown(2), 0);

  // Posted events feed the polled state too; the queue sees no input meanwhile.
  PostEvent({EVENT_KEYDOWN, 27, 0, 0});
  PostEvent({EVENT_MOUSEDOWN, 3, 0, 0});
  EXPECT_EQ(KeyHit(27), 1);
  EXPECT_EQ(MouseHit(3), 1);
  EXPECT_FALSE(PeekEvent());

  Key(SDL_KEYDOWN, SDLK_a);
  Text("a");
  Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 1);
  FlushKeys();
  FlushMouse();
  EXPECT_EQ(KeyHit(65), 0);
  EXPECT_EQ(KeyDown(65), 0);
  EXPECT_EQ(GetChar(), 0);
  EXPECT_EQ(MouseHit(1), 0);
  EXPECT_EQ(MouseDown(1), 0);
}

TEST_F(EventsTest, DisablingPolledInputKeepsQuitCloseAndFocus) {
  EnablePolledInput();
  Key(SDL_KEYDOWN, SDLK_ESCAPE);
  Window(SDL_WINDOWEVENT_FOCUS_LOST);
  Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 1);
  Window(SDL_WINDOWEVENT_CLOSE);
  Text("x");
  Quit();
  DisablePolledInput();  // pending input is dropped with the polled state
  EXPECT_FALSE(PolledInputEnabled());
  EXPECT_EQ(KeyHit(27), 0);
  const std::vector<Got> got = Drain();
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0].id, EVENT_APPSUSPEND);
  EXPECT_EQ(got[1].id, EVENT_WINDOWCLOSE);
  EXPECT_EQ(got[2].id, EVENT_APPTERMINATE);
}

TEST_F(EventsTest, DrainKeepsOnlyTheLatestFocusState) {
  PostEvent({EVENT_KEYDOWN, 65, 0, 0});
  PostEvent({EVENT_APPSUSPEND, 0, 0, 0});
  PostEvent({EVENT_KEYCHAR, 'a', 0, 0});
  PostEvent({EVENT_APPRESUME, 0, 0, 0});
  PostEvent({EVENT_APPTERMINATE, 0, 0, 0});
  PostEvent({EVENT_MOUSEMOVE, 0, 3, 4});
  PostEvent({EVENT_APPSUSPEND, 0, 0, 0});
  PostEvent({EVENT_MOUSEWHEEL, 1, 0, 0});
  DrainInputEvents();
  const std::vector<Got> got = Drain();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].id, EVENT_APPTERMINATE);
  EXPECT_EQ(got[1].id, EVENT_APPSUSPEND);
}

TEST_F(EventsTest, CodesOutsideTheTableAreHarmless) {
  EnablePolledInput();
  for (int bad : {-1, 256, 100000, -100000}) {
    PostEvent({EVENT_KEYDOWN, bad, 0, 0});
    PostEvent({EVENT_KEYUP, bad, 0, 0});
    PostEvent({EVENT_MOUSEDOWN, bad, 0, 0});
    EXPECT_EQ(KeyHit(bad), 0);
    EXPECT_EQ(KeyDown(bad), 0);
    EXPECT_EQ(MouseHit(bad), 0);
    EXPECT_EQ(MouseDown(bad), 0);
  }
  EXPECT_EQ(MouseHit(0), 0);
  EXPECT_EQ(MouseHit(4), 0);
  EXPECT_EQ(KeyHit(255), 0);
  PostEvent({EVENT_KEYDOWN, 255, 0, 0});
  EXPECT_EQ(KeyHit(255), 1);
}

TEST_F(EventsTest, FullQueueDropsOldInputButNeverQuit) {
  PostEvent({EVENT_APPTERMINATE, 0, 0, 0});
  for (int i = 0; i < 5000; ++i) PostEvent({EVENT_KEYCHAR, 'a' + i % 26, 0, 0});
  PostEvent({EVENT_WINDOWCLOSE, 0, 0, 0});
  const std::vector<Got> got = Drain();
  ASSERT_LE(got.size(), 4096u);
  EXPECT_EQ(got.front().id, EVENT_APPTERMINATE);
  EXPECT_EQ(got.back().id, EVENT_WINDOWCLOSE);
  EXPECT_EQ(got[got.size() - 2].data, 'a' + 4999 % 26);  // the newest input survives
}

TEST_F(EventsTest, ModifierQueriesAnswer) {
  // The dummy driver has no keyboard: nothing is held.
  EXPECT_FALSE(ShiftDown());
  EXPECT_FALSE(CtrlDown());
  EXPECT_FALSE(AltDown());
  EXPECT_FALSE(SuperDown());
}
