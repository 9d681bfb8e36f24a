#pragma once
// A message box with one OK button: sized to its caption (or its background picture), the
// button row on the bottom margin. Manage gives 0 while open and 1 once, in the tick the box
// closes by the button, Enter, Space or Escape (or any click with ClickAnywhereCloses).
#include <memory>

#include "ui/TDialog.h"

class TDialogOK;
using TDialogOKPtr = std::shared_ptr<TDialogOK>;

class TDialogOK : public TDialog {
 public:
  int Gap = 50;  // between the caption and the button row
  int ClickAnywhereCloses = 0;

  // An empty button picture means "OK"/"OKMO". The owner then calls SetupCaption and Start.
  static TDialogOKPtr Create(const String& text, const platform::ImagePtr& background, int width,
                             int height, int px, const String& buttonPicture);
  virtual int MenuCreate(const String& buttonPicture);
  virtual int OKClick();

  int CalcSize() override;
  int MenuPosition() override;
  int Manage() override;
};
