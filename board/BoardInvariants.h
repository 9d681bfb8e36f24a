#pragma once
// The board's conservation laws, checked after a tick: every gem where its cell says, no gem
// lost or doubled, the brick and lock counts true, the list in drawing order, the selection
// consistent, and at rest every empty cell explained by a locked gem above it.
#include <string>

// "" when the current board (GameGrid, Grid, GemList) holds every law, else the first one
// broken, in words.
std::string CheckBoardInvariants();
