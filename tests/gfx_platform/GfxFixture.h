#pragma once
// Shared set-up for the drawing tests: the headless display (dummy video driver, software
// renderer) opened once per process, the drawing state reset before every test, and small
// picture helpers.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "support/FrameworkState.h"
#include "support/TestRig.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "platform/Image.h"

namespace gfxtest {

using testrig::ResetDrawingState;

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!platform::GraphicsOpen()) {
      ASSERT_TRUE(platform::Graphics(800, 600, 0));
    }
    ResetDrawingState();
    platform::SetClsColor(0, 0, 0);
    platform::Cls();
  }
  void TearDown() override { ResetDrawingState(); }

  // The whole logical screen as it stands now.
  static platform::PixmapPtr Frame() { return platform::GrabPixmap(0, 0, 800, 600); }
  static uint32_t Pixel(int x, int y) { return platform::GrabPixmap(x, y, 1, 1)->ReadPixel(0, 0); }
};

// One frame filled with a single ARGB colour, no flags (unfiltered, unmasked).
inline platform::ImagePtr SolidImage(int w, int h, uint32_t argb) {
  platform::ImagePtr image = platform::CreateImage(w, h, 1, 0);
  platform::Pixmap& p = *image->frames[0];
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.WritePixel(x, y, argb);
  return image;
}

// Runs `body` in a freshly started copy of this test program (nothing opened, no state from
// earlier tests) and expects it to return true.
inline void ExpectInFreshProcess(const std::function<bool()>& body) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        const bool ok = body();
        std::error_code ec;
        std::filesystem::remove_all(testrig::TempHome(), ec);
        std::_Exit(ok ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace gfxtest
