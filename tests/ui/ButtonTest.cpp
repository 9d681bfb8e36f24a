// The image button: loading and fallbacks, hit test, clicks and their refusal, keyboard OK
// buttons, hover growth, mouse repeat, and which picture a state draws.
#include "support/UiFixture.h"
#include "core/Input.h"
#include "gfx/TBox.h"
#include "text/TLabel.h"
#include "ui/TButton.h"

using namespace uitest;

namespace {

class ButtonTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Picture("images", "ok", 100, 40, kRed);
    Picture("images", "okMO", 100, 40, kGreen);
    Picture("images", "ok_down", 100, 40, kBlue);
    Picture("images", "ok_disabled", 100, 40, kGrey);
    Sound("over");
    Sound("press");
    Sound("press2");
  }

  // A button of 100 by 40 at (100, 200) with both sounds.
  TButtonPtr Make(const String& mo = u"okMO") {
    auto button = std::make_shared<TButton>();
    button->Load(u"ok", mo, u"over", u"press", 0, 0, 1);
    button->MoveTo(100, 200);
    return button;
  }
};

TEST_F(ButtonTest, LoadNamesTheButtonAndFallsBackToTheNormalPictureForMouseOver) {
  auto button = Make();
  EXPECT_EQ(button->name, u"OK");
  EXPECT_EQ(button->w, 100);
  EXPECT_EQ(button->h, 40);
  ASSERT_TRUE(button->ImageMouseOver);
  EXPECT_NE(button->ImageMouseOver, button->image);
  EXPECT_EQ(button->Active, 1);
  EXPECT_EQ(button->ClickDisabled, 1);
  EXPECT_EQ(button->OKButtonUseSpace, 1);

  auto missing = Make(u"nosuchpicture");
  EXPECT_EQ(missing->ImageMouseOver, missing->image);  // the same object, not an error
  auto none = Make(u"");
  EXPECT_FALSE(none->ImageMouseOver);
  // Handles stay at the top-left corner even while every load is centred.
  platform::AutoMidHandle(true);
  auto centredLoad = Make();
  EXPECT_EQ(centredLoad->image->image->handleX, 0.0f);
  EXPECT_EQ(centredLoad->ImageMouseOver->image->handleY, 0.0f);
}

TEST_F(ButtonTest, MissingNormalPictureOrSoundIsFatal) {
  auto button = std::make_shared<TButton>();
  EXPECT_THROW(button->Load(u"absent", u"", u"", u"", 0, 0, 1), platform::ProgramExit);
  EXPECT_THROW(button->Load(u"ok", u"okMO", u"nosound", u"", 0, 0, 1), platform::ProgramExit);
  EXPECT_THROW(button->LoadMouseClick(u"nothing", 200), platform::ProgramExit);
}

TEST_F(ButtonTest, MenuPathIsUsedOnlyWhenAsked) {
  Picture("menus", "menuonly", 30, 30, kRed);
  auto button = std::make_shared<TButton>();
  button->UseMenuPath = 1;
  button->Load(u"menuonly", u"", u"", u"", 0, 0, 1);
  EXPECT_EQ(button->w, 30);
  auto other = std::make_shared<TButton>();
  EXPECT_THROW(other->Load(u"menuonly", u"", u"", u"", 0, 0, 1), platform::ProgramExit);
}

TEST_F(ButtonTest, HitEdgeIsHalfOpenAndFollowsTheDrawOffset) {
  auto button = Make();
  struct Case {
    int x, y, over;
  };
  for (const Case c : {Case{100, 200, 1}, Case{199, 239, 1}, Case{200, 220, 0}, Case{150, 240, 0},
                       Case{99, 220, 0}, Case{150, 199, 0}}) {
    PointerAt(c.x, c.y);
    button->Manage();
    EXPECT_EQ(button->MouseOver, c.over) << c.x << "," << c.y;
  }
  button->offx = 50;
  PointerAt(249, 239);
  button->Manage();
  EXPECT_EQ(button->MouseOver, 1);
  PointerAt(120, 220);
  button->Manage();
  EXPECT_EQ(button->MouseOver, 0);
}

