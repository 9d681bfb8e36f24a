#include "screens/TGameFinishedScreen.h"

std::shared_ptr<TGameFinishedScreen> GameFinishedScreen;
