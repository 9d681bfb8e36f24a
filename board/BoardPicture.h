#pragma once
// A board written as text, for checks, benchmarks and failure messages. One line per row,
// cells separated by blanks; a cell is one piece character and optional marks:
//   1-7 a colour, L lion 8, H horn 9, T tornado 10, S star 11, P paint pot 12, A axe 13,
//   K key 14, . an active cell without a gem, # a hole, x a dying gem (printed only);
//   marks: b brick, a armour (over its brick), * locked, t Tumblet.
// For example "1b 2 #\n3* . 4at".
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class TGameGrid;

// Makes GameGrid, Grid and a new GemList from the picture with the given level colours and
// bonus list, counting Gold and Locked and working out the refill entries and the outline.
// Null (and nothing changed) for a picture that cannot be read.
std::shared_ptr<TGameGrid> BuildBoard(const std::string& picture,
                                      const std::vector<int>& colours = {1, 2, 3, 4, 5},
                                      const std::vector<int>& bonus = {});
// The current board in the same notation.
std::string BoardPicture();
// The picture character of a gem type (1..14, -1), '?' for anything else.
char PieceChar(int type);
