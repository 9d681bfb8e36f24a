#pragma once
// The benchmarks that draw run headless: SDL's dummy drivers, so the software renderer draws
// every frame the way the headless tests read it back.
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace bench {

// The suite's smoke runs (label bench-smoke) set LV_BENCH_SMOKE: benchmarks that time whole
// runs a fixed number of times do one, so a smoke run stays short.
inline bool SmokeRun() { return std::getenv("LV_BENCH_SMOKE") != nullptr; }
inline int Runs(int runs) { return SmokeRun() ? 1 : runs; }

inline int RunHeadless(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
