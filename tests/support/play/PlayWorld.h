#pragma once
// A headless play world without a test framework: the application object reading a data
// folder, writing a user folder of its own, on the silent audio driver with an open 800 by 600
// display; then, on request, every shared picture and sound as start-up loads them, the
// board's tables, the particle lists and every screen object.
#include <string>

namespace testrig {

// Game with its folders (dataDir and userDir end in a slash), the banks empty, the display
// open. false when the display or the audio driver cannot be had.
bool MakeHeadlessGame(const std::string& dataDir, const std::string& userDir);
// The shared assets, the board's tables and channel pools, the particle lists and the screens
// (with the play screen installed as the board's host).
void LoadPlayWorld();
// Drops the screens, the board and the host; the banks and Game stay.
void DropPlayWorld();

}  // namespace testrig
