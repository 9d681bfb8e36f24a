#include "text/WordWrap.h"

#include "platform/Font.h"
#include "text/TBitmapFont.h"

StringArray ccSplitStringIntoLines(StringView text) {
  StringArray lines;
  while (!text.empty()) {
    const size_t lf = text.find(u'\n');
    if (lf == StringView::npos) {
      lines.emplace_back(text);
      break;
    }
    size_t end = lf;
    if (lf > 0 && text[lf - 1] == u'\r') end = lf - 1;
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(lf + 1);
  }
  return lines;
}

namespace {

// One pass over non-overlapping pairs of spaces: a run of n spaces becomes ceil(n / 2).
String HalveSpaceRuns(StringView line) {
  String out;
  out.reserve(line.size());
  for (size_t i = 0; i < line.size(); ++i) {
    out.push_back(line[i]);
    if (line[i] == u' ' && i + 1 < line.size() && line[i + 1] == u' ') ++i;
  }
  return out;
}

StringArray Wrap(const StringArray& lines, int width1, int width2, int switchLine,
                 const std::shared_ptr<TBitmapFont>& font, float scale) {
  StringArray out;
  int maxWidth = width1;
  auto emit = [&](String line) {
    out.push_back(std::move(line));
    if (static_cast<int>(out.size()) == switchLine - 1) maxWidth = width2;
  };
  auto measure = [&](StringView text) {
    return font ? static_cast<float>(font->StringWidth(text))
                : static_cast<float>(platform::TextWidth(text));
  };
  for (const String& input : lines) {
    if (input.empty()) {
      emit(String());
      continue;
    }
    const String line = HalveSpaceRuns(input);
    String current = ccFirstStringToSub(line, u" ");
    String rest = ccLastStringToSub(line, u" ");
    while (!rest.empty()) {
      const String word = ccFirstStringToSub(rest, u" ");
      rest = ccLastStringToSub(rest, u" ");
      // An empty word is a leftover space: trailing ones end the line, and the words after a
      // longer run inside the line still follow.
      if (word.empty()) continue;
      String candidate = current + u" " + word;
      if (measure(candidate) * scale <= static_cast<float>(maxWidth)) {
        current = std::move(candidate);
      } else {
        emit(std::move(current));
        current = word;
      }
    }
    emit(std::move(current));
  }
  return out;
}

}  // namespace

StringArray ccWordWrapArray(const StringArray& lines, int maxWidth,
                            const std::shared_ptr<TBitmapFont>& font, float scale) {
  return Wrap(lines, maxWidth, maxWidth, 0, font, scale);
}

StringArray ccWordWrapArraySpecial(const StringArray& lines, int width1, int width2, int switchLine,
                                   const std::shared_ptr<TBitmapFont>& font, float scale) {
  return Wrap(lines, width1, width2, switchLine, font, scale);
}
