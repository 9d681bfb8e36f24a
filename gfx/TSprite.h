#pragma once
// The base of every visible object with a position: one frame of a named image drawn with
// scale, rotation, alpha, an optional tint, drop shadow and additive glow pass; a velocity with
// gravity; a frame animation with loops, counted loops and ping-pong; scale, rotation and glow
// tweens. A sprite never advances itself: its owner calls the per-tick operations and Draw.
// Every per-tick change is scaled by Delta. Per-tick and per-frame operations allocate nothing.
#include <functional>
#include <memory>

#include "gfx/TGameImage.h"
#include "platform/String.h"

class TColor;
class TSineCounter;
class TSprite;
using TSpritePtr = std::shared_ptr<TSprite>;

class TSprite : public std::enable_shared_from_this<TSprite> {
 public:
  TSprite();
  virtual ~TSprite();

  String name;
  int active = 0;  // for owners and subclasses
  int visible = 1;
  float x = 0;
  float y = 0;
  float offx = 0;
  float offy = 0;
  int UseOffset = 0;
  float dx = 0;
  float dy = 0;
  float xspeed = 0;
  float yspeed = 0;
  float speed = 0;
  float xgravity = 0;
  float ygravity = 0;
  int w = 0;
  int h = 0;
  float w2 = 0;
  float h2 = 0;
  TGameImagePtr image;
  int RoundCoords = 0;
  int ImageFrame = 0;  // drawn while AnimCounter <= 0
  std::shared_ptr<TColor> Color;  // tint, applied without its alpha
  int MouseOver = 0;
  int Shadow = 0;
  float ShadowX = 3.0f;
  float ShadowY = 3.0f;
  float ShadowAlpha = 0.5f;
  int frame = 0;  // last computed by ManageAnim
  int FramesTotal = 1;  // 1 or less: not animated
  float AnimCounter = 0;
  int AnimLength = 1000;  // ticks
  // 0: a forward run counts down from AnimLength to 0; 1: it counts up from 0.
  int AnimCounterDir = 0;
  int AnimReverse = 0;
  int PingPong = 0;
  float FrameLength = 0;
  int Loop = 1;
  // Above 0 (with Loop): runs still to play, the current one included.
  int LoopCount = 0;
  float ScaleX = 1.0f;
  float ScaleY = 1.0f;
  float BaseScaleX = 1.0f;
  float BaseScaleY = 1.0f;
  float ScaleXSpeed = 0.1f;
  float ScaleYSpeed = 0.1f;
  float ScaleCounter = 0;
  int ScaleLength = 1000;
  float Rotation = 0;
  float RotationSpeed = 1.0f;
  float RotationCounter = 0;
  int RotationLength = 1000;
  int RotationLoop = 0;
  int UseAlpha = 1;
  float Alpha = 1.0f;
  int GlowMode = 0;  // 0 none, 1 steady, 2 fading, 3 pulsing
  float Glow = 0;
  float GlowSpeed = 0;
  float GlowMin = 0;
  float GlowMax = 1.0f;
  float GlowRange = 1.0f;
  std::shared_ptr<TSineCounter> GlowCounter;
  TGameImagePtr AlternativeImage;  // drawn instead of image when set
  std::shared_ptr<TSineCounter> MiscSineCounter;
  float cx = 0;
  float cy = 0;
  // Called when an animation wraps or stands at its end; the result is ignored.
  std::function<int(TSprite&)> AnimStoppedFunction;
  float ox = 0;
  float oy = 0;
  TSpritePtr AttachedSprite;
  int KillAttachedSprite = 1;

  // --- Creation ---
  static TSpritePtr Create(const TGameImagePtr& image, float x, float y);
  // Loads Game->ImagePath + file + ".png" afresh (not from the bank), mid-handled; centre != 0
  // puts it at the screen centre.
  static TSpritePtr CreateFromFile(const String& file, float x, float y, int centre, int flags);

  // --- Virtual operations ---
  virtual int AnimBoundsCheckLower();
  virtual int AnimBoundsCheckUpper();
  virtual int BoundsCheck();
  virtual int Centre();
  virtual int CentreX(float y);
  virtual int ClearRotation();
  virtual int ClearScale();
  virtual int ClearTransformations();
  virtual int DoDraw();
  virtual int Draw();
  // Additive pass tinted by level x (r, g, b), with image in place of the sprite's own (null:
  // its own). 1 when drawn, 0 when invisible.
  virtual int DrawLight(float level, float r, float g, float b, const TGameImagePtr& image);
  virtual int DrawNormal();
  virtual int DrawRounded();
  virtual int DrawShadow(const TGameImagePtr& image, int frame, int scrolled);
  virtual int DrawWithOffset();
  virtual int GetAnimFrame();
  virtual int GetSize();
  virtual float Height();
  // An empty hook for subclasses.
  virtual int Init();
  virtual int Kill();
  // 1 when the animation reached an end of its run this tick.
  virtual int ManageAnim();
  virtual int ManageGlow();
  virtual int ManageRotation();
  virtual int ManageScale();
  virtual int Move();
  virtual int MoveAttachedSprite();
  virtual int MoveDown();
  virtual int MoveForward();
  virtual int MoveLeft();
  virtual int MoveOriginalCoords();
  virtual int MoveRight();
  virtual int MoveUp();
  virtual int OutOfBounds();
  virtual int RandomiseAnimPos();
  virtual int ScaleOriginalCoords();
  virtual int SetGlow(int mode, float level, float speed, float min, float max);
  virtual int SetImage(const TGameImagePtr& image);
  virtual int SetName(const String& name);
  virtual int SetPosition(float x, float y);
  virtual int SetScaleXY(float sx, float sy);
  virtual int SetShadow(int on, float dx, float dy, float alpha);
  virtual int SetupAnim(int frames, int lengthMs, int counterDir, int reverse, int randomStart,
                        int pingPong, int loop);
  virtual int SetupRotation(float speed, int lengthMs, int loop, int randomStart);
  virtual int SetupScale(float xSpeed, float ySpeed, int lengthMs);
  virtual int Stop();
  virtual int StopAnim();
  virtual int StoreCentreCoords();
  virtual int StoreOriginalCoords();
  virtual float Width();

 protected:
  // Without the glow counter: for a subclass that puts back one it already has.
  struct NoGlowCounter {};
  explicit TSprite(NoGlowCounter) {}
  // The frame DrawNormal and DrawWithOffset show.
  int DrawFrame() const;
  // The image DrawNormal and DrawWithOffset show.
  const TGameImagePtr& DrawImageOf() const { return AlternativeImage ? AlternativeImage : image; }
  void Stopped();
};
