#include "board/TGem.h"

#include <cmath>
#include <numbers>

#include "board/BoardHost.h"
#include "board/BoardParticles.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/IniFunctions.h"
#include "core/TGame.h"
#include "core/TSoundBank.h"
#include "gfx/DrawHelpers.h"
#include "gfx/MathHelpers.h"
#include "gfx/TImageBank.h"
#include "gfx/TParticleList.h"
#include "gfx/TSineCounter.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"

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

TGem::TGem() {
  w = 50;
  h = 50;
  w2 = 25;
  h2 = 25;
}

TGemPtr TGem::Make(int gx, int gy, int type, int dropping) {
  auto gem = std::make_shared<TGem>();
  gem->GemType = type;
  gem->OrigGemType = type;
  gem->image = images->Find(u"gems");
  gem->ImageFrame = type - 1;
  if (dropping) gem->dy = 0.04f;
  gem->CalcCoords(gx, gy);
  gem->ExplosionLength = Game->CalcAnimLength(300);
  gem->TumbletLength = Game->CalcAnimLength(1500);
  return gem;
}

int TGem::InitIdleAnims() {
  for (int type = kFirstBonus; type <= kLastBonus; ++type) {
    const auto slot = static_cast<size_t>(type);
    BonusIdleLengthsConverted[slot] = Game->CalcAnimLength(BonusIdleLengths[slot]);
    BonusIdleCounter[slot] = BonusIdleLengthsConverted[slot] - 1.0f;
  }
  return 0;
}

int TGem::Random() {
  const int count = PossGemsCount < 1 ? 1 : PossGemsCount;
  return PossGems[static_cast<size_t>(platform::Rand(0, count - 1))];
}

int TGem::SetDropInY() {
  y -= 50;
  gy = CalcGY(static_cast<int>(y));
  return 0;
}

int TGem::CalcCoords(int cellX, int cellY) {
  gx = cellX;
  gy = cellY;
  x = static_cast<float>(CalcSX(cellX));
  y = static_cast<float>(CalcSY(cellY));
  return 0;
}

int TGem::CompareY(const TGem& a, const TGem& b) { return a.y < b.y ? 1 : 0; }

int TGem::Activate() {
  ExplosionCounter = ExplosionLength;
  GemType = -1;
  AnimActive = 1;
  return 0;
}

int TGem::Destroy() {
  // A gem already bursting was hit before: its Tumblet is freed and scored once only.
  if (ExplosionCounter > 0) return 0;
  if (!locked) {
    if (Tumblet && GameGrid) GameGrid->ScoreSpriteCreate(gx, gy, 0, 1);
    Explode(1);
    return 0;
  }
  ExplosionCounter = ExplosionLength;
  FireParticlesMake(x + 25, y + 25, 4);
  if (Tumblet && GameGrid) GameGrid->ScoreSpriteCreate(gx, gy, 0, 1);
  MakeTumbletParticle();
  Unlock();
  GemType = -1;
  return 1;
}

int TGem::Unlock() {
  const float px = x + 25;
  const float py = y + 25;
  UnlockParticlesMake(px, py, 20);
  ChainParticlesMake(px, py, 20);
  if (AnimatedParticles) {
    const auto dxPad = static_cast<float>(platform::Rnd(-1.0, -0.5));
    AnimatedParticles->AddNew(static_cast<int>(x), static_cast<int>(y), ParticleImages[10], dxPad,
                              -1.0f, 0.04f, 0.0f, 0, 0, 0.0f, 1.0f, 0.0f, 0, 0);
  }
  locked = 0;
  if (GameGrid) --GameGrid->Locked;
  return 0;
}

int TGem::Explode(int big) {
  if (ExplosionCounter != 0) return 0;
  ExplosionCounter = ExplosionLength;
  const auto px = static_cast<float>(static_cast<int>(x + 25));
  const auto py = static_cast<float>(static_cast<int>(y + 25));
  SparkleParticlesMake(px, py, big ? 20 : 4);
  FireParticlesMake(px, py, big ? 4 : 2);
  if (big && OrigGemType >= 1 && OrigGemType <= kLastColour && Game->Particles >= 50) {
    ShardParticlesMake(px, py, ShardImages[static_cast<size_t>(OrigGemType)]);
  }
  MakeTumbletParticle();
  GemType = -1;
  return 0;
}

int TGem::CreateTumblet() {
  if (GemType < 1 || GemType > kLastColour) return 0;
  Tumblet = 1;
  TumbletCounter = static_cast<float>(platform::Rand(0, static_cast<int>(TumbletLength) - 1));
  return 0;
}

int TGem::MakeTumbletParticle() {
  if (Tumblet != 1) return 0;
  const int colour = GemType >= 1 && GemType <= kLastColour ? GemType : OrigGemType;
  if (colour < 1 || colour > kLastColour) return 0;
  BoardHost& host = BoardHost::Current();
  const TGameImagePtr& falling = TumbletFallingImages[static_cast<size_t>(colour)];
  if (Tumblets && falling) {
    const TParticlePtr p = Tumblets->AddNew(
        static_cast<int>(x + 25 - falling->w2), static_cast<int>(y + 25 - falling->h2), falling,
        0.0f, 0.02f, 0.02f, 0.0f, 0, 0, 0.0f, 1.0f, 0.0f, 0, 0);
    p->SetupAnim(23, 500, 0, 0, 0, 0, 1);
    p->AnimCounter = static_cast<float>(platform::Rand(1, p->AnimLength - 1));
    p->Data1 = colour;
    // It runs off towards the nearer side; a left-runner is mirrored in place.
    p->Data2 = p->x + static_cast<float>(falling->w) / 2 >= static_cast<float>(ScreenWidth) / 2 ? 1 : -1;
    if (p->Data2 < 0) {
      p->ScaleX = -1.0f;
      p->x += static_cast<float>(falling->w);
    }
  }
  if (GameGrid && GameGrid->TumbletPlaying == 0) GameGrid->TumbletPlaying = colour;
  TPlayer& player = host.Player();
  player.TumbletsFreed = SaturatingAdd(player.TumbletsFreed, 1);
  if (!host.OutroActive()) TumbletParticles(x + 25, y + 25, 20);
  return 0;
}

