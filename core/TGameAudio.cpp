// TGame: music, sound effects, speech, the channels, the sound driver, the particle level and
// the loading-bar step.
#include <algorithm>

#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/Input.h"
#include "core/TChannelArray.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TGameSound.h"
#include "gfx/CounterHelpers.h"
#include "gfx/TGameFade.h"
#include "platform/Audio.h"
#include "platform/Graphics.h"
#include "ui/TLoadingScreen.h"

namespace {

// A setting in 0..100.
int Clamp100(int v) {
  ccRangeCheck100(v);
  return v;
}

// A setting plus a step, without leaving int range on the way.
int Step(int v, int d) {
  return Clamp100(static_cast<int>(std::clamp(static_cast<long long>(v) + d, -1LL, 101LL)));
}

constexpr char16_t kNoMusic[] = u"none";

}  // namespace

int TGame::MusicLoad(const String& file, int looped) {
  if (Music) {
    MusicStop();
    // Tracks are decoded while they play, not held decoded whole.
    MusicSample = ccLoadSample(MusicPath + file,
                               platform::SOUND_STREAM | (looped == 1 ? platform::SOUND_LOOP : 0));
  }
  MusicLooped = looped;
  MusicRestart = 1;
  MusicFileName = file;
  return 0;
}

int TGame::MusicSet(const platform::SoundPtr& sample, const String& file, int looped) {
  if (Music) {
    MusicStop();
    MusicSample = sample;
  }
  MusicLooped = looped;
  MusicRestart = 1;
  MusicFileName = file;
  return 0;
}

int TGame::MusicStop() {
  if (Music && MusicChannel && platform::ChannelPlaying(MusicChannel)) {
    platform::StopChannel(MusicChannel);
    MusicChannel = platform::AllocChannel();
  }
  MusicRestart = 1;
  return 0;
}

int TGame::MusicPlay(int fadeIn, int customVolume, int silent) {
  CustomMusicVolume = customVolume;
  if (!Music) {
    MusicRestart = 1;
  } else if (MusicChannel && MusicSample) {
    MusicFadeInCounter = fadeIn ? CalcAnimLength(static_cast<int>(MusicFadeIn - 1.0f)) : 0.0f;
    platform::CueSound(MusicSample, MusicChannel);
    MusicFadeInApply();
    if (silent) platform::SetChannelVolume(MusicChannel, 0.0f);
    platform::ResumeChannel(MusicChannel);
    MusicRestart = 0;
    MusicStopped = 0;
  }
  MusicName = MusicFileName;
  return 0;
}

int TGame::MusicNone() {
  MusicFileName = u"none";
  MusicName = u"none";
  MusicRestart = 1;
  return 0;
}

int TGame::GetMusicVolume() {
  if (CustomMusicVolume == 0) return MusicVolume;
  // Whole percent, multiplied before dividing so that no step truncates to 0 on its own.
  return static_cast<int>(static_cast<long long>(CustomMusicVolume) * MusicVolume / 100);
}

float TGame::MusicFadeInCalc() {
  const float length = CalcAnimLength(static_cast<int>(MusicFadeIn));
  return length > 0 ? (length - MusicFadeInCounter) / length : 1.0f;
}

float TGame::MusicFadeOutCalc() {
  const float length = CalcAnimLength(static_cast<int>(MusicFadeOut));
  return length > 0 ? (length - MusicFadeOutCounter) / length : 1.0f;
}

int TGame::MusicFadeInApply() {
  const float v = MusicFadeIn > 0 ? MusicFadeInCalc() : 1.0f;
  if (MusicChannel) {
    platform::SetChannelVolume(MusicChannel, static_cast<float>(GetMusicVolume()) / 100.0f * v);
  }
  return 0;
}

int TGame::MusicFadeOutApply() {
  const float v = MusicFadeOut > 0 ? MusicFadeOutCalc() : 1.0f;
  if (MusicChannel) {
    platform::SetChannelVolume(MusicChannel,
                               (1.0f - v) * static_cast<float>(GetMusicVolume()) / 100.0f);
  }
  return 0;
}

int TGame::MusicFadeInManage() {
  if (MusicFadeInDelay > 0) {
    MusicFadeInDelay -= Delta;
    if (MusicFadeInDelay >= 0) return 0;
    MusicFadeInDelay = 0;
  }
  if (MusicFadeInCounter > 0) {
    MusicFadeInCounter = std::max(0.0f, MusicFadeInCounter - Delta);
    MusicFadeInApply();
  }
  return 0;
}

