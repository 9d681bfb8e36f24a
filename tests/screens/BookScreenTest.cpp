// The story book and the game-finished page, headless on the generated data folder.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "core/Globals.h"
#include "core/TGame.h"
#include "gfx/TGameFade.h"
#include "platform/Audio.h"
#include "platform/FileSystem.h"
#include "platform/Image.h"
#include "play/TGameScreen.h"
#include "screens/TBookScreen.h"
#include "screens/TGameFinishedScreen.h"
#include "screens/TInstructionsScreen.h"
#include "screens/TLevelSelectScreen.h"
#include "screens/TTitleScreen.h"
#include "support/ScreenRig.h"
#include "support/TestRig.h"
#include "ui/TButton.h"
#include "ui/TMenu.h"

namespace {

using screentest::ScreenTest;

// The screen the book leads to before a level.
class PlayStandIn : public TScreen {
 public:
  PlayStandIn() { name = u"game"; }
};

bool SameImage(const platform::ImagePtr& image, const std::string& file) {
  const platform::ImagePtr expected = platform::LoadImage(S(file), 0);
  const platform::PixmapPtr a = platform::LockImage(image);
  const platform::PixmapPtr b = platform::LockImage(expected);
  if (!a || !b) return false;
  for (int y = 0; y < 600; y += 37) {
    for (int x = 0; x < 800; x += 41) {
      if (a->ReadPixel(x, y) != b->ReadPixel(x, y)) return false;
    }
  }
  return true;
}

class BookTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    if (IsSkipped()) return;
    play = std::make_shared<PlayStandIn>();
    book = BookScreen;
  }

  // A story whose every level holds `level` (lines joined with CR LF).
  void Story(const std::vector<std::string>& level) {
    std::string text;
    for (const std::string& line : level) text += line + "\r\n";
    std::string file;
    for (int c = 1; c <= 10; ++c) {
      file += "Chapter" + std::to_string(c) + "\r\nHeading\r\n";
      for (int l = 1; l <= 5; ++l) file += std::to_string(l) + ")\r\n" + text;
    }
    storyFile = userDir + "story.txt";
    testrig::WriteFileBytes(storyFile, file);
    book->StoryPath = S(storyFile);
  }

  // The book opened from the map for the profile's level.
  void OpenFromMap(int level) {
    UseProfile(u"Heather", level);
    book->ShowTornado = 0;
    book->FinalDestination = play;
    Enter(book, LevelSelectScreen);
  }

  // Opened again from the map at the same level, and clicked to the end of a one-page story.
  void ReadThrough() {
    book->FinalDestination = play;
    Enter(book, LevelSelectScreen);
    for (int i = 0; i < 3; ++i) {
      Click(10, 10);
      Tick();
    }
  }

  std::shared_ptr<TButton> Arrow() { return book->Menu->FindButton(u"OK"); }

  int Clicks() { return channels->Count(u"BUTTONCLICK"); }

  std::string Graphic(const std::string& name) {
    return testrig::ResourcesDir() + "Data/graphics/" + name;
  }

  std::shared_ptr<PlayStandIn> play;
  std::shared_ptr<TBookScreen> book;
  std::string storyFile;
};

