#include <gtest/gtest.h>

#include <vector>

#include "TextTestSupport.h"
#include "gfx/TColor.h"
#include "text/TFont.h"
#include "text/TLabel.h"

using platform::DrawText;
using platform::SetScale;
using texttest::MetricBitmapFont;

namespace {

// A bitmap font that records how it was asked to draw (no page picture needed).
class RecordingBitmapFont : public TBitmapFont {
 public:
  struct Call {
    String text;
    double x, y;
    int align, roundX, roundY, shadow;
    float curvatureHeight;
  };
  std::vector<Call> calls;
  int DrawAligned(StringView text, double x, double y, int align, int roundX, int roundY,
                  int shadow, const std::vector<TColorPtr>&) override {
    calls.push_back({String(text), x, y, align, roundX, roundY, shadow, CurvatureHeight});
    return 0;
  }
  int DrawAlignedWithShadow(StringView text, double x, double y, int align, int roundX,
                            int roundY) override {
    calls.push_back({String(text), x, y, align, roundX, roundY, 1, CurvatureHeight});
    return 0;
  }
};

std::shared_ptr<RecordingBitmapFont> RecordingFont() {
  auto font = std::make_shared<RecordingBitmapFont>();
  font->ScaleFactor = 1.0;
  for (int c = 32; c < 127; ++c) {
    font->xAdvance[static_cast<size_t>(c)] = 10;
    font->height[static_cast<size_t>(c)] = c == 32 ? 0 : 20;
  }
  return font;
}

class LabelPixels : public texttest::PixelTest {
 protected:
  TLabelPtr MakeLabel(const String& text, float x, float y, int align, int wrap, int centreV,
                      int advance = 10, int height = 20) {
    font = platform::CreateFixedFont(advance, height);
    auto label = TLabel::CreateSpecial(text, x, y, align, wrap, centreV);
    label->Init(font, TColor::Create(255, 255, 255, 1.0f), nullptr, 0, nullptr, nullptr, u"");
    return label;
  }
  platform::ImageFontPtr font;
};

}  // namespace

TEST(FontStyle, ApplyUsesWhatIsPresent) {
  texttest::ResetDrawingState();
  auto imageFont = platform::CreateFixedFont(10, 20);
  auto font = TFont::Create(imageFont, TColor::Create(10, 20, 30, 0.6f), TShadow::Create(2, 3, 0.7f),
                            0, nullptr, TColor::Create(200, 100, 50, 0.3f), u"style");
  ccTextAlpha = 1.0f;
  font->Apply();
  int r, g, b;
  platform::GetColor(r, g, b);
  EXPECT_EQ(r, 10);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 0.6f);
  EXPECT_FLOAT_EQ(ccShadowTextDepthX, 2.0f);
  EXPECT_FLOAT_EQ(ccShadowTextAlpha, 0.7f);
  EXPECT_FLOAT_EQ(ccTextAlpha, 0.6f);
  EXPECT_EQ(platform::GetImageFont(), imageFont);

  // The inverse colour leaves the shadow and the text alpha alone.
  ccShadowTextSet(1, 1, 0.5f);
  font->ApplyInverse();
  platform::GetColor(r, g, b);
  EXPECT_EQ(r, 200);
  EXPECT_FLOAT_EQ(ccShadowTextAlpha, 0.5f);
  EXPECT_FLOAT_EQ(ccTextAlpha, 0.6f);

  // A custom colour stands in for Color.
  font->ApplyCustomColor(TColor::Create(1, 2, 3, 0.25f));
  EXPECT_FLOAT_EQ(ccTextAlpha, 0.25f);
  texttest::ResetDrawingState();
}

