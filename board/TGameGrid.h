#pragma once
// The board of one level: its cells (in the global Grid), the selection, the swap, the flash
// sweep, hints, the no-more-moves sequence and the level end, advanced once per logic tick by
// Manage and drawn once per frame by Draw. The class holds the board's own sound-channel
// pool, made once at start-up beside the application's pool, and two plain channels for the
// no-more-moves alarm and the burst of that sequence.
//
// The class is implemented over several files by concern:
//   TGameGrid.cpp        construction, images and sounds, geometry, the level reader
//   TGameGridTick.cpp    the tick, the flash sweep, the cursor and the pointer animation
//   TGameGridDraw.cpp    the outline and the drawing
//   TGameGridInput.cpp   the mouse: selection and the bonus pointer
//   TGameGridSwap.cpp    swaps, their reversal and diagonal moves
//   TGameGridMatch.cpp   runs, clearing and scoring
//   TGameGridFall.cpp    falling and the refill
//   TGameGridHint.cpp    the hint and brick removal
//   TGameGridBonus.cpp   the bonus pieces
//   TGameGridLevelEnd.cpp  the level end
//   TGameGridMoves.cpp   the move search and the no-more-moves sequence
#include <memory>

#include "board/BoardGlobals.h"
#include "gfx/TGameImage.h"
#include "platform/Audio.h"
#include "platform/String.h"

class TChannelArray;
class TGameChannel;
class TGameSound;
class TGem;
class TCell;
class TSineCounter;

class TGameGrid : public std::enable_shared_from_this<TGameGrid> {
 public:
  TGameGrid();
  virtual ~TGameGrid();

  static std::shared_ptr<TChannelArray> Channels;
  static platform::ChannelPtr ChannelNoMore;
  static platform::ChannelPtr ChannelExplode;

  int sx = 0;
  int sy = 0;
  int w = 0;
  int h = 0;
  int cx = -1;  // the selected cell, -1 when none
  int cy = -1;
  int dx = -1;  // the swap's destination cell
  int dy = -1;
  int mx = -1;  // the cell under the mouse
  int my = -1;
  int levelwidth = 0;
  int levelheight = 0;
  float yacc = 0;
  float alpha = 1.0f;
  String LevelName;
  float TimeLimit = 0;
  int Gold = 0;    // brick layers left
  int Locked = 0;  // locked gems left
  int LevelOffsetX = 0;
  int LevelOffsetY = 0;
  int TargetMet = 0;
  int Mode = 0;
  int MouseUpFlag = 1;
  int BlockInput = 0;
  int PointerAnimated = 0;
  float PointerAnimCounter = 0;
  int PointerAnimLength = 0;
  int PointerGemType = 0;
  int PointerGemTypeStored = 0;
  float PointerAnimCounterStored = 0;
  float SwapCounter = 0;
  float SwapTime = 200.0f;
  std::shared_ptr<TGem> SwapSource;
  std::shared_ptr<TGem> SwapDest;
  int FailedMove = 0;
  std::shared_ptr<TSineCounter> glow;
  std::shared_ptr<TSineCounter> glow2;
  float JiggleOffset = 0;
  int JiggleDirection = 0;
  float JiggleMax = 4.0f;
  int Exploded = 0;
  float HintCounter = 0;
  float HintLength = 2000.0f;
  int HintCurrent = 1;
  int HintX = -1;
  int HintY = -1;
  std::shared_ptr<TGem> HintGem;  // the gem the running hint wobbles, wherever it moves
  int DebugX = -1;
  int DebugY = -1;
  int HintGemType = 0;
  TGameImagePtr CursorImage;
  TGameImagePtr BonusHighlightImage;
  TGameImagePtr BonusHighlightMidImage;
  std::shared_ptr<TGameSound> ClickSound;
  std::shared_ptr<TGameSound> ClickReverseSound;
  std::shared_ptr<TGameSound> InvalidSound;
  std::shared_ptr<TGameSound> SwapSound;
  std::shared_ptr<TGameSound> FailedSound;
  std::shared_ptr<TGameSound> MatchSound;
  std::shared_ptr<TGameSound> MatchNoBrickSound;
  std::shared_ptr<TGameSound> LockedSound;
  std::shared_ptr<TGameSound> UnlockSound;
  std::shared_ptr<TGameSound> LandSound;
  std::shared_ptr<TGameChannel> LandChannel;
  std::shared_ptr<TGameSound> HintSound;
  std::shared_ptr<TGameSound> SoundNoMore;
  std::shared_ptr<TGameSound> SoundExplode;
  int TumbletPlaying = 0;
  std::shared_ptr<TGameSound> ExplodeSound;
  std::shared_ptr<TGameSound> StarSound;
  std::shared_ptr<TGameSound> BrushSound;
  std::shared_ptr<TGameSound> BrushInvalidSound;
  std::shared_ptr<TGameSound> PaintpotSound;
  std::shared_ptr<TGameSound> HornSound;
  std::shared_ptr<TGameSound> TornadoSound;
  float IntroCounter = 0;
  float IntroLimit = 50.0f;
  int IntroColumn = 0;  // levelwidth when no sweep runs
  float FallCounter = 0;
  int NoMore = 0;
  float NoMoreCounter = 0;
  int MoveNeedsMatchFlag = 1;
  int DropGemsFlag = 1;
  int MakeNewGems = 1;
  int DiagonalMoves = 0;
  int DiagonalGauge = 0;
  float DiagonalGaugeMax = 5.0f;
  float DiagonalTextCounter = 0;
  int DiagonalTextLength = 4000;
  float DiagonalReminderCounter = 0;
  float DiagonalReminderLength = 60000.0f;
  int DynamicDebug = 0;

