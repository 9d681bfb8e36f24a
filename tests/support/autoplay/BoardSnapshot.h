#pragma once
// The running game's board (GameGrid and its cells) copied out as the move search reads it.
#include "support/autoplay/MoveSearch.h"

namespace autoplay {

// An empty snapshot when there is no board.
Snapshot SnapshotOfBoard();

}  // namespace autoplay
