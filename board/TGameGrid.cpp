#include "board/TGameGrid.h"

#include <cmath>

#include "board/BoardHost.h"
#include "board/TCell.h"
#include "board/TGem.h"
#include "board/TGemList.h"
#include "board/TPlayer.h"
#include "core/ErrorPath.h"
#include "core/IniFunctions.h"
#include "core/TChannelArray.h"
#include "core/TGame.h"
#include "core/TGameChannel.h"
#include "core/TGameSound.h"
#include "core/TSoundBank.h"
#include "gfx/TImageBank.h"
#include "gfx/TParticleList.h"
#include "gfx/TSineCounter.h"
#include "platform/Clock.h"
#include "platform/Image.h"
#include "platform/Stream.h"

std::shared_ptr<TChannelArray> TGameGrid::Channels;
platform::ChannelPtr TGameGrid::ChannelNoMore;
platform::ChannelPtr TGameGrid::ChannelExplode;

namespace {

// The text before the first comma (all of it without one), and the rest after that comma.
StringView FirstField(StringView text) {
  const size_t comma = text.find(u',');
  return comma == StringView::npos ? text : text.substr(0, comma);
}
StringView AfterComma(StringView text) {
  const size_t comma = text.find(u',');
  return comma == StringView::npos ? StringView() : text.substr(comma + 1);
}

// Calls f(index, number) for each comma-separated number of text; a trailing comma adds
// nothing, an empty field reads 0.
template <class F>
void ForEachNumber(StringView text, F&& f) {
  int index = 0;
  while (!text.empty()) {
    f(index++, ccStringToInt(FirstField(text)));
    text = AfterComma(text);
  }
}

// One level-file cell code applied to a fresh (inactive) cell.
void ApplyCellCode(TCell& cell, int code, TGameGrid& grid) {
  if (code == 0) return;
  cell.active = 1;
  if (code == -1) return;
  cell.gold = 1;
  if (code == 3 || code == 4 || code >= 21) cell.armour = 1;
  if (code == 2 || code == 4) {
    cell.gemlocked = 1;
    ++grid.Locked;
  }
  // Preset pieces; codes naming no gem type leave a plain brick or armour.
  if (code >= TGem::kFirstBonus && code <= TGem::kLastBonus) cell.bonus = code;
  if (code >= 21 && code <= 34) cell.bonus = code - 20;
  grid.Gold += 1 + cell.armour;
}

}  // namespace

TGameGrid::TGameGrid()
    : glow(std::make_shared<TSineCounter>()), glow2(std::make_shared<TSineCounter>()) {}

TGameGrid::~TGameGrid() = default;

int TGameGrid::CreateChannels() {
  Channels = TChannelArray::Create(8);
  ChannelNoMore = platform::AllocChannel();
  ChannelExplode = platform::AllocChannel();
  return 0;
}

std::shared_ptr<TGameGrid> TGameGrid::Create() {
  auto grid = std::make_shared<TGameGrid>();
  grid->Init();
  return grid;
}

int TGameGrid::Init() {
  SetImages();
  SetSounds();
  TGem::InitIdleAnims();
  glow->Init(0, 180, 1.0f, 0);
  glow2->Init(0, 180, 0.75f, 0);
  SwapTime = Game->CalcAnimLength(200);
  HintLength = Game->CalcAnimLength(2000);
  TopRowClear();
  DiagonalTextLength = static_cast<int>(Game->CalcAnimLength(2000));
  DiagonalReminderLength = Game->CalcAnimLength(60000);
  return 0;
}

int TGameGrid::Clear() {
  for (auto& column : Grid) {
    for (auto& slot : column) slot.reset();
  }
  return 0;
}

int TGameGrid::CreateCells() {
  for (int x = 0; x < levelwidth; ++x) {
    for (int y = 0; y < levelheight; ++y) {
      Grid[static_cast<size_t>(x)][static_cast<size_t>(y)] = TCell::Create(x, y);
    }
  }
  return 0;
}

