#include <gtest/gtest.h>

#include "TextTestSupport.h"
#include "text/TShadow.h"
#include "text/TTextCursor.h"
#include "text/TextDrawing.h"

using platform::DrawText;
using platform::SetScale;

namespace {

// Fixed metrics: "ABCD" is 40 px wide, every line 20 px high.
class TextPlacement : public texttest::PixelTest {
 protected:
  void SetUp() override {
    PixelTest::SetUp();
    font = platform::CreateFixedFont(10, 20);
    platform::SetImageFont(font);
  }
  platform::ImageFontPtr font;
};

}  // namespace

TEST_F(TextPlacement, LeftTextSnapsHalvesUp) {
  EXPECT_SAME_PICTURE(Picture([] { ccDrawText(u"AB", 10.5f, 20.5f, 0, 1); }),
                      Picture([] { DrawText(u"AB", 11, 21); }));
  EXPECT_SAME_PICTURE(Picture([] { ccDrawText(u"AB", -2.5f, 0.0f, 0, 1); }),
                      Picture([] { DrawText(u"AB", -2, 0); }));
  EXPECT_SAME_PICTURE(Picture([] { ccDrawText(u"AB", -2.6f, 40.0f, 0, 1); }),
                      Picture([] { DrawText(u"AB", -3, 40); }));
  // Without the flag the point is used as given.
  EXPECT_SAME_PICTURE(Picture([] { ccDrawText(u"AB", 10.5f, 20.25f, 0, 0); }),
                      Picture([] { DrawText(u"AB", 10.5f, 20.25f); }));
}

TEST_F(TextPlacement, CentredAllowsForTheScale) {
  EXPECT_SAME_PICTURE(Picture([] { ccDrawTextCentred(u"ABCD", 100, 50, 0, 1); }),
                      Picture([] { DrawText(u"ABCD", 80, 50); }));
  // Scale 2: the 80 px text starts at 60 and rises by half of the 20 px the scale adds.
  EXPECT_SAME_PICTURE(Picture([] {
                        SetScale(2, 2);
                        ccDrawTextCentred(u"ABCD", 100, 50, 0, 1);
                      }),
                      Picture([] {
                        SetScale(2, 2);
                        DrawText(u"ABCD", 60, 40);
                      }));
  // Rounding comes after the placement: 100.3 - 20 = 80.3 -> 80; 50.5 -> 51.
  EXPECT_SAME_PICTURE(Picture([] { ccDrawTextCentred(u"ABCD", 100.3f, 50.5f, 0, 1); }),
                      Picture([] { DrawText(u"ABCD", 80, 51); }));
}

TEST_F(TextPlacement, CentredRoundXSnapsOnlyX) {
  EXPECT_SAME_PICTURE(Picture([] { ccDrawTextCentredRoundX(u"ABC", 100.2f, 50.5f, 0); }),
                      Picture([] { DrawText(u"ABC", 85, 50.5f); }));
}

TEST_F(TextPlacement, CentreOfTheScreen) {
  // (800 - 30) / 2 = 385.
  EXPECT_SAME_PICTURE(Picture([] { ccDrawTextCentre(u"ABC", 100, 0, 1); }),
                      Picture([] { DrawText(u"ABC", 385, 100); }));
  EXPECT_SAME_PICTURE(Picture([] {
                        SetScale(2, 2);
                        ccDrawTextCentre(u"ABC", 100, 0, 0);
                      }),
                      Picture([] {
                        SetScale(2, 2);
                        DrawText(u"ABC", 370, 90);
                      }));
}

TEST_F(TextPlacement, CentreAllUsesIntegerHalves) {
  platform::SetImageFont(platform::CreateFixedFont(31, 25));
  EXPECT_SAME_PICTURE(Picture([] { ccDrawTextCentreAll(u"A", 0, 0); }),
                      Picture([] { DrawText(u"A", 384, 287); }));
}

TEST_F(TextPlacement, RightAlignmentIgnoresTheScale) {
  EXPECT_SAME_PICTURE(Picture([] { ccDrawTextRight(u"ABCDE", 200, 50, 0, 0); }),
                      Picture([] { DrawText(u"ABCDE", 150, 50); }));
  EXPECT_SAME_PICTURE(Picture([] {
                        SetScale(2, 2);
                        ccDrawTextRight(u"ABCDE", 200, 50, 0, 0);
                      }),
                      Picture([] {
                        SetScale(2, 2);
                        DrawText(u"ABCDE", 150, 50);
                      }));
  // Snapped before the width is taken off.
  EXPECT_SAME_PICTURE(Picture([] { ccDrawTextRight(u"ABCDE", 200.5f, 49.5f, 0, 1); }),
                      Picture([] { DrawText(u"ABCDE", 151, 50); }));
}

TEST_F(TextPlacement, AlignedDispatchesAndIgnoresUnknownAlignments) {
  EXPECT_SAME_PICTURE(Picture([] { ccDrawTextAligned(u"ABCD", 100, 50, 0, 0, 1); }),
                      Picture([] { DrawText(u"ABCD", 100, 50); }));
  EXPECT_SAME_PICTURE(Picture([] { ccDrawTextAligned(u"ABCD", 100, 50, 0, 1, 1); }),
                      Picture([] { DrawText(u"ABCD", 80, 50); }));
  EXPECT_SAME_PICTURE(Picture([] { ccDrawTextAligned(u"ABCD", 100, 50, 0, 2, 1); }),
                      Picture([] { DrawText(u"ABCD", 60, 50); }));
  EXPECT_EQ(Lit(Picture([] { ccDrawTextAligned(u"ABCD", 100, 50, 0, 3, 1); })), 0);
  EXPECT_EQ(Lit(Picture([] { ccDrawTextAligned(u"ABCD", 100, 50, 0, -1, 1); })), 0);
}

