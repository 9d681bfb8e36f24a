#pragma once
// The built game in a real X window for the end-to-end tests: a private Xvfb server, the game
// launched in it with a temporary home, screenshots of its window compared with the generated
// pictures, and the mouse and keys driven through xdotool as a person would. Screenshots are
// kept in the build folder's e2e-artifacts/.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/types.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "XWindowShot.h"
#include "platform/Image.h"

namespace e2e {

void Sleep(int ms);

// How long a real-window test waits for what it expects: a machine busy with a parallel build
// can stall the game and the X server for seconds, and a wait that succeeds returns at once.
constexpr int kPatience = 30000;

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
             int keepFd = -1, bool quiet = false, const std::string& errPath = "");
  // The exit code, or nullopt when it has not ended within timeoutMs.
  std::optional<int> Wait(int timeoutMs);
  bool Running() { return pid_ > 0 && !Wait(0); }
  bool Signal(int signal) { return pid_ > 0 && ::kill(pid_, signal) == 0; }
  void Stop();

 private:
  pid_t pid_ = -1;
  std::optional<int> exitCode_;
};

// Runs a command and returns what it printed; "" when it failed.
std::string Output(const std::string& command);
bool OnPath(const char* tool);
// The environment of the test without the headless SDL choices of the rig.
std::vector<std::string> BaseEnvironment();

class GameWindowTest : public ::testing::Test {
 protected:
  // The program under test, in the build's bin folder.
  virtual std::string ProgramName() const { return "lantern-vale"; }

  void SetUp() override;
  void TearDown() override;

  // A private X server on a free display number, reported by the server itself.
  bool StartX();
  // A reparenting window manager (openbox) on the private server, as every desktop has; false
  // when it did not announce itself in time.
  bool StartWindowManager();
  std::string Xdotool(const std::string& args);
  // What the game is started with: the private server unless another display is named.
  std::vector<std::string> GameEnvironment(const std::string& display = "") const;
  // On the private server unless another display is named; errPath receives standard error.
  bool LaunchGame(const std::vector<std::string>& args = {}, const std::string& display = "",
                  const std::string& errPath = "");
  // The game's window, once it is mapped.
  unsigned long FindWindow(int timeoutMs);
  platform::PixmapPtr Screenshot();
  void Save(const platform::PixmapPtr& shot, const std::string& name);
  // Where a logical (800 by 600) point lands in a window of the shot's size: scaled to fit
  // and centred, as the runtime presents it.
  static void ToWindow(const platform::Pixmap& shot, float lx, float ly, int& wx, int& wy);
  // Mean per-channel difference between the shot and a picture drawn at (x, y) in logical
  // pixels, over the picture's opaque pixels inside (rx, ry, rw, rh) of the picture.
  static double Difference(const platform::Pixmap& shot, const platform::Pixmap& picture, int x,
                           int y, int rx, int ry, int rw, int rh);
  static double Difference(const platform::Pixmap& a, const platform::Pixmap& b);
  platform::PixmapPtr Asset(const std::string& relative);
  // Near-white pixels (every channel above 220) in a logical rectangle, every second pixel:
  // where the game writes white text.
  static int BrightPixels(const platform::Pixmap& shot, int x, int y, int w, int h);
  // Takes screenshots until accept says yes; the last shot either way.
  platform::PixmapPtr WaitForShot(int timeoutMs,
                                  const std::function<bool(const platform::Pixmap&)>& accept);
  // The pointer moved to a logical point of a window of the shot's size (and given a moment).
  void PointAt(const platform::Pixmap& shot, int lx, int ly);
  void ClickAt(const platform::Pixmap& shot, int lx, int ly);
  // The left button pressed at a logical point, held for holdMs and let go: what the game
  // reads as a held button for some ticks (a drag's knob, a board's selection).
  void PressAt(const platform::Pixmap& shot, int lx, int ly, int holdMs);
  // The left button held at a logical point until accept says yes (or the patience runs out),
  // then let go: the game sees the button down however slowly its frames come. The last shot.
  platform::PixmapPtr HoldUntil(const platform::Pixmap& shot, int lx, int ly,
                                const std::function<bool(const platform::Pixmap&)>& accept);
  // Clicks at a logical point until accept says yes, but only while `showing` still does, each
  // click given a couple of seconds to show: for screens that need one click or two, so that
  // no click lands on the screen that follows. The last shot.
  platform::PixmapPtr ClickUntil(const platform::Pixmap& shot, int lx, int ly,
                                 const std::function<bool(const platform::Pixmap&)>& showing,
                                 const std::function<bool(const platform::Pixmap&)>& accept);
  // The splashes come first; the loading screen is recognised by its background, and it is
  // finished when the click-here button stands over the full bar. The last shot either way.
  platform::PixmapPtr WaitForFinishedLoading();
  // The title with its menu: "play" at its place and the picture beside the button column.
  bool TitleMenuShows(const platform::Pixmap& shot);
  // The open book's narrow left page (the writing stays on the right); the options and the
  // credits are drawn on it, told apart by the options' heading.
  bool BookShows(const platform::Pixmap& shot);
  bool OptionsShow(const platform::Pixmap& shot);
  bool CreditsShow(const platform::Pixmap& shot);
  // Escape on the title: the game ends with 0, leaving "GoodExit.dat" and no
  // "ErrorLog.txt".
  void EscapeEndsCleanly();
  // A click on the finished loading screen's button, clicked once more only when the finished
  // loading screen still stands after a long wait.
  void ClickLoadingButton(const platform::Pixmap& shot);
  // After LaunchGame: the game's window found (as `window`), its loading finished and its
  // button clicked. The last shot, or null with the failure reported.
  platform::PixmapPtr ClickPastLoading();

  std::string game;
  std::string artifacts;
  std::string home;
  std::string userDir;
  std::string displayName;
  // Given to the private X server and to the game, beyond what every test gives them.
  std::vector<std::string> serverArguments;
  std::vector<std::string> gameEnvironment;
  std::unique_ptr<XConnection> x;
  unsigned long window = 0;
  Child xserver;
  Child windowManager;
  Child gameProcess;

 private:
  platform::PixmapPtr titlePicture_, playButton_, book_, optionsTop_;
};

}  // namespace e2e
