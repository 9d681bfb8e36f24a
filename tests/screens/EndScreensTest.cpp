// The screens no control of the game reaches: the high-score table, the game-over screen with
// its name entry and totals, and the outro picture. Each is loaded and started directly on the
// generated data folder and driven tick by tick.
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "support/ScreenRig.h"
#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/TExitScreen.h"
#include "core/TGame.h"
#include "core/THighScoreList.h"
#include "core/TMousePointer.h"
#include "core/TSoundBank.h"
#include "gfx/DrawHelpers.h"
#include "gfx/TGameFade.h"
#include "gfx/TGameImage.h"
#include "gfx/TImageBank.h"
#include "gfx/TSineCounter.h"
#include "gfx/TSlideLineList.h"
#include "platform/Audio.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "play/TGameScreen.h"
#include "screens/GameOverScreen.h"
#include "screens/TGameOverScreen.h"
#include "screens/TGameTotals.h"
#include "screens/THighScoreEntry.h"
#include "screens/THighScoresScreen.h"
#include "screens/TOutroScreen.h"
#include "screens/TTitleScreen.h"
#include "support/AllocationCounter.h"
#include "support/FrameworkState.h"
#include "text/GameFonts.h"
#include "ui/TButton.h"
#include "ui/TDialogYesNo.h"
#include "ui/TMenu.h"
#include "ui/TTextInput.h"

namespace screentest {
namespace {

// A screen that only marks a place in the flow.
class Marker : public TScreen {
 public:
  Marker() { name = u"marker"; }
};

class EndScreensTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    if (IsSkipped()) return;
    Game->HighScores = std::make_shared<THighScoreList>();
    Game->HighScores->Create(Game->SubPath + u"vale", 10);
    Game->HighScores->Load();
    images->Load(u"click", String(), -1, 1);
    sounds->Load(u"buttonMO");
    marker = std::make_shared<Marker>();
  }
  void TearDown() override {
    if (Game) Game->BlockKeys = 0;
    ScreenTest::TearDown();
  }
  // Drops a fade a test started, with its destination, as if it never ran.
  static void CancelFade() {
    Game->GameFade->Active = 0;
    Game->GameFade->Done = 0;
    Game->DestinationTScreen.reset();
  }
  std::string TableBytes() const { return UserFileText("vale.dat"); }
  // The table as a fresh list reads it from disk.
  static std::vector<std::tuple<std::u16string, int, int>> TableOnDisk() {
    THighScoreList list;
    list.Create(Game->SubPath + u"vale", 10);
    list.Load();
    std::vector<std::tuple<std::u16string, int, int>> rows;
    for (const auto& e : list) rows.emplace_back(e->name, e->score, e->level);
    return rows;
  }
  static void ClickButton(const TButtonPtr& b) {
    ASSERT_TRUE(b);
    Click(static_cast<int>(b->x) + b->w / 2, static_cast<int>(b->y) + b->h / 2);
  }
  // Key down, its character and key up, as the runtime sends Enter, Escape and letters.
  static void KeyAndChar(int vk, int ch) {
    testrig::Post(platform::EVENT_KEYDOWN, vk);
    testrig::Post(platform::EVENT_KEYCHAR, ch);
    testrig::Post(platform::EVENT_KEYUP, vk);
  }
  static void TypeName(const std::u16string& text) {
    for (char16_t c : text) {
      KeyAndChar(c >= u'a' && c <= u'z' ? c - u'a' + 'A' : c, c);
      Game->FixedRateLogic->SetDelta(1.0f);
      Game->LogicWrapper();
    }
  }
  // The colour of the fully covered pixels of text drawn inside a box (partly covered edge
  // pixels are blended with the black behind and are left out).
  static void TextColour(int x0, int y0, int x1, int y1, int& r, int& g, int& b, int& n) {
    const platform::PixmapPtr shot = platform::GrabPixmap(x0, y0, x1 - x0, y1 - y0);
    r = g = b = n = 0;
    int best = -1;
    for (int y = 0; y < shot->Height(); ++y) {
      for (int x = 0; x < shot->Width(); ++x) {
        const uint32_t p = shot->ReadPixel(x, y);
        const int pg = static_cast<int>((p >> 8) & 0xFF);
        if (pg < best) continue;
        if (pg > best) n = 0;
        best = pg;
        r = static_cast<int>((p >> 16) & 0xFF);
        g = pg;
        b = static_cast<int>(p & 0xFF);
        ++n;
      }
    }
  }
  std::shared_ptr<Marker> marker;
};

