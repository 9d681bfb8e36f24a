// The scroll bar: value and slider kept in step by the arrows and the drag, the ends, the
// glow, and the bars whose range or maximum leaves nothing to divide.
#include "UiFixture.h"
#include "gfx/TGameImage.h"
#include "ui/TButton.h"
#include "ui/TMenu.h"
#include "ui/TScrollBar.h"

namespace uitest {
namespace {

class ScrollBarTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Sound("buttonMO");
    Sound("buttonclick");
    for (const char* arrow : {"up", "down"}) {
      for (const char* suffix : {"", "MO", "_disabled"}) {
        Picture("menus", std::string(arrow) + suffix, 16, 10, kBlue);
      }
    }
    Picture("menus", "left", 16, 10, kBlue);
    Picture("menus", "leftMO", 16, 10, kBlue);
    Picture("menus", "right", 16, 10, kBlue);
    Picture("menus", "rightMO", 16, 10, kBlue);
    Picture("images", "slider", 20, 40, kRed);
    slider = TGameImage::Create(Game->ImagePath + u"slider.png", 0, 0);
  }
  // A bar of 200 px at (100, 100): range 160.
  TScrollBarPtr Bar(double max, int withArrows = 1) {
    TScrollBarPtr bar = TScrollBar::Create(slider, 200, max, 100, 100, 1);
    if (withArrows) bar->SetArrows(u"up", u"down", 100);
    return bar;
  }
  // One tick with the pointer at (x, y), the button held or not.
  void TickAt(TScrollBar& bar, int x, int y, bool held) {
    NewTick();
    PointerAt(x, y);
    if (held && Game->Mouse->b1 == 0) Press();
    if (!held) Release();
    bar.Manage();
  }
  void ClickArrow(TScrollBar& bar, const String& name) {
    const TButtonPtr arrow = bar.Menu->FindButton(name);
    TickAt(bar, static_cast<int>(arrow->x) + 8, static_cast<int>(arrow->y) + 5, true);
    TickAt(bar, static_cast<int>(arrow->x) + 8, static_cast<int>(arrow->y) + 5, false);
  }
  int Disabled(TScrollBar& bar, const String& name) { return bar.Menu->FindButton(name)->Disabled; }

  TGameImagePtr slider;
};

TEST_F(ScrollBarTest, ArrowsSitAgainstTheTrackAndStepToExactEnds) {
  TScrollBarPtr bar = Bar(2.0);
  bar->ValueStep = 0.4;
  const TButtonPtr up = bar->Menu->FindButton(u"up");
  const TButtonPtr down = bar->Menu->FindButton(u"down");
  EXPECT_EQ(up->x, 102);
  EXPECT_EQ(up->y, 90);
  EXPECT_EQ(down->y, 300);
  EXPECT_EQ(Disabled(*bar, u"up"), 1);
  EXPECT_EQ(Disabled(*bar, u"down"), 0);
  struct Step { const char16_t* arrow; double precise; int value; int position; int upOff; int downOff; };
  const Step steps[] = {
      {u"down", 0.4, 0, 32, 0, 0},   {u"down", 0.8, 1, 64, 0, 0},   {u"down", 1.2, 1, 96, 0, 0},
      {u"down", 1.6, 2, 128, 0, 0},  {u"down", 2.0, 2, 160, 0, 1},  {u"down", 2.0, 2, 160, 0, 1},
      {u"up", 1.6, 2, 128, 0, 0},    {u"up", 1.2, 1, 96, 0, 0},     {u"up", 0.8, 1, 64, 0, 0},
      {u"up", 0.4, 0, 32, 0, 0},     {u"up", 0.0, 0, 0, 1, 0},      {u"up", 0.0, 0, 0, 1, 0},
  };
  for (const Step& s : steps) {
    ClickArrow(*bar, s.arrow);
    EXPECT_NEAR(bar->ValuePrecise, s.precise, 1e-12);
    EXPECT_EQ(bar->Value, s.value);
    EXPECT_EQ(bar->SliderPosition, s.position);
    EXPECT_EQ(Disabled(*bar, u"up"), s.upOff);
    EXPECT_EQ(Disabled(*bar, u"down"), s.downOff);
  }
  // The ends are reached exactly, not within a rounding residue.
  EXPECT_EQ(bar->ValuePrecise, 0.0);

  // Arrows without disabled pictures are never disabled.
  TScrollBarPtr plain = TScrollBar::Create(slider, 200, 2.0, 100, 100, 0);
  plain->SetArrows(u"left", u"right", 100);
  EXPECT_EQ(plain->Menu->FindButton(u"left")->Disabled, 0);
  EXPECT_EQ(plain->Menu->FindButton(u"left")->x, 84);
  EXPECT_EQ(plain->Menu->FindButton(u"right")->x, 300);
  EXPECT_EQ(plain->Menu->FindButton(u"right")->y, 115);
}

