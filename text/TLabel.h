#pragma once
// A positioned piece of text in a style: alignment, scale, alpha, vertical centring, word wrap
// into lines and snapping to whole pixels. Owners lay it out on request (CalcSize,
// PreCalcWordWrap) and draw it once per frame; Draw only walks the prepared lines.
#include <memory>

#include "text/StringHelpers.h"
#include "text/TFont.h"

class TLabel : public TFont {
 public:
  float Alpha = 1.0f;
  int CentreVertically = 0;  // single-line labels: Y is the middle of the line
  int LineGap = 0;           // 0: the next PreCalcWordWrap takes the font's line height
  float Scale = 1.0f;
  float X = 0;
  float Y = 0;
  int RoundCoords = 1;
  int RoundXCoord = 0;
  int RoundYCoord = 0;
  int Visible = 1;
  float W = 0;  // width of Text at scale 1 as last computed
  int Alignment = 0;  // 0 left, 1 centred, 2 right (3: centred both ways, bitmap fonts only)
  float CurvatureHeight = 0;
  float CurvatureWidth = 0;
  String Text;
  StringArray TextArray;
  int TotalLines = 0;
  int WordWrap = 0;  // wrap width in screen pixels; below 1 the label is one line

  // A label in white with no font yet.
  static std::shared_ptr<TLabel> CreateSpecial(const String& text, float x, float y, int alignment,
                                               int wordWrap, int centreVertically);

  virtual int AutoScale(float maxWidth);
  virtual int CalcSize();
  // W from the whole Text as one line; returns W x Scale.
  virtual float CalcWidth();
  virtual int CalcWordWrappedHeight();
  // Returns 1, or 0 when hidden (then nothing of the drawing state is touched). Ends with white,
  // alpha 1.0 and the scale as it was.
  virtual int Draw(float offsetX, float offsetY, int useColor);
  virtual int DrawTextLine(StringView text, float x, float y, int useColor);
  virtual int PreCalcWordWrap();
  virtual int SetCurvature(float width, float height);
  virtual int SetLineGap(int gap);
  // Returns the height x Scale; H stays unscaled.
  float CalcHeight() override;
};
using TLabelPtr = std::shared_ptr<TLabel>;
