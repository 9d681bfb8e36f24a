// The raster's wide (256-bit) and narrow (128-bit) paths give the same pixels, so a processor
// without the wider registers sees what the tests see: every scene drawn both ways and compared.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <random>
#include <vector>

#include "platform/Graphics.h"
#include "platform/SoftwareRaster.h"

using platform::SoftwareRaster;

namespace {

constexpr int kW = 97, kH = 61;

struct Scene {
  const char* name;
  int blend;
  uint8_t r, g, b, a;
  bool stretched;  // a nearest-texel stretch, else a one-to-one copy
};

void PrintTo(const Scene& scene, std::ostream* os) { *os << scene.name; }

// Texels mostly clear or opaque, as pictures are, with runs of partial alpha.
std::vector<uint32_t> Picture(int w, int h, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
  for (uint32_t& p : pixels) {
    const uint32_t kind = random() % 3;
    const uint32_t alpha = kind == 0 ? 0u : kind == 1 ? 255u : random() % 256;
    p = alpha << 24 | (random() & 0xFFFFFFu);
  }
  return pixels;
}

std::vector<uint32_t> Draw(const Scene& scene, bool wide) {
  SoftwareRaster::AllowWide(wide);
  std::vector<uint32_t> target = Picture(kW, kH, 7);
  const std::vector<uint32_t> picture = Picture(40, 30, 11);
  const SoftwareRaster::Target to{target.data(), kW, 2, 1, kW - 3, kH - 2};
  const SoftwareRaster::Paint paint{scene.r, scene.g, scene.b, scene.a, scene.blend, 0};
  if (scene.stretched) {
    const SoftwareRaster::Source from{picture.data(), 40, 0, 0, 40, 30, false};
    // Twice as wide and one and a half times as tall, off the target's corner.
    const SoftwareRaster::Map map{-5.0 / 2, 1.0 / 2, 0, -3.0 / 1.5, 0, 1 / 1.5};
    SoftwareRaster::Draw(to, from, paint, map, 5, 3, 85, 48, true);
  } else {
    SoftwareRaster::Copy(to, picture.data(), 40, -3, 4, 40, 30, paint);
    SoftwareRaster::Copy(to, picture.data(), 40, 61, 33, 40, 30, paint);
  }
  SoftwareRaster::AllowWide(true);
  return target;
}

class RasterVariantsTest : public ::testing::TestWithParam<Scene> {};

TEST_P(RasterVariantsTest, WideAndNarrowPathsGiveTheSamePixels) {
  const std::vector<uint32_t> wide = Draw(GetParam(), true);
  const std::vector<uint32_t> narrow = Draw(GetParam(), false);
  ASSERT_EQ(wide.size(), narrow.size());
  int differing = 0;
  for (size_t i = 0; i < wide.size(); ++i) differing += wide[i] != narrow[i];
  EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Scenes, RasterVariantsTest,
    ::testing::Values(Scene{"Copy", platform::ALPHABLEND, 255, 255, 255, 255, false},
                      Scene{"TintedCopy", platform::ALPHABLEND, 200, 120, 255, 180, false},
                      Scene{"LightCopy", platform::LIGHTBLEND, 255, 255, 255, 140, false},
                      Scene{"Stretch", platform::ALPHABLEND, 255, 255, 255, 255, true},
                      Scene{"FadedStretch", platform::ALPHABLEND, 255, 255, 255, 100, true},
                      Scene{"TintedStretch", platform::ALPHABLEND, 90, 255, 30, 255, true},
                      Scene{"LightStretch", platform::LIGHTBLEND, 255, 200, 255, 220, true}),
    [](const ::testing::TestParamInfo<Scene>& info) { return std::string(info.param.name); });

}  // namespace