// ------------------------------------------------------------------------ high-score table

TEST_F(EndScreensTest, TableRowsRestInPlaceComeFromAlternateSidesAndWaitTheirTurn) {
  Enter(HighScoresScreen, marker);
  EXPECT_EQ(Game->CurrentTScreen, HighScoresScreen);
  EXPECT_EQ(HighScoresScreen->name, u"highscores");
  EXPECT_EQ(Game->FadeMusic, 0);
  const auto& rows = HighScoresScreen->SlideLines->Items();
  ASSERT_EQ(rows.size(), 10u);
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    const TSlideLine& row = *rows[i];
    EXPECT_EQ(row.TotalPhases, 3);
    EXPECT_FLOAT_EQ(row.Length[0], 6.0f * static_cast<float>(i));
    EXPECT_FLOAT_EQ(row.StartX[1], i % 2 == 0 ? -640.0f : 800.0f);
    EXPECT_FLOAT_EQ(row.EndX[2], 80.0f);
    EXPECT_FLOAT_EQ(row.EndY[2], 200.0f + 20.0f * static_cast<float>(i));
    EXPECT_EQ(std::static_pointer_cast<THighScore>(row.AttachedObject), Game->HighScores->Items()[i]);
  }
  EXPECT_EQ(HighScoresScreen->height, 200);
  EXPECT_EQ(HighScoresScreen->Menu->FindButton(u"clear")->y, 450);
  EXPECT_EQ(HighScoresScreen->Menu->FindButton(u"clear")->x,
            (800 - HighScoresScreen->Menu->FindButton(u"clear")->w) / 2);
  ASSERT_TRUE(HighScoresScreen->Menu->FindButton(u"OK"));
  // The tenth row waits 270 ms (54 ticks) and only then leaves the right edge.
  Tick(54);
  EXPECT_FLOAT_EQ(rows[9]->GetX(), 800.0f);
  EXPECT_FLOAT_EQ(rows[8]->GetX(), -640.0f + 6 * 7.2f);
  Tick(1);
  EXPECT_LT(rows[9]->GetX(), 800.0f);
  Tick(400);
  for (const auto& row : rows) {
    EXPECT_EQ(row->Active, 0);
    EXPECT_FLOAT_EQ(row->GetX(), 80.0f);
  }
  HighScoresScreen->Draw();
  EXPECT_EQ(testrig::CountAllocations([] { HighScoresScreen->Draw(); }), 0) << "a frame allocates";
}

TEST_F(EndScreensTest, ARowArrivesWhiteAndTurnsGreenOverItsHold) {
  Game->HighScores->Clear();
  Game->HighScores->Add(u"WWWW", 12345, 7);
  Enter(HighScoresScreen, marker);
  struct Moment { int ticks; int r; };
  // Row 0: its 0 ms wait ends at the first tick, the slide takes 100, the hold 100 more.
  for (const Moment m : {Moment{101, 255}, Moment{50, 177}, Moment{60, 100}}) {
    Tick(m.ticks);
    HighScoresScreen->Draw();
    int r = 0, g = 0, b = 0, n = 0;
    TextColour(80, 200, 300, 240, r, g, b, n);
    SCOPED_TRACE(m.ticks);
    EXPECT_GT(n, 0);
    EXPECT_NEAR(r, m.r, 1);
    EXPECT_EQ(g, 255);
    EXPECT_NEAR(b, m.r, 1);
  }
  // The heads in their own blue, the score ending at 600 and the level at 720.
  int r = 0, g = 0, b = 0, n = 0;
  TextColour(80, 170, 200, 195, r, g, b, n);
  EXPECT_EQ(r, 150);
  EXPECT_EQ(b, 255);
  TextColour(601, 200, 640, 240, r, g, b, n);
  EXPECT_LT(g, 255) << "no row text right of the score column";
  TextColour(500, 200, 600, 240, r, g, b, n);
  EXPECT_EQ(g, 255);
}

