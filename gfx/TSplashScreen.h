#pragma once
// One blocking start-up splash: a picture faded in from the clear colour, held and faded out,
// with an optional sound; a click or key hit skips it. Input is read through the runtime's
// polled input while it runs; the input mode found before is restored afterwards.
#include <memory>

#include "gfx/TFade.h"
#include "platform/Audio.h"
#include "platform/Image.h"
#include "platform/String.h"

class TSplashScreen : public std::enable_shared_from_this<TSplashScreen> {
 public:
  TSplashScreen();
  virtual ~TSplashScreen() = default;

  platform::ImagePtr Image;
  platform::SoundPtr Sample;
  int Sound = 1;  // 1: play the sample
  float SampleRate = 1.0f;  // rate of a fading sound
  // 1: the sample loops and its volume follows the picture; 0: it plays once at full volume.
  int FadeSound = 0;
  platform::ChannelPtr Channel;
  std::shared_ptr<TFade> fade;
  float TimeIn = 2000;
  float TimeFull = 1000;
  float TimeOut = 2000;
  int OriginalPolledInputState = 0;
  platform::ImagePtr background;
  float BackgroundXSpeed = 0;
  float BackgroundYSpeed = 0;
  float BackgroundZoomSpeed = 0;
  float BackgroundFadeTime = 0;

  // Loads the picture (no flags) and the sample (when named); a 0 time keeps its default;
  // switches to polled input. A missing file is fatal.
  virtual int Init(const String& image, const String& sample, int sound, int fadeSound, int inMs,
                   int fullMs, int outMs);
  virtual int InitTimes(int inMs, int fullMs, int outMs);
  // 0 when it ran to the end, -1 when skipped.
  virtual int DoSplash();
  // Stops the sound, flushes input and restores the input mode.
  virtual int CleanUp();
};

// Test seam: the splash whose DoSplash is running, or null.
std::shared_ptr<TSplashScreen> SplashBeingShown();