// Letters every sixth tick, blank lines free, at most 13 lines a page, every tick consistent.
TEST_F(BookTest, TypesLetterByLetterAndStopsAtTheEndOfThePage) {
  std::vector<std::string> lines = {"abc", "", "", "de"};
  for (int i = 0; i < 20; ++i) lines.push_back("line" + std::to_string(i));
  Story(lines);
  OpenFromMap(3);  // chapter 1, level 3: straight onto the book
  ASSERT_EQ(book->TextPage, 1);
  EXPECT_EQ(book->TotalLines, 24);
  EXPECT_EQ(book->TotalPages, 2);
  EXPECT_EQ(Arrow()->x, 351.0f);
  EXPECT_EQ(Arrow()->y, 505.0f);
  EXPECT_EQ(Arrow()->FramesTotal, 19);

  std::vector<int> letterTicks;
  int lastChar = book->CurrentChar;
  int lastLine = book->CurrentLine;
  for (int tick = 1; tick <= 40; ++tick) {
    Tick();
    if (book->CurrentChar != lastChar || book->CurrentLine != lastLine) letterTicks.push_back(tick);
    lastChar = book->CurrentChar;
    lastLine = book->CurrentLine;
    if (tick == 18) {
      // "abc" complete at 3 x 6 ticks, and the two blank lines passed in the same tick.
      EXPECT_EQ(book->CurrentLine, 3);
      EXPECT_EQ(book->CurrentChar, 1);
    }
  }
  EXPECT_EQ(letterTicks, (std::vector<int>{6, 12, 18, 24, 30, 36}));

  for (int tick = 0; tick < 2000 && book->Writing; ++tick) {
    Tick();
    ASSERT_LE(book->CurrentLine, 13);
    ASSERT_GE(book->CurrentChar, 1);
  }
  EXPECT_EQ(book->Writing, 0);
  EXPECT_EQ(book->CurrentLine, 13);
  EXPECT_EQ(Arrow()->FramesTotal, 19) << "not the last page: still the arrow";

  Click(20, 20);  // turns to the second page
  Tick();
  EXPECT_EQ(book->Page, 1);
  EXPECT_EQ(book->StartLine, 13);
  EXPECT_EQ(book->Writing, 1);
  for (int tick = 0; tick < 2000 && book->Writing; ++tick) Tick();
  EXPECT_EQ(book->CurrentLine, 11);
  EXPECT_EQ(Arrow()->FramesTotal, 0) << "the last page, complete: the OK button";
  EXPECT_EQ(Arrow()->x, 366.0f);
  EXPECT_EQ(Arrow()->w, 120);
}

TEST_F(BookTest, AClickCompletesThePageThenTurnsIt) {
  Story({"The first line of the page.", "The second.", "The third."});
  OpenFromMap(2);
  Tick(7);
  ASSERT_EQ(book->Writing, 1);

  Click(700, 100);
  Tick();
  EXPECT_EQ(book->Writing, 0);
  EXPECT_EQ(book->Page, 0);
  EXPECT_EQ(book->CurrentLine, 3);
  EXPECT_EQ(Clicks(), 1);
  EXPECT_EQ(Arrow()->FramesTotal, 0);
  EXPECT_EQ(Game->GameFade->Active, 0);

  // A click on the button itself: the button takes it, and the page turns once.
  Click(static_cast<int>(Arrow()->x) + 10, static_cast<int>(Arrow()->y) + 10);
  Tick();
  EXPECT_EQ(book->Page, 1);
  EXPECT_EQ(Clicks(), 2);
  EXPECT_EQ(Game->GameFade->Active, 1);
  EXPECT_EQ(Game->DestinationTScreen, play);
}

// The first level of a chapter opens on the chapter's picture with only the arrow.
TEST_F(BookTest, PicturePageThenTheOpenBook) {
  Story({"Words on the page."});
  OpenFromMap(11);  // chapter 3, level 1
  EXPECT_EQ(book->Chapter, 3);
  EXPECT_EQ(book->SubLevel, 1);
  EXPECT_EQ(book->TextPage, 0);
  EXPECT_EQ(book->TotalPages, 2);
  EXPECT_TRUE(SameImage(book->Image, Graphic("chpt 3.jpg")));
  Tick(30);
  EXPECT_EQ(book->CurrentChar, 1) << "nothing is typed on the picture page";

  book->Draw();
  const platform::PixmapPtr picture = platform::LockImage(book->Image);
  EXPECT_PIXEL_NEAR(PixelAt(410, 80), picture->ReadPixel(410, 80));  // no heading
  EXPECT_PIXEL_NEAR(PixelAt(300, 125), picture->ReadPixel(300, 125));  // no rule

  Key(KEY_ENTER);
  Tick();
  EXPECT_EQ(book->Page, 1);
  EXPECT_EQ(book->TextPage, 1);
  EXPECT_TRUE(SameImage(book->Image, Graphic("book open.jpg")));
  Tick(6);
  EXPECT_EQ(book->CurrentChar, 2);
}

