#pragma once
// A horizontal progress bar that fills in a fixed number of steps: a plain rectangle (mode 0),
// the bar picture cut to the filled width over an empty-bar picture (mode 1) or alone (mode 2),
// and an optional picture for the finished bar.
#include <memory>

#include "platform/Image.h"

class TLoadingBar {
 public:
  virtual ~TLoadingBar() = default;

  int Mode = 0;
  platform::ImagePtr Image;
  platform::ImagePtr EmptyImage;
  platform::ImagePtr FinalImage;
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  float Position = 0;  // filled width in pixels; may run past w after extra steps
  float Steps = 0;
  float StepSize = 0;
  int CurrentStep = 0;
  int Finished = 0;
  int BgR = 50;
  int BgG = 50;
  int BgB = 50;
  int BorderR = 0;
  int BorderG = 0;
  int BorderB = 0;
  int DrawEmptyUnderFinal = 0;

  // The empty and final pictures may be null. Every present picture gets a top-left handle.
  virtual int Init(const platform::ImagePtr& bar, const platform::ImagePtr& empty,
                   const platform::ImagePtr& final);
  virtual int Centre(int newY);
  virtual int SetSteps(int count);
  virtual int SetBackgroundColour(int r, int g, int b);
  virtual int SetBorderColour(int r, int g, int b);
  virtual int Progress();
  // 1 when drawn.
  virtual int Draw();
};
using TLoadingBarPtr = std::shared_ptr<TLoadingBar>;
