#pragma once
// Shared set-up of the sound tests: a fresh application object on the silent "None" driver
// with its folders and settings file in a temporary folder, and sounds made on the spot.
#include <gtest/gtest.h>

#include <string>

#include "platform/Audio.h"
#include "platform/String.h"

namespace soundtest {

// A 16-bit PCM WAV file of a sine tone.
std::string MakeWav(int frames, int channels = 1, int rate = 44100);
// An Ogg Vorbis file of a sine tone.
std::string MakeOgg(int frames, int channels = 1, int rate = 44100);
// A decoded tone, never looping.
platform::SoundPtr Tone(int frames = 44100);

// The volume last set on a channel (read from the mixer's voice).
float VolumeOf(const platform::ChannelPtr& channel);
platform::SoundPtr SoundOn(const platform::ChannelPtr& channel);

// Mixes frames on the global mixer, as the device would; returns the loudest sample.
int RenderFrames(int frames);

class AudioGameTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes bytes to the folder + name and returns the path.
  std::string Put(const std::string& relative, const std::string& bytes) const;
  std::string SettingsText() const;

  std::string dir;  // no closing slash
};

}  // namespace soundtest
