#pragma once
// A plain screen that holds a place in the flow until its real screen is built: black, its
// name written small, and a click, Enter or Escape fades (the music kept) to where it leads:
// back to the screen that sent the player (Destination) when it returns to its caller, else
// the title.
#include "core/TScreen.h"

class TStandInScreen : public TScreen {
 public:
  TStandInScreen(const String& screenName, int returnsToCaller);
  ~TStandInScreen() override;

  int ReturnsToCaller = 0;

  virtual std::shared_ptr<TScreen> LeadsTo();

  int Load() override;
  int Logic() override;
  int Draw() override;
  int SetEscDestination() override;
};
