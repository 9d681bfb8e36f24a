#include "LevelValidator.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace levels {

namespace {

std::vector<std::string> SplitCommas(const std::string& s) {
    std::vector<std::string> out;
    size_t at = 0;
    for (;;) {
        const size_t comma = s.find(',', at);
        out.push_back(s.substr(at, comma == std::string::npos ? std::string::npos : comma - at));
        if (comma == std::string::npos) return out;
        at = comma + 1;
    }
}

// Plain decimal only: an optional minus, no plus, no leading zeros, no "$" or "%".
std::optional<int> PlainInt(const std::string& s) {
    size_t i = (!s.empty() && s[0] == '-') ? 1 : 0;
    if (i == s.size() || s.size() - i > 4) return std::nullopt;
    for (size_t k = i; k < s.size(); ++k)
        if (!std::isdigit(static_cast<unsigned char>(s[k]))) return std::nullopt;
    if (s[i] == '0' && s.size() - i > 1) return std::nullopt;
    if (s == "-0") return std::nullopt;
    return std::stoi(s);
}

bool ValidCode(int c) { return (c >= -1 && c <= 4) || (c >= 8 && c <= 14) || (c >= 21 && c <= 34); }

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

// The piece each of the first eight levels introduces (0: none) and the first level of each piece.
constexpr std::array<int, 9> kIntroducedPiece = {0, 8, 14, 9, 13, 10, 0, 11, 12};
int FirstLevelOfPiece(int type) {
    switch (type) {
        case 8: return 1;
        case 14: return 2;
        case 9: return 3;
        case 13: return 4;
        case 10: return 5;
        case 11: return 7;
        case 12: return 8;
        default: return 1;
    }
}

const char* PieceName(int type) {
    static const char* names[] = {"lion", "horn", "tornado", "star", "paint pot", "axe", "key"};
    return (type >= 8 && type <= 14) ? names[type - 8] : "?";
}

class Reporter {
public:
    Reporter(const std::string& where, std::vector<Problem>& out) : where_(where), out_(out) {}
    void operator()(int line, const char* rule, const std::string& text) { out_.push_back({where_, line, rule, text}); }

private:
    std::string where_;
    std::vector<Problem>& out_;
};

// F7, on the raw bytes: each kind of fault once, at the first line that shows it.
void CheckBytes(const std::string& b, Reporter& report) {
    if (b.size() >= 3 && b.compare(0, 3, "\xEF\xBB\xBF") == 0) report(1, "F7", "byte-order mark");
    bool cr = false, nul = false, tab = false, other = false, blank = false;
    int line = 1;
    size_t lineStart = 0;
    for (size_t i = 0; i < b.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(b[i]);
        if (c == '\n') {
            const bool last = i + 1 == b.size();
            if (i == lineStart && !blank) {
                blank = true;
                report(line, "F7", last ? "blank line at the end" : "blank line");
            }
            ++line;
            lineStart = i + 1;
        } else if (c == '\r' && !cr) {
            cr = true;
            report(line, "F7", "CR byte (line endings must be LF)");
        } else if (c == 0 && !nul) {
            nul = true;
            report(line, "F7", "NUL byte");
        } else if (c == '\t' && !tab) {
            tab = true;
            report(line, "F7", "tab");
        } else if ((c < 0x20 || c > 0x7E) && c != '\r' && c != 0 && c != '\t' && !other && !(i < 3 && line == 1 && b[0] == '\xEF')) {
            other = true;
            char buf[48];
            std::snprintf(buf, sizeof buf, "byte 0x%02X is not printable ASCII", c);
            report(line, "F7", buf);
        }
    }
    if (!b.empty() && b.back() != '\n') report(line, "F7", "no final LF");
}

void CheckName(const std::string& line, Reporter& report) {
    if (line.size() < 4 || line.compare(0, 4, "REM,") != 0) {
        report(1, "F1", "the name line must start with \"REM,\"");
        return;
    }
    const std::string name = line.substr(4);
    if (name.size() < 3 || name.size() > 28) report(1, "F1", "name of " + std::to_string(name.size()) + " characters, not 3..28");
    if (!name.empty() && !std::isalpha(static_cast<unsigned char>(name[0]))) report(1, "F1", "the name must start with a letter");
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != ' ' && c != '\'' && c != '-') {
            report(1, "F1", std::string("character '") + c + "' in the name");
            break;
        }
    if (!name.empty() && name.back() == ' ') report(1, "F1", "trailing space in the name");
    if (name.find("  ") != std::string::npos) report(1, "F1", "double space in the name");
}

}  // namespace