int TGameGrid::SetImages() {
  CursorImage = images->Find(u"cursor");
  // A cursor larger than a cell is centred on the cell it is drawn at.
  platform::SetImageHandle(CursorImage->image, static_cast<float>((CursorImage->w - 50) / 2),
                           static_cast<float>((CursorImage->h - 50) / 2));
  BonusHighlightImage = images->Find(u"BonusHighlight");
  BonusHighlightMidImage = images->Find(u"BonusHighlightMid");
  return 0;
}

int TGameGrid::SetSounds() {
  ClickSound = sounds->Find(u"click");
  ClickReverseSound = sounds->Find(u"clickrev");
  InvalidSound = sounds->Find(u"invalid");
  SwapSound = sounds->Find(u"swap");
  FailedSound = sounds->Find(u"failed");
  MatchSound = sounds->Find(u"matchbrick");
  MatchNoBrickSound = sounds->Find(u"matchnobrick");
  LockedSound = sounds->Find(u"lockedclick");
  UnlockSound = sounds->Find(u"unlock");
  LandSound = sounds->Find(u"land");
  // Landings keep a channel of their own so they never overlap.
  if (Channels) {
    LandChannel = Channels->First();
    if (LandChannel) LandChannel->Reserved = 1;
    Channels->MaxVol = 8.0f;
  }
  HintSound = sounds->Find(u"hint");
  ExplodeSound = sounds->Find(u"lion");
  StarSound = sounds->Find(u"star");
  BrushSound = sounds->Find(u"axebrick");
  BrushInvalidSound = sounds->Find(u"axenobrick");
  PaintpotSound = sounds->Find(u"paintpot");
  HornSound = sounds->Find(u"horn");
  TornadoSound = sounds->Find(u"tornado");
  SoundNoMore = sounds->Find(u"alarm");
  SoundExplode = sounds->Find(u"echopop");
  return 0;
}

int TGameGrid::Centre() {
  sx = (ScreenWidth - 50 * levelwidth) / 2;
  sy = (ScreenHeight - 50 * levelheight) / 2;
  return 0;
}

int TGameGrid::PossBonusClear() {
  PossBonus.fill(0);
  PossBonusCount = 0;
  return 0;
}

int TGameGrid::PossBonusAdd(int type) {
  for (int i = 0; i < PossBonusCount; ++i) {
    if (PossBonus[static_cast<size_t>(i)] == type) return 0;
  }
  if (PossBonusCount >= POSS_BONUS_SLOTS) return 0;
  PossBonus[static_cast<size_t>(PossBonusCount++)] = type;
  return 0;
}

void TGameGrid::PlaySound(const std::shared_ptr<TGameSound>& sound) {
  if (Channels && sound) Channels->PlayGameSound(sound, nullptr, 1.0f, 0.0f);
}

