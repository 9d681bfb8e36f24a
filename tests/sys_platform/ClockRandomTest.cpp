#include <algorithm>
#include <cctype>
#include <clocale>
#include <cmath>
#include <climits>
#include <set>
#include <string>
#include <vector>

#include "support/TestRig.h"
#include "platform/Clock.h"

using namespace platform;

namespace {

// Matches a pattern where '9' stands for any digit and every other character for itself.
bool Shaped(const std::string& text, const std::string& pattern) {
  if (text.size() != pattern.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (pattern[i] == '9' ? !std::isdigit(static_cast<unsigned char>(text[i])) : text[i] != pattern[i]) return false;
  }
  return true;
}

std::vector<int> Draw(int seed, int count, int lo, int hi) {
  SeedRnd(seed);
  std::vector<int> v;
  for (int i = 0; i < count; ++i) v.push_back(Rand(lo, hi));
  return v;
}

class FakeClockTest : public ::testing::Test {
 protected:
  void TearDown() override { UseFakeClock(false); }
};

}  // namespace

TEST_F(FakeClockTest, AdvancesOnlyByHandDelayAndFlips) {
  UseFakeClock(true, 1000);
  EXPECT_TRUE(FakeClockActive());
  EXPECT_EQ(MilliSecs(), 1000);
  AdvanceFakeClock(16);
  EXPECT_EQ(MilliSecs(), 1016);
  Delay(5);  // advances instead of sleeping
  EXPECT_EQ(MilliSecs(), 1021);
  AdvanceFakeClock(-50);  // never backwards by hand
  EXPECT_EQ(MilliSecs(), 1021);

  NotifyFramePresented();  // no step set yet
  EXPECT_EQ(MilliSecs(), 1021);
  SetFakeClockStepPerFlip(16);
  NotifyFramePresented();
  NotifyFramePresented();
  EXPECT_EQ(MilliSecs(), 1053);

  UseFakeClock(false);
  EXPECT_FALSE(FakeClockActive());
  NotifyFramePresented();  // the real clock ignores presented frames
}

TEST_F(FakeClockTest, WrapsLikeA32BitCounter) {
  UseFakeClock(true, INT_MAX);
  AdvanceFakeClock(1);
  EXPECT_EQ(MilliSecs(), INT_MIN);
}

TEST(RealClock, IsMonotonicAndDelaySleeps) {
  const int a = MilliSecs();
  Delay(20);
  const int b = MilliSecs();
  EXPECT_GE(b - a, 19);
  EXPECT_LT(b - a, 5000);
  Delay(0);
  Delay(-5);  // returns at once
  EXPECT_GE(MilliSecs(), b);
}

TEST(DateAndTime, EnglishMonthWhateverTheLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  // Any non-English locale the machine has; the format must not depend on it.
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8", "C.UTF-8"}) {
    if (std::setlocale(LC_ALL, name)) break;
  }
  const std::string date = U8(CurrentDate());
  const std::string time = U8(CurrentTime());
  const DateTimeParts parts = CurrentDateTimeParts();
  std::setlocale(LC_ALL, saved.c_str());

  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  ASSERT_EQ(date.size(), 11u) << date;
  EXPECT_TRUE(Shaped(date, "99 " + date.substr(3, 3) + " 9999")) << date;
  EXPECT_NE(std::find(std::begin(kMonths), std::end(kMonths), date.substr(3, 3)), std::end(kMonths)) << date;
  EXPECT_TRUE(Shaped(time, "99:99:99")) << time;
  ASSERT_GE(parts.month, 1);
  ASSERT_LE(parts.month, 12);
  // The same moment (unless midnight passed between the calls).
  EXPECT_EQ(date.substr(3, 3), kMonths[parts.month - 1]);
  EXPECT_GE(parts.year, 2024);
  EXPECT_GE(parts.day, 1);
  EXPECT_LE(parts.day, 31);
  EXPECT_LE(parts.hour, 23);
  EXPECT_LE(parts.minute, 59);
  EXPECT_LE(parts.second, 59);
}

TEST(Random, FixedAlgorithmGoldenSequences) {
  // SplitMix64: the full range exposes the generator's upper 32 bits unchanged.
  EXPECT_EQ(Draw(0, 4, INT_MIN, INT_MAX), (std::vector<int>{1646307385, -294085014, -2033951464, 2022422696}));
  EXPECT_EQ(Draw(12345, 12, 1, 100), (std::vector<int>{14, 21, 12, 18, 51, 34, 13, 44, 48, 87, 19, 39}));
  EXPECT_EQ(Draw(-7, 12, 10, 1), (std::vector<int>{2, 2, 1, 1, 7, 8, 9, 2, 6, 4, 6, 6}));
}

TEST(Random, SeedingIsDeterministic) {
  EXPECT_EQ(Draw(42, 100, 0, 1000), Draw(42, 100, 0, 1000));
  EXPECT_NE(Draw(42, 100, 0, 1000), Draw(43, 100, 0, 1000));
  SeedRnd(42);
  EXPECT_EQ(RndSeed(), 42);
  const double a = Rnd();
  SeedRnd(42);
  EXPECT_EQ(Rnd(), a);
}

TEST(Random, InvertedBoundsAreSwappedAndEveryValueComes) {
  SeedRnd(7);
  std::set<int> seen;
  for (int i = 0; i < 2000; ++i) {
    const int v = Rand(10, 1);
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 10);
    seen.insert(v);
  }
  EXPECT_EQ(seen.size(), 10u);
  EXPECT_EQ(Rand(5, 5), 5);
  EXPECT_EQ(Draw(9, 50, 3, -3), Draw(9, 50, -3, 3));
}

TEST(Random, OneArgumentFormStartsAtOne) {
  SeedRnd(3);
  std::set<int> seen;
  for (int i = 0; i < 500; ++i) seen.insert(Rand(4));
  EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4}));
  EXPECT_EQ(Rand(1), 1);
  for (int i = 0; i < 50; ++i) {
    const int v = Rand(0);  // [0, 1] by the swap
    EXPECT_TRUE(v == 0 || v == 1);
  }
}

TEST(Random, ExtremeBoundsDoNotOverflow) {
  SeedRnd(1);
  for (int i = 0; i < 1000; ++i) {
    const int v = Rand(INT_MAX - 1, INT_MAX);
    ASSERT_GE(v, INT_MAX - 1);
    const int w = Rand(INT_MIN, INT_MIN + 1);
    ASSERT_LE(w, INT_MIN + 1);
  }
}

TEST(Random, FloatsStayInsideTheHalfOpenRange) {
  SeedRnd(11);
  double lo = 1.0, hi = 0.0;
  for (int i = 0; i < 20000; ++i) {
    const double v = Rnd(2.0, 3.0);
    ASSERT_GE(v, 2.0);
    ASSERT_LT(v, 3.0);
    const double u = Rnd();
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
    lo = std::min(lo, u);
    hi = std::max(hi, u);
  }
  EXPECT_LT(lo, 0.01);
  EXPECT_GT(hi, 0.99);
  EXPECT_EQ(Rnd(5.0, 5.0), 5.0);
  // A span so narrow that rounding would reach max.
  const double a = 1.0, b = std::nextafter(1.0, 2.0);
  for (int i = 0; i < 100; ++i) ASSERT_LT(Rnd(a, b), b);
}
