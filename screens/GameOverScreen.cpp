#include "screens/GameOverScreen.h"

#include "core/TScreen.h"

std::shared_ptr<TScreen> GameOverScreen;
