#include "ui/TDialog.h"

#include <cmath>

#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/Input.h"
#include "core/TChannelArray.h"
#include "core/TGame.h"
#include "core/TGameChannel.h"
#include "core/TGameSound.h"
#include "gfx/DrawHelpers.h"
#include "gfx/ScreenEffects.h"
#include "gfx/TAnimation.h"
#include "gfx/TColor.h"
#include "gfx/TGameImage.h"
#include "gfx/TSprite.h"
#include "platform/Audio.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "text/TLabel.h"
#include "text/TShadow.h"
#include "text/TextDrawing.h"
#include "ui/TMenu.h"

namespace {

constexpr float kDegToRad = 3.14159265358979f / 180.0f;

std::shared_ptr<TGameChannel> PlayDialogSound(const std::shared_ptr<TGameSound>& sound) {
  if (!sound || !Game || !Game->Channels) return nullptr;
  return Game->Channels->PlayGameSound(sound, nullptr, 1.0f, 0.0f);
}

void SetRounding(const std::shared_ptr<TLabel>& label, int slide, int still) {
  if (!label) return;
  if (slide == 0) {
    label->RoundCoords = 1;
    label->RoundXCoord = 0;
    label->RoundYCoord = 0;
  } else if (slide == 1 || slide == 3) {
    label->RoundCoords = 0;
    label->RoundXCoord = 1;
    label->RoundYCoord = still;
  } else {
    label->RoundCoords = 0;
    label->RoundYCoord = 1;
    label->RoundXCoord = still;
  }
}

}  // namespace

TDialog::TDialog() = default;
TDialog::~TDialog() = default;

int TDialog::Init(const String& text, const platform::ImagePtr& background, int width, int height,
                  int px, int py) {
  Caption = TLabel::CreateSpecial(text, 0.0f, 0.0f, 1, 0, 0);
  Background = background;
  DialogColor = TColor::Create(150, 150, 150, 1.0f);
  w = width;
  FixedWidth = w != 0 ? 1 : 0;
  h = height;
  x = px;
  y = py;
  return 0;
}

int TDialog::Start() {
  CalcAll();
  MenuPosition();
  OldIgnoreEscapeKey = Game->IgnoreEscapeKey;
  Game->IgnoreEscapeKey = 1;
  Active = 1;
  if (Slide == 5) Slide = platform::Rand(1, 4);
  CalcOffset();
  return 0;
}

int TDialog::SetupCaption(const platform::ImageFontPtr& font, const std::shared_ptr<TColor>& color,
                          const std::shared_ptr<TShadow>& shadow,
                          const std::shared_ptr<TBitmapFont>& bitmapFont) {
  if (!Caption) return 0;
  Caption->Init(font, color, shadow, 0, bitmapFont, nullptr, String());
  CalcAll();
  MenuPosition();
  return 0;
}

int TDialog::SetupTextHeader(const String& text, const platform::ImageFontPtr& font,
                             const std::shared_ptr<TColor>& color,
                             const std::shared_ptr<TShadow>& shadow,
                             const std::shared_ptr<TBitmapFont>& bitmapFont, int px, int py,
                             int centreVertically) {
  TextHeader = TLabel::CreateSpecial(text, static_cast<float>(px), static_cast<float>(py), 1, 0,
                                     centreVertically);
  TextHeader->Init(font, color, shadow, 0, bitmapFont, nullptr, String());
  TextHeader->CalcSize();
  if (Slide > 0) TextHeader->RoundCoords = 0;
  return 0;
}

int TDialog::SetSlide(int side, int sine) {
  Slide = side;
  SlideSine = sine;
  if (Slide == 5) Slide = platform::Rand(1, 4);
  if (Slide > 0) {
    if (Caption) Caption->RoundCoords = 0;
    if (TextHeader) TextHeader->RoundCoords = 0;
  }
  return 0;
}

int TDialog::SetTransitions(int inMs, int outMs, float dim, int fade, int side, int sine) {
  SetSlide(side, sine);
  if (inMs > 0) {
    TransitionIn = TAnimation::Create(inMs, 0, 0, 0, 0);
    TransitionIn->Start();
    Transitioning = 1;
    CalcOffset();
    PlayDialogSound(SlideInSound);
  }
  if (outMs > 0) TransitionOut = TAnimation::Create(outMs, 0, 0, 0, 0);
  DimBackground = dim;
  FadeDialog = fade;
  return 0;
}

