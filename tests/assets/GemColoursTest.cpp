// The seven gems as players without full colour vision see them: in grey every gem has a
// lightness of its own, and for a deuteranope no gem takes the colour of the brick floor. A
// locked gem keeps enough of its body clear of its chains and padlock for its colour to read.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Image.h"
#include "platform/String.h"
#include "support/TestRig.h"

namespace {

constexpr int kGems = 7;
constexpr int kCell = 50;
const char* const kNames[kGems] = {"red", "green", "blue", "yellow", "purple", "orange", "white"};

double Linear(uint32_t channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

struct Linear3 {
  double r = 0, g = 0, b = 0;
};

struct Lab {
  double l = 0, a = 0, b = 0;
};

Lab ToLab(const Linear3& c) {
  const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; };
  const double x = (0.4124 * c.r + 0.3576 * c.g + 0.1805 * c.b) / 0.95047;
  const double y = 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b;
  const double z = (0.0193 * c.r + 0.1192 * c.g + 0.9505 * c.b) / 1.08883;
  return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

// Full deuteranopia (the severity-1 matrix of the physiological model, on linear light).
Linear3 Deuteranope(const Linear3& c) {
  const auto clamp = [](double v) { return std::clamp(v, 0.0, 1.0); };
  return {clamp(0.367322 * c.r + 0.860646 * c.g - 0.227968 * c.b),
          clamp(0.280085 * c.r + 0.672501 * c.g + 0.047413 * c.b),
          clamp(-0.011820 * c.r + 0.042940 * c.g + 0.968881 * c.b)};
}

double Distance(const Lab& p, const Lab& q) {
  return std::sqrt((p.l - q.l) * (p.l - q.l) + (p.a - q.a) * (p.a - q.a) + (p.b - q.b) * (p.b - q.b));
}

// What the eye takes from a region: the median lightness of its opaque pixels, and their mean
// colour in linear light.
struct Body {
  double lightness = 0;
  Linear3 mean;
  int pixels = 0;
};

Body Measure(const platform::Pixmap& p, int x0, int y0, int w, int h) {
  Body body;
  std::vector<double> lightness;
  for (int y = y0; y < y0 + h; ++y) {
    for (int x = x0; x < x0 + w; ++x) {
      const uint32_t px = p.ReadPixel(x, y);
      if ((px >> 24) < 250) continue;
      const Linear3 c{Linear((px >> 16) & 0xFF), Linear((px >> 8) & 0xFF), Linear(px & 0xFF)};
      lightness.push_back(ToLab(c).l);
      body.mean.r += c.r;
      body.mean.g += c.g;
      body.mean.b += c.b;
    }
  }
  body.pixels = static_cast<int>(lightness.size());
  if (lightness.empty()) return body;
  std::nth_element(lightness.begin(), lightness.begin() + lightness.size() / 2, lightness.end());
  body.lightness = lightness[lightness.size() / 2];
  body.mean.r /= body.pixels;
  body.mean.g /= body.pixels;
  body.mean.b /= body.pixels;
  return body;
}

class GemColours : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testrig::HaveResources()) GTEST_SKIP() << "data folder not generated (LV_BUILD_ASSETS off)";
    const std::string dir = testrig::ResourcesDir() + "Data/graphics/";
    gems = platform::LoadPixmap(platform::FromUtf8(dir + "gems.png"));
    brick = platform::LoadPixmap(platform::FromUtf8(dir + "brick.png"));
    chains = platform::LoadPixmap(platform::FromUtf8(dir + "chainstrip.png"));
    padlock = platform::LoadPixmap(platform::FromUtf8(dir + "lock.png"));
    ASSERT_TRUE(gems && brick && chains && padlock);
    for (int g = 0; g < kGems; ++g) {
      bodies[g] = Measure(*gems, g * kCell, 0, kCell, kCell);
      ASSERT_GT(bodies[g].pixels, 400) << kNames[g];
    }
  }
  platform::PixmapPtr gems, brick, chains, padlock;
  std::array<Body, kGems> bodies;
};

TEST_F(GemColours, EveryGemHasALightnessOfItsOwnInGrey) {
  for (int i = 0; i < kGems; ++i) {
    for (int j = i + 1; j < kGems; ++j) {
      EXPECT_GE(std::abs(bodies[i].lightness - bodies[j].lightness), 6.0)
          << kNames[i] << " L* " << bodies[i].lightness << ", " << kNames[j] << " L* " << bodies[j].lightness;
    }
  }
}

TEST_F(GemColours, NoGemTakesTheBricksColourForADeuteranope) {
  const Body floor = Measure(*brick, 0, 0, brick->Width(), brick->Height());
  ASSERT_GT(floor.pixels, 0);
  const Lab seenFloor = ToLab(Deuteranope(floor.mean));
  for (int g = 0; g < kGems; ++g) {
    EXPECT_GE(Distance(ToLab(Deuteranope(bodies[g].mean)), seenFloor), 20.0) << kNames[g];
  }
}

// The chains (one frame per gem colour) and the padlock are drawn over the gem: more than a
// third of the gem's body stays clear of both.
TEST_F(GemColours, ALockedGemShowsItsColourAroundItsChains) {
  for (int g = 0; g < kGems; ++g) {
    int body = 0, clear = 0;
    for (int y = 0; y < kCell; ++y) {
      for (int x = 0; x < kCell; ++x) {
        if ((gems->ReadPixel(g * kCell + x, y) >> 24) < 250) continue;
        ++body;
        if ((chains->ReadPixel(g * kCell + x, y) >> 24) < 64 && (padlock->ReadPixel(x, y) >> 24) < 64) ++clear;
      }
    }
    ASSERT_GT(body, 0) << kNames[g];
    EXPECT_GE(static_cast<double>(clear) / body, 0.38) << kNames[g];
  }
}

}  // namespace