TEST(FontStyle, TextAlphaOnlyWithShadowAndColour) {
  texttest::ResetDrawingState();
  ccTextAlpha = 0.9f;
  auto noShadow = TFont::Create(nullptr, TColor::Create(1, 1, 1, 0.3f), nullptr, 0, nullptr, nullptr, u"");
  noShadow->Apply();
  EXPECT_FLOAT_EQ(ccTextAlpha, 0.9f);
  auto noColour = TFont::Create(nullptr, nullptr, TShadow::Create(5, 5, 0.2f), 0, nullptr, nullptr, u"");
  platform::SetColor(7, 8, 9);
  noColour->Apply();
  EXPECT_FLOAT_EQ(ccTextAlpha, 0.9f);
  EXPECT_FLOAT_EQ(ccShadowTextDepthX, 5.0f);
  int r, g, b;
  platform::GetColor(r, g, b);
  EXPECT_EQ(r, 7);  // no colour: the caller's stays
  texttest::ResetDrawingState();
}

TEST(FontStyle, AbsentReferencesAreHarmless) {
  texttest::ResetDrawingState();
  auto font = TFont::Create(nullptr, nullptr, nullptr, 0, nullptr, nullptr, u"bare");
  EXPECT_EQ(font->Apply(), 0);
  EXPECT_EQ(font->ApplyInverse(), 0);
  EXPECT_EQ(font->ApplyCustomColor(nullptr), 0);
  EXPECT_GT(font->H, 0);  // the built-in font still has a height
  font->Kill();
  EXPECT_EQ(font->Name, u"bare");
  EXPECT_EQ(font->Apply(), 0);
}

TEST(FontStyle, HeightScaleAndKill) {
  texttest::ResetDrawingState();
  auto imageFont = platform::CreateFixedFont(10, 27);
  auto font = TFont::Create(imageFont, TColor::Create(1, 1, 1, 1), TShadow::Create(1, 1, 1), 1, nullptr,
                            nullptr, u"n");
  EXPECT_FLOAT_EQ(font->H, 27.0f);
  SetScale(2, 2);
  font->ApplyScale(3.0f);
  float sx, sy;
  platform::GetScale(sx, sy);
  EXPECT_FLOAT_EQ(sx, 3.0f);
  font->RestoreScale();
  platform::GetScale(sx, sy);
  EXPECT_FLOAT_EQ(sx, 1.0f);  // not the 2 it was before
  EXPECT_FLOAT_EQ(sy, 1.0f);
  font->Kill();
  EXPECT_FALSE(font->ImageFont);
  EXPECT_FALSE(font->Color);
  EXPECT_FALSE(font->Shadow);
  EXPECT_FLOAT_EQ(font->H, 27.0f);
  texttest::ResetDrawingState();
}

TEST(FontStyle, BitmapFontScaleAndHeight) {
  auto bitmap = MetricBitmapFont(10, 20);
  auto font = TFont::Create(nullptr, nullptr, nullptr, 0, bitmap, nullptr, u"");
  // Six glyphs of 20 px: the line-height rule gives 1.2 x 20.
  EXPECT_FLOAT_EQ(font->H, 24.0f);
  font->ApplyScale(0.5f);
  EXPECT_DOUBLE_EQ(bitmap->ScaleFactor, 0.5);
  font->RestoreScale();
  EXPECT_DOUBLE_EQ(bitmap->ScaleFactor, 1.0);
}

TEST(LabelLayout, CreateSpecialDefaults) {
  auto label = TLabel::CreateSpecial(u"Hi", 5, 6, 1, 0, 1);
  ASSERT_TRUE(label->Color);
  EXPECT_EQ(label->Color->R, 255);
  EXPECT_FLOAT_EQ(label->Color->Alpha, 1.0f);
  EXPECT_EQ(label->Alignment, 1);
  EXPECT_EQ(label->CentreVertically, 1);
  EXPECT_EQ(label->RoundCoords, 1);
  EXPECT_EQ(label->Visible, 1);
  EXPECT_FLOAT_EQ(label->Scale, 1.0f);
  EXPECT_FLOAT_EQ(label->Alpha, 1.0f);
  EXPECT_FALSE(label->ImageFont);
}

