#include "gfx/TSprite.h"

#include <cmath>
#include <numbers>

#include "core/Globals.h"
#include "core/IniFunctions.h"
#include "core/TGame.h"
#include "gfx/MathHelpers.h"
#include "gfx/TColor.h"
#include "gfx/TSineCounter.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"

namespace {
double Rad(float degrees) { return static_cast<double>(degrees) * std::numbers::pi / 180.0; }
}  // namespace

TSprite::TSprite() : GlowCounter(std::make_shared<TSineCounter>()) {}
TSprite::~TSprite() = default;

TSpritePtr TSprite::Create(const TGameImagePtr& image, float x, float y) {
  auto sprite = std::make_shared<TSprite>();
  sprite->SetImage(image);
  sprite->SetPosition(x, y);
  return sprite;
}

TSpritePtr TSprite::CreateFromFile(const String& file, float x, float y, int centre, int flags) {
  const TGameImagePtr image = TGameImage::Create(Game->ImagePath + file + u".png", flags, 1);
  TSpritePtr sprite = Create(image, x, y);
  if (centre != 0) {
    sprite->SetPosition(static_cast<float>(ScreenWidth / 2), static_cast<float>(ScreenHeight / 2));
  }
  return sprite;
}

// ---------------------------------------------------------------- frame animation

void TSprite::Stopped() {
  if (AnimStoppedFunction) AnimStoppedFunction(*this);
}

int TSprite::AnimBoundsCheckLower() {
  if (AnimCounter > 0) return 0;
  if (PingPong) {
    AnimCounter = -AnimCounter + FrameLength;
    if (AnimCounter == 0) AnimCounter = 0.01f;
    AnimReverse = AnimCounterDir == 0 ? 1 : 0;  // counts up from now on
    return 1;
  }
  if (!Loop) {
    AnimCounter = 0.01f;
    Stopped();
    return 1;
  }
  if (LoopCount > 0) {
    --LoopCount;  // one run done
    if (LoopCount == 0) {
      Loop = 0;
      AnimCounter = 0.01f;
      return 1;
    }
  }
  AnimCounter += static_cast<float>(AnimLength);
  Stopped();
  return 1;
}

int TSprite::AnimBoundsCheckUpper() {
  const float length = static_cast<float>(AnimLength);
  if (AnimCounter < length) return 0;
  if (PingPong) {
    AnimCounter = length - (AnimCounter - length) - FrameLength;
    AnimReverse = AnimCounterDir == 0 ? 0 : 1;  // counts down from now on
    return 1;
  }
  if (!Loop) {
    AnimCounter = length;
    Stopped();
    return 1;
  }
  if (LoopCount > 0) {
    --LoopCount;
    if (LoopCount == 0) {
      Loop = 0;
      AnimCounter = length;
      return 1;
    }
  }
  AnimCounter -= length;
  Stopped();
  return 1;
}

int TSprite::ManageAnim() {
  if (FramesTotal <= 1) return 0;
  const bool up = (AnimCounterDir == 1 && AnimReverse == 0) || (AnimCounterDir == 0 && AnimReverse != 0);
  int result;
  if (up) {
    AnimCounter += Delta;
    result = AnimBoundsCheckUpper();
  } else {
    AnimCounter -= Delta;
    result = AnimBoundsCheckLower();
  }
  frame = ccCalcAnimFrame(AnimCounter, AnimLength, FramesTotal, AnimCounterDir);
  return result;
}

int TSprite::GetAnimFrame() {
  return ccCalcAnimFrame(AnimCounter, AnimLength, FramesTotal, AnimCounterDir);
}

int TSprite::SetupAnim(int frames, int lengthMs, int counterDir, int reverse, int randomStart,
                       int pingPong, int loop) {
  frame = 0;
  FramesTotal = frames;
  AnimLength = static_cast<int>(Game->CalcAnimLength(lengthMs));
  AnimCounterDir = counterDir;
  AnimReverse = reverse;
  PingPong = pingPong;
  Loop = loop;
  FrameLength = static_cast<float>(AnimLength) / static_cast<float>(frames);
  if (randomStart != 0) {
    RandomiseAnimPos();
  } else if (counterDir == 0) {
    AnimCounter = reverse == 0 ? static_cast<float>(AnimLength) : 0.01f;
  } else {
    AnimCounter = reverse == 0 ? 0.0f : static_cast<float>(AnimLength);
  }
  return 0;
}