int TGame::MusicFadeOutManage() {
  if (MusicFadeOutCounter > 0) {
    MusicFadeOutCounter = std::max(0.0f, MusicFadeOutCounter - Delta);
    MusicFadeOutApply();
  }
  return 0;
}

int TGame::MusicFadeOutSet(float ms) {
  MusicFadeOut = ms;
  // The same truncated length as MusicFadeOutCalc, so the fade starts at full volume.
  MusicFadeOutCounter = CalcAnimLength(static_cast<int>(ms));
  return 0;
}

int TGame::MusicSetVolume(int v, int save) {
  MusicVolume = Clamp100(v);
  if (MusicChannel) {
    platform::SetChannelVolume(MusicChannel, static_cast<float>(GetMusicVolume()) / 100.0f);
  }
  if (save == 1) {
    IniUpdate(1);
    FixedRateLogic->Init();
  }
  return 0;
}

int TGame::MusicChangeVolume(int d) {
  return MusicSetVolume(Step(MusicVolume, d), 1);
}

int TGame::ToggleMusic() {
  if (Paused) return 0;
  if (Music) {
    MusicOff();
  } else {
    MusicOn();
  }
  IniUpdate(1);
  FixedRateLogic->Init();
  return 0;
}

int TGame::MusicOff() {
  if (SpecialChannel) platform::PauseChannel(SpecialChannel);
  if (MusicRestart == 0) {
    Music = 0;
    if (MusicChannel) platform::PauseChannel(MusicChannel);
    return 1;
  }
  return 0;
}

int TGame::MusicOn() {
  if (SpecialChannel) platform::ResumeChannel(SpecialChannel);
  if (Music == 1) return 0;
  Music = 1;
  if (MusicRestart == 1 || !MusicChannel) {
    // "none" names no track: there is nothing to load or play.
    if (MusicFileName != kNoMusic) {
      MusicLoad(MusicFileName, MusicLooped);
      if (MusicName != kNoMusic) MusicPlay(1, 0, 0);
    }
  } else if (!(MusicLooped == 0 && MusicStopped)) {
    platform::ResumeChannel(MusicChannel);
  }
  return 1;
}

int TGame::ChannelsCreate(int n) {
  Channels = TChannelArray::Create(n);
  Channels->MaxVol = static_cast<float>(n);
  return 0;
}

int TGame::ChannelsKill() {
  if (Channels) Channels->Kill();
  Channels.reset();
  return 0;
}

int TGame::ChangeSoundDriver(const String& name, int save) {
  // The runtime has no OpenAL family to make available, so such names fail like any other
  // unknown driver: the game goes on silent.
  SoundDriver = platform::SetAudioDriver(name) ? name : String(u"None");
  IniUpdate(save);
  FixedRateLogic->Init();
  return 0;
}

int TGame::SoundPlay(const platform::SoundPtr& sound) {
  if (!Sound || !sound) return 0;
  platform::ChannelPtr channel = platform::CueSound(sound);
  platform::SetChannelVolume(channel, static_cast<float>(SoundVolume) / 100.0f);
  platform::ResumeChannel(channel);
  return 0;
}

int TGame::SoundPlaySameChannel(platform::ChannelPtr& channel, const platform::SoundPtr& sound) {
  if (!Sound || !sound) return 0;
  if (channel && platform::ChannelPlaying(channel)) platform::SetChannelVolume(channel, 0.1f);
  channel = platform::CueSound(sound, channel);
  platform::SetChannelVolume(channel, static_cast<float>(SoundVolume) / 100.0f);
  platform::ResumeChannel(channel);
  return 0;
}

int TGame::SoundPlayReturnChannel(platform::ChannelPtr& channel, const platform::SoundPtr& sound,
                                  float rate) {
  if (!Sound || !sound) return 0;
  if (channel && platform::ChannelPlaying(channel)) platform::SetChannelVolume(channel, 0.1f);
  channel = platform::CueSound(sound);
  platform::SetChannelVolume(channel, static_cast<float>(SoundVolume) / 100.0f);
  platform::SetChannelRate(channel, rate);
  platform::ResumeChannel(channel);
  return 0;
}

