// The seven bonus pieces and the tornado's sweeper: what each destroys, unlocks or wears
// away, the sounds and the one Tumblet voice, the effect particles, and the sweeper's column.
#include "BoardFixture.h"
#include "board/TBonusList.h"
#include "core/TMousePointer.h"
#include "gfx/TImageBank.h"
#include "gfx/TParticleList.h"

namespace boardtest {
namespace {

class BonusPieceTest : public BoardTest {
 protected:
  // The piece at (x, y) clicked with nothing selected.
  int Use(int x, int y) {
    GameGrid->mx = x;
    GameGrid->my = y;
    return GameGrid->UseBonusPiece();
  }
  // The carried piece at (fromX, fromY) used on (x, y).
  int Carry(int fromX, int fromY, int x, int y) {
    GameGrid->CursorSet(fromX, fromY);
    GameGrid->PointerGemType = GemAt(fromX, fromY).GemType;
    GameGrid->mx = x;
    GameGrid->my = y;
    return GameGrid->UseCarriedPiece();
  }
  bool Bursting(int x, int y) { return Cell(x, y).Gem && GemAt(x, y).GemType == -1; }
  std::vector<TParticlePtr> ParticlesOf(const TParticleListPtr& list, const TGameImagePtr& image) {
    std::vector<TParticlePtr> found;
    list->ForEach([&](const TParticlePtr& p) {
      if (p->image == image) found.push_back(p);
    });
    return found;
  }
};

TEST_F(BonusPieceTest, LionDestroysItsClippedBlockAndBurstsItselfAfterItsActivation) {
  TGameGrid& board = Build("L 1t 2\n3 4* 5\n1 2 3b");
  EXPECT_EQ(Use(0, 0), 1);
  for (auto [x, y] : {std::pair{1, 0}, {0, 1}, {1, 1}}) EXPECT_TRUE(Bursting(x, y)) << x << "," << y;
  for (auto [x, y] : {std::pair{2, 0}, {2, 1}, {0, 2}, {2, 2}}) EXPECT_FALSE(Bursting(x, y)) << x << "," << y;
  EXPECT_EQ(GemAt(0, 0).GemType, -1);
  EXPECT_EQ(GemAt(0, 0).AnimActive, 1);
  EXPECT_EQ(board.Locked, 0);
  EXPECT_EQ(testrig::SoundCount("LION"), 1);
  EXPECT_EQ(testrig::SoundCount("UNLOCK"), 1);
  EXPECT_EQ(testrig::SoundCount("TUMBLET1"), 1);
  EXPECT_EQ(host->player->Score, 100);  // the Tumblet; the pieces themselves score nothing
  const TGemPtr lion = Cell(0, 0).Gem;
  Tick(119);
  EXPECT_EQ(Cell(0, 0).Gem, lion);
  Tick();
  EXPECT_EQ(Cell(0, 0).Gem, nullptr);  // activation 60 ticks, burst 60
  EXPECT_EQ(Cell(2, 2).gold, 1);
}

TEST_F(BonusPieceTest, AGemAlreadyBurstingIsNotPaidTwice) {
  Build("1 2t L\n3 4 5");
  GemAt(1, 0).Explode(1);  // as a match bursts it: its Tumblet goes free now
  const int freed = host->player->TumbletsFreed;
  Use(2, 0);
  EXPECT_EQ(host->player->TumbletsFreed, freed);
  EXPECT_EQ(host->player->Score, 0);
  EXPECT_EQ(testrig::SoundCount("TUMBLET2"), 0);
}

TEST_F(BonusPieceTest, HornClearsItsRowAndSendsTwoBlastsApart) {
  TGameGrid& board = Build("1 # H 2* 3t\n4b 5 1 2 3");
  Use(2, 0);
  for (int x : {0, 2, 3, 4}) EXPECT_TRUE(Bursting(x, 0)) << x;
  for (int x = 0; x < 5; ++x) EXPECT_FALSE(Bursting(x, 1)) << x;
  EXPECT_EQ(board.Locked, 0);
  EXPECT_EQ(testrig::SoundCount("HORN"), 1);
  EXPECT_EQ(testrig::SoundCount("UNLOCK"), 1);
  EXPECT_EQ(testrig::SoundCount("TUMBLET3"), 1);
  const std::vector<TParticlePtr> blasts = ParticlesOf(AnimatedParticles, ParticleImages[8]);
  ASSERT_EQ(blasts.size(), 2u);
  EXPECT_EQ(blasts[0]->x, CalcSX(2) + 50.0f);
  EXPECT_EQ(blasts[0]->dx, -3.0f);
  EXPECT_EQ(blasts[0]->ScaleX, -1.0f);
  EXPECT_EQ(blasts[1]->x, static_cast<float>(CalcSX(2)));
  EXPECT_EQ(blasts[1]->dx, 3.0f);
  for (const TParticlePtr& p : blasts) {
    EXPECT_EQ(p->y, static_cast<float>(CalcSY(0)));
    EXPECT_EQ(p->FramesTotal, 11);
    EXPECT_EQ(p->AnimLength, 100);
  }
  Tick(200);  // 3 px a tick: both are off the screen well before
  EXPECT_TRUE(ParticlesOf(AnimatedParticles, ParticleImages[8]).empty());
}

TEST_F(BonusPieceTest, TheSweeperTakesItsColumnAndEndsOffTheScreen) {
  TGameGrid& board = Build("1b 2 T\nT 4 5\n2* 1 3\n3 5 1\n4 1 5");
  board.DropGemsFlag = 0;
  GemAt(0, 3).Swapping = 1;  // mid-swap: passed over
  const TGemPtr swapping = Cell(0, 3).Gem;
  board.CursorSet(0, 4);     // the selected gem goes: the selection ends with it
  Use(0, 1);
  EXPECT_EQ(testrig::SoundCount("TORNADO"), 1);
  EXPECT_EQ(GemAt(0, 1).GemType, -1);
  ASSERT_EQ(HouseList->Count(), 1);
  const std::vector<TParticlePtr> storm = ParticlesOf(AnimatedParticles, ParticleImages[9]);
  ASSERT_EQ(storm.size(), 1u);
  EXPECT_EQ(storm[0]->x, static_cast<float>(CalcSX(0)));
  EXPECT_EQ(storm[0]->y, 0.0f);
  Use(2, 0);  // a second tornado, its own sweeper
  EXPECT_EQ(HouseList->Count(), 2);
  // The first sweeper: tick until it has passed the board.
  int ticks = 0;
  TGemPtr lateGem;
  while (storm[0]->active && ticks < 1000) {
    Tick();
    ++ticks;
    if (ticks == 5) {
      // A gem that arrives in the column behind the sweeper is met as well.
      const TGemPtr late = TGem::Make(0, 0, 5, 0);
      late->y = storm[0]->y - 40;
      late->gy = -1;  // still above the board, falling
      late->dy = 1.0f;
      GemList->InsertGem(late);
      lateGem = late;
    }
  }
  EXPECT_LT(ticks, 1000);
  EXPECT_TRUE(Bursting(0, 0) || Cell(0, 0).Gem == nullptr);
  EXPECT_EQ(Cell(0, 2).Gem ? GemAt(0, 2).locked : 0, 0);
  EXPECT_EQ(board.Locked, 0);
  EXPECT_EQ(testrig::SoundCount("UNLOCK"), 1);
  EXPECT_EQ(swapping->GemType, 3);
  EXPECT_EQ(lateGem->GemType, -1);
  EXPECT_EQ(board.Mode, 0);
  EXPECT_EQ(board.cx, -1);
  EXPECT_EQ(Cell(0, 0).gold, 1);  // bricks under swept gems stay
  Tick();
  EXPECT_EQ(HouseList->Count(), 0);
}

// A tornado under a lock: its own cell empties before its sweeper breaks the lock, and the lock,
// bursting, stands over the empty cell until it is gone and the column refills. The tick driver
// checks the board at every tick.
TEST_F(BonusPieceTest, ALockTheSweeperBreaksOverAnEmptiedCellLetsTheColumnRefill) {
  TGameGrid& board = Build("2* 1 3\nT 4 5\n3 5 1\n4 1 5b");
  Use(0, 1);
  for (int i = 0; i < 600 && !HasFailure() && (Cell(0, 0).Gem == nullptr || GemAt(0, 0).locked); ++i) Tick();
  Tick(400);
  EXPECT_EQ(board.Locked, 0);
  for (int y = 0; y < 4; ++y) {
    ASSERT_TRUE(Cell(0, y).Gem) << "row " << y << " did not refill";
    EXPECT_NE(GemAt(0, y).GemType, -1);
  }
}

TEST_F(BonusPieceTest, CarriedPiecesOnTheirTargets) {
  struct Case {
    const char* what;
    const char* picture;
    int toX, toY;
    int used;          // UseCarriedPiece's answer
    const char* sound; // the deciding sound
    int locked;        // Locked afterwards
    int score;
  };
  const Case cases[] = {
      {"a star on an empty cell", "S 1 .\n2 3 4", 2, 0, 1, "INVALID", 0, 0},
      {"a star on a bursting gem", "S 1 2\n2 3 4", 1, 0, 1, "INVALID", 0, 0},
      {"a star on a locked Tumblet gem", "S 1 2*t\n2 3 4", 2, 0, 1, "UNLOCK", 0, 100},
      {"a star on a plain gem", "S 1 2\n2 3 4", 2, 1, 1, "MATCHNOBRICK", 0, 0},
      {"an axe on a locked gem", "A 1 2*\n2 3 4", 2, 0, 0, "LOCKEDCLICK", 1, 0},
      {"an axe on a cell without layers", "A 1 2\n2 3 4", 2, 0, 1, "AXENOBRICK", 0, 0},
      {"a key on an unlocked gem", "K 1 2\n2 3 4", 2, 0, 1, "INVALID", 0, 0},
      {"a key on a locked gem", "K 1 2*\n2 3 4", 2, 0, 1, "UNLOCK", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TGameGrid& board = Build(c.picture);
    if (std::string(c.what).find("bursting") != std::string::npos) GemAt(1, 0).Explode(1);
    testrig::SoundLog().clear();
    const TGemPtr piece = Cell(0, 0).Gem;
    const TGemPtr target = Cell(c.toX, c.toY).Gem;
    const int type = piece->GemType;
    Game->Mouse->Image2 = images->Find(u"gems")->image;
    EXPECT_EQ(Carry(0, 0, c.toX, c.toY), c.used);
    EXPECT_EQ(testrig::SoundCount(c.sound), 1);
    EXPECT_EQ(board.Locked, c.locked);
    EXPECT_EQ(host->player->Score, c.score);
    if (c.used) {
      EXPECT_EQ(piece->GemType, -1) << "spent";
      EXPECT_EQ(board.Mode, 0);
    } else {
      EXPECT_EQ(piece->GemType, type) << "kept";
      EXPECT_EQ(board.Mode, 1);
      EXPECT_EQ(board.cx, 0);
    }
    if (type == 11) {
      EXPECT_EQ(testrig::SoundCount("STAR"), std::string(c.sound) != "INVALID" ? 1 : 0);
      EXPECT_EQ(Game->Mouse->Image2, nullptr);  // the plain pointer
      EXPECT_GE(ParticlesOf(Particles, ParticleImages[4]).size(), 60u);
    }
    if (type == 14) {
      EXPECT_EQ(target->GemType, 2) << "the key never destroys";
    }
    host->player->Score = 0;
    Particles->Clear();
  }
}

TEST_F(BonusPieceTest, OneTumbletVoicePerActionThatOfTheFirstFreed) {
  Build("1 2 L\n3 4t 5t\n1 2 3");
  Use(2, 0);
  EXPECT_EQ(testrig::SoundCount("TUMBLET4"), 1);
  EXPECT_EQ(testrig::SoundCount("TUMBLET5"), 0);
  EXPECT_EQ(host->player->Score, 200);
}

}  // namespace
}  // namespace boardtest
