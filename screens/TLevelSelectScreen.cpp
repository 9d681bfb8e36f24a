#include "screens/TLevelSelectScreen.h"

std::shared_ptr<TLevelSelectScreen> LevelSelectScreen;