int TSprite::RandomiseAnimPos() {
  AnimCounter = static_cast<float>(platform::Rnd(0.01, static_cast<double>(AnimLength)));
  return 0;
}

int TSprite::StopAnim() {
  AnimCounter = 0;
  FramesTotal = 1;
  return 0;
}

// ---------------------------------------------------------------- movement

int TSprite::Move() {
  x += dx * Delta;
  y += dy * Delta;
  if (xgravity != 0) dx += xgravity * Delta;
  if (ygravity != 0) dy += ygravity * Delta;
  return 0;
}

int TSprite::MoveOriginalCoords() {
  ox += dx * Delta;
  oy += dy * Delta;
  if (xgravity != 0) dx += xgravity * Delta;
  if (ygravity != 0) dy += ygravity * Delta;
  return 0;
}

int TSprite::MoveAttachedSprite() {
  if (AttachedSprite) {
    AttachedSprite->x += dx * Delta;
    AttachedSprite->y += dy * Delta;
  }
  return 0;
}

int TSprite::MoveForward() {
  dx = speed * static_cast<float>(std::sin(Rad(Rotation)));
  dy = -speed * static_cast<float>(std::cos(Rad(Rotation)));
  return Move();
}

int TSprite::MoveLeft() {
  x -= xspeed * Delta;
  return BoundsCheck();
}

int TSprite::MoveRight() {
  x += xspeed * Delta;
  return BoundsCheck();
}

int TSprite::MoveUp() {
  y -= yspeed * Delta;
  return BoundsCheck();
}

int TSprite::MoveDown() {
  y += yspeed * Delta;
  return BoundsCheck();
}

int TSprite::BoundsCheck() {
  const float sw = static_cast<float>(ScreenWidth);
  const float sh = static_cast<float>(ScreenHeight);
  if (x < w2) {
    x = w2;
  } else if (x > sw - w2) {
    x = sw - w2;
  }
  if (y < h2) {
    y = h2;
  } else if (y > sh - h2) {
    y = sh - h2;
  }
  return 0;
}

int TSprite::OutOfBounds() {
  const float sw = static_cast<float>(ScreenWidth);
  const float sh = static_cast<float>(ScreenHeight);
  if (image && image->midhandled) {
    return (x < -w2 || x > sw + w2 || y < -h2 || y > sh + h2) ? 1 : 0;
  }
  const float fw = static_cast<float>(w);
  const float fh = static_cast<float>(h);
  return (x < -fw || x > sw || y < -fh || y > sh) ? 1 : 0;
}

// ---------------------------------------------------------------- tweens

int TSprite::SetupScale(float xSpeed, float ySpeed, int lengthMs) {
  ScaleXSpeed = xSpeed;
  ScaleYSpeed = ySpeed;
  ScaleLength = static_cast<int>(Game->CalcAnimLength(lengthMs));
  ScaleCounter = static_cast<float>(ScaleLength);
  return 0;
}

int TSprite::ManageScale() {
  if (ScaleCounter > 0) {
    ScaleCounter -= Delta;
    ScaleX += ScaleXSpeed * Delta;
    ScaleY += ScaleYSpeed * Delta;
  }
  return 0;
}

int TSprite::SetupRotation(float rotationSpeed, int lengthMs, int loop, int randomStart) {
  RotationSpeed = rotationSpeed;
  if (loop == 0) {
    RotationLength = static_cast<int>(Game->CalcAnimLength(lengthMs));
    RotationCounter = static_cast<float>(RotationLength);
  } else {
    RotationLoop = 1;
    if (randomStart != 0) Rotation = static_cast<float>(platform::Rnd(0.0, 360.0));
  }
  return 0;
}

