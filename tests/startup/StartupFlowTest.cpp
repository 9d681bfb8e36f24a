// The real start-up, headless and in-process: dummy drivers, a fake clock that moves with every
// presented frame, the generated data folder and a fresh user folder per run. Each run goes
// from launch through the splashes and the loading bar to the title screen and out by Escape.
#include "StartupFixture.h"
#include "support/FrameworkState.h"
#include "support/ProfileFiles.h"

namespace fs = std::filesystem;

namespace {

using startuptest::LoadingFrame;
using startuptest::Stuck;
using startuptest::SortedKeys;

class StartupFlowTest : public startuptest::StartupFixture {};

TEST_F(StartupFlowTest, LaunchLoadsEverythingAndLeadsToTheTitleAndOut) {
  testrig::PrepareUserWithProfile(userDir, settingsFile, "Ann");
  int fadesStarted = 0;
  int lastFadeActive = 0;
  bool musicAtTitle = false;
  bool checkedStart = false;
  const int code = Run([&](int pass) {
    if (pass == 0) {
      checkedStart = true;
      // Start-up left the loading screen current, finished, with the title as its destination.
      EXPECT_EQ(Game->CurrentTScreen, Game->LoadingScreen);
      EXPECT_EQ(Game->LoadingScreen->Destination, TitleScreen);
      EXPECT_EQ(Game->LoadingScreen->LoadingBar->CurrentStep, 125);
      EXPECT_EQ(Game->LoadingScreen->Finished, 1);
      EXPECT_EQ(Game->LoadingScreen->LoadingY, 480);
      EXPECT_EQ(Game->LoadingScreen->LoadingBar->y, 530);
      EXPECT_EQ(Game->LoadingScreen->LoadingBar->Mode, 1);
      EXPECT_EQ(Game->LoadingScreen->ClickHereButton->y, 534.0f);
      EXPECT_EQ(Game->LoadingScreen->ClickHereButton->Shadow, 1);
      EXPECT_EQ(Game->LoadingScreen->ClickHereButton->ShadowAlpha, 0.4f);
      EXPECT_TRUE(platform::ChannelPlaying(Game->MusicChannel));  // title music while the bar is full
      EXPECT_EQ(Game->MusicFileName, u"title.ogg");
      ASSERT_TRUE(Game->MusicSample);
      EXPECT_TRUE(Game->MusicSample->Streamed());  // decoded while it plays, not held whole
      EXPECT_TRUE(platform::AutoMidHandleEnabled());

      // 34 sounds with their pitches.
      EXPECT_EQ(sounds->Count(), 34u);
      std::vector<std::string> soundKeys;
      for (const auto& [key, sound] : *sounds) soundKeys.push_back(platform::ToUtf8(key));
      std::sort(soundKeys.begin(), soundKeys.end());
      EXPECT_EQ(soundKeys, SortedKeys({"BUTTONCLICK", "CLICK", "CLICKREV", "INVALID", "SWAP",
                                       "FAILED", "MATCHBRICK", "MATCHNOBRICK", "LOCKEDCLICK",
                                       "UNLOCK", "LAND", "HINT", "LEVELSTART", "LEVELEND", "ALARM",
                                       "ECHOPOP", "TORNADOMAP", "SCROLL", "LION", "STAR",
                                       "AXEBRICK", "AXENOBRICK", "PAINTPOT", "HORN", "TORNADO",
                                       "TUMBLET1", "TUMBLET2", "TUMBLET3", "TUMBLET4", "TUMBLET5",
                                       "TUMBLET6", "TUMBLET7", "GAUGEFULL1", "GAUGEEMPTY"}));
      EXPECT_EQ(sounds->Find(u"hint")->pitch, 1.4f);
      EXPECT_EQ(sounds->Find(u"tumblet3")->pitch, 1.2f);
      EXPECT_EQ(sounds->Find(u"clickrev")->pitch, 0.9f);
      EXPECT_EQ(sounds->Find(u"GAUGEEMPTY")->pitch, 1.0f);

      // 88 bank pictures (the first load is the pointer's own), aliases, frames and handles.
      EXPECT_EQ(images->Count(), 88);
      std::vector<std::string> expected = {
          "POINTER", "POINTERSMALL", "PAUSED", "GEMS", "CHAINSTRIP", "LOCK", "CELL",
          "CELLRIGHTSIDE", "CELLBOTTOM", "CELLCORNER", "CELLPANE", "BRICK", "BRICKMID", "ARMOUR",
          "ARMOURMID", "ARMOURPARTICLE2", "CURSOR", "BONUSHIGHLIGHT", "BONUSHIGHLIGHTMID",
          "DIAGONALMASK", "BRICKROAD", "UI", "TIME", "LEVEL", "XACTIVE1", "XACTIVE2", "XINACTIVE",
          "PARTICLERING", "PARTICLE1", "PARTICLE2", "PARTICLE11", "SCORE10", "SCORE20", "SCORE30",
          "SCORE40", "SCORE50", "SCORE60", "SCORE70", "SCORE80", "SCORE100", "PARTICLECHAINLINK",
          "STARINACTIVE", "STARACTIVE", "CLICK", "SCROLLTOP", "SCROLLBOTTOM"};
      for (int n = 8; n <= 14; ++n) {
        expected.push_back("BONUS" + std::to_string(n) + "IDLE");
        expected.push_back("BONUS" + std::to_string(n) + "ACTIVATE");
      }
      for (int n = 1; n <= 7; ++n) {
        for (const char* kind : {"TUMBLET", "SHARD"}) expected.push_back(kind + std::to_string(n));
        expected.push_back("TUMBLET" + std::to_string(n) + "FALLING");
        expected.push_back("TUMBLET" + std::to_string(n) + "RUNNING");
      }
      std::vector<std::string> imageKeys;
      for (const auto& [key, image] : images->Items()) imageKeys.push_back(platform::ToUtf8(key));
      std::sort(imageKeys.begin(), imageKeys.end());
      EXPECT_EQ(imageKeys, SortedKeys(expected));
      for (const char16_t* alias : {u"particle1", u"particle2", u"particle11", u"brickmid", u"armourmid"}) {
        EXPECT_TRUE(images->Contains(alias)) << platform::ToUtf8(alias);
      }
      for (const char16_t* file : {u"particle6", u"particle7", u"particle8", u"brickparticle", u"armourparticle"}) {
        EXPECT_FALSE(images->Contains(file)) << platform::ToUtf8(file);
      }
      auto frames = [](const char16_t* key) { return images->Find(key)->image->FrameCount(); };
      EXPECT_EQ(frames(u"gems"), 14);
      EXPECT_EQ(frames(u"chainstrip"), 7);
      EXPECT_EQ(frames(u"bonus8idle"), 23);
      EXPECT_EQ(frames(u"bonus9activate"), 11);
      EXPECT_EQ(frames(u"bonus13idle"), 21);
      EXPECT_EQ(frames(u"bonus12activate"), 6);
      EXPECT_EQ(frames(u"tumblet4running"), 23);
      EXPECT_EQ(frames(u"shard7"), 9);
      EXPECT_EQ(frames(u"particlechainlink"), 9);
      EXPECT_EQ(images->Find(u"tumblet1falling")->w, 80);
      auto centred = [](const char16_t* key) { return images->Find(key)->midhandled; };
      auto handleX = [](const char16_t* key) { return images->Find(key)->image->handleX; };
      EXPECT_EQ(handleX(u"gems"), 0.0f);
      EXPECT_EQ(centred(u"gems"), 0);
      EXPECT_EQ(handleX(u"pointer"), 0.0f);
      EXPECT_EQ(handleX(u"cursor"), 0.0f);
      EXPECT_EQ(handleX(u"UI"), 0.0f);
      EXPECT_EQ(handleX(u"shard1"), 10.0f);
      EXPECT_EQ(centred(u"shard5"), 1);
      EXPECT_EQ(centred(u"paused"), 1);
      EXPECT_EQ(centred(u"particle1"), 1);
      EXPECT_EQ(centred(u"time"), 1);
      EXPECT_EQ(centred(u"particlechainlink"), 1);
      EXPECT_EQ(centred(u"scrollbottom"), 1);
      EXPECT_EQ(Game->Mouse->Image->handleX, 0.0f);
      EXPECT_NE(Game->Mouse->Image, images->Find(u"pointer")->image);  // two loads of one file
      EXPECT_TRUE(Game->SpritePaused);

      // The board's tables, the high scores and the pointer trail.
      EXPECT_EQ(TGem::BonusIdleFrames[13], 21);
      EXPECT_EQ(TGem::ShardImages[3], images->Find(u"shard3"));
      EXPECT_EQ(TGem::TumbletSounds[7], sounds->Find(u"tumblet7"));
      EXPECT_FALSE(TGem::BonusActivateAnims[10]);
      EXPECT_EQ(TGem::BonusActivateAnims[11], images->Find(u"bonus11activate"));
      EXPECT_EQ(TCell::CellPaneImage, images->Find(u"cellpane"));
      ASSERT_TRUE(TCell::DiagonalMask);
      EXPECT_EQ(TCell::DiagonalMask->Width(), 50);
      ASSERT_TRUE(TGameGrid::Channels);
      EXPECT_EQ(TGameGrid::Channels->Count(), 8);
      EXPECT_TRUE(TGameGrid::ChannelNoMore);
      EXPECT_TRUE(TGameGrid::ChannelExplode);
      EXPECT_EQ(Game->HighScores->Count(), 10);
      EXPECT_TRUE(fs::exists(userDir + "vale.dat"));
      EXPECT_EQ(PointerParticle, images->Find(u"particle1"));
      EXPECT_TRUE(static_cast<bool>(Game->Mouse->ParticleFunc));
      EXPECT_EQ(MainFont->Size(), 60);
      EXPECT_EQ(UIFont->Size(), 40);
      EXPECT_EQ(LevelEndFont->Size(), 31);
      EXPECT_EQ(MapFont->Size(), 32);
      EXPECT_EQ(MainFontSmall->Size(), 20);

      const auto& button = Game->LoadingScreen->ClickHereButton;
      Click(static_cast<int>(button->x) + 20, static_cast<int>(button->y) + 5);
    }
    if (Game->GameFade->Active != 0 && lastFadeActive == 0) ++fadesStarted;
    lastFadeActive = Game->GameFade->Active;
    if (Game->CurrentTScreen == TitleScreen && titlePass < 0) {
      titlePass = pass;
      EXPECT_EQ(Game->LastTScreen, Game->LoadingScreen);
      EXPECT_EQ(fadesStarted, 1);
      ASSERT_TRUE(TitleScreen->Welcome);
      EXPECT_EQ(TitleScreen->Welcome->Text, u"Welcome, Ann");
      EXPECT_FALSE(TitleScreen->EnterName);
      musicAtTitle = platform::ChannelPlaying(Game->MusicChannel) && Game->MusicFileName == u"title.ogg";
      Key(KEY_ESCAPE);
    }
  });
  EXPECT_TRUE(checkedStart);
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors.front());

