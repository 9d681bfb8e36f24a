#pragma once
// The dialog in which the player types a line (in this game a new player's name): a text-input
// line on a dark strip, "OK" and optionally "Cancel". Before it accepts the text it can
// upper-case the first letter, refuse blank text and ask the owner's check; a refusal with a
// message opens an error box over the dialog and typing resumes once it is closed.
//
// Owner's order: Create, MenuCreate (before SetupText, which looks for "Cancel"), SetupCaption,
// SetupText, hooks, Start; then Manage every tick (0 open, 1 accepted, -1 cancelled) and Draw
// every frame; on a result read TextInput->Text, then Kill. While it takes typing the
// application's keys are blocked.
#include <functional>
#include <memory>

#include "ui/TDialog.h"

class TColor;
class TDialogOK;
class TLabel;
class TScreen;
class TTextInput;
class TDialogTextInput;
using TDialogTextInputPtr = std::shared_ptr<TDialogTextInput>;

class TDialogTextInput : public TDialog {
 public:
  std::shared_ptr<TLabel> Text;  // template of the typed line: font, colour, shadow, place
  int CharWidth = 0;
  int Gap = 30;  // caption to line, and line to buttons
  std::shared_ptr<TColor> BoxColor;
  int DrawBox = 1;
  int BoxBorderH = 10;
  int BoxBorderV = 5;
  int TextBorder = 10;
  std::shared_ptr<TTextInput> TextInput;
  int TextYOffset = 0;
  int AllowNull = 0;
  // -1 refuses the text; the message goes to the error box.
  std::function<int(const String& text, String& message)> ErrorCheckFunc;
  // Makes and starts the error box. Unset: a blocking message box stands in.
  std::function<std::shared_ptr<TDialogOK>(const String& message)> ErrorDialogFunc;
  std::shared_ptr<TDialogOK> DialogOK;
  int TextOX = 0;
  int TextOY = 0;
  // Called once the text passed the checks; below 1 keeps the dialog open.
  std::function<int(TDialogTextInput& dialog)> OKClickedFunc;
  std::shared_ptr<TScreen> OKClickedScreen;
  std::shared_ptr<TDialog> OKClickedDialog;
  int DrawDisabled = 0;
  int UppercaseFirstChar = 1;
  int DimWhenShowingDialogs = 0;
  String ButtonName;

  static TDialogTextInputPtr Create(const String& caption, const String& text, int maxLength,
                                    const platform::ImagePtr& background, int width, int px,
                                    int py, int maxPixelWidth, const String& buttonName);
  virtual int SetupText(const platform::ImageFontPtr& font, const std::shared_ptr<TColor>& colour,
                        const std::shared_ptr<TShadow>& shadow, int fixedWidth,
                        const std::shared_ptr<TBitmapFont>& bitmapFont);
  virtual int MenuCreate(int cancel, int gap);
  virtual int ProcessOKClickedFunc();
  virtual int OKClickTest();
  virtual int OKClick();
  virtual int CancelClick();
  virtual int ClickSound();

  int Start() override;
  int CalcSize() override;
  int SetLabelsXY() override;
  int MenuPosition() override;
  int Manage() override;
  int Draw() override;
  // Also ends a line still taking typing and an open error box.
  int Kill() override;
};
