#include "ui/TButton.h"

#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/Input.h"
#include "core/TChannelArray.h"
#include "core/TGame.h"
#include "core/TGameSound.h"
#include "core/TMousePointer.h"
#include "core/TMouseRepeat.h"
#include "gfx/DrawHelpers.h"
#include "gfx/TBox.h"
#include "gfx/TColor.h"
#include "platform/Graphics.h"
#include "text/TLabel.h"

TButton::TButton() = default;
TButton::~TButton() = default;

// ---------------------------------------------------------------- creation and loading

TButtonPtr TButton::CreateSpecial(const String& picture, const String& moPicture,
                                  const String& moSound, const String& clickSound) {
  auto button = std::make_shared<TButton>();
  button->Load(picture, moPicture, moSound, clickSound, 0, 0, 1);
  return button;
}

int TButton::Load(const String& picture, const String& moPicture, const String& moSound,
                  const String& clickSound, int frameWidth, int frameHeight, int frames) {
  SetName(picture);
  if (!Game->Channels) {
    ChannelMouseOver = platform::AllocChannel();
    ChannelClick = platform::AllocChannel();
  }
  LoadImages(picture, moPicture, frameWidth, frameHeight, frames);
  if (!moSound.empty()) SoundMouseOver = TGameSound::Create(Game->SoundPath + moSound + SoundExt, 0);
  if (!clickSound.empty()) SoundClick = TGameSound::Create(Game->SoundPath + clickSound + SoundExt, 0);
  Init();
  return 0;
}

int TButton::LoadImages(const String& picture, const String& moPicture, int frameWidth,
                        int frameHeight, int frames) {
  const String path = GetPath();
  image = TGameImage::CreateAuto(path + picture + Ext, frameWidth, frameHeight, 0, frames, -1, 0);
  if (moPicture.empty()) {
    ImageMouseOver.reset();
  } else if (ccFileExists(path + moPicture + Ext)) {
    ImageMouseOver =
        TGameImage::CreateAuto(path + moPicture + Ext, frameWidth, frameHeight, 0, frames, -1, 0);
  } else {
    ImageMouseOver = image;
  }
  return 0;
}

int TButton::LoadDisabled(const String& picture) {
  ImageDisabled = TGameImage::Create(GetPath() + picture + Ext, -1, 0);
  return 0;
}

int TButton::LoadMouseClick(const String& picture, int ms) {
  ImageMouseClick = TGameImage::Create(GetPath() + picture + Ext, -1, 0);
  MouseClickDuration = Game->CalcAnimLength(ms);
  return 0;
}

String TButton::GetPath() { return UseMenuPath != 0 ? Game->MenuPath : Game->ImagePath; }

int TButton::Precache() {
  for (const TGameImagePtr* picture : {&image, &ImageMouseOver, &ImageDisabled, &ImageMouseClick}) {
    if (*picture) ccCreateFrames((*picture)->image);
  }
  return 0;
}

int TButton::Init() {
  TSprite::Init();
  GetSize();
  ClearClick();
  return 0;
}

int TButton::Kill() {
  if (!Game || !Game->Channels) {
    if (ChannelMouseOver) platform::StopChannel(ChannelMouseOver);
    if (ChannelClick) platform::StopChannel(ChannelClick);
  }
  ChannelMouseOver.reset();
  ChannelClick.reset();
  Caption.reset();
  MouseRepeat.reset();
  if (BoundingBox) BoundingBox->Kill();
  return 0;
}

// ---------------------------------------------------------------- per tick

bool TButton::HitTest() const {
  const float px = static_cast<float>(Game->Mouse->x);
  const float py = static_cast<float>(Game->Mouse->y);
  if (BoundingBox) {
    return BoundingBox->X <= px && px < BoundingBox->X + BoundingBox->W && BoundingBox->Y <= py &&
           py < BoundingBox->Y + BoundingBox->H;
  }
  const float left = x + offx;
  const float top = y + offy;
  return left <= px && px < left + static_cast<float>(w) && top <= py &&
         py < top + static_cast<float>(h);
}

