// Sprites: movement, frame animation, tweens, bounds, and the drawing state they set and
// leave, checked on the software renderer's pixels.
#include <cmath>

#include "GfxTestSupport.h"
#include "gfx/TGameImage.h"
#include "gfx/TSineCounter.h"
#include "gfx/TSprite.h"

namespace {

using SpriteTest = gfxtest::GfxTest;

TGameImagePtr Image(int w, int h, uint32_t argb, int mid, int frames = 1) {
  auto image = platform::CreateImage(w, h, frames, 0);
  for (auto& f : image->frames) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) f->WritePixel(x, y, argb);
  }
  return TGameImage::CreateFromImage(image, u"test", mid);
}

TEST_F(SpriteTest, MoveUsesTheOldVelocityThenGravity) {
  TSprite s;
  s.ygravity = 2;
  s.Move();
  EXPECT_FLOAT_EQ(s.y, 0);
  EXPECT_FLOAT_EQ(s.dy, 2);
  s.Move();
  EXPECT_FLOAT_EQ(s.y, 2);
  s.ox = 10;
  s.MoveOriginalCoords();
  EXPECT_FLOAT_EQ(s.oy, 4);
  EXPECT_FLOAT_EQ(s.y, 2);

  auto carried = std::make_shared<TSprite>();
  s.AttachedSprite = carried;
  s.dx = 1;
  s.MoveAttachedSprite();
  EXPECT_FLOAT_EQ(carried->x, 1);
  EXPECT_FLOAT_EQ(carried->y, 6);
  EXPECT_FLOAT_EQ(s.dy, 6);  // no gravity from carrying

  TSprite f;
  f.speed = 2;
  f.Rotation = 90;
  f.MoveForward();
  EXPECT_NEAR(f.x, 2, 1e-5);
  EXPECT_NEAR(f.y, 0, 1e-5);
}

TEST_F(SpriteTest, BoundsCheckAndOutOfBounds) {
  TSprite s;
  s.SetImage(Image(50, 50, 0xFFFFFFFFu, 1));
  EXPECT_FLOAT_EQ(s.w2, 25);
  s.x = 10;
  s.y = 300;
  s.BoundsCheck();
  EXPECT_FLOAT_EQ(s.x, 25);
  s.x = 790;
  s.BoundsCheck();
  EXPECT_FLOAT_EQ(s.x, 775);
  s.xspeed = 100;
  s.MoveRight();
  EXPECT_FLOAT_EQ(s.x, 775);

  TSprite mid;
  mid.SetImage(Image(40, 40, 0xFFFFFFFFu, 1));
  mid.y = 300;
  mid.x = -20;
  EXPECT_EQ(mid.OutOfBounds(), 0);
  mid.x = -20.5f;
  EXPECT_EQ(mid.OutOfBounds(), 1);
  mid.x = 820;
  EXPECT_EQ(mid.OutOfBounds(), 0);
  mid.ScaleX = 5;  // unscaled sizes
  mid.x = -20.5f;
  EXPECT_EQ(mid.OutOfBounds(), 1);

  TSprite corner;
  corner.SetImage(Image(40, 40, 0xFFFFFFFFu, 0));
  corner.y = 300;
  corner.x = -40;
  EXPECT_EQ(corner.OutOfBounds(), 0);
  corner.x = -40.5f;
  EXPECT_EQ(corner.OutOfBounds(), 1);
  corner.x = 800;
  EXPECT_EQ(corner.OutOfBounds(), 0);
}

