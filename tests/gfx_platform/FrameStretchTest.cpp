// The frame filtered into a larger (or smaller) window: within a step of the exact bilinear
// filter sampled at pixel centres, for every pair of sizes a window or full screen gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <random>
#include <vector>

#include "platform/FrameStretch.h"

using platform::FrameStretch;

namespace {

struct Sizes {
  int sw, sh, dw, dh;
};

void PrintTo(const Sizes& s, std::ostream* os) { *os << s.sw << "x" << s.sh << " to " << s.dw << "x" << s.dh; }

double Channel(uint32_t p, int c) { return static_cast<double>((p >> (8 * c)) & 0xFF); }

// The exact filter: each target pixel centre mapped into the source, edges clamped.
double Exact(const std::vector<uint32_t>& src, const Sizes& s, int x, int y, int c) {
  const auto tap = [](int d, int from, int to, int& i, double& f) {
    const double v = std::clamp((d + 0.5) * from / to - 0.5, 0.0, from - 1.0);
    i = std::min(static_cast<int>(v), from - 2);
    f = v - i;
  };
  int ix, iy;
  double fx, fy;
  tap(x, s.sw, s.dw, ix, fx);
  tap(y, s.sh, s.dh, iy, fy);
  const auto at = [&](int px, int py) { return Channel(src[static_cast<size_t>(py) * s.sw + px], c); };
  const double top = at(ix, iy) * (1 - fx) + at(ix + 1, iy) * fx;
  const double bottom = at(ix, iy + 1) * (1 - fx) + at(ix + 1, iy + 1) * fx;
  return top * (1 - fy) + bottom * fy;
}

class FrameStretchTest : public ::testing::TestWithParam<Sizes> {};

TEST_P(FrameStretchTest, EveryPixelIsWithinAStepOfTheExactFilter) {
  const Sizes s = GetParam();
  std::mt19937 random(5);
  std::vector<uint32_t> src(static_cast<size_t>(s.sw) * s.sh);
  // Smooth areas and hard edges alike: blocks of random colour.
  for (int y = 0; y < s.sh; ++y)
    for (int x = 0; x < s.sw; ++x) src[static_cast<size_t>(y) * s.sw + x] = 0xFF000000u | (random() & 0xFFFFFFu);
  const int pitch = s.dw + 3;  // a wider surface than the picture
  std::vector<uint32_t> dst(static_cast<size_t>(pitch) * s.dh, 0x12345678u);
  FrameStretch stretch;
  ASSERT_TRUE(stretch.Run(src.data(), s.sw, s.sw, s.sh, dst.data(), pitch, s.dw, s.dh, true));
  double worst = 0;
  for (int y = 0; y < s.dh; ++y) {
    for (int x = 0; x < s.dw; ++x)
      for (int c = 0; c < 3; ++c)
        worst = std::max(worst, std::abs(Channel(dst[static_cast<size_t>(y) * pitch + x], c) - Exact(src, s, x, y, c)));
    for (int x = s.dw; x < pitch; ++x) ASSERT_EQ(dst[static_cast<size_t>(y) * pitch + x], 0x12345678u);
  }
  EXPECT_LE(worst, 2.5);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FrameStretchTest,
                         ::testing::Values(Sizes{80, 60, 144, 108}, Sizes{80, 60, 143, 107},
                                           Sizes{80, 60, 64, 48}, Sizes{8, 6, 9, 7},
                                           Sizes{2, 2, 37, 5}, Sizes{31, 17, 200, 17}));

// A run over the last one's output, after some rows of the source changed, leaves what a whole
// run of the new source gives.
TEST(FrameStretch, OnlyChangedRowsAreWrittenAgainWithTheSameResult) {
  constexpr int sw = 40, sh = 30, dw = 72, dh = 54;
  std::mt19937 random(9);
  std::vector<uint32_t> src(sw * sh);
  for (uint32_t& p : src) p = random();
  std::vector<uint32_t> kept(dw * dh, 0), fresh(dw * dh, 0);
  FrameStretch stretch;
  ASSERT_TRUE(stretch.Run(src.data(), sw, sw, sh, kept.data(), dw, dw, dh, true));
  const std::vector<uint32_t> before = kept;
  for (const int row : {0, 7, 8, 29})
    for (int x = 0; x < sw; ++x) src[row * sw + x] = random();
  ASSERT_TRUE(stretch.Run(src.data(), sw, sw, sh, kept.data(), dw, dw, dh, false));
  FrameStretch other;
  ASSERT_TRUE(other.Run(src.data(), sw, sw, sh, fresh.data(), dw, dw, dh, true));
  EXPECT_EQ(kept, fresh);
  EXPECT_NE(kept, before);
  // Rows far from any change were left alone: written over with a marker, they keep it.
  for (int x = 0; x < dw; ++x) kept[30 * dw + x] = 0x01020304u;
  ASSERT_TRUE(stretch.Run(src.data(), sw, sw, sh, kept.data(), dw, dw, dh, false));
  EXPECT_EQ(kept[30 * dw + 5], 0x01020304u);
}

TEST(FrameStretch, TooSmallASizeDrawsNothing) {
  std::vector<uint32_t> src(4, 0xFFFFFFFFu), dst(4, 0);
  FrameStretch stretch;
  EXPECT_FALSE(stretch.Run(src.data(), 1, 1, 4, dst.data(), 2, 2, 2, true));
  EXPECT_EQ(dst, std::vector<uint32_t>(4, 0));
}

}  // namespace