TEST_F(TextPlacement, ShadowFlagDrawsThroughShadowText) {
  ccShadowTextSet(3, 4, 1.0f);
  EXPECT_SAME_PICTURE(Picture([] { ccDrawTextCentred(u"ABCD", 100, 50, 1, 1); }, 90, 90, 90),
                      Picture([] { ccShadowText(80, 50, u"ABCD", 0); }, 90, 90, 90));
}

// Gray ground, shadow far enough away not to overlap the 10 px glyph.
TEST_F(TextPlacement, ShadowAndTextAlphasAndBlendRestored) {
  ccShadowTextSet(40, 0, 0.5f);
  ccTextAlpha = 0.5f;
  platform::SetAlpha(0.9f);  // plays no part
  platform::SetBlend(platform::SOLIDBLEND);
  platform::SetColor(255, 0, 0);
  Clear(128, 128, 128);
  ccShadowText(100, 100, u"A", 0);
  auto shot = Grab();
  // Text: red at 0.5 over gray. Shadow: black at 0.25.
  EXPECT_TRUE(testrig::PixelNear(shot->ReadPixel(105, 110), 0xFFC04040, 3));
  EXPECT_TRUE(testrig::PixelNear(shot->ReadPixel(145, 110), 0xFF606060, 3));
  EXPECT_TRUE(testrig::PixelNear(shot->ReadPixel(125, 110), 0xFF808080, 0));
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 0.5f);
  EXPECT_EQ(platform::GetBlend(), platform::SOLIDBLEND);
  int r, g, b;
  platform::GetColor(r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 0);
  EXPECT_EQ(b, 0);
}

TEST_F(TextPlacement, ShadowTextCentreUsesUnscaledHalfWidth) {
  ccShadowTextSet(0, 0, 0.0f);
  EXPECT_SAME_PICTURE(Picture([] {
                        SetScale(2, 2);
                        ccShadowText(100, 50, u"ABC", 1);
                      }),
                      Picture([] {
                        SetScale(2, 2);
                        DrawText(u"ABC", 85, 50);
                      }));
}

TEST_F(TextPlacement, WrappedShadowTextStepsAndCentresEachLine) {
  ccShadowTextSet(2, 2, 1.0f);
  const StringArray lines = {u"AB", u"ABCD", u"", u"A"};
  // Line height 0 takes the height of "ABCXYZ" (20 here); each line centred by its own width.
  EXPECT_SAME_PICTURE(Picture([&] { ccShadowTextWrapped(100, 50, lines, 1, 0); }, 90, 90, 90),
                      Picture([] {
                        ccShadowText(90, 50, u"AB", 0);
                        ccShadowText(80, 70, u"ABCD", 0);
                        ccShadowText(95, 110, u"A", 0);
                      }, 90, 90, 90));
  EXPECT_SAME_PICTURE(Picture([&] { ccShadowTextWrapped(100, 50, lines, 0, 30); }, 90, 90, 90),
                      Picture([] {
                        ccShadowText(100, 50, u"AB", 0);
                        ccShadowText(100, 80, u"ABCD", 0);
                        ccShadowText(100, 140, u"A", 0);
                      }, 90, 90, 90));
}

TEST_F(TextPlacement, WrappedShadowTextRestoresBlendAndLeavesTextAlpha) {
  platform::SetBlend(platform::LIGHTBLEND);
  ccTextAlpha = 0.75f;
  ccShadowTextWrapped(10, 10, {u"A", u"B"}, 0, 0);
  EXPECT_EQ(platform::GetBlend(), platform::LIGHTBLEND);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 0.75f);
  ccShadowTextWrapped(10, 10, {}, 0, 0);
  EXPECT_EQ(platform::GetBlend(), platform::LIGHTBLEND);
}

TEST_F(TextPlacement, TextCursorMovesDownPerLine) {
  TTextCursor cursor;
  EXPECT_EQ(cursor.linegap, 20);
  EXPECT_EQ(cursor.Shadow, 0);
  auto drawn = Picture([&] {
    cursor.Init(10, 10, 20);
    cursor.OutputNL(u"AB");
    cursor.OutputNL(u"CD");
  });
  EXPECT_EQ(cursor.y, 50);
  EXPECT_SAME_PICTURE(drawn, Picture([] {
                        DrawText(u"AB", 10, 10);
                        DrawText(u"CD", 10, 30);
                      }));
  cursor.Output(u"X");
  EXPECT_EQ(cursor.y, 50);
}

TEST(TextShadowGlobals, SetAndShadowObject) {
  texttest::ResetDrawingState();
  auto shadow = TShadow::Create(3.0f, 4.0f, 0.4f);
  EXPECT_FLOAT_EQ(shadow->X, 3.0f);
  shadow->ApplyToText();
  EXPECT_FLOAT_EQ(ccShadowTextDepthX, 3.0f);
  EXPECT_FLOAT_EQ(ccShadowTextDepthY, 4.0f);
  EXPECT_FLOAT_EQ(ccShadowTextAlpha, 0.4f);

  TShadow other;
  EXPECT_FLOAT_EQ(other.X, 1.0f);
  EXPECT_FLOAT_EQ(other.Y, 1.0f);
  EXPECT_FLOAT_EQ(other.Alpha, 0.5f);
  other.Copy(*shadow);
  EXPECT_FLOAT_EQ(other.Alpha, 0.4f);

  shadow->Apply();
  int r, g, b;
  platform::GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 0);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 0.4f);

  shadow->Alpha = 0.1f;
  shadow->Restore();
  platform::GetColor(r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 255);
  EXPECT_EQ(b, 255);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 1.0f);
  texttest::ResetDrawingState();
}