TEST(LabelLayout, WidthHeightAndAutoScaleOnlyShrinks) {
  texttest::ResetDrawingState();
  auto label = TLabel::CreateSpecial(String(40, u'x'), 0, 0, 0, 0, 0);
  label->Init(platform::CreateFixedFont(10, 20), label->Color, nullptr, 0, nullptr, nullptr, u"");
  EXPECT_FLOAT_EQ(label->CalcWidth(), 400.0f);
  label->AutoScale(200);
  EXPECT_FLOAT_EQ(label->Scale, 0.5f);
  label->AutoScale(500);
  EXPECT_FLOAT_EQ(label->Scale, 0.5f);
  EXPECT_FLOAT_EQ(label->W, 400.0f);
  EXPECT_FLOAT_EQ(label->CalcWidth(), 200.0f);
  EXPECT_FLOAT_EQ(label->CalcHeight(), 10.0f);
  EXPECT_FLOAT_EQ(label->H, 20.0f);  // H stays unscaled
  label->Text.clear();
  label->AutoScale(-10);  // nothing to fit: no division by a zero width
  EXPECT_FLOAT_EQ(label->Scale, 0.5f);
}

TEST(LabelLayout, WrappedHeightAndLineGap) {
  texttest::ResetDrawingState();
  auto label = TLabel::CreateSpecial(u"aaa bbb ccc\nddd", 0, 0, 0, 70, 0);
  label->Init(platform::CreateFixedFont(10, 18), label->Color, nullptr, 0, nullptr, nullptr, u"");
  label->PreCalcWordWrap();
  EXPECT_EQ(label->TextArray, (StringArray{u"aaa bbb", u"ccc", u"ddd"}));
  EXPECT_EQ(label->TotalLines, 3);
  EXPECT_EQ(label->LineGap, 18);  // 0 took the font's line height
  EXPECT_FLOAT_EQ(label->H, 54.0f);
  label->SetLineGap(24);
  label->Scale = 0.5f;
  EXPECT_FLOAT_EQ(label->CalcHeight(), 3 * 24 * 0.5f);
  // A set LineGap survives the next wrap; the wrap now measures at scale 0.5.
  label->PreCalcWordWrap();
  EXPECT_EQ(label->LineGap, 24);
  EXPECT_EQ(label->TextArray, (StringArray{u"aaa bbb ccc", u"ddd"}));

  label->Text.clear();
  label->PreCalcWordWrap();
  EXPECT_EQ(label->TotalLines, 0);
  EXPECT_FLOAT_EQ(label->H, 0.0f);
}

TEST(LabelLayout, BitmapLabelsPassSnappingAndCurvature) {
  texttest::ResetDrawingState();
  auto font = RecordingFont();
  auto label = TLabel::CreateSpecial(u"AB", 10, 20, 3, 0, 0);
  label->Init(nullptr, label->Color, nullptr, 0, font, nullptr, u"");
  label->Draw(1, 2, 1);
  ASSERT_EQ(font->calls.size(), 1u);
  EXPECT_EQ(font->calls[0].align, 3);  // bitmap fonts take alignment 3
  EXPECT_DOUBLE_EQ(font->calls[0].x, 11);
  EXPECT_DOUBLE_EQ(font->calls[0].y, 22);
  EXPECT_EQ(font->calls[0].roundX, 1);
  EXPECT_EQ(font->calls[0].roundY, 1);

  label->RoundCoords = 0;
  label->RoundXCoord = 1;
  label->SetCurvature(100, 8);
  label->Shadow = TShadow::Create(2, 2, 0.3f);
  label->Draw(0, 0, 1);
  ASSERT_EQ(font->calls.size(), 2u);
  EXPECT_EQ(font->calls[1].shadow, 1);
  EXPECT_EQ(font->calls[1].roundX, 1);
  EXPECT_EQ(font->calls[1].roundY, 0);
  EXPECT_FLOAT_EQ(font->calls[1].curvatureHeight, 8.0f);
  EXPECT_FLOAT_EQ(font->CurvatureHeight, 0.0f);  // cleared after the line
  EXPECT_FLOAT_EQ(ccShadowTextAlpha, 0.3f);
  texttest::ResetDrawingState();
}

