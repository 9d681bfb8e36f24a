#pragma once
// The image button: a sprite with up to four pictures (normal, mouse-over, click, disabled),
// a mouse-over and a click sound, an optional caption, hit rectangle, glow, hover growth,
// mouse auto-repeat and the OK-button mark (Enter and Space press it). It never blocks and
// never calls back: the owner runs Manage once per tick and reads Clicked and MouseOver.
//
// Two flags share their name with the sprite base: the button's own `Active` (1 by default)
// is distinct from the sprite's `active`, and the button's `MouseOver` hides the sprite's
// `MouseOver`, which buttons never use. Every picture's handle is its top-left corner.
#include <functional>
#include <memory>

#include "gfx/TSprite.h"
#include "platform/Audio.h"
#include "platform/Font.h"
#include "platform/String.h"

class TBox;
class TColor;
class TGameSound;
class TLabel;
class TMouseRepeat;
class TShadow;
class TBitmapFont;
class TButton;
using TButtonPtr = std::shared_ptr<TButton>;

class TButton : public TSprite {
 public:
  TButton();
  ~TButton() override;

  static constexpr char16_t Ext[] = u".png";
  static constexpr char16_t SoundExt[] = u".wav";

  TGameImagePtr ImageDisabled;
  TGameImagePtr ImageMouseClick;
  TGameImagePtr ImageMouseOver;  // may be the normal picture object itself
  std::shared_ptr<TGameSound> SoundMouseOver;
  std::shared_ptr<TGameSound> SoundClick;
  std::shared_ptr<TGameSound> SoundClick2;
  std::shared_ptr<TBox> BoundingBox;  // screen coordinates; the draw offset is not added
  std::shared_ptr<TLabel> Caption;
  std::shared_ptr<TColor> CaptionDisabledColor;
  std::shared_ptr<TMouseRepeat> MouseRepeat;
  int Active = 1;
  int AlwaysDraw = 0;
  int Animated = 0;
  int ClickDisabled = 1;
  int ClickWhenDown = 0;
  int Disabled = 0;
  int OKButton = 0;
  int OKButtonUseSpace = 1;
  int StayDown = 0;
  int UseGlowOnMO = 1;
  int UseMenuPath = 0;
  // A non-zero result vetoes hovering for that tick.
  std::function<int()> MouseOverUserFunction;
  int Clicked = 0;
  int MouseOver = 0;
  int AutoGlowOnMO = 0;
  std::shared_ptr<TColor> CaptionDownColor;
  float CaptionDownScale = 1.0f;
  float CaptionDownOffsetX = 0.0f;
  float CaptionDownOffsetY = 0.0f;
  // Only allocated when the game has no channel pool.
  platform::ChannelPtr ChannelMouseOver;
  platform::ChannelPtr ChannelClick;
  int FixedGlowOnMO = 0;
  int FixedGlowOnMOUseMO = 0;
  float MouseClickCounter = 0.0f;   // ticks left to show the click picture
  float MouseClickDuration = 0.0f;  // ticks
  int NoSound = 0;
  int OldRoundedCoords = 0;
  float ScaleOnMOMax = 1.0f;
  float ScaleOnMO = 1.0f;
  float ScaleOnMOUpSpeed = 0.03f;
  float ScaleOnMODownSpeed = 0.01f;

  // --- Creation and loading ---
  static TButtonPtr CreateSpecial(const String& picture, const String& moPicture,
                                  const String& moSound, const String& clickSound);
  // Names the button after the picture; a missing normal picture or sound is fatal, a
  // missing mouse-over picture falls back to the normal picture object.
  virtual int Load(const String& picture, const String& moPicture, const String& moSound,
                   const String& clickSound, int frameWidth, int frameHeight, int frames);
  virtual int LoadImages(const String& picture, const String& moPicture, int frameWidth,
                         int frameHeight, int frames);
  virtual int LoadDisabled(const String& picture);
  virtual int LoadMouseClick(const String& picture, int ms);
  // MenuPath when UseMenuPath is set, else ImagePath.
  virtual String GetPath();
  virtual int Precache();

  // --- Per tick ---
  virtual int Manage();
  virtual int ManageNoSound();
  virtual int ManageScaleOnMO();
  // 1 when accepted; a refused click changes nothing.
  virtual int Click(bool secondSound);
  virtual int SimulateClick();
  virtual int ClearClick();
  virtual int FixedGlowOnMOActivate();

  // --- Sounds ---
  virtual int PlayClick();
  virtual int PlayClick2();
  virtual int PlayMouseOver();

  // --- Drawing ---
  virtual int DrawCaption();

  // --- Set-up ---
  virtual int MoveBy(float dx, float dy);
  virtual int MoveTo(float nx, float ny);
  // corners 0: (a, b) sized c by d; else corner (a, b) to corner (c, d).
  virtual int SetBoundingBox(int a, int b, int c, int d, int corners);
  virtual int SetBoundingBoxAuto(float factorX, float factorY);
  virtual int SetupCaption(const String& text, const platform::ImageFontPtr& font,
                           const std::shared_ptr<TColor>& color,
                           const std::shared_ptr<TShadow>& shadow,
                           const std::shared_ptr<TBitmapFont>& bitmapFont,
                           const std::shared_ptr<TColor>& inverseColor);
  virtual int SetupCaptionDown(const std::shared_ptr<TColor>& color, float scale, float offsetX,
                               float offsetY);
  virtual int SetupMouseRepeat(int initialDelayMs, int repeatMs);
  virtual int SetupScaleOnMO(float maximum, float upSpeed, float downSpeed);
  virtual int SetFixedGlowOnMO(float maximum, float speed, int useMouseOverPicture);
  virtual int SetAutoGlow(float minimum, float maximum, float speed, int alsoOnMouseOver);

  // --- Sprite overrides ---
  int CentreX(float newY) override;
  // 0 when nothing was drawn.
  int Draw() override;
  int Init() override;
  int Kill() override;

 private:
  int PlaySound(const std::shared_ptr<TGameSound>& sound, platform::ChannelPtr& channel);
  bool HitTest() const;
};
