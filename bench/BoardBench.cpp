// The board's drawing on the headless software renderer: a full 15 by 10 board alone, and the
// play-like frame of FrameBench with its synthetic cells and gems replaced by that board,
// beside the synthetic frame itself from the same run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "PlayScene.h"
#include "board/BoardPicture.h"
#include "board/TGameGrid.h"
#include "platform/Graphics.h"
#include "support/board/BoardDriver.h"
#include "support/board/StubAssets.h"

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
