#pragma once
// A blocking fade of one picture from or to the clear colour, with its own draw-and-present
// loop timed by the millisecond clock (wall-clock ms, not logic ticks). Input is read through
// the runtime's polled input; any click or key hit skips it. An optional background drifts
// and zooms behind the picture (speeds per second).
#include <functional>
#include <memory>

#include "platform/Audio.h"
#include "platform/Image.h"

class TFade {
 public:
  virtual ~TFade() = default;

  platform::ChannelPtr Channel;  // its volume follows the fade at the sound setting
  platform::ImagePtr Image;
  int X = 0;  // the picture's top-left position
  int Y = 0;
  float Length = 0;  // ms
  float StartTime = 0;
  float Elapsed = 0;
  float Ratio = 0;  // the picture's alpha
  float LastTime = 0;
  platform::ImagePtr Background;
  float BackgroundX = 0;
  float BackgroundY = 0;
  float BackgroundZoom = 1.0f;
  float BackgroundXSpeed = 0;
  float BackgroundYSpeed = 0;
  float BackgroundZoomSpeed = 0;
  float BackgroundFadeTime = 0;
  float BackgroundAlpha = 0;
  int Out = 0;  // 0 in, 1 out, -1 holding

  virtual int Init(float lengthMs, const platform::ImagePtr& image,
                   const platform::ChannelPtr& channel);
  virtual int Reset();
  // For a picture whose handle is at its top-left corner.
  virtual int CentreImage();
  // 1 when it ran its length, -1 when skipped.
  virtual int FadeDo(int out);
  virtual int MoveBackground(float now, float elapsed);
  // 0 at the end, -1 when skipped.
  virtual int WaitForTime(float ms);
  // Draws and presents one frame.
  virtual int Draw();
  virtual int Full();
  virtual int Zero();
};

// Test seam: called after every frame a fade presents.
void SetFadeFrameHook(std::function<void(const TFade& fade)> hook);
