// The debug panel, its meters and the name/value list.
#include "CoreFixture.h"
#include "core/TDebugRecords.h"
#include "core/TDebugVar.h"
#include "core/TFPSCounter.h"

namespace {

using testrig::Post;

class DebugPanelTest : public coretest::CoreTest {
 protected:
  static uint32_t Pixel(int x, int y) { return platform::GrabPixmap(x, y, 1, 1)->ReadPixel(0, 0); }
  void White() {
    platform::SetClsColor(255, 255, 255);
    platform::Cls();
  }
  // Height of the dark backing panel in column x (from the top of the screen).
  int PanelHeight(int x) {
    auto column = platform::GrabPixmap(x, 0, 1, 600);
    int n = 0;
    for (int y = 0; y < 600; ++y) n += (column->ReadPixel(0, y) & 0xFF) < 200;
    return n;
  }
};

TEST_F(DebugPanelTest, PanelSizesAndPixels) {
  OpenDisplay();
  Game->DebugDisplayX = 5;
  Game->DebugDisplayY = 95;
  Game->DebugShadow = 0;
  Game->DebugImageFont = platform::CreateFixedFont(1, 1);  // glyphs that hardly touch the panel
  White();
  EXPECT_EQ(Game->DebugPrint(), 0);
  EXPECT_PIXEL_NEAR(Pixel(200, 200), 0xFFFFFFFFu);

  Game->Debug = 1;
  struct Case {
    int graphicPlacement, fpsOnly, height, result;
  };
  for (const Case& c : {Case{0, 0, 358, 0}, Case{1, 0, 382, 0}, Case{0, 1, 22, 1}}) {
    Game->GraphicPlacement = c.graphicPlacement;
    Game->DebugShowFPSOnly = c.fpsOnly;
    White();
    EXPECT_EQ(Game->DebugPrint(), c.result);
    EXPECT_EQ(PanelHeight(340), c.height);
    EXPECT_PIXEL_NEAR(Pixel(340, 95), 0xFF999999u);  // white under black at 0.4
    EXPECT_PIXEL_NEAR(Pixel(350, 95), 0xFFFFFFFFu);
    EXPECT_PIXEL_NEAR(Pixel(349, 95), 0xFF999999u);
    EXPECT_PIXEL_NEAR(Pixel(340, 89), 0xFFFFFFFFu);
  }
}

TEST_F(DebugPanelTest, LineTexts) {
  auto screen = StartScreen(u"title");
  Game->LogicTime->Label = u"Logic   ";  // as TGame::Init labels the meters
  Game->FPS->Label = u"FPS     ";
  Game->LogicTime->Current = 5;
  Game->LogicTime->maximum = 12;
  Game->Mouse->x = 123;
  Game->Mouse->y = 40;
  Game->storedX = 100;
  Game->storedY = 50;
  Game->Driver = 1;
  Game->Debug3 = 1.5f;
  const auto lines = Game->DebugLines();
  ASSERT_EQ(lines.size(), 29u);
  EXPECT_EQ(lines[0], u"Logic   005/012");
  EXPECT_EQ(lines[11], u"Gfx Drv OpenGL");
  EXPECT_EQ(lines[15], u"Win Mem 0MB Used/0MB Total = 0% Load");
  EXPECT_EQ(lines[16], u"M. Vol. 100 (on)");
  EXPECT_EQ(lines[19], u"Mouse X 123 (Diff = 23)");
  EXPECT_EQ(lines[20], u"Mouse Y 40 (Diff = -10)");
  EXPECT_EQ(lines[21], u"Screen  title");
  EXPECT_EQ(lines[26], u"Debug4  0");
  EXPECT_EQ(lines[25], u"Debug3  1.5");
  EXPECT_EQ(lines[27], u"Stored X 100");
  EXPECT_EQ(lines[14].substr(0, 8), u"GC Mem  ");
  Game->Driver = 0;
  Game->DirectXVersion = u"9.0c";
  Game->DriverDX9 = 1;
  Game->storedX = -1;
  Game->GraphicPlacement = 1;
  Game->gpX = 7;
  const auto more = Game->DebugLines();
  ASSERT_EQ(more.size(), 31u);
  EXPECT_EQ(more[11], u"Gfx Drv DirectX 9.0c (using DX9)");
  EXPECT_EQ(more[19], u"Mouse X 123");
  EXPECT_EQ(more[29], u"GP X    7");

  // Meters: a 1200 ms pass shows 1200/999; the frame rate waits for a whole window.
  platform::UseFakeClock(true, 5000);
  Game->LogicTime->Init();
  Game->LogicTime->Start();
  platform::AdvanceFakeClock(1200);
  Game->LogicTime->Calc();
  EXPECT_EQ(Game->LogicTime->GetDisplay(), u"Logic   1200/999");
  Game->FPS->Init();
  EXPECT_EQ(Game->FPS->GetDisplay(), u"FPS     000/999");
  for (int f = 0; f < 30; ++f) {
    platform::AdvanceFakeClock(33);
    Game->FPS->Calc();
  }
  EXPECT_EQ(Game->FPS->Current, 0);  // 990 ms: no window yet
  for (int f = 0; f < 2; ++f) {
    platform::AdvanceFakeClock(33);
    Game->FPS->Calc();
  }
  EXPECT_EQ(Game->FPS->GetDisplay(), u"FPS     031/031");
}

TEST_F(DebugPanelTest, DebugKeyAndValueList) {
  StartScreen();
  Game->IgnoreDebugKey = 0;
  Post(platform::EVENT_KEYDOWN, FRAMEWORK_DEBUG_KEY);
  Tick();
  EXPECT_EQ(Game->Debug, 1);
  EXPECT_EQ(Game->DebugShowFPSOnly, 0);
  Post(platform::EVENT_KEYDOWN, FRAMEWORK_DEBUG_KEY);
  Tick();
  EXPECT_EQ(Game->Debug, 0);
  Post(platform::EVENT_KEYDOWN, 160);  // Shift held
  Post(platform::EVENT_KEYDOWN, FRAMEWORK_DEBUG_KEY);
  Tick();
  EXPECT_EQ(Game->DebugShowFPSOnly, 1);
  Game->Debug = 0;
  Game->IgnoreDebugKey = 1;
  Post(platform::EVENT_KEYDOWN, FRAMEWORK_DEBUG_KEY);
  Tick();
  EXPECT_EQ(Game->Debug, 0);

  const std::string path = userDir + "/values.txt";
  testrig::WriteFileBytes(path, "a=1\r\nb=-2\r\n");
  auto list = TValueList::Create(S(path));
  ASSERT_EQ(list->size(), 2u);
  EXPECT_EQ(list->GetValueByName(u"b")->value, -2);
  EXPECT_EQ(list->GetValueByIndex(0)->name, u"a");
  EXPECT_FALSE(list->GetValueByIndex(5));
  EXPECT_FALSE(list->GetValueByName(u"B"));
  EXPECT_EQ(ccGetMemoryStatus()->dwLength, 32);
  EXPECT_EQ(ccGetWindowInfoHandle(1)->cbSize, 0);
}

}  // namespace