TEST_F(SpriteTest, DownCountingLoopShowsFramesInOrderAndWraps) {
  TSprite s;
  int calls = 0;
  s.AnimStoppedFunction = [&](TSprite&) { return ++calls; };
  s.SetupAnim(4, 100, 0, 0, 0, 0, 1);  // 20 ticks, 5 per frame
  EXPECT_EQ(s.AnimLength, 20);
  EXPECT_FLOAT_EQ(s.FrameLength, 5);
  EXPECT_FLOAT_EQ(s.AnimCounter, 20);
  std::vector<int> frames;
  for (int t = 1; t <= 20; ++t) {
    const int r = s.ManageAnim();
    frames.push_back(s.frame);
    EXPECT_EQ(r, t == 20 ? 1 : 0) << t;
  }
  EXPECT_EQ(frames[0], 0);
  EXPECT_EQ(frames[5], 1);
  EXPECT_EQ(frames[18], 3);
  EXPECT_EQ(calls, 1);
  EXPECT_FLOAT_EQ(s.AnimCounter, 20);  // wrapped keeping the overshoot
}

TEST_F(SpriteTest, NonLoopingAnimationRestsAtItsLastFrame) {
  TSprite s;
  int calls = 0;
  s.AnimStoppedFunction = [&](TSprite&) { return ++calls; };
  s.SetupAnim(4, 100, 0, 0, 0, 0, 0);
  for (int t = 1; t < 20; ++t) s.ManageAnim();
  EXPECT_EQ(s.ManageAnim(), 1);
  EXPECT_FLOAT_EQ(s.AnimCounter, 0.01f);
  EXPECT_EQ(s.frame, 3);
  EXPECT_EQ(s.ManageAnim(), 1);  // every later whole tick
  EXPECT_EQ(s.ManageAnim(), 1);
  EXPECT_EQ(calls, 3);
}

TEST_F(SpriteTest, CountedLoopStopsWithoutTheCallback) {
  TSprite s;
  int calls = 0;
  s.AnimStoppedFunction = [&](TSprite&) { return ++calls; };
  s.SetupAnim(2, 50, 0, 0, 0, 0, 1);  // 10 ticks
  s.LoopCount = 2;
  for (int t = 0; t < 10; ++t) s.ManageAnim();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(s.Loop, 1);
  for (int t = 0; t < 10; ++t) s.ManageAnim();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(s.Loop, 0);
  EXPECT_FLOAT_EQ(s.AnimCounter, 0.01f);
}

TEST_F(SpriteTest, PingPongTurnsAtBothEndsInBothDirections) {
  for (int dir = 0; dir <= 1; ++dir) {
    TSprite s;
    s.SetupAnim(4, 100, dir, 0, 0, 1, 1);  // 20 ticks, frame 5
    std::vector<int> frames;
    for (int t = 0; t < 80; ++t) {
      s.ManageAnim();
      frames.push_back(s.frame);
    }
    // Forward to the last frame, back to the first, forward again.
    EXPECT_EQ(frames[0], 0) << dir;
    EXPECT_EQ(frames[17], 3) << dir;
    int turnsAtTop = 0;
    int turnsAtBottom = 0;
    for (size_t i = 1; i + 1 < frames.size(); ++i) {
      if (frames[i] == 3 && frames[i + 1] == 2) ++turnsAtTop;
      if (frames[i] == 0 && frames[i + 1] == 1) ++turnsAtBottom;
    }
    EXPECT_GE(turnsAtTop, 2) << dir;
    EXPECT_GE(turnsAtBottom, 1) << dir;
  }
}

TEST_F(SpriteTest, UpCountingAndReversedStarts) {
  TSprite up;
  up.SetupAnim(4, 100, 1, 0, 0, 0, 1);
  EXPECT_FLOAT_EQ(up.AnimCounter, 0);
  up.ManageAnim();
  EXPECT_FLOAT_EQ(up.AnimCounter, 1);
  TSprite rev;
  rev.SetupAnim(4, 100, 0, 1, 0, 0, 1);
  EXPECT_FLOAT_EQ(rev.AnimCounter, 0.01f);
  rev.ManageAnim();
  EXPECT_NEAR(rev.AnimCounter, 1.01f, 1e-5);
  TSprite random;
  random.SetupAnim(4, 100, 0, 0, 1, 0, 1);
  EXPECT_GE(random.AnimCounter, 0.01f);
  EXPECT_LT(random.AnimCounter, 20.0f);
  // Shorter than one tick: no division by zero, a valid frame.
  TSprite tiny;
  tiny.SetupAnim(4, 3, 0, 0, 0, 0, 1);
  tiny.ManageAnim();
  EXPECT_GE(tiny.frame, 0);
  EXPECT_LE(tiny.frame, 3);
  // One frame never animates.
  TSprite still;
  EXPECT_EQ(still.ManageAnim(), 0);
  still.StopAnim();
  EXPECT_EQ(still.FramesTotal, 1);
}