int TGame::GameSoundPlay(platform::ChannelPtr& channel, const std::shared_ptr<TGameSound>& gameSound,
                         float pan) {
  if (!Sound || !gameSound || !gameSound->sound) return 0;
  if (channel && platform::ChannelPlaying(channel)) platform::SetChannelVolume(channel, 0.1f);
  // An empty variable receives a new channel, so the caller owns what it plays on.
  channel = platform::CueSound(gameSound->sound, channel);
  float volume = static_cast<float>(SoundVolume) / 100.0f * gameSound->volume;
  if (GameFade && GameFade->Active) volume *= GameFade->Ratio;
  platform::SetChannelVolume(channel, volume);
  platform::SetChannelPan(channel, pan);
  platform::SetChannelRate(channel, gameSound->pitch);
  platform::ResumeChannel(channel);
  return 0;
}

int TGame::SoundSetVolume(int v, int save) {
  SoundVolume = Clamp100(v);
  if (save == 1) {
    IniUpdate(1);
    FixedRateLogic->Init();
  }
  return 0;
}

int TGame::SoundChangeVolume(int d) {
  return SoundSetVolume(Step(SoundVolume, d), 1);
}

int TGame::ToggleSound() {
  if (Sound) {
    SoundOff();
  } else {
    SoundOn();
  }
  IniUpdate(1);
  FixedRateLogic->Init();
  return 0;
}

int TGame::SoundOff() {
  Sound = 0;
  return 0;
}

int TGame::SoundOn() {
  Sound = 1;
  return 0;
}

int TGame::SpeechStop() {
  if (Speech && SpeechChannel && platform::ChannelPlaying(SpeechChannel)) {
    platform::StopChannel(SpeechChannel);
    SpeechChannel = platform::AllocChannel();
  }
  return 0;
}

int TGame::SpeechPlay(const std::shared_ptr<TGameSound>& gameSound, int interrupt) {
  if (!Speech || !SpeechChannel || !gameSound || !gameSound->sound) return 0;
  if (platform::ChannelPlaying(SpeechChannel) && interrupt == 0) return 0;
  platform::CueSound(gameSound->sound, SpeechChannel);
  platform::SetChannelVolume(SpeechChannel, static_cast<float>(SpeechVolume) / 100.0f);
  platform::ResumeChannel(SpeechChannel);
  SpeechStopped = 0;
  return 0;
}

int TGame::SpeechSetVolume(int v, int save) {
  SpeechVolume = Clamp100(v);
  if (SpeechChannel) {
    platform::SetChannelVolume(SpeechChannel, static_cast<float>(SpeechVolume) / 100.0f);
  }
  if (save == 1) {
    IniUpdate(1);
    FixedRateLogic->Init();
  }
  return 0;
}

int TGame::SpeechChangeVolume(int d) {
  return SpeechSetVolume(Step(SpeechVolume, d), 1);
}

int TGame::SpeechOff() {
  Speech = 0;
  if (SpeechChannel) platform::PauseChannel(SpeechChannel);
  return 1;
}

int TGame::SpeechOn() {
  if (Speech == 1) return 0;
  Speech = 1;
  if (SpeechChannel && !SpeechStopped) platform::ResumeChannel(SpeechChannel);
  return 1;
}

int TGame::StopChannels() {
  if (MusicChannel) platform::StopChannel(MusicChannel);
  MusicChannel = platform::AllocChannel();
  if (SpeechChannel) platform::StopChannel(SpeechChannel);
  SpeechChannel = platform::AllocChannel();
  return 0;
}

int TGame::SetEscapeSound(const String& name) {
  EscapeSound = TGameSound::Create(SoundPath + name + u".wav", 0);
  return 0;
}

int TGame::EscapeSoundPlay() {
  if (EscapeSound) EscapeSound->PlayInChannel(EscapeChannel, 0.0f);
  return 0;
}

int TGame::ParticlesSet(int v, int save) {
  Particles = Clamp100(v);
  if (save == 1) {
    IniUpdate(1);
    FixedRateLogic->Init();
  }
  return 0;
}

int TGame::ParticlesChange(int d) {
  Particles = Step(Particles, d);
  IniUpdate(1);
  FixedRateLogic->Init();
  return 0;
}

int TGame::MoveBar() {
  LoadingScreen->Progress();
  // Steps come far faster than a display refreshes. Each one that the display could show is
  // drawn and presented at once, without waiting for the blank; the rest are not drawn at all
  // (the finished bar always is).
  if (LoadingScreen->Finished != 0 || platform::FrameDue()) {
    LoadingScreen->Draw();
    platform::Flip(0);
  }
  // Loading takes a while; a player who closes the window meanwhile means it.
  ccEndOnQuitRequest();
  return 0;
}
