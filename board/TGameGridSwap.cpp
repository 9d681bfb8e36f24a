// TGameGrid: swaps, their reversal and diagonal moves.
#include "board/TGameGrid.h"

// Not built yet: these steps do nothing.
int TGameGrid::StartSwap() { return 0; }
int TGameGrid::SwapManage() { return 0; }
int TGameGrid::SwapGems() { return 0; }
int TGameGrid::SwapReverse() { return 0; }
int TGameGrid::DiagonalManage() { return 0; }
