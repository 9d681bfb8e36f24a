// The player record: the profile mapping, death, the level clock and the display texts.
#include <climits>
#include <filesystem>

#include "BoardFixture.h"
#include "core/TScreen.h"
#include "core/TFixedRateLogic.h"
#include "core/TProfile.h"
#include "gfx/TGameFade.h"
#include "screens/GameOverScreen.h"

namespace boardtest {
namespace {

class PlayerTest : public BoardTest {
 protected:
  std::shared_ptr<TProfile> Profile(int current, int locked) {
    Game->ProfilePath = S(dir) + u"/";
    auto profile = TProfile::Create(u"Wren");
    profile->CurrentLevel = current;
    profile->LockedLevel = locked;
    profile->Score = 1234;
    profile->Lives = 2;
    profile->Kills = 77;
    profile->TimeTaken = 5000.0;
    return profile;
  }
};

TEST_F(PlayerTest, ProfileMappingBothWaysWithHostileValues) {
  TPlayer player;
  EXPECT_EQ(player.ReadProfile(nullptr, 0), 0);
  EXPECT_EQ(player.WriteProfile(nullptr), 0);
  struct Case {
    int current, locked, level, unlocked;
  };
  const Case cases[] = {{7, 1, 7, 0},       {7, 12, 7, 11},   {0, 0, 1, 0},
                        {INT_MAX, INT_MAX, 50, 51}, {INT_MIN, INT_MIN, 1, 0}, {51, 53, 50, 51}};
  for (const Case& c : cases) {
    auto profile = Profile(c.current, c.locked);
    EXPECT_EQ(player.ReadProfile(profile, 0), 1);
    EXPECT_EQ(player.Level, c.level) << c.current;
    EXPECT_EQ(player.Unlocked, c.unlocked) << c.locked;
    EXPECT_EQ(player.Score, 1234);
    EXPECT_EQ(player.TotalKills, 77);
    EXPECT_EQ(player.Name, u"Wren");
    player.WriteProfile(profile);
    EXPECT_EQ(profile->LockedLevel, c.unlocked + 1);
    EXPECT_EQ(profile->CurrentLevel, c.level);
  }
  // Counters that are only added to stop at the top.
  player.Kills = INT_MAX - 1;
  player.KillsAdd(5);
  EXPECT_EQ(player.Kills, INT_MAX);
  player.TotalKills = INT_MAX;
  player.UpdateTotals();
  EXPECT_EQ(player.TotalKills, INT_MAX);
  player.KillsAdd(0);
  EXPECT_EQ(player.Kills, INT_MAX);
}

TEST_F(PlayerTest, DieKeepsTheLevelSavesNothingAndStartsTheSequence) {
  class Watching : public TGameGrid {
   public:
    int started = 0;
    int StartNoMoreMoves() override { return ++started; }
  };
  Build("1 2");
  auto board = std::make_shared<Watching>();
  GameGrid = board;
  auto profile = Profile(9, 12);
  Game->CurrentProfile = profile;
  TPlayer& player = *host->player;
  player.Die();
  EXPECT_EQ(player.Alive, 0);
  EXPECT_EQ(player.NoChecks, 1);
  EXPECT_EQ(player.DeathCounter, 1000.0f);
  EXPECT_EQ(profile->CurrentLevel, 9);
  EXPECT_EQ(profile->LockedLevel, 12);
  EXPECT_EQ(profile->Score, 0);
  EXPECT_EQ(profile->Lives, 3);
  EXPECT_FALSE(std::filesystem::exists(U8(profile->FilePath())));
  EXPECT_EQ(board->started, 1);
  // Without a profile it only skips the reset.
  Game->CurrentProfile = nullptr;
  player.Die();
  EXPECT_EQ(board->started, 2);
}

TEST_F(PlayerTest, DeathEndSpendsALifeOnlyWhenTheCounterRunsOut) {
  TGameGrid& board = Build("1 L");  // the lion: a move, so the board does not give up
  board.DropGemsFlag = 0;
  TPlayer& player = *host->player;
  player.Lives = 1;
  player.DeathCounter = 3;
  EXPECT_EQ(player.DeathEnd(), 0);
  Tick(2);
  EXPECT_EQ(player.Lives, 1);
  Tick();  // the counter runs out: a life is spent, the intro and its sound again
  EXPECT_EQ(player.Lives, 0);
  EXPECT_EQ(player.Alive, 1);
  EXPECT_EQ(host->Count("StartIntro"), 1);
  EXPECT_EQ(host->Count("StartSound"), 1);
  // Below 0 lives: the totals, and a fade to the game-over screen; the tick ends there.
  GameOverScreen = std::make_shared<TScreen>();
  player.Kills = 5;
  player.DeathCounter = 1;
  EXPECT_EQ(player.Manage(), -1);
  EXPECT_EQ(player.Lives, -1);
  EXPECT_EQ(player.TotalKills, 5);
  EXPECT_EQ(Game->DestinationTScreen, GameOverScreen);
  EXPECT_TRUE(Game->GameFade->Active);
  GameOverScreen.reset();
}

TEST_F(PlayerTest, TheClockStopsWithTheTargetOrTheOutro) {
  TGameGrid& board = Build("1 2");
  TPlayer& player = *host->player;
  Tick(10);
  EXPECT_EQ(player.TimeTaken, 10.0f);
  board.TargetMet = 1;
  Tick(5);
  board.TargetMet = 0;
  host->outro = 1;
  Tick(5);
  EXPECT_EQ(player.TimeTaken, 10.0f);
}

TEST_F(PlayerTest, DisplayTexts) {
  TPlayer& player = *host->player;
  struct Case {
    int score, start;
    const char* text;
  };
  for (const Case& c : {Case{500, 500, "000000"}, Case{1234567, 0, "1234567"}, Case{1300, 1000, "000300"}}) {
    player.Score = c.score;
    player.LevelStartScore = c.start;
    EXPECT_EQ(U8(player.ScoreText()), c.text);
  }
  host->chapter = 3;
  host->subLevel = 2;
  EXPECT_EQ(U8(player.LevelText()), "3 - 2");
  const float ms = Game->FixedRateLogic->MS;
  struct Time {
    float seconds;
    const char* text;
  };
  for (const Time& t : {Time{0, "0:00"}, Time{61.5f, "1:01"}, Time{247, "4:07"}}) {
    player.TimeTaken = t.seconds * 1000.0f / ms;
    EXPECT_EQ(U8(player.TimeText()), t.text);
  }
}

}  // namespace
}  // namespace boardtest
