#pragma once
// The board's globals: the current board, its cells and gem list, the level's colour and
// bonus sets, the refill tables and the play screen's particle picture tables.
#include <array>
#include <memory>

#include "gfx/TGameImage.h"

class TGameGrid;
class TGemList;
class TCell;

constexpr int GRID_WIDTH = 15;
constexpr int GRID_HEIGHT = 10;
constexpr int CELL_SIZE = 50;
constexpr int POSS_GEMS_SLOTS = 14;
constexpr int POSS_BONUS_SLOTS = 20;
constexpr int TOP_ROW_SLOTS = 5;

extern std::shared_ptr<TGameGrid> GameGrid;
// Indexed [x][y]; a slot outside the level holds no cell.
extern std::array<std::array<std::shared_ptr<TCell>, GRID_HEIGHT>, GRID_WIDTH> Grid;
extern std::shared_ptr<TGemList> GemList;

extern std::array<int, POSS_GEMS_SLOTS> PossGems;
extern int PossGemsCount;
extern std::array<int, POSS_BONUS_SLOTS> PossBonus;
extern int PossBonusCount;

extern std::array<std::array<int, TOP_ROW_SLOTS>, GRID_WIDTH> TopRow;
extern std::array<std::array<int, TOP_ROW_SLOTS>, GRID_WIDTH> TopRowY;
extern std::array<int, GRID_WIDTH> TopRowCount;

// Slot 0 unused: 1 "armourmid", 2 "brickmid", 3 "particle1", 4 "particle2", 5 "particlering",
// 6 "particlechainlink", 7 "armourparticle2", 8 "bonus9activate", 9 "bonus10activate",
// 10 "lock", 11 "particle11".
extern std::array<TGameImagePtr, 12> ParticleImages;
// "score10" .. "score80", then "score100".
extern std::array<TGameImagePtr, 9> ScoreParticleImages;
// Fills both tables from the image bank (a missing name is fatal there). Returns 0.
int LoadParticleImages();

// The cell at (x, y), or null outside the 15 by 10 array or for an empty slot (not owned).
TCell* GridAt(int x, int y);

// a + b held within the int range: counters that are only ever added to stop at the top
// instead of wrapping.
int SaturatingAdd(int a, int b);