TEST_F(EndScreensTest, ClearingAsksFirstAndTheQuestionHoldsEverythingBehindIt) {
  Enter(HighScoresScreen, marker);
  Tick(20);
  const std::string before = TableBytes();
  ASSERT_FALSE(before.empty());
  const TButtonPtr ok = HighScoresScreen->Menu->FindButton(u"OK");
  const TButtonPtr clear = HighScoresScreen->Menu->FindButton(u"clear");
  for (const int yes : {0, 1}) {
    SCOPED_TRACE(yes);
    ClickButton(clear);
    Tick();
    ASSERT_TRUE(HighScoresScreen->DialogYesNo);
    Tick(100);  // fully open
    const float counter = HighScoresScreen->SlideLines->Items()[9]->Counter;
    const int phase = HighScoresScreen->SlideLines->Items()[9]->CurrentPhase;
    const auto question = HighScoresScreen->DialogYesNo;
    ClickButton(ok);
    Tick(5);
    ClickButton(clear);
    Tick(5);
    EXPECT_EQ(Game->GameFade->Active, 0) << "OK behind the question";
    EXPECT_EQ(HighScoresScreen->DialogYesNo, question) << "clear behind the question";
    EXPECT_EQ(HighScoresScreen->SlideLines->Items()[9]->Counter, counter);
    EXPECT_EQ(HighScoresScreen->SlideLines->Items()[9]->CurrentPhase, phase);
    const TButtonPtr answer = HighScoresScreen->DialogYesNo->Menu->FindButton(yes ? u"Yes" : u"No");
    ClickButton(answer);
    for (int i = 0; i < 200 && HighScoresScreen->DialogYesNo; ++i) Tick();
    ASSERT_FALSE(HighScoresScreen->DialogYesNo);
    Tick(5);
    EXPECT_EQ(Game->GameFade->Active, 0) << "the answering click pressed something";
    if (!yes) {
      EXPECT_EQ(TableBytes(), before);
    } else {
      const auto table = TableOnDisk();
      ASSERT_EQ(table.size(), 10u);
      for (const auto& row : table) EXPECT_EQ(row, std::make_tuple(std::u16string(u"Empty"), 0, 0));
      // The new rows slide in anew.
      const auto& rows = HighScoresScreen->SlideLines->Items();
      ASSERT_EQ(rows.size(), 10u);
      EXPECT_EQ(rows[9]->Active, 1);
      EXPECT_EQ(rows[9]->CurrentPhase, 0);
    }
  }
}

TEST_F(EndScreensTest, OkAndEscapeLeadToTheTitleWithTheMusicPlaying) {
  for (const int escape : {0, 1}) {
    SCOPED_TRACE(escape);
    CancelFade();
    Enter(HighScoresScreen, marker);
    Tick();
    if (escape) {
      Key(KEY_ESCAPE);
    } else {
      ClickButton(HighScoresScreen->Menu->FindButton(u"OK"));
    }
    Tick();
    EXPECT_EQ(Game->GameFade->Active, 1);
    EXPECT_EQ(Game->GameFade->Out, 1);
    EXPECT_FALSE(Game->GameFade->Channel);
    EXPECT_EQ(Game->DestinationTScreen, TitleScreen);
    EXPECT_EQ(Game->GameFade->Length, 100);
  }
}

// ------------------------------------------------------------------------ game over

class GameOverTest : public EndScreensTest {
 protected:
  TPlayer& Player() { return *GameScreen->Player; }
  void Arrive(int score, int level = 4) {
    Player().Score = score;
    Player().Level = level;
    Enter(GameOverScreen, marker);
    Tick();
  }
  std::shared_ptr<TGameOverScreen> Screen() {
    return std::static_pointer_cast<TGameOverScreen>(GameOverScreen);
  }
  // Pixels in the prompt's own green, in the band of its two lines.
  int PromptPixels() {
    Screen()->Draw();
    const platform::PixmapPtr band = platform::GrabPixmap(0, 325, 800, 70);
    int n = 0;
    for (int y = 0; y < band->Height(); ++y) {
      for (int x = 0; x < band->Width(); ++x) n += band->ReadPixel(x, y) == 0xFF96FF96u ? 1 : 0;
    }
    return n;
  }
};

