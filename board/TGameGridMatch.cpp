// TGameGrid: finding runs, clearing them and scoring.
#include "board/TGameGrid.h"

// Not built yet: these steps do nothing.
int TGameGrid::ClearMatches() { return 0; }
int TGameGrid::DoMatches(int, int) { return 0; }
