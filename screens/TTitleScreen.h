#pragma once
// The title screen. For now it prepares its background and music during the start-up loading,
// draws the background with the version in the corner, and leaves by Escape (to the exit
// screen, which ends the game).
#include <memory>

#include "core/TScreen.h"

class TTitleScreen : public TScreen {
 public:
  TTitleScreen();
  ~TTitleScreen() override;

  // startup 1: the call made by the start-up loading (no loading frame is drawn first).
  // music 1: load the title music.
  virtual int SpecialLoad(int startup, int music);
  virtual int SpecialStart(int music);

  // Entered from the loading screen it only starts what the start-up loading prepared.
  int PreStart() override;
  int Draw() override;
};

extern std::shared_ptr<TTitleScreen> TitleScreen;
