// The tooltip: the hover delay, its sound, placement at the pointer and the screen's edges,
// fading, text that waits for the tip to hide, and drawing centred on its picture.
#include "UiFixture.h"
#include "core/TGameSound.h"
#include "gfx/TGameImage.h"
#include "text/TFont.h"
#include "text/TextTestSupport.h"
#include "ui/TToolTip.h"

namespace uitest {
namespace {

class ToolTipTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Picture("images", "tip", 100, 40, kGrey);
    Sound("tip");
    tip = std::make_shared<TToolTip>();
    tip->image = TGameImage::Create(Game->ImagePath + u"tip.png", 0, 0);
    tip->Font = TFont::Create(nullptr, TColor::Create(255, 255, 255), nullptr, 0,
                              texttest::PagedBitmapFont(), nullptr, u"tip");
    tip->ToolTipSound = TGameSound::Create(Game->SoundPath + u"tip.wav", 0);
    Game->Mouse->h = 20;
    PointerAt(300, 200);
  }
  // n ticks with the pointer on the target (hit 1) or off it.
  void Hover(int n, int hit = 1) {
    for (int i = 0; i < n; ++i) tip->Collide(hit);
  }
  std::shared_ptr<TToolTip> tip;
};

TEST_F(ToolTipTest, ShowsAfterTheDelayPlaysOnceAndFadesInAndOut) {
  Hover(50);
  EXPECT_EQ(tip->Visible, 0);
  EXPECT_EQ(channels->Count(u"TIP"), 0);
  Hover(1);
  EXPECT_EQ(tip->Visible, 1);
  EXPECT_EQ(channels->Count(u"TIP"), 1);
  EXPECT_NEAR(tip->FadeLevel, 0.02f, 1e-6);
  Hover(48);
  EXPECT_LT(tip->FadeLevel, 1.0f);
  Hover(1);
  EXPECT_NEAR(tip->FadeLevel, 1.0f, 1e-5);  // 50 ticks in
  Hover(100);
  EXPECT_EQ(channels->Count(u"TIP"), 1);  // once per showing, not per tick
  EXPECT_FLOAT_EQ(tip->FadeLevel, 1.0f);
  // Out over 25 ticks.
  Hover(24, 0);
  EXPECT_EQ(tip->Visible, 1);
  Hover(1, 0);
  EXPECT_EQ(tip->Visible, 0);
  EXPECT_EQ(tip->FadeLevel, 0.0f);

  // A fading tip hovered again counts the full delay, and while it fades it neither sounds
  // nor moves; once hidden, the next showing sounds again.
  Hover(100);
  const float x = tip->x, y = tip->y;
  Hover(10, 0);
  PointerAt(500, 300);
  Hover(10);
  EXPECT_EQ(tip->Visible, 1);
  EXPECT_NEAR(tip->FadeLevel, 0.2f, 1e-4);
  EXPECT_EQ(tip->x, x);
  EXPECT_EQ(tip->y, y);
  EXPECT_EQ(channels->Count(u"TIP"), 2);
  Hover(40);
  EXPECT_EQ(tip->Visible, 0);
  Hover(1);
  EXPECT_EQ(tip->Visible, 1);
  EXPECT_EQ(channels->Count(u"TIP"), 3);
  EXPECT_EQ(tip->x, 500);

  // Without fading it hides on the first tick off the target.
  tip->Fade = 0;
  Hover(1, 0);
  EXPECT_EQ(tip->Visible, 0);
  tip->SetCollideCounterMax(100);
  EXPECT_EQ(tip->CollideCounterMax, 20);
}

TEST_F(ToolTipTest, PlacedBesideThePointerAndKeptInsideTheScreen) {
  struct Case { int mx, my, above, once, x, y; };
  const Case cases[] = {
      {300, 200, 0, 1, 300, 225},  // below the pointer picture
      {300, 535, 0, 1, 300, 490},  // 535 + 20 + 5 + 40 = 600: above
      {300, 534, 0, 1, 300, 559},
      {300, 200, 1, 1, 300, 155},  // always above
      {700, 200, 0, 1, 700, 225},  // 700 + 100 = 800: flush with the right edge
      {699, 200, 0, 1, 699, 225},
      {750, 580, 0, 1, 700, 535},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.mx << "," << c.my);
    auto fresh = std::make_shared<TToolTip>(*tip);
    fresh->Visible = 0;
    fresh->AlwaysShowAboveMouse = c.above;
    fresh->SetCoordsOnceOnly = c.once;
    PointerAt(c.mx, c.my);
    fresh->Collide(1);
    EXPECT_EQ(fresh->x, c.x);
    EXPECT_EQ(fresh->y, c.y);
  }
  // Once only: it stays where it showed up; otherwise it follows the pointer.
  for (int once : {1, 0}) {
    auto t = std::make_shared<TToolTip>(*tip);
    t->SetCoordsOnceOnly = once;
    PointerAt(100, 100);
    for (int i = 0; i < 51; ++i) t->Collide(1);
    PointerAt(140, 120);
    t->Collide(1);
    EXPECT_EQ(t->x, once ? 100 : 140) << once;
    EXPECT_EQ(t->y, once ? 125 : 145) << once;
  }
  tip->XOffset = 7;
  PointerAt(100, 100);
  Hover(1);
  EXPECT_EQ(tip->x, 107);
}

