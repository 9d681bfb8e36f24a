#pragma once
// The autoplayer's move search, by brute force: every colour gem is exchanged with each
// neighbour on a copy of the board and the full run rule is applied, so its answer does not
// lean on the board's own quick search. Swaps are rated by what the first matching pass
// would do with them.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace autoplay {

constexpr int kCols = 15, kRows = 10;

// What the search needs of a board at rest, copied out of it.
struct Snapshot {
    int width = 0, height = 0;
    int diagonalMoves = 0;
    // Per cell (index y * kCols + x): the gem type (0 no gem, 1..7 colours, 8..14 pieces,
    // -1 a gem that is bursting), whether the cell is active, the gem locked, and the layers.
    std::array<int8_t, kCols * kRows> type{};
    std::array<uint8_t, kCols * kRows> active{}, locked{}, layers{};

    static int Index(int x, int y) { return y * kCols + x; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    bool IsColour(int i) const { return type[static_cast<size_t>(i)] >= 1 && type[static_cast<size_t>(i)] <= 7; }
};

struct Swap {
    int x = 0, y = 0, tx = 0, ty = 0;
    int worn = 0, opened = 0, cleared = 0;  // what the first pass would do
};

// Every swap that would stand on a board at rest (no run standing), sources in row-major
// order, each with its straight neighbours (and the diagonal ones while diagonal moves are
// available).
std::vector<Swap> LegalSwaps(const Snapshot& s);
// The best legal swap: most layers worn, then locks opened, then gems cleared, then the
// lower row, then the left column.
std::optional<Swap> BestSwap(const Snapshot& s);
// True when `a` is preferred to `b`.
bool Better(const Swap& a, const Swap& b);
// Marks every cell in a run of three or more equal colours in a row or column; locked gems
// count, anything else breaks a run. Returns the number of marked cells.
int MarkRuns(const std::array<int8_t, kCols * kRows>& type, int width, int height,
             std::array<uint8_t, kCols * kRows>& marked);

}  // namespace autoplay
