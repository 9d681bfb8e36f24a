#pragma once
// Runs the game's executable as a child process, headless, with its own HOME and
// XDG_DATA_HOME, as a person would start it from a menu or a shell.
#include <functional>
#include <string>

namespace testrig {

struct GameRun {
  bool started = false;   // opened its display (wrote "DRIVER=1" in the settings)
  bool ended = false;     // ended by itself or after the quit request
  bool exited = false;    // ended through exit (not a signal)
  int exitCode = -1;
  std::string userFolder;  // <XDG_DATA_HOME>/Quillfern Games/Lantern Vale/
  std::string errors;      // what it wrote to stderr
};

// A copy of the game started and not yet waited for: RunGame in parts, so that two copies can
// run at once.
struct GameChild {
  int pid = -1;
  std::string userFolder;  // as GameRun's
  std::string errFile;
};

// Starts exe as RunGame does and returns at once. beforeStart, when given, runs in the child
// just before the program replaces it; when it returns false the child ends with 125.
GameChild StartGame(const std::string& exe, const std::string& home, const std::string& workDir,
                    const std::function<bool()>& beforeStart = {});
// Waits until the copy reached its main loop (true) or ended, or a generous deadline passed.
bool WaitForMainLoop(const GameChild& child);
// The rest of RunGame: with quit, waits for the main loop and sends the quit request; then
// waits for the end (killing the copy past a generous deadline).
GameRun FinishGame(const GameChild& child, bool quit);

// Starts exe in workDir (empty: this process's folder) with HOME = home and
// XDG_DATA_HOME = home + "/data". With quit, waits for the main loop and then sends the
// system's quit request (SIGTERM); without, waits only for the program to end by itself.
GameRun RunGame(const std::string& exe, const std::string& home, const std::string& workDir,
                bool quit);

}  // namespace testrig
