#include "screens/StoryText.h"

#include <cmath>
#include <string>

#include "text/WordWrap.h"

namespace {

constexpr StringView kChapterWord = u"Chapter";
constexpr size_t npos = StringView::npos;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

String Num(int n) { return S(std::to_string(n)); }

// Just past "Chapter" + chapter, where that is not the start of a longer number ("Chapter1" is
// also the start of "Chapter10"); npos when the chapter has no marker.
size_t FindChapterEnd(StringView file, int chapter) {
  const String marker = String(kChapterWord) + Num(chapter);
  for (size_t p = file.find(marker); p != npos; p = file.find(marker, p + 1)) {
    const size_t after = p + marker.size();
    if (after >= file.size() || !IsDigit(file[after])) return after;
  }
  return npos;
}

// The next chapter marker ("Chapter" and a digit) at or after `from`; npos when none.
size_t FindNextChapter(StringView file, size_t from) {
  for (size_t p = file.find(kChapterWord, from); p != npos; p = file.find(kChapterWord, p + 1)) {
    const size_t after = p + kChapterWord.size();
    if (after < file.size() && IsDigit(file[after])) return p;
  }
  return npos;
}

// The line break a marker's line ends with, CR LF or LF alone, as it stands.
StringView SkipLeadingBreak(StringView s) {
  if (s.starts_with(u"\r\n")) return s.substr(2);
  if (s.starts_with(u"\n")) return s.substr(1);
  return s;
}

// The line break that stands before the next marker.
StringView DropTrailingBreak(StringView s) {
  if (s.ends_with(u"\r\n")) return s.substr(0, s.size() - 2);
  if (s.ends_with(u"\n")) return s.substr(0, s.size() - 1);
  return s;
}

}  // namespace

StringArray StoryLevelLines(StringView file, int chapter, int subLevel) {
  const size_t start = FindChapterEnd(file, chapter);
  if (start == npos) return {};
  const size_t next = FindNextChapter(file, start);
  const StringView body = file.substr(start, next == npos ? npos : next - start);

  const String levelMarker = Num(subLevel) + u")";
  const size_t level = body.find(levelMarker);
  if (level == npos) return {};
  StringView text = SkipLeadingBreak(body.substr(level + levelMarker.size()));

  if (subLevel < 5) {
    const size_t end = text.find(Num(subLevel + 1) + u")");
    if (end != npos) return ccSplitStringIntoLines(DropTrailingBreak(text.substr(0, end)));
  }
  // The chapter's last level runs to the next chapter, or to the end of the file.
  if (next != npos) text = DropTrailingBreak(text);
  return ccSplitStringIntoLines(text);
}

StringArray StoryIntroLines() {
  return {
      u"\"Marigold! The lanterns of the Vale are going out!\" cried old Fennick at the gate. "
      u"\"Bring back the light!\"",
      u"",
      u"One by one the little lights were fading, and the Tumblets who tended them had "
      u"scattered into the hills.",
      u"",
      u"So Marigold took up her satchel and her small brass lamp, and set off to bring them "
      u"home.",
  };
}

StoryPages StoryLayout(const StringArray& source, int basePages,
                       const platform::ImageFontPtr& font) {
  platform::SetImageFont(font);
  StoryPages pages;
  pages.Text = ccWordWrapArray(source, STORY_PAGE_WIDTH, nullptr, 1.0f);
  // A page should not open on a blank line: one at the top of page two goes, and then one at
  // the top of page three.
  constexpr size_t second = STORY_LINES_PER_PAGE;
  constexpr size_t third = 2 * STORY_LINES_PER_PAGE;
  if (pages.Text.size() > second && pages.Text[second].empty()) {
    pages.Text = ccRemoveStringArraySlots(pages.Text, second, second);
    if (pages.Text.size() > third && pages.Text[third].empty()) {
      pages.Text = ccRemoveStringArraySlots(pages.Text, third, third);
    }
  }
  pages.TotalLines = static_cast<int>(pages.Text.size());
  pages.TotalPages = static_cast<int>(
      basePages + std::ceil(pages.TotalLines / static_cast<double>(STORY_LINES_PER_PAGE)) - 1);
  return pages;
}