TEST_F(SpriteTest, ScaleRotationAndGlowTweens) {
  TSprite s;
  s.SetScaleXY(2, 0);
  EXPECT_FLOAT_EQ(s.ScaleY, 2);
  s.SetScaleXY(1, 1);
  s.SetupScale(0.5f, -0.5f, 10);  // 2 ticks
  for (int t = 0; t < 5; ++t) s.ManageScale();
  EXPECT_FLOAT_EQ(s.ScaleX, 2.0f);
  EXPECT_FLOAT_EQ(s.ScaleY, 0.0f);  // not clamped

  s.Rotation = 359;
  s.SetupRotation(2, 0, 1, 0);
  s.ManageRotation();
  EXPECT_FLOAT_EQ(s.Rotation, 1);
  TSprite timed;
  timed.Rotation = 359;
  timed.SetupRotation(2, 10, 0, 0);
  timed.ManageRotation();
  EXPECT_FLOAT_EQ(timed.Rotation, 361);  // not wrapped
  timed.ManageRotation();
  timed.ManageRotation();
  EXPECT_FLOAT_EQ(timed.Rotation, 363);

  TSprite g;
  g.SetGlow(2, 0.3f, 0.2f, 0, 1);
  g.ManageGlow();
  EXPECT_NEAR(g.Glow, 0.1f, 1e-6);
  g.ManageGlow();
  EXPECT_FLOAT_EQ(g.Glow, 0);
  TSprite pulse;
  pulse.SetGlow(3, 0, 90, 0.2f, 0.6f);
  pulse.ManageGlow();
  EXPECT_NEAR(pulse.Glow, 0.6f, 1e-5);  // sin 90
  pulse.ManageGlow();
  EXPECT_NEAR(pulse.Glow, 0.2f, 1e-5);  // sin 180
  pulse.ManageGlow();
  EXPECT_NEAR(pulse.Glow, 0.6f, 1e-5);  // |sin 270|
}

TEST_F(SpriteTest, KillReleasesTheAttachedSprite) {
  struct Counting : TSprite {
    int kills = 0;
    int Kill() override {
      ++kills;
      return TSprite::Kill();
    }
  };
  TSprite s;
  auto a = std::make_shared<Counting>();
  s.AttachedSprite = a;
  s.Kill();
  EXPECT_EQ(a->kills, 1);
  EXPECT_EQ(s.AttachedSprite, nullptr);
  auto b = std::make_shared<Counting>();
  s.AttachedSprite = b;
  s.KillAttachedSprite = 0;
  s.Kill();
  EXPECT_EQ(b->kills, 0);
  EXPECT_EQ(s.AttachedSprite, nullptr);
  s.SetName(u"Gem");
  EXPECT_EQ(s.name, u"GEM");
}

class SpriteDrawTest : public SpriteTest {
 protected:
  void SetUp() override {
    SpriteTest::SetUp();
    OpenDisplay();
    platform::SetBlend(platform::SOLIDBLEND);
  }
  static void Colour(int& r, int& g, int& b) { platform::GetColor(r, g, b); }
};

