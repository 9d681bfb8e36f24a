#include "ui/TListBox.h"

#include <algorithm>
#include <cmath>

#include "core/Globals.h"
#include "core/TChannelArray.h"
#include "core/TGame.h"
#include "core/TGameSound.h"
#include "core/TKeyRepeat.h"
#include "core/TMousePointer.h"
#include "gfx/DrawHelpers.h"
#include "gfx/TBox.h"
#include "gfx/TColor.h"
#include "gfx/TGameImage.h"
#include "platform/Graphics.h"
#include "text/TBitmapFont.h"
#include "text/TFont.h"
#include "text/TShadow.h"
#include "text/TextDrawing.h"
#include "ui/TButton.h"
#include "ui/TMenu.h"
#include "ui/TScrollBar.h"

TListBoxPtr TListBox::Create(int unused, int gap, int centred, int drawBox, int doubleClickMs) {
  auto list = std::make_shared<TListBox>();
  list->Init(unused, gap, centred, drawBox);
  list->Font = TFont::Create(nullptr, TColor::Create(255, 255, 255, 1.0f), nullptr, 0, nullptr,
                             nullptr, String());
  list->Box = TBox::Create(0, 0, 0, 0, TColor::Create(0, 0, 0, 1.0f));
  list->HighlightCol = TColor::Create(0, 0, 150, 1.0f);
  list->DoubleClickTime = Game->CalcAnimLength(doubleClickMs);
  list->UpKeyRepeat = TKeyRepeat::Create(400, 100);
  list->DownKeyRepeat = TKeyRepeat::Create(400, 100);
  if (!Game->Channels) list->ClickChannel = platform::AllocChannel();
  return list;
}

int TListBox::Init(int, int gap, int centred, int drawBox) {
  Gap = gap;
  Centred = centred;
  DrawBox = drawBox;
  return 0;
}

int TListBox::CalcLineHeight() {
  if (!Font || !Box) return 0;
  LineHeight = ccRound(Font->CalcHeight()) + 2 * Gap;
  if (LineHeight <= 0) return 0;
  if (RoundHeight != 0) Box->H = static_cast<float>(LineHeight) * std::floor(Box->H / static_cast<float>(LineHeight));
  DisplayLines = static_cast<int>(Box->H / static_cast<float>(LineHeight));
  return 0;
}

int TListBox::ClearIndex() {
  Index = -1;
  Clicked = -1;
  Value.clear();
  return 0;
}

int TListBox::GetTempLimit() {
  const int count = Count();
  if (Limit == 0) return count;
  return std::min(TopIndex + Limit, count);
}

int TListBox::GetIndexY() {
  if (Index == -1 || !Box) return 0;
  return static_cast<int>(static_cast<float>(Index - TopIndex) * LineHeight * Scale + Box->Y);
}

int TListBox::GetDoubleClicked() {
  const int line = DoubleClicked;
  DoubleClicked = -1;
  return line;
}

int TListBox::PlayClick() {
  if (!ClickSound) return 0;
  if (Game->Channels) {
    Game->Channels->PlayGameSound(ClickSound, nullptr, 1.0f, 0.0f);
  } else if (ClickChannel) {
    ClickSound->PlayInChannel(ClickChannel, 0.0f);
  }
  return 0;
}

int TListBox::SetClickSound(const std::shared_ptr<TGameSound>& sound) {
  ClickSound = sound;
  // A held arrow repeats its click: the repeats sound like a line stepped by key.
  if (ScrollBar && ScrollBar->Menu) {
    for (const String& name : {ScrollBar->UpName, ScrollBar->DownName}) {
      if (const TButtonPtr arrow = ScrollBar->Menu->FindButton(name)) arrow->SoundClick2 = sound;
    }
  }
  return 0;
}

int TListBox::SetCoords(float px, float py, float pw, float ph) {
  if (Box) Box->Init(px, py, pw, ph, Box->Color);
  return 0;
}

int TListBox::SetupBox(const std::shared_ptr<TColor>& colour) {
  if (Box) Box->Color = colour;
  return 0;
}

int TListBox::SetupFont(const platform::ImageFontPtr& font, const std::shared_ptr<TColor>& colour,
                        const std::shared_ptr<TShadow>& shadow,
                        const std::shared_ptr<TBitmapFont>& bitmapFont,
                        const std::shared_ptr<TColor>& inverseColour) {
  if (!Font) return 0;
  Font->Init(font, colour, shadow, 0, bitmapFont, inverseColour, String());
  CalcLineHeight();
  if (bitmapFont) OldScale = bitmapFont->ScaleFactor;
  return 0;
}

int TListBox::SetIndex(int index) {
  if (index < -1 || index >= Count()) index = -1;
  Index = index;
  if (index == -1) {
    Value.clear();
    return 0;
  }
  Value = Strings[static_cast<size_t>(index)];
  if (index < TopIndex) TopIndex = index;
  if (Limit > 0 && TopIndex < index - (Limit - 1)) TopIndex = index - (Limit - 1);
  SyncScrollBar();
  return 0;
}

int TListBox::SetTopIndex(int index) {
  TopIndex = std::max(index, 0);
  if (TopIndex + Limit > Count() - 1) TopIndex = Count() - Limit;
  TopIndex = std::max(TopIndex, 0);
  // Without this the next Manage would take the bar's old value back.
  SyncScrollBar();
  return 0;
}

void TListBox::SyncScrollBar() {
  if (!ScrollBar) return;
  ScrollBar->SliderSetPosition(TopIndex);
  ScrollBar->ValueCalc();
  ScrollBar->DisableButtons();
}

