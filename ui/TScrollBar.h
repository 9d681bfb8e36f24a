#pragma once
// A scroll bar: a track of Size pixels, a slider picture dragged along it and two optional
// arrow buttons that step the value, which runs from 0 to ValueMax. Vertical by default. The
// owner runs Manage once per tick and Draw once per frame and reads Value or ValuePrecise;
// nothing is called back.
#include <memory>

#include "platform/String.h"

class TGameImage;
class TMenu;
class TScrollBar;
using TScrollBarPtr = std::shared_ptr<TScrollBar>;

class TScrollBar {
 public:
  virtual ~TScrollBar() = default;

  std::shared_ptr<TGameImage> Background;
  float BackgroundX = 0;
  float BackgroundY = 0;
  std::shared_ptr<TGameImage> Slider;
  std::shared_ptr<TMenu> Menu;  // the arrows; none until SetArrows
  int Vertical = 1;
  int Value = 0;
  double ValuePrecise = 0.0;
  double ValueStep = 1.0;
  int Size = 0;
  double ValueMax = 0.0;
  int SliderPosition = 0;
  int SliderSelected = 0;
  int SliderOffset = 0;
  float X = 0;
  float Y = 0;
  String UpName;
  String DownName;
  int FixedGlowOnMO = 0;
  float SliderGlow = 0.0f;
  float GlowMax = 0.5f;
  float GlowSpeed = 0.02f;
  // Drawing only: the pointer tests keep the unscaled box.
  float Scale = 1.0f;

  // A negative maximum is taken as 0.
  static TScrollBarPtr Create(const std::shared_ptr<TGameImage>& slider, int size, double max,
                              float x, float y, int vertical);
  virtual int DisableButtons();
  virtual int Draw();
  virtual int Kill();
  virtual int Manage();
  // Arrow buttons from the menu folder, held down to repeat; call before SetCoords.
  virtual int SetArrows(const String& up, const String& down, int pressMs);
  virtual int SetBackground(const std::shared_ptr<TGameImage>& image, float x, float y);
  virtual int SetCoords(float x, float y);
  virtual int SliderSetPosition(double value);
  virtual int ValueCalc();
  virtual int ValueRound();

  // Size less the slider's length along the track.
  int Range() const;
  // Whether the pointer at (mx, my) lies on the slider's unscaled box.
  bool PointerOnSlider(int mx, int my) const;

 private:
  int SliderLength() const;
  // Steps the value by delta within 0..ValueMax, then places the slider.
  void Step(double delta);
};
