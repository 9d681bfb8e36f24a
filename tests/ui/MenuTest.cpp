// The menu of buttons: stacking, pairs and rows, block layout, per-tick names and their gates.
#include "support/UiFixture.h"
#include "core/Input.h"
#include "ui/TMenu.h"

using namespace uitest;

namespace {

class MenuTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Sound("buttonMO");
    Sound("buttonclick");
    Picture("menus", "b40", 200, 40, kRed);
    Picture("menus", "b50", 100, 50, kRed);
    Picture("menus", "b60", 300, 60, kRed);
    Picture("menus", "Yes", 80, 30, kRed);
    Picture("menus", "YesMO", 80, 30, kGreen);
    Picture("menus", "No", 60, 30, kRed);
    Picture("menus", "play", 100, 40, kRed);
    Picture("menus", "playMO", 100, 40, kGreen);
  }

  TMenuPtr Stack() {
    auto menu = TMenu::Create(u"buttonMO", u"buttonclick", 0, 100, 10);
    menu->AddNew(u"b40", u"", u"", 0, 0, 1);
    menu->AddNew(u"b50", u"", u"", 0, 0, 1);
    menu->AddNew(u"b60", u"", u"", 0, 0, 1);
    return menu;
  }
};

TEST_F(MenuTest, StackedButtonsAreCentredOneUnderTheOther) {
  auto menu = Stack();
  ASSERT_EQ(menu->Count(), 3);
  EXPECT_EQ(menu->Items()[0]->y, 100);
  EXPECT_EQ(menu->Items()[1]->y, 150);
  EXPECT_EQ(menu->Items()[2]->y, 210);
  EXPECT_EQ(menu->h, 170);
  EXPECT_EQ(menu->NextY, 280);
  EXPECT_EQ(menu->Items()[0]->x, 300);
  EXPECT_EQ(menu->Items()[1]->x, 350);
  EXPECT_EQ(menu->Items()[2]->x, 250);
  for (const TButtonPtr& b : *menu) {
    EXPECT_EQ(b->UseMenuPath, 1);
    EXPECT_EQ(b->SoundClick, menu->SoundClick);  // shared objects
    EXPECT_EQ(b->SoundMouseOver, menu->SoundMouseOver);
  }
  EXPECT_EQ(menu->Items()[1]->name, u"B50");

  // DoAddNew alone neither moves NextY nor grows the height.
  auto extra = menu->DoAddNew(u"b40", u"", u"custom", 0, 0, 1);
  EXPECT_EQ(extra->y, 280);
  EXPECT_EQ(extra->name, u"CUSTOM");
  EXPECT_EQ(menu->NextY, 280);
  EXPECT_EQ(menu->h, 170);
}

TEST_F(MenuTest, AddPairPutsTheSecondBesideTheFirstAndNamesBoth) {
  auto menu = TMenu::Create(u"", u"buttonclick", 0, 50, 10);
  menu->SetShadow(1, 3.0f, 3.0f, 0.4f);
  EXPECT_EQ(menu->AddPair(u"Yes", u"No", 20, u""), 0);
  auto yes = menu->FindButton(u"yes");
  auto no = menu->FindButton(u"NO");
  ASSERT_TRUE(yes);
  ASSERT_TRUE(no);
  EXPECT_EQ(yes->x, 360);  // still centred on its own
  EXPECT_EQ(no->x, 360 + 80 + 20);
  EXPECT_EQ(yes->y, 50);
  EXPECT_EQ(no->y, 50);
  EXPECT_NE(yes->ImageMouseOver, yes->image);
  EXPECT_EQ(no->ImageMouseOver, no->image);  // "NoMO" is missing
  EXPECT_EQ(no->Shadow, 1);
  EXPECT_EQ(menu->h, 30);
  EXPECT_EQ(menu->NextY, 90);
  EXPECT_FALSE(menu->SoundMouseOver);

  menu->AddPair(u"b40", u"b60", 0, u"q");
  EXPECT_TRUE(menu->FindButton(u"QB40"));
  EXPECT_TRUE(menu->FindButton(u"qb60"));
  EXPECT_EQ(menu->NextY, 90 + 60 + 10);  // the taller sets the height
  EXPECT_FALSE(menu->FindButton(u"b40"));
}

