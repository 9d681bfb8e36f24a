#include "core/TextSections.h"

#include "core/ErrorPath.h"
#include "core/IniFunctions.h"

namespace {
bool IsHeader(const String& line) { return !line.empty() && line[0] == u'['; }
}  // namespace

int ccTestSectionHeader(const String& name, const String& line) {
  if (ccUpper(line) != u"[" + name + u"]") ccRunTimeError(u"[" + name + u"] header hot found", 1);
  return 0;
}

StringArray ccLoadSectionArrayFromArray(const StringArray& lines, int& index) {
  StringArray section;
  if (index < 0) index = 0;
  while (index < static_cast<int>(lines.size()) && !IsHeader(lines[static_cast<size_t>(index)])) {
    section.push_back(lines[static_cast<size_t>(index)]);
    ++index;
  }
  return section;
}

StringArray ccLoadSectionArrayFromFile(const platform::StreamPtr& stream, String& line) {
  StringArray section;
  if (!stream) return section;
  for (;;) {
    line = stream->ReadLine();
    if (IsHeader(line) || stream->Eof()) break;
    section.push_back(line);
  }
  if (stream->Eof() && !line.empty() && !IsHeader(line)) section.push_back(line);
  return section;
}

String ccLoadSectionStringFromArray(const StringArray& lines, int& index) {
  String line;
  if (index >= 0 && index < static_cast<int>(lines.size())) line = lines[static_cast<size_t>(index)];
  ++index;
  return line;
}

String ccLoadSectionStringFromFile(const platform::StreamPtr& stream, String& line) {
  if (!stream) return String();
  String first = stream->ReadLine();
  line = stream->ReadLine();
  return first;
}
