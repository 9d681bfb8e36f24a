// Seeded mutation runs over the two file readers: many inputs per reader, a fixed seed, every
// input checked by its entry point. Under the sanitizers the count is ten times larger.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>
#include <sstream>

#include "FuzzTargets.h"
#include "platform/String.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kRuns = 200000;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kRuns = 200000;
#else
constexpr int kRuns = 20000;
#endif
#else
constexpr int kRuns = 20000;
#endif

using Bytes = std::string;

const char* const kTextExample = "[TEXT]\nGreeting\nHello\n\nthere\n[text]\nBye\nSo long\n";

std::vector<Bytes> TextSeeds() {
  const String text = S(kTextExample) + u"caf\u00E9 \u20AC\n";
  Bytes le = "\xFF\xFE", be = "\xFE\xFF";
  for (char16_t c : text) {
    le += static_cast<char>(c & 0xFF);
    le += static_cast<char>(c >> 8);
    be += static_cast<char>(c >> 8);
    be += static_cast<char>(c & 0xFF);
  }
  return {Bytes(kTextExample) + "caf\xE9\n", "\xEF\xBB\xBF" + U8(text), le, be};
}

Bytes ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<Bytes> FontSeeds() {
  Bytes description =
      "info face=\"caccamel\" size=24 bold=0 italic=0\n"
      "common lineHeight=29 base=22 scaleW=512 scaleH=256 pages=1\n"
      "page id=0 file=\"lanternbitmap.png\"\nchars count=4\n"
      "char id=65 x=0 y=0 width=14 height=17 xoffset=0 yoffset=5 xadvance=14 page=0 chnl=15\n"
      "char id=66 x=15 y=0 width=12 height=17 xoffset=1 yoffset=5 xadvance=13 page=0 chnl=15\n"
      "char id=32 x=0 y=0 width=0 height=0 xoffset=0 yoffset=0 xadvance=6 page=0 chnl=15\n"
      "char id=8364 x=30 y=0 width=13 height=17 xoffset=0 yoffset=5 xadvance=14 page=0 chnl=15\n"
      "kernings count=1\nkerning first=65 second=66 amount=-1\n";
#ifdef LV_TEST_DATA_DIR
  const Bytes generated = ReadAll(std::string(LV_TEST_DATA_DIR) + "/fonts/lanternbitmap.fnt");
  if (!generated.empty()) description = generated;
#endif
  return {description, "scaleF=0.5\n" + description};
}

class Mutator {
 public:
  Mutator(std::vector<Bytes> seeds, uint32_t seed) : seeds_(std::move(seeds)), rng_(seed) {}

  Bytes Next() {
    Bytes b = seeds_[Pick(seeds_.size())];
    const int steps = 1 + static_cast<int>(Pick(4));
    for (int i = 0; i < steps; ++i) Mutate(b);
    return b;
  }

 private:
  size_t Pick(size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }

  void Mutate(Bytes& b) {
    switch (Pick(11)) {
      case 0:  // flip
        if (!b.empty()) b[Pick(b.size())] ^= static_cast<char>(1u << Pick(8));
        break;
      case 1:  // insert
        b.insert(b.begin() + static_cast<long>(Pick(b.size() + 1)), static_cast<char>(Pick(256)));
        break;
      case 2:  // delete a run
        if (!b.empty()) {
          const size_t at = Pick(b.size());
          b.erase(at, 1 + Pick(std::min<size_t>(16, b.size() - at)));
        }
        break;
      case 3: {  // splice with another seed
        const Bytes& other = seeds_[Pick(seeds_.size())];
        const size_t cut = Pick(b.size() + 1);
        b = b.substr(0, cut) + other.substr(Pick(other.size() + 1));
        break;
      }
      case 4: {  // duplicate a line
        const size_t start = b.rfind('\n', Pick(b.size() + 1));
        const size_t from = start == Bytes::npos ? 0 : start + 1;
        const size_t end = b.find('\n', from);
        const Bytes line = b.substr(from, end == Bytes::npos ? Bytes::npos : end - from + 1);
        b.insert(from, line);
        break;
      }
      case 5: {  // a long line
        const size_t n = Pick(50) == 0 ? 70000 : 300;
        Bytes line = "char id=" + std::to_string(Pick(70000)) + " " + Bytes(n, 'x') + " x=1\n";
        b.insert(Pick(b.size() + 1), line);
        break;
      }
      case 6: {  // a number made strange
        static const char* const kNumbers[] = {"99999999999999999999", "-99999999999999999999",
                                               "-", "+7", "1.5", "-0.25", "1e308", "1e999", "-1e-9",
                                               "nan", "inf", "-inf", "65536", "70000", "255", "256"};
        const size_t at = b.find_first_of("0123456789", Pick(b.size() + 1));
        if (at == Bytes::npos) break;
        const size_t end = b.find_first_not_of("0123456789", at);
        b.replace(at, (end == Bytes::npos ? b.size() : end) - at, kNumbers[Pick(std::size(kNumbers))]);
        break;
      }
      case 7:  // NUL or lone CR
        b.insert(Pick(b.size() + 1), 1, Pick(2) ? '\0' : '\r');
        break;
      case 8:  // odd-length UTF-16
        if (b.size() > 2 && (b[0] == '\xFF' || b[0] == '\xFE')) b.pop_back();
        break;
      case 9:  // many copies of one glyph line with new codes above 255
        for (int i = 0; i < 20; ++i) b += "char id=" + std::to_string(256 + Pick(400)) + " xadvance=3\n";
        break;
      default:  // cut short
        b.resize(Pick(b.size() + 1));
        break;
    }
  }

  std::vector<Bytes> seeds_;
  std::mt19937 rng_;
};

template <class Target>
void RunReader(const char* name, const std::vector<Bytes>& seeds, Target target) {
  fuzz::Prepare();
  const auto start = std::chrono::steady_clock::now();
  int failures = 0;
  Bytes current;
  auto fail = [&](const std::string& what) {
    if (++failures <= 5) ADD_FAILURE() << name << ": " << what << " on " << ::testing::PrintToString(current);
  };
  auto check = [&](const Bytes& input) {
    current = input;
    target(reinterpret_cast<const uint8_t*>(input.data()), input.size(), fail);
  };
  int inputs = 0;
  for (const Bytes& seed : seeds) {
    for (size_t n = 0; n <= std::min<size_t>(512, seed.size()); ++n, ++inputs) check(seed.substr(0, n));
  }
  Mutator mutator(seeds, 20261208u);
  for (int i = 0; i < kRuns; ++i, ++inputs) check(mutator.Next());
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ::testing::Test::RecordProperty("inputs", inputs);
  std::printf("%s: %d inputs in %.1f s\n", name, inputs, seconds);
  EXPECT_EQ(failures, 0);
}

TEST(ReaderFuzz, TextResourceFiles) { RunReader("text resource", TextSeeds(), fuzz::TextResource); }

TEST(ReaderFuzz, BitmapFontDescriptions) {
  RunReader("bitmap font", FontSeeds(), fuzz::BitmapFontDescription);
}

}  // namespace
