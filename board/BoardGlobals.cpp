#include "board/BoardGlobals.h"

#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGemList.h"
#include <iterator>
#include <limits>
#include "gfx/TImageBank.h"

std::shared_ptr<TGameGrid> GameGrid;
std::array<std::array<std::shared_ptr<TCell>, GRID_HEIGHT>, GRID_WIDTH> Grid;
std::shared_ptr<TGemList> GemList;

std::array<int, POSS_GEMS_SLOTS> PossGems{};
int PossGemsCount = 5;
std::array<int, POSS_BONUS_SLOTS> PossBonus{};
int PossBonusCount = 0;

std::array<std::array<int, TOP_ROW_SLOTS>, GRID_WIDTH> TopRow{};
std::array<std::array<int, TOP_ROW_SLOTS>, GRID_WIDTH> TopRowY{};
std::array<int, GRID_WIDTH> TopRowCount{};

std::array<TGameImagePtr, 12> ParticleImages;
std::array<TGameImagePtr, 9> ScoreParticleImages;

int LoadParticleImages() {
  static constexpr const char16_t* kParticles[] = {
      u"armourmid",  u"brickmid",        u"particle1", u"particle2", u"particlering",
      u"particlechainlink", u"armourparticle2", u"bonus9activate", u"bonus10activate",
      u"lock",       u"particle11"};
  ParticleImages[0] = nullptr;
  for (size_t i = 0; i < std::size(kParticles); ++i) ParticleImages[i + 1] = images->Find(kParticles[i]);
  static constexpr const char16_t* kScores[] = {u"score10", u"score20", u"score30",
                                                u"score40", u"score50", u"score60",
                                                u"score70", u"score80", u"score100"};
  for (size_t i = 0; i < std::size(kScores); ++i) ScoreParticleImages[i] = images->Find(kScores[i]);
  return 0;
}

TCell* GridAt(int x, int y) {
  if (x < 0 || x >= GRID_WIDTH || y < 0 || y >= GRID_HEIGHT) return nullptr;
  return Grid[static_cast<size_t>(x)][static_cast<size_t>(y)].get();
}

int SaturatingAdd(int a, int b) {
  const long long sum = static_cast<long long>(a) + static_cast<long long>(b);
  if (sum > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (sum < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(sum);
}
