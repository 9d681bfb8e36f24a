// The built game in a real X window: launched under a private Xvfb server with a temporary home,
// watched through screenshots of its window and driven with xdotool, from the loading screen to
// the title screen and out by Escape. Screenshots stay in the build folder (e2e-artifacts/).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/Image.h"
#include "platform/String.h"
#include "support/ProfileFiles.h"
#include "support/TestRig.h"
#include "XWindowShot.h"

extern char** environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// A child process started with its own environment.
class Child {
 public:
  Child() = default;
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child() { Stop(); }

  // keepFd stays open in the child; quiet sends its output to /dev/null; errPath, when given,
  // receives its standard error.
  bool Start(const std::vector<std::string>& argv, const std::vector<std::string>& env,
             int keepFd = -1, bool quiet = false, const std::string& errPath = "") {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    pid_ = fork();
    if (pid_ < 0) return false;
    if (pid_ == 0) {
      const int devnull = open("/dev/null", O_RDWR);
      if (devnull >= 0) {
        dup2(devnull, STDIN_FILENO);
        if (quiet) {
          dup2(devnull, STDOUT_FILENO);
          dup2(devnull, STDERR_FILENO);
        }
      }
      if (!errPath.empty()) {
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (err >= 0) dup2(err, STDERR_FILENO);
      }
      for (int fd = 3; fd < 256; ++fd) {
        if (fd != keepFd) close(fd);
      }
      execvpe(args[0], args.data(), envp.data());
      _exit(127);
    }
    return true;
  }

  // The exit code, or nullopt when it has not ended within timeoutMs.
  std::optional<int> Wait(int timeoutMs) {
    if (pid_ <= 0) return exitCode_;
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
      int status = 0;
      const pid_t r = waitpid(pid_, &status, WNOHANG);
      if (r == pid_) {
        pid_ = -1;
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return exitCode_;
      }
      if (Clock::now() >= end) return std::nullopt;
      Sleep(20);
    }
  }

  bool Running() { return pid_ > 0 && !Wait(0); }

  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    if (!Wait(3000)) {
      kill(pid_, SIGKILL);
      Wait(3000);
    }
  }

 private:
  pid_t pid_ = -1;
  std::optional<int> exitCode_;
};

// Runs a command and returns what it printed; "" when it failed.
std::string Output(const std::string& command) {
  std::string out;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return out;
  char buf[256];
  while (fgets(buf, sizeof buf, pipe)) out += buf;
  if (pclose(pipe) != 0) return std::string();
  return out;
}

bool OnPath(const char* tool) {
  return !Output(std::string("command -v ") + tool).empty();
}

// The environment of the test without the headless SDL choices of the rig.
std::vector<std::string> BaseEnvironment() {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    if (entry.rfind("SDL_", 0) == 0 || entry.rfind("DISPLAY=", 0) == 0 ||
        entry.rfind("HOME=", 0) == 0 || entry.rfind("XDG_", 0) == 0) {
      continue;
    }
    env.push_back(entry);
  }
  return env;
}

class LaunchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game = std::string(LV_BINARY_DIR) + "/bin/lantern-vale";
    if (!fs::exists(game)) GTEST_SKIP() << "the game is not built: " << game;
    if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
    for (const char* tool : {"Xvfb", "xdotool"}) {
      if (!OnPath(tool)) GTEST_SKIP() << tool << " is not installed";
    }
    artifacts = std::string(LV_BINARY_DIR) + "/e2e-artifacts";
    fs::create_directories(artifacts);
    ASSERT_TRUE(StartX());
    home = testrig::MakeTempDir("e2e-home");
    userDir = home + "/.local/share/Quillfern Games/Lantern Vale/";
  }

  void TearDown() override {
    gameProcess.Stop();
    x.reset();
    xserver.Stop();
  }

  // A private X server on a free display number, reported by the server itself.
  bool StartX() {
    int fds[2];
    if (pipe(fds) != 0) return false;
    const bool started = xserver.Start({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen",
                                        "0", "1024x768x24", "-nolisten", "tcp"},
                                       BaseEnvironment(), fds[1], true);
    close(fds[1]);
    if (!started) {
      close(fds[0]);
      return false;
    }
    std::string number;
    char c = 0;
    const auto end = Clock::now() + std::chrono::seconds(15);
    fcntl(fds[0], F_SETFL, O_NONBLOCK);
    while (Clock::now() < end) {
      const ssize_t n = read(fds[0], &c, 1);
      if (n == 1) {
        if (c == '\n') break;
        number += c;
      } else if (n == 0) {
        break;
      } else {
        Sleep(20);
      }
    }
    close(fds[0]);
    if (number.empty()) return false;
    displayName = ":" + number;
    x = std::make_unique<e2e::XConnection>(displayName);
    return x->Ok();
  }

  std::string Xdotool(const std::string& args) {
    return Output("DISPLAY=" + displayName + " xdotool " + args);
  }

  bool LaunchGame(const std::string& display = "", const std::string& errPath = "") {
    std::vector<std::string> env = BaseEnvironment();
    env.push_back("DISPLAY=" + (display.empty() ? displayName : display));
    env.push_back("HOME=" + home);
    env.push_back("XDG_DATA_HOME=" + home + "/.local/share");
    // No sound card in a test machine: the silent audio device keeps the mixer running.
    env.push_back("SDL_AUDIODRIVER=dummy");
    return gameProcess.Start({game}, env, -1, false, errPath);
  }

  // The game's window, once it is mapped.
  unsigned long FindWindow(int timeoutMs) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < end && gameProcess.Running()) {
      const std::string ids = Xdotool("search --onlyvisible --name \"^Lantern Vale\"");
      if (!ids.empty()) return std::stoul(ids);
      Sleep(100);
    }
    return 0;
  }

  platform::PixmapPtr Screenshot() { return x->Shot(window); }

  void Save(const platform::PixmapPtr& shot, const std::string& name) {
    if (shot) platform::SavePixmapPNG(*shot, S(artifacts + "/" + name));
  }

  // Where a logical (800 by 600) point lands in a window of the shot's size: scaled to fit
  // and centred, as the runtime presents it.
  static void ToWindow(const platform::Pixmap& shot, float lx, float ly, int& wx, int& wy) {
    const float scale = std::min(shot.Width() / 800.0f, shot.Height() / 600.0f);
    const float ox = (shot.Width() - 800.0f * scale) / 2.0f;
    const float oy = (shot.Height() - 600.0f * scale) / 2.0f;
    wx = static_cast<int>(ox + lx * scale);
    wy = static_cast<int>(oy + ly * scale);
  }

  // Mean per-channel difference between the shot and a picture drawn at (x, y) in logical
  // pixels, over the picture's opaque pixels inside (rx, ry, rw, rh) of the picture.
  static double Difference(const platform::Pixmap& shot, const platform::Pixmap& picture, int x,
                           int y, int rx, int ry, int rw, int rh) {
    double sum = 0;
    long count = 0;
    for (int py = ry; py < ry + rh && py < picture.Height(); py += 2) {
      for (int px = rx; px < rx + rw && px < picture.Width(); px += 2) {
        const uint32_t want = picture.ReadPixel(px, py);
        if ((want >> 24) != 0xFF) continue;
        int wx = 0;
        int wy = 0;
        ToWindow(shot, static_cast<float>(x + px) + 0.5f, static_cast<float>(y + py) + 0.5f, wx, wy);
        const uint32_t got = shot.ReadPixel(wx, wy);
        for (int s = 0; s < 24; s += 8) {
          sum += std::abs(static_cast<int>((want >> s) & 0xFF) - static_cast<int>((got >> s) & 0xFF));
        }
        ++count;
      }
    }
    return count == 0 ? 255.0 : sum / (3.0 * static_cast<double>(count));
  }

  static double Difference(const platform::Pixmap& a, const platform::Pixmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return 255.0;
    double sum = 0;
    long count = 0;
    for (int y = 0; y < a.Height(); y += 3) {
      for (int x = 0; x < a.Width(); x += 3) {
        const uint32_t p = a.ReadPixel(x, y);
        const uint32_t q = b.ReadPixel(x, y);
        for (int s = 0; s < 24; s += 8) {
          sum += std::abs(static_cast<int>((p >> s) & 0xFF) - static_cast<int>((q >> s) & 0xFF));
        }
        ++count;
      }
    }
    return sum / (3.0 * static_cast<double>(count));
  }

  platform::PixmapPtr Asset(const std::string& relative) {
    return platform::LoadPixmap(S(testrig::ResourcesDir() + relative));
  }

  // Takes screenshots until accept says yes; the last shot either way.
  platform::PixmapPtr WaitForShot(int timeoutMs,
                                  const std::function<bool(const platform::Pixmap&)>& accept) {
    platform::PixmapPtr shot;
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < end && gameProcess.Running()) {
      shot = Screenshot();
      if (shot && accept(*shot)) return shot;
      Sleep(100);
    }
    return shot;
  }

  void ClickAt(const platform::Pixmap& shot, int lx, int ly) {
    int wx = 0;
    int wy = 0;
    ToWindow(shot, static_cast<float>(lx), static_cast<float>(ly), wx, wy);
    Xdotool("mousemove --window " + std::to_string(window) + " " + std::to_string(wx) + " " +
            std::to_string(wy));
    Sleep(100);
    Xdotool("click 1");
  }

  std::string game;
  std::string artifacts;
  std::string home;
  std::string userDir;
  std::string displayName;
  std::unique_ptr<e2e::XConnection> x;
  unsigned long window = 0;
  Child xserver;
  Child gameProcess;
};

