// Keyboard and mouse state as the event pump fills it, and the auto-repeat classes.
#include "CoreFixture.h"
#include "core/TKeyRepeat.h"
#include "core/TMouseRepeat.h"

using namespace coretest;

namespace {

using InputTest = CoreTest;

TEST_F(InputTest, TwoPressesInOneTickLeaveOnlyTheLast) {
  StartScreen();
  Post(platform::EVENT_MOUSEDOWN, 1);
  Post(platform::EVENT_MOUSEUP, 1);
  Post(platform::EVENT_MOUSEDOWN, 2);
  Game->DoPeekEvent();
  const TMousePointer& m = *Game->Mouse;
  EXPECT_EQ(m.h1, 0);
  EXPECT_EQ(m.h2, 1);
  EXPECT_EQ(m.mh, 1);
  EXPECT_EQ(m.b1, 0);
  EXPECT_EQ(m.b2, 1);
  EXPECT_EQ(m.mb, 1);
}

TEST_F(InputTest, PressWhileAnotherButtonIsHeld) {
  Post(platform::EVENT_MOUSEDOWN, 2);
  Game->DoPeekEvent();
  Game->Mouse->ClearMouseHit();
  Post(platform::EVENT_MOUSEDOWN, 1);
  Post(platform::EVENT_MOUSEDOWN, 7);  // not a button of ours: only clears the count
  Game->DoPeekEvent();
  EXPECT_EQ(Game->Mouse->mb, 2);
  EXPECT_EQ(Game->Mouse->mh, 0);
}

TEST_F(InputTest, ClickIsVisibleForOneTickOnly) {
  auto screen = StartScreen();
  Post(platform::EVENT_MOUSEDOWN, 1);
  Tick();
  Tick();
  EXPECT_EQ(screen->clicksSeen, (std::vector<int>{1, 0}));
  EXPECT_EQ(Game->Mouse->b1, 1);
  EXPECT_EQ(Game->Mouse->GetMh(0), 0);
}

TEST_F(InputTest, GetMhConsumes) {
  Post(platform::EVENT_MOUSEDOWN, 3);
  Game->DoPeekEvent();
  EXPECT_EQ(Game->Mouse->GetMh(0), 1);
  EXPECT_EQ(Game->Mouse->GetMh(1), 1);
  EXPECT_EQ(Game->Mouse->GetMh(0), 0);
}

TEST_F(InputTest, WheelAndMoveAndKeys) {
  Post(platform::EVENT_MOUSEWHEEL, 2);
  Post(platform::EVENT_MOUSEWHEEL, -5);
  Post(platform::EVENT_MOUSEMOVE, 0, 123, 456);
  Post(platform::EVENT_KEYDOWN, 300);  // out of range: ignored
  Post(platform::EVENT_KEYDOWN, 65);
  Game->DoPeekEvent();
  EXPECT_EQ(Game->Mouse->z, -3);
  EXPECT_EQ(Game->Mouse->x, 123);
  EXPECT_EQ(Game->Mouse->y, 456);
  EXPECT_EQ(KeyDown(65), 1);
  Post(platform::EVENT_KEYUP, 65);
  Game->DoPeekEvent();
  EXPECT_EQ(KeyDown(65), 0);
  EXPECT_EQ(KeyHit(65), 1);
  EXPECT_EQ(KeyDown(-1), 0);
  EXPECT_EQ(KeyHit(-1), 0);
}

TEST_F(InputTest, KeyPressedTwiceIsOneHitAndIgnoredByThePressedQueries) {
  Post(platform::EVENT_KEYDOWN, 70);
  Post(platform::EVENT_KEYDOWN, 70);
  Game->DoPeekEvent();
  EXPECT_EQ(Keys[70], 2);
  EXPECT_EQ(AnyKeyPressed(), 0);
  EXPECT_EQ(KeyPressed(), -1);
  EXPECT_EQ(KeyHit(70), 1);
  EXPECT_EQ(KeyHit(70), 0);
}

TEST_F(InputTest, KeyPressedGivesTheLowestCodeAndClearsNothing) {
  EXPECT_EQ(KeyPressed(), -1);
  Keys[70] = 1;
  Keys[65] = 1;
  EXPECT_EQ(KeyPressed(), 65);
  EXPECT_EQ(AnyKeyPressed(), 1);
  EXPECT_EQ(Keys[65], 1);
  EXPECT_EQ(ccAnyKeyPressed(), 1);  // consumes the first hit key only
  EXPECT_EQ(Keys[65], 0);
  EXPECT_EQ(Keys[70], 1);
}

TEST_F(InputTest, CharacterRingKeepsTheFirst256AndDropsTheRest) {
  EXPECT_EQ(GetChar(), 0);
  EXPECT_EQ(charGet, 0);
  for (int i = 0; i < 257; ++i) Post(platform::EVENT_KEYCHAR, 1000 + i);
  Game->DoPeekEvent();
  EXPECT_EQ(charPut, 256);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(GetChar(), 1000 + i);
  EXPECT_EQ(GetChar(), 0);
  // The ring is reusable once read, across the wrap of its slots.
  for (int i = 0; i < 10; ++i) Post(platform::EVENT_KEYCHAR, 'a' + i);
  Game->DoPeekEvent();
  for (int i = 0; i < 10; ++i) ASSERT_EQ(GetChar(), 'a' + i);
}

TEST_F(InputTest, FlushKeysEmptiesEverything) {
  Keys[13] = 1;
  KeyStates[13] = 1;
  Post(platform::EVENT_KEYCHAR, 'x');
  Game->DoPeekEvent();
  Game->Mouse->b1 = Game->Mouse->h1 = 1;
  Game->Mouse->CalcButtonTotals();
  ccFlushAll();
  EXPECT_EQ(Keys[13], 0);
  EXPECT_EQ(KeyStates[13], 0);
  EXPECT_EQ(charPut, 0);
  EXPECT_EQ(charGet, 0);
  EXPECT_EQ(GetChar(), 0);
  EXPECT_EQ(Game->Mouse->mb, 0);
  EXPECT_EQ(Game->Mouse->mh, 0);
}

TEST_F(InputTest, ControlAndShiftEitherSide) {
  KeyStates[163] = 1;
  EXPECT_EQ(ccControlDown(), 1);
  EXPECT_EQ(ccShiftDown(), 0);
  KeyStates[160] = 1;
  EXPECT_EQ(ccShiftDown(), 1);
}

TEST_F(InputTest, KeyRepeatActsOnPressThenAfterTheDelayThenAtTheRate) {
  auto repeat = TKeyRepeat::Create(500, 100);
  KeyStates[40] = 1;
  std::vector<int> acts;
  Delta = 1.0f;
  for (int tick = 0; tick < 400; ++tick) {  // 2 s of 5 ms ticks
    if (repeat->GetKey(40)) acts.push_back(tick);
  }
  ASSERT_GE(acts.size(), 4u);
  EXPECT_EQ(acts[0], 0);
  EXPECT_EQ(acts[1], 100);  // 500 ms
  EXPECT_EQ(acts[2], 120);  // then every 100 ms
  EXPECT_EQ(acts[3], 140);
  EXPECT_EQ(acts.size(), 16u);
  KeyStates[40] = 0;
  EXPECT_EQ(repeat->GetKey(40), 0);
  EXPECT_EQ(repeat->LastState, 0);
  KeyStates[40] = 1;
  EXPECT_EQ(repeat->GetKey(40), 1);  // a new press acts at once
}

TEST_F(InputTest, MouseRepeatReportsPressThenRepeatsThenNothingAfterRelease) {
  auto repeat = TMouseRepeat::Create(100, 50);
  Game->Mouse->b1 = 1;
  Game->Mouse->CalcButtonTotals();
  std::vector<int> results;
  for (int tick = 0; tick < 32; ++tick) results.push_back(repeat->GetButton());
  EXPECT_EQ(results[0], 1);
  for (int tick = 1; tick < 20; ++tick) EXPECT_EQ(results[static_cast<size_t>(tick)], 0) << tick;
  EXPECT_EQ(results[20], 2);
  EXPECT_EQ(results[30], 2);
  Game->Mouse->ClearButtons();
  EXPECT_EQ(repeat->GetButton(), 0);
}

TEST_F(InputTest, FractionalStepsCountAsWholeTicksForTheRepeatRate) {
  auto repeat = TKeyRepeat::Create(0, 100);  // the repeat rate only
  KeyStates[40] = 1;
  Delta = 1.0f;
  repeat->GetKey(40);               // press
  EXPECT_EQ(repeat->GetKey(40), 0);  // initial delay of 0 already ran out
  repeat->InitialDelayCounter = 0;
  repeat->DelayCounter = 3;
  Delta = 0.3f;
  EXPECT_EQ(repeat->GetKey(40), 0);  // 3 - 0.3 -> 2
  EXPECT_EQ(repeat->DelayCounter, 2);
}

TEST_F(InputTest, MegaClickStopsAtTheFirstInput) {
  Keys[13] = 1;
  Keys[32] = 1;
  EXPECT_EQ(MegaClick(), 1);
  EXPECT_EQ(Keys[13], 0);
  EXPECT_EQ(Keys[32], 1);
  EXPECT_EQ(MegaClick(), 1);
  EXPECT_EQ(MegaClick(), 0);
  Game->Mouse->h1 = 1;
  Game->Mouse->CalcButtonTotals();
  Keys[27] = 1;
  EXPECT_EQ(MegaClick(), 1);
  EXPECT_EQ(Keys[27], 1);
}

TEST_F(InputTest, PolledModeForwardsToTheRuntimeAndDisablingDiscardsWhatCameMeanwhile) {
  ccEnablePolledInput();
  EXPECT_EQ(ccPolledInputState, 1);
  Keys[65] = 1;
  EXPECT_EQ(KeyHit(65), 0);  // the framework's own state is not read
  Post(platform::EVENT_MOUSEDOWN, 1);
  Post(platform::EVENT_KEYDOWN, 66);
  Post(platform::EVENT_WINDOWCLOSE);
  ccDisablePolledInput();
  EXPECT_EQ(ccPolledInputState, 0);
  Game->DoPeekEvent();
  EXPECT_EQ(Game->Mouse->mh, 0);
  EXPECT_EQ(Keys[66], 0);
  EXPECT_EQ(Game->TerminatedEvent, 1);  // a quit request is never lost
}

TEST_F(InputTest, PointerOffClearsTheTrailHookStaysAndOnDoesNotRestoreIt) {
  int calls = 0;
  Game->Mouse->ParticleFunc = [&] { ++calls; };
  Game->Mouse->Manage();
  EXPECT_EQ(calls, 1);
  Game->Mouse->Off();
  EXPECT_EQ(Game->Mouse->Manage(), 0);
  EXPECT_EQ(calls, 1);
  Game->Mouse->On();
  EXPECT_EQ(Game->Mouse->Manage(), 1);
  EXPECT_EQ(calls, 2);
}

}  // namespace
