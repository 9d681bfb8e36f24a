#pragma once
// The start-up steps that set up the game's assets and screens, in the order start-up runs
// them: banks, fonts, screen objects (before the display opens), then the splashes and the
// shared asset loading (after it opens). Each returns 0.

// The global image and sound banks.
int CreateBanks();
// FontsPath and the five game fonts.
int LoadFonts();
// One object of each screen class, construction only.
int CreateScreens();
// The start-up splash sequence.
int ShowSplashes();
// The shared assets; leaves the first screen current.
int LoadData();
