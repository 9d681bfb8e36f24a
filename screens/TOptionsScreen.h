#pragma once
// The options screen: three sliders (music volume, sound volume, detail), the full-screen
// toggle, the credits and OK. Every change takes effect at once through Game; the settings
// file is written when the player leaves by OK or Escape (the toggle writes it itself).
// It returns to `Destination`, set by the screen that opens it.
#include <memory>

#include "core/TScreen.h"
#include "gfx/TGameImage.h"
#include "platform/Audio.h"

class TButton;
class TSlider;

class TOptionsScreen : public TScreen {
 public:
  TOptionsScreen();
  ~TOptionsScreen() override;

  TGameImagePtr OptionsLabel;
  TGameImagePtr MusicLabel;
  TGameImagePtr SoundLabel;
  TGameImagePtr DetailLabel;
  TGameImagePtr FullscreenLabel;
  platform::ChannelPtr ChannelClick;  // the sound slider's own click, never two at once
  std::shared_ptr<TSlider> MusicSlider;
  std::shared_ptr<TSlider> SoundSlider;
  std::shared_ptr<TSlider> DetailSlider;

  virtual int LoadToggle(int state, const String& buttonName);
  // Writes the settings and the changed marker.
  virtual int Close();
  virtual int ClickSound();
  // New pictures for the state; the button keeps its name, place and the menu's sounds.
  virtual int ReloadToggleButton(const std::shared_ptr<TButton>& button, int state,
                                 const String& buttonName);

  int Load() override;
  int Kill() override;
  int Logic() override;
  int Draw() override;
  int SetEscDestination() override;

  // Where OK and Escape lead: Destination, or the title when none was set.
  std::shared_ptr<TScreen> LeaveTo() const;
};

extern std::shared_ptr<TOptionsScreen> OptionsScreen;