int TSprite::ManageRotation() {
  if (RotationLoop == 0) {
    if (RotationCounter > 0) {
      RotationCounter -= Delta;
      Rotation += RotationSpeed * Delta;
    }
  } else {
    Rotation += RotationSpeed * Delta;
    if (Rotation >= 360.0f) {
      Rotation -= 360.0f;
    } else if (Rotation < 0.0f) {
      Rotation += 360.0f;
    }
  }
  return 0;
}

int TSprite::SetGlow(int mode, float level, float glowSpeed, float min, float max) {
  GlowMode = mode;
  Glow = level;
  GlowSpeed = glowSpeed;
  GlowMin = min;
  GlowMax = max;
  GlowRange = max - min;
  if (mode == 3 && GlowCounter) GlowCounter->Init(0, 360, glowSpeed, 0);
  return 0;
}

int TSprite::ManageGlow() {
  if (GlowMode == 2) {
    if (Glow > 0) {
      Glow -= GlowSpeed * Delta;
      if (Glow <= 0) Glow = 0;
    }
  } else if (GlowMode == 3 && GlowCounter) {
    GlowCounter->Manage();
    Glow = GlowMin + GlowRange * std::fabs(GlowCounter->ratio);
  }
  return 0;
}

// ---------------------------------------------------------------- drawing

int TSprite::DrawFrame() const {
  if (AnimCounter <= 0) return ImageFrame;
  return ccCalcAnimFrame(AnimCounter, AnimLength, FramesTotal, AnimCounterDir);
}

int TSprite::Draw() {
  DoDraw();
  if (GlowMode > 0) DrawLight(Glow, 1.0f, 1.0f, 1.0f, nullptr);
  return 0;
}

int TSprite::DoDraw() {
  if (visible == 0) return 0;
  platform::SetScale(BaseScaleX * ScaleX, BaseScaleY * ScaleY);
  platform::SetRotation(Rotation);
  if (UseAlpha != 0) platform::SetAlpha(Alpha);
  if (Color) Color->ApplyNoAlpha();
  if (RoundCoords == 0) {
    DrawNormal();
  } else {
    DrawRounded();
  }
  platform::SetScale(1.0f, 1.0f);
  platform::SetRotation(0.0f);
  if (UseAlpha != 0) platform::SetAlpha(1.0f);
  if (Color) platform::SetColor(255, 255, 255);
  return 0;
}

int TSprite::DrawNormal() {
  const TGameImagePtr& img = DrawImageOf();
  const int f = DrawFrame();
  DrawShadow(img, f, 0);
  if (!img || !img->image) return 0;
  if (UseOffset != 0) {
    platform::DrawImage(img->image, x + offx, y + offy, f);
  } else {
    platform::DrawImage(img->image, x, y, f);
  }
  return 0;
}

int TSprite::DrawRounded() {
  const TGameImagePtr& img = DrawImageOf();
  const int f = DrawFrame();
  DrawShadow(img, f, 0);
  if (!img || !img->image) return 0;
  float px = x;
  float py = y;
  if (UseOffset != 0) {
    px += offx;
    py += offy;
  }
  platform::DrawImage(img->image, std::floor(px + 0.5f), std::floor(py + 0.5f), f);
  return 0;
}

int TSprite::DrawShadow(const TGameImagePtr& img, int f, int scrolled) {
  if (Shadow == 0) return 0;
  int r = 255;
  int g = 255;
  int b = 255;
  platform::GetColor(r, g, b);
  platform::SetColor(0, 0, 0);
  platform::SetAlpha(ShadowAlpha * Alpha);
  float sx = x + ShadowX;
  float sy = y + ShadowY;
  if (UseOffset != 0) {
    sx += offx;
    sy += offy;
  }
  if (scrolled != 0) {
    sx -= Game->ScrollX;
    sy -= Game->ScrollY;
  }
  if (img && img->image) platform::DrawImage(img->image, sx, sy, f);
  if (Color) {
    Color->ApplyNoAlpha();
  } else {
    platform::SetColor(r, g, b);
  }
  platform::SetAlpha(Alpha);
  return 0;
}

