#include "support/UiFixture.h"

#include "core/Input.h"
#include "gfx/TImageBank.h"
#include "platform/FileSystem.h"
#include "support/AudioFiles.h"
#include "support/FrameworkState.h"

namespace uitest {

std::string MakeWav(int frames) {
  return testrig::EncodeWav(1, 44100, frames, [](int, int frame) {
    return testrig::SineSample(421.0, 44100, frame, 0.25f);
  });
}

void UiTest::SetUp() {
  dir = testrig::MakeTempDir("ui");
  testrig::NewQuietGame(dir + "/");
  channels = std::make_shared<RecordingChannels>();
  Game->Channels = channels;
  images->Clear();
}

void UiTest::TearDown() {
  if (platform::GraphicsOpen()) platform::EndGraphics();
  Game.reset();
  images->Clear();
  platform::UseFakeClock(false);
  platform::AutoMidHandle(false);
}

void UiTest::Picture(const std::string& folder, const std::string& name, int w, int h,
                     uint32_t argb) {
  const std::string path = dir + "/" + folder + "/" + name + ".png";
  testrig::WriteFileBytes(path, "");
  platform::Pixmap pixmap(w, h, argb);
  ASSERT_TRUE(platform::SavePixmapPNG(pixmap, S(path)));
}

void UiTest::Strip(const std::string& folder, const std::string& name, int cellW, int cellH,
                   const std::vector<uint32_t>& colours) {
  const std::string path = dir + "/" + folder + "/" + name + ".png";
  testrig::WriteFileBytes(path, "");
  const int n = static_cast<int>(colours.size());
  platform::Pixmap pixmap(cellW * n, cellH, 0);
  for (int c = 0; c < n; ++c) {
    for (int y = 0; y < cellH; ++y) {
      for (int x = 0; x < cellW; ++x) pixmap.WritePixel(c * cellW + x, y, colours[static_cast<size_t>(c)]);
    }
  }
  ASSERT_TRUE(platform::SavePixmapPNG(pixmap, S(path)));
}

void UiTest::Sound(const std::string& name) {
  testrig::WriteFileBytes(dir + "/sound/" + name + ".wav", MakeWav());
}

void UiTest::PointerAt(int x, int y) {
  Game->Mouse->x = x;
  Game->Mouse->y = y;
}

void UiTest::Press() {
  Game->Mouse->b1 = 1;
  ++Game->Mouse->h1;
  Game->Mouse->CalcButtonTotals();
}

void UiTest::Release() {
  Game->Mouse->b1 = 0;
  Game->Mouse->CalcButtonTotals();
}

void UiTest::NewTick() { Game->Mouse->ClearMouseHit(); }

void UiTest::Key(int vk, int ch) {
  testrig::Post(platform::EVENT_KEYDOWN, vk);
  if (ch != 0) testrig::Post(platform::EVENT_KEYCHAR, ch);
  testrig::Post(platform::EVENT_KEYUP, vk);
  Game->DoPeekEvent();
}

void UiTest::Type(char16_t c) {
  int vk = 0;
  if (c >= u'a' && c <= u'z') {
    vk = c - u'a' + 'A';
  } else if (c < 256) {
    vk = c;
  }
  Key(vk, c);
}

void UiTest::TypeText(const String& text) {
  for (char16_t c : text) Type(c);
}

void UiTest::OpenDisplay() {
  ASSERT_TRUE(platform::Graphics(800, 600, 0));
  platform::SetClsColor(0, 0, 0);
  platform::Cls();
}

uint32_t UiTest::PixelAt(int x, int y) {
  const platform::PixmapPtr grab = platform::GrabPixmap(x, y, 1, 1);
  return grab ? grab->ReadPixel(0, 0) : 0;
}

}  // namespace uitest
