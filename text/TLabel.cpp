#include "text/TLabel.h"

#include <algorithm>

#include "platform/Graphics.h"
#include "text/TextDrawing.h"
#include "text/WordWrap.h"

std::shared_ptr<TLabel> TLabel::CreateSpecial(const String& text, float x, float y, int alignment,
                                              int wordWrap, int centreVertically) {
  auto label = std::make_shared<TLabel>();
  label->Text = text;
  label->X = x;
  label->Y = y;
  label->Alignment = alignment;
  label->WordWrap = wordWrap;
  label->CentreVertically = centreVertically;
  label->Color = TColor::Create(255, 255, 255, 1.0f);
  return label;
}

int TLabel::AutoScale(float maxWidth) {
  // Only ever shrinks; a label with no width has nothing to fit.
  if (CalcWidth() > maxWidth && W > 0) Scale = maxWidth / W;
  return 0;
}

int TLabel::CalcSize() {
  CalcWidth();
  CalcHeight();
  return 0;
}

float TLabel::CalcWidth() {
  if (BitmapFont) {
    W = static_cast<float>(BitmapFont->StringWidth(Text));
  } else {
    platform::SetImageFont(ImageFont);
    W = static_cast<float>(platform::TextWidth(Text));
  }
  return W * Scale;
}

float TLabel::CalcHeight() {
  if (WordWrap < 1) return TFont::CalcHeight() * Scale;
  if (TotalLines > 0) CalcWordWrappedHeight();
  return H * Scale;
}

int TLabel::CalcWordWrappedHeight() {
  H = static_cast<float>(TotalLines * LineGap);
  return 0;
}

int TLabel::Draw(float offsetX, float offsetY, int useColor) {
  if (Visible == 0) return 0;
  float sx = 1.0f, sy = 1.0f;
  if (Scale != 1.0f) {
    platform::GetScale(sx, sy);
    platform::SetScale(sx * Scale, sy * Scale);
  }
  if (!BitmapFont) platform::SetImageFont(ImageFont);
  float a = Alpha;
  if (useColor != 0 && Color) {
    Color->Apply();
    a *= Color->Alpha;
  }
  if (a != 1.0f) platform::SetAlpha(a);

  const float x = X + offsetX;
  float y = Y + offsetY;
  if (WordWrap < 1) {
    if (CentreVertically != 0) {
      if (BitmapFont) {
        CalcHeight();
        float csx = 1.0f, csy = 1.0f;
        platform::GetScale(csx, csy);
        y -= (H / 2.0f) * csy;
      } else {
        y -= H / 2.0f;
      }
    }
    DrawTextLine(Text, x, y, useColor);
  } else {
    const float step = static_cast<float>(LineGap) * Scale;
    const size_t lines = std::min(static_cast<size_t>(std::max(TotalLines, 0)), TextArray.size());
    for (size_t i = 0; i < lines; ++i) {
      DrawTextLine(TextArray[i], x, y, useColor);
      y += step;
    }
  }

  if (Scale != 1.0f) platform::SetScale(sx, sy);
  TColor::Restore();
  if (a != 1.0f) platform::SetAlpha(1.0f);
  return 1;
}

int TLabel::DrawTextLine(StringView text, float x, float y, int useColor) {
  const bool bent = CurvatureHeight != 0 && BitmapFont;
  if (bent) BitmapFont->SetCurvature(CurvatureWidth, CurvatureHeight);
  const int snapX = RoundCoords == 1 ? 1 : RoundXCoord;
  const int snapY = RoundCoords == 1 ? 1 : RoundYCoord;
  if (!Shadow) {
    if (BitmapFont) {
      static const std::vector<TColorPtr> kNoColours;
      BitmapFont->DrawAligned(text, x, y, Alignment, snapX, snapY, 0, kNoColours);
    } else {
      ccDrawTextAligned(text, x, y, 0, Alignment, RoundCoords);
    }
  } else {
    Shadow->ApplyToText();
    if (useColor != 0 && Color) ccTextAlpha = Color->Alpha;
    if (BitmapFont) {
      BitmapFont->DrawAlignedWithShadow(text, x, y, Alignment, snapX, snapY);
    } else {
      ccDrawTextAligned(text, x, y, 1, Alignment, RoundCoords);
    }
  }
  if (bent) BitmapFont->ClearCurvature();
  return 0;
}

int TLabel::PreCalcWordWrap() {
  if (!BitmapFont) platform::SetImageFont(ImageFont);
  TextArray = ccWordWrapArray(ccSplitStringIntoLines(Text), WordWrap, BitmapFont, Scale);
  TotalLines = static_cast<int>(TextArray.size());
  if (LineGap == 0) {
    LineGap = BitmapFont ? static_cast<int>(BitmapFont->StringHeight(BitmapFont->TestString))
                         : platform::TextHeight(u"");
  }
  CalcWordWrappedHeight();
  return 0;
}

int TLabel::SetCurvature(float width, float height) {
  CurvatureWidth = width;
  CurvatureHeight = height;
  return 0;
}

int TLabel::SetLineGap(int gap) {
  LineGap = gap;
  CalcWordWrappedHeight();
  return 0;
}