  // Every loading frame before the last step showed the bar, never the button.
  ASSERT_FALSE(frames.empty());
  std::vector<int> steps;
  for (const LoadingFrame& f : frames) {
    if (steps.empty() || steps.back() != f.step) steps.push_back(f.step);
    EXPECT_EQ(f.finished, f.step == 125 ? 1 : 0) << "step " << f.step;
  }
  ASSERT_EQ(steps.size(), 126u);  // the first draw before any step, then 1..125
  for (int i = 0; i <= 125; ++i) EXPECT_EQ(steps[static_cast<size_t>(i)], i);

  // The fade of FADE_SPEED (100 ticks) takes some 30 passes of 16 ms, not one.
  EXPECT_GT(titlePass, 20);
  EXPECT_TRUE(musicAtTitle);
  EXPECT_EQ(splashes, 3);  // branding, co-publisher, maker

  EXPECT_TRUE(UserFile("GoodExit.dat"));
  EXPECT_FALSE(UserFile("ErrorLog.txt"));
  EXPECT_NE(testrig::ReadFileBytes(settingsFile).find("PORTAL SPLASH=0"), std::string::npos);
}

TEST_F(StartupFlowTest, FadesOffShowOnlyTheBrandingAndSwitchAtOnce) {
  testrig::PrepareUserWithProfile(userDir, settingsFile, "Ann", "FULL SCREEN=0\nFADE=0\nPORTAL SPLASH=1\n");
  EXPECT_EQ(ClickThroughToTitleAndEscape(), 0);
  EXPECT_EQ(splashes, 1);
  EXPECT_LE(titlePass, 2);
  const std::string settings = testrig::ReadFileBytes(settingsFile);
  EXPECT_NE(settings.find("PORTAL SPLASH=0"), std::string::npos);
  EXPECT_NE(settings.find("FADE=0"), std::string::npos);
  EXPECT_TRUE(UserFile("GoodExit.dat"));
  EXPECT_FALSE(UserFile("ErrorLog.txt"));
}

