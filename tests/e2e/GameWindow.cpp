#include "GameWindow.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/String.h"
#include "support/TestRig.h"

extern char** environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace e2e {

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

bool Child::Start(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                  int keepFd, bool quiet, const std::string& errPath) {
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

std::optional<int> Child::Wait(int timeoutMs) {
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

void Child::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  if (!Wait(3000)) {
    kill(pid_, SIGKILL);
    Wait(3000);
  }
}

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

void GameWindowTest::SetUp() {
  game = std::string(LV_BINARY_DIR) + "/bin/" + ProgramName();
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

void GameWindowTest::TearDown() {
  gameProcess.Stop();
  windowManager.Stop();
  x.reset();
  xserver.Stop();
}

bool GameWindowTest::StartX() {
  int fds[2];
  if (pipe(fds) != 0) return false;
  std::vector<std::string> argv{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen",
                                "0",    "1024x768x24", "-nolisten",           "tcp"};
  argv.insert(argv.end(), serverArguments.begin(), serverArguments.end());
  const bool started = xserver.Start(argv, BaseEnvironment(), fds[1], true);
  close(fds[1]);
  if (!started) {
    close(fds[0]);
    return false;
  }
  std::string number;
  char c = 0;
  const auto end = Clock::now() + std::chrono::milliseconds(kPatience);
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

bool GameWindowTest::StartWindowManager() {
  std::vector<std::string> env = BaseEnvironment();
  env.push_back("DISPLAY=" + displayName);
  env.push_back("HOME=" + home);
  env.push_back("XDG_CONFIG_HOME=" + home + "/.config");
  if (!windowManager.Start({"openbox", "--sm-disable"}, env, -1, true)) return false;
  const auto end = Clock::now() + std::chrono::milliseconds(kPatience);
  while (Clock::now() < end && windowManager.Running()) {
    if (x->WindowManagerRunning()) return true;
    Sleep(50);
  }
  return false;
}

std::string GameWindowTest::Xdotool(const std::string& args) {
  return Output("DISPLAY=" + displayName + " xdotool " + args);
}

std::vector<std::string> GameWindowTest::GameEnvironment(const std::string& display) const {
  std::vector<std::string> env = BaseEnvironment();
  env.push_back("DISPLAY=" + (display.empty() ? displayName : display));
  env.push_back("HOME=" + home);
  env.push_back("XDG_DATA_HOME=" + home + "/.local/share");
  // No sound card in a test machine: the silent audio device keeps the mixer running.
  env.push_back("SDL_AUDIODRIVER=dummy");
  env.insert(env.end(), gameEnvironment.begin(), gameEnvironment.end());
  return env;
}

bool GameWindowTest::LaunchGame(const std::vector<std::string>& args, const std::string& display,
                                const std::string& errPath) {
  std::vector<std::string> argv{game};
  argv.insert(argv.end(), args.begin(), args.end());
  return gameProcess.Start(argv, GameEnvironment(display), -1, false, errPath);
}

unsigned long GameWindowTest::FindWindow(int timeoutMs) {
  const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (Clock::now() < end && gameProcess.Running()) {
    const std::string ids = Xdotool("search --onlyvisible --name \"^Lantern Vale\"");
    if (!ids.empty()) return std::stoul(ids);
    Sleep(100);
  }
  return 0;
}

platform::PixmapPtr GameWindowTest::Screenshot() { return x->Shot(window); }

void GameWindowTest::Save(const platform::PixmapPtr& shot, const std::string& name) {
  if (shot) platform::SavePixmapPNG(*shot, S(artifacts + "/" + name));
}

void GameWindowTest::ToWindow(const platform::Pixmap& shot, float lx, float ly, int& wx, int& wy) {
  const float scale = std::min(shot.Width() / 800.0f, shot.Height() / 600.0f);
  const float ox = (shot.Width() - 800.0f * scale) / 2.0f;
  const float oy = (shot.Height() - 600.0f * scale) / 2.0f;
  wx = static_cast<int>(ox + lx * scale);
  wy = static_cast<int>(oy + ly * scale);
}

double GameWindowTest::Difference(const platform::Pixmap& shot, const platform::Pixmap& picture,
                                  int x, int y, int rx, int ry, int rw, int rh) {
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

double GameWindowTest::Difference(const platform::Pixmap& a, const platform::Pixmap& b) {
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

platform::PixmapPtr GameWindowTest::Asset(const std::string& relative) {
  return platform::LoadPixmap(S(testrig::ResourcesDir() + relative));
}

int GameWindowTest::BrightPixels(const platform::Pixmap& shot, int x, int y, int w, int h) {
  int bright = 0;
  for (int ly = y; ly < y + h; ly += 2) {
    for (int lx = x; lx < x + w; lx += 2) {
      int wx = 0;
      int wy = 0;
      ToWindow(shot, static_cast<float>(lx), static_cast<float>(ly), wx, wy);
      const uint32_t p = shot.ReadPixel(wx, wy);
      bright += ((p >> 16) & 0xFF) > 220 && ((p >> 8) & 0xFF) > 220 && (p & 0xFF) > 220 ? 1 : 0;
    }
  }
  return bright;
}

platform::PixmapPtr GameWindowTest::WaitForShot(
    int timeoutMs, const std::function<bool(const platform::Pixmap&)>& accept) {
  platform::PixmapPtr shot;
  const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (Clock::now() < end && gameProcess.Running()) {
    shot = Screenshot();
    if (shot && accept(*shot)) return shot;
    Sleep(100);
  }
  return shot;
}

void GameWindowTest::PointAt(const platform::Pixmap& shot, int lx, int ly) {
  int wx = 0;
  int wy = 0;
  ToWindow(shot, static_cast<float>(lx), static_cast<float>(ly), wx, wy);
  Xdotool("mousemove --window " + std::to_string(window) + " " + std::to_string(wx) + " " +
          std::to_string(wy));
  Sleep(100);
}

void GameWindowTest::ClickAt(const platform::Pixmap& shot, int lx, int ly) {
  PointAt(shot, lx, ly);
  Xdotool("click 1");
}

void GameWindowTest::PressAt(const platform::Pixmap& shot, int lx, int ly, int holdMs) {
  PointAt(shot, lx, ly);
  Xdotool("mousedown 1");
  Sleep(holdMs);
  Xdotool("mouseup 1");
}

platform::PixmapPtr GameWindowTest::HoldUntil(
    const platform::Pixmap& shot, int lx, int ly,
    const std::function<bool(const platform::Pixmap&)>& accept) {
  PointAt(shot, lx, ly);
  Xdotool("mousedown 1");
  auto last = WaitForShot(kPatience, accept);
  Xdotool("mouseup 1");
  return last;
}

platform::PixmapPtr GameWindowTest::ClickUntil(
    const platform::Pixmap& shot, int lx, int ly,
    const std::function<bool(const platform::Pixmap&)>& showing,
    const std::function<bool(const platform::Pixmap&)>& accept) {
  platform::PixmapPtr last;
  const auto end = Clock::now() + std::chrono::milliseconds(kPatience);
  while (Clock::now() < end && gameProcess.Running()) {
    last = Screenshot();
    if (last && accept(*last)) return last;
    if (!last || !showing(*last)) {
      Sleep(100);
      continue;
    }
    ClickAt(shot, lx, ly);
    last = WaitForShot(2500, [&](const platform::Pixmap& s) { return accept(s) || !showing(s); });
    if (last && accept(*last)) return last;
  }
  return last;
}

platform::PixmapPtr GameWindowTest::WaitForFinishedLoading() {
  const auto background = Asset("Data/graphics/loadingscreen.jpg");
  const auto clickHere = Asset("Data/graphics/clickhere.png");
  if (!background || !clickHere) return nullptr;
  const int hereX = (800 - clickHere->Width()) / 2;
  return WaitForShot(60000, [&](const platform::Pixmap& shot) {
    return Difference(shot, *background, 0, 0, 0, 0, 800, 400) < 12.0 &&
           Difference(shot, *clickHere, hereX, 534, 8, 8, clickHere->Width() - 16,
                      clickHere->Height() - 16) < 24.0;
  });
}

bool GameWindowTest::TitleMenuShows(const platform::Pixmap& shot) {
  if (!titlePicture_) titlePicture_ = Asset("Data/graphics/title.jpg");
  if (!playButton_) playButton_ = Asset("Data/menus/play.png");
  if (!titlePicture_ || !playButton_) return false;
  return Difference(shot, *playButton_, 288, 490, 10, 10, playButton_->Width() - 20,
                    playButton_->Height() - 20) < 30.0 &&
         Difference(shot, *titlePicture_, 0, 0, 300, 120, 480, 40) < 16.0;
}

bool GameWindowTest::BookShows(const platform::Pixmap& shot) {
  if (!book_) book_ = Asset("Data/graphics/book open.jpg");
  return book_ && Difference(shot, *book_, 0, 0, 40, 280, 160, 260) < 14.0;
}

bool GameWindowTest::OptionsShow(const platform::Pixmap& shot) {
  if (!optionsTop_) optionsTop_ = Asset("Data/menus/OptionsTop.png");
  return optionsTop_ && BookShows(shot) &&
         Difference(shot, *optionsTop_, 414, 80, 0, 0, optionsTop_->Width(), optionsTop_->Height()) < 24.0;
}

bool GameWindowTest::CreditsShow(const platform::Pixmap& shot) {
  if (!optionsTop_) optionsTop_ = Asset("Data/menus/OptionsTop.png");
  return optionsTop_ && BookShows(shot) &&
         Difference(shot, *optionsTop_, 414, 80, 0, 0, optionsTop_->Width(), optionsTop_->Height()) > 30.0;
}

void GameWindowTest::EscapeEndsCleanly() {
  Xdotool("key Escape");
  const std::optional<int> code = gameProcess.Wait(kPatience);
  ASSERT_TRUE(code.has_value()) << "the game did not end after Escape";
  EXPECT_EQ(*code, 0);
  EXPECT_TRUE(fs::exists(userDir + "GoodExit.dat"));
  EXPECT_FALSE(fs::exists(userDir + "ErrorLog.txt"));
}

void GameWindowTest::ClickLoadingButton(const platform::Pixmap& shot) {
  const auto clickHere = Asset("Data/graphics/clickhere.png");
  const auto background = Asset("Data/graphics/loadingscreen.jpg");
  const int y = 534 + (clickHere ? clickHere->Height() / 2 : 10);
  // A click the busy machine delivered before the button took clicks is clicked again, but
  // only once the screen has long stood still: a second click that arrives after the title
  // has come would land on its menu.
  for (int attempt = 0; attempt < 2; ++attempt) {
    ClickAt(shot, 400, y);
    if (!background) return;
    const auto after = WaitForShot(kPatience, [&](const platform::Pixmap& s) {
      return Difference(s, *background, 0, 0, 0, 0, 800, 400) > 12.0;
    });
    if (!after || Difference(*after, *background, 0, 0, 0, 0, 800, 400) > 12.0) return;
  }
}

platform::PixmapPtr GameWindowTest::ClickPastLoading() {
  window = FindWindow(kPatience);
  if (window == 0) {
    ADD_FAILURE() << "no window appeared";
    return nullptr;
  }
  auto shot = WaitForFinishedLoading();
  if (!shot) {
    ADD_FAILURE() << "no finished loading screen";
    return nullptr;
  }
  ClickLoadingButton(*shot);
  return shot;
}

}  // namespace e2e
