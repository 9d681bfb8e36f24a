// The list box: selection by click, double click and held arrows, the visible window, the hit
// test's edges, and the highlight drawn only inside the window.
#include <vector>

#include "UiFixture.h"
#include "core/Input.h"
#include "core/TGameSound.h"
#include "support/FrameworkState.h"
#include "gfx/TBox.h"
#include "gfx/TColor.h"
#include "gfx/TGameImage.h"
#include "ui/TButton.h"
#include "ui/TListBox.h"
#include "ui/TMenu.h"
#include "ui/TScrollBar.h"

using namespace uitest;

namespace {

class ListBoxTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    click = std::make_shared<TGameSound>();
    click->name = u"CLICK";
  }

  // Lines of LineHeight 20 (Gap 5 around the built-in font is replaced by a known height).
  TListBoxPtr Make(int lines, int limit) {
    auto list = TListBox::Create(10, 5, 0, 1, 500);
    for (int i = 0; i < lines; ++i) list->Strings.push_back(u"line " + S(std::to_string(i)));
    list->SetCoords(100, 100, 200, 400);
    list->SetupFont(nullptr, TColor::Create(255, 255, 255), nullptr, nullptr, nullptr);
    list->LineHeight = 20;
    list->Limit = limit;
    list->ClickSound = click;
    return list;
  }

  void ClickAt(TListBox& list, int x, int y) {
    PointerAt(x, y);
    NewTick();
    Press();
    list.Manage();
    Release();
  }

  std::shared_ptr<TGameSound> click;
};

TEST_F(ListBoxTest, ClicksDoubleClicksAndTheHitTestsEdges) {
  auto empty = Make(0, 0);
  ClickAt(*empty, 150, 105);
  EXPECT_EQ(empty->Index, -1);
  EXPECT_EQ(Game->Mouse->GetMh(0), 0);  // consumed all the same

  auto list = Make(5, 0);
  ClickAt(*list, 150, 145);  // line 2: 140 < y < 160
  EXPECT_EQ(list->Index, 2);
  EXPECT_EQ(list->Value, u"line 2");
  EXPECT_EQ(channels->Count(u"CLICK"), 1);
  for (int t = 0; t < 98; ++t) list->Manage();
  ClickAt(*list, 150, 145);  // the 100th tick after the first click
  EXPECT_EQ(list->DoubleClicked, 2);
  EXPECT_EQ(channels->Count(u"CLICK"), 1);  // a double click makes no sound
  EXPECT_EQ(list->GetDoubleClicked(), 2);
  EXPECT_EQ(list->GetDoubleClicked(), -1);
  for (int t = 0; t < 100; ++t) list->Manage();
  ClickAt(*list, 150, 145);  // too late: a single click again
  EXPECT_EQ(list->DoubleClicked, -1);
  EXPECT_EQ(channels->Count(u"CLICK"), 2);

  // A boundary pixel and the right edge hit nothing; the left edge does.
  list->ClearIndex();
  for (int y : {100, 120, 140, 200}) {
    ClickAt(*list, 150, y);
    EXPECT_EQ(list->Index, -1) << y;
  }
  ClickAt(*list, 300, 110);
  EXPECT_EQ(list->Index, -1);
  ClickAt(*list, 100, 110);
  EXPECT_EQ(list->Index, 0);

  // Indexes from outside the list clear the selection; locked flags past their end are off.
  list->SetIndex(7);
  EXPECT_EQ(list->Index, -1);
  EXPECT_EQ(list->Value, u"");
  list->SetIndex(-5);
  EXPECT_EQ(list->Index, -1);
  list->LockedArray = {1};
  list->LockedColor = TColor::Create(90, 90, 90);
  list->SetIndex(4);
  OpenDisplay();
  list->Draw();
  list->Kill();
  EXPECT_EQ(list->Draw(), 0);  // killed: nothing drawn, nothing managed
  EXPECT_EQ(list->Manage(), 0);
}

