#pragma once
// Random ambient sounds: every interval, with some chance, one of up to MAX_SOUNDS sounds
// plays on the application's channel pool.
#include <array>
#include <memory>

#include "platform/String.h"

class TGameSound;

class TAmbientSounds {
 public:
  static constexpr int MAX_SOUNDS = 20;

  virtual ~TAmbientSounds() = default;

  int Chance = 0;             // percent per draw
  float SoundCounter = 0;     // ticks to the next draw
  int SoundCounterMax = 0;    // ticks between draws
  std::array<std::shared_ptr<TGameSound>, MAX_SOUNDS> Sounds;
  int TotalSounds = 0;

  // Stores the sound; 1 when added, 0 when refused (empty sound or MAX_SOUNDS already held).
  virtual int AddSound(const std::shared_ptr<TGameSound>& sound);
  // Adds the sounds prefix + i + suffix for i = 0 .. count - 1. Returns 0.
  virtual int Fill(const String& prefix, int count, const String& suffix);
  // A draw every intervalMs, each playing a sound with chance percent. Returns 0.
  virtual int Init(int intervalMs, int chance);
  // Drops the stored sounds. Returns 0.
  virtual int Kill();
  // Once per tick. Returns 0.
  virtual int Manage();
};
