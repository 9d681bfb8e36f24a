// Display size choice, the virtual-resolution mouse ratio, the full-screen fall-back and the
// pause picture.
#include <filesystem>

#include "CoreFixture.h"
#include "gfx/TColor.h"
#include "gfx/TGameImage.h"

using namespace coretest;

namespace {

using DisplayTest = CoreTest;

struct SizeCase {
  int desktopHeight;
  int fullScreen;
  int ok, width, height;
};

TEST_F(DisplayTest, SizeChoiceByDesktopHeight) {
  const SizeCase cases[] = {
      {768, 0, 1, 800, 600},  // limit 698
      {670, 0, 1, 800, 600},  // limit 600: fits exactly
      {669, 0, 1, 640, 480},
      {600, 0, 1, 640, 480},  // limit 530
      {550, 0, 1, 640, 480},  // limit 480
      {549, 0, 0, 0, 0},
      {600, 1, 1, 800, 600},
      {599, 1, 1, 640, 480},
      {480, 1, 1, 640, 480},
      {479, 1, 0, 0, 0},
  };
  for (const SizeCase& c : cases) {
    int w = 0;
    int h = 0;
    const int ok = TGame::ChooseDisplaySize(c.desktopHeight, c.fullScreen, 800, 600, w, h);
    EXPECT_EQ(ok, c.ok) << c.desktopHeight << (c.fullScreen ? " full" : " window");
    if (ok) {
      EXPECT_EQ(w, c.width) << c.desktopHeight;
      EXPECT_EQ(h, c.height) << c.desktopHeight;
    }
  }
}

TEST_F(DisplayTest, SmallDisplayScalesMousePositionsToTheLogicalScreen) {
  Game->WindowWidth = 640;
  Game->WindowHeight = 480;
  Game->DoSetVirtualResolution();
  EXPECT_EQ(Game->UsingVirtualResolution, 1);
  EXPECT_FLOAT_EQ(Game->VirtualRatioX, 1.25f);
  EXPECT_FLOAT_EQ(Game->VirtualRatioY, 1.25f);
  Post(platform::EVENT_MOUSEMOVE, 0, 320, 240);
  Game->DoPeekEvent();
  EXPECT_EQ(Game->Mouse->x, 400);
  EXPECT_EQ(Game->Mouse->y, 300);
  Post(platform::EVENT_MOUSEMOVE, 0, 1, 3);  // 1.25 and 3.75
  Game->DoPeekEvent();
  EXPECT_EQ(Game->Mouse->x, 1);
  EXPECT_EQ(Game->Mouse->y, 4);

  Game->WindowWidth = 800;
  Game->WindowHeight = 600;
  Game->DoSetVirtualResolution();
  EXPECT_EQ(Game->UsingVirtualResolution, 0);
  Post(platform::EVENT_MOUSEMOVE, 0, 320, 240);
  Game->DoPeekEvent();
  EXPECT_EQ(Game->Mouse->x, 320);
}

TEST_F(DisplayTest, WindowCoordinatesFlipTheVerticalAxis) {
  EXPECT_EQ(ccFixMacWindowY(100, 768, 600), 68);
  EXPECT_EQ(ccFixMacWindowY(ccFixMacWindowY(100, 768, 600), 768, 600), 100);
}

TEST_F(DisplayTest, RoundFloatHalvesAwayFromZero) {
  EXPECT_FLOAT_EQ(ccRoundFloat(1.25f, 1), 1.3f);
  EXPECT_FLOAT_EQ(ccRoundFloat(-1.25f, 1), -1.3f);
  EXPECT_FLOAT_EQ(ccRoundFloat(2.5f, 0), 3.0f);
  EXPECT_FLOAT_EQ(ccRoundFloat(-2.5f, 0), -3.0f);
}

TEST_F(DisplayTest, OpeningAWindowSetsTheDisplayFields) {
  Game->FullScreen = 0;
  Game->GraphicsCreate(0);
  EXPECT_TRUE(platform::GraphicsOpen());
  EXPECT_EQ(Game->Driver, 1);
  EXPECT_EQ(Game->FirstTime, 0);
  EXPECT_EQ(Game->DesktopRefreshRate, 60);
  EXPECT_EQ(Game->Depth, 0);
  EXPECT_EQ(Game->GameRefreshRate, -1);
  ASSERT_TRUE(Game->ClsColor);
  EXPECT_EQ(Game->ClsColor->R, 0);
  EXPECT_EQ(ccPolledInputState, 0);
  // The display set-up saves the settings without the change marker.
  EXPECT_NE(testrig::ReadFileBytes(U8(Game->Ini.FileName) + ".ini").find("DRIVER=1\r\n"),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(userDir + "/inichanged.dat"));
}

TEST_F(DisplayTest, FullScreenThatWillNotOpenFallsBackToAWindowForGood) {
  std::vector<int> depthsTried;
  SetDisplayOpenHook([&](int w, int h, int depth, int hz) {
    if (depth != 0) {
      depthsTried.push_back(depth);
      return false;
    }
    return platform::Graphics(w, h, depth, hz);
  });
  Game->FullScreen = 1;
  Game->GraphicsCreate(0);
  EXPECT_EQ(depthsTried, (std::vector<int>{32, 24, 16}));
  EXPECT_EQ(Game->FullScreen, 0);
  EXPECT_EQ(Game->ForceWindowedMode, 1);
  EXPECT_TRUE(platform::GraphicsOpen());
  Game->ToggleFullScreen();
  EXPECT_EQ(Game->FullScreen, 0);
  EXPECT_EQ(depthsTried.size(), 3u);
}

TEST_F(DisplayTest, FullScreenToggleRewritesTheSettingsWithTheMarker) {
  OpenDisplay();
  Game->ToggleFullScreen();
  EXPECT_EQ(Game->FullScreen, 1);
  EXPECT_EQ(Game->Depth, 32);
  EXPECT_NE(testrig::ReadFileBytes(U8(Game->Ini.FileName) + ".ini").find("FULL SCREEN=1\r\n"),
            std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(userDir + "/inichanged.dat"));
}

TEST_F(DisplayTest, SetDriverWithTheCurrentDriverDoesNothing) {
  OpenDisplay();
  EXPECT_EQ(Game->SetDriver(1), 0);
  EXPECT_TRUE(platform::GraphicsOpen());
  EXPECT_EQ(Game->SetDriver(0), 1);
  EXPECT_EQ(Game->Driver, 1);  // the only driver of this platform
  EXPECT_TRUE(platform::GraphicsOpen());
}

TEST_F(DisplayTest, RestoreMouseCoordsClampsInFullScreen) {
  Game->FullScreen = 1;
  Game->Mouse->x = 900;
  Game->Mouse->y = -4;
  Game->RestoreMouseCoords();
  EXPECT_EQ(Game->Mouse->x, 799);
  EXPECT_EQ(Game->Mouse->y, 0);
}

TEST_F(DisplayTest, FrameDrawsScreenThenPointerAndPresents) {
  OpenDisplay();
  auto screen = StartScreen();
  Game->NoDraw = 1;
  Game->ScreenDraw();
  EXPECT_EQ(screen->draws, 0);
  EXPECT_EQ(Game->NoDraw, 0);
  Game->ScreenDraw();
  EXPECT_EQ(screen->draws, 1);
}

}  // namespace

