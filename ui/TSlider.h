#pragma once
// A horizontal value slider for a setting from 0 to 100: a track picture and a knob centred on
// the value's point of the track. A press on the track (or a little beside it) sets the value
// from the pointer, and holding the button drags the knob. It never plays a sound or changes a
// setting: its owner runs Manage once per tick and reads Value on a tick that answers 1.
// The slider's `MouseOver` hides the sprite's `MouseOver`, which sliders never use; the track's
// handle is its top-left corner, as is the knob's.
#include <memory>

#include "gfx/TSprite.h"
#include "platform/String.h"

class TSlider;
using TSliderPtr = std::shared_ptr<TSlider>;

class TSlider : public TSprite {
 public:
  static constexpr char16_t Ext[] = u".png";

  TGameImagePtr DotImage;
  int DotX = 0;  // knob's left edge on the screen; changes only in SetValue
  int DotY = 0;  // knob's top edge; fixed at creation
  int MouseOver = 0;
  int Value = 0;
  int Border = 0;   // pixels at each end of the track outside the value range
  int BorderY = 5;  // pixels above and below the track that still count

  // Pictures from Game->ImagePath + name + ".png"; the value starts at 50.
  static TSliderPtr CreateSpecial(const String& track, const String& knob, int x, int y,
                                  int border, const String& name, int marginY);
  virtual int Load(const String& track, const String& knob, const String& name);
  virtual int LoadImages(const String& track, const String& knob);
  virtual int SetValue(int value);
  // 1 on a tick in which a held button set the value, else 0.
  virtual int Manage();

  int Init() override;
  int Draw() override;
};
