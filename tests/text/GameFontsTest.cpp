#include <gtest/gtest.h>

#include <filesystem>

#include "TextTestSupport.h"
#include "text/GameFonts.h"

namespace fs = std::filesystem;

namespace {

// The generated data folder's font, or a system TrueType font copied under the game's name.
std::string FontsFolder() {
  if (testrig::HaveResources() && fs::exists(testrig::ResourcesDir() + "Data/fonts/caccamel.ttf")) {
    return testrig::ResourcesDir() + "Data/fonts/";
  }
  for (const char* candidate : {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                                "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"}) {
    if (fs::exists(candidate)) {
      const std::string dir = testrig::MakeTempDir("fonts") + "/";
      fs::copy_file(candidate, dir + "caccamel.ttf");
      return dir;
    }
  }
  return "";
}

}  // namespace

TEST(GameFonts, FiveSizesAndTheRegionSwitch) {
  const std::string dir = FontsFolder();
  if (dir.empty()) GTEST_SKIP() << "no TrueType font on this machine";
  ASSERT_EQ(LoadGameFonts(S(dir), 0), 0);
  ASSERT_TRUE(MainFont && UIFont && LevelEndFont && MapFont && MainFontSmall);
  EXPECT_EQ(MainFont->Size(), 60);
  EXPECT_EQ(UIFont->Size(), 40);
  EXPECT_EQ(LevelEndFont->Size(), 31);
  EXPECT_EQ(MapFont->Size(), 32);
  EXPECT_EQ(MainFontSmall->Size(), 20);
  EXPECT_GT(MainFont->Height(), MainFontSmall->Height());

  LoadGameFonts(S(dir), 1);
  EXPECT_EQ(MainFont->Size(), 50);
  EXPECT_EQ(UIFont->Size(), 30);
  EXPECT_EQ(LevelEndFont->Size(), 31);
  LoadGameFonts(S(dir), 2);
  EXPECT_EQ(MainFont->Size(), 60);
}

// The game's own font: every line as high as the face's own line (no taller, so rows set by
// the font's height keep their places), and the digits of the score font deep enough below
// the line's top that the score, whose line starts above the screen, stands whole on it.
TEST(GameFonts, LinesKeepTheFacesHeightAndTheScoreDigitsTheirDepth) {
  if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
  ASSERT_EQ(LoadGameFonts(S(testrig::ResourcesDir() + "Data/fonts/"), 0), 0);
  EXPECT_EQ(MainFont->Height(), 69);
  EXPECT_EQ(UIFont->Height(), 46);
  EXPECT_EQ(MapFont->Height(), 37);
  EXPECT_EQ(LevelEndFont->Height(), 36);
  EXPECT_EQ(MainFontSmall->Height(), 23);
  for (char16_t digit = u'0'; digit <= u'9'; ++digit) {
    const platform::Glyph* glyph = MainFont->GetGlyph(digit);
    ASSERT_TRUE(glyph && glyph->image);
    EXPECT_GE(glyph->gy, 18) << static_cast<char>(digit);
  }
}

TEST(GameFontsDeathTest, MissingFontFileIsFatal) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string dir = testrig::MakeTempDir("nofont") + "/";
  ccErrorPath = S(dir);  // whatever the error path writes stays in the temporary folder
  EXPECT_EXIT(LoadGameFonts(S(dir), 0), ::testing::ExitedWithCode(1),
              "Error loading file .*nofont.*caccamel\\.ttf");
}
