#pragma once
// A question with Yes and No buttons (Yes is the OK button: Enter and Space choose it). Manage
// gives 0 while open, 1 for Yes (button, Y, Enter, Space) and -1 for No (button, N, Escape),
// once, in the tick the box closes. YesFunc/NoFunc run once, before the box closes.
#include <functional>
#include <memory>

#include "ui/TDialog.h"

class TDialogYesNo;
using TDialogYesNoPtr = std::shared_ptr<TDialogYesNo>;

class TDialogYesNo : public TDialog {
 public:
  int Gap = 50;        // between the caption and the button row
  int ButtonGap = 50;  // between Yes and No
  std::function<int()> YesFunc;
  std::function<int()> NoFunc;

  // makeMenu 0: the caller builds the menu itself. An empty button picture gives each button
  // the picture of its own name.
  static TDialogYesNoPtr Create(const String& text, const platform::ImagePtr& background,
                                int width, int height, int px, int makeMenu, int buttonGap,
                                const String& buttonPicture);
  virtual int MenuCreate(int gap, const String& buttonPicture);
  virtual int YesClick();
  virtual int NoClick();
  // The Yes button's click, for owners that close the box by a key of their own.
  virtual int ClickSound();

  int CalcSize() override;
  int MenuPosition() override;
  int Manage() override;
};
