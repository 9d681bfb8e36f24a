// The instructions page: its looping timeline, the effects it makes once a cycle, the ring and
// the moving gems, and the ways it closes.
#include "support/ScreenRig.h"
#include "board/TBonusList.h"
#include "board/TCell.h"
#include "board/TGem.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "gfx/MathHelpers.h"
#include "gfx/TGameFade.h"
#include "gfx/TImageBank.h"
#include "gfx/TParticle.h"
#include "gfx/TParticleList.h"
#include "play/TGameScreen.h"
#include "screens/TBookScreen.h"
#include "screens/TInstructionsScreen.h"
#include "screens/TTitleScreen.h"

namespace screentest {
namespace {

class InstructionsTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    if (IsSkipped()) return;
    for (const char16_t* name : {u"cursor", u"particlering", u"xinactive", u"xactive2", u"cell",
                                 u"cellrightside", u"cellbottom", u"cellcorner", u"cellpane", u"brick",
                                 u"armour"}) {
      images->Load(name, String(), -1, 0);
    }
    images->LoadAnim(u"gems", 50, 50, 0, 14, -1, 0);
    images->LoadAnim(u"tumblet7", 50, 50, 0, 23, -1, 0);
    images->LoadAnim(u"tumblet7falling", 80, 80, 0, 23, -1, 0);
    images->Load(u"brickparticle", u"brickmid", -1, 1);
    TCell::CellImage = images->Find(u"cell");
    TCell::CellRightSideImage = images->Find(u"cellrightside");
    TCell::CellBottomImage = images->Find(u"cellbottom");
    TCell::CellCornerImage = images->Find(u"cellcorner");
    TCell::CellPaneImage = images->Find(u"cellpane");
    TCell::BrickImage = images->Find(u"brick");
    TCell::ArmourImage = images->Find(u"armour");
    TGem::TumbletImages[7] = images->Find(u"tumblet7");
    TGem::TumbletFallingImages[7] = images->Find(u"tumblet7falling");
    page = InstructionsScreen;
    page->Destination = TitleScreen;
  }
  std::shared_ptr<TInstructionsScreen> page;
};

TEST_F(InstructionsTest, TheTimelineLoopsAndTheMatchEffectsComeOncePerCycle) {
  Enter(page, TitleScreen);
  EXPECT_EQ(Game->FadeMusic, 0);
  const int lengths[] = {200, 200, 60, 200};
  int phase = 0, ticksInPhase = 0, phaseTwoEntries = 0;
  for (int t = 0; t < 2 * 660; ++t) {
    const int before = BackgroundParticles->Count();
    Tick();
    page->Draw();
    ++ticksInPhase;
    if (page->Anim1->CurrentPhase != phase) {
      EXPECT_EQ(ticksInPhase, lengths[phase]) << "phase " << phase;
      phase = page->Anim1->CurrentPhase;
      ticksInPhase = 0;
      if (phase == 2) {
        ++phaseTwoEntries;
        EXPECT_EQ(BackgroundParticles->Count(), before + 12);
        EXPECT_EQ(Tumblets->Count(), 2);
        ASSERT_EQ(Tumblets->First()->ScaleX, -1.0f);
        EXPECT_EQ(Tumblets->Last()->ScaleX, -1.0f);
        EXPECT_NEAR(Tumblets->First()->x, 223.0f, 0.5f);
        EXPECT_NEAR(Tumblets->Last()->x, 273.0f, 0.5f);
      }
    } else if (phase != 2 || ticksInPhase > 1) {
      EXPECT_LE(BackgroundParticles->Count(), before) << t;
    }
  }
  EXPECT_EQ(phaseTwoEntries, 2);
}

TEST_F(InstructionsTest, TheRingGrowsThenFadesAndTheTumbletLoops) {
  Enter(page, TitleScreen);
  Tick(400);  // the start of phase 2
  ASSERT_EQ(page->Anim1->CurrentPhase, 2);
  struct Case { float counter, scale, alpha; };
  for (const Case c : {Case{60, 0.2f, 1.0f}, Case{12, 1.0f, 0.6f}, Case{0, 1.0f, 0.0f}}) {
    page->Anim1->Counter = c.counter;
    const float L = 60, S = 20;
    EXPECT_NEAR(std::min(1.0f, (L - c.counter) / L + 0.2f), c.scale, 1e-5);
    EXPECT_NEAR(c.counter < S ? c.counter / S : 1.0f, c.alpha, 1e-5);
    page->DrawRing(0, 0);
    float sx = 0, sy = 0;
    platform::GetScale(sx, sy);
    EXPECT_EQ(sx, 1.0f);  // restored after drawing
  }
  page->TumbletCounter = 150;
  EXPECT_EQ(ccCalcAnimFrame(page->TumbletCounter, static_cast<int>(page->TumbletLength), 23, 1), 11);
  EXPECT_EQ(page->TumbletLength, 300.0f);
}

TEST_F(InstructionsTest, ClosingLeadsToTheDestinationTheMusicOnlyFromTheBook) {
  struct Case { int way; std::shared_ptr<TScreen> from; bool music; };
  for (const Case& c : {Case{0, TitleScreen, false}, Case{1, TitleScreen, false}, Case{2, TitleScreen, false},
                       Case{3, TitleScreen, false}, Case{0, BookScreen, true}}) {
    SCOPED_TRACE(c.way);
    Game->GameFade = std::make_shared<TGameFade>();
    Enter(page, c.from);
    Tick();
    channels->played.clear();
    if (c.way == 0) Click(700, 100);
    if (c.way == 1) Click(400, 545);
    if (c.way == 2) Key(13);
    if (c.way == 3) Key(27);
    Tick();
    EXPECT_TRUE(Game->GameFade->Active);
    EXPECT_EQ(Game->GameFade->Channel != nullptr, c.music);
    EXPECT_EQ(Game->DestinationTScreen, TitleScreen);
    if (c.way <= 1) {
      EXPECT_EQ(channels->Count(u"BUTTONCLICK"), 1);
    }
    page->Kill();
  }
}

TEST_F(InstructionsTest, OverARunningLevelOnlyThePagesOwnEffectsGo) {
  for (bool suspended : {true, false}) {
    Game->GameFade = std::make_shared<TGameFade>();
    page->Destination = GameScreen;
    GameScreen->StopKill = GameScreen->StopInit = suspended ? 1 : 0;
    Enter(page, GameScreen);
    const TParticlePtr swept =
        AnimatedParticles->AddNew(10, 10, images->Find(u"cursor"), 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0);
    // A tornado sweeping down a column of the level: only its own road clears it.
    HouseList = std::make_shared<TBonusList>();
    HouseList->AddNew(swept);
    Tick(401);
    EXPECT_GT(Tumblets->Count(), 0);
    page->Kill();
    EXPECT_EQ(Tumblets->Count(), 0);
    EXPECT_EQ(BackgroundParticles->Count(), 0);
    EXPECT_EQ(AnimatedParticles->Count(), suspended ? 1 : 0);
    EXPECT_EQ(HouseList->Count(), suspended ? 1 : 0);
    AnimatedParticles->Clear();
    HouseList.reset();
  }
}

}  // namespace
}  // namespace screentest
