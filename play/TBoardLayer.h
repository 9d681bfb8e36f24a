#pragma once
// The play screen's background with the board's outline and cells drawn over it, kept as one
// picture while none of it changes. Cells change only when a brick or an armour plate wears
// away, a level starts, the board fades or moves, so a frame at rest copies this one picture
// instead of drawing the background and some thousand overlapping pieces of 150 cells.
//
// The picture is taken from the target right after the floor was drawn there the ordinary way,
// so it holds exactly those pixels; it stands in only while everything the floor's pixels
// depend on (each cell's place, floor, armour and outline, the board's alpha, the pictures,
// the drawing state) is what it was when it was taken.
#include <cstdint>
#include <vector>

#include "platform/Image.h"

class TGameGrid;

class TBoardLayer {
 public:
  // Draws the background and, over it, the board's outline and cells (TGameGrid::DrawFloor),
  // leaving the drawing state as that leaves it.
  void Draw(const platform::ImagePtr& background, TGameGrid* grid);
  // Whether the last Draw copied the kept picture (for tests and benchmarks).
  bool Copied() const { return copied_; }

 private:
  // Everything the floor's pixels depend on, into key; false when the picture cannot stand
  // in at all (a background that does not cover the screen, no board).
  bool Describe(const platform::ImagePtr& background, TGameGrid* grid, std::vector<uint64_t>& key) const;

  platform::ImagePtr picture_;
  std::vector<uint64_t> now_, last_, kept_;  // kept_: what picture_ shows
  bool copied_ = false;
};