int TDialog::CalcAll() {
  CalcSize();
  SetLabelsXY();
  return 0;
}

int TDialog::CalcSize() {
  if (!Caption) return 0;
  Caption->CalcWidth();
  Caption->CalcHeight();
  const float captionW = Caption->W;
  if (!Background && FixedWidth == 0) w = static_cast<int>(2.0f * Border + captionW);
  if (Background) {
    platform::SetImageHandle(Background, 0.0f, 0.0f);
    w = platform::ImageWidth(Background);
    h = platform::ImageHeight(Background);
  }
  if (FixedWidth == 1 && CallPreCalcWordWrap == 1) {
    int wrap = 0;
    if (WordWrapWidth > 0 && WordWrapWidth < captionW) {
      wrap = WordWrapWidth;
    } else if (WordWrapWidth == 0 && w < 2.0f * Border + captionW) {
      wrap = w - 2 * Border;
    }
    if (wrap > 0) {
      Caption->WordWrap = wrap;
      Caption->PreCalcWordWrap();
      Caption->CalcHeight();
    }
  }
  CalcXY();
  return 0;
}

int TDialog::CalcXY() {
  if (Centre == 1) {
    x = (ScreenWidth - w) / 2;
    y = (ScreenHeight - h) / 2;
  }
  return 0;
}

int TDialog::CalcOffset() {
  OffsetX = 0.0f;
  OffsetY = 0.0f;
  if (Transitioning <= 0 || Slide <= 0) return 0;
  const std::shared_ptr<TAnimation>& anim = Transitioning == 1 ? TransitionIn : TransitionOut;
  float r = 1.0f;
  if (anim) {
    const float remaining = anim->GetRatio();
    if (Transitioning == 1) {
      r = SlideSine == 1 ? 1.0f - std::sin((1.0f - remaining) * 90.0f * kDegToRad) : remaining;
    } else {
      r = SlideSine == 1 ? 1.0f - std::sin(remaining * 90.0f * kDegToRad) : 1.0f - remaining;
    }
  }
  switch (Slide) {
    case 1: OffsetY = -static_cast<float>(y + h + SlideExtra) * r; break;
    case 2: OffsetX = static_cast<float>(ScreenWidth - x + SlideExtra) * r; break;
    case 3: OffsetY = static_cast<float>(ScreenHeight - y + SlideExtra) * r; break;
    case 4: OffsetX = -static_cast<float>(x + w + SlideExtra) * r; break;
    default: break;
  }
  return 0;
}

int TDialog::CaptionGetCentredX() { return x + w / 2; }

int TDialog::HeaderLoad(const String& name, float px, float py) {
  Header = TSprite::Create(TGameImage::Create(Game->ImagePath + name + Ext, -1, 0), px, py);
  return 0;
}

int TDialog::SetLabelsXY() {
  if (!Caption) return 0;
  if (CaptionOX == 0 && CaptionOY == 0) {
    Caption->X = static_cast<float>(CaptionGetCentredX());
    if (Caption->WordWrap > 0 || CaptionCentreVert == 1) {
      Caption->Y = static_cast<float>(y + h / 2) - (Caption->H / 2.0f) * Caption->Scale;
    } else {
      Caption->Y = static_cast<float>(y + Border);
    }
  } else {
    Caption->X = static_cast<float>(CaptionOX);
    Caption->Y = static_cast<float>(CaptionOY);
  }
  Caption->X += static_cast<float>(CaptionOffsetX);
  Caption->Y += static_cast<float>(CaptionOffsetY);
  return 0;
}

int TDialog::MenuPosition() {
  if (Menu) Menu->ManageNoSound(OffsetX, OffsetY);
  return 0;
}

int TDialog::MenuGetCentredX() { return x + (w - (Menu ? Menu->CalcWidth() : 0)) / 2; }

