#include "TestRig.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace testrig {

namespace {

// A death test runs this program again in a child process, which ends without tearing down.
// Its home is made inside the parent's, so the parent's clean-up removes it as well.
constexpr const char* kParentHomeVariable = "LV_TEST_PARENT_HOME";

std::string MakeHome() {
  fs::path base = fs::temp_directory_path();
  std::error_code ec;
  const char* parent = std::getenv(kParentHomeVariable);
  if (parent && fs::is_directory(parent, ec)) base = parent;
  std::string tmpl = (base / "lantern-test-XXXXXX").string();
  if (!mkdtemp(tmpl.data())) {
    std::perror("mkdtemp");
    std::abort();
  }
  setenv(kParentHomeVariable, tmpl.c_str(), 1);
  return tmpl;
}

}  // namespace

const std::string& TempHome() {
  static const std::string home = MakeHome();
  return home;
}

std::string MakeTempDir(const std::string& hint) {
  static std::atomic<int> counter{0};
  fs::path dir = fs::path(TempHome()) / (hint + "-" + std::to_string(counter++));
  fs::create_directories(dir);
  return dir.string();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  fs::path p(path);
  if (p.has_parent_path()) fs::create_directories(p.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFileBytes(const std::string& path) {
  // A device never ends and a FIFO's open waits for a writer: neither is read.
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::string();
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string ResourcesDir() { return std::string(LV_RESOURCES_DIR) + "/"; }

bool HaveResources() { return fs::is_directory(fs::path(LV_RESOURCES_DIR) / "Data"); }

double Luminance(uint32_t argb) {
  const auto channel = [](uint32_t v) {
    const double c = static_cast<double>(v & 0xFF) / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(argb >> 16) + 0.7152 * channel(argb >> 8) + 0.0722 * channel(argb);
}

DrawnChange CompareFrames(const platform::Pixmap& with, const platform::Pixmap& without) {
  DrawnChange change;
  change.left = with.Width();
  change.top = with.Height();
  std::vector<double> ratios;
  for (int y = 0; y < std::min(with.Height(), without.Height()); ++y) {
    for (int x = 0; x < std::min(with.Width(), without.Width()); ++x) {
      const uint32_t a = with.ReadPixel(x, y), b = without.ReadPixel(x, y);
      if (PixelNear(a, b, 8)) continue;
      const double la = Luminance(a), lb = Luminance(b);
      ratios.push_back((std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05));
      change.left = std::min(change.left, x);
      change.right = std::max(change.right, x);
      change.top = std::min(change.top, y);
      change.bottom = std::max(change.bottom, y);
    }
  }
  change.count = static_cast<int>(ratios.size());
  if (!ratios.empty()) {
    std::sort(ratios.rbegin(), ratios.rend());
    change.contrast = ratios[ratios.size() / 4];
  }
  return change;
}

::testing::AssertionResult PixelNear(uint32_t actual, uint32_t expected, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int a = static_cast<int>((actual >> shift) & 0xFF);
    const int e = static_cast<int>((expected >> shift) & 0xFF);
    if (std::abs(a - e) > tolerance) {
      char buf[96];
      std::snprintf(buf, sizeof buf, "pixel 0x%08X, expected 0x%08X (+-%d)", actual, expected, tolerance);
      return ::testing::AssertionFailure() << buf;
    }
  }
  return ::testing::AssertionSuccess();
}

namespace {

// Runs before any test: headless drivers and a private home, so no test touches the real
// user folder or needs a display.
class HeadlessEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("SDL_RENDER_DRIVER", "software", 1);
    setenv("HOME", TempHome().c_str(), 1);
    const std::string xdg = TempHome() + "/.local/share";
    fs::create_directories(xdg);
    setenv("XDG_DATA_HOME", xdg.c_str(), 1);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(TempHome(), ec);
  }
};

}  // namespace

}  // namespace testrig

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new testrig::HeadlessEnvironment);
  return RUN_ALL_TESTS();
}
