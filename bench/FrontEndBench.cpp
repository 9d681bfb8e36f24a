// Front-end timing on the headless drivers with the generated data folder:
//   BM_BookTextStep   the story book's text step for the longest level page: the story file
//                     read, the level's passage cut out, wrapped in the 20 px font and paged
//                     (it runs inside a screen switch);
//   BM_StoryFileRead  the file read alone, the baseline of the step;
//   BM_TitleFrame     one title frame: background, greeting, menu and 20 fireflies, presented;
//   BM_PictureFrame   the background picture alone, presented: the baseline of the frame.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include <filesystem>
#include <memory>

#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TProfile.h"
#include "core/TSoundBank.h"
#include "gfx/TImageBank.h"
#include "gfx/TParticleList.h"
#include "platform/Audio.h"
#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "screens/StoryText.h"
#include "screens/TTitleScreen.h"
#include "text/GameFonts.h"
#include "ui/TLoadingScreen.h"

namespace {

const String& DataFolder() {
  static const String folder = S(LV_RESOURCES_DIR) + u"/";
  return folder;
}

void UseHeadlessDrivers() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("SDL_RENDER_DRIVER", "software", 1);
}

bool FontsReady() {
  static const bool ready = [] {
    UseHeadlessDrivers();
    LoadGameFonts(DataFolder() + u"Data/fonts/", 0);
    return MainFontSmall != nullptr;
  }();
  return ready;
}

// The level whose page has the most display lines.
std::pair<int, int> LongestPage() {
  const String file = platform::LoadText(DataFolder() + kStoryFile);
  std::pair<int, int> longest{1, 1};
  int most = -1;
  for (int c = 1; c <= 10; ++c) {
    for (int l = 1; l <= 5; ++l) {
      const int lines = StoryLayout(StoryLevelLines(file, c, l), 1, MainFontSmall).TotalLines;
      if (lines > most) {
        most = lines;
        longest = {c, l};
      }
    }
  }
  return longest;
}

void BM_BookTextStep(benchmark::State& state) {
  if (!FontsReady()) {
    state.SkipWithError("no font in the data folder");
    return;
  }
  const auto [chapter, level] = LongestPage();
  for (auto _ : state) {
    const String file = platform::LoadText(DataFolder() + kStoryFile);
    StoryPages pages = StoryLayout(StoryLevelLines(file, chapter, level), level == 1 ? 2 : 1, MainFontSmall);
    benchmark::DoNotOptimize(pages);
  }
  state.SetLabel("level " + std::to_string(chapter) + "-" + std::to_string(level));
}
BENCHMARK(BM_BookTextStep)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_StoryFileRead(benchmark::State& state) {
  for (auto _ : state) {
    String file = platform::LoadText(DataFolder() + kStoryFile);
    benchmark::DoNotOptimize(file);
  }
}
BENCHMARK(BM_StoryFileRead)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The title as the game shows it to a returning player, with 20 fireflies in flight.
bool TitleReady() {
  static const bool ready = [] {
    if (!FontsReady() || !platform::Graphics(800, 600, 0)) return false;
    platform::SetAudioDriver(u"None");
    const auto user = std::filesystem::temp_directory_path() / "lantern-bench-title";
    std::filesystem::create_directories(user / "profiles");
    Game = std::make_shared<TGame>();
    Game->DataPrefix = DataFolder();
    Game->ImagePath = DataFolder() + u"Data/graphics/";
    Game->MenuPath = DataFolder() + u"Data/menus/";
    Game->SoundPath = DataFolder() + u"Data/sound/";
    Game->MusicPath = DataFolder() + u"Data/music/";
    Game->SubPath = S(user.string()) + u"/";
    Game->ProfilePath = Game->SubPath + u"profiles/";
    Game->FixedRateLogic->Create();
    Game->FixedRateLogic->Init();
    Game->MusicChannel = platform::AllocChannel();
    images = std::make_shared<TImageBank>();
    images->SetPath(Game->ImagePath);
    images->Load(u"particle7", u"particle2", -1, 1);
    sounds = std::make_shared<TSoundBank>(Game->SoundPath);
    Game->CurrentProfile = TProfile::Create(u"Heather");
    TitleScreen = std::make_shared<TTitleScreen>();
    TitleScreen->SpecialLoad(0, 0);
    TitleScreen->SpecialStart(0);
    // Fireflies past their fade-in, so they are drawn at full strength.
    for (int tick = 0; tick < 150; ++tick) TitleScreen->FirefliesManage();
    while (Particles->Count() < 20) TitleScreen->FireflyCreate();
    while (Particles->Count() > 20) Particles->Remove(*Particles->Last());
    return true;
  }();
  return ready;
}

void BM_TitleFrame(benchmark::State& state) {
  if (!TitleReady()) {
    state.SkipWithError("no display or data folder");
    return;
  }
  TitleScreen->Draw();  // textures made outside the timing
  platform::Flip(0);
  for (auto _ : state) {
    TitleScreen->Draw();
    platform::Flip(0);
  }
}
BENCHMARK(BM_TitleFrame)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PictureFrame(benchmark::State& state) {
  if (!TitleReady()) {
    state.SkipWithError("no display or data folder");
    return;
  }
  for (auto _ : state) {
    platform::SetBlend(platform::SOLIDBLEND);
    platform::DrawImage(TitleScreen->Image, 0, 0);
    platform::Flip(0);
  }
}
BENCHMARK(BM_PictureFrame)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
