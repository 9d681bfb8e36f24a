// The difficulty curve, measured: the autoplayer's rows for the fifty levels on every seed
// (written by the autoplay tests, refused when a level file changed since) gathered into
// build/levels/curve.md and curve.tsv, and the rules the curve must follow: every seed clears
// every level well before the give-up point, it climbs chapter by chapter, each chapter ends on
// its hardest level, no level is a wall, and no two levels share a layout. Under
// LV_AUTOPLAY_SEEDS the same rules are read from the rows of those seeds.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "LevelValidator.h"
#include "support/autoplay/AutoPlayer.h"

namespace {

struct Figures {
  double ticks = 0, moves = 0, restarts = 0, pieces = 0, worstTicks = 0, movesPerLayer = 0;
  int worstSeed = 0, uncleared = 0;
};

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string Hex(uint64_t h) {
  char s[17];
  std::snprintf(s, sizeof s, "%016llx", static_cast<unsigned long long>(h));
  return s;
}

// The holes of a level that touch no edge, as groups of at least four cells (single pockmarks
// repeat harmlessly), each moved to the origin and taken in its smaller mirror form.
std::vector<std::string> InnerHoleShapes(const levels::Level& l) {
  std::vector<std::string> shapes;
  std::vector<bool> seen(static_cast<size_t>(l.width * l.height));
  for (int start = 0; start < l.width * l.height; ++start) {
    if (seen[static_cast<size_t>(start)] || l.ActiveAt(start % l.width, start / l.width)) continue;
    std::vector<int> group = {start}, todo = {start};
    seen[static_cast<size_t>(start)] = true;
    bool edge = false;
    while (!todo.empty()) {
      const int at = todo.back();
      todo.pop_back();
      const int x = at % l.width, y = at / l.width;
      edge = edge || x == 0 || y == 0 || x == l.width - 1 || y == l.height - 1;
      for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        const int nx = x + dx, ny = y + dy, n = ny * l.width + nx;
        if (nx < 0 || ny < 0 || nx >= l.width || ny >= l.height || seen[static_cast<size_t>(n)] || l.ActiveAt(nx, ny)) continue;
        seen[static_cast<size_t>(n)] = true;
        group.push_back(n);
        todo.push_back(n);
      }
    }
    if (edge || group.size() < 4) continue;
    int x0 = l.width, y0 = l.height, x1 = 0;
    for (int c : group) x0 = std::min(x0, c % l.width), x1 = std::max(x1, c % l.width), y0 = std::min(y0, c / l.width);
    std::set<std::pair<int, int>> plain, mirrored;
    for (int c : group) {
      plain.insert({c / l.width - y0, c % l.width - x0});
      mirrored.insert({c / l.width - y0, x1 - c % l.width});
    }
    std::string a, b;
    for (const auto& [y, x] : plain) a += std::to_string(y) + "," + std::to_string(x) + ";";
    for (const auto& [y, x] : mirrored) b += std::to_string(y) + "," + std::to_string(x) + ";";
    shapes.push_back(std::min(a, b));
  }
  return shapes;
}

// Size and holes, read the same in the mirror.
std::string Outline(const levels::Level& l) {
  std::string a = std::to_string(l.width) + "x" + std::to_string(l.height) + ":", b = a;
  for (int y = 0; y < l.height; ++y)
    for (int x = 0; x < l.width; ++x) {
      a += l.ActiveAt(x, y) ? '#' : '.';
      b += l.ActiveAt(l.width - 1 - x, y) ? '#' : '.';
    }
  return std::min(a, b);
}

std::string Fixed(double v, int digits) {
  char s[32];
  std::snprintf(s, sizeof s, "%.*f", digits, v);
  return s;
}

}  // namespace

