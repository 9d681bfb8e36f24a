#pragma once
// The game's five image fonts, all cut from one TrueType file and kept for the whole run.
#include "platform/Font.h"
#include "platform/String.h"

extern platform::ImageFontPtr MainFont;       // 60 px (50 in region 1)
extern platform::ImageFontPtr UIFont;         // 40 px (30 in region 1)
extern platform::ImageFontPtr LevelEndFont;   // 31 px
extern platform::ImageFontPtr MapFont;        // 32 px
extern platform::ImageFontPtr MainFontSmall;  // 20 px

// The font file inside the fonts folder.
inline constexpr char16_t kGameFontFile[] = u"caccamel.ttf";

// Start-up: loads the five fonts from fontsPath + "caccamel.ttf", smooth (style 4), with the
// smaller main fonts when region is 1. A font that cannot be loaded is fatal
// ("Error loading file " + path). Returns 0.
int LoadGameFonts(const String& fontsPath, int region);
