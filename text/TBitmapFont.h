#pragma once
// A font drawn glyph by glyph from one page picture, described by a ".fnt" text file.
// A font named N is the page "N.png" and the description "N.fnt" (an optional "scaleF" line, the
// info, common, page and chars lines, then one "char id=..." line per glyph up to the end or the
// first "kerning" line).
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "gfx/TColor.h"
#include "platform/Image.h"
#include "platform/String.h"

class TBitmapFont {
 public:
  static constexpr int kInitialSlots = 406;

  double CharGap = 0;
  int ChangeHandle = 0;
  float CurvatureAngle = 180.0f;
  int DrawOffsetY = 0;
  double HandleX = 0;
  double HandleY = 0;
  double ScaleFactor = 0;
  String TestString = u"ABCXYZ";
  int ArraySize = kInitialSlots;
  float CurvatureHeight = 0;
  float CurvatureWidth = 0;
  std::vector<int> ID = std::vector<int>(kInitialSlots, 0);
  platform::ImagePtr Image;
  int NumChars = 0;
  int NumExtraChars = 0;
  double TextureH = 0;
  double TextureW = 0;
  std::vector<double> width = std::vector<double>(kInitialSlots, 0.0);
  std::vector<double> height = std::vector<double>(kInitialSlots, 0.0);
  std::vector<double> xAdvance = std::vector<double>(kInitialSlots, 0.0);
  std::vector<double> xOffset = std::vector<double>(kInitialSlots, 0.0);
  std::vector<double> yOffset = std::vector<double>(kInitialSlots, 0.0);
  std::vector<double> xPos = std::vector<double>(kInitialSlots, 0.0);
  std::vector<double> yPos = std::vector<double>(kInitialSlots, 0.0);

  // Class-wide switches.
  static int AutoCalcDrawOffsetY;
  static int UseStringHeightAccurate;
  static int UseBuggedStringHeight;

  virtual ~TBitmapFont() = default;

  // Loads name + ".png" (flags: the page's load flags) and name + ".fnt"; either missing is
  // fatal. yAdjust is added to every glyph's vertical offset.
  static std::shared_ptr<TBitmapFont> Create(const String& name, int flags, int unused, int yAdjust);
  // The description's parsing, from its lines or its raw bytes (the page is not needed).
  int ReadDescription(const std::vector<String>& lines, int yAdjust);
  int ReadDescriptionBytes(std::string_view bytes, int yAdjust);
  // The description's lines as the file reader gives them: split at LF (and NUL), CR dropped.
  static std::vector<String> DescriptionLines(std::string_view bytes);

  // DrawOffsetY = -trunc(yOffset of 'A').
  virtual int CalcDrawOffsetY();
  // The scale that makes text fit maxWidth (1.0 when it fits or has no width).
  virtual float CalcReducedScale(StringView text, int maxWidth) const;
  // Texture bytes of the page at power-of-two sizes.
  virtual int CalcVRAM() const;
  // One line below the other; lineHeight 0 takes the height of TestString.
  virtual int DrawStringArray(const std::vector<String>& lines, double x, double y, int centre,
                              int right, int roundX, int roundY, int shadow, int lineHeight,
                              int centreVertically);
  // Every glyph array grows by 100 zeroed slots.
  virtual int ExpandArrays();
  // Drops the page; the glyph table stays.
  virtual int Kill();
  virtual int Precache();
  // Leaves the handle mode (set ChangeHandle to enter it) and clears the handles.
  virtual int ResetHandle();
  // Stacked height: glyph heights, a space counting 0.75 of its advance.
  virtual double StringHeightVertical(StringView text) const;
  // The longest prefix whose width is at most maxWidth x ScaleFactor.
  virtual String TruncateString(StringView text, int maxWidth) const;

  // Slot of c's first character among the extra slots (codes above 255); 0 when absent.
  virtual int FindChar(StringView c) const;
  virtual int ClearCurvature();
  virtual int SetCurvature(float width, float height);
  // Every character's (xAdvance + CharGap), without the trailing gap, times ScaleFactor.
  virtual double StringWidth(StringView text) const;
  virtual double StringHeight(StringView text) const;
  virtual double StringHeightAccurate(StringView text) const;

  virtual int Draw(StringView text, double x, double y, int centre, int right, int roundX, int roundY,
                   int shadow, int centreY, int vertical, const std::vector<TColorPtr>& colours);
  // align 0 left, 1 centred on x, 2 right at x, 3 centred on x and y; others draw nothing.
  virtual int DrawAligned(StringView text, double x, double y, int align, int roundX, int roundY,
                          int shadow, const std::vector<TColorPtr>& colours);
  virtual int DrawAlignedWithShadow(StringView text, double x, double y, int align, int roundX,
                                    int roundY);

 protected:
  // The glyph slot of one character (0: no glyph).
  int SlotOf(char16_t c) const;
  double Advance(int slot) const { return xAdvance[static_cast<size_t>(slot)] + CharGap; }
};
using TBitmapFontPtr = std::shared_ptr<TBitmapFont>;
