#include "UiFixture.h"

#include <cmath>

#include "core/Input.h"
#include "gfx/TImageBank.h"
#include "platform/FileSystem.h"

namespace uitest {

namespace {

void Put16(std::string& out, int v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string& out, int v) {
  Put16(out, v & 0xFFFF);
  Put16(out, (v >> 16) & 0xFFFF);
}

}  // namespace

std::string MakeWav(int frames) {
  const int rate = 44100;
  std::string data;
  for (int i = 0; i < frames; ++i) {
    Put16(data, static_cast<int>(8000.0 * std::sin(i * 0.06)));
  }
  std::string out = "RIFF";
  Put32(out, 36 + static_cast<int>(data.size()));
  out += "WAVEfmt ";
  Put32(out, 16);
  Put16(out, 1);
  Put16(out, 1);
  Put32(out, rate);
  Put32(out, rate * 2);
  Put16(out, 2);
  Put16(out, 16);
  out += "data";
  Put32(out, static_cast<int>(data.size()));
  return out + data;
}

void UiTest::SetUp() {
  platform::SetThrowOnExit(true);
  platform::InitRuntime();
  ASSERT_TRUE(platform::SetAudioDriver(u"None"));
  platform::UseFakeClock(true, 10000);
  platform::Event e;
  while (platform::PollEvent(e)) {
  }
  Keys.fill(0);
  KeyStates.fill(0);
  charPut = charGet = 0;
  ccPolledInputState = 0;
  ccGraphicalErrors = 0;
  ShowErrors = 1;
  Delta = 1.0f;
  ScreenWidth = 800;
  ScreenHeight = 600;
  dir = testrig::MakeTempDir("ui");
  const String root = S(dir) + u"/";
  Game = std::make_shared<TGame>();
  Game->SubPath = root;
  ccErrorPath = root;
  Game->ImagePath = root + u"images/";
  Game->MenuPath = root + u"menus/";
  Game->SoundPath = root + u"sound/";
  Game->MusicPath = root + u"music/";
  Game->Ini.FileName = root + u"LanternVale";
  Game->FixedRateLogic->Create();
  Game->FixedRateLogic->Init();
  Game->MusicChannel = platform::AllocChannel();
  channels = std::make_shared<RecordingChannels>();
  Game->Channels = channels;
  Game->Mouse->x = -100;
  Game->Mouse->y = -100;
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
