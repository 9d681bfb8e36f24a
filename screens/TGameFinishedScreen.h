#pragma once
// The page after the last level: "The End" on the open book, to its own music; OK, a click,
// Enter, Space or Escape go back to the title over a slow fade that takes the music along.
#include <memory>

#include "core/TScreen.h"

class TGameFinishedScreen : public TScreen {
 public:
  TGameFinishedScreen();

  int PageWidth = 340;  // the rule between the two texts

  int Load() override;
  int Start() override;
  int Kill() override;
  int Logic() override;
  int Draw() override;
  // The title, over three times the usual fade.
  int SetEscDestination() override;
  virtual int Close();
};

extern std::shared_ptr<TGameFinishedScreen> GameFinishedScreen;