int TGem::Manage() {
  TumbletCounter += Delta;
  if (TumbletCounter >= TumbletLength) TumbletCounter -= TumbletLength;
  return 0;
}

int TGem::SetHintWobble(int on) {
  HintWobble = on;
  UseOffset = on;
  return 0;
}

int TGem::MidHandle(int on) {
  static constexpr const char16_t* kNames[] = {u"gems", u"chainstrip", u"lock", u"tumblet1",
                                               u"tumblet2", u"tumblet3", u"tumblet4",
                                               u"tumblet5", u"tumblet6", u"tumblet7"};
  for (const char16_t* name : kNames) images->Find(name)->MidHandle(on);
  return 0;
}

namespace {

// The image frame, then its additive pass at level when level > 0.
void DrawWithLight(const TGameImagePtr& image, float x, float y, int frame, float level) {
  platform::DrawImage(image->image, x, y, frame);
  if (level > 0) ccDrawImageLight(image->image, x, y, level, 1.0f, 1.0f, 1.0f, frame);
}

}  // namespace

int TGem::DrawGem() {
  TGameGrid* board = GameGrid.get();
  if (!board) return 0;
  if (GemType > kLastColour && GemType <= kLastBonus) {
    const float level = (1.0f - board->glow2->ratio) * 0.7f + 0.3f;
    DrawWithLight(board->BonusHighlightMidImage, x + 3, y + 3, 0, level);
    const bool selected = board->Mode == 1 && board->cx == gx && board->cy == gy;
    if (!selected) DrawWithLight(board->BonusHighlightImage, x, y, 0, level);
  }
  if (HintWobble) offx = 3.0f * std::sin(board->HintCounter * 10.0f * std::numbers::pi_v<float> / 180.0f);
  if (ExplosionCounter <= 0) {
    if (board->NoMore) {
      UseOffset = 1;
      offx = board->JiggleOffset;
    }
    const bool spin = board->NoMoreCounter > 0;
    if (Tumblet && GemType >= 1 && GemType <= kLastColour) {
      const TGameImagePtr& tumblet = TumbletImages[static_cast<size_t>(GemType)];
      const int frame = ccCalcAnimFrame(TumbletCounter, static_cast<int>(TumbletLength), 23, 1);
      if (spin) platform::SetRotation(Rotation);
      platform::DrawImage(tumblet->image, x + offx, y, frame);
      if (spin) platform::SetRotation(0);
      if (glow > 0) DrawLight(glow, 1.0f, 1.0f, 1.0f, nullptr);
    } else if (GemType > kLastColour && GemType <= kLastBonus) {
      const auto type = static_cast<size_t>(GemType);
      const int frame = ccCalcAnimFrame(BonusIdleCounter[type],
                                        static_cast<int>(BonusIdleLengthsConverted[type]),
                                        BonusIdleFrames[type], 1);
      DrawWithLight(BonusIdleAnims[type], x + offx, y, frame, glow);
    } else {
      TSprite::Draw();
      if (glow > 0) DrawLight(glow, 1.0f, 1.0f, 1.0f, nullptr);
    }
    if (locked && GemType >= 1 && GemType <= kLastColour) {
      if (spin) platform::SetRotation(Rotation);
      platform::DrawImage(LockedImage->image, x + offx, y, GemType - 1);
      platform::DrawImage(Locked2Image->image, x + offx, y, 0);
      if (spin) platform::SetRotation(0);
    }
  } else if (AnimActive == 0) {
    if (ExplosionShow == 1 && ParticleImages[5]) {
      float scale = (ExplosionLength - ExplosionCounter) / ExplosionLength + 0.2f;
      if (scale > 1.0f) scale = 1.0f;
      const float fade = Game->CalcAnimLength(100);
      const float alpha = ExplosionCounter < fade ? ExplosionCounter / fade : 1.0f;
      platform::SetScale(scale, scale);
      platform::SetAlpha(alpha);
      platform::DrawImage(ParticleImages[5]->image, x + 25, y + 25, 0);
      platform::SetScale(1.0f, 1.0f);
      platform::SetAlpha(1.0f);
    }
  } else if (OrigGemType != 12 && OrigGemType >= kFirstBonus && OrigGemType <= kLastBonus) {
    const auto type = static_cast<size_t>(OrigGemType);
    if (BonusActivateAnims[type]) {
      const int frames = BonusActivateFrames[type];
      const int frame = frames - 1 - ccCalcAnimFrame(ExplosionCounter, static_cast<int>(ExplosionLength), frames, 1);
      DrawWithLight(BonusActivateAnims[type], x, y, frame, glow);
    }
  }
  return 0;
}