TEST_F(ToolTipTest, TextWaitsForTheTipToHideAndWrapsToTheDrawnWidth) {
  EXPECT_EQ(tip->SetText(u"AB CD\r\nA"), 1);
  EXPECT_EQ(tip->TextWrapped, (StringArray{u"AB CD", u"A"}));
  tip->TextDrawWidth = 100;
  tip->FontScale = 2.0f;  // wraps at 50 px
  EXPECT_EQ(tip->SetText(u"AB CD\nA"), 1);
  EXPECT_EQ(tip->TextWrapped, (StringArray{u"AB", u"CD", u"A"}));
  EXPECT_EQ(tip->Font->BitmapFont->ScaleFactor, 1.0);
  Hover(51);
  EXPECT_EQ(tip->SetText(u"new"), 0);
  EXPECT_EQ(tip->Text, u"AB CD\nA");
  Hover(30, 0);
  EXPECT_EQ(tip->Visible, 0);
  EXPECT_EQ(tip->SetText(u"new"), 1);
  EXPECT_EQ(tip->Text, u"new");
  // Without fading the text may change while it shows.
  tip->Fade = 0;
  Hover(51);
  EXPECT_EQ(tip->SetText(u"C"), 1);
}

TEST_F(ToolTipTest, DrawsThePictureWithTheTextCentredOnIt) {
  OpenDisplay();
  EXPECT_EQ(tip->Draw(), 0);  // hidden
  tip->SetText(u"AB");
  tip->Fade = 0;
  PointerAt(300, 200);
  Hover(51);
  ASSERT_EQ(tip->Draw(), 1);
  // The picture at (300, 225), 100 x 40; the text's white block centred on (350, 245).
  int left = 800, right = -1, top = 600, bottom = -1;
  for (int y = 225; y < 265; ++y) {
    for (int x = 300; x < 400; ++x) {
      const uint32_t p = PixelAt(x, y);
      EXPECT_TRUE(p == kGrey || p == 0xFFFFFFFFu) << x << "," << y;
      if (p != 0xFFFFFFFFu) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  EXPECT_NEAR((left + right) / 2.0, 349.5, 1.5);
  EXPECT_NEAR((top + bottom) / 2.0, 244.5, 1.0);
  EXPECT_EQ(PixelAt(299, 230), kBlack);
  // Without fading the picture takes the caller's alpha.
  platform::Cls();
  platform::SetAlpha(0.5f);
  ASSERT_EQ(tip->Draw(), 1);
  const uint32_t half = PixelAt(303, 228);
  EXPECT_NEAR(static_cast<int>(half & 0xFF), 0x40, 2);
  platform::SetAlpha(1.0f);

  // Missing picture or bitmap font: nothing drawn, nothing dereferenced.
  platform::Cls();
  auto bare = std::make_shared<TToolTip>();
  EXPECT_EQ(bare->SetText(u"a\nb"), 1);
  EXPECT_EQ(bare->TextWrapped, (StringArray{u"a", u"b"}));
  for (int i = 0; i < 51; ++i) bare->Collide(1);
  EXPECT_EQ(bare->Visible, 1);
  EXPECT_EQ(bare->x, 300);
  EXPECT_EQ(bare->y, 225);
  EXPECT_EQ(bare->Draw(), 0);
  bare->image = tip->image;
  bare->Font = TFont::Create(nullptr, nullptr, nullptr, 0, nullptr, nullptr, u"none");
  EXPECT_EQ(bare->Draw(), 0);
  EXPECT_EQ(PixelAt(310, 230), kBlack);
  tip->Kill();
  EXPECT_FALSE(tip->ToolTipSound);
}

}  // namespace
}  // namespace uitest