TEST_F(MenuTest, ClickedAnswersOncePerManageAndMouseOverEveryTime) {
  auto menu = TMenu::Create(u"buttonMO", u"buttonclick", 0, 100, 10);
  auto play = menu->AddQuick(u"play", u"");
  EXPECT_EQ(play->name, u"PLAY");
  EXPECT_NE(play->ImageMouseOver, play->image);
  PointerAt(static_cast<int>(play->x) + 5, 105);
  Press();
  EXPECT_EQ(menu->Manage(0, 0), 1);
  EXPECT_EQ(menu->Clicked(u"Play"), 1);
  EXPECT_EQ(menu->Clicked(u"PLAY"), 0);
  EXPECT_EQ(menu->MouseOver(u"play"), 1);
  EXPECT_EQ(menu->MouseOver(u"PLAY"), 1);
  EXPECT_EQ(menu->Clicked(u"nothing"), 0);
  EXPECT_EQ(channels->Count(u"BUTTONCLICK"), 1);
  EXPECT_EQ(channels->Count(u"BUTTONMO"), 1);

  NewTick();
  menu->Manage(0, 0);
  EXPECT_EQ(menu->Clicked(u"play"), 0);
}

TEST_F(MenuTest, EmptyNamesNeverAnswer) {
  auto menu = TMenu::Create(u"", u"", 0, 100, 10);
  menu->AddQuick(u"play", u"");
  PointerAt(0, 0);
  menu->Manage(0, 0);
  EXPECT_TRUE(menu->ClickedName.empty());
  EXPECT_EQ(menu->Clicked(u""), 0);
  EXPECT_EQ(menu->MouseOver(u""), 0);
  EXPECT_FALSE(menu->FindButton(u""));
}

TEST_F(MenuTest, GatesKeepTheNamesAndTakeNoInput) {
  auto menu = TMenu::Create(u"", u"buttonclick", 0, 100, 10);
  auto play = menu->AddQuick(u"play", u"");
  play->OKButton = 1;
  play->SetFixedGlowOnMO(1.0f, 0.25f, 0);
  PointerAt(static_cast<int>(play->x) + 5, 105);
  menu->Manage(0, 0);
  EXPECT_EQ(menu->MouseOverName, u"PLAY");
  EXPECT_EQ(play->Glow, 1.0f);

  // A running fade: only fixed glows move; presses stay, names stay.
  Game->GameFade->Active = 1;
  Press();
  EXPECT_EQ(menu->Manage(0, 0), 0);
  EXPECT_EQ(play->Glow, 0.75f);
  EXPECT_EQ(play->Clicked, 0);
  EXPECT_EQ(Game->Mouse->GetMh(0), 1);
  EXPECT_EQ(menu->MouseOverName, u"PLAY");
  Game->GameFade->Active = 0;

  menu->AcceptInput = 0;
  EXPECT_EQ(menu->Manage(0, 0), 0);
  EXPECT_EQ(play->Glow, 0.5f);
  menu->AcceptInput = 1;

  // The pointer off: nothing at all, not even the OK button's Enter.
  Game->Mouse->Active = 0;
  Keys[KEY_ENTER] = 1;
  EXPECT_EQ(menu->Manage(0, 0), 0);
  EXPECT_EQ(Keys[KEY_ENTER], 1);
  EXPECT_EQ(play->Glow, 0.5f);
  Game->Mouse->Active = 1;
  EXPECT_EQ(menu->Manage(0, 0), 1);
  EXPECT_EQ(menu->Clicked(u"play"), 1);
  EXPECT_EQ(Keys[KEY_ENTER], 0);
}

TEST_F(MenuTest, LaterOverlappingButtonIsTheOneNamed) {
  auto menu = TMenu::Create(u"", u"", 0, 100, 10);
  auto first = menu->DoAddNew(u"b40", u"", u"first", 0, 0, 1);
  auto second = menu->DoAddNew(u"b40", u"", u"second", 0, 0, 1);
  PointerAt(400, 110);
  menu->Manage(0, 0);
  EXPECT_EQ(first->MouseOver, 1);
  EXPECT_EQ(second->MouseOver, 1);
  EXPECT_EQ(menu->MouseOverName, u"SECOND");
  // The offset passed to Manage shifts every hit area.
  menu->Manage(0, 100);
  EXPECT_TRUE(menu->MouseOverName.empty());
  EXPECT_EQ(first->offy, 100);
}

