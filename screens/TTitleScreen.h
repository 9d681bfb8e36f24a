#pragma once
// The title screen. It makes sure a player profile is current (asking for a name on the very
// first run), greets the player by name, lets fireflies drift over its picture and offers
// four buttons: the player chooser, play (the story's introduction at the very start, else the
// level map), the options and exit. Its background and music are prepared during the start-up
// loading; Escape, like "exit", leads to the exit screen, which ends the game.
#include <memory>

#include "core/TScreen.h"

class TDialogTextInput;
class TLabel;
class TPlayerManager;

class TTitleScreen : public TScreen {
 public:
  TTitleScreen();
  ~TTitleScreen() override;

  std::shared_ptr<TDialogTextInput> EnterName;  // only while no profile exists yet
  std::shared_ptr<TLabel> Welcome;
  std::shared_ptr<TPlayerManager> PlayerManager;  // only while the chooser is open

  // startup 1: the call made by the start-up loading (no loading frame is drawn first).
  // music 1: load the title music.
  virtual int SpecialLoad(int startup, int music);
  // Makes the settings' profile current, or prepares the name prompt when there is none.
  virtual int PromptForName();
  virtual int SetupPrompt();
  // 0 when no profile is current.
  virtual int SetupWelcome();
  virtual int SpecialStart(int music);
  virtual int ShowPlayerManager();
  virtual int FirefliesManage();
  virtual int FireflyCreate();
  virtual int DrawWelcome();

  // Entered from the loading screen it only starts what the start-up loading prepared; coming
  // back from a level, the level map or the game's end it looks after the title music.
  int PreStart() override;
  int Logic() override;
  int Draw() override;
  int Kill() override;

 private:
  // After a dialog of the title's own closed: the menu settled without sound, and keys hit
  // while the dialog was open are dropped rather than acting on the title.
  int AfterDialog();
  // A fade-out of the usual length towards `to`, the music playing on.
  int LeaveFor(const std::shared_ptr<TScreen>& to);
};

extern std::shared_ptr<TTitleScreen> TitleScreen;
