#include "FuzzTargets.h"

#include <cmath>
#include <set>

#include "core/Globals.h"
#include "core/IniFunctions.h"
#include "core/TGameText.h"
#include "platform/Graphics.h"
#include "platform/Image.h"
#include "platform/System.h"
#include "text/TBitmapFont.h"

namespace fuzz {

namespace {

// A small page, so hostile glyph rectangles reach the drawing layer's clipping.
platform::ImagePtr Page() {
  static platform::ImagePtr page = [] {
    auto pixmap = std::make_shared<platform::Pixmap>(16, 16, 0xFFFFFFFFu);
    return platform::LoadImageFromPixmap(pixmap, 0);
  }();
  return page;
}

uint32_t Hash(const uint8_t* data, size_t size) {
  uint32_t h = 2166136261u;
  for (size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 16777619u;
  return h;
}

}  // namespace

void Prepare() {
  static bool done = false;
  if (done) return;
  done = true;
  platform::SetThrowOnExit(true);
  platform::InitRuntime();
  platform::Graphics(800, 600, 0);
}

bool TextResource(const uint8_t* data, size_t size, const Sink& fail) {
  String notice;
  platform::SetNoticeHook([&](StringView text) { notice = String(text); });
  ccGraphicalErrors = 0;  // the fatal path as a notice, never the game's waiting error box
  TGameText text;
  bool ended = false;
  try {
    text.ReadBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const platform::ProgramExit&) {
    ended = true;
  }
  platform::SetNoticeHook(nullptr);
  if (ended) {
    if (notice != u"[TEXT] header hot found") {
      fail("ended with \"" + U8(notice) + "\"");
      return false;
    }
    return true;
  }
  for (const auto& [key, lines] : text) {
    if (key != ccUpper(key)) {
      fail("key not upper case: " + U8(key));
      return false;
    }
    for (const String& line : lines) {
      if (line.find(u'\n') != String::npos) {
        fail("a line holds LF");
        return false;
      }
    }
  }
  return true;
}

bool BitmapFontDescription(const uint8_t* data, size_t size, const Sink& fail) {
  TBitmapFont font;
  font.ReadDescriptionBytes(std::string_view(reinterpret_cast<const char*>(data), size), 0);
  const auto slots = static_cast<size_t>(font.ArraySize);
  for (const auto* a : {&font.width, &font.height, &font.xAdvance, &font.xOffset, &font.yOffset,
                        &font.xPos, &font.yPos}) {
    if (a->size() != slots) {
      fail("a glyph array is not ArraySize long");
      return false;
    }
    for (double v : *a) {
      if (!std::isfinite(v)) {
        fail("a stored number is not finite");
        return false;
      }
    }
  }
  if (font.ID.size() != slots || font.NumExtraChars < 0 ||
      256 + static_cast<size_t>(font.NumExtraChars) > slots + 0 ||
      !std::isfinite(font.ScaleFactor) || !std::isfinite(font.TextureW) ||
      !std::isfinite(font.TextureH)) {
    fail("table sizes or scale out of order");
    return false;
  }
  std::set<int> extras;
  for (int s = 256; s < 256 + font.NumExtraChars; ++s) {
    const int id = font.ID[static_cast<size_t>(s)];
    if (id <= 255 || !extras.insert(id).second) {
      fail("extra glyph ids not distinct codes above 255");
      return false;
    }
  }
  // A text drawn from the glyphs the font holds and a few it does not.
  uint32_t h = Hash(data, size);
  String text;
  const int length = static_cast<int>(h % 12);
  for (int i = 0; i < length; ++i) {
    h = h * 1103515245u + 12345u;
    const int pick = static_cast<int>((h >> 8) % 4);
    if (pick == 0 && font.NumExtraChars > 0) {
      text.push_back(static_cast<char16_t>(font.ID[256 + (h >> 12) % static_cast<uint32_t>(font.NumExtraChars)]));
    } else if (pick == 1) {
      text.push_back(static_cast<char16_t>((h >> 16) & 0xFFFF));
    } else {
      text.push_back(static_cast<char16_t>(32 + (h >> 16) % 95));
    }
  }
  const int maxWidth = static_cast<int>(h % 2000) - 100;
  if (!std::isfinite(font.StringWidth(text)) || !std::isfinite(font.StringHeight(text)) ||
      !std::isfinite(font.CalcReducedScale(text, maxWidth)) ||
      font.TruncateString(text, maxWidth).size() > text.size()) {
    fail("a measure is not finite");
    return false;
  }
  font.Image = Page();
  static const std::vector<TColorPtr> kNoColours;
  font.Draw(text, 100, 100, h & 1, (h >> 1) & 1, 1, 1, 0, (h >> 2) & 1, (h >> 3) & 1, kNoColours);
  return true;
}

}  // namespace fuzz
