// The cost of one play-like frame on the software renderer (headless): an 800 by 600
// background, 150 cells, 150 gems (half of them rotated), 300 additive rotated particles and
// 100 glyphs, then Flip.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "PlayScene.h"
#include "Headless.h"

using namespace platform;
using benchscene::Scene;

namespace {

void BM_PlayFrame(benchmark::State& state) {
  static const bool open = Graphics(800, 600, 0);
  if (!open) {
    state.SkipWithError("no display");
    return;
  }
  static const Scene scene;
  int tick = 0;
  scene.Draw(tick++);  // textures made outside the timing
  for (auto _ : state) scene.Draw(tick++);
}
BENCHMARK(BM_PlayFrame)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// One part of the frame alone (see Scene::DrawPart), to tell where the time goes.
void BM_FramePart(benchmark::State& state) {
  static const bool open = Graphics(800, 600, 0);
  if (!open) {
    state.SkipWithError("no display");
    return;
  }
  static const Scene scene;
  const int part = static_cast<int>(state.range(0));
  int tick = 0;
  scene.Draw(tick++);
  // Flip hands queued drawing to the renderer, so every part pays for its own pixels.
  for (auto _ : state) {
    scene.DrawPart(part, tick++);
    Flip(0);
  }
}
BENCHMARK(BM_FramePart)->DenseRange(0, Scene::kParts - 1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return bench::RunHeadless(argc, argv); }