  // The pool of 8 channels and the two extra channels.
  static int CreateChannels();
  // A new board with its images, sounds and counters (Init).
  static std::shared_ptr<TGameGrid> Create();
  virtual int Init();
  virtual int SetupIntroFlash();
  // Empties all 150 slots of Grid.
  virtual int Clear();
  // Inactive cells for the level's area; after Centre.
  virtual int CreateCells();
  virtual int SetImages();
  virtual int SetSounds();
  virtual int Centre();
  virtual int CursorSet(int x, int y);
  virtual int CursorClear();
  // One tick of board logic. Returns 0.
  virtual int Manage();
  virtual int IntroFlash();
  virtual int FlashColumn(int x);
  virtual int RandomFlash();
  // Takes the cell's gem out of GemList and the cell.
  virtual int DeleteGem(int x, int y);
  virtual int AnimatePointer();
  virtual int SetPointerFrame();
  virtual int CheckMouse();
  virtual int InitPointerAnim();
  virtual int SetBonusPointer(int type, int restore);
  virtual int RestorePointer();
  virtual int TogglePointer(int menuState);
  virtual int DestroySquare(int x, int y);
  // A lion, horn, tornado or paint pot clicked with nothing selected (at mx, my).
  virtual int UseBonusPiece();
  // The carried star, axe or key (at cx, cy) clicked onto the active cell mx, my.
  virtual int UseCarriedPiece();
  virtual int StartSwap();
  virtual int SwapManage();
  virtual int SwapGems();
  virtual int SwapReverse();
  // At the end of a trip into an empty cell: a gem has landed in (dx, dy), a falling gem's box
  // reaches into it, or a refill for an entry there is pending.
  bool SwapTargetTaken() const;
  virtual int DiagonalManage();
  virtual int ClearMatches();
  virtual int DoMatches(int test, int includeSwapping);
  // Points for one gem of a pass whose runs total `total` gems (+100 for a Tumblet), and its
  // rising score picture.
  virtual int ScoreSpriteCreate(int gx, int gy, int total, int tumblet);
  virtual int DropGems();
  virtual int CheckTopRow();
  virtual int TopRowClear();
  virtual int TopRowYCalc();
  virtual int FindEdges();
  // Reads LevelsPath + level + ".txt"; a missing file or a size outside 1..15 by 1..10 is
  // fatal ("Error loading file " + path).
  virtual int Load(int level);
  virtual int HintStart();
  virtual int HintManage();
  virtual int HintEnd();
  virtual int RemoveGold(int x, int y);
  virtual int ManageNoMoreMoves();
  virtual int StartNoMoreMoves();
  virtual int NoMoreMoves(int n);
  virtual int TestMove(int n, int x1, int y1, int x2, int y2, int spare,
                       const std::shared_ptr<TGem>& gem, const std::shared_ptr<TCell>& cell,
                       int& swapped, int& found, int& count, int kind);
  virtual int DoQuickMatchHoriz(int x, int y, int kind);
  virtual int DoQuickMatchVert(int x, int y, int kind);
  virtual int LevelEndTest();
  virtual int LevelEndStart();
  virtual int PlayTumbletSound();
  // DrawFloor, then DrawPieces.
  virtual int Draw();
  // The outline and the cells: what stays put between changes of the board.
  int DrawFloor();
  // The gems and the cursor over the floor.
  int DrawPieces();
  // Lets go of LandChannel.
  virtual int Kill();

  // The bonus list of the level file: empty, then appended without duplicates.
  static int PossBonusClear();
  static int PossBonusAdd(int type);
  // Plays a board sound on the board's pool (next free channel, volume 1, centre).
  static void PlaySound(const std::shared_ptr<TGameSound>& sound);
};

// Cell <-> screen conversions against the current board's origin.
int CalcSX(int gx);
int CalcSY(int gy);
int CalcGX(int px);
int CalcGY(int py);
