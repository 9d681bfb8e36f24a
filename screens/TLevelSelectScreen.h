#pragma once
// The level map. For now a stand-in: see TStandInScreen.
#include <memory>

#include "screens/TStandInScreen.h"

class TLevelSelectScreen : public TStandInScreen {
 public:
  TLevelSelectScreen() : TStandInScreen(u"levelselect", 0) {}
};

extern std::shared_ptr<TLevelSelectScreen> LevelSelectScreen;