const char* CharacterName(Character c) {
    switch (c) {
        case Character::Generous: return "generous";
        case Character::Tight: return "tight";
        default: return "-";
    }
}

std::string Problem::ToString() const {
    return where + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + rule + " " + text;
}

int Level::Gold() const {
    int n = 0;
    for (int c : cells) n += LayersOf(c);
    return n;
}
int Level::LockedCells() const { return static_cast<int>(std::count_if(cells.begin(), cells.end(), IsLocked)); }
int Level::ActiveCells() const { return static_cast<int>(std::count_if(cells.begin(), cells.end(), IsActive)); }
int Level::LayeredCells() const { return static_cast<int>(std::count_if(cells.begin(), cells.end(), IsLayered)); }
int Level::PiecePresets() const { return static_cast<int>(std::count_if(cells.begin(), cells.end(), IsPiecePreset)); }

int Level::RowStretch(int x, int y) const {
    if (!ActiveAt(x, y)) return 0;
    int a = x, b = x;
    while (ActiveAt(a - 1, y)) --a;
    while (ActiveAt(b + 1, y)) ++b;
    return b - a + 1;
}

int Level::ColumnStretch(int x, int y) const {
    if (!ActiveAt(x, y)) return 0;
    int a = y, b = y;
    while (ActiveAt(x, a - 1)) --a;
    while (ActiveAt(x, b + 1)) ++b;
    return b - a + 1;
}

int Level::MostColumnStretches() const {
    int most = 0;
    for (int x = 0; x < width; ++x) {
        int n = 0;
        for (int y = 0; y < height; ++y) n += ActiveAt(x, y) && !ActiveAt(x, y - 1);
        most = std::max(most, n);
    }
    return most;
}

namespace {

// 4-connected groups of the cells for which `member` holds.
std::vector<std::vector<int>> Groups(const Level& l, const std::function<bool(int, int)>& member) {
    std::vector<int> seen(static_cast<size_t>(l.width * l.height), 0);
    std::vector<std::vector<int>> groups;
    for (int start = 0; start < l.width * l.height; ++start) {
        if (seen[static_cast<size_t>(start)] || !member(start % l.width, start / l.width)) continue;
        std::vector<int> group{start};
        seen[static_cast<size_t>(start)] = 1;
        for (size_t k = 0; k < group.size(); ++k) {
            const int x = group[k] % l.width, y = group[k] / l.width;
            const int nx[4] = {x - 1, x + 1, x, x}, ny[4] = {y, y, y - 1, y + 1};
            for (int d = 0; d < 4; ++d) {
                if (nx[d] < 0 || ny[d] < 0 || nx[d] >= l.width || ny[d] >= l.height) continue;
                const int i = ny[d] * l.width + nx[d];
                if (seen[static_cast<size_t>(i)] || !member(nx[d], ny[d])) continue;
                seen[static_cast<size_t>(i)] = 1;
                group.push_back(i);
            }
        }
        std::sort(group.begin(), group.end());
        groups.push_back(std::move(group));
    }
    return groups;
}

}  // namespace

std::vector<std::vector<int>> Level::Islands() const {
    return Groups(*this, [this](int x, int y) { return ActiveAt(x, y); });
}

bool Level::HasHole() const { return std::any_of(cells.begin(), cells.end(), [](int c) { return c == 0; }); }

bool Level::HasRing() const {
    for (const auto& g : Groups(*this, [this](int x, int y) { return !ActiveAt(x, y); })) {
        const bool edge = std::any_of(g.begin(), g.end(), [this](int i) {
            const int x = i % width, y = i / width;
            return x == 0 || y == 0 || x == width - 1 || y == height - 1;
        });
        if (!edge) return true;
    }
    return false;
}

