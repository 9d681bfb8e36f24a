// Frame maths, number formatting, list helpers, rounding and power-of-two sizes.
#include <cmath>
#include <limits>
#include <list>
#include <vector>

#include "GfxTestSupport.h"
#include "gfx/CounterHelpers.h"
#include "gfx/DrawHelpers.h"
#include "gfx/ImageHelpers.h"
#include "gfx/MathHelpers.h"

namespace {

TEST(CalcAnimFrame, CountingDownShowsFramesInAscendingOrder) {
  EXPECT_EQ(ccCalcAnimFrame(0, 100, 10, 0), 9);
  EXPECT_EQ(ccCalcAnimFrame(100, 100, 10, 0), 0);
  EXPECT_EQ(ccCalcAnimFrame(95, 100, 10, 0), 0);
  EXPECT_EQ(ccCalcAnimFrame(5, 100, 10, 0), 9);
  EXPECT_EQ(ccCalcAnimFrame(50, 100, 10, 0), 5);
}

TEST(CalcAnimFrame, CountingUpAnyNonZeroDirection) {
  EXPECT_EQ(ccCalcAnimFrame(0, 100, 10, 1), 0);
  EXPECT_EQ(ccCalcAnimFrame(100, 100, 10, 1), 9);
  EXPECT_EQ(ccCalcAnimFrame(99, 100, 10, 1), 9);
  EXPECT_EQ(ccCalcAnimFrame(10, 100, 10, 1), 1);
  EXPECT_EQ(ccCalcAnimFrame(10, 100, 10, 7), 1);
}

TEST(CalcAnimFrame, CountersOutsideTheRunClampThroughTheFrame) {
  EXPECT_EQ(ccCalcAnimFrame(-5, 100, 10, 0), 9);
  EXPECT_EQ(ccCalcAnimFrame(150, 100, 10, 0), 0);
  EXPECT_EQ(ccCalcAnimFrame(-5, 100, 10, 1), 0);
  EXPECT_EQ(ccCalcAnimFrame(150, 100, 10, 1), 9);
}

TEST(CalcAnimFrame, ZeroLengthOrInfiniteCounterGivesAValidFrame) {
  // A phase under one tick: the run is over, its last frame shows.
  EXPECT_EQ(ccCalcAnimFrame(0, 0, 10, 0), 9);
  EXPECT_EQ(ccCalcAnimFrame(3, 0, 10, 1), 9);
  EXPECT_EQ(ccCalcAnimFrame(0, -4, 10, 0), 9);
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(ccCalcAnimFrame(inf, 100, 10, 1), 9);
  EXPECT_EQ(ccCalcAnimFrame(-inf, 100, 10, 1), 0);
  EXPECT_EQ(ccCalcAnimFrame(std::nanf(""), 100, 10, 0), 0);
  EXPECT_EQ(ccCalcAnimFrame(50, 100, 1, 0), 0);
  EXPECT_EQ(ccCalcAnimFrame(50, 100, 0, 0), 0);
}

TEST(MathHelpers, MsPerFrameAndFastRand) {
  EXPECT_FLOAT_EQ(ccCalcMSPerFrame(200), 5.0f);
  ccFastRandSeed(7);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(ccFastRand(3, 3), 3);
  for (int i = 0; i < 200; ++i) {
    const int v = ccFastRand(-2, 4);
    EXPECT_GE(v, -2);
    EXPECT_LE(v, 4);
  }
  // Inverted bounds are swapped rather than dividing by zero or a negative range.
  for (int i = 0; i < 200; ++i) {
    const int v = ccFastRand(5, 4);
    EXPECT_TRUE(v == 4 || v == 5);
  }
}

TEST(FormatNumber, CutsGroupsAndAligns) {
  EXPECT_EQ(ccFormatNumber(1234567.891, 2, 3, 0), u"1,234,567.89");
  EXPECT_EQ(ccFormatNumber(1234567.891, 0, 3, 0), u"1,234,567");
  EXPECT_EQ(ccFormatNumber(5, 0, 0, 4), u"   5");
  EXPECT_EQ(ccFormatNumber(123456, 0, 0, 3), u"ror");
  // No rounding: 0.3 is 0.29999999999999999 in 17 digits.
  EXPECT_EQ(ccFormatNumber(0.3, 2, 0, 0), u"0.29");
  EXPECT_EQ(ccFormatNumber(12.5, 1, 0, 3), u" 12.5");  // field 3 + 1 + 1
}

TEST(FormatNumber, InfinityAndNaNHaveNoPointAndDoNotCrash) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(ccFormatNumber(inf, 2, 3, 0), u"inf");
  EXPECT_EQ(ccFormatNumber(-inf, 0, 0, 6), u"  -inf");
  EXPECT_FALSE(ccFormatNumber(std::nan(""), 2, 3, 8).empty());
}