int TSprite::DrawWithOffset() {
  platform::SetScale(BaseScaleX * ScaleX, BaseScaleY * ScaleY);
  platform::SetRotation(Rotation);
  if (UseAlpha != 0) platform::SetAlpha(Alpha);
  const TGameImagePtr& img = DrawImageOf();
  const int f = DrawFrame();
  DrawShadow(img, f, 1);
  if (img && img->image) {
    float px = x - Game->ScrollX;
    float py = y - Game->ScrollY;
    if (UseOffset != 0) {
      px += offx;
      py += offy;
    }
    platform::DrawImage(img->image, px, py, f);
  }
  platform::SetScale(1.0f, 1.0f);
  platform::SetRotation(0.0f);
  if (UseAlpha != 0) platform::SetAlpha(1.0f);
  return 0;
}

int TSprite::DrawLight(float level, float r, float g, float b, const TGameImagePtr& lightImage) {
  if (visible == 0) return 0;
  platform::SetBlend(platform::LIGHTBLEND);
  const float k = level * 255.0f;
  platform::SetColor(static_cast<int>(k * r), static_cast<int>(k * g), static_cast<int>(k * b));
  // An alternative image the owner set survives the glow pass.
  TGameImagePtr previous = std::move(AlternativeImage);
  AlternativeImage = lightImage;
  DoDraw();
  AlternativeImage = std::move(previous);
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  return 1;
}

// ---------------------------------------------------------------- small commands

int TSprite::Centre() {
  if (image) image->MidHandle(1);
  x = static_cast<float>(ScreenWidth / 2);
  y = static_cast<float>(ScreenHeight / 2);
  return 0;
}

int TSprite::CentreX(float newY) {
  if (image) image->MidHandle(1);
  x = static_cast<float>(ScreenWidth / 2);
  y = newY;
  return 0;
}

int TSprite::ClearRotation() {
  Rotation = 0;
  return 0;
}

int TSprite::ClearScale() {
  ScaleX = 1.0f;
  ScaleY = 1.0f;
  return 0;
}

int TSprite::ClearTransformations() {
  ClearScale();
  ClearRotation();
  return 0;
}

int TSprite::GetSize() {
  if (image) {
    w = image->w;
    h = image->h;
    w2 = image->w2;
    h2 = image->h2;
  }
  return 0;
}

float TSprite::Height() { return static_cast<float>(h) * ScaleY; }
float TSprite::Width() { return static_cast<float>(w) * ScaleX; }

int TSprite::Init() { return 0; }

int TSprite::Kill() {
  if (AttachedSprite) {
    TSpritePtr attached = std::move(AttachedSprite);
    if (KillAttachedSprite == 1) attached->Kill();
  }
  return 0;
}

int TSprite::ScaleOriginalCoords() {
  x = ox * BaseScaleX;
  y = oy * BaseScaleY;
  return 0;
}

int TSprite::SetImage(const TGameImagePtr& newImage) {
  image = newImage;
  return GetSize();
}

int TSprite::SetName(const String& newName) {
  name = ccUpper(newName);
  return 0;
}

int TSprite::SetPosition(float newX, float newY) {
  x = newX;
  y = newY;
  return 0;
}

int TSprite::SetScaleXY(float sx, float sy) {
  ScaleX = sx;
  ScaleY = sy == 0 ? sx : sy;
  return 0;
}

int TSprite::SetShadow(int on, float sdx, float sdy, float alpha) {
  Shadow = on;
  ShadowX = sdx;
  ShadowY = sdy;
  ShadowAlpha = alpha;
  return 0;
}

int TSprite::Stop() {
  dx = 0;
  dy = 0;
  return 0;
}

int TSprite::StoreCentreCoords() {
  cx = x;
  cy = y;
  return 0;
}

int TSprite::StoreOriginalCoords() {
  ox = x;
  oy = y;
  return 0;
}