TEST_F(LaunchTest, LaunchShowsTheLoadingScreenThenTheTitleAndEscapeEndsCleanly) {
  const auto background = Asset("Data/graphics/loadingscreen.jpg");
  const auto finalBar = Asset("Data/graphics/LoadingBarfinal.png");
  const auto clickHere = Asset("Data/graphics/clickhere.png");
  const auto title = Asset("Data/graphics/title.jpg");
  ASSERT_TRUE(background && finalBar && clickHere && title);
  const int barX = (800 - finalBar->Width()) / 2;
  const int hereX = (800 - clickHere->Width()) / 2;

  // Windowed: a full-screen request needs a window manager, which the private server lacks.
  // A player exists already, so the title opens without its name prompt.
  testrig::PrepareUserWithProfile(userDir, userDir + "lantern-vale.ini", "Ann", "FULL SCREEN=0\n");
  ASSERT_TRUE(LaunchGame());
  window = FindWindow(20000);
  ASSERT_NE(window, 0u) << "no window appeared";

  // The splashes come first; the loading screen is recognised by its background, and it is
  // finished when the click-here button stands over the full bar.
  auto loading = WaitForShot(60000, [&](const platform::Pixmap& shot) {
    return Difference(shot, *background, 0, 0, 0, 0, 800, 400) < 12.0 &&
           Difference(shot, *clickHere, hereX, 534, 8, 8, clickHere->Width() - 16,
                      clickHere->Height() - 16) < 24.0;
  });
  ASSERT_TRUE(loading);
  Save(loading, "loading.png");
  ASSERT_LT(Difference(*loading, *background, 0, 0, 0, 0, 800, 400), 12.0) << "no loading screen";
  // The bar region shows the finished bar (its final picture) on both sides of the button.
  const int side = (finalBar->Width() - clickHere->Width()) / 2 - 4;
  ASSERT_GT(side, 8) << "the button hides the bar";
  EXPECT_LT(Difference(*loading, *finalBar, barX, 530, 0, 0, side, finalBar->Height()), 24.0);
  EXPECT_LT(Difference(*loading, *finalBar, barX, 530, finalBar->Width() - side, 0, side,
                       finalBar->Height()),
            24.0);
  EXPECT_LT(Difference(*loading, *clickHere, hereX, 534, 8, 8, clickHere->Width() - 16,
                       clickHere->Height() - 16),
            24.0);

  ClickAt(*loading, 400, 534 + clickHere->Height() / 2);
  // The title's picture right of its button column.
  auto titleShot = WaitForShot(15000, [&](const platform::Pixmap& shot) {
    return Difference(shot, *title, 0, 0, 300, 100, 500, 300) < 12.0;
  });
  ASSERT_TRUE(titleShot);
  Save(titleShot, "title.png");
  EXPECT_LT(Difference(*titleShot, *title, 0, 0, 300, 100, 500, 300), 12.0) << "no title screen";
  EXPECT_GT(Difference(*titleShot, *loading), 10.0);

  Xdotool("key Escape");
  const std::optional<int> code = gameProcess.Wait(5000);
  ASSERT_TRUE(code.has_value()) << "the game did not end within 5 s of Escape";
  EXPECT_EQ(*code, 0);
  EXPECT_TRUE(fs::exists(userDir + "GoodExit.dat"));
  EXPECT_FALSE(fs::exists(userDir + "ErrorLog.txt"));
}

}  // namespace

TEST_F(LaunchTest, ClosingTheWindowDuringTheFirstSplashEndsTheGameAtOnce) {
  testrig::WriteFileBytes(userDir + "lantern-vale.ini", "FULL SCREEN=0\n");
  ASSERT_TRUE(LaunchGame());
  window = FindWindow(20000);
  ASSERT_NE(window, 0u) << "no window appeared";
  // The splashes follow the window at once and last seconds; the loading bar comes after.
  ASSERT_TRUE(x->RequestClose(window));
  const auto sent = Clock::now();
  const std::optional<int> code = gameProcess.Wait(10000);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent).count();
  ASSERT_TRUE(code.has_value()) << "the game did not end after the close request";
  EXPECT_EQ(*code, 0);
  // It takes a frame or two; held back, it would wait out the splashes and the loading bar
  // (some 11 s). The bound leaves room for a machine busy with other tests.
  EXPECT_LT(ms, 5000) << "the close request was held back";
  EXPECT_TRUE(fs::exists(userDir + "GoodExit.dat"));
  EXPECT_FALSE(fs::exists(userDir + "ErrorLog.txt"));
}

TEST_F(LaunchTest, WithoutADisplayTheGameSaysSoAndEnds) {
  // A display number no server answers on.
  int unused = 150;
  while (fs::exists("/tmp/.X11-unix/X" + std::to_string(unused)) ||
         fs::exists("/tmp/.X" + std::to_string(unused) + "-lock")) {
    ++unused;
  }
  const std::string errPath = home + "/stderr.txt";
  ASSERT_TRUE(LaunchGame(":" + std::to_string(unused), errPath));
  const std::optional<int> code = gameProcess.Wait(15000);
  ASSERT_TRUE(code.has_value()) << "the game kept running without a display";
  EXPECT_NE(*code, 0);
  EXPECT_FALSE(testrig::ReadFileBytes(errPath).empty()) << "no message on standard error";
  EXPECT_FALSE(fs::exists(userDir + "GoodExit.dat"));
}
