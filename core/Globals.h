#pragma once
// Program-wide globals of the framework: the application object, the logical screen size,
// the tick multiplier, the error-path switches and the keyboard state the event pump fills.
#include <array>
#include <memory>

#include "core/Version.h"
#include "platform/String.h"

class TGame;

// The application object, made by start-up and kept for the whole run.
extern std::shared_ptr<TGame> Game;

// The window caption: "Lantern Vale " + VERSION_NO + a credit tail.
extern String FULLNAME;

// The logical screen (800 by 600).
extern int ScreenWidth;
extern int ScreenHeight;

// The current logic step's length in ticks (1.0 for a whole tick, the remainder for the last).
extern float Delta;

// The standard screen fade, in milliseconds.
constexpr int FADE_SPEED = 500;

// 1: a name missing from an image or sound bank is fatal.
extern int ShowErrors;

// Error path (see core/ErrorPath.h).
extern int ccGraphicalErrors;
extern int ccWriteErrors;
extern int ccRunTimeErrorDebugStop;
extern String ccErrorPath;
// The start-up step in progress, shown by the general error handler.
extern int DebugInt;

// 1: present frames waiting for vertical sync.
extern int ccFlipSync;

// Keyboard state written by the event pump and read through core/Input.h.
constexpr int KEY_COUNT = 256;
constexpr int CHAR_QUEUE_SIZE = 256;
extern std::array<int, KEY_COUNT> Keys;       // key-down counts since last read
extern std::array<int, KEY_COUNT> KeyStates;  // 1 while held
extern std::array<int, CHAR_QUEUE_SIZE> charQueue;
extern int charPut;  // characters written, ever increasing
extern int charGet;  // characters read, ever increasing
// 1 while the runtime's polled input feeds the input functions.
extern int ccPolledInputState;
// 1 while the system pointer is shown.
extern int MouseVisible;

// The fonts folder: DataPrefix + "Data/fonts/".
extern String FontsPath;

// The music track of each chapter.
extern std::array<int, 10> LevelMusic;

// Virtual-key codes of the application keys.
constexpr int KEY_BACKSPACE = 8;
constexpr int KEY_ENTER = 13;
constexpr int KEY_ESCAPE = 27;
constexpr int KEY_SPACE = 32;
constexpr int KEY_LEFT = 37;
constexpr int KEY_UP = 38;
constexpr int KEY_RIGHT = 39;
constexpr int KEY_DOWN = 40;
constexpr int KEY_DELETE = 46;
constexpr int KEY_F = 70;
constexpr int KEY_Q = 81;
constexpr int KEY_LCOMMAND = 91;
constexpr int KEY_RCOMMAND = 92;
constexpr int KEY_F12 = 123;
constexpr int KEY_LSHIFT = 160;
constexpr int KEY_RSHIFT = 161;
constexpr int KEY_LCONTROL = 162;
constexpr int KEY_RCONTROL = 163;
constexpr int KEY_LALT = 164;
constexpr int KEY_RALT = 165;

// The framework's hot keys (only the pause key is live in this game).
constexpr int FRAMEWORK_PAUSE_KEY = 80;
constexpr int FRAMEWORK_VOLUME_DOWN_KEY = 189;
constexpr int FRAMEWORK_VOLUME_UP_KEY = 187;
constexpr int FRAMEWORK_EXIT_KEY = 88;
constexpr int FRAMEWORK_FULLSCREEN_KEY = 70;
constexpr int FRAMEWORK_BOSS_KEY = 66;
constexpr int FRAMEWORK_MUSIC_KEY = 77;
constexpr int FRAMEWORK_SOUND_KEY = 83;
constexpr int FRAMEWORK_FAST_KEY = 84;
constexpr int FRAMEWORK_SLOW_KEY = 76;
constexpr int FRAMEWORK_SCREENSHOT_KEY = 123;
constexpr int FRAMEWORK_FLIPSYNC_KEY = 73;
constexpr int FRAMEWORK_NOTIMING_KEY = 78;
constexpr int FRAMEWORK_VSYNC_KEY = 86;
constexpr int FRAMEWORK_GRAPHICS_KEY = 71;
constexpr int FRAMEWORK_SOUNDDRIVER_KEY = 72;
constexpr int FRAMEWORK_DEBUG_KEY = 68;
constexpr int FRAMEWORK_STORE_COORDS_KEY = 67;
constexpr int FRAMEWORK_OUTPUT_COORDS_KEY = 79;
