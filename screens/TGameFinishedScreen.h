#pragma once
// The page shown after the last level. For now a stand-in: see TStandInScreen.
#include <memory>

#include "screens/TStandInScreen.h"

class TGameFinishedScreen : public TStandInScreen {
 public:
  TGameFinishedScreen() : TStandInScreen(u"gamefinished", 0) {}
};

extern std::shared_ptr<TGameFinishedScreen> GameFinishedScreen;