int TDialog::PlaceMenuAtBottom() {
  CalcAll();
  if (!Menu) return 0;
  if (MenuOX == 0 && MenuOY == 0) {
    Menu->SetX(static_cast<float>(MenuGetCentredX()));
    Menu->SetY(static_cast<float>(y + h - Menu->CalcHeight() - Border));
  } else {
    Menu->SetX(static_cast<float>(MenuOX));
    Menu->SetY(static_cast<float>(MenuOY));
  }
  Menu->ManageNoSound(OffsetX, OffsetY);
  return 0;
}

int TDialog::PlaceMenuOnce() {
  CallPreCalcWordWrap = 0;
  MenuPosition();
  CallPreCalcWordWrap = 1;
  return 0;
}

int TDialog::FitHeightToButtons(int gap) {
  if (Background || !Caption) return 0;
  const int row = Menu ? Menu->CalcHeight() : 0;
  h = static_cast<int>(2.0f * Border + gap + Caption->H + row);
  return 0;
}

int TDialog::ShowBlockingMessage(const String& message) {
  ccEnablePolledInput();
  ccDialogOK(message, 400, 100);
  ccDisablePolledInput();
  return 0;
}

int TDialog::MakeMenu() {
  Menu = TMenu::Create(u"buttonMO", u"buttonclick", 0.0f, 0.0f, 10);
  Menu->SetShadow(1, 3.0f, 3.0f, 0.4f);
  return 0;
}

int TDialog::Manage() { return ManageCore(); }

int TDialog::ManageCore() {
  if (Active == 0) return 0;
  if (ManageTransitions() == 1) return 1;
  if (Menu) {
    if (Disabled == 1 || Transitioning == 2) {
      Menu->ManageFixedGlowOnly();
    } else if (Transitioning == 0) {
      Menu->Manage(0.0f, 0.0f);
    }
  }
  return 1;
}

int TDialog::ManageTransitions() {
  if (TransitionIn && TransitionIn->Manage() == 1) {
    Transitioning = 0;
    if (FadeDialog == 1) SetAlphas(1.0f);
    if (ActivateSound) FadeChannel = PlayDialogSound(ActivateSound);
    ccFlushAll();
  }
  if (TransitionOut) {
    if (TransitionOut->Manage() == 1) {
      if (FadeDialog == 1) SetAlphas(0.0f);
      Transitioning = 0;
      ccFlushAll();
      Finalise();
      if (FadeChannel) {
        FadeChannel->OriginalVolume = 0.0f;
        platform::SetChannelVolume(FadeChannel->Channel, 0.0f);
      }
      return 1;
    }
    if (Transitioning == 2 && FadeChannel) {
      const float remaining = TransitionOut->GetRatio();
      FadeChannel->OriginalVolume = remaining;
      platform::SetChannelVolume(FadeChannel->Channel,
                                 static_cast<float>(Game->SoundVolume) / 100.0f * remaining);
    }
  }
  const int still = Transitioning == 0 ? 1 : 0;
  SetRounding(Caption, Slide, still);
  SetRounding(TextHeader, Slide, still);
  CalcOffset();
  return 0;
}

namespace {

void DrawDecoration(const std::shared_ptr<TGameImage>& picture, int px, int py, float scale,
                    float angle, const std::shared_ptr<TShadow>& shadow, float alpha, float ox,
                    float oy) {
  if (!picture || !picture->image) return;
  platform::SetScale(scale, scale);
  platform::SetRotation(angle);
  if (shadow) {
    const float old = shadow->Alpha;
    shadow->Alpha *= alpha;
    shadow->Apply();
    platform::DrawImage(picture->image, static_cast<float>(px) + shadow->X + ox,
                        static_cast<float>(py) + shadow->Y + oy, 0);
    shadow->Restore();
    shadow->Alpha = old;
  }
  platform::SetAlpha(alpha);
  platform::DrawImage(picture->image, static_cast<float>(px) + ox, static_cast<float>(py) + oy, 0);
  platform::SetScale(1.0f, 1.0f);
  platform::SetRotation(0.0f);
}

}  // namespace

