#pragma once
// Runs the game's executable as a child process, headless, with its own HOME and
// XDG_DATA_HOME, as a person would start it from a menu or a shell.
#include <string>

namespace testrig {

struct GameRun {
  bool started = false;   // reached its main loop ("DRIVER=1" in the settings)
  bool ended = false;     // ended by itself or after the quit request
  bool exited = false;    // ended through exit (not a signal)
  int exitCode = -1;
  std::string userFolder;  // <XDG_DATA_HOME>/Quillfern Games/Lantern Vale/
  std::string errors;      // what it wrote to stderr
};

// Starts exe in workDir (empty: this process's folder) with HOME = home and
// XDG_DATA_HOME = home + "/data". With quit, waits for the main loop and then sends the
// system's quit request (SIGTERM); without, waits only for the program to end by itself.
GameRun RunGame(const std::string& exe, const std::string& home, const std::string& workDir,
                bool quit);

}  // namespace testrig