TEST_F(MenuTest, EmptyMenuMeasuresAsTheSentinels) {
  auto menu = TMenu::Create(u"", u"", 0, 0, 0);
  EXPECT_EQ(menu->Manage(0, 0), 1);
  EXPECT_EQ(menu->CalcWidth(), -20000);
  EXPECT_EQ(menu->CalcHeight(), -20000);
  menu->CalcLeft();
  menu->CalcTop();
  EXPECT_EQ(menu->x, 10000.0f);
  EXPECT_EQ(menu->y, 10000.0f);
}

TEST_F(MenuTest, BlockLayoutMovesEveryButton) {
  auto menu = TMenu::Create(u"", u"", 0, 0, 0);
  auto a = menu->DoAddNew(u"b50", u"", u"a", 0, 0, 1);
  auto b = menu->DoAddNew(u"b50", u"", u"b", 0, 0, 1);
  a->MoveTo(100, 20);
  b->MoveTo(200, 80);
  EXPECT_EQ(menu->CalcWidth(), 200);
  EXPECT_EQ(menu->CalcHeight(), 110);
  menu->CentreHoriz();
  EXPECT_EQ(a->x, 300);
  EXPECT_EQ(b->x, 400);
  EXPECT_EQ(menu->x, 300);
  menu->CentreVert();
  EXPECT_EQ(a->y, 245);  // (600 - 110) / 2
  EXPECT_EQ(b->y, 305);

  menu->MakeRow(10);  // left edges at the running totals 110, 220, then centred
  EXPECT_EQ(b->x - a->x, 110);
  EXPECT_EQ(a->x, 295);  // (800 - 210) / 2
  EXPECT_EQ(a->y, b->y);

  menu->SetPairX(u"a", u"b", 10);
  EXPECT_EQ(a->x, 10);
  EXPECT_EQ(b->x, 120);
}

TEST_F(MenuTest, StatesClearAndShadowsReset) {
  auto menu = Stack();
  for (const TButtonPtr& b : *menu) {
    b->Clicked = 1;
    b->MouseOver = 1;
    b->ScaleOnMO = 1.5f;
    b->Glow = 0.5f;
    b->MouseClickCounter = 3;
  }
  menu->ClearStates();
  for (const TButtonPtr& b : *menu) {
    EXPECT_EQ(b->Clicked, 0);
    EXPECT_EQ(b->MouseOver, 0);
    EXPECT_EQ(b->ScaleOnMO, 1.0f);
    EXPECT_EQ(b->Glow, 0.0f);
    EXPECT_EQ(b->MouseClickCounter, 0.0f);
  }
  menu->ChangeShadow(1, 2.0f, 4.0f, 0.3f);
  EXPECT_EQ(menu->Items()[2]->ShadowY, 4.0f);
  EXPECT_EQ(menu->ShadowAlpha, 0.3f);
  menu->SetAlpha(0.25f);
  EXPECT_EQ(menu->Items()[0]->Alpha, 0.25f);
}

TEST_F(MenuTest, AddQuickAutoTakesOptionalPicturesWhenPresent) {
  Picture("menus", "play_down", 100, 40, kBlue);
  auto menu = TMenu::Create(u"", u"", 0, 0, 0);
  auto play = menu->AddQuickAuto(u"play", u"go");
  EXPECT_EQ(play->name, u"GO");
  EXPECT_TRUE(play->ImageMouseClick);
  EXPECT_EQ(play->MouseClickDuration, 40.0f);
  EXPECT_FALSE(play->ImageDisabled);
}

TEST_F(MenuTest, InitEmptiesWithoutKillingAndKeepsSoundsForEmptyNames) {
  auto menu = Stack();
  auto keep = menu->First();
  auto click = menu->SoundClick;
  menu->Init(u"", u"", 0, 40, 5);
  EXPECT_EQ(menu->Count(), 0);
  EXPECT_EQ(menu->SoundClick, click);
  EXPECT_EQ(menu->NextY, 40);
  EXPECT_EQ(menu->h, 0);
  EXPECT_EQ(keep->name, u"B40");
  menu->AddNew(u"b40", u"", u"", 0, 0, 1);
  menu->Kill();
  EXPECT_EQ(menu->Count(), 0);
}

}  // namespace
