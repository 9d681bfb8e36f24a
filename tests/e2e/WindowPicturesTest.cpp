// Pictures in a real window's renderer (software GL under Xvfb): once a frame is a texture its
// pixels are let go, it draws the same from the texture alone, and what reads the pixels gets
// them back exactly.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "GameWindow.h"
#include "platform/Graphics.h"
#include "platform/Image.h"
#include "support/TestRig.h"

namespace {

using namespace platform;

class WindowPicturesTest : public e2e::GameWindowTest {};

// "" when every check holds, else the first that failed.
std::string CheckPictures(const std::string& display) {
  setenv("DISPLAY", display.c_str(), 1);
  unsetenv("SDL_VIDEODRIVER");
  unsetenv("SDL_RENDER_DRIVER");
  const String path = S(testrig::ResourcesDir() + "Data/graphics/gems.png");
  const ImagePtr want = LoadAnimImage(path, 50, 50, 0, 14);  // no window yet: pixels kept
  setenv("LV_DRAW", "gl", 1);  // textures, as on graphics hardware
  if (!want || !Graphics(800, 600, 0)) return "no pictures or no window";
  const ImagePtr gems = LoadAnimImage(path, 50, 50, 0, 14);
  for (int f = 0; f < 14; ++f)
    if (!gems || gems->frames[f] || !want->frames[f]) return "frame " + std::to_string(f) + " kept";
  // Drawn solid and masked onto black, from the textures alone; then read back.
  const auto same = [&](const Pixmap& seen, int f, bool masked, bool drawn) {
    for (int i = 0; i < 50 * 50; ++i) {
      const uint32_t p = want->frames[f]->Pixels()[i];
      if (seen.Pixels()[i] != (!drawn ? p : (masked && (p >> 24) < 128) ? 0xFF000000u : (p | 0xFF000000u)))
        return false;
    }
    return true;
  };
  Cls();
  SetBlend(SOLIDBLEND);
  DrawImage(gems, 100, 100, 3);
  SetBlend(MASKBLEND);
  DrawImage(gems, 300, 100, 5);
  if (!same(*GrabPixmap(100, 100, 50, 50), 3, false, true)) return "frame 3 drawn wrong";
  if (!same(*GrabPixmap(300, 100, 50, 50), 5, true, true)) return "frame 5 masked wrong";
  for (int f : {0, 7, 13}) {
    const PixmapPtr back = LockImage(gems, f);
    if (!back || !same(*back, f, false, false)) return "frame " + std::to_string(f) + " read back wrong";
    UnlockImage(gems, f);
  }
  SetBlend(SOLIDBLEND);
  DrawImage(gems, 100, 100, 7);  // re-made from the pixels read back, which now stay
  if (!gems->frames[7] || !same(*GrabPixmap(100, 100, 50, 50), 7, false, true)) return "frame 7 after";
  return "";
}

}  // namespace

TEST_F(WindowPicturesTest, PixelsLetGoAsTexturesComeBackExactlyWhenRead) {
  // The window lives in a child that ends at once, never torn down against the server this
  // fixture stops.
  GTEST_FLAG_SET(death_test_style, "fast");
  EXPECT_EXIT(
      {
        const std::string failure = CheckPictures(displayName);
        std::fprintf(stderr, "%s\n", failure.empty() ? "all held" : failure.c_str());
        std::fflush(stderr);
        _exit(failure.empty() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "all held");
}
