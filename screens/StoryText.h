#pragma once
// The story book's text: one level's passage cut out of the story file, the built-in
// introduction, and the layout of either into display lines and pages. No drawing and no
// screen state, so the book and the tests share it.
//
// The story file holds "Chapter1" ... "Chapter10", each on its own line, and inside every
// chapter the level markers "1)" ... "5)" on their own lines, each followed by that level's
// text. A level's text runs to the next marker.
#include "platform/Font.h"
#include "platform/String.h"
#include "text/StringHelpers.h"

// The story file inside the data folder.
inline constexpr char16_t kStoryFile[] = u"Data/ValeStoryFormat.txt";

// Display lines are at most this wide in the page font; a page holds this many of them.
constexpr int STORY_PAGE_WIDTH = 340;
constexpr int STORY_LINES_PER_PAGE = 13;

// The text of level `subLevel` (1..5) of chapter `chapter` (1..10) in the file's contents, as
// source lines (split at line feeds, a CR before each dropped). A chapter or level marker that
// is missing gives no lines rather than some other place's text, and the text never runs into
// the next chapter. Line ends may be CR LF or LF alone.
StringArray StoryLevelLines(StringView file, int chapter, int subLevel);

// The five lines the book shows before the first level.
StringArray StoryIntroLines();

struct StoryPages {
  StringArray Text;    // display lines
  int TotalLines = 0;  // Text.size()
  int TotalPages = 0;  // picture page included
};

// Wraps the source lines at STORY_PAGE_WIDTH in `font` (made the current image font), drops a
// blank line that would open the second page (and then one opening the third), and counts the
// pages: basePages (2 with a picture page, else 1) + ceil(lines / 13) - 1.
StoryPages StoryLayout(const StringArray& source, int basePages, const platform::ImageFontPtr& font);