TEST_F(SpriteDrawTest, DoDrawResetsWhatItSet) {
  auto sprite = TSprite::Create(Image(10, 10, 0xFFFFFFFFu, 0), 100, 100);
  sprite->ScaleX = 2;
  sprite->Rotation = 0;
  sprite->Alpha = 1;
  platform::SetColor(200, 100, 50);
  sprite->Draw();
  float sx, sy;
  platform::GetScale(sx, sy);
  EXPECT_FLOAT_EQ(sx, 1);
  EXPECT_FLOAT_EQ(platform::GetRotation(), 0);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 1);
  int r, g, b;
  Colour(r, g, b);
  EXPECT_EQ(r, 200);  // no Color: the colour is not touched
  // The scaled sprite covers twice its width, tinted by the current colour.
  EXPECT_PIXEL_NEAR(Pixel(115, 105), 0xFFC86432u);
  EXPECT_PIXEL_NEAR(Pixel(121, 105), 0xFF000000u);

  // With a Color: applied without its alpha, then white afterwards.
  sprite->Color = TColor::Create(0, 255, 0, 0.1f);
  sprite->ScaleX = 1;
  sprite->x = 200;
  sprite->Draw();
  EXPECT_PIXEL_NEAR(Pixel(205, 105), 0xFF00FF00u);
  Colour(r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);

  // UseAlpha 0 leaves the caller's alpha alone.
  sprite->UseAlpha = 0;
  sprite->Alpha = 0.1f;
  platform::SetAlpha(0.7f);
  sprite->Draw();
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 0.7f);

  // Invisible: nothing drawn, nothing set.
  sprite->visible = 0;
  sprite->x = 300;
  platform::SetScale(1.5f, 1.5f);
  sprite->Draw();
  platform::GetScale(sx, sy);
  EXPECT_FLOAT_EQ(sx, 1.5f);
  EXPECT_PIXEL_NEAR(Pixel(305, 105), 0xFF000000u);
}

TEST_F(SpriteDrawTest, ShadowFirstThenImageAlphaEndsAtSpriteAlpha) {
  platform::SetClsColor(255, 255, 255);
  platform::Cls();
  platform::SetBlend(platform::ALPHABLEND);
  auto sprite = TSprite::Create(Image(10, 10, 0xFFFF0000u, 0), 100, 100);
  sprite->SetShadow(1, 5, 5, 1.0f);
  sprite->UseAlpha = 0;
  sprite->Alpha = 0.6f;
  platform::SetColor(255, 255, 255);
  sprite->Draw();
  // Shadow: black at ShadowAlpha x Alpha = 0.6 over white.
  EXPECT_TRUE(testrig::PixelNear(Pixel(112, 112), 0xFF666666u, 3));
  // The image drawn after the shadow, at the alpha the shadow left (Alpha, even with
  // UseAlpha 0): red at 0.6 over the shadow, and over the white beside it.
  EXPECT_TRUE(testrig::PixelNear(Pixel(107, 107), 0xFFC22929u, 3));
  EXPECT_TRUE(testrig::PixelNear(Pixel(102, 102), 0xFFFF6666u, 3));
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 0.6f);
  int r, g, b;
  Colour(r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);  // the colour read before the shadow
}

TEST_F(SpriteDrawTest, RoundedDrawingRoundsTheImageNotTheShadow) {
  auto sprite = TSprite::Create(Image(4, 4, 0xFFFFFFFFu, 0), 100.6f, 100.4f);
  sprite->RoundCoords = 1;
  sprite->Draw();
  EXPECT_PIXEL_NEAR(Pixel(101, 100), 0xFFFFFFFFu);
  EXPECT_PIXEL_NEAR(Pixel(100, 100), 0xFF000000u);
  EXPECT_PIXEL_NEAR(Pixel(104, 103), 0xFFFFFFFFu);
}