int TButton::Manage() {
  bool over = false;
  const bool responds = Active != 0 && (Disabled == 0 || (Disabled == 1 && ClickDisabled == 1));
  if (!responds) {
    MouseOver = 0;
    Clicked = 0;
    if (FixedGlowOnMO == 1) ManageGlow();
  } else {
    ManageAnim();
    if (GlowMode > 0) ManageGlow();

    over = HitTest() && !(MouseOverUserFunction && MouseOverUserFunction() != 0);
    if (over) {
      if (MouseClickCounter == 0.0f) {
        if (MouseOver == 0 && NoSound == 0) PlayMouseOver();
        MouseOver = 1;
      }
      FixedGlowOnMOActivate();
      const int repeat = MouseRepeat ? MouseRepeat->GetButton() : 0;
      int presses = 0;
      if (repeat == 0) presses = Game->Mouse->GetMh(1);
      if (repeat != 0 || presses != 0) {
        // A press refused while the click picture shows must not read as a click.
        if (Click(repeat == 2) == 0) Clicked = 0;
      } else {
        Clicked = 0;
      }
      if (ScaleOnMOMax > 1.0f) {
        ScaleOnMO += ScaleOnMOUpSpeed * Delta;
        if (ScaleOnMO > ScaleOnMOMax) ScaleOnMO = ScaleOnMOMax;
      }
    } else {
      MouseOver = 0;
      Clicked = 0;
    }

    if (OKButton != 0) {
      // Space is only asked when Enter brought nothing, and is consumed either way.
      int pressed = KeyHit(KEY_ENTER);
      if (pressed == 0 && KeyHit(KEY_SPACE) != 0 && OKButtonUseSpace != 0) pressed = 1;
      if (pressed != 0) SimulateClick();
    }
  }

  if (!over) ManageScaleOnMO();
  if (MouseClickCounter > 0.0f && StayDown == 0) {
    MouseClickCounter -= Delta;
    if (MouseClickCounter < 0.0f) MouseClickCounter = 0.0f;
  }
  return 0;
}

int TButton::ManageNoSound() {
  NoSound = 1;
  Manage();
  NoSound = 0;
  return 0;
}

int TButton::ManageScaleOnMO() {
  if (ScaleOnMO > 1.0f) {
    ScaleOnMO -= ScaleOnMODownSpeed * Delta;
    if (ScaleOnMO < 1.0f) ScaleOnMO = 1.0f;
  }
  return 0;
}

int TButton::Click(bool secondSound) {
  if (MouseClickCounter > 0.0f && ClickWhenDown != 1) return 0;
  if (Clicked == 0 && NoSound == 0) {
    if (secondSound && SoundClick2) {
      PlayClick2();
    } else {
      PlayClick();
    }
  }
  Clicked = 1;
  if (ImageMouseClick) MouseClickCounter = MouseClickDuration;
  return 1;
}

int TButton::SimulateClick() {
  FixedGlowOnMOActivate();
  if (Click(false) == 0) return 0;
  MouseOver = 1;
  return 1;
}

int TButton::ClearClick() {
  Clicked = 0;
  MouseClickCounter = 0.0f;
  MouseOver = 0;
  Glow = 0.0f;
  return 0;
}

int TButton::FixedGlowOnMOActivate() {
  if (FixedGlowOnMO == 1 && MouseClickCounter <= 0.0f) SetGlow(2, GlowMax, GlowSpeed, 0.0f, GlowMax);
  return 0;
}

// ---------------------------------------------------------------- sounds

int TButton::PlaySound(const std::shared_ptr<TGameSound>& sound, platform::ChannelPtr& channel) {
  if (!sound) return 0;
  if (Game->Channels) {
    Game->Channels->PlayGameSound(sound, nullptr, 1.0f, 0.0f);
  } else {
    sound->PlayInChannel(channel, 0.0f);
  }
  return 0;
}

int TButton::PlayClick() { return PlaySound(SoundClick, ChannelClick); }
int TButton::PlayClick2() { return PlaySound(SoundClick2, ChannelClick); }
int TButton::PlayMouseOver() { return PlaySound(SoundMouseOver, ChannelMouseOver); }

