// The dialog base and the OK and yes/no boxes: layout, the one-shot result protocol, the
// closing and opening slides, the escape flag, and every key and click that closes a box.
#include <functional>
#include <vector>

#include "UiFixture.h"
#include "core/Input.h"
#include "gfx/TAnimation.h"
#include "platform/Font.h"
#include "text/TLabel.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogYesNo.h"
#include "ui/TMenu.h"

using namespace uitest;

namespace {

class DialogTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Sound("buttonMO");
    Sound("buttonclick");
    for (const char* name : {"OK", "Yes", "No"}) {
      Picture("menus", name, 100, 40, kRed);
      Picture("menus", std::string(name) + "MO", 100, 40, kGreen);
    }
    Picture("menus", "one", 80, 30, kRed);
    platform::SetImageFont(nullptr);
  }

  static TButtonPtr Button(const TDialog& d, const char16_t* name) { return d.Menu->FindButton(name); }
};

const String kCaption = u"a caption of several words to wrap at will";

TEST_F(DialogTest, BoxesAreSizedToCaptionAndButtonsOrToTheirPicture) {
  const int tw = platform::TextWidth(kCaption);
  const int th = platform::TextHeight(kCaption);

  auto ok = TDialogOK::Create(kCaption, nullptr, 0, 0, 0, u"");
  ok->Start();
  EXPECT_EQ(ok->w, tw + 40);
  EXPECT_EQ(ok->h, th + 40 + 90);  // caption + buttons + 2 borders + gap
  EXPECT_EQ(ok->x, (800 - ok->w) / 2);
  EXPECT_EQ(ok->y, (600 - ok->h) / 2);  // settled by Start
  EXPECT_EQ(ok->Caption->X, ok->x + ok->w / 2);
  EXPECT_EQ(ok->Caption->Y, ok->y + 20);
  EXPECT_EQ(ok->Caption->WordWrap, 0);
  const TButtonPtr button = Button(*ok, u"OK");
  EXPECT_EQ(button->x, ok->x + (ok->w - 100) / 2);
  EXPECT_EQ(button->y, ok->y + ok->h - 40 - 20);
  EXPECT_EQ(button->OKButton, 1);

  // A fixed width wraps the caption inside the borders and centres it vertically.
  auto fixed = TDialogYesNo::Create(kCaption, nullptr, 200, 0, 0, 1, 50, u"");
  fixed->Start();
  EXPECT_EQ(fixed->w, 200);
  EXPECT_EQ(fixed->Caption->WordWrap, 160);
  EXPECT_GT(fixed->Caption->TotalLines, 1);
  EXPECT_EQ(fixed->h, static_cast<int>(fixed->Caption->H) + 40 + 90);
  EXPECT_FLOAT_EQ(fixed->Caption->Y, fixed->y + fixed->h / 2 - fixed->Caption->H / 2);
  EXPECT_EQ(Button(*fixed, u"Yes")->OKButton, 1);
  EXPECT_EQ(Button(*fixed, u"No")->x, Button(*fixed, u"Yes")->x + 100 + 50);

  // A background picture overrides both sizes given.
  Picture("images", "panel", 450, 340, kBlue);
  auto pictured = TDialogOK::Create(kCaption, platform::LoadImage(S(dir + "/images/panel.png")), 100, 100, 0, u"");
  pictured->Start();
  EXPECT_EQ(pictured->w, 450);
  EXPECT_EQ(pictured->h, 340);
  EXPECT_EQ(pictured->x, 175);
  EXPECT_EQ(pictured->y, 130);

  // One picture for both answers: the same picture, ButtonGap apart.
  auto one = TDialogYesNo::Create(kCaption, nullptr, 0, 0, 0, 1, 30, u"one");
  EXPECT_EQ(Button(*one, u"No")->x, Button(*one, u"Yes")->x + 80 + 30);
  EXPECT_EQ(Button(*one, u"No")->image->name, Button(*one, u"Yes")->image->name);
}

TEST_F(DialogTest, TheResultComesOnceInTheClosingTickAndTheEscapeFlagComesBack) {
  for (int before : {0, 1}) {
    Game->IgnoreEscapeKey = before;
    auto plain = TDialogOK::Create(kCaption, nullptr, 0, 0, 0, u"");
    plain->Start();
    EXPECT_EQ(Game->IgnoreEscapeKey, 1);
    EXPECT_EQ(plain->Manage(), 0);
    EXPECT_EQ(plain->Close(1), 1);
    EXPECT_EQ(plain->Active, 0);
    EXPECT_EQ(plain->Manage(), 0);
    EXPECT_EQ(Game->IgnoreEscapeKey, before);

    auto sliding = TDialogYesNo::Create(kCaption, nullptr, 0, 0, 0, 1, 50, u"");
    sliding->SetTransitions(0, 500, 0.0f, 0, 3, 0);
    sliding->Start();
    EXPECT_EQ(sliding->Close(-1), 0);
    EXPECT_EQ(sliding->Transitioning, 2);
    std::vector<int> results;
    for (int tick = 1; tick <= 105; ++tick) results.push_back(sliding->Manage());
    for (int tick = 1; tick <= 105; ++tick) {
      EXPECT_EQ(results[static_cast<size_t>(tick - 1)], tick == 100 ? -1 : 0) << "tick " << tick;
    }
    EXPECT_EQ(Game->IgnoreEscapeKey, before);
  }

  // Killed while open: the flag is given back as closing would.
  Game->IgnoreEscapeKey = 0;
  auto dropped = TDialogOK::Create(kCaption, nullptr, 0, 0, 0, u"");
  dropped->Start();
  dropped->Kill();
  EXPECT_EQ(Game->IgnoreEscapeKey, 0);
  EXPECT_EQ(dropped->Manage(), 0);
  EXPECT_EQ(dropped->Draw(), 0);
  dropped->SetAlphas(0.5f);  // no menu left: nothing to touch
}