namespace {

class DrawnFrameTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    OpenDisplay();
    Game->FullScreen = 1;  // the pointer keeps its own position (no system cursor read)
    platform::SetBlend(platform::SOLIDBLEND);
    platform::SetColor(255, 255, 255);
    platform::DrawRect(0, 0, 800, 600);
  }
  static platform::ImagePtr Filled(uint32_t argb) {
    auto image = platform::LoadImageFromPixmap(std::make_shared<platform::Pixmap>(4, 4, argb), 0);
    platform::SetImageHandle(image, 0, 0);
    return image;
  }
  uint32_t Pixel(int x, int y) { return platform::GrabPixmap(x, y, 1, 1)->ReadPixel(0, 0); }
};

TEST_F(DrawnFrameTest, PointerPictureOnlyWithTheCustomPointerButTheAttachedPictureAlways) {
  TMousePointer& m = *Game->Mouse;
  m.Image = Filled(0xFFFF0000u);
  m.Image2 = Filled(0xFF00FF00u);
  m.Image2xoff = 10;
  m.x = 100;
  m.y = 100;
  Game->CustomMousePointer = 0;
  m.Draw();
  EXPECT_PIXEL_NEAR(Pixel(101, 101), 0xFFFFFFFFu);
  EXPECT_PIXEL_NEAR(Pixel(111, 101), 0xFF00FF00u);
  Game->CustomMousePointer = 1;
  m.Draw();
  EXPECT_PIXEL_NEAR(Pixel(101, 101), 0xFFFF0000u);
  m.Off();
  m.x = 200;
  m.Draw();
  EXPECT_PIXEL_NEAR(Pixel(201, 101), 0xFFFFFFFFu);
}