TEST_F(ButtonTest, BoundingBoxIgnoresTheOffsetAndMovesWithTheButton) {
  auto button = Make();
  button->SetBoundingBoxAuto(0.5f, 0.5f);
  ASSERT_TRUE(button->BoundingBox);
  EXPECT_EQ(button->BoundingBox->X, 125);
  EXPECT_EQ(button->BoundingBox->Y, 210);
  EXPECT_EQ(button->BoundingBox->W, 50);
  EXPECT_EQ(button->BoundingBox->H, 20);
  button->offx = 300;  // a menu's draw offset does not move the box
  PointerAt(125, 210);
  button->Manage();
  EXPECT_EQ(button->MouseOver, 1);
  PointerAt(124, 210);
  button->Manage();
  EXPECT_EQ(button->MouseOver, 0);

  button->SetupCaption(u"Go", nullptr, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(button->Caption->X, 150);
  EXPECT_EQ(button->Caption->Y, 220);
  button->CentreX(10);
  EXPECT_EQ(button->x, 350);  // (800 - 100) / 2
  EXPECT_EQ(button->BoundingBox->X, 375);
  EXPECT_EQ(button->BoundingBox->Y, 20);
  EXPECT_EQ(button->Caption->X, 400);
  EXPECT_EQ(button->Caption->Y, 30);

  button->SetBoundingBox(10, 20, 30, 50, 1);
  EXPECT_EQ(button->BoundingBox->W, 20);
  EXPECT_EQ(button->BoundingBox->H, 30);
}

TEST_F(ButtonTest, CentreXUsesIntegerHalves) {
  Picture("images", "odd", 101, 10, kRed);
  auto button = TButton::CreateSpecial(u"odd", u"", u"", u"");
  button->CentreX(77);
  EXPECT_EQ(button->x, 349);
  EXPECT_EQ(button->y, 77);
}

TEST_F(ButtonTest, PressClicksOnceConsumesThePressAndPlaysSounds) {
  auto button = Make();
  PointerAt(150, 220);
  button->Manage();
  EXPECT_EQ(channels->Count(u"OVER"), 1);
  button->Manage();
  EXPECT_EQ(channels->Count(u"OVER"), 1);  // only on entering

  NewTick();
  Press();
  button->Manage();
  EXPECT_EQ(button->Clicked, 1);
  EXPECT_EQ(Game->Mouse->GetMh(0), 0);  // consumed for widgets managed later
  EXPECT_EQ(channels->Count(u"PRESS"), 1);

  NewTick();
  button->Manage();
  EXPECT_EQ(button->Clicked, 0);  // one tick only

  // A button elsewhere leaves the press for others.
  NewTick();
  PointerAt(10, 10);
  Press();
  button->Manage();
  EXPECT_EQ(button->Clicked, 0);
  EXPECT_EQ(Game->Mouse->GetMh(0), 1);
}

TEST_F(ButtonTest, ClickPictureRefusesPressesUntilItIsGone) {
  auto button = Make();
  button->LoadMouseClick(u"ok_down", 200);
  EXPECT_EQ(button->MouseClickDuration, 40.0f);
  PointerAt(150, 220);
  Press();
  button->Manage();
  ASSERT_EQ(button->Clicked, 1);
  EXPECT_EQ(button->MouseClickCounter, 39.0f);  // the click's own tick counts
  EXPECT_EQ(channels->Count(u"PRESS"), 1);
  for (int tick = 1; tick < 40; ++tick) {
    NewTick();
    Press();
    button->Manage();
    ASSERT_EQ(button->Clicked, 0) << tick;  // a refused press is never reported as a click
  }
  EXPECT_EQ(channels->Count(u"PRESS"), 1);
  EXPECT_EQ(button->MouseClickCounter, 0.0f);
  NewTick();
  Press();
  button->Manage();
  EXPECT_EQ(button->Clicked, 1);
  EXPECT_EQ(channels->Count(u"PRESS"), 2);
}

TEST_F(ButtonTest, ClickWhenDownAcceptsDuringThePictureWithoutASecondSound) {
  auto button = Make();
  button->LoadMouseClick(u"ok_down", 200);
  button->ClickWhenDown = 1;
  PointerAt(150, 220);
  Press();
  button->Manage();
  NewTick();
  Press();
  button->Manage();
  EXPECT_EQ(button->Clicked, 1);
  EXPECT_EQ(channels->Count(u"PRESS"), 1);  // Clicked was still 1
  EXPECT_EQ(button->MouseClickCounter, 39.0f);  // restarted, then counted down
}

TEST_F(ButtonTest, DisabledButtonsRespondOnlyWithClickDisabled) {
  auto button = Make();
  button->LoadDisabled(u"ok_disabled");
  button->Disabled = 1;
  PointerAt(150, 220);
  Press();
  button->Manage();
  EXPECT_EQ(button->MouseOver, 1);
  EXPECT_EQ(button->Clicked, 1);

  button->ClickDisabled = 0;
  NewTick();
  Press();
  button->Manage();
  EXPECT_EQ(button->MouseOver, 0);
  EXPECT_EQ(button->Clicked, 0);
  EXPECT_EQ(Game->Mouse->GetMh(0), 1);
}

TEST_F(ButtonTest, EnterReachesOnlyTheFirstOkButtonAndLeavesSpaceForOthers) {
  auto first = Make();
  auto second = Make();
  first->OKButton = 1;
  second->OKButton = 1;
  PointerAt(0, 0);
  Keys[KEY_ENTER] = 1;
  Keys[KEY_SPACE] = 1;
  first->Manage();
  EXPECT_EQ(first->Clicked, 1);
  EXPECT_EQ(first->MouseOver, 1);  // a keyboard click reads as hovered for that tick
  EXPECT_EQ(Keys[KEY_SPACE], 1);  // not read in a tick with Enter
  second->Manage();
  EXPECT_EQ(second->Clicked, 1);  // by the Space press left over
  EXPECT_EQ(Keys[KEY_SPACE], 0);
  EXPECT_EQ(channels->Count(u"PRESS"), 2);

  first->Manage();  // the next tick, pointer elsewhere
  EXPECT_EQ(first->MouseOver, 0);
  EXPECT_EQ(first->Clicked, 0);
}

TEST_F(ButtonTest, SpaceIsConsumedButIgnoredWithoutOkButtonUseSpace) {
  auto button = Make();
  button->OKButton = 1;
  button->OKButtonUseSpace = 0;
  Keys[KEY_SPACE] = 1;
  button->Manage();
  EXPECT_EQ(button->Clicked, 0);
  EXPECT_EQ(Keys[KEY_SPACE], 0);
}

TEST_F(ButtonTest, InactiveButtonTakesNothingAndDrawsOnlyWithAlwaysDraw) {
  OpenDisplay();
  auto button = Make();
  button->OKButton = 1;
  button->Active = 0;
  PointerAt(150, 220);
  Press();
  Keys[KEY_ENTER] = 1;
  button->Manage();
  EXPECT_EQ(button->MouseOver, 0);
  EXPECT_EQ(button->Clicked, 0);
  EXPECT_EQ(Keys[KEY_ENTER], 1);
  EXPECT_EQ(Game->Mouse->GetMh(0), 1);
  EXPECT_EQ(button->Draw(), 0);
  EXPECT_PIXEL_NEAR(PixelAt(150, 220), kBlack);
  button->AlwaysDraw = 1;
  EXPECT_EQ(button->Draw(), 1);
  EXPECT_PIXEL_NEAR(PixelAt(150, 220), kRed);
}

TEST_F(ButtonTest, HoverGrowthStopsAtTheMaximumAndShrinksToExactlyOne) {
  auto button = Make();
  button->SetupScaleOnMO(1.1f, 0.03f, 0.01f);
  PointerAt(150, 220);
  for (int i = 0; i < 10; ++i) button->Manage();
  EXPECT_EQ(button->ScaleOnMO, 1.1f);
  button->Active = 0;  // shrinking goes on while the button does not respond
  for (int i = 0; i < 30; ++i) button->Manage();
  EXPECT_EQ(button->ScaleOnMO, 1.0f);
  Delta = 0.5f;
  button->Active = 1;
  button->Manage();
  EXPECT_FLOAT_EQ(button->ScaleOnMO, 1.015f);
}

TEST_F(ButtonTest, MouseRepeatClicksOnPressAndRepeatsWithoutConsumingPresses) {
  auto button = Make();
  button->SoundClick2 = TGameSound::Create(Game->SoundPath + u"press2.wav", 0);
  button->SetupMouseRepeat(100, 50);  // 20 ticks, then every 10
  PointerAt(150, 220);
  Press();
  button->Manage();
  EXPECT_EQ(button->Clicked, 1);
  EXPECT_EQ(Game->Mouse->GetMh(0), 1);  // left for other widgets
  EXPECT_EQ(channels->Count(u"PRESS"), 1);
  int clicks = 0;
  for (int tick = 0; tick < 40; ++tick) {
    NewTick();
    button->Manage();
    clicks += button->Clicked;
  }
  EXPECT_EQ(clicks, 3);  // ticks 20, 30, 40
  EXPECT_EQ(channels->Count(u"PRESS2"), 3);  // every repeat with the second sound
  Release();
  NewTick();
  button->Manage();
  EXPECT_EQ(button->Clicked, 0);
}

TEST_F(ButtonTest, ManageNoSoundIsSilentAndFixedGlowHoldsWhileHovered) {
  auto button = Make();
  button->SetFixedGlowOnMO(0.8f, 0.1f, 1);
  PointerAt(150, 220);
  button->ManageNoSound();
  EXPECT_EQ(button->MouseOver, 1);
  EXPECT_TRUE(channels->played.empty());
  EXPECT_EQ(button->GlowMode, 2);
  EXPECT_FLOAT_EQ(button->Glow, 0.8f);
  PointerAt(0, 0);
  button->Manage();
  EXPECT_NEAR(button->Glow, 0.7f, 1e-5);
  button->Active = 0;  // a fixed glow keeps fading while the button does not respond
  button->Manage();
  EXPECT_NEAR(button->Glow, 0.6f, 1e-5);
}

TEST_F(ButtonTest, WithoutAChannelPoolSoundsUseTheButtonsOwnChannels) {
  Game->Channels.reset();
  auto button = Make();
  EXPECT_TRUE(button->ChannelClick);
  EXPECT_TRUE(button->ChannelMouseOver);
  PointerAt(150, 220);
  Press();
  button->Manage();
  EXPECT_EQ(button->Clicked, 1);
  button->Kill();
  EXPECT_FALSE(button->ChannelClick);
}

TEST_F(ButtonTest, EachStateDrawsItsPicture) {
  OpenDisplay();
  auto button = Make();
  button->LoadMouseClick(u"ok_down", 200);
  button->LoadDisabled(u"ok_disabled");
  auto drawn = [&] {
    platform::Cls();
    EXPECT_EQ(button->Draw(), 1);
    return PixelAt(150, 220);
  };
  EXPECT_PIXEL_NEAR(drawn(), kRed);
  PointerAt(150, 220);
  button->Manage();
  EXPECT_PIXEL_NEAR(drawn(), kGreen);
  Press();
  button->Manage();
  EXPECT_PIXEL_NEAR(drawn(), kBlue);
  button->ClearClick();
  PointerAt(0, 0);
  button->Manage();
  button->Disabled = 1;
  EXPECT_PIXEL_NEAR(drawn(), kGrey);
  // The draw offset moves the picture, not the button.
  button->Disabled = 0;
  button->offx = 200;
  platform::Cls();
  button->Draw();
  EXPECT_PIXEL_NEAR(PixelAt(350, 220), kRed);
  EXPECT_PIXEL_NEAR(PixelAt(150, 220), kBlack);
  EXPECT_EQ(button->x, 100);
}

TEST_F(ButtonTest, HoverScaleGrowsAboutTheCentreAndDrawingStateIsRestored) {
  OpenDisplay();
  auto button = Make();
  button->ScaleOnMO = 1.2f;  // 120 by 48, about (150, 220)
  button->ScaleX = 0.5f;
  platform::Cls();
  button->Draw();
  EXPECT_PIXEL_NEAR(PixelAt(91, 197), kRed);
  EXPECT_PIXEL_NEAR(PixelAt(88, 220), kBlack);
  EXPECT_PIXEL_NEAR(PixelAt(208, 243), kRed);
  EXPECT_PIXEL_NEAR(PixelAt(212, 220), kBlack);
  EXPECT_EQ(button->ScaleX, 0.5f);
  float sx = 0, sy = 0;
  platform::GetScale(sx, sy);
  EXPECT_EQ(sx, 1.0f);
  EXPECT_EQ(sy, 1.0f);
  EXPECT_EQ(platform::GetAlpha(), 1.0f);
}

TEST_F(ButtonTest, ShadowIsDrawnUnderThePicture) {
  OpenDisplay();
  platform::SetClsColor(255, 255, 255);
  auto button = Make();
  button->SetShadow(1, 3.0f, 3.0f, 1.0f);
  platform::Cls();
  button->Draw();
  EXPECT_PIXEL_NEAR(PixelAt(201, 241), kBlack);
  EXPECT_PIXEL_NEAR(PixelAt(199, 239), kRed);
}

}  // namespace
