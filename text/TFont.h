#pragma once
// A text style: the font to draw with (a bitmap font wins over the image font), its colour,
// an inverse colour and a drop shadow. The references are shared with their other holders;
// any of them may be absent.
#include <memory>

#include "gfx/TColor.h"
#include "platform/Font.h"
#include "platform/String.h"
#include "text/TBitmapFont.h"
#include "text/TShadow.h"

class TFont {
 public:
  TBitmapFontPtr BitmapFont;
  TColorPtr Color;
  int FixedWidth = 0;
  platform::ImageFontPtr ImageFont;  // none: the runtime's built-in font
  TColorPtr InverseColor;
  String Name;
  TShadowPtr Shadow;
  float H = 0;  // line height at scale 1 as last computed (a wrapped label: all its lines)
  double OldScale = 0;

  virtual ~TFont() = default;

  // Colour (when present), text shadow and ccTextAlpha (when present), font.
  virtual int Apply();
  virtual int ApplyCustomColor(const TColorPtr& color);
  // Inverse colour and font; the shadow and ccTextAlpha stay.
  virtual int ApplyInverse();
  virtual int ApplyScale(float scale);
  // Back to scale 1 for image fonts, whatever it was before ApplyScale.
  virtual int RestoreScale();
  // Selects the image font (it stays current) and stores its line height in H.
  virtual float CalcHeight();

  static std::shared_ptr<TFont> Create(const platform::ImageFontPtr& imageFont, const TColorPtr& color,
                                       const TShadowPtr& shadow, int fixedWidth,
                                       const TBitmapFontPtr& bitmapFont, const TColorPtr& inverseColor,
                                       const String& name);
  virtual int Init(const platform::ImageFontPtr& imageFont, const TColorPtr& color,
                   const TShadowPtr& shadow, int fixedWidth, const TBitmapFontPtr& bitmapFont,
                   const TColorPtr& inverseColor, const String& name);
  // Drops every reference; Name and H stay.
  virtual int Kill();
};
using TFontPtr = std::shared_ptr<TFont>;
