// The bitmap font the build makes from the game's font at 24 px: its page and description agree
// with each other and with the TrueType font it was made from, and the runtime draws and wraps
// with it.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "TextTestSupport.h"
#include "gfx/TColor.h"
#include "platform/Font.h"
#include "platform/Image.h"
#include "support/TestRig.h"
#include "text/TBitmapFont.h"
#include "text/TLabel.h"

namespace {

const std::string kFontDir = std::string(LV_TEST_DATA_DIR) + "/fonts/";

struct GlyphLine {
  int id = 0, x = 0, y = 0, w = 0, h = 0;
};

int Value(const std::string& line, const std::string& key) {
  const size_t at = line.find(" " + key + "=");
  return at == std::string::npos ? 0 : std::stoi(line.substr(at + key.size() + 2));
}

// The glyph lines of the description, read here independently of the runtime's reader.
std::vector<GlyphLine> GlyphLines() {
  std::istringstream in(testrig::ReadFileBytes(kFontDir + "lanternbitmap.fnt"));
  std::vector<GlyphLine> out;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("char id=", 0) != 0) continue;
    out.push_back({Value(line, "id"), Value(line, "x"), Value(line, "y"), Value(line, "width"),
                   Value(line, "height")});
  }
  return out;
}

class GeneratedBitmapFont : public texttest::PixelTest {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kFontDir + "lanternbitmap.fnt") || !testrig::HaveResources())
      GTEST_SKIP() << "the generated test font is not built";
    PixelTest::SetUp();
    font = TBitmapFont::Create(S(kFontDir + "lanternbitmap"), 0, 0, 0);
    page = platform::LoadPixmap(S(kFontDir + "lanternbitmap.png"));
    ASSERT_TRUE(font && font->Image && page);
  }
  std::shared_ptr<TBitmapFont> font;
  platform::PixmapPtr page;
};

TEST_F(GeneratedBitmapFont, PageAndDescriptionAgree) {
  const std::vector<GlyphLine> glyphs = GlyphLines();
  EXPECT_EQ(font->NumChars, static_cast<int>(glyphs.size()));
  EXPECT_GE(font->NumExtraChars, 12);
  EXPECT_EQ(font->TextureW, page->Width());
  EXPECT_EQ(font->TextureH, page->Height());
  EXPECT_EQ(page->Width(), 512);
  EXPECT_EQ(page->Height(), 256);

  // Every rectangle inside the page, none overlapping another, ink in every visible one and
  // none anywhere else.
  std::vector<int> owner(static_cast<size_t>(page->Width() * page->Height()), -1);
  for (size_t i = 0; i < glyphs.size(); ++i) {
    const GlyphLine& g = glyphs[i];
    ASSERT_TRUE(g.x >= 0 && g.y >= 0 && g.x + g.w <= page->Width() && g.y + g.h <= page->Height()) << g.id;
    int ink = 0;
    for (int y = g.y; y < g.y + g.h; ++y) {
      for (int x = g.x; x < g.x + g.w; ++x) {
        int& o = owner[static_cast<size_t>(y * page->Width() + x)];
        ASSERT_EQ(o, -1) << "glyphs " << g.id << " and " << glyphs[static_cast<size_t>(o)].id << " overlap";
        o = static_cast<int>(i);
        ink += (page->ReadPixel(x, y) >> 24) != 0;
      }
    }
    if (g.w > 0 && g.h > 0) {
      EXPECT_GT(ink, 0) << "glyph " << g.id << " has no ink";
    }
  }
  int stray = 0;
  for (int y = 0; y < page->Height(); ++y) {
    for (int x = 0; x < page->Width(); ++x) {
      if (owner[static_cast<size_t>(y * page->Width() + x)] < 0) stray += (page->ReadPixel(x, y) >> 24) != 0;
    }
  }
  EXPECT_EQ(stray, 0);
  // White glyphs: the colour comes from the drawing colour.
  const GlyphLine& a = glyphs[static_cast<size_t>('A' - 32)];
  ASSERT_EQ(a.id, 'A');
  for (int y = a.y; y < a.y + a.h; ++y) {
    for (int x = a.x; x < a.x + a.w; ++x) {
      const uint32_t p = page->ReadPixel(x, y);
      if ((p >> 24) == 0xFF) {
        ASSERT_EQ(p & 0xFFFFFF, 0xFFFFFFu);
      }
    }
  }
}

TEST_F(GeneratedBitmapFont, MeasuresAsTheTrueTypeFontAndFindsItsExtraGlyphs) {
  const auto ttf = platform::LoadImageFont(S(testrig::ResourcesDir() + "Data/fonts/caccamel.ttf"), 24);
  ASSERT_TRUE(ttf);
  platform::SetImageFont(ttf);
  for (const char16_t* text : {u"The lanterns of the Vale are going out!", u"Marigold, 1234567890 (#%&*)",
                               u"{Tumblets} ~ [owl] | tower_@"}) {
    EXPECT_EQ(font->StringWidth(text), platform::TextWidth(text)) << platform::ToUtf8(text);
  }
  platform::SetImageFont(nullptr);
  for (const GlyphLine& g : GlyphLines()) {
    if (g.id <= 255) continue;
    const String c(1, static_cast<char16_t>(g.id));
    const int slot = font->FindChar(c);
    ASSERT_GE(slot, 256) << g.id;
    EXPECT_EQ(font->ID[static_cast<size_t>(slot)], g.id);
  }
}

TEST_F(GeneratedBitmapFont, DrawsTheEuroGlyphsPixels) {
  const int slot = font->FindChar(u"\u20AC");
  ASSERT_GE(slot, 256);
  const auto s = static_cast<size_t>(slot);
  int ink = 0;
  for (int y = 0; y < font->height[s]; ++y) {
    for (int x = 0; x < font->width[s]; ++x)
      ink += (page->ReadPixel(static_cast<int>(font->xPos[s]) + x, static_cast<int>(font->yPos[s]) + y) >> 24) != 0;
  }
  ASSERT_GT(ink, 20);
  const auto euro = Picture([&] { font->Draw(u"\u20AC", 100, 100, 0, 0, 1, 1, 0, 0, 0, {}); });
  const auto c = Picture([&] { font->Draw(u"C", 100, 100, 0, 0, 1, 1, 0, 0, 0, {}); });
  // Whole-pixel placement at scale 1: every inked texel of the glyph lights one pixel.
  EXPECT_EQ(Lit(euro), ink);
  EXPECT_GT(Differences(euro, c), 0);
}

TEST_F(GeneratedBitmapFont, LabelsWrapAndDrawWithIt) {
  auto label = TLabel::CreateSpecial(u"Marigold took up her satchel and her small brass lamp", 20, 20, 0, 200, 0);
  label->Init(nullptr, TColor::Create(255, 255, 255, 1.0f), nullptr, 0, font, nullptr, u"");
  label->PreCalcWordWrap();
  ASSERT_GT(label->TotalLines, 1);
  for (int i = 0; i < label->TotalLines; ++i) {
    const String& line = label->TextArray[static_cast<size_t>(i)];
    EXPECT_LE(font->StringWidth(line), 200.0) << platform::ToUtf8(line);
    EXPECT_FALSE(line.empty());
  }
  const auto drawn = Picture([&] { label->Draw(0, 0, 1); });
  EXPECT_GT(Lit(drawn), 200);
}

}  // namespace