TEST_F(StartupFlowTest, RegionOneHasSmallerFontsAndAHigherButton) {
  fs::create_directories(userDir);
  WriteSettings("REGION=1\n");
  int buttonY = 0;
  const int code = Run([&](int pass) {
    if (pass == 0) {
      buttonY = static_cast<int>(Game->LoadingScreen->ClickHereButton->y);
      Key(KEY_ESCAPE);  // the loading screen leaves Escape to the application: the game ends
    }
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(buttonY, 526);
  EXPECT_EQ(MainFont->Size(), 50);
  EXPECT_EQ(UIFont->Size(), 30);
  EXPECT_EQ(LevelEndFont->Size(), 31);
  EXPECT_EQ(MapFont->Size(), 32);
  EXPECT_EQ(MainFontSmall->Size(), 20);
  EXPECT_NE(Game->CurrentTScreen, TitleScreen);
  EXPECT_TRUE(UserFile("GoodExit.dat"));
}

TEST_F(StartupFlowTest, InputDuringLoadingDoesNotCountAndEnterLeadsOn) {
  testrig::PrepareUserWithProfile(userDir, settingsFile, "Ann");
  bool posted = false;
  onLoadingFrame = [&](const LoadingFrame& f) {
    if (f.step == 60 && !posted) {
      posted = true;
      Click(400, 540);
      Key(KEY_SPACE);
    }
  };
  int enterPass = -1;
  const int code = Run([&](int pass) {
    if (pass < 10) {
      // Ten passes later the loading screen still waits: nothing from the loading counted.
      EXPECT_EQ(Game->CurrentTScreen, Game->LoadingScreen);
      EXPECT_EQ(Game->GameFade->Active, 0) << pass;
    }
    if (pass == 10) {
      Key(KEY_ENTER);
      enterPass = pass;
    }
    if (Game->CurrentTScreen == TitleScreen && titlePass < 0) {
      titlePass = pass;
      Key(KEY_ESCAPE);
    }
  });
  EXPECT_TRUE(posted);
  EXPECT_EQ(code, 0);
  EXPECT_GT(titlePass, enterPass);
  EXPECT_TRUE(UserFile("GoodExit.dat"));
}

TEST_F(StartupFlowTest, StartRemovesOnlyItsOwnLeftoverTemporaryFiles) {
  fs::create_directories(userDir + "profiles");
  WriteSettings("FADE=0\n");
  const std::string settingsName = fs::path(settingsFile).filename().string();
  enum Kind { kFile, kFolder, kLink };
  const struct {
    std::string name;
    Kind kind;
    bool removed;
  } entries[] = {
      {settingsName + ".tmp-a1B2c3", kFile, true},
      {"scores.dat.tmp-XXXXXX", kFile, true},
      {"profiles/Ann.dat.tmp-Zq09xY", kFile, true},
      {"profiles/Ann.dat", kFile, false},
      {"notes.tmp-abc12", kFile, false},
      {"notes.tmp-abc1234", kFile, false},
      {"notes.tmp-ab_c12", kFile, false},
      {"notes.TMP-abc123", kFile, false},
      {".tmp-abc123", kFile, false},
      {"profiles/Bob.dat.tmp-abc123", kFolder, false},
      {"link.tmp-abc123", kLink, false},
  };
  const std::string outside = xdg + "/outside.txt";
  testrig::WriteFileBytes(outside, "x");
  for (const auto& e : entries) {
    const std::string path = userDir + e.name;
    if (e.kind == kFile) testrig::WriteFileBytes(path, "x");
    if (e.kind == kFolder) testrig::WriteFileBytes(path + "/inside.dat", "x");
    if (e.kind == kLink) fs::create_symlink(outside, path);
  }
  const int code = Run([](int pass) {
    if (pass == 0) Key(KEY_ESCAPE);
  });
  EXPECT_EQ(code, 0);
  for (const auto& e : entries) {
    EXPECT_EQ(fs::exists(fs::symlink_status(userDir + e.name)), !e.removed) << e.name;
  }
  EXPECT_TRUE(fs::exists(userDir + "profiles/Bob.dat.tmp-abc123/inside.dat"));
  EXPECT_TRUE(fs::exists(outside));
}

}  // namespace

TEST_F(StartupFlowTest, QuitRequestsDuringStartUpEndItPromptlyAndCleanly) {
  using platform::Event;
  const struct {
    const char* what;
    int splash;  // post during the first frame of this splash (1 branding, 2 co-publisher)...
    int step;    // ...or while this loading step is drawn
    std::vector<Event> events;
  } cases[] = {
      {"window close during the first splash", 1, -1, {{platform::EVENT_WINDOWCLOSE, 0, 0, 0}}},
      {"Command+Q during the second splash", 2, -1,
       {{platform::EVENT_KEYDOWN, KEY_LCOMMAND, 0, 0}, {platform::EVENT_KEYDOWN, KEY_Q, 0, 0}}},
      {"system quit at loading step 60", 0, 60, {{platform::EVENT_APPTERMINATE, 0, 0, 0}}},
  };
  for (const auto& c : cases) {
    testrig::DrainEvents();  // the last run ended with its request still queued
    frames.clear();
    splashes = 0;
    lastSplash.reset();
    bool posted = false;
    const auto post = [&] {
      for (const Event& e : c.events) platform::PostEvent(e);
      posted = true;
    };
    onSplashFrame = [&] {
      if (!posted && splashes == c.splash) post();
    };
    onLoadingFrame = [&](const LoadingFrame& f) {
      if (!posted && f.step == c.step) post();
    };
    // No pass of the main loop may run: the start-up itself ends.
    const int code = Run([](int) { throw Stuck{}; });
    EXPECT_TRUE(posted) << c.what;
    EXPECT_EQ(code, 0) << c.what;
    EXPECT_TRUE(UserFile("GoodExit.dat")) << c.what;
    EXPECT_FALSE(UserFile("ErrorLog.txt")) << c.what;
    if (c.step < 0) {
      EXPECT_EQ(splashes, c.splash) << c.what;
      EXPECT_TRUE(frames.empty()) << c.what;
    } else {
      // The step being drawn finishes; no other follows.
      ASSERT_FALSE(frames.empty()) << c.what;
      EXPECT_EQ(frames.back().step, c.step) << c.what;
    }
  }
  onSplashFrame = nullptr;
  onLoadingFrame = nullptr;
}
