#pragma once
// The profile chooser: a dialog listing the profiles of the profiles folder (one line per
// "*.dat" file, in name order) where the player chooses one (OK, Enter, double click),
// creates one (a name prompt) or deletes one (after a question). It shows messages, questions
// and the prompt, and makes profiles, only through the owner's hooks.
//
// Manage gives 1 when a profile was chosen, -1 when cancelled (both close it), else 0; while a
// sub-dialog is open only that sub-dialog takes input, and the click or key that closes it
// presses nothing else.
#include <functional>
#include <memory>

#include "ui/TDialog.h"

class TDialogOK;
class TDialogTextInput;
class TDialogYesNo;
class TGameImage;
class TListBox;
class TPlayerManager;
using TPlayerManagerPtr = std::shared_ptr<TPlayerManager>;

class TPlayerManager : public TDialog {
 public:
  int Limit = 10;  // most profiles before Create is refused; 0 or less: no limit
  int ButtonGap = 10;
  int BoxBorderH = 20;
  int BoxBorderV = 20;
  int BoxXTweak = 0;
  int BoxY = 0;  // non-zero: the list's fixed y
  int DimWhenActive = 0;
  int DimWhenShowingDialogs = 0;
  int DimWhenShowingEnterNamePrompt = 0;
  int UpperFirstChar = 1;
  String ExtraBannedChars;
  std::shared_ptr<TGameImage> FrontFrame;
  int FrontFrameX = 0;
  int FrontFrameY = 0;
  // The manager's own picture, drawn after the list (the base's header sprite is another).
  std::shared_ptr<TGameImage> Header;
  int HeaderX = 0;
  int HeaderY = 0;
  std::shared_ptr<TListBox> ListBox;
  int LineHeightAddition = 0;
  int LimitBoxHeightToMaxItems = 0;
  std::function<std::shared_ptr<TDialogOK>(const String& message)> ErrorDialogFunc;
  std::shared_ptr<TDialogOK> DialogOK;
  std::function<std::shared_ptr<TDialogYesNo>(const String& question)> DialogYesNoFunc;
  std::shared_ptr<TDialogYesNo> DialogYesNo;
  std::function<std::shared_ptr<TDialogTextInput>(int withCancel)> EnterNamePromptFunc;
  std::shared_ptr<TDialogTextInput> EnterName;
  std::function<int(const String& name)> CreateProfileFunc;
  int DrawDisabled = 0;
  int AutoAcceptAfterCreate = 1;
  std::function<int(const String& name)> DeleteProfileUserFunction;
  String MessageCannotCreate = u"You cannot create any more players!";
  String MessageCannotDelete = u"The list must contain at least one player!";
  String MessageConfirmDelete = u"Are you sure you want to delete this player?";

  // Without a background picture the owner must set h.
  static TPlayerManagerPtr Create(const String& caption, const platform::ImagePtr& background,
                                  int width, int px, int py, int limit, const String& buttonPicture);
  // A fresh profile object of that name becomes current (a missing file is written fresh),
  // recorded in the settings with the changed marker.
  static int SelectProfile(const String& name);

  // 1 when the name prompt opened, 0 when the list is full.
  virtual int CreateProfile();
  virtual int CalcListBoxLineHeight();
  virtual int BoxSize();
  virtual int MenuCreate(int gap, const String& buttonPicture);
  virtual int FillList();
  virtual int HighlightCurrentPlayer();
  virtual int DeleteProfile();
  virtual int DeleteProfileCheck();
  // 1 when a profile was chosen, 0 when none is selected.
  virtual int OKClick();
  virtual int CancelClick();
  virtual int ClickSound();

  int Start() override;
  int CalcSize() override;
  int MenuPosition() override;
  int Manage() override;
  int Draw() override;
  int Kill() override;

 private:
  int ShowMessage(const String& message);
  // After a sub-dialog closed: hover settled without sound, no click left over.
  int SettleMenu();
};
