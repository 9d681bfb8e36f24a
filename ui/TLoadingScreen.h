#pragma once
// The first screen: a background with a loading bar that the start-up loading advances one
// step per asset and a loading picture; once the bar is full a "click here" button appears,
// and a click (anywhere), Enter or Space fades out to the destination. Later screens reuse
// DrawLoading to show the loading picture while they load, so Kill keeps that picture.
#include <functional>
#include <memory>

#include "core/TScreen.h"
#include "platform/Image.h"

class TLoadingBar;
class TButton;

class TLoadingScreen : public TScreen {
 public:
  TLoadingScreen();
  ~TLoadingScreen() override;

  std::shared_ptr<TLoadingBar> LoadingBar;
  std::shared_ptr<TButton> ClickHereButton;
  int Finished = 0;
  platform::ImagePtr LoadingTextImage;  // centre handle
  int LoadingX = 0;
  int LoadingY = 0;
  int DrawLoadingTextImage2 = 0;
  platform::ImagePtr LoadingTextImage2;
  std::function<void()> CustomDrawFunction;
  std::function<void()> CustomKillFunction;
  // 1: Escape is left to the application (which ends the game here); 0: it leads on.
  int EscapeCloses = 1;
  // 1: the fade-out also fades the music.
  int FadeMusic = 0;

  // Background (from the image folder), bar picture with its optional "empty" and "final"
  // companions, loading picture. A missing background, bar or loading picture is fatal.
  virtual int SpecialLoad(const String& background, const String& bar, const String& text);
  virtual int SetSteps(int steps);
  virtual int SetClickHereButton(const String& picture, const String& mouseOverPicture,
                                 const String& mouseOverSound, const String& clickSound, int y);
  // mode 0: the loading picture into the current frame; other modes clear the screen first and
  // present a whole frame (mode 1 shows the picture only while music is on).
  virtual int DrawLoading(int mode);
  // One bar step; when the bar is full, input gathered while loading is dropped.
  virtual int Progress();

  int Start() override;
  int Kill() override;
  int Logic() override;
  int Draw() override;
};
