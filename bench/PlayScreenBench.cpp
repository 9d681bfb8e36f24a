// One whole play-screen frame through the software renderer (headless, 800 by 600): the real
// GameScreen->Draw() and Flip with the generated assets, a full 15 by 10 level (bricks,
// armour, locked gems, Tumblets), about 300 particles in flight, score pop-ups, the bar with a
// part-filled gauge and the corner buttons. Three cases: play, the in-game menu open, the
// level-complete scroll open. Also one logic tick of the play screen. Compare with
// BM_PlayFrame of FrameBench, run on the same machine.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "board/BoardGlobals.h"
#include "board/BoardParticles.h"
#include "board/TGameGrid.h"
#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TProfile.h"
#include "gfx/TImageBank.h"
#include "gfx/TParticleList.h"
#include "play/TGameMenu.h"
#include "play/TGameScreen.h"
#include "play/TLevelCompleteScreen.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "support/play/PlayWorld.h"
#include "Headless.h"

namespace {

namespace fs = std::filesystem;

enum Case { kPlay, kMenu, kLevelComplete };

// 15 by 10: bricks, armour, locked cells, a few fixed pieces.
std::string FullLevel() {
  std::string text = "REM,Bench\n120\n0\n15,10\n0,0\n";
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 15; ++x) {
      const int code = (x + y) % 7 == 0 ? 3 : (x * y) % 11 == 5 ? 2 : (x == 7 && y == 4) ? 9 : 1;
      text += std::to_string(code) + (x < 14 ? "," : "\n");
    }
  }
  return text;
}

bool World() {
  static bool ready = false;
  if (ready) return true;
  const std::string user = (fs::temp_directory_path() / "lv-playbench").string() + "/";
  fs::create_directories(user + "levels");
  std::ofstream(user + "levels/9.txt") << FullLevel();
  if (!testrig::MakeHeadlessGame(std::string(LV_RESOURCES_DIR) + "/", user)) return false;
  testrig::LoadPlayWorld();
  Game->LevelsPath = S(user) + u"levels/";
  platform::SeedRnd(7);
  GameScreen->Player->Level = 9;
  GameScreen->PreStart();
  ready = true;
  return true;
}

// The scene of a case: gauge at 3, particles and pop-ups in flight, the intro over.
void SetScene(Case c) {
  GameScreen->IntroAnim->Clear();
  GameScreen->OutroAnim->Clear();
  GameMenu->Active = 0;
  LevelCompleteScreen->Active = 0;
  GameGrid->DiagonalGauge = 3;
  Particles->Clear();
  ScoreParticles->Clear();
  BackgroundParticles->Clear();
  platform::SeedRnd(11);
  for (int i = 0; i < 75; ++i) {
    SparkleParticlesMake(80.0f + 8.0f * static_cast<float>(i), 300.0f, 5);
  }
  for (int i = 0; i < 8; ++i) GameGrid->ScoreSpriteCreate(i, i % 10, 50, 0);
  if (c == kMenu) {
    GameMenu->Show(0);
    GameMenu->FadeIn->Clear();
  }
  if (c == kLevelComplete) {
    Game->CurrentProfile.reset();
    LevelCompleteScreen->Show();
    LevelCompleteScreen->Unroll->Clear();
  }
}

void BM_PlayScreenFrame(benchmark::State& state) {
  if (!World()) {
    state.SkipWithError("no display");
    return;
  }
  SetScene(static_cast<Case>(state.range(0)));
  GameScreen->Draw();  // textures made outside the timing
  platform::Flip(0);
  for (auto _ : state) {
    GameScreen->Draw();
    platform::Flip(0);
  }
  state.counters["particles"] = Particles->Count() + ScoreParticles->Count();
}
BENCHMARK(BM_PlayScreenFrame)
    ->Arg(kPlay)
    ->Arg(kMenu)
    ->Arg(kLevelComplete)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_PlayScreenTick(benchmark::State& state) {
  if (!World()) {
    state.SkipWithError("no display");
    return;
  }
  SetScene(kPlay);
  for (auto _ : state) {
    Delta = 1.0f;
    GameScreen->Logic();
  }
}
BENCHMARK(BM_PlayScreenTick)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return bench::RunHeadless(argc, argv); }