TEST_F(ScrollBarTest, DragGrabsWithoutMovingThenFollowsPinsAndLetsGo) {
  TScrollBarPtr bar = Bar(2.0);
  // A press beside the slider does nothing; sliding onto it grabs it, keeping the offset.
  TickAt(*bar, 110, 250, true);
  EXPECT_EQ(bar->SliderSelected, 0);
  TickAt(*bar, 110, 112, true);
  EXPECT_EQ(bar->SliderSelected, 1);
  EXPECT_EQ(bar->SliderOffset, 12);
  EXPECT_EQ(bar->SliderPosition, 0);
  struct Move { int y; int position; double value; };
  for (const Move m : {Move{152, 40, 0.5}, Move{500, 160, 2.0}, Move{-50, 0, 0.0},
                       Move{232, 120, 1.5}}) {
    TickAt(*bar, 400, m.y, true);  // off the bar sideways: the drag holds
    EXPECT_EQ(bar->SliderPosition, m.position) << m.y;
    EXPECT_DOUBLE_EQ(bar->ValuePrecise, m.value) << m.y;
    EXPECT_FLOAT_EQ(bar->SliderGlow, 0.5f);
  }
  EXPECT_EQ(bar->Value, 2);  // 1.5 rounds half up
  TickAt(*bar, 110, 150, false);
  EXPECT_EQ(bar->SliderSelected, 0);
  EXPECT_EQ(bar->SliderPosition, 120);
  // The glow falls to nothing in exactly 25 ticks.
  int ticks = 0;
  while (bar->SliderGlow > 0 && ticks < 100) {
    TickAt(*bar, 400, 400, false);
    ++ticks;
  }
  EXPECT_EQ(ticks, 25);  // the release tick itself still glows fully
  EXPECT_EQ(bar->SliderPosition, 120);
  // Hovering glows only with FixedGlowOnMO.
  TickAt(*bar, 110, 225, false);
  EXPECT_EQ(bar->SliderGlow, 0.0f);
  bar->FixedGlowOnMO = 1;
  TickAt(*bar, 110, 225, false);
  EXPECT_FLOAT_EQ(bar->SliderGlow, 0.5f);
}

TEST_F(ScrollBarTest, NoMaximumOrNoRangeGivesValueZeroWithoutDividing) {
  EXPECT_EQ(Bar(-3.0)->ValueMax, 0.0);
  TScrollBarPtr zero = Bar(0.0);
  EXPECT_EQ(Disabled(*zero, u"up"), 1);
  EXPECT_EQ(Disabled(*zero, u"down"), 1);
  TickAt(*zero, 110, 110, true);
  TickAt(*zero, 110, 170, true);
  EXPECT_EQ(zero->SliderPosition, 60);  // the slider still moves
  EXPECT_EQ(zero->ValuePrecise, 0.0);
  EXPECT_EQ(zero->Value, 0);
  ClickArrow(*zero, u"down");
  EXPECT_EQ(zero->ValuePrecise, 0.0);

  // A track no longer than its slider: value and position stay 0.
  for (int size : {40, 30, 0}) {
    TScrollBarPtr bar = TScrollBar::Create(slider, size, 5.0, 100, 100, 1);
    bar->SliderSetPosition(3.0);
    EXPECT_EQ(bar->SliderPosition, 0);
    TickAt(*bar, 110, 110, true);
    TickAt(*bar, 110, 130, true);
    EXPECT_EQ(bar->SliderPosition, 0) << size;
    EXPECT_EQ(bar->ValuePrecise, 0.0) << size;
    TickAt(*bar, 110, 130, false);
  }
}

TEST_F(ScrollBarTest, AHeldArrowRepeatsAfter400MsThenEvery100) {
  TScrollBarPtr bar = Bar(100.0);
  bar->ValueStep = 1.0;
  const TButtonPtr down = bar->Menu->FindButton(u"down");
  for (int tick = 0; tick <= 120; ++tick) TickAt(*bar, 108, 305, true);
  EXPECT_EQ(bar->ValuePrecise, 4.0);  // the press, then ticks 80, 100 and 120
  EXPECT_EQ(down->y, 300);
}

TEST_F(ScrollBarTest, ScaleMovesTheDrawnSliderButNotItsHitBox) {
  OpenDisplay();
  TScrollBarPtr bar = Bar(2.0, 0);
  bar->SliderPosition = 40;
  bar->Scale = 2.0f;
  bar->Draw();
  EXPECT_EQ(PixelAt(105, 185), kRed);   // drawn at 100 + 40 x 2, twice the size
  EXPECT_EQ(PixelAt(135, 255), kRed);
  EXPECT_EQ(PixelAt(105, 145), kBlack);  // where the unscaled slider would be
  EXPECT_TRUE(bar->PointerOnSlider(110, 145));
  EXPECT_FALSE(bar->PointerOnSlider(110, 185));
  EXPECT_FALSE(bar->PointerOnSlider(120, 145));  // half-open
  // The glow pass adds light over the slider only.
  bar->SliderGlow = 0.5f;
  bar->Scale = 1.0f;
  bar->Draw();
  EXPECT_EQ(PixelAt(110, 150), kRed);
  bar->Kill();
  EXPECT_FALSE(bar->Slider);
  bar->Draw();  // nothing left to draw
}

}  // namespace
}  // namespace uitest
