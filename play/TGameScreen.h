#pragma once
// The play screen, where a level is played. Its overlays (the level-complete scroll, the
// in-game menu, the hint scroll) run, draw and die with it.
#include <memory>

#include "core/TScreen.h"

class TGameScreen : public TScreen {
 public:
  TGameScreen();
  ~TGameScreen() override;

  // Escape belongs to the in-game menu here; coming back from a visit only runs this.
  int CoreStart() override;
  int SetEscDestination() override;

  // Gives the run up: the level restarts after the board's no-more-moves sequence.
  virtual int Quit();
};

extern std::shared_ptr<TGameScreen> GameScreen;
