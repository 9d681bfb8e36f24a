#pragma once
// A font drawn glyph by glyph from one page picture, described by a ".fnt" text file.
// This holds the object, its glyph table and the measuring and drawing that styles, labels and
// the word wrapper use; the description loader (Create) and the remaining helpers come with the
// bitmap-font work.
#include <cstdint>
#include <memory>
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
  int16_t NumChars = 0;
  int16_t NumExtraChars = 0;
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
