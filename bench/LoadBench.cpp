// Start-up timing on the headless drivers with the generated data folder:
//   BM_LaunchToLoadingScreen  program start to the first loading-screen frame, the time spent
//                             inside the splash screens taken out (their holds are fixed waits);
//   BM_LoadData               the shared asset loading: from the end of the splashes to the main
//                             loop (125 bar steps: 34 sounds, 89 pictures, scores, title, tables).
// Every iteration is a whole fresh start-up in this process, stopped at the main loop.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/Platform.h"
#include "core/Startup.h"
#include "core/TGame.h"
#include "gfx/TFade.h"
#include "platform/Graphics.h"
#include "platform/System.h"
#include "ui/TLoadingScreen.h"
#include "Headless.h"

namespace {

using Clock = std::chrono::steady_clock;

struct StopRun {};

struct Timings {
  Clock::time_point start;
  Clock::time_point firstSplashFrame;
  Clock::time_point lastSplashFrame;
  Clock::time_point firstLoadingFrame;
  Clock::time_point mainLoop;
  bool sawSplash = false;
  bool sawLoading = false;
};

void UseHeadlessDrivers() {
  static bool done = false;
  if (done) return;
  done = true;
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("SDL_RENDER_DRIVER", "software", 1);
  const auto home = std::filesystem::temp_directory_path() / "lantern-bench-home";
  std::filesystem::create_directories(home / ".local/share");
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_DATA_HOME", (home / ".local/share").c_str(), 1);
}

Timings TimeOneStart() {
  Timings t;
  SetDisplayOpenHook([&t](int w, int h, int depth, int hz) {
    Game->LoadingScreen->CustomDrawFunction = [&t] {
      if (!t.sawLoading) t.firstLoadingFrame = Clock::now();
      t.sawLoading = true;
    };
    return platform::Graphics(w, h, depth, hz);
  });
  SetFadeFrameHook([&t](const TFade&) {
    const auto now = Clock::now();
    if (!t.sawSplash) t.firstSplashFrame = now;
    t.sawSplash = true;
    t.lastSplashFrame = now;
  });
  SetMainLoopHook([&t] {
    t.mainLoop = Clock::now();
    throw StopRun{};
  });
  t.start = Clock::now();
  try {
    RunLanternVale();
  } catch (const StopRun&) {
  }
  SetMainLoopHook(nullptr);
  SetFadeFrameHook(nullptr);
  SetDisplayOpenHook(nullptr);
  return t;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_LaunchToLoadingScreen(benchmark::State& state) {
  UseHeadlessDrivers();
  for (auto _ : state) {
    const Timings t = TimeOneStart();
    if (!t.sawLoading) {
      state.SkipWithError("no loading screen was drawn");
      break;
    }
    double seconds = Seconds(t.firstLoadingFrame - t.start);
    if (t.sawSplash) seconds -= Seconds(t.lastSplashFrame - t.firstSplashFrame);
    state.SetIterationTime(seconds);
  }
}

void BM_LoadData(benchmark::State& state) {
  UseHeadlessDrivers();
  for (auto _ : state) {
    const Timings t = TimeOneStart();
    if (!t.sawLoading || !t.sawSplash) {
      state.SkipWithError("the start-up did not run its splashes and loading");
      break;
    }
    state.SetIterationTime(Seconds(t.mainLoop - t.lastSplashFrame));
  }
}

BENCHMARK(BM_LaunchToLoadingScreen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(bench::Runs(3));
BENCHMARK(BM_LoadData)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(bench::Runs(3));

}  // namespace

BENCHMARK_MAIN();
