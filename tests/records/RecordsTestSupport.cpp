#include "RecordsTestSupport.h"

#include <filesystem>

#include "support/TestRig.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "platform/System.h"

namespace recordstest {

int32_t IntAt(const std::string& bytes, size_t offset) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes.at(offset + static_cast<size_t>(i)));
  return static_cast<int32_t>(v);
}

std::string LE(int32_t v) {
  std::string out;
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
  return out;
}

void RecordsTest::SetUp() {
  platform::SetThrowOnExit(true);
  dir = testrig::MakeTempDir("records");
  std::filesystem::create_directories(Profiles());
  const String root = platform::FromUtf8(dir) + u"/";
  ccErrorPath = root;
  Game = std::make_shared<TGame>();
  Game->SubPath = root;
  Game->ProfilePath = root + u"profiles/";
}

void RecordsTest::TearDown() { Game.reset(); }

}  // namespace recordstest
