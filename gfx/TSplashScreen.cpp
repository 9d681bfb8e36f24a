#include "gfx/TSplashScreen.h"

#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/Input.h"
#include "core/TGame.h"
#include "gfx/DrawHelpers.h"
#include "gfx/ScreenEffects.h"
#include "gfx/TColor.h"

namespace {

std::weak_ptr<TSplashScreen> shown;

struct ShownGuard {
  explicit ShownGuard(std::weak_ptr<TSplashScreen> splash) : previous(std::move(shown)) {
    shown = std::move(splash);
  }
  ~ShownGuard() { shown = std::move(previous); }
  std::weak_ptr<TSplashScreen> previous;
};

}  // namespace

std::shared_ptr<TSplashScreen> SplashBeingShown() { return shown.lock(); }

TSplashScreen::TSplashScreen() : fade(std::make_shared<TFade>()) {}

int TSplashScreen::Init(const String& image, const String& sample, int sound, int fadeSound,
                        int inMs, int fullMs, int outMs) {
  Image = ccLoadBitmap(image, 0);
  ccCreateFrames(Image);
  if (!sample.empty()) Sample = ccLoadSample(sample, fadeSound == 1 ? platform::SOUND_LOOP : 0);
  if (inMs != 0) TimeIn = static_cast<float>(inMs);
  if (fullMs != 0) TimeFull = static_cast<float>(fullMs);
  if (outMs != 0) TimeOut = static_cast<float>(outMs);
  Sound = sound;
  FadeSound = fadeSound;
  ccFlushAll();
  OriginalPolledInputState = ccPolledInputState;
  ccEnablePolledInput();
  return 0;
}

int TSplashScreen::InitTimes(int inMs, int fullMs, int outMs) {
  TimeIn = static_cast<float>(inMs);
  TimeFull = static_cast<float>(fullMs);
  TimeOut = static_cast<float>(outMs);
  return 0;
}

int TSplashScreen::DoSplash() {
  ShownGuard guard(weak_from_this());
  const auto& cls = Game->ClsColor;
  ccClsVSync(cls ? cls->R : 0, cls ? cls->G : 0, cls ? cls->B : 0);
  if (Sound && Sample) {
    Channel = platform::CueSound(Sample);
    if (FadeSound == 1) {
      platform::SetChannelRate(Channel, SampleRate);
      platform::SetChannelVolume(Channel, 0.0f);
    }
    platform::ResumeChannel(Channel);
  }
  if (background) {
    fade->Background = background;
    fade->BackgroundXSpeed = BackgroundXSpeed;
    fade->BackgroundYSpeed = BackgroundYSpeed;
    fade->BackgroundZoomSpeed = BackgroundZoomSpeed;
    fade->BackgroundFadeTime = BackgroundFadeTime;
  }
  fade->Init(TimeIn, Image, FadeSound == 1 ? Channel : nullptr);
  fade->CentreImage();
  if (fade->FadeDo(0) == -1 || fade->WaitForTime(TimeFull) == -1) {
    CleanUp();
    return -1;
  }
  fade->Reset();
  fade->Length = TimeOut;
  if (fade->FadeDo(1) == -1) {
    CleanUp();
    return -1;
  }
  fade->Zero();
  ccRestoreSolidMode();
  CleanUp();
  return 0;
}

int TSplashScreen::CleanUp() {
  if (Sound && Channel) platform::StopChannel(Channel);
  ccRestoreSolidMode();
  ccFlushAll();
  if (OriginalPolledInputState == 0) ccDisablePolledInput();
  ccFlushAll();
  return 0;
}
