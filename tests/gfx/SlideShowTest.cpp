// Slides and slide shows, with pictures written on the spot.
#include "GfxTestSupport.h"
#include "gfx/TSlideShow.h"

namespace {

TTransitionEffectPtr Effect(int type, int ticks) {
  auto e = std::make_shared<TTransitionEffect>();
  e->EffectType = type;
  e->Length = ticks;
  return e;
}

class SlideShowTest : public gfxtest::GfxTest {
 protected:
  void SetUp() override {
    GfxTest::SetUp();
    const std::string dir = testrig::MakeTempDir("slides");
    grey = S(dir + "/grey.png");
    red = S(dir + "/red.png");
    gfxtest::WritePng(dir + "/grey.png", 800, 600, 0xFF808080u);
    gfxtest::WritePng(dir + "/red.png", 800, 600, 0xFFC80000u);
  }
  String grey, red;
};

TEST_F(SlideShowTest, EffectsRunInOrderAndCarryTheSurplus) {
  auto hold = TSlide::Create(u"", 0, 1, nullptr, Effect(0, 10), nullptr);
  EXPECT_EQ(hold->CurrentEffect, hold->HoldEffect);
  for (int t = 1; t < 10; ++t) ASSERT_EQ(hold->Manage(), 0);
  EXPECT_EQ(hold->Manage(), 1);

  auto in = Effect(0, 10), out = Effect(0, 10);
  in->ScrollSpeedX = 2;
  in->ZoomSpeed = 0.1f;
  auto slide = TSlide::Create(u"", 0, 0, in, nullptr, out);
  int frozen = 1;
  slide->UserManage = [&](TSlide&) { return 1 - frozen; };
  Delta = 1.5f;
  int result = 0, ticks = 0;
  while ((result = slide->Manage()) == 0) ++ticks;
  EXPECT_EQ(ticks + 1, 14);  // 20 ticks of effects at 1.5 per tick
  EXPECT_FLOAT_EQ(slide->Counter, 1.0f);  // 21 - 20: each surplus carried on
  EXPECT_EQ(slide->CurrentEffect, out);
  // Frozen by the hook: no scrolling or zoom, yet the timing ran.
  EXPECT_FLOAT_EQ(slide->x, 0);
  EXPECT_FLOAT_EQ(slide->scale, 1);
  frozen = 0;
  slide->CurrentEffect = in;
  slide->Counter = 0;
  slide->Manage();
  EXPECT_FLOAT_EQ(slide->x, -3);
  EXPECT_FLOAT_EQ(slide->scale, 1.15f);
  Delta = 1.0f;

  EXPECT_EQ(TSlide::Create(u"", 0, 0, nullptr, nullptr, nullptr)->Manage(), 1);
  EXPECT_FLOAT_EQ(TSlide::Create(u"", 0, 0, Effect(1, 0), nullptr, nullptr)->Ratio(), 1.0f);
}

TEST_F(SlideShowTest, ShowMovesOnFinishesAndStaysFinished) {
  TSlideShow show;
  EXPECT_EQ(show.Manage(), 0);
  EXPECT_EQ(show.Draw(), 0);
  EXPECT_FALSE(show.GetCurrentSlide());
  show.AddSlide(u"", 0, 0, nullptr, Effect(0, 2), nullptr);
  auto second = show.AddSlide(u"", 0, 0, Effect(3, 2), nullptr, nullptr);
  std::vector<int> results;
  for (int t = 0; t < 8; ++t) results.push_back(show.Manage());
  EXPECT_EQ(results, (std::vector<int>{0, 2, 0, 1, 0, 0, 0, 0}));
  EXPECT_EQ(show.GetCurrentSlide(), second);
  EXPECT_EQ(second->LastSlide, show.Slides()[0]);
  EXPECT_EQ(show.Finished, 1);
  EXPECT_EQ(show.Draw(), 0);
  show.Kill();
  EXPECT_TRUE(show.Slides().empty());
  EXPECT_EQ(show.CurrentSlide, 1);
  EXPECT_EQ(show.Finished, 1);
}

TEST_F(SlideShowTest, DrawingFadesMasksAndBars) {
  OpenDisplay();
  TSlideShow show;
  show.LetterBoxHeight = 400;
  auto slide = show.AddSlide(grey, 0, 1, Effect(0, 10), nullptr, nullptr);
  show.AddSlide(u"", 0, 1, nullptr, Effect(0, 10), nullptr);  // no picture: nothing to make
  show.PreCache();
  EXPECT_EQ(show.Draw(), 1);
  EXPECT_PIXEL_NEAR(Pixel(400, 99), 0xFF000000u);
  EXPECT_PIXEL_NEAR(Pixel(400, 100), 0xFF808080u);
  EXPECT_PIXEL_NEAR(Pixel(400, 499), 0xFF808080u);
  EXPECT_PIXEL_NEAR(Pixel(400, 500), 0xFF000000u);

  // Cross-fade halfway over the previous slide.
  auto previous = TSlide::Create(red, 0, 1, Effect(0, 10), nullptr, nullptr);
  auto fading = TSlide::Create(grey, 0, 1, Effect(3, 10), nullptr, nullptr);
  fading->LastSlide = previous;
  fading->Counter = 5;
  platform::Cls();
  fading->Draw();
  EXPECT_PIXEL_NEAR(Pixel(400, 300), 0xFFA44040u);
  // Without a previous slide it fades in alone over what was there.
  fading->LastSlide = nullptr;
  platform::Cls();
  fading->Draw();
  EXPECT_PIXEL_NEAR(Pixel(400, 300), 0xFF404040u);

  // Type 1 dims with 1 - r; type 2 with r.
  auto in = TSlide::Create(grey, 0, 1, Effect(1, 10), nullptr, nullptr);
  in->Counter = 7.5f;
  platform::Cls();
  in->Draw();
  EXPECT_PIXEL_NEAR(Pixel(400, 300), 0xFF606060u);
  in->CurrentEffect->EffectType = 2;
  platform::Cls();
  in->Draw();
  EXPECT_PIXEL_NEAR(Pixel(400, 300), 0xFF202020u);

  // A mask grows from its start size to its end size.
  auto mask = TGameImage::CreateFromImage(gfxtest::SolidImage(100, 100, 0xFFFFFFFFu), u"mask", 1);
  auto masked = TSlide::Create(u"", 0, 1, Effect(1, 10), nullptr, nullptr);
  masked->CurrentEffect->MaskImage = mask;
  masked->CurrentEffect->MaskStartSize = 1;
  masked->CurrentEffect->MaskEndSize = 3;
  auto maskWidth = [&](float counter) {
    masked->Counter = counter;
    platform::Cls();
    masked->Draw();
    int lit = 0;
    auto row = platform::GrabPixmap(0, 300, 800, 1);
    for (int x = 0; x < 800; ++x) lit += (row->ReadPixel(x, 0) & 0xFF) > 128;
    return lit;
  };
  EXPECT_NEAR(maskWidth(0), 100, 2);
  EXPECT_NEAR(maskWidth(5), 200, 2);
  EXPECT_NEAR(maskWidth(10), 300, 2);
}

}  // namespace
