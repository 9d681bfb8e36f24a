#pragma once
// The game-over screen (the global GameOverScreen in screens/GameOverScreen.h; no control of this game reaches it). For now a stand-in: see TStandInScreen.
#include "screens/TStandInScreen.h"

class TGameOverScreen : public TStandInScreen {
 public:
  TGameOverScreen() : TStandInScreen(u"gameover", 0) {}
};
