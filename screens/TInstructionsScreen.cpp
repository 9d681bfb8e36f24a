#include "screens/TInstructionsScreen.h"

std::shared_ptr<TInstructionsScreen> InstructionsScreen;