int TGameGrid::Load(int level) {
  const String path = Game->LevelsPath + ccIntToString(level) + u".txt";
  const platform::StreamPtr file = ccLoadFile(path);
  if (!file) return 0;
  Clear();
  PossBonusClear();

  String line = file->ReadLine();
  if (ccUpper(FirstField(line)) == u"REM") {
    LevelName = String(AfterComma(line));
    line = file->ReadLine();
  } else {
    LevelName.clear();
  }
  // In floating point: a huge time value must not overflow.
  TimeLimit = Game->CalcAnimLengthFromFloat(static_cast<float>(ccStringToInt(line)) * 1000.0f);

  const String bonusLine = file->ReadLine();
  // The colours are drawn between reading and parsing the bonus line; seeded runs rely on
  // this order of draws.
  int filled = 0;
  while (filled < PossGemsCount) {
    const int colour = platform::Rand(1, 7);
    bool seen = false;
    for (int i = 0; i < filled; ++i) seen = seen || PossGems[static_cast<size_t>(i)] == colour;
    if (!seen) PossGems[static_cast<size_t>(filled++)] = colour;
  }
  if (bonusLine != u"0") {
    ForEachNumber(bonusLine, [](int, int type) {
      if (PossBonusCount < POSS_BONUS_SLOTS) PossBonus[static_cast<size_t>(PossBonusCount++)] = type;
    });
  }

  const String size = file->ReadLine();
  levelwidth = ccStringToInt(FirstField(size));
  levelheight = ccStringToInt(AfterComma(size));
  if (levelwidth < 1 || levelwidth > GRID_WIDTH || levelheight < 1 || levelheight > GRID_HEIGHT) {
    levelwidth = levelheight = 0;
    ccRunTimeError(u"Error loading file " + path, 1);
    return 0;
  }
  Centre();
  CreateCells();

  const String offsets = file->ReadLine();
  LevelOffsetX = ccStringToInt(FirstField(offsets));
  LevelOffsetY = ccStringToInt(AfterComma(offsets));

  for (int y = 0; !file->Eof(); ++y) {
    const String row = file->ReadLine();
    if (y >= levelheight) continue;  // rows beyond the level are ignored
    ForEachNumber(row, [&](int x, int code) {
      if (x < levelwidth) ApplyCellCode(*Grid[static_cast<size_t>(x)][static_cast<size_t>(y)], code, *this);
    });
  }
  file->Close();
  TopRowYCalc();
  FindEdges();
  return 0;
}

int TGameGrid::TopRowClear() {
  for (auto& column : TopRow) column.fill(0);
  for (auto& column : TopRowY) column.fill(0);
  return 0;
}

int TGameGrid::TopRowYCalc() {
  for (int x = 0; x < levelwidth && x < GRID_WIDTH; ++x) {
    const auto cx = static_cast<size_t>(x);
    int count = 0;
    bool previousActive = false;
    for (int y = 0; y < levelheight && y < GRID_HEIGHT; ++y) {
      const TCell* cell = GridAt(x, y);
      const bool active = cell && cell->active;
      if (active && !previousActive && count < TOP_ROW_SLOTS) TopRowY[cx][static_cast<size_t>(count++)] = y;
      previousActive = active;
    }
    if (count == 0) TopRowY[cx][0] = -1;
    TopRowCount[cx] = count;
  }
  return 0;
}

int TGameGrid::ScoreSpriteCreate(int gx, int gy, int total, int tumblet) {
  int points = 0;
  int picture = 0;
  if (total >= 1) {
    const int step = total <= 3 ? 0 : (total >= 10 ? 7 : total - 3);
    points = 10 + 10 * step;
    picture = step;
  }
  if (tumblet) {
    points += 100;
    picture = 8;
  }
  TPlayer& player = BoardHost::Current().Player();
  player.Score = SaturatingAdd(player.Score, points);
  if (ScoreParticles && ScoreParticleImages[static_cast<size_t>(picture)]) {
    ScoreParticles->AddNew(CalcSX(gx) + 25, CalcSY(gy) + 10,
                           ScoreParticleImages[static_cast<size_t>(picture)], 0.0f, -0.1f, 0.0f,
                           800.0f, 1, 0, 1.0f, 1.0f, 0.0f, 0, 0);
  }
  return 0;
}

int TGameGrid::PlayTumbletSound() {
  if (TumbletPlaying > 0 && TumbletPlaying < TGem::kColourSlots) {
    PlaySound(TGem::TumbletSounds[static_cast<size_t>(TumbletPlaying)]);
  }
  return 0;
}

int TGameGrid::Kill() {
  LandChannel.reset();
  return 0;
}

int CalcSX(int gx) { return (GameGrid ? GameGrid->sx : 0) + 50 * gx; }
int CalcSY(int gy) { return (GameGrid ? GameGrid->sy : 0) + 50 * gy; }
int CalcGX(int px) { return (px - (GameGrid ? GameGrid->sx : 0)) / 50; }
int CalcGY(int py) {
  const int top = GameGrid ? GameGrid->sy : 0;
  if (py < top) return -1;
  return (py - top) / 50;
}
