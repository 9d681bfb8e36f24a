// TGameGrid: falling gems and the refill from the top row.
#include "board/TGameGrid.h"

// Not built yet: these steps do nothing.
int TGameGrid::DropGems() { return 0; }
int TGameGrid::CheckTopRow() { return 0; }
