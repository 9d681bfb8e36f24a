// The board's drawing on the headless software renderer: a full 15 by 10 board alone, and the
// play-like frame of FrameBench with its synthetic cells and gems replaced by that board,
// beside the synthetic frame itself from the same run. Then the board's logic tick by tick:
// the move search, a tick at rest, a cascade, and a game played with its pieces and sweepers.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "PlayScene.h"
#include "board/BoardGlobals.h"
#include "board/BoardHost.h"
#include "board/BoardPicture.h"
#include "board/TBonusList.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TPlayer.h"
#include "core/TChannelArray.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "gfx/TParticleList.h"
#include "platform/Graphics.h"
#include "support/board/BoardDriver.h"
#include "support/board/StubAssets.h"
#include "support/board/SwapSession.h"
#include "Headless.h"

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
    // The game's own channel pools: the rig's recording pools log every sound into a list
    // that grows for the whole run, which a tick of the game never pays for.
    TGameGrid::Channels = TChannelArray::Create(8);
    Game->Channels = TChannelArray::Create(16);
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

// One logic tick as the play screen runs it, without the rig's invariant check.
void PlayTick() {
  Delta = 1.0f;
  if (BoardHost::Current().Player().Manage() == -1) return;
  const std::shared_ptr<TGameGrid> board = GameGrid;
  board->Manage();
  BackgroundParticles->Move();
  Tumblets->Move();
  Particles->Move();
  AnimatedParticles->Manage();
  ScoreParticles->Move();
  HouseList->Manage();
  testrig::Host().OutroTick();
}

// The CPU time of this thread in microseconds: a tick's own cost, whatever else the machine
// runs meanwhile.
double ThreadMicros() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// Per-tick timings: the median, the 99th percentile and the worst tick as counters
// (microseconds of thread CPU time).
class TickTimes {
 public:
  TickTimes() { samples_.reserve(1 << 20); }
  template <class F>
  void Time(F&& f) {
    const double start = ThreadMicros();
    f();
    const double end = ThreadMicros();
    if (samples_.size() < samples_.capacity()) samples_.push_back(end - start);
  }
  void Report(benchmark::State& state) {
    if (samples_.empty()) return;
    std::sort(samples_.begin(), samples_.end());
    state.counters["median_us"] = samples_[samples_.size() / 2];
    state.counters["p99_us"] = samples_[samples_.size() * 99 / 100];
    state.counters["worst_us"] = samples_.back();
  }

 private:
  std::vector<double> samples_;
};

// A full board on which no swap makes a run: the whole scan, every cell and every try.
void BM_NoMoreMoves(benchmark::State& state) {
  if (!BoardReady()) {
    state.SkipWithError("no display");
    return;
  }
  BuildBoard(testrig::NoMoveBoardPicture(false), {1, 2, 3, 4, 5});
  GameGrid->DiagonalMoves = static_cast<int>(state.range(0));
  // A lock put on and taken off the corner gem each time: the board is new to the search
  // (which answers an unchanged board from its last scan), and still has no move.
  TGem& corner = *GridAt(0, 0)->Gem;
  for (auto _ : state) {
    corner.locked ^= 1;
    benchmark::DoNotOptimize(GameGrid->NoMoreMoves(0));
  }
  corner.locked = 0;
}
BENCHMARK(BM_NoMoreMoves)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A full board at rest, the pointer over a gem: hover, idle animations and the whole search
// (the lion in the last cell is its only move) every tick.
void BM_BoardTickIdle(benchmark::State& state) {
  if (!BoardReady()) {
    state.SkipWithError("no display");
    return;
  }
  BuildBoard(testrig::NoMoveBoardPicture(true), {1, 2, 3, 4, 5});
  testrig::PointAtCell(7, 5);
  for (int i = 0; i < 100; ++i) PlayTick();
  TickTimes times;
  for (auto _ : state) times.Time(PlayTick);
  times.Report(state);
}
BENCHMARK(BM_BoardTickIdle)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The tick timing alone, around a tick that does nothing: reading the thread's CPU clock is a
// system call, and its cost is part of every tick figure above and below.
void BM_TickTimingAlone(benchmark::State& state) {
  TickTimes times;
  for (auto _ : state) times.Time([] {});
  times.Report(state);
}
BENCHMARK(BM_TickTimingAlone)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A full board played with its pieces: every 50 ticks a click on a piece (tornados included,
// so sweepers fall through columns) or a swap that makes a run; the cascades that follow are
// timed tick by tick. A board that ends or gives up is replaced outside the timing.
void BM_BoardTickPieces(benchmark::State& state) {
  if (!BoardReady()) {
    state.SkipWithError("no display");
    return;
  }
  auto fresh = [] {
    BuildBoard(testrig::FullBoardPicture(), {1, 2, 3, 4, 5}, {8, 9, 10, 11, 12, 13, 14});
    testrig::Host().outro = 0;
    testrig::Host().outroTicks = 0;
    testrig::Host().player->NewLevelStats();
  };
  fresh();
  TickTimes times;
  int tick = 0;
  int action = 0;
  for (auto _ : state) {
    if (GameGrid->NoMoreCounter > 0 || testrig::Host().outro) {
      state.PauseTiming();
      fresh();
      state.ResumeTiming();
    }
    if (++tick % 50 == 0) {
      state.PauseTiming();
      testrig::SoundLog().clear();  // sounds played straight into a channel are still logged
      const std::vector<testrig::BoardMove> moves = testrig::BruteForceMoves();
      state.ResumeTiming();
      if (!moves.empty()) {
        const testrig::BoardMove& m = moves[static_cast<size_t>(action++) % moves.size()];
        const bool second = m.toX >= 0 && GameGrid->Mode == 1;
        testrig::PointAtCell(second ? m.toX : m.x, second ? m.toY : m.y);
        testrig::Press();
        if (m.toX >= 0 && !second) tick -= 25;  // the second click 25 ticks later
      }
    }
    if (tick % 50 == 2) testrig::Release();
    times.Time(PlayTick);
  }
  times.Report(state);
}
BENCHMARK(BM_BoardTickPieces)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return bench::RunHeadless(argc, argv); }

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
      const double start = ThreadMicros();
      testrig::Tick();
      micros.push_back(ThreadMicros() - start);
    }
  }
  std::sort(micros.begin(), micros.end());
  state.counters["median_us"] = micros[micros.size() / 2];
  state.counters["worst_us"] = micros.back();
  testrig::SetTickChecks(true);
}
BENCHMARK(BM_BoardTickCascade)->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond);
