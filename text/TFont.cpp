#include "text/TFont.h"

#include "platform/Graphics.h"
#include "text/TextDrawing.h"

int TFont::Apply() { return ApplyCustomColor(Color); }

int TFont::ApplyCustomColor(const TColorPtr& color) {
  if (color) color->Apply();
  if (Shadow) {
    Shadow->ApplyToText();
    if (color) ccTextAlpha = color->Alpha;
  }
  if (!BitmapFont) platform::SetImageFont(ImageFont);
  return 0;
}

int TFont::ApplyInverse() {
  if (InverseColor) InverseColor->Apply();
  if (!BitmapFont) platform::SetImageFont(ImageFont);
  return 0;
}

int TFont::ApplyScale(float scale) {
  if (BitmapFont) {
    OldScale = BitmapFont->ScaleFactor;
    BitmapFont->ScaleFactor = scale;
  } else {
    platform::SetScale(scale, scale);
  }
  return 0;
}

int TFont::RestoreScale() {
  if (BitmapFont) {
    BitmapFont->ScaleFactor = OldScale;
  } else {
    platform::SetScale(1.0f, 1.0f);
  }
  return 0;
}

float TFont::CalcHeight() {
  if (BitmapFont) {
    H = static_cast<float>(BitmapFont->StringHeight(BitmapFont->TestString));
  } else {
    platform::SetImageFont(ImageFont);
    H = static_cast<float>(platform::TextHeight(u""));
  }
  return H;
}

std::shared_ptr<TFont> TFont::Create(const platform::ImageFontPtr& imageFont, const TColorPtr& color,
                                     const TShadowPtr& shadow, int fixedWidth,
                                     const TBitmapFontPtr& bitmapFont, const TColorPtr& inverseColor,
                                     const String& name) {
  auto font = std::make_shared<TFont>();
  font->Init(imageFont, color, shadow, fixedWidth, bitmapFont, inverseColor, name);
  return font;
}

int TFont::Init(const platform::ImageFontPtr& imageFont, const TColorPtr& color,
                const TShadowPtr& shadow, int fixedWidth, const TBitmapFontPtr& bitmapFont,
                const TColorPtr& inverseColor, const String& name) {
  ImageFont = imageFont;
  Color = color;
  Shadow = shadow;
  FixedWidth = fixedWidth;
  BitmapFont = bitmapFont;
  InverseColor = inverseColor;
  Name = name;
  CalcHeight();
  return 0;
}

int TFont::Kill() {
  ImageFont.reset();
  BitmapFont.reset();
  Color.reset();
  InverseColor.reset();
  Shadow.reset();
  return 0;
}