Character Level::Class() const {
    const int active = ActiveCells(), locked = LockedCells(), rich = Richness();
    if (active == 0) return Character::None;
    bool roomy = true;
    int cramped = 0, layered = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (!IsLayered(At(x, y))) continue;
            ++layered;
            const int r = RowStretch(x, y), c = ColumnStretch(x, y);
            roomy = roomy && std::max(r, c) >= 4;
            cramped += r <= 3 && c <= 3;
        }
    if (rich >= 4 && locked * 20 <= active && roomy) return Character::Generous;
    if (rich <= 1 && (locked * 10 >= active || cramped * 4 >= layered)) return Character::Tight;
    return Character::None;
}

std::string Level::BonusText() const {
    if (noBonus) return "0";
    std::string s;
    for (size_t i = 0; i < bonus.size(); ++i) s += (i ? "," : "") + std::to_string(bonus[i]);
    return s;
}

Level ParseLevel(const std::string& bytes, int number, const std::string& path, std::vector<Problem>& problems) {
    Level l;
    l.number = number;
    l.path = path;
    l.bytes = bytes;
    Reporter report(path, problems);
    if (bytes.empty()) {
        report(1, "F7", "the file is empty");
        return l;
    }
    CheckBytes(bytes, report);

    // Lines as the house format sees them; faults of F7 are already reported, so they are
    // dropped here and the rest of the file is still checked.
    std::vector<std::string> lines;
    std::string cur;
    size_t from = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    for (size_t i = from; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\n') {
            lines.push_back(cur);
            cur.clear();
        } else if (c != '\r' && c != '\0') {
            cur += c;
        }
    }
    if (!cur.empty()) lines.push_back(cur);
    while (!lines.empty() && lines.back().empty()) lines.pop_back();

    size_t next = 0;
    auto take = [&](const char* rule, const char* what) -> std::optional<std::string> {
        if (next < lines.size()) return lines[next++];
        report(static_cast<int>(next + 1), rule, std::string("missing ") + what + " line");
        ++next;
        return std::nullopt;
    };

    // The reader takes a first line that is not a name line as the time line; so does this one.
    if (!lines.empty() && lines[0].size() >= 3 && std::toupper(static_cast<unsigned char>(lines[0][0])) == 'R' &&
        std::toupper(static_cast<unsigned char>(lines[0][1])) == 'E' &&
        std::toupper(static_cast<unsigned char>(lines[0][2])) == 'M') {
        CheckName(lines[0], report);
        if (lines[0].compare(0, 4, "REM,") == 0) l.name = lines[0].substr(4);
        next = 1;
    } else {
        report(1, "F1", "line 1 must be \"REM,\" and the level's name");
    }

    if (auto t = take("F2", "time")) {
        const auto v = PlainInt(*t);
        if (!v || *v < 0) report(static_cast<int>(next), "F2", "time " + Quote(*t) + " is not a number of seconds");
        else if (*v < 60 || *v > 900) report(static_cast<int>(next), "F2", "time " + *t + " is outside 60..900");
        if (v) l.time = *v;
    }

    if (auto b = take("F3", "bonus")) {
        const int line = l.bonusLine = static_cast<int>(next);
        if (*b == "0") {
            l.noBonus = true;
        } else {
            const auto fields = SplitCommas(*b);
            if (fields.size() > 16) report(line, "F3", std::to_string(fields.size()) + " bonus entries, at most 16");
            for (const auto& f : fields) {
                const auto v = PlainInt(f);
                if (f.empty()) report(line, "F3", "empty bonus entry");
                else if (!v) report(line, "F3", "bonus entry " + Quote(f) + " is not plain decimal");
                else if (*v < 8 || *v > 14) report(line, "F3", "bonus entry " + f + " is outside 8..14");
                if (v && *v >= 8 && *v <= 14) l.bonus.push_back(*v);
            }
        }
    }

    if (auto s = take("F4", "size")) {
        const int line = l.sizeLine = static_cast<int>(next);
        const auto f = SplitCommas(*s);
        const auto w = f.size() == 2 ? PlainInt(f[0]) : std::nullopt;
        const auto h = f.size() == 2 ? PlainInt(f[1]) : std::nullopt;
        if (!w || !h) {
            report(line, "F4", "size " + Quote(*s) + " is not \"W,H\"");
        } else if (*w < 3 || *w > 15 || *h < 3 || *h > 10) {
            report(line, "F4", "size " + *s + " is outside 3..15 by 3..10");
        } else {
            l.width = *w;
            l.height = *h;
            l.shaped = true;
            l.cells.assign(static_cast<size_t>(l.width * l.height), 0);
        }
    }

    if (auto o = take("F5", "offset"))
        if (*o != "0,0") report(static_cast<int>(next), "F5", "offset line " + Quote(*o) + " must be \"0,0\"");

    l.firstCellLine = static_cast<int>(next + 1);
    if (!l.shaped) return l;
    const size_t rows = lines.size() > next ? lines.size() - next : 0;
    for (size_t y = 0; y < rows; ++y) {
        const int line = static_cast<int>(next + y + 1);
        if (static_cast<int>(y) >= l.height) {
            report(line, "F6", "cell line " + std::to_string(y + 1) + " beyond the height " + std::to_string(l.height));
            break;
        }
        const auto codes = SplitCommas(lines[next + y]);
        if (static_cast<int>(codes.size()) != l.width)
            report(line, "F6", std::to_string(codes.size()) + " codes, the width is " + std::to_string(l.width));
        for (size_t x = 0; x < codes.size(); ++x) {
            const auto v = PlainInt(codes[x]);
            if (!v) report(line, "F6", "code " + Quote(codes[x]) + " is not plain decimal");
            else if (!ValidCode(*v)) report(line, "F6", "code " + codes[x] + " is not a level code");
            if (v && ValidCode(*v) && static_cast<int>(x) < l.width)
                l.cells[y * static_cast<size_t>(l.width) + x] = *v;
        }
    }
    if (static_cast<int>(rows) < l.height)
        report(static_cast<int>(next + rows + 1), "F6",
               std::to_string(rows) + " cell lines, the height is " + std::to_string(l.height));
    return l;
}

