#pragma once
// The high-score table: a title, three column heads and one row per entry sliding in from
// alternate sides. "OK" and Escape lead to the title with the music playing; "clear" asks
// first, then empties the table on screen and on disk. No control of this game leads here.
#include <memory>
#include <vector>

#include "core/TScreen.h"

class TDialogYesNo;
class TSlideLineList;

class THighScoresScreen : public TScreen {
 public:
  THighScoresScreen();
  ~THighScoresScreen() override;

  std::shared_ptr<TSlideLineList> SlideLines;
  int StartY = 200;
  int col1 = 80;
  int col2 = 600;
  int col3 = 720;
  int w = 0;
  int height = 0;
  std::shared_ptr<TDialogYesNo> DialogYesNo;

  int Load() override;
  int Kill() override;
  int Logic() override;
  int Draw() override;
  int SetEscDestination() override;
  virtual int SetSlideLines();
  virtual int ClearHighScores();

 private:
  // Each row's score and level as drawn, made with the rows rather than every frame.
  struct RowText {
    String score;
    String level;
  };
  std::vector<RowText> rowTexts_;
};

extern std::shared_ptr<THighScoresScreen> HighScoresScreen;
