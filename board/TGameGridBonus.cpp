// TGameGrid: the bonus pieces.
#include "board/TGameGrid.h"

// Not built yet: these steps do nothing.
int TGameGrid::DestroySquare(int, int) { return 0; }
int TGameGrid::UseBonusPiece() { return 0; }
int TGameGrid::UseCarriedPiece() { return 0; }