int TDialog::Draw() {
  if (Active == 0) return 0;
  Alpha = 1.0f;
  float dim = DimBackground;
  if (Transitioning == 1 && TransitionIn) {
    const float shown = 1.0f - TransitionIn->GetRatio();
    if (FadeDialog == 1) Alpha = shown;
    if (DimBackground != 0.0f) dim = shown * DimBackground;
  } else if (Transitioning == 2 && TransitionOut) {
    const float shown = TransitionOut->GetRatio();
    if (FadeDialog == 1) Alpha = shown;
    if (DimBackground != 0.0f) dim = shown * DimBackground;
  }
  if (dim > 0.0f) ccDimScreen(dim);
  platform::SetAlpha(Alpha);
  if (Alpha != 1.0f) SetAlphas(Alpha);

  const float bx = static_cast<float>(x) + OffsetX;
  const float by = static_cast<float>(y) + OffsetY;
  if (!Background) {
    if (DialogColor) DialogColor->Apply();
    ccDrawRect(bx, by, static_cast<float>(w), static_cast<float>(h), Shadow);
    TColor::Restore();
    platform::SetAlpha(Alpha);
  } else {
    ccDrawImage(Background, bx, by, Shadow);
  }
  DoDrawHighlight(Alpha);

  if (Header) {
    if (Slide == 0) {
      Header->UseOffset = 0;
    } else {
      Header->UseOffset = 1;
      Header->offx = OffsetX;
      Header->offy = OffsetY;
    }
    Header->Draw();
  }
  if (TextHeader) TextHeader->Draw(OffsetX, OffsetY, 1);
  if (Caption) Caption->Draw(OffsetX, OffsetY, 1);
  ccTextAlpha = 1.0f;
  if (Menu && MenuShow == 1) Menu->Draw(OffsetX, OffsetY);
  DrawDecoration(Picture, PictureX, PictureY, PictureScale, PictureAngle, PictureShadow, Alpha,
                 OffsetX, OffsetY);
  DrawDecoration(Picture2, Picture2X, Picture2Y, Picture2Scale, Picture2Angle, Picture2Shadow,
                 Alpha, OffsetX, OffsetY);
  platform::SetAlpha(1.0f);
  return 1;
}

int TDialog::SetAlphas(float alpha) {
  if (Header) Header->Alpha = alpha;
  if (Menu) Menu->SetAlpha(alpha);
  if (Caption) Caption->Alpha = alpha;
  if (TextHeader) TextHeader->Alpha = alpha;
  return 0;
}

int TDialog::SetWordWrap(int width) {
  FixedWidth = 1;
  WordWrapWidth = width;
  return 0;
}

int TDialog::DoDrawHighlight(float alpha) {
  if (DrawHighlight != 1) return 0;
  const float bx = static_cast<float>(x) + OffsetX;
  const float by = static_cast<float>(y) + OffsetY;
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(0.5f * alpha);
  platform::DrawLine(bx, by, bx + static_cast<float>(w - 1), by);
  platform::DrawLine(bx, by, bx, by + static_cast<float>(h - 1));
  platform::SetAlpha(alpha);
  return 0;
}

int TDialog::Close(int result) {
  CloseResultTemp = result;
  if (!TransitionOut) {
    Finalise();
    return result;
  }
  TransitionOut->Start();
  Transitioning = 2;
  PlayDialogSound(SlideOutSound);
  return 0;
}

int TDialog::Finalise() {
  Active = 0;
  if (ReenableEscapeKey == 1) Game->IgnoreEscapeKey = OldIgnoreEscapeKey;
  CloseResult = CloseResultTemp;
  return 0;
}

int TDialog::Kill() {
  // An owner that lets go of an open dialog must not leave Escape dead for the screen.
  if (Active != 0 && ReenableEscapeKey == 1 && Game) Game->IgnoreEscapeKey = OldIgnoreEscapeKey;
  Active = 0;
  Transitioning = 0;
  if (Caption) Caption->Kill();
  Background = nullptr;
  Shadow = nullptr;
  DialogColor = nullptr;
  if (Menu) {
    Menu->Kill();
    Menu = nullptr;
  }
  Picture = nullptr;
  Picture2 = nullptr;
  ActivateSound = nullptr;
  SlideInSound = nullptr;
  SlideOutSound = nullptr;
  return 0;
}