// R10: a locked gem never falls and holds up the gems above it, so the cells under it in its
// column stretch are refilled only once it is open; a match there leaves them empty until then.
// A lock under another lock in the same stretch can be opened only from the side, with the
// cells between the two empty. And every lock must stay openable however empty those cells are:
// opened one by one, each needs a run of three whose other two cells refill and are not locked.
void CheckRefills(const Level& l, Reporter& report) {
    const int W = l.width, H = l.height;
    auto lineOf = [&](int y) { return l.firstCellLine + y; };
    auto at = [](int x, int y) { return "(" + std::to_string(x) + "," + std::to_string(y) + ")"; };
    std::vector<bool> closed(static_cast<size_t>(W * H));
    for (int i = 0; i < W * H; ++i) closed[static_cast<size_t>(i)] = IsLocked(l.cells[static_cast<size_t>(i)]);
    auto isClosed = [&](int x, int y) { return l.ActiveAt(x, y) && closed[static_cast<size_t>(y * W + x)]; };

    for (int x = 0; x < W; ++x)
        for (int y = 0; y < H; ++y)
            if (IsLocked(l.At(x, y)))
                for (int k = y + 1; l.ActiveAt(x, k); ++k)
                    if (IsLocked(l.At(x, k))) {
                        report(lineOf(k), "R10", "locked cell " + at(x, k) + " lies under locked cell " + at(x, y) +
                                                     " in one column stretch");
                        break;
                    }

    // A cell refills when no closed lock stands above it in its stretch.
    auto refills = [&](int x, int y) {
        if (!l.ActiveAt(x, y) || isClosed(x, y)) return false;
        for (int k = y - 1; l.ActiveAt(x, k); --k)
            if (isClosed(x, k)) return false;
        return true;
    };
    auto opens = [&](int x, int y) {
        for (int s = -2; s <= 0; ++s) {
            bool row = true, column = true;
            for (int i = s; i < s + 3; ++i) {
                if (i == 0) continue;
                row = row && refills(x + i, y);
                column = column && refills(x, y + i);
            }
            if (row || column) return true;
        }
        return false;
    };
    for (bool progress = true; progress;) {
        progress = false;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (isClosed(x, y) && opens(x, y)) {
                    closed[static_cast<size_t>(y * W + x)] = false;
                    progress = true;
                }
    }
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (isClosed(x, y))
                report(lineOf(y), "R10", "locked cell " + at(x, y) + " can be left with no run of refilling cells to open it");
}

