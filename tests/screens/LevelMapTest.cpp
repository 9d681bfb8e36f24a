// The level map: the zoom and scroll arithmetic, edge scrolling, the clouds, the chapter rules,
// the choice and the exits.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "support/LevelMapRig.h"
#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TProfile.h"
#include "core/TSoundBank.h"
#include "gfx/TImageBank.h"
#include "gfx/TGameFade.h"
#include "platform/Audio.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/FileSystem.h"
#include "support/FrameworkState.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "platform/Image.h"
#include "play/TGameScreen.h"
#include "screens/TBookScreen.h"
#include "screens/TLevelSelectScreen.h"
#include "screens/TTitleScreen.h"
#include "text/GameFonts.h"
#include "ui/TLoadingScreen.h"
#include "ui/TMenu.h"

namespace screentest {
namespace {

using LevelMapTest = LevelMapRig;

TEST_F(LevelMapTest, ChaptersOpenByTheHighestLevelReachedAndNeverBelowTheCurrentOne) {
  struct Case { int unlocked, chapter, opened; };
  for (const Case c : {Case{1, 1, 1}, Case{5, 1, 1}, Case{6, 1, 2}, Case{10, 2, 2}, Case{46, 1, 10},
                       Case{50, 10, 10}, Case{51, 1, 11}, Case{0, 10, 10}, Case{-2147483647 - 1, 3, 3},
                       Case{2147483647, 1, 11}}) {
    EXPECT_EQ(TLevelSelectScreen::ChapterUnlockedFor(c.unlocked, c.chapter), c.opened) << c.unlocked;
  }
}

TEST_F(LevelMapTest, EntryZoomRunsFromTheFittedMapIntoTheChapter) {
  EnterAt(1, 1, false);  // Start runs the zoom's first tick
  EXPECT_FLOAT_EQ(map->FitScale(), 0.8f);
  EXPECT_EQ(Game->Mouse->Active, 0);
  const float counter = map->Zoom->Counter;
  map->Zoom->Counter = map->Zoom->Length[0];  // the zoom's very start
  map->Scale = map->CalcScale(0);
  map->Draw();
  EXPECT_NEAR(map->ScrollX, -112.0f, 1e-3);
  EXPECT_NEAR(map->ScrollY, -100.0f, 1e-3);
  map->Zoom->Counter = counter;
  EXPECT_EQ(map->Menu->FindButton(u"back")->Active, 0);
  Tick(98);
  EXPECT_EQ(Game->Mouse->Active, 0);
  Tick();
  EXPECT_EQ(map->Zoom->Active, 0);
  EXPECT_EQ(map->Scale, 0.0f);
  EXPECT_EQ(map->ScrollX, -479.0f);
  EXPECT_EQ(map->ScrollY, 0.0f);
  EXPECT_EQ(Game->Mouse->x, 879 - 479 + 20);
  EXPECT_EQ(Game->Mouse->y, 137);
  EXPECT_EQ(Game->Mouse->Active, 1);
  EXPECT_EQ(map->Menu->FindButton(u"start")->Active, 1);
  for (const auto& cloud : map->Clouds) ASSERT_TRUE(cloud);

  struct Case { int level; float x, y; };
  for (const Case c : {Case{6, 400 - 783, 0}, Case{50, -275, -265}}) {
    map->Kill();
    EnterAt(c.level, c.level);
    EXPECT_EQ(map->ScrollX, c.x) << c.level;
    EXPECT_EQ(map->ScrollY, c.y) << c.level;
    const auto& p = map->Coords[static_cast<size_t>(map->Chapter - 1)];
    EXPECT_EQ(Game->Mouse->x, static_cast<int>(p->X + map->ScrollX) + 20);
  }
}

// Relative luminance of a pixel.
double Luminance(uint32_t px) {
  const auto lin = [](uint32_t v) {
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin((px >> 16) & 0xFF) + 0.7152 * lin((px >> 8) & 0xFF) + 0.0722 * lin(px & 0xFF);
}

// Every chapter's name, over its own stretch of the map and its marker, stands out at least
// 4.5:1 from what lies behind its letters (its plate, drawn with it); a cloud drifting over it
// leaves it at least 2.5:1. Within what the name changes on the screen, its letters are the
// brightest tenth and what lies behind them the middle.
TEST_F(LevelMapTest, ChapterNamesReadOverTheirPlaces) {
  EnterAt(46, 50);
  const float w = static_cast<float>(map->Image->width), h = static_cast<float>(map->Image->height);
  const auto captionContrast = [&](int chapter) {
    map->LastMOIndex = -1;
    map->Draw();
    const platform::PixmapPtr without = platform::GrabPixmap(0, 0, 800, 600);
    map->LastMOIndex = chapter - 1;
    map->Draw();
    const platform::PixmapPtr with = platform::GrabPixmap(0, 0, 800, 600);
    const testrig::DrawnChange change = testrig::CompareFrames(*with, *without);
    std::vector<double> lum;
    for (int y = change.top; y <= change.bottom; ++y) {
      for (int x = change.left; x <= change.right; ++x) lum.push_back(Luminance(with->ReadPixel(x, y)));
    }
    if (lum.empty()) return 1.0;
    std::sort(lum.begin(), lum.end());
    return (lum[lum.size() * 9 / 10] + 0.05) / (lum[lum.size() / 2] + 0.05);
  };
  for (int c = 1; c <= 10; ++c) {
    SCOPED_TRACE(c);
    const auto& p = map->Coords[static_cast<size_t>(c - 1)];
    map->ScrollX = std::clamp(400.0f - p->X, 800.0f - w, 0.0f);
    map->ScrollY = std::clamp(300.0f - p->Y, 600.0f - h, 0.0f);
    CloudsAway();
    EXPECT_GE(captionContrast(c), 4.5);
    map->Clouds[0]->x = p->X + map->ScrollX;
    map->Clouds[0]->y = p->Y + map->ScrollY - 30.0f;
    EXPECT_GE(captionContrast(c), 2.5);
  }
}

// A chapter's name plate lies under its name only while the name is written: where a name is
// not drawn, its place on the screen is not far darker than the ground at either side of it (a
// landmark may stand there; a plate leaves a tenth of the light). Every chapter's own view is
// looked at, and every name place it shows clear of the heading and the buttons.
TEST_F(LevelMapTest, NoNamePlateWhereNoNameIsWritten) {
  const auto luminance = [](const platform::Pixmap& p, int x0, int y0, int x1, int y1) {
    double sum = 0;
    int n = 0;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x, ++n) sum += Luminance(p.ReadPixel(x, y));
    }
    return n ? sum / n : 0.0;
  };
  int looked = 0;
  for (int chapter = 1; chapter <= 10; ++chapter) {
    if (chapter > 1) map->Kill();
    EnterAt(5 * chapter - 4, 50);
    CloudsAway();
    map->LastMOIndex = -1;
    map->Draw();
    const platform::PixmapPtr frame = platform::GrabPixmap(0, 0, 800, 600);
    platform::SetImageFont(MapFont);
    for (int c = 1; c <= 10; ++c) {
      const String name = u"Chapter " + platform::FromUtf8(std::to_string(c));
      const auto& p = map->Coords[static_cast<size_t>(c - 1)];
      const int w = platform::TextWidth(name), h = platform::TextHeight(name);
      const int x0 = static_cast<int>(p->X + map->ScrollX - 4.0f) - w / 2;
      const int y0 = static_cast<int>(p->Y + map->ScrollY + map->Locked->h2 - 80.0f);
      if (x0 - 40 < 0 || x0 + w + 40 > 800 || y0 < 100 || y0 + h > 470) continue;
      SCOPED_TRACE("chapter " + std::to_string(c) + " in chapter " + std::to_string(chapter) + "'s view");
      const double place = luminance(*frame, x0, y0, x0 + w, y0 + h);
      const double sides = (luminance(*frame, x0 - 40, y0, x0 - 10, y0 + h) +
                            luminance(*frame, x0 + w + 10, y0, x0 + w + 40, y0 + h)) / 2;
      EXPECT_GE(place, 0.4 * sides);
      ++looked;
    }
  }
  EXPECT_GE(looked, 20);
}

TEST_F(LevelMapTest, ScrollStaysInsideThePictureWhateverThePointerDoes) {
  EnterAt(1, 1);
  struct Edge { int mx, my; float dx, dy; };
  for (const Edge e : {Edge{0, 300, 2, 0}, Edge{59, 300, 2.0f / 60, 0}, Edge{60, 300, 0, 0},
                       Edge{740, 300, 0, 0}, Edge{741, 300, -2.0f / 60, 0}, Edge{400, 0, 0, 2},
                       Edge{400, 59, 0, 2.0f / 60}, Edge{400, 540, 0, 0}, Edge{400, 541, 0, -2.0f / 60}}) {
    map->ScrollX = -300;
    map->ScrollY = -200;
    Game->Mouse->x = e.mx;
    Game->Mouse->y = e.my;
    Delta = 1.0f;
    map->EdgeScroll();
    EXPECT_NEAR(map->ScrollX, -300 + e.dx, 1e-4) << e.mx << "," << e.my;
    EXPECT_NEAR(map->ScrollY, -200 + e.dy, 1e-4) << e.mx << "," << e.my;
  }
  platform::SeedRnd(11);
  for (int step = 0; step < 3000; ++step) {
    testrig::Post(platform::EVENT_MOUSEMOVE, 0, platform::Rand(-50, 850), platform::Rand(-50, 650));
    Tick();
    ASSERT_GE(map->ScrollX, 800.0f - 1280.0f);
    ASSERT_LE(map->ScrollX, 0.0f);
    ASSERT_GE(map->ScrollY, 600.0f - 1000.0f);
    ASSERT_LE(map->ScrollY, 0.0f);
    ASSERT_GE(map->Angle, 0.0f);
    ASSERT_LT(map->Angle, 360.0f);
  }
  map->Angle = 359.8f;
  Tick();
  EXPECT_NEAR(map->Angle, 0.3f, 1e-4);
}

TEST_F(LevelMapTest, CloudsFollowTheirDrawOrderAndComeBackFromBelow) {
  EnterAt(1, 1, false);
  platform::SeedRnd(5);
  Tick(99);  // the entry zoom's last tick
  platform::SeedRnd(5);
  for (int i = 0; i < 5; ++i) {
    const int y = platform::Rand(0, 600);
    const int x = platform::Rand(0, 800);
    const int slot = platform::Rand(0, 5);
    const double dx = platform::Rnd(0.1, 0.3);
    const double dy = platform::Rnd(-0.3, -0.1);
    const bool moved = platform::Rand(0, 100) < 50;
    const auto& cloud = *map->Clouds[static_cast<size_t>(i)];
    EXPECT_EQ(cloud.image, map->CloudImages[static_cast<size_t>(slot)]);
    // Made at the zoom's end and moved once in the same tick.
    const float x0 = moved ? static_cast<float>(x) - (800 - cloud.w2) : static_cast<float>(x);
    const float y0 = moved ? static_cast<float>(y) + 600 + cloud.h2 : static_cast<float>(y);
    EXPECT_NEAR(cloud.x, x0 + static_cast<float>(dx), 1e-3);
    EXPECT_NEAR(cloud.y, y0 + static_cast<float>(dy), 1e-3);
    EXPECT_FLOAT_EQ(cloud.dx, static_cast<float>(dx));
    EXPECT_FLOAT_EQ(cloud.dy, static_cast<float>(dy));
    EXPECT_GE(cloud.dx, 0.1f);
    EXPECT_LT(cloud.dx, 0.3f);
    EXPECT_EQ(cloud.Alpha, 0.8f);
  }
  // A cloud gone through the top drifts on unseen until it passes the right edge.
  auto& cloud = map->Clouds[0];
  cloud->x = 700;
  cloud->y = -cloud->h2 - 1;
  cloud->dx = 0.25f;
  cloud->dy = -0.2f;
  const auto first = cloud;
  Game->Mouse->x = 400;
  Game->Mouse->y = 300;
  while (cloud == first) {
    ASSERT_LE(first->x, 800.0f + 1.0f);
    Tick();
  }
  EXPECT_GT(first->x, 800.0f);
  EXPECT_GT(cloud->y, 600.0f);
  EXPECT_LT(cloud->x, 0.0f + cloud->w2);
}

TEST_F(LevelMapTest, MarkerBoxesAreAsymmetricAndTheLowerIndexWins) {
  EnterAt(1, 1);
  const auto& p = map->Coords[2];
  const float sx = p->X + map->ScrollX, sy = p->Y + map->ScrollY;
  struct Case { float dx, dy; int on; };
  for (const Case c : {Case{0, -49, 1}, Case{0, -50, 1}, Case{0, -51, 0}, Case{0, 24, 1}, Case{0, 25, 0},
                       Case{-60, 0, 1}, Case{59, 0, 1}, Case{60, 0, 0}}) {
    Game->Mouse->x = static_cast<int>(sx + c.dx);
    Game->Mouse->y = static_cast<int>(sy + c.dy);
    map->MarkerTest();
    EXPECT_EQ(map->MOIndex == 2, c.on == 1) << c.dx << "," << c.dy;
  }
  // Chapters 7 (373, 160) and 8 (354, 228): the box of 7 reaches down to 185, that of 8 up to 178.
  map->ScrollX = -100;
  map->ScrollY = 0;
  Game->Mouse->x = 373 - 100;
  Game->Mouse->y = 180;
  map->MarkerTest();
  EXPECT_EQ(map->MOIndex, 6);
}

TEST_F(LevelMapTest, ChoicesFollowTheUnlockRules) {
  struct Case { int level, unlocked, click, chosen; };
  // chosen 0: refused with "invalid".
  for (const Case c : {Case{1, 1, 2, 0}, Case{7, 7, 1, 0}, Case{7, 7, 2, 7}, Case{50, 50, 3, 11},
                       Case{1, 51, 10, 46}, Case{1, 51, 1, 1}, Case{12, 12, 4, 0}}) {
    SCOPED_TRACE(std::to_string(c.level) + " " + std::to_string(c.click));
    Game->GameFade = std::make_shared<TGameFade>();
    EnterAt(c.level, c.unlocked);
    channels->played.clear();
    ClickChapter(c.click);
    if (c.chosen == 0) {
      EXPECT_EQ(channels->Count(u"INVALID"), 1);
      EXPECT_EQ(map->ZoomIn, 1);
      EXPECT_EQ(SavedLevel(), c.level);
    } else {
      EXPECT_EQ(channels->Count(u"TORNADOMAP"), 1);
      EXPECT_EQ(map->ZoomIn, 0);
      auto saved = TProfile::Create(u"Heather");
      saved->Load();
      EXPECT_EQ(saved->CurrentLevel, c.chosen);
      EXPECT_EQ(saved->LockedLevel, c.unlocked + 1);
    }
    map->Kill();
  }
}

TEST_F(LevelMapTest, TheChoiceZoomsOutOnceAndFadesToTheBook) {
  EnterAt(1, 1);
  map->ScrollX = -300.7f;
  Tick();
  const float scrollAtChoice = map->ScrollX;
  Key(KEY_ENTER);
  Tick();
  EXPECT_EQ(map->ZoomIn, 0);
  EXPECT_EQ(map->LastX, static_cast<int>(scrollAtChoice));
  map->Draw();
  EXPECT_NEAR(map->ScrollX, static_cast<float>(map->LastX), 1.0f);
  // Ignored while zooming: keys, marker clicks, "start".
  channels->played.clear();
  Key(KEY_SPACE);
  ClickChapter(1);
  EXPECT_TRUE(channels->played.empty());
  int ticks = 1;
  while (!Game->GameFade->Active && ticks < 200) {
    Tick();
    ++ticks;
  }
  EXPECT_EQ(ticks, 100);
  map->Draw();
  EXPECT_NEAR(map->Scale, 0.4f, 1e-5);
  EXPECT_NEAR(map->ScrollX, 32.0f, 1e-3);
  EXPECT_NEAR(map->ScrollY, 0.0f, 1e-3);
  EXPECT_EQ(Game->GameFade->Channel, nullptr);
  EXPECT_EQ(Game->DestinationTScreen, BookScreen);
  EXPECT_EQ(BookScreen->FinalDestination, GameScreen);
  EXPECT_EQ(BookScreen->ShowTornado, 0);
  // The band the scaled map leaves uncovered reads black.
  EXPECT_PIXEL_NEAR(PixelAt(5, 300), 0xFF000000);
}

TEST_F(LevelMapTest, BackAndEscapeLeadToTheTitleWithoutWriting) {
  for (int way : {0, 1}) {
    Game->GameFade = std::make_shared<TGameFade>();
    EnterAt(3, 3);
    platform::DeleteFile(Game->CurrentProfile->FilePath());
    if (way == 0) Click(60 + 40, 480 + 20);
    if (way == 1) Key(KEY_ESCAPE);
    Tick();
    EXPECT_TRUE(Game->GameFade->Active);
    EXPECT_EQ(Game->GameFade->Channel, nullptr);
    EXPECT_EQ(Game->DestinationTScreen, TitleScreen);
    EXPECT_NE(platform::FileType(Game->CurrentProfile->FilePath()), 1);
    map->Kill();
  }
}

TEST_F(LevelMapTest, MusicGoesOnFromTheTitleAndStartsAfterALevel) {
  Game->MusicLoad(u"title.ogg", 1);
  Game->MusicPlay(0, 0, 0);
  const auto sample = Game->MusicSample;
  EnterAt(1, 1);
  EXPECT_EQ(Game->MusicSample, sample);
  map->Kill();
  Game->MusicNone();
  GameScreen->Player->Level = 2;
  Enter(map, GameScreen);
  EXPECT_EQ(Game->MusicFileName, u"title.ogg");
  EXPECT_TRUE(platform::ChannelPlaying(Game->MusicChannel));
}

TEST_F(LevelMapTest, OutOfRangeLevelsAndShortPicturesStaySafe) {
  // A corrupt level stays on the table; a corrupt locked level cannot lock the player out.
  EnterAt(51, 0);
  EXPECT_EQ(map->Chapter, 10);
  EXPECT_EQ(map->ChapterUnlocked, 10);
  map->Kill();
  profile->CurrentLevel = 1;
  profile->LockedLevel = 2147483647;
  GameScreen->GameStart();
  Enter(map, TitleScreen);
  EXPECT_EQ(map->ChapterUnlocked, 11);
  map->Kill();
  // A picture 250 pixels high: no zoom at all, only the scroll.
  EnterAt(1, 1, false);
  map->Image = platform::CreateImage(900, 250);
  EXPECT_EQ(map->FitScale(), 1.0f);
  for (int t = 0; t < 100; ++t) {
    Tick();
    EXPECT_EQ(map->Scale, 0.0f);
  }
  map->Draw();
  EXPECT_EQ(map->ScrollY, 0.0f);
}

}  // namespace
}  // namespace screentest
