#include "platform/Audio.h"

#include <SDL.h>

#include "platform/Channel.h"
#include "platform/MixerCore.h"
#include "platform/OggDecoder.h"
#include "platform/OggStream.h"
#include "platform/Stream.h"
#include "platform/System.h"
#include "platform/WavDecoder.h"

namespace platform {

namespace {

constexpr char16_t kFreeAudio[] = u"FreeAudio";
constexpr char16_t kNone[] = u"None";
constexpr int kDeviceBufferFrames = 1024;

// The driver in effect. Changed only from the program thread.
struct AudioDevice {
  SDL_AudioDeviceID id = 0;
  bool subsystem = false;
  String name = kNone;
};

AudioDevice& Device() {
  static AudioDevice device;
  return device;
}

void SDLCALL FillAudio(void* user, Uint8* stream, int len) {
  static_cast<Mixer*>(user)->Render(reinterpret_cast<int16_t*>(stream),
                                    len / static_cast<int>(2 * sizeof(int16_t)));
}

void CloseDevice() {
  AudioDevice& d = Device();
  if (d.id) SDL_CloseAudioDevice(d.id);  // waits for the callback to return
  d.id = 0;
  if (d.subsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  d.subsystem = false;
  d.name = kNone;
}

bool OpenDevice() {
  AudioDevice& d = Device();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  d.subsystem = true;
  Mixer& mixer = Mixer::Global();
  SDL_AudioSpec want{};
  want.freq = mixer.OutputRate();
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = kDeviceBufferFrames;
  want.callback = FillAudio;
  want.userdata = &mixer;
  SDL_AudioSpec have{};
  // No allowed changes: SDL converts to whatever the device really takes.
  d.id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (!d.id) return false;
  SDL_PauseAudioDevice(d.id, 0);
  d.name = kFreeAudio;
  // The device must stop before the process ends, or the callback may run during teardown.
  static bool hooked = false;
  if (!hooked) {
    hooked = true;
    AddShutdownHook([] { SetAudioDriver(u"None"); });
  }
  return true;
}

}  // namespace

bool SetAudioDriver(StringView name) {
  AudioDevice& d = Device();
  if (name == kFreeAudio && d.id) return true;
  CloseDevice();
  if (name == kNone) return true;
  if (name == kFreeAudio && OpenDevice()) return true;
  CloseDevice();
  return false;
}

String AudioDriverName() { return Device().name; }

namespace {

// A streamed sound keeps the file; it is taken only when its start decodes.
SoundPtr StreamOgg(std::string&& bytes) {
  auto encoded = std::make_shared<const std::string>(std::move(bytes));
  const auto* data = reinterpret_cast<const uint8_t*>(encoded->data());
  std::unique_ptr<OggStream> probe = OggStream::Open(data, encoded->size());
  if (!probe || probe->Reach(0) == 0) return nullptr;
  auto sound = std::make_shared<Sound>();
  sound->channels = probe->Channels();
  sound->rate = probe->Rate();
  sound->encoded = std::move(encoded);
  return sound;
}

// Asked to stream, and Ogg: the only kind that streams.
bool IsOggToStream(const void* data, size_t size, int flags) {
  return (flags & SOUND_STREAM) && LooksLikeOgg(static_cast<const uint8_t*>(data), size);
}

}  // namespace

SoundPtr LoadSound(StringView path, int flags) {
  std::string bytes;
  if (!LoadBytes(path, bytes)) return nullptr;
  if (!IsOggToStream(bytes.data(), bytes.size(), flags))
    return LoadSoundFromMemory(bytes.data(), bytes.size(), flags);
  SoundPtr sound = StreamOgg(std::move(bytes));
  if (sound) sound->loop = (flags & SOUND_LOOP) != 0;
  return sound;
}

SoundPtr LoadSoundFromMemory(const void* data, size_t size, int flags) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  SoundPtr sound;
  if (IsOggToStream(data, size, flags)) {
    sound = StreamOgg(std::string(static_cast<const char*>(data), size));
  } else if (LooksLikeWav(bytes, size)) {
    sound = DecodeWav(bytes, size);
  } else if (LooksLikeOgg(bytes, size)) {
    sound = DecodeOgg(bytes, size);
  }
  if (sound) sound->loop = (flags & SOUND_LOOP) != 0;
  return sound;
}

ChannelPtr AllocChannel() { return Mixer::Global().AllocChannel(); }

ChannelPtr CueSound(const SoundPtr& sound, ChannelPtr channel) {
  if (!channel) channel = AllocChannel();
  channel->core->Cue(channel, sound);
  return channel;
}

ChannelPtr PlaySound(const SoundPtr& sound, ChannelPtr channel) {
  channel = CueSound(sound, std::move(channel));
  channel->core->Resume(channel);
  return channel;
}

void ResumeChannel(const ChannelPtr& channel) {
  if (channel) channel->core->Resume(channel);
}

void PauseChannel(const ChannelPtr& channel) {
  if (channel) channel->core->Pause(channel);
}

void StopChannel(const ChannelPtr& channel) {
  if (channel) channel->core->Stop(channel);
}

void SetChannelVolume(const ChannelPtr& channel, float volume) {
  if (channel) channel->core->SetVolume(channel, volume);
}

void SetChannelPan(const ChannelPtr& channel, float pan) {
  if (channel) channel->core->SetPan(channel, pan);
}

void SetChannelRate(const ChannelPtr& channel, float rate) {
  if (channel) channel->core->SetRate(channel, rate);
}

bool ChannelPlaying(const ChannelPtr& channel) {
  return channel && channel->core->Playing(channel);
}

bool ChannelPaused(const ChannelPtr& channel) { return channel && channel->core->Paused(channel); }

int64_t ChannelPosition(const ChannelPtr& channel) {
  return channel ? channel->core->Position(channel) : 0;
}

}  // namespace platform
