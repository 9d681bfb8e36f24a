#pragma once
// The whole program in-process: the real start-up and main loop on the dummy drivers, a fake
// clock that moves 16 ms with every presented frame, a fresh user folder (XDG_DATA_HOME) and
// the game's error box answered at once. A script runs before every pass of the main loop.
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TScreen;

namespace testrig {

class ProgramRun {
 public:
  ProgramRun();
  ~ProgramRun();
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  // Thrown by a script to end the run early (Run then returns kStopped).
  struct Stop {};
  static constexpr int kStopped = -100;
  static constexpr int kStuck = -101;

  // Runs the program until it exits (its exit code), a script throws Stop, or maxPasses.
  int Run(const std::function<void(int pass)>& script, int maxPasses = 20000);

  // Events as the system sends them, read at the next tick.
  static void Click(int x, int y);
  // The left button pressed (the pointer moved there first) and let go at a later pass: a
  // press the game sees held for the ticks between.
  static void Press(int x, int y);
  static void Release(int x, int y);
  // The pointer moved to (x, y), no button changed.
  static void MoveTo(int x, int y);
  static void Key(int code);
  // Typing as the runtime delivers it: per character key down, the character, key up (Enter,
  // Escape and Backspace come as a key and as a character).
  static void Type(const std::u16string& text);
  // The loading screen's "click here" button, once loading has finished.
  static void ClickLoadingButton();
  // The way into a screen no control leads to, by the screen protocol's own path: the
  // destination set and a FADE_SPEED fade-out (the music kept) started.
  static void LeadTo(const std::shared_ptr<TScreen>& screen);

  // A script in steps: a step acts once (in its own pass), then the run waits pass by pass
  // until it is ready (none: the next pass) before the next step acts. A step that waits
  // more than `limit` passes fails the test and stops the run.
  struct Step {
    std::string what;
    std::function<void()> act;
    std::function<bool()> ready;
    int limit = 1000;
  };
  // everyPass (optional) runs first in every pass.
  static std::function<void(int)> StepScript(std::vector<Step> steps,
                                             std::function<void(int)> everyPass = nullptr);

  std::string userDir;  // the game's user folder, with a closing slash
  std::string settingsFile;  // named after the running executable
  std::vector<std::string> errors;

 private:
  std::string oldXdg_;
};

}  // namespace testrig
