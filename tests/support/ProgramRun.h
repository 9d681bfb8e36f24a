#pragma once
// The whole program in-process: the real start-up and main loop on the dummy drivers, a fake
// clock that moves 16 ms with every presented frame, a fresh user folder (XDG_DATA_HOME) and
// the game's error box answered at once. A script runs before every pass of the main loop.
#include <functional>
#include <string>
#include <vector>

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
  static void Key(int code);
  // The loading screen's "click here" button, once loading has finished.
  static void ClickLoadingButton();

  std::string userDir;  // the game's user folder, with a closing slash
  std::vector<std::string> errors;

 private:
  std::string oldXdg_;
};

}  // namespace testrig
