#include "ui/TTextInput.h"

#include <algorithm>

#include "core/Globals.h"
#include "core/IniFunctions.h"
#include "core/Input.h"
#include "core/TChannelArray.h"
#include "core/TGame.h"
#include "gfx/TColor.h"
#include "platform/Graphics.h"
#include "text/TBitmapFont.h"
#include "text/TShadow.h"
#include "text/TextDrawing.h"

namespace {


// Enough dots for any line; drawn as a view so a frame allocates nothing.
const String kDots(256, u'.');

}  // namespace

TTextInput::TTextInput()
    : TextCol(std::make_shared<TColor>()),
      TextShadow(TShadow::Create(1.0f, 1.0f, 0.5f)),
      DotCol(std::make_shared<TColor>()),
      CursorCol(std::make_shared<TColor>()) {}

TTextInput::~TTextInput() {
  if (Active != 0 && Game) Game->BlockKeys = 0;
}

int TTextInput::Init(const platform::ImageFontPtr& font, const String& text, int px, int py,
                     const std::shared_ptr<TBitmapFont>& bitmapFont) {
  Font = font;
  BitmapFont = bitmapFont;
  Text = text;
  CurrentChar = static_cast<int>(Text.size()) + 1;
  X = px;
  Y = py;
  TextCol = TColor::Create(255, 255, 255, 1.0f);
  DotCol = TColor::Create(150, 150, 150, 1.0f);
  CursorCol = TColor::Create(0, 255, 255, 1.0f);
  SetCursorFlashSpeed(250);
  Reset();
  return 0;
}

int TTextInput::Reset() {
  Active = 1;
  Done = 0;
  Game->BlockKeys = 1;
  FlushKeys();
  return 0;
}

int TTextInput::SetCursorFlashSpeed(int ms) {
  CursorFlashSpeed = static_cast<int>(Game->CalcAnimLength(ms));
  CursorFlashCounter = 0.0f;
  CursorOn = 1;
  return 0;
}

int TTextInput::Manage() {
  if (Active == 0) return 0;
  int c = GetChar();
  if (c > 0 && c <= 0xFFFF && BannedChars.find(static_cast<char16_t>(c)) != String::npos) c = 0;

  if (c == KEY_BACKSPACE) {
    if (CurrentChar > 1) {
      --CurrentChar;
      PlayTypingSound();
    }
    Text.resize(std::min(Text.size(), static_cast<size_t>(CurrentChar - 1)));
  }
  if (NumbersOnly != 0 && c != KEY_ENTER && (c < '0' || c > '9')) c = 0;

  if (c >= 32 && (c <= 126 || (AllowExtendedChars == 1 && c <= 0xFFFF)) &&
      CurrentChar <= MaxLength) {
    String typed(1, static_cast<char16_t>(c));
    if (MaxPixelWidth == 0 || GetWidth(typed) <= MaxPixelWidth) {
      if (UppercaseFirstCharAsTyped != 0 && CurrentChar == 1) typed = ccUpper(typed);
      Text += typed;
      ++CurrentChar;
      PlayTypingSound();
    }
  }

  if (c == KEY_ENTER) {
    if (PlayTypingSoundOnEnter != 0) PlayTypingSound();
    if (AllowNull != 0 || !IsBlank(Text)) {
      Finish();
      return 1;
    }
    ccFlushAll();
  } else if (c == KEY_ESCAPE && AllowEscToAbort != 0) {
    if (ClearTextOnEscape != 0) {
      Text.clear();
      CurrentChar = 1;
    }
    Finish();
    return -1;
  }

  CursorFlashCounter += Delta;
  if (CursorFlashCounter >= static_cast<float>(CursorFlashSpeed)) {
    CursorOn = CursorOn != 0 ? 0 : 1;
    CursorFlashCounter = 0.0f;
  }
  return 0;
}

bool TTextInput::IsBlank(StringView text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c == u' '; });
}

int TTextInput::PlayTypingSound() {
  if (TypingSound && Game->Channels) Game->Channels->PlayGameSound(TypingSound, nullptr, 1.0f, 0.0f);
  return 0;
}

int TTextInput::MakeCharsFileNameSafe() {
  BannedChars = FileNameUnsafeChars;
  return 0;
}

int TTextInput::Finish() {
  Active = 0;
  Done = 1;
  Game->BlockKeys = 0;
  ccFlushAll();
  return 0;
}

int TTextInput::PartWidth(StringView text) {
  if (BitmapFont) return static_cast<int>(BitmapFont->StringWidth(text));
  platform::SetImageFont(Font);
  return platform::TextWidth(text);
}

int TTextInput::GetWidth(StringView more) { return PartWidth(Text) + PartWidth(more); }

int TTextInput::DrawPart(StringView text, float px, float py, const std::shared_ptr<TColor>& colour) {
  if (colour) colour->Apply();
  if (!TextShadow) {
    if (BitmapFont) {
      static const std::vector<TColorPtr> kNoColours;
      BitmapFont->DrawAligned(text, px, py, 0, 0, 0, 0, kNoColours);
    } else {
      ccDrawText(text, px, py, 0, 0);
    }
    return 0;
  }
  TextShadow->ApplyToText();
  ccTextAlpha = colour ? colour->Alpha : 1.0f;
  if (BitmapFont) {
    BitmapFont->DrawAlignedWithShadow(text, px, py, 0, 0, 0);
  } else {
    ccDrawText(text, px, py, 1, 0);
  }
  return 0;
}

int TTextInput::Draw() {
  if (Active == 0 && ForceDraw == 0) return 0;
  if (!BitmapFont) platform::SetImageFont(Font);
  const float tx = static_cast<float>(X) + OffsetX;
  const float ty = static_cast<float>(Y) + OffsetY;
  DrawPart(Text, tx, ty, TextCol);
  // The cursor slot counts as drawn text even while the cursor blinks off, so the dots stay.
  int measured = static_cast<int>(Text.size());
  float cursorX = tx + static_cast<float>(PartWidth(Text));
  if (DrawUnderscore != 0 && measured < MaxLength) {
    if (CursorOn != 0) DrawPart(u"_", cursorX, ty + static_cast<float>(CursorYOffset), CursorCol);
    ++measured;
    cursorX += static_cast<float>(PartWidth(u"_"));
  }
  if (DrawDots != 0 && MaxLength - measured > 0) {
    const size_t n = std::min(static_cast<size_t>(MaxLength - measured), kDots.size());
    DrawPart(StringView(kDots).substr(0, n), cursorX, ty, DotCol);
  }
  TColor::Restore();
  return 0;
}
