#pragma once
// A piece on the board: a gem of colour 1 to 7 or a bonus piece of type 8 to 14 (-1 once it
// is activated or bursting). Its cell and the global gem list both hold it. The class owns
// the tables every piece shares: the Tumblet images and voices, the shard images, the bonus
// idle and activate animations with their frame counts and lengths, and the chain and padlock
// images. Tables are indexed by colour (1..7) or bonus type (8..14); slot 0 is unused.
#include <array>
#include <memory>

#include "gfx/TGameImage.h"
#include "gfx/TSprite.h"

class TGameSound;
class TGem;
using TGemPtr = std::shared_ptr<TGem>;

class TGem : public TSprite {
 public:
  static constexpr int kColourSlots = 8;
  static constexpr int kTypeSlots = 15;
  static constexpr int kFirstBonus = 8;
  static constexpr int kLastBonus = 14;
  static constexpr int kLastColour = 7;

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

  int gx = -1;  // the cell; gy < 0 while a new gem waits above the board
  int gy = -1;
  int GemType = 0;
  int OrigGemType = 0;
  int Swapping = 0;
  float glow = 0;  // the hover and flash glow, 0..1
  int locked = 0;
  int Tumblet = 0;
  int HintWobble = 0;
  int AnimActive = 0;
  float ExplosionCounter = 0;  // ticks left of a burst or activation
  float ExplosionLength = 300.0f;
  int ExplosionShow = 1;
  float TumbletCounter = 0;
  float TumbletLength = 1500.0f;

  TGem();

  // A gem of type at cell (gx, gy), not yet in a cell or the list; dropping != 0 starts it
  // falling.
  static TGemPtr Make(int gx, int gy, int type, int dropping);
  // The bonus animation table; runs before the images load (they use its frame counts).
  static int InitArrays();
  // Takes every class-wide image and sound from the banks (a missing name is fatal there).
  static int Load();
  static int InitIdleAnims();
  // One of the level's colours.
  static int Random();
  virtual int SetDropInY();
  virtual int CalcCoords(int gx, int gy);
  // 1 when a is higher on the screen than b.
  static int CompareY(const TGem& a, const TGem& b);
  virtual int Activate();
  // A bonus effect hits the gem; 1 when it was locked. Nothing (0) while it already bursts.
  virtual int Destroy();
  virtual int Unlock();
  virtual int Explode(int big);
  virtual int CreateTumblet();
  virtual int MakeTumbletParticle();
  virtual int Manage();
  virtual int SetHintWobble(int on);
  // Class-wide: the gem, chain, padlock and Tumblet pictures drawn around their centre.
  static int MidHandle(int on);
  virtual int DrawGem();
};
