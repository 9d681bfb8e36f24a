// Slide lines: the point along a chain of timed segments, its rest point outside a run, and
// the list's shared colour.
#include "GfxTestSupport.h"
#include "gfx/TSlideLine.h"
#include "gfx/TSlideLineList.h"

namespace {

using SlideLineTest = gfxtest::GfxTest;

// Where a wait (waitTicks) - slide (slideTicks, from sx to ex) - hold line must stand after
// `ticks` Manage calls.
float ExpectedX(int ticks, int waitTicks, int slideTicks, float sx, float ex) {
  if (ticks < waitTicks) return sx;
  const int intoSlide = ticks - waitTicks;
  if (intoSlide >= slideTicks) return ex;
  return sx + (ex - sx) * static_cast<float>(intoSlide) / static_cast<float>(slideTicks);
}

TEST_F(SlideLineTest, OnePhaseRestsAtItsEndBeforeAndAfterItsRun) {
  TSlideLine line;
  line.InitLine(u"row", 10, 20, 110, 220, 100);  // 20 ticks
  EXPECT_EQ(line.Active, 0);
  EXPECT_FLOAT_EQ(line.GetX(), 110);
  EXPECT_FLOAT_EQ(line.GetY(), 220);
  line.Start();
  for (int t = 0; t < 20; ++t) {
    EXPECT_NEAR(line.GetX(), 10 + 5.0f * static_cast<float>(t), 1e-3) << t;
    EXPECT_NEAR(line.GetY(), 20 + 10.0f * static_cast<float>(t), 1e-3) << t;
    line.Manage();
  }
  for (int t = 0; t < 50; ++t) {
    EXPECT_EQ(line.Active, 0);
    EXPECT_FLOAT_EQ(line.GetX(), 110);
    EXPECT_FLOAT_EQ(line.GetY(), 220);
    line.Manage();
  }
  EXPECT_EQ(line.Finished, 1);
  EXPECT_EQ(line.CurrentPhase, 0);
}

TEST_F(SlideLineTest, WaitSlideHoldMovesLinearlyOnlyDuringTheSlide) {
  struct Case { int waitMs; int from; };
  // Row 0 waits no time at all (its 0 ms phase lasts exactly one Manage); odd rows come
  // from the right edge.
  for (const Case c : {Case{0, -640}, Case{30, 800}, Case{270, 800}, Case{120, -640}}) {
    SCOPED_TRACE(c.waitMs);
    TSlideLine line;
    line.InitLine(String(), -640, 300, -640, 300, c.waitMs);
    line.AddPhaseSpecial(c.from, 300, 80, 300, 500);
    line.AddPhaseSpecial(80, 300, 80, 300, 500);
    EXPECT_FLOAT_EQ(line.GetX(), 80);  // not started: at the destination
    line.Start();
    const int wait = std::max(c.waitMs / 5, 1);
    // During the wait the line stands at phase 0's point.
    for (int t = 0; t < wait; ++t) {
      EXPECT_FLOAT_EQ(line.GetX(), -640) << t;
      EXPECT_EQ(line.CurrentPhase, 0);
      line.Manage();
    }
    for (int t = 0; t <= 100 + 100 + 5; ++t) {
      EXPECT_NEAR(line.GetX(), ExpectedX(t, 0, 100, static_cast<float>(c.from), 80), 1e-2) << t;
      EXPECT_FLOAT_EQ(line.GetY(), 300);
      if (t == 50) {
        EXPECT_NEAR(line.GetX(), (c.from + 80) / 2.0f, 1e-2);
      }
      if (t >= 100 && t < 200) {
        EXPECT_EQ(line.CurrentPhase, 2) << t;
      }
      line.Manage();
    }
    EXPECT_EQ(line.Active, 0);
    EXPECT_FLOAT_EQ(line.GetX(), 80);
  }
}

TEST_F(SlideLineTest, AFullLineRefusesMorePhasesAndKeepsItsPoints) {
  TSlideLine line;
  line.InitLine(String(), 0, 0, 1, 1, 10);
  for (int i = 1; i < TAnimation::MAX_PHASES; ++i) line.AddPhaseSpecial(i, i, i + 1, i + 1, 10);
  ASSERT_EQ(line.TotalPhases, TAnimation::MAX_PHASES);
  const TSlideLine before = line;
  EXPECT_EQ(line.AddPhaseSpecial(-9, -9, -9, -9, 10), 0);
  EXPECT_EQ(line.TotalPhases, TAnimation::MAX_PHASES);
  EXPECT_EQ(line.StartX, before.StartX);
  EXPECT_EQ(line.EndX, before.EndX);
  EXPECT_EQ(line.Length, before.Length);
  EXPECT_FLOAT_EQ(line.GetX(), 50);
}

TEST_F(SlideLineTest, TheListsColourIsSharedButReplacingItReachesOnlyNewLines) {
  TSlideLineList list;
  const TSlideLinePtr first = list.Add(u"a", 0, 0, 10, 10, 100);
  const TSlideLinePtr second = list.Add(u"b", 0, 0, 10, 10, 100);
  EXPECT_EQ(first->Color, list.Color);
  list.Color->Set(10, 20, 30, 0.5f);
  for (const auto& line : {first, second}) {
    EXPECT_EQ(line->Color->R, 10);
    EXPECT_EQ(line->Color->B, 30);
  }
  list.Color = TColor::Create(200, 0, 0);
  const TSlideLinePtr third = list.Add(u"c", 0, 0, 10, 10, 100);
  EXPECT_EQ(third->Color->R, 200);
  EXPECT_EQ(first->Color->R, 10);
  // A line made alone starts black and opaque.
  TSlideLine alone;
  EXPECT_EQ(alone.Color->R + alone.Color->G + alone.Color->B, 0);
  EXPECT_FLOAT_EQ(alone.Color->Alpha, 1.0f);
  // Start and Manage reach every line.
  list.Start();
  list.Manage();
  for (const auto& line : list.Items()) EXPECT_EQ(line->Active, 1);
}

TEST_F(SlideLineTest, DrawingAListEndsInWhiteAndLinesDrawAtTheirPoint) {
  platform::Graphics(800, 600, 0);
  platform::SetColor(1, 2, 3);
  TSlideLineList empty;
  empty.Draw();
  int r = 0, g = 0, b = 0;
  platform::GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);

  // A line draws its text in the list's colour at its point, top-left.
  platform::SetClsColor(0, 0, 0);
  platform::Cls();
  TSlideLineList list;
  list.Color->Set(0, 255, 0, 1.0f);
  list.Add(u"MMMM", 0, 0, 300, 200, 100);
  list.Draw();
  const platform::PixmapPtr shot = platform::GrabPixmap(0, 0, 800, 600);
  int lit = 0, outside = 0;
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      const uint32_t p = shot->ReadPixel(x, y);
      if ((p & 0xFFFFFF) == 0) continue;
      EXPECT_EQ(p & 0xFF0000, 0u);  // green only
      if (x >= 300 && y >= 200 && x < 400 && y < 240) {
        ++lit;
      } else {
        ++outside;
      }
    }
  }
  EXPECT_GT(lit, 0);
  EXPECT_EQ(outside, 0);
  platform::EndGraphics();
}

}  // namespace
