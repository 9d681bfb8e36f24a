#pragma once
// The game-over screen (the global GameOverScreen in screens/GameOverScreen.h): the run's
// totals sliding in, the name entry when the score earns a place in the table, and "OK" back
// to the title. Arriving resets the current profile's run. Only a run that loses its last life
// leads here, which the level restart of this game never lets happen.
#include <memory>

#include "core/TScreen.h"

class THighScoreEntry;
class TGameTotals;

class TGameOverScreen : public TScreen {
 public:
  TGameOverScreen();
  ~TGameOverScreen() override;

  std::shared_ptr<THighScoreEntry> High;
  std::shared_ptr<TGameTotals> GameTotals;

  int Load() override;
  int Start() override;
  int Kill() override;
  int Logic() override;
  int Draw() override;
  int SetEscDestination() override;
};
