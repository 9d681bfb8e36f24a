// Gems and the gem list: bursts, bonus hits, Tumblets, the list's order, its tick and its
// group operations.
#include "BoardFixture.h"
#include "board/BoardParticles.h"
#include "gfx/TParticleList.h"

namespace boardtest {
namespace {

class GemTest : public BoardTest {
 protected:
  int CountImage(TParticleList& list, const TGameImagePtr& image) {
    int n = 0;
    list.ForEach([&](const TParticlePtr& p) { n += p->image == image ? 1 : 0; });
    return n;
  }
};

TEST_F(GemTest, ABurstHappensOnceAndFreesItsTumbletOnce) {
  Build("1t 2 3");
  TGem& gem = GemAt(0, 0);
  gem.Explode(1);
  gem.Explode(1);
  EXPECT_EQ(Tumblets->Count(), 1);
  EXPECT_EQ(host->player->TumbletsFreed, 1);
  EXPECT_EQ(host->Count("AddGaugeStep"), 1);
  EXPECT_EQ(gem.GemType, -1);
  EXPECT_EQ(gem.ExplosionCounter, 60.0f);
  EXPECT_EQ(GameGrid->TumbletPlaying, 1);
}

TEST_F(GemTest, BonusHitsOnLockedAndBurstingGems) {
  Build("1*t 2 3");
  TGem& gem = GemAt(0, 0);
  EXPECT_EQ(gem.Destroy(), 1);
  EXPECT_EQ(host->player->Score, 100);
  EXPECT_EQ(GameGrid->Locked, 0);
  EXPECT_EQ(gem.locked, 0);
  EXPECT_EQ(gem.GemType, -1);
  const TParticlePtr padlock = AnimatedParticles->Last();
  ASSERT_TRUE(padlock);
  EXPECT_EQ(padlock->image, ParticleImages[10]);
  EXPECT_LT(padlock->dx, -0.5f - 1e-6f + 0.5f);  // falls off to the left
  EXPECT_GE(padlock->dx, -1.0f);
  EXPECT_EQ(padlock->dy, -1.0f);
  // Hit again while it bursts (a lion next to a run): nothing more, no second 100 points.
  EXPECT_EQ(gem.Destroy(), 0);
  EXPECT_EQ(host->player->Score, 100);
  EXPECT_EQ(host->player->TumbletsFreed, 1);
  // An unlocked Tumblet: scored, burst, 0.
  TGem& other = GemAt(1, 0);
  other.Tumblet = 1;
  EXPECT_EQ(other.Destroy(), 0);
  EXPECT_EQ(host->player->Score, 200);
  EXPECT_EQ(other.GemType, -1);
}

TEST_F(GemTest, ShardsOnlyForColoursBurstBigAtDetailFifty) {
  struct Case {
    int detail;
    const char* piece;
    int big;
    int shards;
  };
  const Case cases[] = {{49, "2", 1, 0}, {50, "2", 1, 4}, {100, "2", 0, 0}, {100, "L", 1, 0}};
  for (const Case& c : cases) {
    Game->Particles = c.detail;
    Build(std::string(c.piece) + " 1");
    AnimatedParticles->Clear();
    const int type = GemAt(0, 0).OrigGemType;
    GemAt(0, 0).Explode(c.big);
    const int expected = c.shards;
    const TGameImagePtr& shard = TGem::ShardImages[static_cast<size_t>(type <= 7 ? type : 1)];
    EXPECT_EQ(CountImage(*AnimatedParticles, shard), expected) << c.detail << c.piece << c.big;
  }
}

TEST_F(GemTest, FreedTumbletsRunToTheNearerSide) {
  Build("1t 2t");
  TGem& right = GemAt(0, 0);
  right.x = 375;  // its particle's centre lands exactly on x = 400
  right.MakeTumbletParticle();
  TGem& left = GemAt(1, 0);
  left.x = 374;
  left.MakeTumbletParticle();
  ASSERT_EQ(Tumblets->Count(), 2);
  const TParticlePtr a = Tumblets->First();
  const TParticlePtr b = Tumblets->Last();
  EXPECT_EQ(a->Data2, 1);
  EXPECT_EQ(a->ScaleX, 1.0f);
  EXPECT_EQ(a->x, 360.0f);
  EXPECT_EQ(b->Data2, -1);
  EXPECT_EQ(b->ScaleX, -1.0f);
  EXPECT_EQ(b->x, 359.0f + 80.0f);
  EXPECT_EQ(a->Data1, 1);
  EXPECT_EQ(b->Data1, 2);
  EXPECT_EQ(a->dy, 0.02f);
  EXPECT_GE(a->AnimCounter, 1.0f);
  EXPECT_LE(a->AnimCounter, static_cast<float>(a->AnimLength - 1));
}

TEST_F(GemTest, TumbletsFreedInTheOutroOrAtDetailZero) {
  Build("1t 2t 3");
  host->outro = 1;
  GemAt(0, 0).MakeTumbletParticle();
  EXPECT_EQ(host->player->TumbletsFreed, 1);
  EXPECT_EQ(host->Count("AddGaugeStep"), 0);
  EXPECT_EQ(Particles->Count(), 0);
  host->outro = 0;
  Game->Particles = 0;
  GemAt(1, 0).MakeTumbletParticle();
  EXPECT_EQ(Particles->Count(), 0);
  EXPECT_EQ(host->Count("AddGaugeStep"), 1);
  EXPECT_EQ(Tumblets->Count(), 2);
}

TEST_F(GemTest, RandomDrawsOnlyTheLevelColours) {
  Build("1 2", {6, 2, 7, 4, 3});
  std::array<int, 8> seen{};
  for (int i = 0; i < 2000; ++i) {
    const int type = TGem::Random();
    ASSERT_TRUE(type == 6 || type == 2 || type == 7 || type == 4 || type == 3) << type;
    ++seen[static_cast<size_t>(type)];
  }
  for (int c : {6, 2, 7, 4, 3}) EXPECT_GT(seen[static_cast<size_t>(c)], 300);
}

TEST_F(GemTest, TheListKeepsFallingOrderStably) {
  Build("1 2\n3 4");
  auto list = std::make_shared<TGemList>();
  std::vector<TGemPtr> made;
  const float ys[] = {100, 300, 200, 300, 100, 200};
  for (float y : ys) {
    TGemPtr gem = TGem::Make(0, 0, 1, 0);
    gem->y = y;
    made.push_back(gem);
    list->Add(gem);
  }
  list->SortAll();
  std::vector<TGem*> order;
  list->ForEach([&](const TGemPtr& g) { order.push_back(g.get()); });
  const std::vector<TGem*> expected = {made[1].get(), made[3].get(), made[2].get(),
                                       made[5].get(), made[0].get(), made[4].get()};
  EXPECT_EQ(order, expected);
  TGemPtr same = TGem::Make(0, 0, 2, 0);
  same->y = 200;
  list->InsertGem(same);
  order.clear();
  list->ForEach([&](const TGemPtr& g) { order.push_back(g.get()); });
  EXPECT_EQ(order[4], same.get());  // after the other gems at y 200
  TGemPtr top = TGem::Make(0, 0, 2, 0);
  top->y = -50;
  list->InsertGem(top);
  EXPECT_EQ(list->Count(), 8);
}

TEST_F(GemTest, BurstsKeepTheBoardBusyAndLeaveCorrectly) {
  // The lion is the board's one move and the brick under it its target: without them the
  // board would give up or end the level once it rests.
  TGameGrid& board = Build("1 2 3 Lb\n5 1 2 3");
  board.DropGemsFlag = 0;
  GemAt(0, 0).Explode(1);
  GemAt(1, 1).Explode(1);
  GemAt(2, 0).Explode(0);
  // A new gem dropped into (2, 0) while its old gem bursts: the old one leaves it alone.
  const TGemPtr old = Cell(2, 0).Gem;
  const TGemPtr newcomer = TGem::Make(2, 0, 5, 0);
  newcomer->Swapping = 1;  // kept out of the order check: it shares the row with the old one
  Cell(2, 0).Gem = newcomer;
  GemList->InsertGem(newcomer);
  // A gem above the board bursting touches no cell.
  const TGemPtr above = TGem::Make(3, -1, 4, 0);
  GemList->InsertGem(above);
  above->Explode(0);
  for (int t = 1; t <= 60; ++t) {
    Tick();
    EXPECT_EQ(board.BlockInput, 1) << t;
  }
  Tick();
  EXPECT_EQ(board.BlockInput, 0);
  EXPECT_EQ(Cell(0, 0).Gem, nullptr);
  EXPECT_EQ(Cell(1, 1).Gem, nullptr);
  EXPECT_EQ(Cell(2, 0).Gem, newcomer);
  EXPECT_EQ(GemList->Count(), 8 - 3 + 1);
  newcomer->Swapping = 0;
}

TEST_F(GemTest, AnActivatedLionPlaysThenBursts) {
  TGameGrid& board = Build("L 1 2");
  board.DropGemsFlag = 0;
  TGem& lion = GemAt(0, 0);
  lion.Activate();
  int busyTicks = 0;
  for (int t = 0; t < 130 && Cell(0, 0).Gem; ++t) {
    Tick();
    busyTicks += board.BlockInput;
    if (t == 60) {
      // Its burst has just started: 20 sparkles and 4 fires, no shards.
      EXPECT_EQ(Particles->Count(), 24);
      EXPECT_EQ(AnimatedParticles->Count(), 0);
    }
  }
  EXPECT_EQ(busyTicks, 120);
  EXPECT_EQ(Cell(0, 0).Gem, nullptr);
}

TEST_F(GemTest, SpreadAllDropsOnlyAnExactMiddleGem) {
  for (const auto& [w, h, dropped] : {std::tuple{7, 9, 1}, std::tuple{8, 9, 0}}) {
    std::string picture;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) picture += std::string(1, static_cast<char>('1' + (x + y) % 5)) + " ";
      picture += "\n";
    }
    Build(picture);
    GemList->SpreadAll();
    EXPECT_EQ(GemList->Count(), w * h - dropped);
    GemList->ForEach([](const TGemPtr& gem) {
      EXPECT_TRUE(gem->dx != 0 || gem->dy != 0);
    });
    TGem::MidHandle(0);
  }
}

TEST_F(GemTest, ExplodeTumbletsSoundsOneVoice) {
  Build("1 3t 2t\n4t 5 1");
  testrig::SoundLog().clear();
  GemList->ExplodeTumblets();
  EXPECT_EQ(Tumblets->Count(), 3);
  ASSERT_EQ(testrig::SoundLog().size(), 1u);
  // The list runs lowest first: the Tumblet of colour 4 is freed first and speaks.
  EXPECT_EQ(testrig::SoundLog()[0].name, "TUMBLET4");
}

}  // namespace
}  // namespace boardtest
