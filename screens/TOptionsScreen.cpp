#include "screens/TOptionsScreen.h"

std::shared_ptr<TOptionsScreen> OptionsScreen;
