#pragma once
// The shared asset loading of start-up: every sound and picture that more than one screen or
// the board uses, loaded once into the banks, one loading-bar step per load.

// The 34 shared sounds into `sounds`. Returns 0.
int LoadSounds();
// The pointer's own picture and 88 shared pictures into `images` (89 loads). Returns 0.
int LoadImages();
// LoadData itself (declared with the other start-up steps in core/StartupSteps.h) shows the
// loading screen, runs both, reads the high scores and prepares the title screen and the
// board's tables: 125 bar steps in all.

// Number of bar steps LoadSounds and LoadImages make.
inline constexpr int kSharedSoundLoads = 34;
inline constexpr int kSharedImageLoads = 89;