TEST_F(DialogTest, OpeningSlideStartsBeyondItsEdgeEndsInPlaceAndTakesNoInputMeanwhile) {
  platform::SeedRnd(7);
  for (int side = 1; side <= 5; ++side) {
    auto d = TDialogOK::Create(kCaption, nullptr, 0, 0, 0, u"");
    d->SetTransitions(500, 0, 0.0f, 0, side, 0);
    d->Start();
    ASSERT_GE(d->Slide, 1);
    ASSERT_LE(d->Slide, 4);
    if (side < 5) {
      EXPECT_EQ(d->Slide, side);
    }
    switch (d->Slide) {
      case 1: EXPECT_FLOAT_EQ(d->y + d->OffsetY + d->h, 0.0f); break;
      case 2: EXPECT_FLOAT_EQ(d->x + d->OffsetX, 800.0f); break;
      case 3: EXPECT_FLOAT_EQ(d->y + d->OffsetY, 600.0f); break;
      default: EXPECT_FLOAT_EQ(d->x + d->OffsetX + d->w, 0.0f); break;
    }
    const TButtonPtr ok = Button(*d, u"OK");
    PointerAt(static_cast<int>(ok->x) + 5, static_cast<int>(ok->y) + 5);
    for (int tick = 1; tick < 100; ++tick) {
      NewTick();
      Press();
      Key(KEY_ENTER, 13);
      EXPECT_EQ(d->Manage(), 0);
      EXPECT_EQ(ok->Clicked, 0);
    }
    EXPECT_EQ(d->Manage(), 0);  // the opening ends: input flushed
    EXPECT_EQ(d->Transitioning, 0);
    EXPECT_EQ(d->OffsetX, 0.0f);
    EXPECT_EQ(d->OffsetY, 0.0f);
    EXPECT_EQ(d->Caption->RoundCoords, 0);
    NewTick();
    Press();
    EXPECT_EQ(d->Manage(), 1);
    Release();
  }
}

TEST_F(DialogTest, KeysAndClicksCloseTheBoxesOnceWithTheButtonShownPressed) {
  struct Case {
    const char* what;
    bool yesNo;
    std::vector<int> keys;
    int expected;
    const char16_t* shown;
  };
  const std::vector<Case> cases = {
      {"OK Escape", false, {KEY_ESCAPE}, 1, u"OK"},
      {"OK Enter", false, {KEY_ENTER}, 1, u"OK"},
      {"OK Space", false, {KEY_SPACE}, 1, u"OK"},
      {"Escape", true, {KEY_ESCAPE}, -1, u"No"},
      {"N", true, {78}, -1, u"No"},
      {"N and Escape", true, {78, KEY_ESCAPE}, -1, u"No"},
      {"Y", true, {89}, 1, u"Yes"},
      {"Enter", true, {KEY_ENTER}, 1, u"Yes"},
      {"Space", true, {KEY_SPACE}, 1, u"Yes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    int yesCalls = 0, noCalls = 0;
    std::shared_ptr<TDialog> d;
    std::function<int()> manage;
    if (c.yesNo) {
      auto q = TDialogYesNo::Create(kCaption, nullptr, 0, 0, 0, 1, 50, u"");
      q->YesFunc = [&] { ++yesCalls; return 0; };
      q->NoFunc = [&] { ++noCalls; return 0; };
      manage = [q] { return q->Manage(); };
      d = q;
    } else {
      auto ok = TDialogOK::Create(kCaption, nullptr, 0, 0, 0, u"");
      manage = [ok] { return ok->Manage(); };
      d = ok;
    }
    d->Start();
    EXPECT_EQ(manage(), 0);
    channels->played.clear();
    for (int k : c.keys) Key(k);
    EXPECT_EQ(manage(), c.expected);
    EXPECT_EQ(Button(*d, c.shown)->MouseOver, 1);
    EXPECT_EQ(channels->Count(u"BUTTONCLICK"), 1);
    EXPECT_EQ(KeyHit(KEY_ESCAPE) + KeyHit(78) + KeyHit(KEY_ENTER), 0);  // flushed for the owner
    EXPECT_EQ(manage(), 0);
    EXPECT_EQ(yesCalls, c.expected == 1 && c.yesNo ? 1 : 0);
    EXPECT_EQ(noCalls, c.expected == -1 ? 1 : 0);
  }

  // A click anywhere, also outside the box, when asked for.
  auto anywhere = TDialogOK::Create(kCaption, nullptr, 0, 0, 0, u"");
  anywhere->ClickAnywhereCloses = 1;
  anywhere->Start();
  PointerAt(3, 3);
  NewTick();
  Press();
  EXPECT_EQ(anywhere->Manage(), 1);
  EXPECT_EQ(Game->Mouse->GetMh(0), 0);

  // The buttons themselves.
  auto q = TDialogYesNo::Create(kCaption, nullptr, 0, 0, 0, 1, 50, u"");
  q->Start();
  const TButtonPtr no = Button(*q, u"No");
  PointerAt(static_cast<int>(no->x) + 3, static_cast<int>(no->y) + 3);
  NewTick();
  Press();
  EXPECT_EQ(q->Manage(), -1);
}

}  // namespace
