#pragma once
// Plays the current board as a person would, one logic tick per step: whenever the board is
// at rest it clicks the two cells of a swap that the board's own test pass lets stand.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace testrig {

struct SwapMove {
  int x = 0, y = 0, tx = 0, ty = 0;
  int layers = 0;  // brick and armour layers under the cells the swap's runs would take
};

// Every straight swap of two live, unlocked pieces (at least one a colour) that would stand
// on the current board, in row order. The board is left exactly as it was.
std::vector<SwapMove> StandingSwaps();
// Nothing moves: no swap, no gem bursting or falling, every refill arrived.
bool BoardAtRest();

class SwapSession {
 public:
  // pick: 0 a random standing swap, 1 the one wearing the most layers (then a random one).
  SwapSession(uint32_t seed, int pick);
  // One tick of the play screen's order, feeding the mouse as the session goes; "" or the
  // first broken invariant.
  std::string Step();
  // The session's part of a step alone (choosing and clicking), before its tick.
  void Feed();
  int swaps = 0;     // swaps clicked
  int stuck = 0;     // rests at which no swap stood
  long ticks = 0;
  long restless = 0;  // the longest run of ticks without rest since the last action

 private:
  std::mt19937 random_;
  int pick_;
  int phase_ = 0;
  long sinceAction_ = 0;
  SwapMove move_;
};

}  // namespace testrig