// A new profile: its first level page leads to the instructions once, and the flag is saved.
TEST_F(BookTest, FirstLevelPageShowsTheInstructionsOnce) {
  Story({"A short page."});
  OpenFromMap(1);
  EXPECT_TRUE(SameImage(book->Image, Graphic("chpt 1.jpg")));
  Click(10, 10);  // picture page -> text
  Tick();
  Click(10, 10);  // complete
  Tick();
  Click(10, 10);  // leave
  Tick();
  EXPECT_EQ(Game->DestinationTScreen, InstructionsScreen);
  EXPECT_EQ(InstructionsScreen->Destination, GameScreen);
  EXPECT_EQ(Game->GameFade->Channel, nullptr) << "the music plays on";
  const std::string bytes = testrig::ReadFileBytes(userDir + "profiles/Heather.dat");
  ASSERT_GE(bytes.size(), 104u);
  EXPECT_EQ(bytes.substr(100, 4), std::string("\1\0\0\0", 4));
  EXPECT_EQ(TicksUntilFadeDone(), 100);
  EXPECT_EQ(Game->CurrentTScreen, InstructionsScreen);

  // The next visit of the same page goes straight to the level, the music fading.
  Game->CurrentProfile->Load();
  ReadThrough();
  EXPECT_EQ(Game->DestinationTScreen, play);
  EXPECT_EQ(Game->GameFade->Channel, Game->MusicChannel);
}

TEST_F(BookTest, IntroductionLeadsToTheMapWithoutSpendingTheFlag) {
  UseProfile(u"Heather", 1);
  book->ShowTornado = 1;
  book->FinalDestination = LevelSelectScreen;
  Enter(book, TitleScreen);
  EXPECT_TRUE(SameImage(book->Image, Graphic("chpt 0.jpg")));
  EXPECT_EQ(book->TotalPages, 2);
  EXPECT_EQ(book->TotalLines, 11);
  for (int i = 0; i < 3; ++i) {
    Click(10, 10);
    Tick();
  }
  EXPECT_EQ(Game->DestinationTScreen, LevelSelectScreen);
  EXPECT_EQ(Game->GameFade->Channel, nullptr);
  EXPECT_EQ(Game->CurrentProfile->HintsShown[15], 0);
  const std::string bytes = testrig::ReadFileBytes(userDir + "profiles/Heather.dat");
  EXPECT_EQ(bytes.substr(100, 4), std::string(4, '\0'));
}

TEST_F(BookTest, EscapeGoesToTheTitleWithTheMusicPlaying) {
  Story({"Some words."});
  OpenFromMap(4);
  Key(KEY_ESCAPE);
  Tick();
  EXPECT_EQ(Game->DestinationTScreen, TitleScreen);
  EXPECT_EQ(Game->GameFade->Active, 1);
  EXPECT_EQ(Game->GameFade->Channel, nullptr);
}