TEST(LabelLayout, BitmapLabelCentredVerticallyByScaledHeight) {
  texttest::ResetDrawingState();
  auto font = RecordingFont();  // line height 1.2 x 20 = 24
  auto label = TLabel::CreateSpecial(u"AB", 10, 100, 0, 0, 1);
  label->Init(nullptr, label->Color, nullptr, 0, font, nullptr, u"");
  label->Scale = 2.0f;
  label->Draw(0, 0, 1);
  ASSERT_EQ(font->calls.size(), 1u);
  EXPECT_DOUBLE_EQ(font->calls[0].y, 100 - 12 * 2);
}

TEST(LabelLayout, WrappedLabelWithoutPreparedLinesDrawsNothing) {
  texttest::ResetDrawingState();
  auto font = RecordingFont();
  auto label = TLabel::CreateSpecial(u"AB CD", 0, 0, 0, 100, 0);
  label->Init(nullptr, label->Color, nullptr, 0, font, nullptr, u"");
  EXPECT_EQ(label->Draw(0, 0, 1), 1);
  EXPECT_TRUE(font->calls.empty());
  // A line count beyond the prepared lines is not trusted.
  label->TotalLines = 5;
  label->TextArray = {u"AB"};
  label->Draw(0, 0, 1);
  EXPECT_EQ(font->calls.size(), 1u);
}

TEST_F(LabelPixels, HiddenLabelTouchesNothing) {
  auto label = MakeLabel(u"AB", 10, 10, 0, 0, 0);
  label->Visible = 0;
  label->Scale = 2.0f;
  label->Color->Set(1, 2, 3, 0.5f);
  platform::SetImageFont(nullptr);
  platform::SetColor(40, 50, 60);
  platform::SetAlpha(0.3f);
  EXPECT_EQ(label->Draw(0, 0, 1), 0);
  int r, g, b;
  platform::GetColor(r, g, b);
  EXPECT_EQ(r, 40);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 0.3f);
  float sx, sy;
  platform::GetScale(sx, sy);
  EXPECT_FLOAT_EQ(sx, 1.0f);
  EXPECT_EQ(platform::GetImageFont(), nullptr);
  EXPECT_EQ(Lit(Grab()), 0);
}

TEST_F(LabelPixels, CentredVerticallyThirtyPixelFont) {
  auto label = MakeLabel(u"AB", 50, 100, 0, 0, 1, 10, 30);
  EXPECT_FLOAT_EQ(label->H, 30.0f);
  EXPECT_SAME_PICTURE(Picture([&] { label->Draw(0, 0, 1); }), Picture([] { DrawText(u"AB", 50, 85); }));
  // Centred alignment keeps the middle on Y at any scale: 100 - 15 - (60 - 30) / 2.
  label->Alignment = 1;
  label->Scale = 2.0f;
  EXPECT_SAME_PICTURE(Picture([&] { label->Draw(0, 0, 1); }), Picture([] {
                        SetScale(2, 2);
                        DrawText(u"AB", 30, 70);
                      }));
  // Left alignment gets no lift.
  label->Alignment = 0;
  EXPECT_SAME_PICTURE(Picture([&] { label->Draw(5, 0, 1); }), Picture([] {
                        SetScale(2, 2);
                        DrawText(u"AB", 55, 85);
                      }));
}

