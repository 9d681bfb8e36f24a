#include "core/TGameText.h"

#include "core/ErrorPath.h"
#include "core/IniFunctions.h"
#include "core/TGame.h"
#include "core/TextSections.h"
#include "platform/FileSystem.h"
#include "text/WordWrap.h"

TGameTextPtr TGameText::Create(const String& fileName) {
  auto text = std::make_shared<TGameText>();
  text->Read(fileName);
  return text;
}

int TGameText::Read(const String& fileName) {
  clear();
  auto stream = ccLoadFile((Game ? Game->TextPath : String()) + fileName);
  ReadBytes(stream->ReadAll());
  stream->Close();
  return 0;
}

int TGameText::ReadBytes(std::string_view bytes) {
  return ReadLines(ccSplitStringIntoLines(platform::DecodeText(bytes)));
}

int TGameText::ReadLines(const StringArray& lines) {
  clear();
  int i = 0;
  while (i < static_cast<int>(lines.size())) {
    ccTestSectionHeader(u"TEXT", lines[static_cast<size_t>(i)]);
    ++i;
    StringArray block = ccLoadSectionArrayFromArray(lines, i);
    // A header followed at once by another header or the end holds no key: nothing to store.
    if (block.empty()) continue;
    String key = ccUpper(block.front());
    block.erase(block.begin());
    (*this)[std::move(key)] = std::move(block);
  }
  return 0;
}

StringArray TGameText::Find(const String& key) const {
  const auto it = find(ccUpper(key));
  return it == end() ? StringArray() : it->second;
}

String TGameText::FindString(const String& key) const {
  const auto it = find(ccUpper(key));
  if (it == end()) return String();
  String joined;
  for (size_t i = 0; i < it->second.size(); ++i) {
    if (i > 0) joined += u"\r\n";
    joined += it->second[i];
  }
  return joined;
}
