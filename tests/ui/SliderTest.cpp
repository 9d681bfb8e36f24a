// The slider: knob placement, the value read from the pointer, the active area, and the
// one-tick answer its owner polls.
#include "UiFixture.h"
#include "platform/Clock.h"
#include "ui/TSlider.h"

namespace uitest {
namespace {

class SliderTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Picture("images", "track", 240, 20, kGrey);
    Picture("images", "knob", 20, 20, kRed);
    slider = TSlider::CreateSpecial(u"track", u"knob", 100, 200, 20, u"Music", 5);
  }
  // Holds the button at (x, y) for one tick and answers what Manage said.
  int HoldAt(int x, int y) {
    NewTick();
    PointerAt(x, y);
    Press();
    return slider->Manage();
  }
  TSliderPtr slider;
};

TEST_F(SliderTest, CreationPlacesTheKnobAndClampsValues) {
  EXPECT_EQ(slider->name, u"MUSIC");
  EXPECT_EQ(slider->Value, 50);
  EXPECT_EQ(slider->DotX, 210);
  EXPECT_EQ(slider->DotY, 200);
  EXPECT_EQ(slider->w, 240);
  struct Case { int set, value, dotX; };
  for (const Case c : {Case{0, 0, 110}, Case{100, 100, 310}, Case{-5, 0, 110}, Case{250, 100, 310},
                       Case{50, 50, 210}}) {
    slider->SetValue(c.set);
    EXPECT_EQ(slider->Value, c.value) << c.set;
    EXPECT_EQ(slider->DotX, c.dotX) << c.set;
  }
}

TEST_F(SliderTest, AHeldButtonSetsTheValueFromThePointer) {
  struct Case { int mx, my, answer, value; };
  const Case cases[] = {
      {130, 210, 1, 5},   {121, 210, 1, 1},  {120, 210, 1, 0},  {90, 210, 1, 0},
      {105, 210, 1, 0},   {320, 210, 1, 100}, {349, 210, 1, 100}, {220, 196, 1, 50},
      {220, 224, 1, 50},  {89, 210, 0, -1},  {350, 210, 0, -1}, {220, 194, 0, -1},
      {220, 225, 0, -1},
  };
  for (const Case& c : cases) {
    slider->SetValue(77);
    EXPECT_EQ(HoldAt(c.mx, c.my), c.answer) << c.mx << "," << c.my;
    EXPECT_EQ(slider->Value, c.value < 0 ? 77 : c.value) << c.mx << "," << c.my;
    EXPECT_EQ(slider->MouseOver, c.answer) << c.mx << "," << c.my;
  }
}

TEST_F(SliderTest, DragPathsAnswerOnlyOnTicksThatSetTheValue) {
  // A press that starts outside and slides in sets the value; leaving keeps it.
  EXPECT_EQ(HoldAt(50, 210), 0);
  EXPECT_EQ(slider->Value, 50);
  EXPECT_EQ(HoldAt(140, 210), 1);
  EXPECT_EQ(slider->Value, 10);
  EXPECT_EQ(HoldAt(400, 210), 0);
  EXPECT_EQ(slider->Value, 10);
  // Hovering without a button only marks the hover.
  Release();
  NewTick();
  PointerAt(200, 210);
  EXPECT_EQ(slider->Manage(), 0);
  EXPECT_EQ(slider->MouseOver, 1);
  EXPECT_EQ(slider->Value, 10);
  // A random drag: every answer of 1 leaves the knob on the value, the value in range.
  platform::SeedRnd(7);
  for (int i = 0; i < 500; ++i) {
    const int mx = platform::Rand(0, 450), my = platform::Rand(180, 240);
    const int answer = HoldAt(mx, my);
    const bool inside = mx >= 90 && mx < 350 && my >= 195 && my < 225;
    ASSERT_EQ(answer, inside ? 1 : 0) << mx << "," << my;
    ASSERT_GE(slider->Value, 0);
    ASSERT_LE(slider->Value, 100);
    ASSERT_EQ(slider->DotX, 110 + slider->Value * 2);
  }
}

TEST_F(SliderTest, AnInactiveSliderIsNeitherManagedNorDrawn) {
  OpenDisplay();
  slider->Draw();
  EXPECT_PIXEL_NEAR(PixelAt(215, 205), kRed);
  EXPECT_PIXEL_NEAR(PixelAt(120, 205), kGrey);
  platform::Cls();
  slider->active = 0;
  EXPECT_EQ(HoldAt(150, 210), 0);
  EXPECT_EQ(slider->Value, 50);
  slider->Draw();
  EXPECT_PIXEL_NEAR(PixelAt(215, 205), kBlack);
}

}  // namespace
}  // namespace uitest