void CheckLevel(const Level& l, std::vector<Problem>& problems) {
    Reporter report(l.path, problems);
    const int n = l.number;
    const int bl = l.bonusLine;

    // Bonus-line rules first: they need no shape.
    std::map<int, int> count;
    for (int b : l.bonus) ++count[b];
    for (const auto& [type, times] : count)
        if (n < FirstLevelOfPiece(type))
            report(bl, "R8", std::string("the ") + PieceName(type) + " is listed before level " +
                                 std::to_string(FirstLevelOfPiece(type)));
    if (n >= 1 && n <= 8 && kIntroducedPiece[static_cast<size_t>(n)] != 0) {
        const int piece = kIntroducedPiece[static_cast<size_t>(n)];
        int most = 0;
        for (const auto& [type, times] : count) most = std::max(most, times);
        if (count[piece] == 0 || count[piece] < most)
            report(bl, "R8", std::string("the ") + PieceName(piece) + " this level introduces must be listed at least as often as any other entry");
    }
    // Once the few locks are open every key earned is a dead piece sitting on a brick.
    if (!l.bonus.empty() && count[14] == static_cast<int>(l.bonus.size()))
        report(bl, "R7", "a bonus line of keys only");
    if (!l.shaped) return;

    const int W = l.width, H = l.height;
    const int sl = l.sizeLine;
    auto lineOf = [&](int y) { return l.firstCellLine + y; };
    const int locked = l.LockedCells(), active = l.ActiveCells();

    if (l.Gold() < 1) report(lineOf(0), "R1", "no layer on the board: the level would end at once");

    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (IsLayered(l.At(x, y)) && l.RowStretch(x, y) < 3 && l.ColumnStretch(x, y) < 3)
                report(lineOf(y), "R2", "layered cell (" + std::to_string(x) + "," + std::to_string(y) +
                                            ") lies in no stretch of 3");

    auto unlockedActive = [&](int x, int y) { return l.ActiveAt(x, y) && !IsLocked(l.At(x, y)); };
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (!IsLocked(l.At(x, y))) continue;
            bool opens = unlockedActive(x, y - 1) && unlockedActive(x, y - 2);
            for (int s = x - 2; s <= x && !opens; ++s)
                opens = l.ActiveAt(s, y) && l.ActiveAt(s + 1, y) && l.ActiveAt(s + 2, y) &&
                        (unlockedActive(s, y) || unlockedActive(s + 1, y) || unlockedActive(s + 2, y));
            if (!opens)
                report(lineOf(y), "R3", "locked cell (" + std::to_string(x) + "," + std::to_string(y) +
                                            ") has no run that can open it");
        }

    CheckRefills(l, report);

    for (int y = 0; y < H; ++y) {
        int activeInRow = 0, lockedInRow = 0;
        for (int x = 0; x < W; ++x) {
            activeInRow += l.ActiveAt(x, y);
            lockedInRow += IsLocked(l.At(x, y));
            if (l.ActiveAt(x, y) && !l.ActiveAt(x - 1, y)) {
                int len = 0, lk = 0;
                for (int k = x; l.ActiveAt(k, y); ++k, ++len) lk += IsLocked(l.At(k, y));
                if (len >= 3 && lk == len) report(lineOf(y), "R4", "a stretch of " + std::to_string(len) + " locked cells");
            }
        }
        if (activeInRow > 0 && lockedInRow == activeInRow) report(lineOf(y), "R4", "every active cell of the row is locked");
    }
    if (locked * 4 > active)
        report(lineOf(0), "R4", std::to_string(locked) + " locked cells of " + std::to_string(active) + " active, at most a quarter");

    if (active < 30) report(lineOf(0), "R5", std::to_string(active) + " active cells, at least 30");
    for (const auto& island : l.Islands()) {
        const bool layered = std::any_of(island.begin(), island.end(), [&](int i) { return IsLayered(l.cells[static_cast<size_t>(i)]); });
        if (!layered) continue;
        bool block = false;
        for (int y0 = 0; y0 + 4 <= H && !block; ++y0)
            for (int x0 = 0; x0 + 4 <= W && !block; ++x0) {
                bool all = std::binary_search(island.begin(), island.end(), y0 * W + x0);
                for (int k = 0; k < 16 && all; ++k) all = l.ActiveAt(x0 + k % 4, y0 + k / 4);
                block = all;
            }
        const int first = island.front() / W;
        if (island.size() < 16) report(lineOf(first), "R5", "an island of " + std::to_string(island.size()) + " cells holds layers (at least 16)");
        if (!block) report(lineOf(first), "R5", "an island with layers has no 4x4 block of active cells");
    }

    // The fill places a preset without counting it in the run, so only a pedestal keeps it
    // out of a ready run.
    auto pedestalSide = [&](int x, int y) { return !l.ActiveAt(x, y) || IsPiecePreset(l.At(x, y)); };
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (!IsColourPreset(l.At(x, y))) continue;
            const std::string at = "(" + std::to_string(x) + "," + std::to_string(y) + ")";
            if (!pedestalSide(x - 1, y) || !pedestalSide(x + 1, y))
                report(lineOf(y), "R6", "colour preset " + at + " has a drawn gem beside it");
            if (y >= 2 && !pedestalSide(x, y - 1) && !pedestalSide(x, y - 2))
                report(lineOf(y), "R6", "colour preset " + at + " has two drawn gems above it");
        }

    bool anyKey = count[14] > 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const int c = l.At(x, y);
            if (PresetType(c) == 14 && locked == 0) report(lineOf(y), "R7", "a key preset in a level without locked cells");
        }
    if (anyKey && locked == 0) report(bl, "R7", "a key in the bonus line of a level without locked cells");

    int armour = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const int c = l.At(x, y);
            armour += HasArmour(c);
            const std::string at = "(" + std::to_string(x) + "," + std::to_string(y) + ")";
            if (IsLocked(c) && n < 2) report(lineOf(y), "R8", "locked cell " + at + " before level 2");
            if (HasArmour(c) && n < 6) report(lineOf(y), "R8", "armour " + at + " before level 6");
            if (IsPreset(c) && n < 9) report(lineOf(y), "R8", "preset " + at + " before level 9");
            if (PresetType(c) >= 8 && n < FirstLevelOfPiece(PresetType(c)))
                report(lineOf(y), "R8", std::string("the ") + PieceName(PresetType(c)) + " preset before its level");
        }
    if (n == 2 && locked < 3) report(lineOf(0), "R8", "level 2 introduces locks: at least 3 locked cells");
    if (n == 6 && armour < 6) report(lineOf(0), "R8", "level 6 introduces armour: at least 6 armour cells");

    if (H == 10 && n < 36) report(sl, "R9", "a height of 10 before level 36");
    if (n >= 1 && n <= 5 && (W < 7 || W > 8 || H < 6 || H > 8))
        report(sl, "R9", "levels 1 to 5 measure 7..8 by 6..8");
}

