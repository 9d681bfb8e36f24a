#include "core/TAmbientSounds.h"

#include "core/Globals.h"
#include "core/TChannelArray.h"
#include "core/TGame.h"
#include "core/TGameSound.h"
#include "platform/Clock.h"

int TAmbientSounds::AddSound(const std::shared_ptr<TGameSound>& sound) {
  if (!sound || TotalSounds >= MAX_SOUNDS) return 0;
  Sounds[static_cast<size_t>(TotalSounds++)] = sound;
  return 1;
}

int TAmbientSounds::Fill(const String& prefix, int count, const String& suffix) {
  for (int i = 0; i < count && TotalSounds < MAX_SOUNDS; ++i) {
    AddSound(TGameSound::Create(prefix + S(std::to_string(i)) + suffix, 0));
  }
  return 0;
}

int TAmbientSounds::Init(int intervalMs, int chance) {
  const float ticks = Game ? Game->CalcAnimLength(intervalMs) : intervalMs / 5.0f;
  SoundCounterMax = static_cast<int>(ticks);
  SoundCounter = static_cast<float>(SoundCounterMax);
  Chance = chance;
  return 0;
}

int TAmbientSounds::Kill() {
  for (auto& s : Sounds) s.reset();
  TotalSounds = 0;
  return 0;
}

int TAmbientSounds::Manage() {
  SoundCounter -= Delta;
  if (SoundCounter > 0) return 0;
  SoundCounter += static_cast<float>(SoundCounterMax);
  if (TotalSounds <= 0) return 0;
  if (platform::Rand(1, 100) > Chance) return 0;
  const auto& sound = Sounds[static_cast<size_t>(platform::Rand(0, TotalSounds - 1))];
  if (Game && Game->Channels && sound) Game->Channels->PlayGameSound(sound, nullptr, 1.0f, 0.0f);
  return 0;
}
