#include <gtest/gtest.h>

#include "TextTestSupport.h"

namespace {

using texttest::PixelTest;

class BitmapFontDraw : public PixelTest {
 protected:
  // The leftmost and topmost lit pixels of a picture.
  static std::pair<int, int> FirstLit(const platform::PixmapPtr& p) {
    int left = 9999, top = 9999;
    for (int y = 0; y < p->Height(); ++y) {
      for (int x = 0; x < p->Width(); ++x) {
        if ((p->ReadPixel(x, y) & 0xFFFFFF) != 0) {
          left = std::min(left, x);
          top = std::min(top, y);
        }
      }
    }
    return {left, top};
  }
  // Rows at which a lit run starts in column x.
  static std::vector<int> RunStarts(const platform::PixmapPtr& p, int x) {
    std::vector<int> starts;
    bool lit = false;
    for (int y = 0; y < p->Height(); ++y) {
      const bool now = (p->ReadPixel(x, y) & 0xFFFFFF) != 0;
      if (now && !lit) starts.push_back(y);
      lit = now;
    }
    return starts;
  }
  std::shared_ptr<TBitmapFont> font = texttest::PagedBitmapFont();
  const std::vector<TColorPtr> none;
};

TEST_F(BitmapFontDraw, AlignmentColoursAndKill) {
  auto right = Picture([&] { font->DrawAligned(u"AB", 400, 100, 2, 0, 0, 0, none); });
  EXPECT_EQ(FirstLit(right), (std::pair<int, int>{376, 100}));
  EXPECT_EQ(Lit(Picture([&] { font->DrawAligned(u"AB", 400, 100, 4, 0, 0, 0, none); })), 0);

  const std::vector<TColorPtr> colours{TColor::Create(255, 0, 0, 1), TColor::Create(0, 255, 0, 1),
                                       TColor::Create(0, 0, 255, 1)};
  auto shot = Picture([&] { font->Draw(u"ABCD", 100, 100, 0, 0, 0, 0, 0, 0, 0, colours); });
  const uint32_t expected[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFF0000};
  for (int i = 0; i < 4; ++i) EXPECT_PIXEL_NEAR(shot->ReadPixel(105 + 12 * i, 105), expected[i]);

  // roundX only acts at scale 1.
  platform::SetScale(2, 2);
  auto a = Picture([&] {
    platform::SetScale(2, 2);
    font->Draw(u"AB", 100.4, 100, 0, 0, 1, 0, 0, 0, 0, none);
  });
  auto b = Picture([&] {
    platform::SetScale(2, 2);
    font->Draw(u"AB", 100.4, 100, 0, 0, 0, 0, 0, 0, 0, none);
  });
  EXPECT_SAME_PICTURE(a, b);
  platform::SetScale(1, 1);

  font->Kill();
  EXPECT_EQ(Lit(Picture([&] { font->Draw(u"AB", 100, 100, 0, 0, 0, 0, 0, 0, 0, none); })), 0);
}

TEST_F(BitmapFontDraw, LinesAndVerticalText) {
  auto lines = Picture([&] {
    font->DrawStringArray({u"A", u"A", u"A"}, 200, 100, 0, 0, 0, 0, 0, 20, 1);
  });
  EXPECT_EQ(RunStarts(lines, 205), (std::vector<int>{70, 90, 110}));
  // Shadowed lines draw the shadow first, then the text over it.
  auto shadowed = Picture([&] { font->DrawStringArray({u"A"}, 200, 100, 0, 0, 0, 0, 1, 20, 0); },
                          128, 128, 128);
  EXPECT_PIXEL_NEAR(shadowed->ReadPixel(205, 105), 0xFFFFFFFF);
  EXPECT_PIXEL_NEAR(shadowed->ReadPixel(210, 110), 0xFF404040);  // black at alpha 0.5

  // "A B" stacked: B stands below A by A's height plus 0.75 of the space's advance.
  auto vertical = Picture([&] { font->Draw(u"A B", 300, 100, 0, 0, 0, 0, 0, 0, 1, none); });
  EXPECT_EQ(RunStarts(vertical, 305), (std::vector<int>{100, 119}));
}

}  // namespace
