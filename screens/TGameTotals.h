#pragma once
// The game-over screen's totals: score, matches and playing time on three lines that slide in
// from the left one after another and flash from white to their colours.
#include <array>
#include <memory>

#include "gfx/TSlideLineList.h"
#include "platform/String.h"

class TGameTotals;
class TPlayer;
using TGameTotalsPtr = std::shared_ptr<TGameTotals>;

class TGameTotals : public TSlideLineList {
 public:
  int gap = 40;
  int lines = 3;
  int h = 0;
  int StartY = 150;
  int w = 0;
  int col1 = 0;
  int col2 = 0;
  int colgap = 50;

  static TGameTotalsPtr Create();
  virtual int SetSlideLines();
  // The block in the middle of the screen, for a run without a name to enter.
  virtual int CentreVert();
  int Draw() override;

  // The run being closed: the play screen's player record (a blank one when there is none).
  static const TPlayer& RunPlayer();
  // Whole seconds of play in a run of `ticks` logic ticks.
  static long long Seconds(double ticks);

 private:
  // The three values as last drawn: the text is made again only when a number changes.
  struct Shown {
    long long value = 0;
    String text;
    bool made = false;
  };
  const String& ValueText(size_t line, long long value);
  std::array<Shown, 3> shown_;
};
