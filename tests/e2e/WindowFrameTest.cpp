// The runtime's display in a real window (Xvfb): the next frame still finds the frame last
// presented, as Flip promises: a frame that draws only a part, and a read-back before anything
// is drawn, both see it; and a frame kept at rest comes back whole.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "GameWindow.h"
#include "platform/Graphics.h"
#include "platform/Image.h"
#include "support/TestRig.h"

namespace {

using namespace e2e;

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;

// With SDL's GL renderer (as on graphics hardware; here drawn by the processor) and with the
// game's own raster shown through the window's surface, which a machine without graphics
// hardware gets.
class WindowFrameTest : public GameWindowTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    GameWindowTest::SetUp();
    if (IsSkipped()) return;
    // This process draws into the test's own X server.
    setenv("DISPLAY", displayName.c_str(), 1);
    unsetenv("SDL_VIDEODRIVER");
    unsetenv("SDL_RENDER_DRIVER");
    setenv("LV_DRAW", GetParam() ? "gl" : "raster", 1);
    ASSERT_TRUE(platform::Graphics(800, 600, 0));
    background = platform::LoadImageFromPixmap(std::make_shared<platform::Pixmap>(800, 600, kRed), 0);
  }
  void TearDown() override {
    platform::EndGraphics();
    GameWindowTest::TearDown();
  }
  // A solid picture over the whole screen, a blue box on it; presented as a frame.
  void Covering() {
    platform::SetBlend(platform::SOLIDBLEND);
    platform::DrawImage(background, 0, 0);
    platform::SetBlend(platform::ALPHABLEND);
    Box(10, 10, 0, 0, 255);
  }
  void CoveringFrame() {
    Covering();
    platform::Flip(0);
  }
  static void Box(float x, float y, int r, int g, int b) {
    platform::SetColor(r, g, b);
    platform::DrawRect(x, y, 20, 20);
    platform::SetColor(255, 255, 255);
  }
  static uint32_t At(const platform::PixmapPtr& shot, int x, int y) { return shot->ReadPixel(x, y); }
  platform::ImagePtr background;
};

TEST_P(WindowFrameTest, TheFrameLastPresentedIsKeptWhereverItWasDrawn) {
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    CoveringFrame();
    CoveringFrame();
    // Read back before anything is drawn: the frame last presented.
    const platform::PixmapPtr before = platform::GrabPixmap(0, 0, 800, 600);
    EXPECT_PIXEL_NEAR(At(before, 15, 15), kBlue);
    EXPECT_PIXEL_NEAR(At(before, 400, 300), kRed);

    CoveringFrame();
    // A frame drawing a part only: the rest is the frame before.
    Box(100, 100, 0, 255, 0);
    platform::Flip(0);
    const platform::PixmapPtr after = platform::GrabPixmap(0, 0, 800, 600);
    EXPECT_PIXEL_NEAR(At(after, 15, 15), kBlue);
    EXPECT_PIXEL_NEAR(At(after, 105, 105), kGreen);
    EXPECT_PIXEL_NEAR(At(after, 400, 300), kRed);
    EXPECT_PIXEL_NEAR(At(after, 799, 599), kRed);

    // The screen at rest: a covering frame kept, then frames put back from it. (The read-back
    // above began a frame; the one after it starts afresh.)
    CoveringFrame();
    Covering();
    ASSERT_TRUE(platform::KeepFrame());
    Box(200, 200, 0, 255, 0);  // after the keep: not in it
    platform::Flip(0);
    for (int rest = 0; rest < 2; ++rest) {
      ASSERT_TRUE(platform::RestoreFrame());
      Box(300, 300, 0, 255, 0);
      platform::Flip(0);
      const platform::PixmapPtr kept = platform::GrabPixmap(0, 0, 800, 600);
      EXPECT_PIXEL_NEAR(At(kept, 15, 15), kBlue);
      EXPECT_PIXEL_NEAR(At(kept, 205, 205), kRed);
      EXPECT_PIXEL_NEAR(At(kept, 305, 305), kGreen);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Renderers, WindowFrameTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "GL" : "OwnRaster";
                         });

}  // namespace
