#include "ui/TToolTip.h"

#include <cmath>

#include "core/Globals.h"
#include "core/TChannelArray.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "gfx/TGameImage.h"
#include "platform/Graphics.h"
#include "text/TFont.h"
#include "text/TextDrawing.h"
#include "text/WordWrap.h"

int TToolTip::Collide(int hit) {
  bool shown = false;
  if (hit == 0) {
    CollideCounter = 0;
  } else {
    CollideCounter += Delta;
    const bool wasVisible = Visible != 0;
    if (CollideCounter > static_cast<float>(CollideCounterMax)) {
      Visible = 1;
      CollideCounter = static_cast<float>(CollideCounterMax);
      shown = true;
      if (!wasVisible && ToolTipSound && Game->Channels) {
        Game->Channels->PlayGameSound(ToolTipSound, nullptr, 1.0f, 0.0f);
      }
    }
    if (DrawUnderMouseCursor != 0 && (SetCoordsOnceOnly == 0 || !wasVisible)) Place();
  }
  if (shown) {
    if (Fade != 0) FadeLevel = std::min(FadeLevel + FadeInSpeed * Delta, 1.0f);
  } else if (Fade == 0) {
    Visible = 0;
  } else {
    FadeLevel -= FadeOutSpeed * Delta;
    if (FadeLevel <= 0) {
      FadeLevel = 0;
      Visible = 0;
    }
  }
  return 0;
}

void TToolTip::Place() {
  // Without a picture the tip is placed as a 0 x 0 one.
  const int w = image ? image->w : 0;
  const int h = image ? image->h : 0;
  const int mx = Game->Mouse->x;
  const int my = Game->Mouse->y;
  const int ph = Game->Mouse->h;
  const bool above = AlwaysShowAboveMouse != 0 || my + ph + GapFromMouse + h >= ScreenHeight;
  y = static_cast<float>(above ? my - GapFromMouse - h : my + ph + GapFromMouse);
  x = static_cast<float>(mx + w < ScreenWidth ? mx + XOffset : ScreenWidth - w);
}

int TToolTip::Kill() {
  ToolTipSound.reset();
  return 0;
}

int TToolTip::SetCollideCounterMax(int ms) {
  CollideCounterMax = static_cast<int>(Game->CalcAnimLength(ms));
  return 0;
}

int TToolTip::SetText(const String& text) {
  if (Fade != 0 && FadeLevel > 0) return 0;
  Text = text;
  const StringArray lines = ccSplitStringIntoLines(text);
  const TBitmapFontPtr bitmap = Font ? Font->BitmapFont : nullptr;
  if (!bitmap) {
    TextWrapped = lines;
    return 1;
  }
  // Wrapped at scale 1 to the width the drawn scale leaves.
  const double oldScale = bitmap->ScaleFactor;
  bitmap->ScaleFactor = 1.0;
  const int width = static_cast<int>(static_cast<float>(TextDrawWidth) / FontScale);
  TextWrapped = ccWordWrapArray(lines, width, bitmap, 1.0f);
  bitmap->ScaleFactor = oldScale;
  return 1;
}

int TToolTip::Draw() {
  if (Visible == 0) return 0;
  const TBitmapFontPtr bitmap = Font ? Font->BitmapFont : nullptr;
  if (!image || !bitmap) return 0;
  if (Fade != 0) {
    platform::SetAlpha(FadeLevel);
    if (Font->Color) Font->Color->Alpha = FadeLevel;
  }
  platform::DrawImage(image->image, x, y, 0);
  Font->Apply();
  const double oldScale = bitmap->ScaleFactor;
  bitmap->ScaleFactor = FontScale;
  const double cx = std::floor(static_cast<double>(x) + image->w / 2.0 + 0.5);
  const double cy = static_cast<double>(y) + image->h / 2.0 + TextYOffset;
  const int lineHeight = static_cast<int>(bitmap->StringHeight(bitmap->TestString));
  bitmap->DrawStringArray(TextWrapped, cx, cy, 1, 0, 1, 0, Font->Shadow ? 1 : 0, lineHeight, 1);
  bitmap->ScaleFactor = oldScale;
  TColor::Restore();
  if (Fade != 0) {
    platform::SetAlpha(1.0f);
    ccTextAlpha = 1.0f;
  }
  return 1;
}