TEST(ListHelpers, IndexesSkipEmptyEntries) {
  auto a = std::make_shared<int>(1);
  auto b = std::make_shared<int>(1);
  std::vector<std::shared_ptr<int>> list{nullptr, a, nullptr, b};
  EXPECT_EQ(ccListIndex(list, b), 1);
  EXPECT_EQ(ccListIndex(list, a), 0);
  EXPECT_EQ(ccListIndex(list, std::make_shared<int>(1)), -1);

  std::vector<String> names{u"bob", u"Bob"};
  EXPECT_EQ(ccListStringIndex(names, u"Bob"), 1);
  EXPECT_EQ(ccListStringIndex(names, u"BOB"), -1);
  std::list<std::shared_ptr<String>> texts{nullptr, std::make_shared<String>(u"x")};
  EXPECT_EQ(ccListStringIndex(texts, u"x"), 0);
}

TEST(ListHelpers, AddListsAndSort) {
  std::vector<std::shared_ptr<int>> dst{std::make_shared<int>(1)};
  std::vector<std::shared_ptr<int>> empty;
  EXPECT_EQ(ccAddLists(&dst, &empty), 0);
  EXPECT_EQ(dst.size(), 1u);
  EXPECT_EQ(ccAddLists<std::vector<std::shared_ptr<int>>>(nullptr, &dst), 0);
  std::vector<std::shared_ptr<int>> src{nullptr, std::make_shared<int>(2), std::make_shared<int>(3)};
  EXPECT_EQ(ccAddLists(&dst, &src), 1);
  ASSERT_EQ(dst.size(), 3u);
  EXPECT_EQ(*dst[2], 3);

  std::vector<int> v{3, 1, 2};
  ccSortIntArray(v, 1);
  EXPECT_EQ(v, (std::vector<int>{1, 2, 3}));
  ccSortIntArray(v, 0);
  EXPECT_EQ(v, (std::vector<int>{3, 2, 1}));
}

TEST(Rounding, HalvesRoundUp) {
  EXPECT_EQ(ccRound(2.5f), 3);
  EXPECT_EQ(ccRound(-2.5f), -2);
  EXPECT_EQ(ccRound(-2.6f), -3);
  EXPECT_EQ(ccRound(0.49f), 0);
}

TEST(Pow2Size, SmallestPowerOfTwoAtLeastN) {
  EXPECT_EQ(ccPow2Size(0), 1);
  EXPECT_EQ(ccPow2Size(1), 1);
  EXPECT_EQ(ccPow2Size(3), 4);
  EXPECT_EQ(ccPow2Size(64), 64);
  EXPECT_EQ(ccPow2Size(65), 128);
  EXPECT_EQ(ccPow2Size(-7), 1);
}

TEST(CounterHelpers, EasingAndClamping) {
  EXPECT_NEAR(ccRatioToSine180(0.25f), 0.1464f, 1e-4);
  EXPECT_NEAR(ccRatioToSine180(0.0f), 0.0f, 1e-6);
  EXPECT_NEAR(ccRatioToSine180(0.5f), 0.5f, 1e-6);
  EXPECT_NEAR(ccRatioToSine180(1.0f), 1.0f, 1e-6);
  int n = -5;
  ccRangeCheck100(n);
  EXPECT_EQ(n, 0);
  n = 130;
  ccRangeCheck100(n);
  EXPECT_EQ(n, 100);
  n = 42;
  ccRangeCheck100(n);
  EXPECT_EQ(n, 42);
}

}  // namespace

namespace {

TEST(MathHelpers, PrintGraphicsModesListsEveryMode) {
  platform::InitRuntime();
  testing::internal::CaptureStdout();
  ccPrintGraphicsModes();
  const std::string out = testing::internal::GetCapturedStdout();
  const int count = platform::CountGraphicsModes();
  int lines = 0;
  for (char c : out) lines += c == '\n' ? 1 : 0;
  EXPECT_EQ(lines, count);
  if (count > 0) {
    int w = 0, h = 0, d = 0, hz = 0;
    ASSERT_TRUE(platform::GetGraphicsMode(0, w, h, d, hz));
    EXPECT_EQ(out.rfind("0 Width: " + std::to_string(w) + " Height: " + std::to_string(h), 0), 0u);
  }
}

}  // namespace