// No text at all: the heading only, and one click leaves; the routes are still taken.
TEST_F(BookTest, EmptyPagesAreLeftByOneClick) {
  for (const std::string& story : {std::string("missing"), std::string("empty")}) {
    SCOPED_TRACE(story);
    book->StoryPath = S(userDir + story + ".txt");
    if (story == "empty") testrig::WriteFileBytes(userDir + "empty.txt", "");

    book->StoryPath = S(userDir + story + ".txt");
    UseProfile(u"Ann" + S(story), 6);  // chapter 2, level 1: picture page only
    book->FinalDestination = play;
    Enter(book, LevelSelectScreen);
    EXPECT_EQ(book->TotalLines, 0);
    EXPECT_EQ(book->TotalPages, 1);
    Click(10, 10);
    Tick();
    EXPECT_EQ(Game->DestinationTScreen, play);
    TicksUntilFadeDone();

    UseProfile(u"Bea" + S(story), 8);  // chapter 2, level 3
    book->FinalDestination = play;
    Enter(book, LevelSelectScreen);
    EXPECT_EQ(book->TotalPages, 0);
    Tick(6);
    EXPECT_EQ(book->Writing, 0);
    book->Draw();  // the heading and no line
    Click(10, 10);
    Tick();
    EXPECT_EQ(Game->DestinationTScreen, play);
    TicksUntilFadeDone();
  }
}

// A damaged profile never makes the book ask for a picture that does not exist.
TEST_F(BookTest, LevelsOutOfRangeStayInsideTheGame) {
  Story({"Text."});
  const std::vector<std::pair<int, std::pair<int, int>>> levels = {
      {0, {1, 1}}, {51, {10, 5}}, {-7, {1, 1}}, {INT_MAX, {10, 5}}, {INT_MIN, {1, 1}}, {27, {6, 2}}};
  for (const auto& [level, place] : levels) {
    OpenFromMap(level);
    EXPECT_EQ(book->Chapter, place.first) << level;
    EXPECT_EQ(book->SubLevel, place.second) << level;
  }
  // Without any profile the book opens at the start and its last page goes on.
  Game->CurrentProfile.reset();
  ReadThrough();
  EXPECT_EQ(Game->DestinationTScreen, play);
}

class GameFinishedTest : public ScreenTest {};

// OK, a click, Enter, Space and Escape all fade for 300 ticks, music too, to the title.
TEST_F(GameFinishedTest, EveryWayOutFadesSlowlyToTheTitle) {
  const std::vector<std::string> ways = {"ok", "click", "enter", "space", "escape"};
  for (const std::string& way : ways) {
    SCOPED_TRACE(way);
    Enter(GameFinishedScreen, std::make_shared<TScreen>());
    EXPECT_EQ(Game->MusicFileName, u"gamefinished.ogg");
    EXPECT_TRUE(platform::ChannelPlaying(Game->MusicChannel));
    const TButtonPtr ok = GameFinishedScreen->Menu->FindButton(u"OK");
    EXPECT_EQ(ok->x, 353.0f);
    EXPECT_EQ(ok->y, 505.0f);
    platform::StopChannel(Game->EscapeChannel);
    const int clicksBefore = channels->Count(u"BUTTONCLICK");

    if (way == "ok") Click(static_cast<int>(ok->x) + 5, static_cast<int>(ok->y) + 5);
    if (way == "click") Click(100, 100, 2);
    if (way == "enter") Key(KEY_ENTER);
    if (way == "space") Key(KEY_SPACE);
    if (way == "escape") Key(KEY_ESCAPE);
    Tick();
    EXPECT_EQ(Game->GameFade->Active, 1);
    EXPECT_EQ(Game->DestinationTScreen, TitleScreen);
    EXPECT_EQ(Game->GameFade->Channel, Game->MusicChannel);
    EXPECT_EQ(Game->GameFade->Length, 300);
    EXPECT_EQ(platform::ChannelPlaying(Game->EscapeChannel), way == "escape");
    EXPECT_EQ(channels->Count(u"BUTTONCLICK") - clicksBefore,
              way == "ok" || way == "click" || way == "enter" || way == "space" ? 1 : 0);
    // Escape starts its fade before the fade's own step of that tick, so that tick counts.
    const int ticks = TicksUntilFadeDone() + (way == "escape" ? 1 : 0);
    EXPECT_EQ(ticks, 300);
    EXPECT_EQ(Game->CurrentTScreen, TitleScreen);
  }
}

}  // namespace
