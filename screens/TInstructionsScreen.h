#pragma once
// The instructions page: the text picture over a background and four small example boards that
// play the same moves over and over (a swap, a run that breaks bricks, a run that frees two
// Tumblets, a diagonal swap). Any click, OK, Enter or Escape leads to `Destination`.
#include <memory>

#include "core/TScreen.h"
#include "gfx/TAnimation.h"

class TCell;

class TInstructionsScreen : public TScreen {
 public:
  TInstructionsScreen();
  ~TInstructionsScreen() override;

  TAnimationPtr Anim1;  // four looping phases: cursor, swap, match, result
  float TumbletCounter = 0;
  float TumbletLength = 1500;

  virtual int ManageTumblets();
  virtual int Close();
  virtual int DrawCells(int x, int y, int mode);
  virtual int DrawRing(int x, int y);
  virtual int MakeTumblet(int x, int y, int type);

  int Load() override;
  int Kill() override;
  int Start() override;
  int Logic() override;
  int Draw() override;
  int SetEscDestination() override;

  // Where the page leads: Destination, or the title when none was set.
  std::shared_ptr<TScreen> LeaveTo() const;

 private:
  std::shared_ptr<TCell> Cell;  // the one cell every example board is drawn with
};

extern std::shared_ptr<TInstructionsScreen> InstructionsScreen;