// ---------------------------------------------------------------- drawing

int TButton::Draw() {
  if (Active == 0 && AlwaysDraw == 0) return 0;
  platform::SetBlend(platform::ALPHABLEND);
  float drawX = x + offx;
  float drawY = y + offy;
  if (UseAlpha != 0) platform::SetAlpha(Alpha);
  if (Caption) {
    Caption->Alpha = Alpha;
    OldRoundedCoords = Caption->RoundCoords;
  }

  const float s = ScaleOnMO;
  const float keepScaleX = ScaleX;
  const float keepScaleY = ScaleY;
  if (s <= 1.0f) {
    platform::SetScale(ScaleX, ScaleY);
  } else {
    platform::SetScale(s, s);
    drawX += (1.0f - s) * static_cast<float>(w) / 2.0f;
    drawY += (1.0f - s) * static_cast<float>(h) / 2.0f;
    ScaleX = s;
    ScaleY = s;
  }

  enum { kClick, kOver, kNormal, kDisabled } state;
  TGameImagePtr picture;
  int pictureFrame = 0;
  const bool fixedGlowShowsOver = FixedGlowOnMOUseMO != 0 && GlowMode > 0 && Glow > 0.0f;
  if (MouseClickCounter > 0.0f) {
    state = kClick;
    picture = ImageMouseClick;
  } else if ((MouseOver == 1 && ImageMouseOver) || fixedGlowShowsOver) {
    state = kOver;
    picture = ImageMouseOver ? ImageMouseOver : image;
    pictureFrame = frame;
  } else if (Disabled == 0) {
    state = kNormal;
    picture = image;
    pictureFrame = frame;
  } else {
    state = kDisabled;
    picture = ImageDisabled ? ImageDisabled : image;
  }

  // The shadow is drawn from the sprite's own position: put it at the drawing position.
  const float keepX = x;
  const float keepY = y;
  const int keepUseOffset = UseOffset;
  x = drawX;
  y = drawY;
  UseOffset = 0;
  DrawShadow(picture, 0, 0);
  x = keepX;
  y = keepY;
  UseOffset = keepUseOffset;
  if (picture && picture->image) platform::DrawImage(picture->image, drawX, drawY, pictureFrame);

  bool glow = GlowMode > 0 && Glow > 0.0f;
  if (state == kOver) glow = glow && (FixedGlowOnMO != 0 || AutoGlowOnMO != 0) && UseGlowOnMO != 0;
  if (state == kDisabled) glow = false;
  if (glow && picture && picture->image) {
    ccDrawImageLight(picture->image, drawX, drawY, Glow, 1.0f, 1.0f, 1.0f, pictureFrame);
    if (UseAlpha != 0) platform::SetAlpha(Alpha);
  }

  if (Caption) {
    switch (state) {
      case kOver:
        Caption->ApplyInverse();
        DrawCaption();
        break;
      case kNormal:
        Caption->Apply();
        DrawCaption();
        break;
      case kDisabled:
        Caption->ApplyCustomColor(CaptionDisabledColor);
        DrawCaption();
        break;
      case kClick: {
        Caption->ApplyCustomColor(CaptionDownColor);
        const bool rescaled = CaptionDownScale != 1.0f || s > 1.0f;
        if (rescaled) Caption->RoundCoords = 0;
        float c = CaptionDownScale;
        if (s > 1.0f) {
          platform::SetScale(s, s);
          if (!Caption->BitmapFont) c *= s;
        }
        if (CaptionDownScale != 1.0f) Caption->ApplyScale(c);
        const float k = s > 1.0f ? s : 1.0f;
        Caption->Draw(offx + CaptionDownOffsetX * k, offy + CaptionDownOffsetY * k, 0);
        if (rescaled) {
          Caption->RestoreScale();
          Caption->RoundCoords = OldRoundedCoords;
        }
        break;
      }
    }
  }

  if (UseAlpha != 0) platform::SetAlpha(1.0f);
  platform::SetScale(1.0f, 1.0f);
  ScaleX = keepScaleX;
  ScaleY = keepScaleY;
  return 1;
}

