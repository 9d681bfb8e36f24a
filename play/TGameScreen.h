#pragma once
// The play screen, where a level is played. It owns the run's player record, makes the board
// and its gem list afresh at every level start, fills the board, runs the one-second intro and
// the outro, shows the once-only hint pages and hands the finished level to the level-complete
// scroll. Its three overlays (the level-complete scroll, the in-game menu, the hint scroll)
// run, draw and die with it. The board reaches it through `Host` (a BoardHost).
//
// Implemented over three files by concern:
//   TGameScreen.cpp      entering and leaving, level start, fill, restart, outro
//   TGameScreenTick.cpp  the tick, the freed Tumblets, the gauge and hint effects, the keys
//   TGameScreenDraw.cpp  drawing and the heads-up display
#include <memory>

#include "board/BoardHost.h"
#include "core/TScreen.h"
#include "gfx/TAnimation.h"
#include "gfx/TCounterList.h"
#include "gfx/TGameImage.h"
#include "platform/Image.h"

class TBoardLayer;
class TGameSound;
class TPlayer;
class TSprite;

class TGameScreen : public TScreen {
 public:
  static constexpr int DiagonalGaugeX = 330;
  static constexpr int DiagonalGaugeY = 27;
  // The most fills a level start tries before it gives up on a layout without a move.
  static constexpr int MaxFills = 1000;
  // The most colour draws for one cell of a fill.
  static constexpr int MaxDrawsPerCell = 1000;
  static constexpr char16_t NoMoreMovesText[] = u"No More Moves";

  TGameScreen();
  ~TGameScreen() override;

  std::shared_ptr<TPlayer> Player;
  TGameImagePtr BrickRoad;
  TGameImagePtr UI;
  TGameImagePtr TimeImage;
  TGameImagePtr LevelImage;
  TGameImagePtr XActive1Image;
  TGameImagePtr XActive2Image;
  TGameImagePtr XInactiveImage;
  float DiagonalGaugeParticleCounter = 0;
  int DiagonalGaugeParticleCounterMax = 20;
  std::shared_ptr<TCounterList> GaugeFillDelay = std::make_shared<TCounterList>();
  TAnimationPtr IntroAnim;
  TAnimationPtr OutroAnim;
  std::shared_ptr<TSprite> Go;
  std::shared_ptr<TSprite> WellDone;
  // The dark outline under "No More Moves", made with the screen.
  platform::ImagePtr NoMoreMovesOutline;
  std::shared_ptr<TGameSound> SoundLevelStart;
  std::shared_ptr<TGameSound> SoundLevelEnd;
  std::shared_ptr<TGameSound> SoundGaugeFull;
  std::shared_ptr<TGameSound> SoundGaugeEmpty;
  float HintShowCounter = 0;
  int Chapter = 0;
  // The background and the board's cells, kept as one picture between changes.
  std::unique_ptr<TBoardLayer> BoardLayer;

  // --- Screen protocol ---
  int Load() override;
  int Start() override;
  // Escape belongs to the in-game menu here; coming back from a visit only runs this.
  int CoreStart() override;
  int Kill() override;
  // 1 when the tick ran to its end, 0 when a corner button was used, -1 when the run ended.
  int Logic() override;
  int Draw() override;
  int SetEscDestination() override;
  int SpecificKeys() override;

  // --- The run and the level ---
  // A run from the current profile (the level clamped into 1..MaxLevels).
  virtual int GameStart();
  virtual int LevelStart();
  virtual int ClearLists();
  virtual int ClearCounters();
  static int ClearParticles();
  virtual int StartSound();
  virtual int KillGameObjects();
  // 1..10 and 1..5, whatever the stored level.
  virtual int GetChapter();
  virtual int GetSubLevel();
  virtual int ManageTumblets();
  virtual int IntroCheck();
  virtual int LevelCheck();
  // The outro, when the player is alive and neither timeline runs: 1, else 0.
  virtual int NextLevel();
  virtual int NextLevelManage();
  virtual int NextLevelEnd();
  virtual int HUDEffects();
  virtual float GetHUDY();
  virtual int HUDDraw();
  virtual int BrickRoadDraw();
  virtual int StatusTextDraw();
  virtual int XDraw(float y);
  virtual int DiagonalTextDraw();
  // Gives the run up: lives 0; unless already dying or fading, the player dies and the board's
  // no-more-moves sequence restarts the level.
  virtual int Quit();
  virtual int RestartLevel();
  virtual int LevelLoad();
  virtual int FillGrid();
  // Fills the board afresh until a move exists: the number of fills, or 0 after the fatal
  // error of a layout that never offers one. Needs no window.
  virtual int FillUntilMove();
  virtual int TestGrid();
  virtual int MakeTestGem(int x, int y, int type);
  // Opens a once-only page when the hint scroll is free and a profile has the flag unspent
  // (spending it). 1 when it opened.
  virtual int ShowOnceOnlyPage(int flag, const String& page);

  // The slide-out of the outro's last 1500 ms: 0 outside it, then 0 to 1.
  float SlideFactor();

  // What the board asks of this screen.
  class ScreenHost : public BoardHost {
   public:
    explicit ScreenHost(TGameScreen& screen) : s_(screen) {}
    TPlayer& Player() override;
    int IntroActive() override;
    int OutroActive() override;
    int NextLevel() override { return s_.NextLevel(); }
    int Quit() override { return s_.Quit(); }
    int RestartLevel() override { return s_.RestartLevel(); }
    int StartSound() override { return s_.StartSound(); }
    int StartIntro() override;
    int GetChapter() override { return s_.GetChapter(); }
    int GetSubLevel() override { return s_.GetSubLevel(); }
    int ResetHintShowCounter() override;
    int AddGaugeStep(int ms) override;
    int PlayMenuClick() override;
    int ShowOnceOnlyPage(int flag, const String& name) override {
      return s_.ShowOnceOnlyPage(flag, name);
    }
    int SoundGaugeFull() override;
    int SoundGaugeEmpty() override;
    TGameImagePtr LevelImage() override { return s_.LevelImage; }
    TGameImagePtr TimeImage() override { return s_.TimeImage; }

   private:
    TGameScreen& s_;
  };
  ScreenHost Host{*this};

 private:
  int FillOnce();
};

extern std::shared_ptr<TGameScreen> GameScreen;
