#pragma once
// The level-complete scroll: records the finished level in the profile, unrolls the level's
// figures, rolls up on a click and waits for one more to leave for the level map (or, after
// the last level, the game-finished page). Never the current screen: the play screen runs,
// draws and kills it.
#include <memory>

#include "core/TScreen.h"
#include "gfx/TAnimation.h"
#include "gfx/TGameImage.h"
#include "gfx/TSineCounter.h"

class TGameSound;

class TLevelCompleteScreen : public TScreen {
 public:
  TLevelCompleteScreen();
  ~TLevelCompleteScreen() override;

  int GameFinished = 0;
  int gap = 40;
  int lines = 3;
  int h = 0;
  int StartY = 0;
  int w = 0;
  int col1 = 0;
  int col2 = 0;
  int colgap = 25;
  int HeaderY = 50;
  // 0 hidden; 1 unrolling, open or rolling up; 2 rolled up, waiting for the continue click.
  int Active = 0;
  TGameImagePtr ClickImage;
  std::shared_ptr<TSineCounter> glow = std::make_shared<TSineCounter>();
  TAnimationPtr Unroll;
  TGameImagePtr ScrollTop;
  TGameImagePtr ScrollBottom;
  std::shared_ptr<TGameSound> ActivateSound;
  std::shared_ptr<TGameSound> DeactivateSound;
  int Chapter = 0;
  int SubLevel = 0;
  // A click that came while the scroll unrolled: kept until it stands open (the frame loop
  // forgets clicks after a tick).
  int ClickHeld = 0;

  virtual int SetSlideLines();
  virtual int RollUp();
  virtual int Show();
  virtual int Hide();

  int Load() override;
  // Records the finished level: next level, highest level opened, the profile written.
  int Start() override;
  int Kill() override;
  // 1 from the tick the roll-up ends, else 0.
  int Logic() override;
  int Draw() override;
  int SetEscDestination() override;

  // The row texts as drawn: the level score in decimal and the level time as "m:ss".
  static String ScoreText();
  static String TimeText();
};

extern std::shared_ptr<TLevelCompleteScreen> LevelCompleteScreen;