TEST(LevelCurve, RisesThroughTheChapters) {
  std::vector<levels::Level> all;
  ASSERT_TRUE(levels::ValidateFolder(std::string(LV_SOURCE_DIR) + "/data/levels", "data/levels", &all).empty());
  ASSERT_EQ(all.size(), 50u);
  std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.number < b.number; });
  const autoplay::SeedRange seeds = autoplay::SeedsFromEnvironment();
  ASSERT_TRUE(seeds.Valid()) << "LV_AUTOPLAY_SEEDS must read first-last";
  const std::string folder = std::string(LV_BINARY_DIR) + "/" + autoplay::RowsFolder(seeds) + "/";

  std::vector<Figures> figures(all.size());
  for (const levels::Level& l : all) {
    char name[32];
    std::snprintf(name, sizeof name, "autoplay-%02d.tsv", l.number);
    std::ifstream in(folder + name);
    ASSERT_TRUE(in) << folder + name << " is missing: run the autoplay tests (ctest -L autoplay)";
    std::vector<double> ticks, moves, restarts, pieces;
    Figures& f = figures[static_cast<size_t>(l.number - 1)];
    std::set<int> seen;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
      std::istringstream row(line);
      int level, seed, cleared, refused, score, goldLeft;
      double t, m, p, r;
      std::string hash;
      row >> level >> seed >> cleared >> t >> m >> p >> r >> refused >> score >> goldLeft >> hash;
      ASSERT_EQ(hash, Hex(levels::Fnv1a64(l.bytes))) << name << " is stale: " << l.path << " changed since";
      ASSERT_TRUE(seed >= seeds.first && seed <= seeds.last && seen.insert(seed).second) << name << ": seed " << seed;
      f.uncleared += cleared != 1;
      if (ticks.empty() || t > *std::max_element(ticks.begin(), ticks.end())) f.worstSeed = seed;
      ticks.push_back(t);
      moves.push_back(m);
      restarts.push_back(r);
      pieces.push_back(p);
    }
    ASSERT_EQ(ticks.size(), static_cast<size_t>(seeds.Count())) << name;
    f.ticks = Median(ticks);
    f.moves = Median(moves);
    f.restarts = Median(restarts);
    f.pieces = Median(pieces);
    f.worstTicks = *std::max_element(ticks.begin(), ticks.end());
    f.movesPerLayer = f.moves / std::max(1, l.Gold());
  }

  std::vector<double> chapter(10);
  for (size_t c = 0; c < 10; ++c) {
    std::vector<double> d;
    for (size_t k = 0; k < 5; ++k) d.push_back(figures[c * 5 + k].ticks);
    chapter[c] = Median(d);
  }
  std::vector<std::string> broken;
  for (size_t c = 1; c < 10; ++c)
    if (!(chapter[c - 1] < chapter[c])) broken.push_back("(a) chapter " + std::to_string(c + 1) + " is not above chapter " + std::to_string(c));
  for (size_t n = 1; n < 50; ++n)
    if (n % 5 != 0 && figures[n].ticks < 0.7 * figures[n - 1].ticks)
      broken.push_back("(b) level " + std::to_string(n + 1) + " dips below 0.7 of level " + std::to_string(n));
  if (chapter[9] < 3 * chapter[0]) broken.push_back("(c) chapter 10 is not three times chapter 1");
  for (size_t n = 0; n < 50; ++n)
    if (figures[n].restarts > (n < 10 ? 0 : 1))
      broken.push_back("(d) level " + std::to_string(n + 1) + " median restarts " + Fixed(figures[n].restarts, 1));
  std::vector<double> tight, generous;
  for (const levels::Level& l : all) {
    const double mpl = figures[static_cast<size_t>(l.number - 1)].movesPerLayer;
    if (l.Class() == levels::Character::Tight) tight.push_back(mpl);
    if (l.Class() == levels::Character::Generous) generous.push_back(mpl);
  }
  if (!(Median(tight) > Median(generous))) broken.push_back("(e) tight levels take no more moves per layer than generous ones");
  for (size_t c = 1; c < 10; ++c)
    if (chapter[c] < 1.1 * chapter[c - 1])
      broken.push_back("(f) chapter " + std::to_string(c + 1) + " is less than 1.1 x chapter " + std::to_string(c));
  for (size_t n = 0; n < 50; ++n) {
    const size_t first = n / 5 * 5;
    std::vector<double> others;
    for (size_t k = first; k < first + 5; ++k)
      if (k != n) others.push_back(figures[k].ticks);
    if (figures[n].ticks > 2 * Median(others))
      broken.push_back("(g) level " + std::to_string(n + 1) + " is more than 2 x the median of its chapter's others");
    if (n % 5 == 4 && *std::max_element(others.begin(), others.end()) > figures[n].ticks / 0.9)
      broken.push_back("(h) level " + std::to_string(n + 1) + " is not its chapter's hardest, nor within a tenth of it");
  }
  std::vector<double> early, late;
  for (size_t n = 0; n < 15; ++n) early.push_back(figures[n].movesPerLayer), late.push_back(figures[35 + n].movesPerLayer);
  if (Median(late) < 1.1 * Median(early)) broken.push_back("(k) the last three chapters take no more moves per layer than the first three");
  const double wall = 0.4 * static_cast<double>(autoplay::RunOptions{}.maxTicks);
  for (size_t n = 0; n < 50; ++n) {
    if (figures[n].worstTicks > wall)
      broken.push_back("(i) level " + std::to_string(n + 1) + " has a seed over 40% of the give-up point (seed " +
                       std::to_string(figures[n].worstSeed) + ", " + Fixed(figures[n].worstTicks, 0) + " ticks)");
    if (figures[n].uncleared > 0)
      broken.push_back("(l) level " + std::to_string(n + 1) + " is not cleared on " + std::to_string(figures[n].uncleared) + " seeds");
  }
  std::map<std::string, int> outlines, holes;
  for (const levels::Level& l : all) {
    if (const auto [at, fresh] = outlines.emplace(Outline(l), l.number); !fresh)
      broken.push_back("(j) level " + std::to_string(l.number) + " has the size and holes of level " + std::to_string(at->second));
    for (const std::string& shape : InnerHoleShapes(l))
      if (const auto [at, fresh] = holes.emplace(shape, l.number); !fresh && at->second != l.number)
        broken.push_back("(j) level " + std::to_string(l.number) + " has an inner hole shaped like one of level " +
                         std::to_string(at->second));
  }

  std::ofstream md(folder + "curve.md"), tsv(folder + "curve.tsv");
  md << "# Difficulty curve (autoplayer, seeds " << seeds.first << "-" << seeds.last << ", medians)\n\n"
     << "| level | chapter | name | size | active | Gold | Locked | bonus | class | ticks | moves | moves/layer | restarts | pieces | worst ticks | worst seed |\n"
     << "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n";
  tsv << "level\tchapter\tname\tsize\tactive\tgold\tlocked\tbonus\tclass\tticks\tmoves\tmoves_per_layer\trestarts\tpieces\tworst_ticks\tworst_seed\n";
  for (const levels::Level& l : all) {
    const Figures& f = figures[static_cast<size_t>(l.number - 1)];
    const std::vector<std::string> cells = {
        std::to_string(l.number), std::to_string(1 + (l.number - 1) / 5), l.name,
        std::to_string(l.width) + "x" + std::to_string(l.height), std::to_string(l.ActiveCells()),
        std::to_string(l.Gold()), std::to_string(l.LockedCells()), l.BonusText(), levels::CharacterName(l.Class()),
        Fixed(f.ticks, 0), Fixed(f.moves, 0), Fixed(f.movesPerLayer, 2), Fixed(f.restarts, 0), Fixed(f.pieces, 0),
        Fixed(f.worstTicks, 0), std::to_string(f.worstSeed)};
    md << "|";
    for (size_t i = 0; i < cells.size(); ++i) {
      md << " " << cells[i] << " |";
      tsv << cells[i] << (i + 1 < cells.size() ? "\t" : "\n");
    }
    md << "\n";
  }
  md << "\n## Chapter medians (ticks)\n\n";
  for (size_t c = 0; c < 10; ++c) md << "- chapter " << c + 1 << ": " << Fixed(chapter[c], 0) << "\n";
  md << "\n## Rules\n\n";
  const char* rules[] = {"(a) chapter medians rise", "(b) no dip below 0.7 inside a chapter",
                         "(c) chapter 10 at least 3 x chapter 1", "(d) median restarts 0 (levels 1-10), at most 1",
                         "(e) tight levels take more moves per layer than generous ones",
                         "(f) each chapter at least 1.1 x the one before",
                         "(g) no level above 2 x the median of its chapter's others",
                         "(h) the fifth level of each chapter its hardest, or within a tenth of it",
                         "(i) no seed over 40% of the give-up point",
                         "(j) no two levels with the same size and holes, nor the same inner hole shape",
                         "(k) the last three chapters at least 1.1 x the moves per layer of the first three",
                         "(l) every seed cleared"};
  for (const char* rule : rules) {
    const bool failed = std::any_of(broken.begin(), broken.end(), [&](const std::string& b) { return b.compare(0, 3, rule, 3) == 0; });
    md << "- " << rule << ": " << (failed ? "FAIL" : "pass") << "\n";
  }
  for (const std::string& b : broken) ADD_FAILURE() << b;
}
