// The autoplayer's cost:
//   BM_Decision/diagonal   one rated brute-force search on a full 15 by 10 board at rest
//                          (target: 0.5 ms at most), without and with diagonal moves.
//   BM_AutoplayTick/level  a whole autoplayed run of level 10, 30 or 50 (seed 1, detail 0);
//                          the counter "us_per_tick" is the average board tick (target: 40 us
//                          at most, i.e. 25,000 ticks a second).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>

#include "support/autoplay/AutoPlayer.h"
#include "support/autoplay/MoveSearch.h"

namespace {

// A full board at rest as a level start leaves it: five colours with no run of three, bricks
// everywhere, armour on a third of the cells and a few locked gems.
autoplay::Snapshot RestingBoard(int diagonal) {
    autoplay::Snapshot s;
    s.width = autoplay::kCols;
    s.height = autoplay::kRows;
    s.diagonalMoves = diagonal;
    std::mt19937 rng(50);
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            const auto i = static_cast<size_t>(autoplay::Snapshot::Index(x, y));
            auto at = [&](int cx, int cy) { return s.type[static_cast<size_t>(autoplay::Snapshot::Index(cx, cy))]; };
            int8_t t;
            do {
                t = static_cast<int8_t>(1 + rng() % 5);
            } while ((x >= 2 && at(x - 1, y) == t && at(x - 2, y) == t) || (y >= 2 && at(x, y - 1) == t && at(x, y - 2) == t));
            s.type[i] = t;
            s.active[i] = 1;
            s.layers[i] = static_cast<uint8_t>(rng() % 3 == 0 ? 2 : 1);
            s.locked[i] = rng() % 20 == 0;
        }
    return s;
}

void BM_Decision(benchmark::State& state) {
    const autoplay::Snapshot board = RestingBoard(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(autoplay::BestSwap(board));
}
BENCHMARK(BM_Decision)->ArgName("diagonal")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_AutoplayTick(benchmark::State& state) {
    autoplay::RunOptions options;
    options.levelsDir = std::string(LV_SOURCE_DIR) + "/data/levels/";
    options.workDir = (std::filesystem::temp_directory_path() / "lv-autoplay-bench").string();
    std::filesystem::create_directories(options.workDir);
    long ticks = 0;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        ticks += autoplay::PlayLevel(static_cast<int>(state.range(0)), 1, options).ticks;
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["us_per_tick"] = ticks > 0 ? seconds * 1e6 / static_cast<double>(ticks) : 0.0;
    state.counters["ticks"] = static_cast<double>(ticks);
    std::filesystem::remove_all(options.workDir);
}
BENCHMARK(BM_AutoplayTick)->ArgName("level")->Arg(10)->Arg(30)->Arg(50)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