int TListBox::Manage() {
  if (!Box) return 0;
  if (ScrollBar) {
    ScrollBar->Manage();
    TopIndex = ScrollBar->Value;
  }
  if (Game->Mouse->GetMh(1) != 0) {
    const float mx = static_cast<float>(Game->Mouse->x);
    const float my = static_cast<float>(Game->Mouse->y);
    const float band = static_cast<float>(LineHeight) * Scale;
    const int end = GetTempLimit();
    for (int i = TopIndex, k = 0; i < end; ++i, ++k) {
      // Both vertical bounds strict: a pointer on the line between two lines picks neither.
      const bool inside = Box->X <= mx && mx < Box->X + Box->W * Scale &&
                          Box->Y + static_cast<float>(k) * band < my &&
                          my < Box->Y + static_cast<float>(k + 1) * band;
      if (!inside) continue;
      if (DoubleClickCounter > 0.0f && Index == i) {
        DoubleClicked = i;
      } else {
        PlayClick();
      }
      SetIndex(i);
      DoubleClickCounter = DoubleClicked == -1 ? DoubleClickTime : 0.0f;
      break;
    }
  }
  if (ArrowKeysMoveHighlight != 0) {
    if (UpKeyRepeat->GetKey(KEY_UP) != 0 && Index > 0) {
      PlayClick();
      SetIndex(Index - 1);
    }
    if (DownKeyRepeat->GetKey(KEY_DOWN) != 0 && Index < Count() - 1) {
      PlayClick();
      SetIndex(Index + 1);
    }
  }
  if (DoubleClickCounter > 0.0f) DoubleClickCounter -= Delta;
  return 0;
}

int TListBox::DrawHighlight() {
  if (!Box || !HighlightCol || Index == -1 || Index < TopIndex || Index >= GetTempLimit()) return 0;
  const float band = static_cast<float>(LineHeight) * Scale;
  HighlightCol->Apply();
  platform::DrawRect(Box->X, Box->Y + static_cast<float>(Index - TopIndex) * band + HighlightTopBorder,
                     Box->W * Scale, band - HighlightTopBorder - HighlightBottomBorder);
  TColor::Restore();
  return 0;
}

int TListBox::Draw() {
  if (!Box || !Font) return 0;
  if (Background) {
    Background->Draw(Box->X + BackgroundOffsetX, Box->Y + BackgroundOffsetY, 0, nullptr);
  }
  if (DrawBox != 0) Box->Draw();
  if (HighlightUnder != 0) DrawHighlight();

  Font->Apply();
  const std::shared_ptr<TBitmapFont>& bitmap = Font->BitmapFont;
  if (bitmap) {
    bitmap->ScaleFactor = Scale * FontScale;
  } else {
    platform::SetScale(Scale, Scale);
  }
  const float band = static_cast<float>(LineHeight) * Scale;
  const int align = Centred != 0 ? 1 : 0;
  const float textX = Centred != 0 ? Box->X + Box->W / 2.0f * Scale : Box->X + TextBorder * Scale;
  const int end = GetTempLimit();
  for (int i = TopIndex, k = 0; i < end; ++i, ++k) {
    const bool selected = i == Index;
    const bool inverse = selected && Font->InverseColor;
    const size_t line = static_cast<size_t>(i);
    const bool locked = !selected && line < LockedArray.size() && LockedArray[line] != 0 && LockedColor;
    if (inverse) {
      Font->InverseColor->Apply();
    } else if (locked) {
      LockedColor->Apply();
    }
    const bool shadow = Font->Shadow && !(selected && NoShadowOnHighlighted == 1);
    const float alpha = locked ? LockedColor->Alpha : (Font->Color ? Font->Color->Alpha : 1.0f);
    if (shadow) {
      Font->Shadow->ApplyToText();
      ccTextAlpha = alpha;
    } else {
      platform::SetAlpha(alpha);
    }
    const float textY = Box->Y + static_cast<float>(Gap + LineYOffset) * Scale + static_cast<float>(k) * band;
    const String& text = Strings[line];
    if (bitmap) {
      const int rx = Scale == 1.0f ? RoundTextX : 0;
      const int ry = Scale == 1.0f ? RoundTextY : 0;
      if (shadow) {
        bitmap->DrawAlignedWithShadow(text, textX, textY, align, rx, ry);
      } else {
        static const std::vector<TColorPtr> kNoColours;
        bitmap->DrawAligned(text, textX, textY, align, rx, ry, 0, kNoColours);
      }
    } else {
      ccDrawTextAligned(text, textX, textY, shadow ? 1 : 0, align, 1);
    }
    if ((inverse || locked) && Font->Color) Font->Color->Apply();
  }
  if (bitmap) {
    bitmap->ScaleFactor = OldScale;
  } else {
    platform::SetScale(1.0f, 1.0f);
  }
  if (Font->Color) TColor::Restore();
  ccTextAlpha = 1.0f;
  if (HighlightUnder == 0) DrawHighlight();
  if (ScrollBar) ScrollBar->Draw();
  return 0;
}

int TListBox::Kill() {
  if (Box) Box->Kill();
  Box = nullptr;
  if (Font) Font->Kill();
  Font = nullptr;
  Strings.clear();
  HighlightCol = nullptr;
  if (!Game->Channels && ClickChannel) platform::StopChannel(ClickChannel);
  ClickChannel = nullptr;
  return 0;
}
