// TGameGrid: the tick, the flash sweep, the cursor and the pointer animation.
#include "board/BoardHost.h"
#include "board/BoardInvariants.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TGemList.h"
#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "gfx/MathHelpers.h"
#include "gfx/TImageBank.h"
#include "gfx/TSineCounter.h"
#include "platform/Clock.h"

int TGameGrid::Manage() {
  // A step may replace GameGrid (a restart from the no-more-moves sequence); this board
  // stays alive until its tick is over.
  const std::shared_ptr<TGameGrid> self = weak_from_this().lock();
  BoardHost& host = BoardHost::Current();
  CheckMouse();
  MouseUpFlag = Game->Mouse->GetMb() == 0 ? 1 : 0;
  AnimatePointer();
  IntroFlash();
  RandomFlash();
  glow->Manage();
  glow2->Manage();
  HintManage();
  SwapManage();
  DiagonalManage();
  const int previous = BlockInput;
  int busy = 0;
  if (const std::shared_ptr<TGemList> list = GemList) busy = list->Manage();
  if (!host.OutroActive()) BlockInput = busy;
  DropGems();
  if (SwapCounter > 0) BlockInput = 1;
  if (!host.OutroActive() && previous == 1 && BlockInput == 0) LevelEndTest();
  ManageNoMoreMoves();
#if LV_BOARD_CHECKS
  if (GameGrid.get() == this) {
    const std::string broken = CheckBoardInvariants();
    if (!broken.empty()) ccRunTimeError(S("Board check failed: " + broken), 1);
  }
#endif
  return 0;
}

int TGameGrid::SetupIntroFlash() {
  IntroLimit = Game->CalcAnimLength(50);
  IntroCounter = 0;
  IntroColumn = 0;
  FlashColumn(0);
  return 0;
}

int TGameGrid::IntroFlash() {
  if (IntroColumn >= levelwidth) return 0;
  IntroCounter += Delta;
  if (IntroCounter >= IntroLimit) {
    ++IntroColumn;
    IntroCounter = 0;
    if (IntroColumn < levelwidth) FlashColumn(IntroColumn);
  }
  return 0;
}

int TGameGrid::FlashColumn(int x) {
  if (x < 0 || x >= levelwidth) return 0;
  for (int y = 0; y < levelheight; ++y) {
    TCell* cell = GridAt(x, y);
    if (cell && cell->Gem) cell->Gem->glow = 1.0f;
  }
  return 0;
}

int TGameGrid::RandomFlash() {
  if (IntroColumn != levelwidth) return 0;
  if (static_cast<float>(platform::Rand(1, 100000)) < 10.0f * Delta) SetupIntroFlash();
  return 0;
}

int TGameGrid::CursorSet(int x, int y) {
  cx = x;
  cy = y;
  Mode = 1;
  return 0;
}

int TGameGrid::CursorClear() {
  cx = -1;
  cy = -1;
  Mode = 0;
  return 0;
}

int TGameGrid::DeleteGem(int x, int y) {
  TCell* cell = GridAt(x, y);
  if (!cell || !cell->Gem) return 0;
  if (GemList) GemList->Remove(*cell->Gem);
  cell->Gem.reset();
  return 0;
}

int TGameGrid::AnimatePointer() {
  if (PointerAnimCounter <= 0) return 0;
  PointerAnimCounter -= Delta;
  if (PointerAnimCounter > 0) {
    SetPointerFrame();
  } else if (PointerAnimated == 1) {
    PointerAnimCounter += static_cast<float>(PointerAnimLength);
  } else {
    PointerAnimCounter = 0;
    RestorePointer();
  }
  return 0;
}

int TGameGrid::SetPointerFrame() {
  if (PointerGemType < TGem::kFirstBonus || PointerGemType > TGem::kLastBonus) return 0;
  const auto type = static_cast<size_t>(PointerGemType);
  const TGameImagePtr& anim = TGem::BonusActivateAnims[type];
  if (!anim) return 0;
  const int n = TGem::BonusActivateFrames[type];
  const int f = ccCalcAnimFrame(PointerAnimCounter, PointerAnimLength, n, 1);
  Game->Mouse->Image2 = anim->image;
  Game->Mouse->Image2Frame = n - 1 - f;
  return 0;
}

int TGameGrid::RestorePointer() {
  TMousePointer& mouse = *Game->Mouse;
  mouse.Image = images->Find(u"pointer")->image;
  mouse.CalcSize();
  mouse.Image2 = nullptr;
  PointerAnimated = 0;
  PointerAnimCounter = 0;
  PointerGemType = 0;
  return 0;
}