TEST_F(SpriteDrawTest, AnimatedSpriteDrawsTheFrameOfItsCounter) {
  auto strip = platform::CreateImage(10, 10, 3, 0);
  const uint32_t colours[3] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
  for (int f = 0; f < 3; ++f)
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) strip->frames[static_cast<size_t>(f)]->WritePixel(x, y, colours[f]);
  auto sprite = TSprite::Create(TGameImage::CreateFromImage(strip, u"strip", 0), 50, 50);
  sprite->ImageFrame = 2;
  sprite->Draw();  // counter 0: ImageFrame
  EXPECT_PIXEL_NEAR(Pixel(55, 55), 0xFF0000FFu);
  sprite->SetupAnim(3, 150, 0, 0, 0, 0, 1);  // 30 ticks
  sprite->frame = 2;  // the stored frame is not what is drawn
  sprite->Draw();
  EXPECT_PIXEL_NEAR(Pixel(55, 55), 0xFFFF0000u);
  sprite->AnimCounter = 15;
  sprite->Draw();
  EXPECT_PIXEL_NEAR(Pixel(55, 55), 0xFF00FF00u);
}

TEST_F(SpriteDrawTest, GlowAddsLightAndLeavesAlphaBlendAndWhite) {
  auto sprite = TSprite::Create(Image(10, 10, 0xFF404040u, 0), 100, 100);
  sprite->SetGlow(1, 0.5f, 0, 0, 1);
  sprite->Draw();
  EXPECT_EQ(platform::GetBlend(), platform::ALPHABLEND);
  int r, g, b;
  Colour(r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);
  // 0x40 drawn solid, then 0x40 x 0.5 added: about 0x60.
  EXPECT_TRUE(testrig::PixelNear(Pixel(105, 105), 0xFF606060u, 3));

  // A glow of 0 adds black: no change.
  platform::SetBlend(platform::SOLIDBLEND);
  auto dark = TSprite::Create(Image(10, 10, 0xFF404040u, 0), 200, 100);
  dark->SetGlow(1, 0.0f, 0, 0, 1);
  dark->Draw();
  EXPECT_PIXEL_NEAR(Pixel(205, 105), 0xFF404040u);
}

TEST_F(SpriteDrawTest, DrawLightKeepsTheOwnersAlternativeImage) {
  auto own = Image(10, 10, 0xFFFFFFFFu, 0);
  auto alternative = Image(10, 10, 0xFF00FF00u, 0);
  auto light = Image(10, 10, 0xFFFFFFFFu, 0);
  auto sprite = TSprite::Create(own, 100, 100);
  sprite->visible = 0;
  sprite->AlternativeImage = alternative;
  EXPECT_EQ(sprite->DrawLight(1, 1, 1, 1, light), 0);
  EXPECT_EQ(sprite->AlternativeImage, alternative);
  sprite->visible = 1;
  EXPECT_EQ(sprite->DrawLight(1, 1, 1, 1, light), 1);
  EXPECT_EQ(sprite->AlternativeImage, alternative);
  TSprite plain;
  plain.SetImage(own);
  plain.DrawLight(1, 1, 1, 1, light);
  EXPECT_EQ(plain.AlternativeImage, nullptr);
  // The alternative image is what DoDraw shows.
  sprite->x = 300;
  sprite->Draw();
  EXPECT_PIXEL_NEAR(Pixel(305, 105), 0xFF00FF00u);
}

TEST_F(SpriteDrawTest, CentreMidHandlesTheSharedImage) {
  auto image = Image(20, 20, 0xFFFFFFFFu, 0);
  auto a = TSprite::Create(image, 0, 0);
  auto b = TSprite::Create(image, 0, 0);
  a->Centre();
  EXPECT_FLOAT_EQ(a->x, 400);
  EXPECT_FLOAT_EQ(a->y, 300);
  EXPECT_EQ(b->image->midhandled, 1);
  EXPECT_FLOAT_EQ(image->image->handleX, 10);
  b->CentreX(50);
  EXPECT_FLOAT_EQ(b->x, 400);
  EXPECT_FLOAT_EQ(b->y, 50);
}

}  // namespace
