// The autoplayer's brute-force search on small hand-drawn boards, and its symmetry on random
// ones.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/autoplay/MoveSearch.h"

using autoplay::Snapshot;
using autoplay::Swap;

namespace {

// One cell per two characters: the gem ('.' a hole, '_' an empty cell, '1'..'7' a colour,
// 'P' a piece) and what lies under it (' ' nothing, 'b' a brick, 'a' armour over a brick,
// 'l' a locked gem on a brick).
Snapshot Board(const std::vector<std::string>& rows, int diagonal = 0) {
    Snapshot s;
    s.height = static_cast<int>(rows.size());
    s.width = static_cast<int>(rows[0].size() / 2);
    s.diagonalMoves = diagonal;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            const char g = rows[static_cast<size_t>(y)][static_cast<size_t>(2 * x)];
            const char u = rows[static_cast<size_t>(y)][static_cast<size_t>(2 * x + 1)];
            const auto i = static_cast<size_t>(Snapshot::Index(x, y));
            s.active[i] = g != '.';
            s.type[i] = static_cast<int8_t>(g >= '1' && g <= '7' ? g - '0' : (g == 'P' ? 8 : 0));
            s.locked[i] = u == 'l';
            s.layers[i] = static_cast<uint8_t>(u == 'a' ? 2 : (u == 'b' || u == 'l'));
        }
    return s;
}

}  // namespace

TEST(MoveSearch, FindsAndRatesTheSwapsThatStand) {
    struct Case {
        const char* what;
        std::vector<std::string> rows;
        int diagonal;
        size_t legal;
        Swap best;  // when legal > 0
    };
    const std::vector<Case> cases = {
        {"a plain run of three", {"1 1 2 1 ", "3 4 5 3 "}, 0, 2, {2, 0, 3, 0, 0, 0, 3}},
        {"a hole breaks the run", {"1 1 . 2 1 ", "3 4 5 6 3 "}, 0, 0, {}},
        {"a locked gem counts and opens", {"1l1 2 1 ", "3 4 5 3 "}, 0, 2, {2, 0, 3, 0, 0, 1, 2}},
        {"a locked gem never moves", {"1 1 2l1 ", "3 4 5 3 "}, 0, 0, {}},
        {"a gem moves into an empty cell", {"1 1 _ ", "3 4 1 "}, 0, 1, {2, 1, 2, 0, 0, 0, 3}},
        {"diagonals only with a diagonal move", {"1 1 2 5 ", "3 4 6 1 "}, 0, 0, {}},
        {"a diagonal swap", {"1 1 2 5 ", "3 4 6 1 "}, 1, 2, {2, 0, 3, 1, 0, 0, 3}},
        {"layers worn beat gems cleared", {"1b1b2 1 5 5 4 5 ", "3 4 3 2 6 7 6 7 "}, 0, 4, {2, 0, 3, 0, 2, 0, 3}},
        {"the lower row wins a tie", {"1 1 2 1 ", "3 3 4 3 "}, 0, 4, {2, 1, 3, 1, 0, 0, 3}},
        {"a piece is swapped like a gem", {"1 1 P 1 ", "4 5 6 7 "}, 0, 1, {3, 0, 2, 0, 0, 0, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Snapshot s = Board(c.rows, c.diagonal);
        EXPECT_EQ(autoplay::LegalSwaps(s).size(), c.legal);
        const auto best = autoplay::BestSwap(s);
        ASSERT_EQ(best.has_value(), c.legal > 0);
        if (!best) continue;
        EXPECT_EQ((std::vector<int>{best->x, best->y, best->tx, best->ty, best->worn, best->opened, best->cleared}),
                  (std::vector<int>{c.best.x, c.best.y, c.best.tx, c.best.ty, c.best.worn, c.best.opened, c.best.cleared}));
    }
}

TEST(MoveSearch, MirroredBoardsHaveMirroredSwaps) {
    std::mt19937 rng(17);
    for (int round = 0; round < 300; ++round) {
        Snapshot s;
        s.width = 3 + static_cast<int>(rng() % 13);
        s.height = 3 + static_cast<int>(rng() % 8);
        s.diagonalMoves = static_cast<int>(rng() % 2);
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x) {
                const auto i = static_cast<size_t>(Snapshot::Index(x, y));
                s.active[i] = rng() % 8 != 0;
                s.type[i] = s.active[i] ? static_cast<int8_t>(1 + rng() % 5) : 0;
                s.locked[i] = s.active[i] && rng() % 10 == 0;
                s.layers[i] = static_cast<uint8_t>(rng() % 3);
            }
        Snapshot m = s;
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x) {
                const auto from = static_cast<size_t>(Snapshot::Index(s.width - 1 - x, y));
                const auto to = static_cast<size_t>(Snapshot::Index(x, y));
                m.type[to] = s.type[from];
                m.active[to] = s.active[from];
                m.locked[to] = s.locked[from];
                m.layers[to] = s.layers[from];
            }
        const auto a = autoplay::LegalSwaps(s), b = autoplay::LegalSwaps(m);
        ASSERT_EQ(a.size(), b.size()) << "round " << round;
        int wornA = 0, wornB = 0;
        for (const auto& w : a) wornA += w.worn;
        for (const auto& w : b) wornB += w.worn;
        EXPECT_EQ(wornA, wornB) << "round " << round;
    }
}
