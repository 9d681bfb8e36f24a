#pragma once
// The instructions screen; it returns to the screen that opened it. For now a stand-in: see TStandInScreen.
#include <memory>

#include "screens/TStandInScreen.h"

class TInstructionsScreen : public TStandInScreen {
 public:
  TInstructionsScreen() : TStandInScreen(u"instructions", 1) {}
};

extern std::shared_ptr<TInstructionsScreen> InstructionsScreen;
