#pragma once
// The game-over screen, to which a run without lives left fades. Null until that screen is
// made.
#include <memory>

class TScreen;

extern std::shared_ptr<TScreen> GameOverScreen;
