#pragma once
// The game's own look for its standard dialogs and the profile hooks: the screens' OK button,
// the red error box, the white yes/no question, the name prompt, and the check and creation
// of a profile by name. Each maker returns the dialog started, except the name prompt, which
// its caller starts.
#include <memory>

#include "platform/String.h"

class TMenu;
class TDialogOK;
class TDialogYesNo;
class TDialogTextInput;

// Adds "OK" (pictures "OK"/"OKMO") as the menu's OK button, centred 15 px above the bottom.
int OKButtonCreate(const std::shared_ptr<TMenu>& menu);
std::shared_ptr<TDialogOK> ErrorDialog(const String& message);
std::shared_ptr<TDialogYesNo> MakeDialogYesNo(const String& question);
// The profile-name prompt over "whatisyourname.png", not started: withCancel 0 gives OK only
// (Escape does nothing), else OK and Cancel.
std::shared_ptr<TDialogTextInput> EnterNamePrompt(int withCancel);
// 1 when the name may become a new profile (message left empty), else -1 with the message.
int CheckPlayerName(const String& name, String& message);
// Makes the named profile current (a missing file is written fresh) and records it in the
// settings with the changed marker. Returns 0.
int CreateProfile(const String& name);
