#pragma once
// Shared set-up of the widget tests: a fresh Game on the silent audio driver and a fake clock,
// with its picture, menu and sound folders in a temporary directory, pictures and sounds made
// on the spot, and a channel pool that records which sounds were played.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/TestRig.h"
#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/TChannelArray.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TGameSound.h"
#include "core/TMousePointer.h"
#include "gfx/TGameFade.h"
#include "platform/Audio.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/Graphics.h"
#include "platform/Image.h"
#include "platform/System.h"

namespace uitest {

// Records every sound handed to the pool instead of playing it.
class RecordingChannels : public TChannelArray {
 public:
  std::vector<String> played;
  std::shared_ptr<TGameChannel> PlayGameSound(const std::shared_ptr<TGameSound>& sound,
                                              std::shared_ptr<TGameChannel>, float,
                                              float) override {
    if (sound) played.push_back(sound->name);
    return nullptr;
  }
  int Count(const String& name) const {
    int n = 0;
    for (const String& s : played) n += s == name ? 1 : 0;
    return n;
  }
};

// A 16-bit mono PCM WAV of a short tone.
std::string MakeWav(int frames = 441);

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kGrey = 0xFF808080;
constexpr uint32_t kYellow = 0xFFFFFF00;
constexpr uint32_t kBlack = 0xFF000000;

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A solid picture of w by h in the image ("images/") or menu ("menus/") folder.
  void Picture(const std::string& folder, const std::string& name, int w, int h, uint32_t argb);
  // A picture strip of frames cells, cell n filled with colours[n].
  void Strip(const std::string& folder, const std::string& name, int cellW, int cellH,
             const std::vector<uint32_t>& colours);
  void Sound(const std::string& name);

  // The pointer at (x, y); Press adds a mouse-button press for this tick, as the event pump does.
  void PointerAt(int x, int y);
  void Press();
  void Release();
  // The pointer's presses are cleared at the start of every tick by the frame loop.
  void NewTick();
  // A key as the runtime delivers it, pumped at once: key down, its character (when ch is not
  // 0), key up.
  void Key(int vk, int ch = 0);
  // A typed character with the virtual key the runtime gives it (letters: the capital's code).
  void Type(char16_t c);
  void TypeText(const String& text);

  void OpenDisplay();
  uint32_t PixelAt(int x, int y);

  std::shared_ptr<RecordingChannels> channels;
  std::string dir;  // no closing slash
};

}  // namespace uitest
