#pragma once
// The fixture of every board test: the board rig's world in a fresh folder, the tick driver
// failing the test on a broken invariant (with the tick and the board picture), and no
// scripted random number left unused at the end.
#include <gtest/gtest.h>

#include <string>

#include "board/BoardGlobals.h"
#include "board/BoardHost.h"
#include "board/BoardPicture.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TGemList.h"
#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "platform/Clock.h"
#include "support/TestRig.h"
#include "support/board/BoardDriver.h"
#include "support/board/StubAssets.h"

namespace boardtest {

class BoardTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The rig's tick driver; a broken invariant fails the test.
  void Tick(int n = 1);
  void ClickCell(int x, int y);
  void DragToCell(int x, int y);
  // BuildBoard, failing the test on a picture that cannot be read.
  TGameGrid& Build(const std::string& picture, const std::vector<int>& colours = {1, 2, 3, 4, 5},
                   const std::vector<int>& bonus = {});
  // Copies tests/board/levels/<name> into the levels folder as <n>.txt.
  void UseLevel(const std::string& name, int n);
  // Writes bytes as level n.
  void WriteLevel(int n, const std::string& bytes);
  // The built board replaced by a G (a TGameGrid subclass that records or scripts steps) with
  // the same fields over the same cells and gems.
  template <class G>
  G& BuildAs(const std::string& picture, const std::vector<int>& colours = {1, 2, 3, 4, 5},
             const std::vector<int>& bonus = {}) {
    Build(picture, colours, bonus);
    return *testrig::ReplaceBoard<G>();
  }
  TCell& Cell(int x, int y) { return *Grid[static_cast<size_t>(x)][static_cast<size_t>(y)]; }
  TGem& GemAt(int x, int y) { return *Cell(x, y).Gem; }
  // The fatal error message a call ends the program with ("" when it does not end).
  std::string FatalMessageOf(const std::function<void()>& body);

  testrig::FakePlayScreen* host = nullptr;
  std::string dir;
};

}  // namespace boardtest
