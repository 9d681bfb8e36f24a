#include "BoardFixture.h"

#include <filesystem>

#include "core/ErrorPath.h"
#include "platform/Graphics.h"
#include "platform/System.h"

namespace boardtest {

void BoardTest::SetUp() {
  dir = testrig::MakeTempDir("board");
  host = &testrig::SetUpBoardWorld(dir);
}

void BoardTest::TearDown() {
  EXPECT_EQ(platform::ClearScriptedRandom(), 0) << "scripted random numbers left unused";
  EXPECT_EQ(host->failure, "");
  testrig::TearDownBoardWorld();
}

void BoardTest::Tick(int n) {
  const std::string broken = testrig::Tick(n);
  ASSERT_TRUE(broken.empty()) << broken;
}

void BoardTest::ClickCell(int x, int y) {
  const std::string broken = testrig::ClickCell(x, y);
  ASSERT_TRUE(broken.empty()) << broken;
}

void BoardTest::DragToCell(int x, int y) {
  const std::string broken = testrig::DragToCell(x, y);
  ASSERT_TRUE(broken.empty()) << broken;
}

TGameGrid& BoardTest::Build(const std::string& picture, const std::vector<int>& colours,
                            const std::vector<int>& bonus) {
  const std::shared_ptr<TGameGrid> board = BuildBoard(picture, colours, bonus);
  EXPECT_TRUE(board) << "unreadable board picture:\n" << picture;
  if (!board) throw std::runtime_error("unreadable board picture");
  return *board;
}

void BoardTest::UseLevel(const std::string& name, int n) {
  const std::string source = std::string(LV_SOURCE_DIR) + "/tests/board/levels/" + name;
  ASSERT_TRUE(std::filesystem::exists(source)) << source;
  WriteLevel(n, testrig::ReadFileBytes(source));
}

void BoardTest::WriteLevel(int n, const std::string& bytes) {
  testrig::WriteFileBytes(dir + "/levels/" + std::to_string(n) + ".txt", bytes);
}

std::string BoardTest::FatalMessageOf(const std::function<void()>& body) {
  // The message is read from the game's own error box, which needs the display.
  if (!platform::GraphicsOpen()) platform::Graphics(800, 600, 0);
  std::string message;
  SetErrorBoxHook([&](const String& text) {
    message = U8(text);
    return true;
  });
  ccGraphicalErrors = 1;
  std::string result;
  try {
    body();
  } catch (const platform::ProgramExit&) {
    result = message.empty() ? "(ended without a message)" : message;
  }
  ccGraphicalErrors = 0;
  SetErrorBoxHook(nullptr);
  return result;
}

}  // namespace boardtest
