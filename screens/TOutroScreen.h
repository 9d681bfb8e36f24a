#pragma once
// A closing picture with a softly pulsing "click" prompt; the first click, Enter, Space or
// Escape fades out with the music and ends the program. No screen of this game leads here.
#include <memory>

#include "core/TScreen.h"
#include "platform/Audio.h"

class TGameImage;
class TSineCounter;

class TOutroScreen : public TScreen {
 public:
  TOutroScreen();
  ~TOutroScreen() override;

  std::shared_ptr<TGameImage> ClickImage;
  std::shared_ptr<TSineCounter> glow;
  // The click's own channel, kept until the screen is killed.
  platform::ChannelPtr ClickChannel;
  // Set by the first continue: later ones are ignored during the fade-out.
  int Leaving = 0;

  int Load() override;
  int Start() override;
  int Kill() override;
  int Logic() override;
  int Draw() override;
  int SetEscDestination() override;
  // Where the prompt's centre is drawn.
  float PromptY() const;
};

extern std::shared_ptr<TOutroScreen> OutroScreen;
