// The board's drawing on the headless software renderer: a full 15 by 10 board alone, and the
// play-like frame of FrameBench with its synthetic cells and gems replaced by that board,
// beside the synthetic frame itself from the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "PlayScene.h"
#include "board/BoardGlobals.h"
#include "board/BoardPicture.h"
#include "board/TCell.h"
#include "board/TGem.h"
#include "core/TGame.h"
#include "board/TGameGrid.h"
#include "platform/Graphics.h"
#include "support/board/BoardDriver.h"
#include "support/board/StubAssets.h"
#include "support/board/SwapSession.h"

namespace {

// The rig's world with the generated pictures (the stubs when the data folder is missing)
// and a full board on it, made once.
bool BoardReady() {
  static const bool ready = [] {
    std::string folder = (std::filesystem::temp_directory_path() / "lantern-board-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) return false;
    testrig::SetUpBoardWorld(folder, 7);
    if (!platform::Graphics(800, 600, 0)) return false;
    testrig::InstallGeneratedBoardAssets(std::string(LV_RESOURCES_DIR) + "/");
    if (!BuildBoard(testrig::FullBoardPicture(), {1, 2, 3, 4, 5}, {8, 9})) return false;
    GameGrid->CursorSet(4, 4);
    return true;
  }();
  return ready;
}

void BM_BoardDraw(benchmark::State& state) {
  if (!BoardReady()) {
    state.SkipWithError("no display");
    return;
  }
  GameGrid->Draw();  // textures made outside the timing
  platform::Flip(0);
  for (auto _ : state) {
    GameGrid->Draw();
    platform::Flip(0);
  }
}
BENCHMARK(BM_BoardDraw)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The synthetic play frame with the real board in place of its cells and gems.
void BM_BoardFrame(benchmark::State& state) {
  if (!BoardReady()) {
    state.SkipWithError("no display");
    return;
  }
  static const benchscene::Scene scene;
  int tick = 0;
  auto frame = [&] {
    scene.DrawPart(0, tick);
    GameGrid->Draw();
    scene.DrawPart(4, tick);
    scene.DrawPart(5, tick);
    platform::Flip(0);
    ++tick;
  };
  frame();
  for (auto _ : state) frame();
}
BENCHMARK(BM_BoardFrame)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PlayFrame(benchmark::State& state) {
  if (!BoardReady()) {
    state.SkipWithError("no display");
    return;
  }
  static const benchscene::Scene scene;
  int tick = 0;
  scene.Draw(tick++);
  for (auto _ : state) scene.Draw(tick++);
}
BENCHMARK(BM_PlayFrame)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  // Headless: SDL's dummy drivers, so the software renderer draws the frame.
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// A full seeded board with bricks, refills on, detail 80, in the middle of a cascade (a block
// of gems bursting as a lion leaves it), and a session that clicks a standing swap whenever
// the board settles.
testrig::SwapSession CascadeSession() {
  std::string picture;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 15; ++x) picture += std::string((x + y) % 3 == 0 ? ".b" : ".") + (x < 14 ? " " : "\n");
  }
  BuildBoard(picture, {1, 2, 3, 4, 5}, {8, 9});
  testrig::FillRunFree(21);
  testrig::ReplaceBoard<testrig::MovesLeftGrid>();
  Game->Particles = 80;
  for (int x = 5; x <= 7; ++x) {
    for (int y = 6; y <= 8; ++y) GridAt(x, y)->Gem->Destroy();
  }
  return testrig::SwapSession(21, 0);
}

// Every tick of the tick driver over a 2,000-tick session (choosing the swap is not timed);
// the median and the worst tick are the counters.
void BM_BoardTickCascade(benchmark::State& state) {
  if (!BoardReady()) {
    state.SkipWithError("no display");
    return;
  }
  testrig::SetTickChecks(false);
  static const bool warm = [] {
    testrig::SwapSession session = CascadeSession();
    for (int i = 0; i < 2000; ++i) session.Step();
    return true;
  }();
  (void)warm;
  std::vector<double> micros;
  micros.reserve(2000);
  for (auto _ : state) {
    state.PauseTiming();
    testrig::SwapSession session = CascadeSession();
    micros.clear();
    state.ResumeTiming();
    for (int i = 0; i < 2000; ++i) {
      state.PauseTiming();
      session.Feed();
      state.ResumeTiming();
      const auto start = std::chrono::steady_clock::now();
      testrig::Tick();
      micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
  }
  std::sort(micros.begin(), micros.end());
  state.counters["median_us"] = micros[micros.size() / 2];
  state.counters["worst_us"] = micros.back();
  testrig::SetTickChecks(true);
}
BENCHMARK(BM_BoardTickCascade)->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond);