void CheckSet(const std::vector<Level>& levels, const std::vector<std::string>& files, const std::string& folder,
              std::vector<Problem>& problems) {
    Reporter report(folder, problems);
    auto at = [&](const Level& l, int line, const char* rule, const std::string& text) {
        problems.push_back({l.path, line, rule, text});
    };

    std::set<std::string> expected;
    for (int n = 1; n <= kLevelCount; ++n) expected.insert(std::to_string(n) + ".txt");
    for (const auto& f : files)
        if (!expected.count(f)) report(0, "S1", "unexpected file " + f);
    for (const auto& e : expected)
        if (std::find(files.begin(), files.end(), e) == files.end()) report(0, "S1", "missing " + e);

    std::map<std::string, int> names;
    for (const Level& l : levels) {
        std::string key = l.name;
        for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (key.empty()) continue;
        if (names.count(key)) at(l, 1, "S2", "name " + Quote(l.name) + " is already level " + std::to_string(names[key]));
        else names[key] = l.number;
    }

    std::set<int> codes;
    for (const Level& l : levels)
        if (l.shaped) codes.insert(l.cells.begin(), l.cells.end());
    std::vector<int> wanted = {0, -1, 1, 2, 3, 4};
    for (int c = 8; c <= 14; ++c) wanted.push_back(c);
    for (int c = 21; c <= 34; ++c) wanted.push_back(c);
    for (int c : wanted)
        if (!codes.count(c)) report(0, "S3", "no level uses code " + std::to_string(c));

    std::array<int, 15> linesWith{};
    int zero = 0, weighted = 0, allSeven = 0;
    std::array<int, 15> lateLinesWith{};
    for (const Level& l : levels) {
        std::set<int> distinct(l.bonus.begin(), l.bonus.end());
        for (int t : distinct) ++linesWith[static_cast<size_t>(t)];
        zero += l.noBonus;
        weighted += distinct.size() < l.bonus.size();
        if (l.number > 25)
            for (int t : distinct) ++lateLinesWith[static_cast<size_t>(t)];
        allSeven += distinct.size() == 7;
    }
    for (int t = 8; t <= 14; ++t)
        if (linesWith[static_cast<size_t>(t)] < 5)
            report(0, "S4", std::string("the ") + PieceName(t) + " is in " + std::to_string(linesWith[static_cast<size_t>(t)]) + " bonus lines, at least 5");
    if (zero < 3) report(0, "S4", std::to_string(zero) + " levels with the bonus line \"0\", at least 3");
    if (weighted < 3) report(0, "S4", std::to_string(weighted) + " weighted bonus lines, at least 3");
    // The late chapters are made hard by their boards, not by taking the pieces away.
    for (int t = 8; t <= 14; ++t)
        if (lateLinesWith[static_cast<size_t>(t)] < 3)
            report(0, "S4", std::string("the ") + PieceName(t) + " is in " + std::to_string(lateLinesWith[static_cast<size_t>(t)]) +
                                " bonus lines of levels 26 to 50, at least 3");
    if (allSeven < 1) report(0, "S4", "no bonus line with all seven pieces");

    std::vector<const Level*> shaped;
    for (const Level& l : levels)
        if (l.shaped) shaped.push_back(&l);
    auto mask = [](const Level& l, bool mirrored) {
        std::string m = std::to_string(l.width) + "x" + std::to_string(l.height) + ":";
        for (int y = 0; y < l.height; ++y)
            for (int x = 0; x < l.width; ++x) m += l.ActiveAt(mirrored ? l.width - 1 - x : x, y) ? '#' : '.';
        return m;
    };
    std::map<std::string, int> masks;
    std::map<std::string, int> holeless;
    int islands = 0, islandsCh5 = 0, split2 = 0, split3 = 0, rings = 0, oddOdd = 0, evenEven = 0, noHole = 0;
    for (const Level* l : shaped) {
        const std::string m = mask(*l, false), mm = mask(*l, true);
        if (masks.count(m)) at(*l, l->firstCellLine, "S5", "the same shape as level " + std::to_string(masks[m]));
        else if (masks.count(mm)) at(*l, l->firstCellLine, "S5", "the mirror image of level " + std::to_string(masks[mm]));
        masks.emplace(m, l->number);
        if (!l->HasHole()) {
            ++noHole;
            const std::string size = std::to_string(l->width) + "x" + std::to_string(l->height);
            if (holeless.count(size)) at(*l, l->sizeLine, "S5", "a second level of " + size + " without a hole (level " + std::to_string(holeless[size]) + ")");
            holeless.emplace(size, l->number);
        }
        const bool isl = l->Islands().size() >= 2;
        islands += isl;
        islandsCh5 += isl && (l->number - 1) / 5 + 1 == 5;
        const int split = l->MostColumnStretches();
        split2 += split >= 2;
        split3 += split >= 3;
        rings += l->HasRing();
        oddOdd += l->width % 2 == 1 && l->height % 2 == 1;
        evenEven += l->width % 2 == 0 && l->height % 2 == 0;
    }
    if (noHole > 6) report(0, "S5", std::to_string(noHole) + " levels without a hole, at most 6");
    if (islands < 5) report(0, "S5", std::to_string(islands) + " levels with islands, at least 5");
    if (islandsCh5 < 3) report(0, "S5", std::to_string(islandsCh5) + " levels with islands in chapter 5, at least 3");
    if (split2 < 12) report(0, "S5", std::to_string(split2) + " levels with a split column, at least 12");
    if (split3 < 3) report(0, "S5", std::to_string(split3) + " levels with a column in 3 stretches, at least 3");
    if (rings < 2) report(0, "S5", std::to_string(rings) + " levels with a ring, at least 2");
    if (oddOdd < 3) report(0, "S5", std::to_string(oddOdd) + " odd by odd levels, at least 3");
    if (evenEven < 3) report(0, "S5", std::to_string(evenEven) + " even by even levels, at least 3");

    int tall = 0;
    bool fiftyTall = false;
    for (const Level* l : shaped) {
        tall += l->height == 10;
        if (l->number == 50) {
            fiftyTall = l->height == 10;
            if (l->width != 15 || l->height != 10) at(*l, l->sizeLine, "S5", "level 50 must be 15x10");
        }
    }
    if (tall > 4) report(0, "R9", std::to_string(tall) + " levels of height 10, at most 4");
    if (!fiftyTall && !shaped.empty() && shaped.back()->number == kLevelCount) report(0, "R9", "level 50 is not of height 10");

    std::map<Character, std::set<int>> chapters;
    std::map<Character, int> classCount;
    for (const Level* l : shaped) {
        const Character c = l->Class();
        ++classCount[c];
        chapters[c].insert((l->number - 1) / 5 + 1);
    }
    for (Character c : {Character::Generous, Character::Tight}) {
        if (classCount[c] < 6) report(0, "S6", std::to_string(classCount[c]) + " " + CharacterName(c) + " levels, at least 6");
        if (chapters[c].size() < 4)
            report(0, "S6", std::string(CharacterName(c)) + " levels in " + std::to_string(chapters[c].size()) + " chapters, at least 4");
    }
}

