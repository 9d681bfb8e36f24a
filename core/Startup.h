#pragma once
// Program start-up and shutdown.
#include <functional>

// The whole program: start-up, then the main loop until Shutdown ends the process.
int RunLanternVale();
// Writes the good-exit marker, shows the system pointer, releases the audio, ends the process.
[[noreturn]] void Shutdown();
int CleanUp();
// The game's fixed overrides of the settings file (portal splash off), saved at once.
int ForceIniSettings();

// Test seam: called once before every pass of the main loop.
void SetMainLoopHook(std::function<void()> hook);
// Test seam: called once when the start-up loading has finished, before the main loop (the
// test entry uses it to lead the loading screen to a level). Null in the shipped program.
using LoadedHook = void (*)();
void SetLoadedHook(LoadedHook hook);