TEST_F(DrawnFrameTest, PausePictureOverAHalfDimmedScreen) {
  auto picture = TGameImage::CreateFromImage(Filled(0xFF0000FFu), u"PAUSED", 1);
  Game->SpritePausedCreate(picture);
  Game->ShowPaused();  // not paused: nothing
  EXPECT_PIXEL_NEAR(Pixel(10, 10), 0xFFFFFFFFu);
  Game->Paused = 1;
  Game->ShowPaused();
  EXPECT_PIXEL_NEAR(Pixel(10, 10), 0xFF808080u);
  EXPECT_PIXEL_NEAR(Pixel(400, 300), 0xFF0000FFu);
}

TEST_F(DrawnFrameTest, PausedFramesRedrawOnlyThePointerOverTheFirstPausedFrame) {
  auto screen = StartScreen();
  Game->SpritePausedCreate(TGameImage::CreateFromImage(Filled(0xFF0000FFu), u"PAUSED", 1));
  TMousePointer& m = *Game->Mouse;
  m.Image = Filled(0xFFFF0000u);
  Game->CustomMousePointer = 1;
  m.x = 100;
  m.y = 100;
  Game->Paused = 1;
  Game->ScreenDraw();
  EXPECT_EQ(screen->draws, 1);
  for (int x = 200; x <= 300; x += 100) {
    m.x = x;
    Game->ScreenDraw();
    EXPECT_EQ(screen->draws, 1);
    EXPECT_PIXEL_NEAR(Pixel(101, 101), 0xFF808080u);  // the pointer's old place: the dimmed screen
    EXPECT_PIXEL_NEAR(Pixel(x + 1, 101), 0xFFFF0000u);
    EXPECT_PIXEL_NEAR(Pixel(400, 300), 0xFF0000FFu);
  }
  Game->Paused = 0;
  Game->ScreenDraw();
  EXPECT_EQ(screen->draws, 2);
  Game->Paused = 1;
  Game->ScreenDraw();  // a new pause keeps a new frame
  EXPECT_EQ(screen->draws, 3);
}

TEST_F(DrawnFrameTest, PauseOverlayLiesAboveARunningFade) {
  auto screen = StartScreen();
  Game->SpritePausedCreate(TGameImage::CreateFromImage(Filled(0xFF0000FFu), u"PAUSED", 1));
  Game->Mouse->Off();
  Game->GameFade->Init(500.0f, 1, nullptr, 1, 50, nullptr);  // half way: alpha 0.5 of black
  Game->Paused = 1;
  Game->ScreenDraw();
  // The screen draws nothing itself; fade (0.5 black) then the dimming (0.5 black) over white.
  EXPECT_PIXEL_NEAR(Pixel(10, 10), 0xFF404040u);
  EXPECT_PIXEL_NEAR(Pixel(400, 300), 0xFF0000FFu);  // the picture is not under the fade
}

}  // namespace
