#pragma once
// A piece on the board: a gem of colour 1 to 7 or a bonus piece of type 8 to 14. The class
// owns the tables every piece shares: the Tumblet images and voices, the shard images, the
// bonus idle and activate animations with their frame counts and lengths, and the chain and
// padlock images. Tables are indexed by colour (1..7) or bonus type (8..14); slot 0 is unused.
#include <array>
#include <memory>

#include "gfx/TGameImage.h"
#include "gfx/TSprite.h"

class TGameSound;

class TGem : public TSprite {
 public:
  static constexpr int kColourSlots = 8;
  static constexpr int kTypeSlots = 15;
  static constexpr int kFirstBonus = 8;
  static constexpr int kLastBonus = 14;

  static std::array<TGameImagePtr, kColourSlots> TumbletImages;
  static std::array<TGameImagePtr, kColourSlots> TumbletFallingImages;
  static std::array<TGameImagePtr, kColourSlots> TumbletRunningImages;
  static std::array<TGameImagePtr, kColourSlots> ShardImages;
  static std::array<std::shared_ptr<TGameSound>, kColourSlots> TumbletSounds;
  static std::array<TGameImagePtr, kTypeSlots> BonusIdleAnims;
  static std::array<TGameImagePtr, kTypeSlots> BonusActivateAnims;  // slot 10 stays empty
  static std::array<int, kTypeSlots> BonusIdleFrames;
  static std::array<int, kTypeSlots> BonusIdleLengths;  // ms
  static std::array<int, kTypeSlots> BonusActivateFrames;
  static std::array<int, kTypeSlots> BonusActivateLengths;  // ms
  static std::array<float, kTypeSlots> BonusIdleCounter;
  static std::array<float, kTypeSlots> BonusIdleLengthsConverted;
  static TGameImagePtr LockedImage;   // "chainstrip"
  static TGameImagePtr Locked2Image;  // "lock"

  // The bonus animation table; runs before the images load (they use its frame counts).
  static int InitArrays();
  // Takes every class-wide image and sound from the banks (a missing name is fatal there).
  static int Load();
};