TEST_F(GameOverTest, TheLowestScoreQualifiesAndTheNewEntryRanksAboveItsEquals) {
  struct Case {
    const char* what;
    int tableSize;  // 0: the default table
    int score;
    int qualifies;
    int rank;  // where the entry lands, -1 none
    size_t count;
  };
  const Case cases[] = {
      {"equal to the lowest", 0, 1000, 1, 9, 10},
      {"one less", 0, 999, 0, -1, 10},
      {"a tie in the middle", 0, 5000, 1, 5, 10},
      {"above everything", 0, 20000, 1, 0, 10},
      {"a short table always qualifies", 3, 0, 1, 3, 4},
      {"a short table, in the middle", 3, 9500, 1, 1, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(userDir + "vale.dat");
    Game->HighScores->Clear();
    Game->HighScores->Load();
    if (c.tableSize) {
      while (Game->HighScores->Count() > c.tableSize) Game->HighScores->RemoveLast();
      Game->HighScores->Save();
    }
    const auto before = TableOnDisk();
    Arrive(c.score);
    EXPECT_EQ(Screen()->High->HighScore, c.qualifies);
    EXPECT_EQ(Game->BlockKeys, c.qualifies);
    EXPECT_EQ(Screen()->GameTotals->StartY, c.qualifies ? 150 : 240);
    TypeName(u"Zed");
    KeyAndChar(KEY_ENTER, KEY_ENTER);
    Tick();
    const auto after = TableOnDisk();
    EXPECT_EQ(after.size(), c.count);
    if (c.rank < 0) {
      EXPECT_EQ(after, before);
    } else {
      EXPECT_EQ(after[static_cast<size_t>(c.rank)], std::make_tuple(std::u16string(u"Zed"), c.score, 4));
      EXPECT_EQ(std::count_if(after.begin(), after.end(), [](const auto& r) { return std::get<0>(r) == u"Zed"; }), 1);
    }
    EXPECT_EQ(Game->BlockKeys, 0);
    EXPECT_EQ(Game->DestinationTScreen, TitleScreen);  // Enter pressed "OK"
    EXPECT_EQ(Game->GameFade->Channel, Game->MusicChannel);
    CancelFade();
    GameOverScreen->Kill();
  }
}

TEST_F(GameOverTest, NameEntryKeysEscapeAndTheOrderOfEnter) {
  // Escape while typing does nothing; Space types a space; Enter then enters the name once.
  Arrive(1500);
  EXPECT_GT(PromptPixels(), 0) << "the prompt is drawn";
  TypeName(u"a b");
  KeyAndChar(KEY_ESCAPE, KEY_ESCAPE);
  Tick(3);
  EXPECT_EQ(Game->GameFade->Active, 0);
  EXPECT_EQ(Screen()->High->InputName->Text, u"a b");
  EXPECT_EQ(Screen()->High->Active(), 1);
  KeyAndChar(KEY_ENTER, KEY_ENTER);
  Tick(2);
  EXPECT_EQ(Screen()->High->InputName->Done, 1);
  auto table = TableOnDisk();
  EXPECT_EQ(table[9], std::make_tuple(std::u16string(u"a b"), 1500, 4));
  CancelFade();
  GameOverScreen->Kill();

  // An empty name is an entry too; with a fade running the field takes Enter itself, and a
  // later "OK" only leaves.
  Arrive(1500);
  Game->GameFade->Init(FADE_SPEED, 0, nullptr, 1, 0, nullptr);
  // The typed Enter alone: a key-down would end the fade before anything sees it.
  testrig::Post(platform::EVENT_KEYCHAR, KEY_ENTER);
  Tick();
  EXPECT_EQ(Game->GameFade->Active, 1);
  EXPECT_EQ(Screen()->High->InputName->Done, 1);
  EXPECT_EQ(Game->DestinationTScreen, nullptr);
  table = TableOnDisk();
  EXPECT_EQ(table[9], std::make_tuple(std::u16string(), 1500, 4));
  EXPECT_EQ(table[8], std::make_tuple(std::u16string(u"Nora"), 2000, 2));  // the lowest left
  TicksUntilFadeDone();
  const std::string entered = TableBytes();
  // "OK" after the entry only leaves.
  ClickButton(Screen()->Menu->FindButton(u"OK"));
  Tick();
  EXPECT_EQ(Game->DestinationTScreen, TitleScreen);
  EXPECT_EQ(Game->GameFade->Channel, Game->MusicChannel);
  EXPECT_EQ(TableBytes(), entered);
  CancelFade();
  GameOverScreen->Kill();

  // Escape after the entry leaves with the music and leaves the table as the entry left it.
  Arrive(1600);
  testrig::Post(platform::EVENT_KEYCHAR, KEY_ENTER);  // the field's own Enter
  Tick();
  EXPECT_EQ(Game->DestinationTScreen, nullptr);
  const std::string afterEntry = TableBytes();
  EXPECT_NE(afterEntry, entered);
  Key(KEY_ESCAPE);
  Tick();
  EXPECT_EQ(Game->DestinationTScreen, TitleScreen);
  EXPECT_EQ(Game->GameFade->Channel, Game->MusicChannel);
  EXPECT_EQ(TableBytes(), afterEntry);
  CancelFade();
  GameOverScreen->Kill();

  // Without a qualifying score: no field, and Escape leaves with the music.
  Arrive(10);
  EXPECT_EQ(Screen()->High->HighScore, 0);
  EXPECT_EQ(Game->BlockKeys, 0);
  EXPECT_EQ(PromptPixels(), 0) << "a prompt without a place to win";
  Key(KEY_ESCAPE);
  Tick();
  EXPECT_EQ(Game->GameFade->Channel, Game->MusicChannel);
  EXPECT_EQ(Game->DestinationTScreen, TitleScreen);
  EXPECT_EQ(TableBytes(), afterEntry);
}

TEST_F(GameOverTest, ArrivalResetsTheRunOnDiskAndTheTotalsAreLaidOutFromTheScore) {
  auto profile = UseProfile(u"Ann", 17);
  profile->LockedLevel = 19;
  profile->Score = 50000;
  profile->Kills = 300;
  profile->TimeTaken = 9000;
  profile->Save();
  Player().TotalKills = 321;
  Player().TotalTimeTaken = 999;
  Arrive(0);
  auto stored = TProfile::Create(u"Ann");
  stored->Load();
  EXPECT_EQ(stored->CurrentLevel, 1);
  EXPECT_EQ(stored->LockedLevel, 19);
  EXPECT_EQ(stored->Score, 0);
  EXPECT_EQ(stored->Lives, 3);
  EXPECT_EQ(stored->Kills, 0);
  EXPECT_EQ(stored->TimeTaken, 0.0);
  EXPECT_EQ(Player().Score, 0);  // the record keeps the run
  EXPECT_EQ(Player().TotalKills, 321);
  EXPECT_EQ(Game->MusicFileName, u"gameover.ogg");
  EXPECT_EQ(TGameTotals::Seconds(999), 4);
  EXPECT_EQ(TGameTotals::Seconds(1000), 5);
  EXPECT_EQ(TGameTotals::Seconds(-5), 0);

  // Measured in the UI font, whose lines keep clear of each other 40 pixels apart.
  platform::SetImageFont(UIFont);
  const int label = platform::TextWidth(u"Total Score");
  for (const int score : {0, 123456}) {
    SCOPED_TRACE(score);
    Player().Score = score;
    const TGameTotalsPtr totals = TGameTotals::Create();
    const int w = label + 50 + platform::TextWidth(S(std::to_string(score)));
    EXPECT_EQ(totals->w, w);
    EXPECT_EQ(totals->col1, (800 - w) / 2);
    EXPECT_EQ(totals->col2, totals->col1 + label + 50);
    ASSERT_EQ(totals->Count(), 3);
    for (int i = 0; i < 3; ++i) {
      const TSlideLine& line = *totals->Items()[static_cast<size_t>(i)];
      EXPECT_FLOAT_EQ(line.Length[0], 6.0f * static_cast<float>(i));
      EXPECT_FLOAT_EQ(line.Length[1], 60.0f);
      EXPECT_FLOAT_EQ(line.Length[2], 100.0f);
      EXPECT_FLOAT_EQ(line.StartX[1], static_cast<float>(-w));
      EXPECT_FLOAT_EQ(line.EndY[2], 150.0f + 40.0f * static_cast<float>(i));
    }
    totals->CentreVert();
    EXPECT_EQ(totals->StartY, 240);
  }

  // Drawn at rest: yellow labels, cyan values, the value column at col2.
  Screen()->GameTotals = TGameTotals::Create();
  Player().Score = 0;
  Tick(300);
  Screen()->Draw();
  EXPECT_EQ(testrig::CountAllocations([this] { Screen()->Draw(); }), 0) << "a frame allocates";
  const TGameTotals& totals = *Screen()->GameTotals;
  int r = 0, g = 0, b = 0, n = 0;
  for (int i = 0; i < 3; ++i) {
    const int y = totals.StartY + 40 * i;
    TextColour(totals.col1, y, totals.col2 - 20, y + 30, r, g, b, n);
    EXPECT_EQ(std::make_tuple(r, g, b), std::make_tuple(255, 255, 0)) << i;
    TextColour(totals.col2, y, totals.col2 + 40, y + 30, r, g, b, n);
    EXPECT_EQ(std::make_tuple(r, g, b), std::make_tuple(0, 255, 255)) << i;
  }
}

TEST_F(GameOverTest, LosingTheLastLifeFadesSlowlyWithTheMusicToThisScreen) {
  Enter(marker, nullptr);
  Player().Lives = 0;
  Player().DeathCounter = 1;
  Player().Score = 10;
  Player().Manage();
  EXPECT_EQ(Game->GameFade->Active, 1);
  EXPECT_EQ(Game->GameFade->Length, 300);
  EXPECT_EQ(Game->GameFade->Channel, Game->MusicChannel);
  EXPECT_EQ(Game->DestinationTScreen, GameOverScreen);
  EXPECT_EQ(TicksUntilFadeDone(), 300);
  Tick();
  EXPECT_EQ(Game->CurrentTScreen, GameOverScreen);
  EXPECT_EQ(GameOverScreen->name, u"gameover");
}

// ------------------------------------------------------------------------ outro

TEST_F(EndScreensTest, OutroActsOnTheFirstContinueOnly) {
  Enter(OutroScreen, marker);
  EXPECT_EQ(OutroScreen->name, u"outro");
  EXPECT_FLOAT_EQ(OutroScreen->glow->Speed, 1.5f);
  Tick(240);
  EXPECT_NEAR(OutroScreen->glow->Counter, 0.0f, 1e-3);  // one pulse is 240 ticks
  EXPECT_EQ(OutroScreen->Menu, nullptr);
  Click(400, 300);
  Tick();
  EXPECT_EQ(Game->DestinationTScreen, Game->ExitScreen);
  EXPECT_EQ(Game->GameFade->Channel, Game->MusicChannel);
  const platform::ChannelPtr channel = OutroScreen->ClickChannel;
  ASSERT_TRUE(channel);
  EXPECT_TRUE(platform::ChannelPlaying(channel));
  EXPECT_EQ(channels->Count(u"BUTTONCLICK"), 0);  // not through the pool
  Tick(10);
  EXPECT_EQ(Game->GameFade->Active, 1);
  // A continue the fade does not take (it finishes the fade on its own) reaches the screen:
  // it neither plays the click again nor touches the fade.
  platform::StopChannel(channel);
  const float counter = Game->GameFade->Counter;
  KeyAndChar(KEY_ENTER, KEY_ENTER);
  Game->DoPeekEvent();
  OutroScreen->Logic();
  EXPECT_FALSE(platform::ChannelPlaying(channel));
  EXPECT_EQ(OutroScreen->ClickChannel, channel);
  EXPECT_EQ(Game->GameFade->Counter, counter);
  EXPECT_EQ(Game->GameFade->Length, 100);
  OutroScreen->Kill();
  EXPECT_FALSE(OutroScreen->ClickChannel);
}

TEST_F(EndScreensTest, OutroPromptPulsesByAddingLight) {
  // A flat grey prompt over a black picture shows the added light alone.
  auto grey = std::make_shared<platform::Pixmap>(40, 20, 0xFF808080u);
  Enter(OutroScreen, marker);
  OutroScreen->Image = platform::LoadImageFromPixmap(std::make_shared<platform::Pixmap>(800, 600, 0xFF000000u), 0);
  OutroScreen->ClickImage = TGameImage::CreateFromImage(platform::LoadImageFromPixmap(grey, 0), u"click", 1);
  EXPECT_FLOAT_EQ(OutroScreen->PromptY(), 585.0f);
  struct Case { float angle; int level; };
  for (const Case c : {Case{90.0f, 128}, Case{270.0f, 191}, Case{0.0f, 159}}) {
    OutroScreen->glow->SetCounter(c.angle);
    OutroScreen->Draw();
    const uint32_t p = PixelAt(400, 585);
    EXPECT_NEAR(static_cast<int>((p >> 16) & 0xFF), c.level, 2) << c.angle;
    EXPECT_NEAR(static_cast<int>(p & 0xFF), c.level, 2) << c.angle;
    EXPECT_EQ(PixelAt(400, 574), 0xFF000000u);  // above the prompt's top edge
    EXPECT_NE(PixelAt(400, 575), 0xFF000000u);
    EXPECT_EQ(PixelAt(400, 595), 0xFF000000u);  // 5 px above the bottom
  }
}

}  // namespace
}  // namespace screentest