std::vector<Problem> ValidateFolder(const std::string& dir, const std::string& shownAs, std::vector<Level>* out) {
    std::vector<Problem> problems;
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir, ec)) files.push_back(e.path().filename().string());
    if (ec) {
        problems.push_back({shownAs, 0, "S1", "cannot read the folder"});
        return problems;
    }
    std::sort(files.begin(), files.end());
    std::vector<Level> levels;
    for (int n = 1; n <= kLevelCount; ++n) {
        const fs::path p = fs::path(dir) / (std::to_string(n) + ".txt");
        if (!fs::is_regular_file(p)) continue;
        std::ifstream in(p, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        Level l = ParseLevel(bytes, n, shownAs + "/" + p.filename().string(), problems);
        CheckLevel(l, problems);
        levels.push_back(std::move(l));
    }
    CheckSet(levels, files, shownAs, problems);
    if (out) *out = std::move(levels);
    return problems;
}

char CellChar(int code) {
    static const char pieces[] = "nhtspak";  // lion, horn, tornado, star, paint pot, axe, key
    switch (code) {
        case 0: return '.';
        case -1: return '-';
        case 1: return 'o';
        case 2: return 'l';
        case 3: return 'O';
        case 4: return 'L';
        default: break;
    }
    if (code >= 8 && code <= 14) return pieces[code - 8];
    if (code >= 28 && code <= 34) return static_cast<char>(std::toupper(pieces[code - 28]));
    if (code >= 21 && code <= 27) return static_cast<char>('1' + code - 21);
    return '?';
}

