#pragma once
// The options screen; it returns to the screen that opened it. For now a stand-in: see TStandInScreen.
#include <memory>

#include "screens/TStandInScreen.h"

class TOptionsScreen : public TStandInScreen {
 public:
  TOptionsScreen() : TStandInScreen(u"options", 1) {}
};

extern std::shared_ptr<TOptionsScreen> OptionsScreen;
