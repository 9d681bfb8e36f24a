// Front-end timing on the headless drivers with the generated data folder:
//   BM_BookTextStep   the story book's text step for the longest level page: the story file
//                     read, the level's passage cut out, wrapped in the 20 px font and paged
//                     (it runs inside a screen switch);
//   BM_StoryFileRead  the file read alone, the baseline of the step.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "platform/FileSystem.h"
#include "screens/StoryText.h"
#include "text/GameFonts.h"

namespace {

const String& DataFolder() {
  static const String folder = S(LV_RESOURCES_DIR) + u"/";
  return folder;
}

bool FontsReady() {
  static const bool ready = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
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

}  // namespace

BENCHMARK_MAIN();
