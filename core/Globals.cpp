#include "core/Globals.h"

std::shared_ptr<TGame> Game;
String FULLNAME;
int ScreenWidth = 800;
int ScreenHeight = 600;
float Delta = 0.0f;
int ShowErrors = 1;
int ccGraphicalErrors = 1;
int ccWriteErrors = 1;
int ccRunTimeErrorDebugStop = 0;
String ccErrorPath;
int DebugInt = 0;
int ccFlipSync = 1;
std::array<int, KEY_COUNT> Keys{};
std::array<int, KEY_COUNT> KeyStates{};
std::array<int, CHAR_QUEUE_SIZE> charQueue{};
int charPut = 0;
int charGet = 0;
int ccPolledInputState = 0;
int MouseVisible = 1;
String FontsPath;
std::array<int, 10> LevelMusic{3, 2, 1, 4, 3, 5, 2, 1, 4, 3};
