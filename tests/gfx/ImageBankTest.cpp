// Named images and the image bank: extensions, keys, lookups, handles, frames and sizes.
#include "GfxTestSupport.h"
#include "gfx/DrawHelpers.h"
#include "gfx/TImageBank.h"
#include "text/TShadow.h"

namespace {

class ImageBankTest : public gfxtest::GfxTest {
 protected:
  void SetUp() override {
    GfxTest::SetUp();
    dir = testrig::MakeTempDir("graphics");
    gfxtest::WritePng(dir + "/gem.png", 30, 45, 0xFFFF0000u);
    gfxtest::WritePng(dir + "/title.jpg", 16, 8, 0xFF00FF00u);  // PNG bytes under a .jpg name
    gfxtest::WritePng(dir + "/strip.png", 40, 10, 0xFF0000FFu);
    bank.SetPath(S(dir));
  }
  std::string dir;
  TImageBank bank;
};

TEST_F(ImageBankTest, ExtensionsAndKeys) {
  EXPECT_EQ(bank.Path, S(dir) + u"/");
  auto gem = bank.Load(u"gem", u"", 0, 0);
  EXPECT_EQ(gem->name, u"GEM");
  EXPECT_EQ(gem->w, 30);
  EXPECT_EQ(gem->h, 45);
  EXPECT_FLOAT_EQ(gem->w2, 15);
  EXPECT_FLOAT_EQ(gem->h2, 22);
  auto title = bank.Load(u"title.jpg", u"", 0, 1);
  EXPECT_EQ(title->name, u"TITLE");
  EXPECT_EQ(title->midhandled, 1);
  auto named = bank.LoadNoMid(u"gem.png", u"Particle1", 0);
  EXPECT_EQ(named->name, u"PARTICLE1");
  EXPECT_EQ(named->midhandled, 0);
  EXPECT_EQ(bank.Count(), 3);
  // Any case finds the entry.
  EXPECT_EQ(bank.Find(u"particle1"), named);
  EXPECT_EQ(bank.Find(u"Gem"), gem);
  EXPECT_EQ(bank.FindTImage(u"tItLe"), title->image);
  EXPECT_EQ(bank.FindTImage(u"nothing"), nullptr);
  // Keys in sorted order.
  std::vector<String> keys;
  for (const auto& [key, image] : bank.Items()) keys.push_back(key);
  EXPECT_EQ(keys, (std::vector<String>{u"GEM", u"PARTICLE1", u"TITLE"}));
}

TEST_F(ImageBankTest, ReloadReplacesTheEntryOldHoldersKeepTheirs) {
  auto first = bank.Load(u"gem", u"", 0, 0);
  auto second = bank.Load(u"gem", u"", 0, 0);
  EXPECT_EQ(bank.Count(), 1);
  EXPECT_EQ(bank.Find(u"GEM"), second);
  EXPECT_NE(first->image, second->image);
  EXPECT_NE(first->image, nullptr);
}

TEST_F(ImageBankTest, LoadAnimFramesAndHandles) {
  auto strip = bank.LoadAnim(u"strip", 10, 10, 0, 4, 0, 1);
  EXPECT_EQ(strip->name, u"STRIP");
  EXPECT_EQ(strip->w, 10);
  EXPECT_EQ(strip->h, 10);
  EXPECT_EQ(strip->image->FrameCount(), 4);
  EXPECT_EQ(strip->midhandled, 1);
  EXPECT_FLOAT_EQ(strip->image->handleX, 5);
  auto corner = bank.LoadAnim(u"strip", 10, 10, 1, 2, 0, 2);  // only exactly 1 mid-handles
  EXPECT_EQ(corner->midhandled, 0);
  EXPECT_FLOAT_EQ(corner->image->handleX, 0);
  EXPECT_EQ(corner->image->FrameCount(), 2);
  EXPECT_EQ(bank.Count(), 1);
  auto autoStrip = TGameImage::CreateAuto(S(dir) + u"/strip.png", 20, 10, 0, 2, 0, 0);
  EXPECT_EQ(autoStrip->w, 20);
  auto autoSingle = TGameImage::CreateAuto(S(dir) + u"/strip.png", 20, 10, 0, 1, 0, 0);
  EXPECT_EQ(autoSingle->w, 40);
}

TEST_F(ImageBankTest, SizesInBytesAndKilobytes) {
  auto gem = bank.Load(u"gem", u"", 0, 0);
  EXPECT_EQ(gem->CalcVRAM(), 32 * 64 * 4);
  EXPECT_EQ(gem->CalcRAM(), 5400);
  TImageBank empty;
  EXPECT_EQ(empty.CalcRAM(), 0);
  EXPECT_EQ(empty.CalcVRAM(), 0);
  TImageBank two;
  two.Insert(TGameImage::CreateFromImage(gfxtest::SolidImage(32, 32, 0xFFFFFFFFu), u"a", 0));
  two.Insert(TGameImage::CreateFromImage(gfxtest::SolidImage(32, 32, 0xFFFFFFFFu), u"b", 0));
  EXPECT_EQ(two.CalcRAM(), 8);
  EXPECT_EQ(two.CalcVRAM(), 8);
}

TEST_F(ImageBankTest, CreateFromImageKeepsItsNameAndMidHandleIsShared) {
  auto raw = gfxtest::SolidImage(20, 10, 0xFFFFFFFFu);
  auto a = TGameImage::CreateFromImage(raw, u"mixedCase", 1);
  EXPECT_EQ(a->name, u"mixedCase");
  EXPECT_FLOAT_EQ(raw->handleX, 10);
  EXPECT_FLOAT_EQ(raw->handleY, 5);
  auto b = TGameImage::CreateFromImage(raw, u"other", 0);
  EXPECT_FLOAT_EQ(raw->handleX, 0);  // one handle for every holder
  bank.Insert(a);
  EXPECT_EQ(bank.Find(u"MIXEDCASE"), a);
}

TEST_F(ImageBankTest, MissingNameIsFatalWithItsMessage) {
  OpenDisplay();
  String shown;
  SetErrorBoxHook([&](const String& message) {
    shown = message;
    return true;
  });
  bank.Load(u"gem", u"", 0, 0);
  EXPECT_THROW(bank.Find(u"pointerSmall"), platform::ProgramExit);
  EXPECT_EQ(shown, u"Image 'POINTERSMALL' was Not found in the ImageBank");
  ShowErrors = 0;
  EXPECT_EQ(bank.Find(u"pointerSmall"), nullptr);
}

TEST_F(ImageBankTest, MissingFileIsFatal) {
  OpenDisplay();
  String shown;
  SetErrorBoxHook([&](const String& message) {
    shown = message;
    return true;
  });
  EXPECT_THROW(bank.Load(u"absent", u"", 0, 0), platform::ProgramExit);
  EXPECT_EQ(shown, u"Error loading bitmap " + S(dir) + u"/absent.png");
}

TEST_F(ImageBankTest, GameImageDrawWithShadowResetsAlpha) {
  OpenDisplay();
  platform::SetClsColor(255, 255, 255);
  platform::Cls();
  auto gem = bank.Load(u"gem", u"", 0, 0);
  auto shadow = TShadow::Create(4, 4, 0.5f);
  platform::SetAlpha(0.3f);
  gem->Draw(100, 100, 0, shadow);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 1.0f);
  EXPECT_TRUE(testrig::PixelNear(Pixel(132, 147), 0xFF808080u, 3));  // shadow only
  EXPECT_PIXEL_NEAR(Pixel(110, 110), 0xFFFF0000u);                    // image at alpha 1
}

TEST_F(ImageBankTest, AutoMidHandleStaysOffForBankLoads) {
  EXPECT_FALSE(platform::AutoMidHandleEnabled());
  auto gem = bank.Load(u"gem", u"", 0, 0);
  EXPECT_FLOAT_EQ(gem->image->handleX, 0);
}

}  // namespace
