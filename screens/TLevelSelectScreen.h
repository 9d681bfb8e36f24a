#pragma once
// The level map: one large picture with ten chapter markers. The entry zoom runs from the whole
// map into the player's chapter; the player continues at the current level (or, once level 50
// has been reached, replays an opened chapter); the choice is saved at once, an exit zoom runs
// and the screen fades to the story book, which then starts the level.
#include <array>
#include <memory>

#include "core/TScreen.h"
#include "gfx/TAccuratePoint.h"
#include "gfx/TAnimation.h"
#include "gfx/TGameImage.h"
#include "gfx/TSineCounter.h"
#include "gfx/TSprite.h"

class TGameSound;

class TLevelSelectScreen : public TScreen {
 public:
  static constexpr int MAX_CHAPTERS = 10;
  static constexpr int LEVELS_PER_CHAPTER = 5;
  static constexpr int MAX_CLOUD_IMAGES = 6;
  static constexpr int MAX_CLOUDS = 5;
  static constexpr int GAP = 20;
  // Offsets of the five level stars from the current chapter's marker: an arc under it.
  static constexpr std::array<std::array<int, 2>, LEVELS_PER_CHAPTER> StarCoords = {
      {{-40, 0}, {-25, 24}, {0, 35}, {25, 24}, {40, 0}}};

  TLevelSelectScreen();
  ~TLevelSelectScreen() override;

  float ScrollX = 0;  // screen position of the map's top-left corner
  float ScrollY = 0;
  TGameImagePtr Locked;
  TGameImagePtr Unlocked;
  std::shared_ptr<TGameSound> ZoomInSound;
  std::shared_ptr<TGameSound> Invalid;
  std::shared_ptr<TGameSound> ZoomOut;
  TSineCounter Glow;
  TSineCounter Glow2;
  TAnimationPtr Zoom;
  int ZoomIn = 1;
  float Angle = 0;
  int MOIndex = -1;
  int LastMOIndex = -1;
  float Scale = 0;  // the map is drawn at scale 1 - Scale
  int LastX = 0;
  int LastY = 0;
  int Chapter = 1;
  int SubLevel = 1;
  int ChapterUnlocked = 1;
  std::array<std::shared_ptr<TAccuratePoint>, MAX_CHAPTERS> Coords;
  std::array<TGameImagePtr, MAX_CLOUD_IMAGES> CloudImages;
  std::array<TSpritePtr, MAX_CLOUDS> Clouds;

  virtual int FillCoords();
  virtual int CreateCoords();
  virtual int KillCoords();
  virtual TSpritePtr CreateCloud();
  // The zoom amount now, or (flag non-zero) at the end of the running zoom.
  virtual float CalcScale(int flag);
  virtual int LevelSelected(int level);
  virtual int CalcScrollCoords();

  int Load() override;
  int Start() override;
  int Kill() override;
  int Logic() override;
  int Draw() override;
  int SetEscDestination() override;

  // The number of opened chapters for the highest level reached, never below `chapter`.
  static int ChapterUnlockedFor(int unlocked, int chapter);
  // The scale at which the map (less 250 pixels of its height) fills the screen's height.
  float FitScale() const;
  int MapWidth() const;
  int MapHeight() const;
  // One tick of edge scrolling, kept inside the picture.
  int EdgeScroll();
  // Moves a cloud off screen below and to the left, so that it drifts in.
  static int MoveCloudOffScreen(TSprite& cloud);
  int ManageClouds();
  int MarkerTest();
};

extern std::shared_ptr<TLevelSelectScreen> LevelSelectScreen;
