#pragma once
// The one-line text entry: typed characters (one per tick from the typed-character queue),
// Backspace, a flashing underscore cursor and optional placeholder dots. Its owner draws the
// box around it and polls Manage once per tick: 1 for Enter on acceptable text, -1 for Escape
// (when allowed), else 0. While active it blocks the application's keys (Game->BlockKeys), so
// typed letters never pause the game or leave the screen.
#include <memory>

#include "platform/Font.h"
#include "platform/String.h"

class TBitmapFont;
class TColor;
class TGameSound;
class TShadow;

class TTextInput {
 public:
  // The 15 characters a file name must not hold.
  static constexpr char16_t FileNameUnsafeChars[] = u"\"|*\\/:;~?<>,+=%";

  TTextInput();
  // Releasing a line that still takes typing gives the application its keys back.
  virtual ~TTextInput();

  String Text;
  int MaxLength = 10;
  int MaxPixelWidth = 0;  // 0: no pixel limit
  int CurrentChar = 0;    // 1-based place of the next character
  int Active = 0;
  int Done = 0;
  int ForceDraw = 0;
  int X = 0;
  int Y = 0;
  std::shared_ptr<TColor> TextCol;
  std::shared_ptr<TShadow> TextShadow;  // none: plain text
  std::shared_ptr<TColor> DotCol;
  std::shared_ptr<TColor> CursorCol;
  int CursorYOffset = 0;
  platform::ImageFontPtr Font;
  std::shared_ptr<TBitmapFont> BitmapFont;
  int DrawDots = 0;
  int DrawUnderscore = 1;
  float CursorFlashCounter = 0.0f;
  int CursorFlashSpeed = 0;  // ticks
  int CursorOn = 1;
  int AllowEscToAbort = 1;
  int AllowNull = 1;
  String BannedChars;
  int AllowExtendedChars = 0;
  int NumbersOnly = 0;
  std::shared_ptr<TGameSound> TypingSound;
  int PlayTypingSoundOnEnter = 1;
  float OffsetX = 0.0f;
  float OffsetY = 0.0f;
  int ClearTextOnEscape = 0;
  int UppercaseFirstCharAsTyped = 0;

  // Colours white, dots grey, cursor cyan; cursor flash 250 ms; then Reset.
  virtual int Init(const platform::ImageFontPtr& font, const String& text, int px, int py,
                   const std::shared_ptr<TBitmapFont>& bitmapFont);
  // Typing on, application keys blocked, pending keys forgotten.
  virtual int Reset();
  virtual int SetCursorFlashSpeed(int ms);
  virtual int Manage();
  virtual int PlayTypingSound();
  // Bans the 15 characters a file name must not hold (owners append their own after).
  virtual int MakeCharsFileNameSafe();
  // Typing off, application keys back, keys and mouse flushed.
  virtual int Finish();
  // Width of Text followed by more.
  virtual int GetWidth(StringView more);
  virtual int Draw();
  // Empty or spaces only.
  static bool IsBlank(StringView text);

 private:
  int DrawPart(StringView text, float px, float py, const std::shared_ptr<TColor>& colour);
  int PartWidth(StringView text);
};

using TTextInputPtr = std::shared_ptr<TTextInput>;
