#include "MoveSearch.h"

namespace autoplay {

namespace {

bool Colour(int t) { return t >= 1 && t <= 7; }

// Scans one line of cells (start, step, count) for runs of three or more.
int MarkLine(const std::array<int8_t, kCols * kRows>& type, int start, int step, int count,
             std::array<uint8_t, kCols * kRows>& marked) {
    int n = 0, runStart = 0;
    for (int k = 1; k <= count; ++k) {
        const int prev = type[static_cast<size_t>(start + (k - 1) * step)];
        const bool same = k < count && Colour(prev) && type[static_cast<size_t>(start + k * step)] == prev;
        if (same) continue;
        if (Colour(prev) && k - runStart >= 3)
            for (int j = runStart; j < k; ++j) {
                auto& m = marked[static_cast<size_t>(start + j * step)];
                n += !m;
                m = 1;
            }
        runStart = k;
    }
    return n;
}

}  // namespace

int MarkRuns(const std::array<int8_t, kCols * kRows>& type, int width, int height,
             std::array<uint8_t, kCols * kRows>& marked) {
    marked.fill(0);
    int n = 0;
    for (int y = 0; y < height; ++y) n += MarkLine(type, Snapshot::Index(0, y), 1, width, marked);
    for (int x = 0; x < width; ++x) n += MarkLine(type, Snapshot::Index(x, 0), kCols, height, marked);
    return n;
}

bool Better(const Swap& a, const Swap& b) {
    if (a.worn != b.worn) return a.worn > b.worn;
    if (a.opened != b.opened) return a.opened > b.opened;
    if (a.cleared != b.cleared) return a.cleared > b.cleared;
    const int ay = a.y > a.ty ? a.y : a.ty, by = b.y > b.ty ? b.y : b.ty;
    if (ay != by) return ay > by;
    const int ax = a.x < a.tx ? a.x : a.tx, bx = b.x < b.tx ? b.x : b.tx;
    return ax < bx;
}

std::vector<Swap> LegalSwaps(const Snapshot& s) {
    static constexpr int kDx[8] = {1, 0, -1, 0, -1, 1, -1, 1};
    static constexpr int kDy[8] = {0, 1, 0, -1, 1, 1, -1, -1};
    const int directions = s.diagonalMoves != 0 ? 8 : 4;
    std::vector<Swap> out;
    std::array<int8_t, kCols * kRows> trial = s.type;
    std::array<uint8_t, kCols * kRows> marked{};
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            const int i = Snapshot::Index(x, y);
            if (!s.active[static_cast<size_t>(i)] || s.locked[static_cast<size_t>(i)] || !s.IsColour(i)) continue;
            for (int d = 0; d < directions; ++d) {
                const int tx = x + kDx[d], ty = y + kDy[d];
                if (!s.Inside(tx, ty)) continue;
                const int j = Snapshot::Index(tx, ty);
                if (!s.active[static_cast<size_t>(j)] || s.locked[static_cast<size_t>(j)] || s.type[static_cast<size_t>(j)] < 0)
                    continue;
                std::swap(trial[static_cast<size_t>(i)], trial[static_cast<size_t>(j)]);
                // A board at rest holds no run, so every run of the first pass crosses the
                // rows and columns of the two cells.
                marked.fill(0);
                int runs = MarkLine(trial, Snapshot::Index(0, y), 1, s.width, marked) +
                           MarkLine(trial, Snapshot::Index(x, 0), kCols, s.height, marked);
                if (ty != y) runs += MarkLine(trial, Snapshot::Index(0, ty), 1, s.width, marked);
                if (tx != x) runs += MarkLine(trial, Snapshot::Index(tx, 0), kCols, s.height, marked);
                if (runs > 0 && (marked[static_cast<size_t>(i)] || marked[static_cast<size_t>(j)])) {
                    Swap m{x, y, tx, ty};
                    for (int k = 0; k < kCols * kRows; ++k) {
                        if (!marked[static_cast<size_t>(k)]) continue;
                        // The locks travel with the cells, not the gems: no locked gem moved.
                        if (s.locked[static_cast<size_t>(k)]) {
                            ++m.opened;
                        } else {
                            ++m.cleared;
                            m.worn += s.layers[static_cast<size_t>(k)] > 0;
                        }
                    }
                    out.push_back(m);
                }
                std::swap(trial[static_cast<size_t>(i)], trial[static_cast<size_t>(j)]);
            }
        }
    return out;
}

std::optional<Swap> BestSwap(const Snapshot& s) {
    std::optional<Swap> best;
    for (const Swap& m : LegalSwaps(s))
        if (!best || Better(m, *best)) best = m;
    return best;
}

}  // namespace autoplay
