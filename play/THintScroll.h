#pragma once
// One once-only page of advice over the play screen: a picture that unrolls as the parchment
// itself, an "OK" button, and a roll-up on a click. The page's picture and menu are loaded for
// each showing and released when it closes. Never the current screen: the play screen runs,
// draws and kills it.
#include <memory>

#include "core/TScreen.h"
#include "gfx/TAnimation.h"
#include "gfx/TGameImage.h"

class TGameSound;

class THintScroll : public TScreen {
 public:
  THintScroll();
  ~THintScroll() override;

  int Active = 0;
  int MouseState = 0;
  std::shared_ptr<TGameSound> ActivateSound;
  std::shared_ptr<TGameSound> DeactivateSound;
  String file;
  TAnimationPtr Unroll;
  TGameImagePtr ScrollTop;
  TGameImagePtr ScrollBottom;
  // A click that came while the page unrolled: the frame loop forgets clicks after a tick, so
  // it is kept here and acted on when the page stands open.
  int ClickHeld = 0;

  // Prepares the page "hint_" + page + ".png" (a missing picture is fatal).
  virtual int LoadSpecial(const String& page);
  virtual int RollUp();
  virtual int Show(int sound);
  // Closes and releases the page.
  virtual int Hide();

  int Kill() override;
  // 1 on the tick the page has rolled up and closed, else 0.
  int Logic() override;
  int Draw() override;

 private:
  void SetOKActive(int active);
};

extern std::shared_ptr<THintScroll> HintScroll;