TEST_F(LabelPixels, WrappedLinesStepByScaledLineGap) {
  auto label = MakeLabel(u"AB\nCD\nEF", 100, 50, 0, 500, 0);
  label->LineGap = 24;
  label->Scale = 0.5f;
  label->PreCalcWordWrap();
  ASSERT_EQ(label->TotalLines, 3);
  EXPECT_SAME_PICTURE(Picture([&] {
                        label->Draw(0, 0, 1);
                        float sx, sy;
                        platform::GetScale(sx, sy);
                        EXPECT_FLOAT_EQ(sx, 1.0f);  // scale given back
                      }),
                      Picture([] {
                        SetScale(0.5f, 0.5f);
                        DrawText(u"AB", 100, 50);
                        DrawText(u"CD", 100, 62);
                        DrawText(u"EF", 100, 74);
                      }));
}

TEST_F(LabelPixels, AlignmentsAndUnknownAlignmentOnImageFont) {
  auto label = MakeLabel(u"ABCD", 100, 50, 2, 0, 0);
  EXPECT_SAME_PICTURE(Picture([&] { label->Draw(0, 0, 1); }), Picture([] { DrawText(u"ABCD", 60, 50); }));
  label->Alignment = 3;
  EXPECT_EQ(Lit(Picture([&] { EXPECT_EQ(label->Draw(0, 0, 1), 1); })), 0);
}

TEST_F(LabelPixels, DrawEndsWhiteAtFullAlpha) {
  auto label = MakeLabel(u"AB", 10, 10, 0, 0, 0);
  label->Alpha = 0.5f;
  platform::SetColor(10, 20, 30);
  label->Draw(0, 0, 0);
  int r, g, b;
  platform::GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 1.0f);
  label->Color.reset();  // no colour: nothing to apply, still ends white
  platform::SetColor(10, 20, 30);
  EXPECT_EQ(label->Draw(0, 0, 1), 1);
  platform::GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 1.0f);
}

TEST_F(LabelPixels, UnshadowedAlphaIsLabelTimesColour) {
  auto label = MakeLabel(u"A", 100, 100, 0, 0, 0);
  label->Alpha = 0.5f;
  label->Color->Set(255, 255, 255, 0.5f);
  Clear();
  label->Draw(0, 0, 1);
  EXPECT_TRUE(testrig::PixelNear(Grab()->ReadPixel(105, 110), 0xFF404040, 3));  // 0.25 white
}

TEST_F(LabelPixels, ShadowedLabelFadesThroughColourAlpha) {
  auto label = MakeLabel(u"A", 100, 100, 0, 0, 0);
  label->Shadow = TShadow::Create(40, 0, 0.5f);
  label->Alpha = 0.5f;  // does not enter
  label->Color->Set(255, 255, 255, 0.4f);
  Clear(128, 128, 128);
  label->Draw(0, 0, 1);
  auto shot = Grab();
  EXPECT_TRUE(testrig::PixelNear(shot->ReadPixel(105, 110), 0xFFB3B3B3, 3));  // 128 + 127 x 0.4
  EXPECT_TRUE(testrig::PixelNear(shot->ReadPixel(145, 110), 0xFF666666, 3));  // 128 x (1 - 0.2)
  EXPECT_FLOAT_EQ(ccTextAlpha, 0.4f);
  EXPECT_FLOAT_EQ(ccShadowTextDepthX, 40.0f);
}

TEST_F(LabelPixels, WhiteLabelWithShadowOnRealPixels) {
  auto label = MakeLabel(u"AB", 200, 200, 0, 0, 0, 16, 24);
  label->Color->Set(255, 220, 120, 1.0f);  // a warm tint
  label->Shadow = TShadow::Create(3, 3, 0.5f);
  Clear(100, 100, 100);
  label->Draw(0, 0, 1);
  auto shot = Grab();
  // Inside the text: the tint. Just below and right of the text box: only the shadow.
  EXPECT_TRUE(testrig::PixelNear(shot->ReadPixel(205, 210), 0xFFFFDC78, 3));
  EXPECT_TRUE(testrig::PixelNear(shot->ReadPixel(200 + 32 + 1, 200 + 24 + 1), 0xFF323232, 3));  // 100 x 0.5
  EXPECT_TRUE(testrig::PixelNear(shot->ReadPixel(150, 150), 0xFF646464, 0));
}
