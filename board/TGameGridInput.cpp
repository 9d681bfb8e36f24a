// TGameGrid: the mouse: selection, the bonus pointer and its animation.
#include "board/TGameGrid.h"

// Not built yet: these steps do nothing.
int TGameGrid::CheckMouse() { return 0; }
int TGameGrid::InitPointerAnim() { return 0; }
int TGameGrid::SetBonusPointer(int, int) { return 0; }
int TGameGrid::TogglePointer(int) { return 0; }
