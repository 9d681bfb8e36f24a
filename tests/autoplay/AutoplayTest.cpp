// Every shipped level cleared by the seeded autoplayer on forty seeds through the real board,
// with its cross-checks; one table of figures per level for the difficulty curve; and the
// same seed giving the same game, also after another level ran in the same process.
//
// LV_AUTOPLAY_SEEDS=first-last plays other seeds (a check on seeds the curve was not tuned
// on); their rows go to a folder of their own, where the curve test then reads them.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/TestRig.h"
#include "support/autoplay/AutoPlayer.h"

namespace {

autoplay::RunOptions Options() {
  autoplay::RunOptions o;
  o.levelsDir = std::string(LV_SOURCE_DIR) + "/data/levels/";
  o.workDir = testrig::MakeTempDir("autoplay");
  return o;
}

std::string Failures(const autoplay::RunResult& r) {
  std::string s;
  for (const std::string& f : r.failures) s += "\n  " + f;
  return s;
}

class AutoplayLevel : public ::testing::TestWithParam<int> {};

TEST_P(AutoplayLevel, ClearedOnEverySeed) {
  const int level = GetParam();
  const autoplay::SeedRange seeds = autoplay::SeedsFromEnvironment();
  ASSERT_TRUE(seeds.Valid()) << "LV_AUTOPLAY_SEEDS must read first-last";
  const std::string folder = std::string(LV_BINARY_DIR) + "/" + autoplay::RowsFolder(seeds);
  std::filesystem::create_directories(folder);
  char name[32];
  std::snprintf(name, sizeof name, "/autoplay-%02d.tsv", level);
  std::ofstream rows(folder + name);
  rows << autoplay::RowHeader() << "\n";
  for (int seed = seeds.first; seed <= seeds.last; ++seed) {
    const autoplay::RunResult r = autoplay::PlayLevel(level, seed, Options());
    rows << autoplay::Row(r) << "\n";
    EXPECT_TRUE(r.cleared) << "level " << level << " seed " << seed << ": not cleared in " << r.ticks
                           << " ticks, Gold left " << r.goldLeft << ", restarts " << r.restarts << "\n"
                           << r.finalGrid;
    EXPECT_TRUE(r.failures.empty()) << "level " << level << " seed " << seed << ":" << Failures(r);
  }
}

INSTANTIATE_TEST_SUITE_P(Levels, AutoplayLevel, ::testing::Range(1, 51),
                         [](const ::testing::TestParamInfo<int>& info) {
                           char name[16];
                           std::snprintf(name, sizeof name, "Level%02d", info.param);
                           return std::string(name);
                         });

TEST(AutoplaySeeds, RangesReadFromTheEnvironmentText) {
  struct Row {
    const char* text;
    int first, last;
    bool valid;
  };
  for (const Row& row : {Row{"21-40", 21, 40, true}, Row{"7-7", 7, 7, true}, Row{"40-21", 40, 21, false},
                         Row{"0-5", 0, 5, false}, Row{"21", 0, -1, false}, Row{"-5", -1, 5, false},
                         Row{"a-b", -1, -1, false}, Row{"1-9999999", 1, -1, false}, Row{"1 -20", -1, 20, false}}) {
    const autoplay::SeedRange seeds = autoplay::ParseSeeds(row.text);
    EXPECT_EQ(seeds.Valid(), row.valid) << row.text;
    if (row.valid) {
      EXPECT_EQ(seeds.Count(), row.last - row.first + 1) << row.text;
    }
    EXPECT_EQ(seeds.first, row.first) << row.text;
    EXPECT_EQ(seeds.last, row.last) << row.text;
  }
  EXPECT_EQ(autoplay::RowsFolder(autoplay::kCurveSeeds), "levels");
  EXPECT_EQ(autoplay::RowsFolder({41, 60}), "levels/seeds-41-60");
  EXPECT_GE(autoplay::kCurveSeeds.Count(), 20);
}

TEST(AutoplayDeterminism, SameSeedSameGameWhateverRanBefore) {
  const autoplay::RunResult first = autoplay::PlayLevel(25, 1, Options());
  const autoplay::RunResult again = autoplay::PlayLevel(25, 1, Options());
  EXPECT_EQ(autoplay::Row(first), autoplay::Row(again));
  EXPECT_EQ(first.finalGrid, again.finalGrid);
  // State left in globals by another level would show here.
  autoplay::PlayLevel(24, 1, Options());
  const autoplay::RunResult after = autoplay::PlayLevel(25, 1, Options());
  EXPECT_EQ(autoplay::Row(first), autoplay::Row(after));
  EXPECT_EQ(first.finalGrid, after.finalGrid);
}

}  // namespace
