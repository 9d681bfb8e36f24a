// The board's drawing, read back from the software renderer: outline and shadow, floors,
// frames and side pieces, gems over cells, holes, the board's alpha, the cursor's pulse, the
// swap on top, the bonus highlights and the burst ring.
#include <algorithm>
#include <filesystem>
#include <utility>

#include "BoardFixture.h"
#include "gfx/TImageBank.h"
#include "gfx/TSineCounter.h"
#include "platform/Graphics.h"
#include "platform/Image.h"

namespace boardtest {
namespace {

uint32_t Rgb(int r, int g, int b) {
  return 0xFF000000u | (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}
int Channel(uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }
class DrawTest : public BoardTest {
 protected:
  void SetUp() override {
    BoardTest::SetUp();
    ASSERT_TRUE(platform::Graphics(800, 600, 0));
    Clear();
  }
  void Clear() {
    platform::SetClsColor(0, 0, 0);
    platform::Cls();
  }
  uint32_t PixelAt(float x, float y) {
    const platform::PixmapPtr grab = platform::GrabPixmap(static_cast<int>(x), static_cast<int>(y), 1, 1);
    return grab ? grab->ReadPixel(0, 0) : 0;
  }
  // A picture of w by h, transparent but for a border of 2 pixels in colour.
  static TGameImagePtr Frame(int w, int h, uint32_t colour, const char16_t* name) {
    platform::ImagePtr image = platform::CreateImage(w, h, 1, 0);
    platform::PixmapPtr pixels = platform::LockImage(image, 0);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if (x < 2 || y < 2 || x >= w - 2 || y >= h - 2) pixels->WritePixel(x, y, colour);
      }
    }
    platform::UnlockImage(image, 0);
    return TGameImage::CreateFromImage(image, name, 0);
  }
  uint32_t Stub(const char* key, int frame = 0) { return testrig::StubColour(key, frame); }
};

TEST_F(DrawTest, OutlineCellsAndGems) {
  TCell::CellImage = Frame(52, 52, 0xFFFFFFFFu, u"cell");  // an open frame: floors show
  TGameGrid& board = Build("1b 2a .\n4 # .");
  const float sx = static_cast<float>(board.sx);  // 325
  const float sy = static_cast<float>(board.sy);  // 250
  board.Draw();
  EXPECT_PIXEL_NEAR(PixelAt(sx - 2, sy + 20), Rgb(220, 220, 220));            // left outline
  EXPECT_PIXEL_NEAR(PixelAt(sx + 20, sy - 2), Rgb(220, 220, 220));            // top outline
  EXPECT_PIXEL_NEAR(PixelAt(sx - 2, sy - 2), Rgb(220, 220, 220));             // top-left square
  EXPECT_PIXEL_NEAR(PixelAt(sx + 100 + 56, sy + 20), Rgb(25, 25, 25));        // right shadow
  EXPECT_PIXEL_NEAR(PixelAt(sx + 100 + 51, sy + 20), Stub("cellrightside"));  // side over outline
  EXPECT_PIXEL_NEAR(PixelAt(sx + 100 + 52, sy + 50 + 52), Stub("cellcorner"));
  EXPECT_PIXEL_NEAR(PixelAt(sx + 20, sy + 50 + 52), Stub("cellbottom"));
  EXPECT_PIXEL_NEAR(PixelAt(sx + 25, sy + 25), Stub("gems", 0));             // gems over cells
  EXPECT_PIXEL_NEAR(PixelAt(sx + 100 + 25, sy + 25), Stub("cellpane"));      // no gem: the pane
  EXPECT_PIXEL_NEAR(PixelAt(sx + 75, sy + 75), Rgb(0, 0, 0));                // a hole: nothing
  // Floors: armour over brick over pane, seen through a gem-less cell.
  Cell(0, 0).Gem = nullptr;
  Cell(1, 0).Gem = nullptr;
  GemList = std::make_shared<TGemList>();
  Clear();
  board.Draw();
  EXPECT_PIXEL_NEAR(PixelAt(sx + 25, sy + 25), Stub("brick"));
  EXPECT_PIXEL_NEAR(PixelAt(sx + 75, sy + 25), Stub("armour"));
}

TEST_F(DrawTest, AlphaHidesCellsButNotGemsOrCursor) {
  TGameGrid& board = Build("1b 2");
  const float sx = static_cast<float>(board.sx);
  const float sy = static_cast<float>(board.sy);
  board.alpha = 0;
  board.CursorSet(1, 0);
  board.Draw();
  EXPECT_PIXEL_NEAR(PixelAt(sx - 2, sy + 20), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(PixelAt(sx + 25, sy + 25), Stub("gems", 0));
  // The cursor, then its light added on top: 153/255 of its colour where the glow is at 0,
  // 51/255 at the top of the glow.
  const auto lit = [](uint32_t c, int k) {
    int rgb[3];
    for (int i = 0; i < 3; ++i) rgb[i] = std::min(255, Channel(c, 16 - 8 * i) + (Channel(c, 16 - 8 * i) * k + 127) / 255);
    return Rgb(rgb[0], rgb[1], rgb[2]);
  };
  for (const auto& [angle, k] : {std::pair{0.0f, 153}, std::pair{90.0f, 51}, std::pair{30.0f, 102}}) {
    SCOPED_TRACE(angle);
    board.glow->SetCounter(angle);
    Clear();
    board.Draw();
    EXPECT_PIXEL_NEAR(PixelAt(sx + 75, sy + 25), lit(Stub("cursor"), k));
  }
  board.CursorClear();
  Clear();
  board.Draw();
  EXPECT_PIXEL_NEAR(PixelAt(sx + 75, sy + 25), Stub("gems", 1));
}

TEST_F(DrawTest, SwappingGemsLieOnTopSourceLast) {
  TGameGrid& board = Build("1 2 3\n4 5 1");
  TGem& source = GemAt(0, 0);
  TGem& dest = GemAt(1, 0);
  TGem& under = GemAt(0, 1);
  source.Swapping = dest.Swapping = 1;
  board.SwapSource = Cell(0, 0).Gem;
  board.SwapDest = Cell(1, 0).Gem;
  // All three drawn at one place.
  under.y = source.y;
  dest.x = source.x;
  board.Draw();
  EXPECT_PIXEL_NEAR(PixelAt(source.x + 25, source.y + 25), Stub("gems", 0));
  std::swap(board.SwapSource, board.SwapDest);
  Clear();
  board.Draw();
  EXPECT_PIXEL_NEAR(PixelAt(source.x + 25, source.y + 25), Stub("gems", 1));
}

TEST_F(DrawTest, BonusHighlightsAndTheBurstRing) {
  TGameGrid& board = Build("L 1");
  TGem::BonusIdleAnims[8] = Frame(50, 50, 0, u"bonus8idle");  // see what lies under it
  TGem& lion = GemAt(0, 0);
  const int level = static_cast<int>(255 * 1.0f);  // glow2 ratio 0: (1 - 0) x 0.7 + 0.3
  (void)level;
  lion.DrawGem();
  EXPECT_NE(PixelAt(lion.x + 1, lion.y + 1), Rgb(0, 0, 0));    // the outer highlight
  EXPECT_NE(PixelAt(lion.x + 25, lion.y + 25), Rgb(0, 0, 0));  // the inner one
  board.CursorSet(0, 0);  // the selected piece loses its outer highlight
  Clear();
  lion.DrawGem();
  EXPECT_PIXEL_NEAR(PixelAt(lion.x + 1, lion.y + 1), Rgb(0, 0, 0));
  EXPECT_NE(PixelAt(lion.x + 25, lion.y + 25), Rgb(0, 0, 0));

  TGem& gem = GemAt(1, 0);
  gem.Explode(1);  // the ring starts at a fifth of its size
  Clear();
  gem.DrawGem();
  const float cx = gem.x + 25;
  const float cy = gem.y + 25;
  EXPECT_PIXEL_NEAR(PixelAt(cx + 3, cy), Stub("particlering"));
  EXPECT_PIXEL_NEAR(PixelAt(cx + 9, cy), Rgb(0, 0, 0));
  gem.ExplosionCounter = 10;  // full size, half faded in the last 100 ms
  Clear();
  gem.DrawGem();
  const uint32_t ring = Stub("particlering");
  EXPECT_TRUE(testrig::PixelNear(PixelAt(cx + 28, cy),
                                 Rgb(Channel(ring, 16) / 2, Channel(ring, 8) / 2, Channel(ring, 0) / 2), 3));
  float scaleX = 0;
  float scaleY = 0;
  platform::GetScale(scaleX, scaleY);
  EXPECT_EQ(scaleX, 1.0f);
  EXPECT_EQ(platform::GetAlpha(), 1.0f);
}

TEST_F(DrawTest, ACraftedLevelWithTheGeneratedPictures) {
  if (!testrig::HaveResources()) GTEST_SKIP() << "the data folder has not been generated";
  ASSERT_TRUE(testrig::InstallGeneratedBoardAssets(testrig::ResourcesDir()));
  UseLevel("crafted.txt", 1);
  GameGrid = TGameGrid::Create();
  GameGrid->Load(1);
  testrig::FillRunFree(5);
  GameGrid->CursorSet(2, 2);
  Tick(3);
  GameGrid->Draw();
  const std::string folder = std::string(LV_BINARY_DIR) + "/board-artifacts";
  std::filesystem::create_directories(folder);
  const platform::PixmapPtr shot = platform::GrabPixmap(0, 0, 800, 600);
  ASSERT_TRUE(shot);
  EXPECT_TRUE(platform::SavePixmapPNG(*shot, S(folder + "/crafted-level.png")));
  // Something of the board was drawn where it stands.
  EXPECT_NE(PixelAt(GameGrid->sx + 75, GameGrid->sy + 75), Rgb(0, 0, 0));
}

}  // namespace
}  // namespace boardtest
