// Screenshots and BMP files.
#include <png.h>

#include <cstring>
#include <filesystem>

#include "CoreFixture.h"
#include "core/ImageFiles.h"
#include "platform/FileSystem.h"

namespace {

using testrig::Post;

class ImageFilesTest : public coretest::CoreTest {
 protected:
  void TearDown() override {
    platform::ClearFakeDateTime();
    CoreTest::TearDown();
  }
  static void DrawFrame(int r, int g, int b) {
    platform::SetClsColor(0, 0, 0);
    platform::Cls();
    platform::SetColor(r, g, b);
    platform::DrawRect(10, 20, 30, 40);
    platform::SetColor(255, 255, 255);
  }
  static const char* Name() { return "2026-12-08 140309 screenshot.png"; }
};

TEST_F(ImageFilesTest, ScreenshotsAreNamedByTheClockAndHoldTheFrame) {
  OpenDisplay();
  platform::SetFakeDateTime({2026, 12, 8, 14, 3, 9});
  DrawFrame(200, 100, 50);
  Game->TakeScreenshot();
  DrawFrame(10, 220, 30);
  auto frame = platform::GrabPixmap(0, 0, 800, 600);
  Game->TakeScreenshot();  // same second: replaces the first
  const std::string path = userDir + "/" + Name();
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(userDir)) files += entry.path().extension() == ".png";
  EXPECT_EQ(files, 1);
  const std::string bytes = testrig::ReadFileBytes(path);
  ASSERT_GT(bytes.size(), 33u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[24]), 8);  // IHDR: bit depth
  EXPECT_EQ(static_cast<unsigned char>(bytes[25]), 2);  // colour type RGB
  auto saved = platform::LoadPixmap(S(path));
  ASSERT_TRUE(saved);
  ASSERT_EQ(saved->Width(), 800);
  ASSERT_EQ(saved->Height(), 600);
  int differ = 0;
  for (int i = 0; i < 800 * 600; ++i) differ += (saved->Pixels()[i] & 0xFFFFFF) != (frame->Pixels()[i] & 0xFFFFFF);
  EXPECT_EQ(differ, 0);
  EXPECT_EQ(platform::FileMode(S(path)) & 0002, 0);

  // Without UseCorrectPath it goes into the working folder.
  const std::string work = testrig::MakeTempDir("work");
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(work);
  Game->UseCorrectPath = 0;
  Game->TakeScreenshot();
  std::filesystem::current_path(before);
  EXPECT_TRUE(std::filesystem::exists(work + "/" + Name()));

  // F12 takes one only while the framework keys are on.
  std::filesystem::remove(path);
  Game->UseCorrectPath = 1;
  StartScreen();
  Game->IgnoreFrameworkKeys = 1;
  Post(platform::EVENT_KEYDOWN, FRAMEWORK_SCREENSHOT_KEY);
  Tick();
  EXPECT_FALSE(std::filesystem::exists(path));
  Game->IgnoreFrameworkKeys = 0;
  Post(platform::EVENT_KEYDOWN, FRAMEWORK_SCREENSHOT_KEY);
  Tick();
  EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(ImageFilesTest, BmpBytes) {
  platform::Pixmap two(2, 2);
  two.WritePixel(0, 0, 0xFF010203u);
  two.WritePixel(1, 0, 0xFF040506u);
  two.WritePixel(0, 1, 0xFF070809u);
  two.WritePixel(1, 1, 0xFF0A0B0Cu);
  const unsigned char expected[70] = {
      'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
      40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0,
      0x12, 0x0B, 0, 0, 0x12, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
      9, 8, 7, 0x0C, 0x0B, 0x0A, 0, 0,  // bottom row first, blue green red, padded
      3, 2, 1, 6, 5, 4, 0, 0};
  EXPECT_EQ(ccBMPBytes(two), std::string(reinterpret_cast<const char*>(expected), 70));
  EXPECT_EQ(ccBMPBytes(platform::Pixmap(1, 1)).size(), 58u);
  EXPECT_EQ(ccBMPBytes(platform::Pixmap(4, 1)).size(), 66u);
  const std::string wide = ccBMPBytes(platform::Pixmap(21845, 1));
  const uint32_t row = (3 * 21845 + 3) & ~3u;
  ASSERT_EQ(wide.size(), 54u + row);
  uint32_t fileSize = 0, dataSize = 0;
  std::memcpy(&fileSize, wide.data() + 2, 4);
  std::memcpy(&dataSize, wide.data() + 34, 4);
  EXPECT_EQ(fileSize, 54u + row);
  EXPECT_EQ(dataSize, row);

  // Saving: silent on a folder that does not exist; the JPEG conversion keeps the pixels.
  auto image = platform::LoadImageFromPixmap(std::make_shared<platform::Pixmap>(two), 0);
  ccSaveImage(image, S(userDir + "/none/x.bmp"));
  EXPECT_FALSE(std::filesystem::exists(userDir + "/none"));
  ccSaveImage(image, S(userDir + "/x.bmp"));
  EXPECT_EQ(testrig::ReadFileBytes(userDir + "/x.bmp"), ccBMPBytes(two));

  // Any JPEG the generator made serves as the source.
  std::string jpeg;
  if (testrig::HaveResources()) {
    for (const auto& e : std::filesystem::recursive_directory_iterator(testrig::ResourcesDir())) {
      if (e.path().extension() == ".jpg") {
        jpeg = e.path().string();
        break;
      }
    }
  }
  if (!jpeg.empty()) {
    ccConvertJPGToBMP(S(jpeg), S(userDir + "/converted.bmp"));
    auto decoded = platform::LoadPixmap(S(jpeg));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(testrig::ReadFileBytes(userDir + "/converted.bmp"), ccBMPBytes(*decoded));
  }
  ccConvertJPGToBMP(S(userDir + "/missing.jpg"), S(userDir + "/missing.bmp"));
  EXPECT_FALSE(std::filesystem::exists(userDir + "/missing.bmp"));
}

}  // namespace
