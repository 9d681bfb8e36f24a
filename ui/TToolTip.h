#pragma once
// A hover tip: a picture with word-wrapped text that appears beside the pointer once it has
// rested on the owner's target for CollideCounterMax ticks, fades in, and fades out when it
// leaves. The owner sets image, Font (with a bitmap font and a colour) and the text, then
// calls Collide once per tick and Draw once per frame. Without a picture or a bitmap font the
// tip keeps its timing but draws nothing.
#include <memory>

#include "platform/String.h"
#include "text/StringHelpers.h"

class TFont;
class TGameImage;
class TGameSound;

class TToolTip {
 public:
  virtual ~TToolTip() = default;

  int Visible = 0;
  float x = 0;
  float y = 0;
  std::shared_ptr<TGameImage> image;
  std::shared_ptr<TFont> Font;
  float FontScale = 1.0f;
  int RoundedCoords = 1;
  int TextYOffset = 0;
  String Text;
  StringArray TextWrapped;
  int TextDrawWidth = 200;
  int DrawUnderMouseCursor = 1;
  int GapFromMouse = 5;
  int XOffset = 0;
  int SetCoordsOnceOnly = 1;
  float CollideCounter = 0;
  int CollideCounterMax = 50;
  int Fade = 1;
  float FadeInSpeed = 0.02f;
  float FadeOutSpeed = 0.04f;
  float FadeLevel = 0;
  int AlwaysShowAboveMouse = 0;
  std::shared_ptr<TGameSound> ToolTipSound;

  // hit: 1 while the pointer is over the target this tick.
  virtual int Collide(int hit);
  virtual int Kill();
  // 1 when drawn.
  virtual int Draw();
  virtual int SetCollideCounterMax(int ms);
  // 0 (text kept) while the tip is shown or fading with fading on.
  virtual int SetText(const String& text);

 private:
  void Place();
};
using TToolTipPtr = std::shared_ptr<TToolTip>;