std::string Gallery(const std::vector<Level>& levels) {
    std::ostringstream g;
    g << "Lantern Vale levels, one character per cell:\n"
         "  .  hole              -  plain cell (no layer)\n"
         "  o  brick             O  brick under armour\n"
         "  l  locked gem        L  locked gem on armour\n"
         "  n h t s p a k   piece preset on a brick: lion, horn, tornado, star, paint pot, axe, key\n"
         "  N H T S P A K   the same pieces on armour\n"
         "  1 .. 7          colour preset on armour\n\n";
    for (const Level& l : levels) {
        g << "Level " << l.number << " (chapter " << (l.number - 1) / 5 + 1 << "): " << l.name << "\n";
        if (!l.shaped) {
            g << "  (unreadable)\n\n";
            continue;
        }
        g << "  " << l.width << "x" << l.height << ", " << l.ActiveCells() << " active cells, Gold " << l.Gold()
          << ", Locked " << l.LockedCells() << ", bonus " << l.BonusText() << ", " << CharacterName(l.Class()) << "\n";
        for (int y = 0; y < l.height; ++y) {
            g << "    ";
            for (int x = 0; x < l.width; ++x) g << CellChar(l.At(x, y));
            g << "\n";
        }
        g << "\n";
    }
    return g.str();
}

uint64_t Fnv1a64(const std::string& bytes) {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

}  // namespace levels
