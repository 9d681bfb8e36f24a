#pragma once
// A single-selection list of text lines in a box: a window of at most Limit lines from
// TopIndex, the selected line under (or over) a highlight bar, selection by click, double
// click and the Up and Down arrows with key repeat. Polled: the owner calls Manage once per
// tick and Draw once per frame, then reads Index, Value and the double click. Manage always
// consumes the tick's mouse presses, so an owner manages its buttons first.
#include <memory>
#include <vector>

#include "platform/Audio.h"
#include "platform/Font.h"
#include "platform/String.h"

class TBitmapFont;
class TBox;
class TColor;
class TFont;
class TGameImage;
class TGameSound;
class TKeyRepeat;
class TScrollBar;
class TShadow;
class TListBox;
using TListBoxPtr = std::shared_ptr<TListBox>;

class TListBox {
 public:
  virtual ~TListBox() = default;

  std::shared_ptr<TFont> Font;
  int DrawBox = 1;
  std::shared_ptr<TBox> Box;
  std::shared_ptr<TGameImage> Background;
  int BackgroundOffsetX = 0;
  int BackgroundOffsetY = 0;
  int TextBorder = 10;
  int Gap = 5;
  int LineYOffset = 0;
  int LineHeight = 0;
  int Centred = 0;
  std::vector<String> Strings;
  int Index = -1;  // -1: none
  int TopIndex = 0;
  String Value;
  int Clicked = -1;
  std::shared_ptr<TColor> HighlightCol;
  int HighlightUnder = 1;
  int HighlightTopBorder = 0;
  int HighlightBottomBorder = 0;
  int DoubleClicked = -1;
  float DoubleClickTime = 100.0f;  // ticks
  float DoubleClickCounter = 0.0f;
  int Limit = 0;  // 0: every line shows
  int RoundHeight = 1;
  int DisplayLines = 0;
  std::shared_ptr<TGameSound> ClickSound;
  platform::ChannelPtr ClickChannel;  // only without the game's channel pool
  int NoShadowOnHighlighted = 0;
  int ArrowKeysMoveHighlight = 1;
  std::vector<int> LockedArray;  // per line; lines past its end are not locked
  std::shared_ptr<TColor> LockedColor;
  // Optional; kept in step with TopIndex both ways (dragging it scrolls the list).
  std::shared_ptr<TScrollBar> ScrollBar;
  float Scale = 1.0f;
  float FontScale = 1.0f;
  double OldScale = 0.0;
  std::shared_ptr<TKeyRepeat> UpKeyRepeat;
  std::shared_ptr<TKeyRepeat> DownKeyRepeat;
  int RoundTextX = 1;
  int RoundTextY = 1;

  // The first argument has no effect.
  static TListBoxPtr Create(int unused, int gap, int centred, int drawBox, int doubleClickMs);
  virtual int Init(int unused, int gap, int centred, int drawBox);
  virtual int CalcLineHeight();
  virtual int ClearIndex();
  // Nothing once killed.
  virtual int Draw();
  virtual int DrawHighlight();
  virtual int GetDoubleClicked();
  virtual int GetIndexY();
  virtual int GetTempLimit();
  virtual int Kill();
  virtual int Manage();
  virtual int PlayClick();
  virtual int SetClickSound(const std::shared_ptr<TGameSound>& sound);
  virtual int SetCoords(float px, float py, float pw, float ph);
  // An index outside -1 .. count - 1 clears the selection.
  virtual int SetIndex(int index);
  virtual int SetTopIndex(int index);
  virtual int SetupBox(const std::shared_ptr<TColor>& colour);
  virtual int SetupFont(const platform::ImageFontPtr& font, const std::shared_ptr<TColor>& colour,
                        const std::shared_ptr<TShadow>& shadow,
                        const std::shared_ptr<TBitmapFont>& bitmapFont,
                        const std::shared_ptr<TColor>& inverseColour);

  int Count() const { return static_cast<int>(Strings.size()); }

 private:
  // The bar's slider, value and arrows to TopIndex.
  void SyncScrollBar();
};