TEST_F(ListBoxTest, HeldArrowsRepeatAndTheWindowFollowsTheSelection) {
  auto list = Make(12, 10);
  Key(KEY_DOWN);
  EXPECT_EQ(KeyDown(KEY_DOWN), 0);  // a down-up pair: not held
  testrig::Post(platform::EVENT_KEYDOWN, KEY_DOWN);
  Game->DoPeekEvent();
  std::vector<int> moves;
  for (int tick = 1; tick <= 300; ++tick) {
    const int before = list->Index;
    list->Manage();
    if (list->Index != before) moves.push_back(tick);
  }
  EXPECT_EQ(moves, (std::vector<int>{1, 81, 101, 121, 141, 161, 181, 201, 221, 241, 261, 281}));
  EXPECT_EQ(list->Index, 11);
  EXPECT_EQ(list->TopIndex, 2);
  EXPECT_EQ(channels->Count(u"CLICK"), 12);  // none at the end of the list
  testrig::Post(platform::EVENT_KEYUP, KEY_DOWN);
  testrig::Post(platform::EVENT_KEYDOWN, KEY_UP);
  Game->DoPeekEvent();
  std::vector<int> tops;
  for (int tick = 1; tick <= 300 && list->Index > 0; ++tick) {
    const int before = list->Index;
    list->Manage();
    if (list->Index != before) tops.push_back(list->TopIndex);
  }
  EXPECT_EQ(tops, (std::vector<int>{2, 2, 2, 2, 2, 2, 2, 2, 2, 1, 0}));
  EXPECT_EQ(list->Index, 0);

  // The highlight shows only while the selection lies in the window.
  OpenDisplay();
  list->DrawBox = 0;
  list->HighlightUnder = 0;
  list->Strings.assign(12, String());
  auto blueRows = [&] {
    platform::Cls();
    list->Draw();
    std::vector<int> rows;
    for (int y = 100; y < 300; ++y) {
      if (testrig::PixelNear(PixelAt(150, y), 0xFF000096)) rows.push_back(y);
    }
    return rows;
  };
  list->SetIndex(3);
  const std::vector<int> rows = blueRows();
  ASSERT_EQ(rows.size(), 20u);
  EXPECT_EQ(rows.front(), 160);
  list->SetIndex(11);
  list->TopIndex = 0;  // the selection below the window
  EXPECT_TRUE(blueRows().empty());
  list->TopIndex = 2;
  EXPECT_EQ(blueRows().front(), 280);
}

// A list longer than its window with a scroll bar beside it: the two move together whichever
// is moved, and the list draws its bar.
TEST_F(ListBoxTest, AScrollBarAndTheListMoveTogether) {
  Sound("buttonMO");
  Sound("buttonclick");
  for (const char* picture : {"up", "upMO", "up_disabled", "down", "downMO", "down_disabled"}) {
    Picture("menus", picture, 16, 10, kBlue);
  }
  Picture("images", "slider", 20, 40, kRed);
  auto list = Make(12, 10);
  // Range 160 px over the two lines the window can move: 80 px a line.
  list->ScrollBar = TScrollBar::Create(TGameImage::Create(Game->ImagePath + u"slider.png", 0, 0),
                                       200, list->Count() - list->Limit, 310, 100, 1);
  list->ScrollBar->SetArrows(u"up", u"down", 100);
  list->SetClickSound(click);
  EXPECT_EQ(list->ScrollBar->Menu->FindButton(u"down")->SoundClick2, click);

  // Dragging the slider scrolls the list; the drag's press selects no line.
  const auto tickAt = [&](int y, bool held) {
    NewTick();
    PointerAt(315, y);
    if (held && Game->Mouse->b1 == 0) Press();
    if (!held) Release();
    list->Manage();
  };
  tickAt(110, true);
  tickAt(190, true);
  EXPECT_EQ(list->TopIndex, 1);
  tickAt(400, true);
  tickAt(400, false);
  EXPECT_EQ(list->TopIndex, 2);
  EXPECT_EQ(list->Index, -1);

  // Moving the selection or the window moves the slider, and the next tick keeps the window.
  struct Move { int index; int top; int position; int upOff; int downOff; };
  const Move moves[] = {{0, 0, 0, 1, 0}, {11, 2, 160, 0, 1}, {1, 1, 80, 0, 0}};
  for (const Move& m : moves) {
    list->SetIndex(m.index);
    tickAt(400, false);
    EXPECT_EQ(list->TopIndex, m.top) << m.index;
    EXPECT_EQ(list->ScrollBar->SliderPosition, m.position) << m.index;
    EXPECT_EQ(list->ScrollBar->Menu->FindButton(u"up")->Disabled, m.upOff) << m.index;
    EXPECT_EQ(list->ScrollBar->Menu->FindButton(u"down")->Disabled, m.downOff) << m.index;
  }
  list->SetTopIndex(2);
  tickAt(400, false);
  EXPECT_EQ(list->TopIndex, 2);
  EXPECT_EQ(list->ScrollBar->Value, 2);

  OpenDisplay();
  platform::Cls();
  list->Draw();
  EXPECT_PIXEL_NEAR(PixelAt(320, 100 + 160 + 20), kRed);
  EXPECT_PIXEL_NEAR(PixelAt(320, 100 + 20), kBlack);
}

}  // namespace
