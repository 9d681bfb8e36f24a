#pragma once
// The in-game menu: a parchment scroll over the dimmed board with "resume", "options", "help"
// and "saveandexit". Escape opens and closes it; closing resumes from the point the opening
// reached. Never the current screen: the play screen runs, draws and kills it.
#include <memory>

#include "core/TScreen.h"
#include "gfx/TAnimation.h"
#include "gfx/TGameImage.h"

class TGameSound;

class TGameMenu : public TScreen {
 public:
  TGameMenu();
  ~TGameMenu() override;

  int Active = 0;
  int MouseState = 0;
  std::shared_ptr<TGameSound> ActivateSound;
  TAnimationPtr FadeIn;
  TAnimationPtr FadeOut;
  int QuitFlag = 0;
  TGameImagePtr ScrollTop;
  TGameImagePtr ScrollBottom;

  virtual int Show(int sound);
  virtual int Hide();

  int Load() override;
  int Kill() override;
  // 0 while closing and on the tick the closing ends; 1 nothing opened or closed; 2 opened by
  // Escape; 3 closed by Escape or "resume".
  int Logic() override;
  int Draw() override;
};

extern std::shared_ptr<TGameMenu> GameMenu;