int TButton::DrawCaption() {
  if (!Caption) return 0;
  const float s = ScaleOnMO;
  if (s > 1.0f) {
    platform::SetScale(s, s);
    Caption->RoundCoords = 0;
  }
  Caption->Draw(offx, offy, 0);
  if (s > 1.0f) Caption->RoundCoords = OldRoundedCoords;
  return 0;
}

// ---------------------------------------------------------------- set-up

int TButton::CentreX(float newY) {
  return MoveTo(static_cast<float>((ScreenWidth - w) / 2), newY);
}

int TButton::MoveBy(float mx, float my) {
  x += mx;
  y += my;
  if (Caption) {
    Caption->X += mx;
    Caption->Y += my;
  }
  if (BoundingBox) {
    BoundingBox->X += mx;
    BoundingBox->Y += my;
  }
  return 0;
}

int TButton::MoveTo(float nx, float ny) { return MoveBy(nx - x, ny - y); }

int TButton::SetBoundingBox(int a, int b, int c, int d, int corners) {
  if (BoundingBox) BoundingBox->Kill();
  if (corners == 0) {
    BoundingBox = TBox::Create(static_cast<float>(a), static_cast<float>(b), static_cast<float>(c),
                               static_cast<float>(d), nullptr);
  } else {
    BoundingBox = TBox::Create(static_cast<float>(a), static_cast<float>(b),
                               static_cast<float>(c - a), static_cast<float>(d - b), nullptr);
  }
  return 0;
}

int TButton::SetBoundingBoxAuto(float factorX, float factorY) {
  const int width = image ? image->w : w;
  const int height = image ? image->h : h;
  const int mx = static_cast<int>((static_cast<float>(width) - static_cast<float>(width) * factorX) / 2.0f);
  const int my =
      static_cast<int>((static_cast<float>(height) - static_cast<float>(height) * factorY) / 2.0f);
  return SetBoundingBox(static_cast<int>(x + static_cast<float>(mx)),
                        static_cast<int>(y + static_cast<float>(my)), width - 2 * mx,
                        height - 2 * my, 0);
}

int TButton::SetupCaption(const String& text, const platform::ImageFontPtr& font,
                          const std::shared_ptr<TColor>& color,
                          const std::shared_ptr<TShadow>& shadow,
                          const std::shared_ptr<TBitmapFont>& bitmapFont,
                          const std::shared_ptr<TColor>& inverseColor) {
  Caption = TLabel::CreateSpecial(text, x + w2, y + h2, 1, 0, 1);
  Caption->Init(font, color, shadow, 0, bitmapFont, inverseColor, String());
  return 0;
}

int TButton::SetupCaptionDown(const std::shared_ptr<TColor>& color, float scale, float offsetX,
                              float offsetY) {
  CaptionDownColor = color;
  CaptionDownScale = scale;
  CaptionDownOffsetX = offsetX;
  CaptionDownOffsetY = offsetY;
  return 0;
}

int TButton::SetupMouseRepeat(int initialDelayMs, int repeatMs) {
  MouseRepeat = TMouseRepeat::Create(initialDelayMs, repeatMs);
  return 0;
}

int TButton::SetupScaleOnMO(float maximum, float upSpeed, float downSpeed) {
  ScaleOnMOMax = maximum;
  ScaleOnMOUpSpeed = upSpeed;
  ScaleOnMODownSpeed = downSpeed;
  return 0;
}

int TButton::SetFixedGlowOnMO(float maximum, float speed, int useMouseOverPicture) {
  FixedGlowOnMO = 1;
  FixedGlowOnMOUseMO = useMouseOverPicture;
  GlowMax = maximum;
  GlowSpeed = speed;
  return 0;
}

int TButton::SetAutoGlow(float minimum, float maximum, float speed, int alsoOnMouseOver) {
  SetGlow(3, maximum, speed, minimum, maximum);
  AutoGlowOnMO = alsoOnMouseOver;
  return 0;
}
