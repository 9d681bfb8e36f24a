#include "board/TGem.h"

#include "core/IniFunctions.h"
#include "core/TSoundBank.h"
#include "gfx/TImageBank.h"

std::array<TGameImagePtr, TGem::kColourSlots> TGem::TumbletImages;
std::array<TGameImagePtr, TGem::kColourSlots> TGem::TumbletFallingImages;
std::array<TGameImagePtr, TGem::kColourSlots> TGem::TumbletRunningImages;
std::array<TGameImagePtr, TGem::kColourSlots> TGem::ShardImages;
std::array<std::shared_ptr<TGameSound>, TGem::kColourSlots> TGem::TumbletSounds;
std::array<TGameImagePtr, TGem::kTypeSlots> TGem::BonusIdleAnims;
std::array<TGameImagePtr, TGem::kTypeSlots> TGem::BonusActivateAnims;
std::array<int, TGem::kTypeSlots> TGem::BonusIdleFrames{};
std::array<int, TGem::kTypeSlots> TGem::BonusIdleLengths{};
std::array<int, TGem::kTypeSlots> TGem::BonusActivateFrames{};
std::array<int, TGem::kTypeSlots> TGem::BonusActivateLengths{};
std::array<float, TGem::kTypeSlots> TGem::BonusIdleCounter{};
std::array<float, TGem::kTypeSlots> TGem::BonusIdleLengthsConverted{};
TGameImagePtr TGem::LockedImage;
TGameImagePtr TGem::Locked2Image;

int TGem::InitArrays() {
  struct Row {
    int idleFrames, idleMs, activateFrames, activateMs;
  };
  static constexpr Row kTable[] = {
      {23, 2000, 4, 300},    // 8 lion
      {11, 1000, 11, 500},   // 9 horn
      {14, 1000, 14, 1000},  // 10 tornado
      {23, 1500, 14, 1000},  // 11 star
      {23, 2000, 6, 300},    // 12 paint pot
      {21, 1000, 4, 200},    // 13 axe
      {23, 2000, 4, 200},    // 14 key
  };
  for (int type = kFirstBonus; type <= kLastBonus; ++type) {
    const Row& row = kTable[type - kFirstBonus];
    BonusIdleFrames[static_cast<size_t>(type)] = row.idleFrames;
    BonusIdleLengths[static_cast<size_t>(type)] = row.idleMs;
    BonusActivateFrames[static_cast<size_t>(type)] = row.activateFrames;
    BonusActivateLengths[static_cast<size_t>(type)] = row.activateMs;
  }
  return 0;
}

int TGem::Load() {
  for (int colour = 1; colour <= 7; ++colour) {
    const String n = ccIntToString(colour);
    const auto slot = static_cast<size_t>(colour);
    TumbletImages[slot] = images->Find(u"tumblet" + n);
    TumbletFallingImages[slot] = images->Find(u"tumblet" + n + u"falling");
    TumbletRunningImages[slot] = images->Find(u"tumblet" + n + u"running");
    ShardImages[slot] = images->Find(u"shard" + n);
    TumbletSounds[slot] = sounds->Find(u"tumblet" + n);
  }
  for (int type = kFirstBonus; type <= kLastBonus; ++type) {
    const String n = ccIntToString(type);
    const auto slot = static_cast<size_t>(type);
    BonusIdleAnims[slot] = images->Find(u"Bonus" + n + u"Idle");
    // The tornado's activation is a particle of its own.
    if (type != 10) BonusActivateAnims[slot] = images->Find(u"Bonus" + n + u"Activate");
  }
  LockedImage = images->Find(u"chainstrip");
  Locked2Image = images->Find(u"lock");
  return 0;
}
