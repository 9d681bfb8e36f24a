#include "platform/System.h"

#include <functional>

#include <SDL.h>
#include <pthread.h>
#include <signal.h>
#include <strings.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/FileSystem.h"

namespace platform {

namespace {

String gTitle;
bool gThrowOnExit = false;
bool gEnding = false;
std::vector<void (*)()> gShutdownHooks;

// SDL numbers windows from 1; the run has one window, so a short walk finds it.
constexpr Uint32 kMaxWindowId = 256;

bool gNoDisplay = false;
// Why the display could not be opened, added to the message a display failure ends with.
std::string gNoDisplayReason;

void NoDisplay(const char* why) {
  gNoDisplay = true;
  const char* display = std::getenv("DISPLAY");
  gNoDisplayReason = std::string("No display could be opened (DISPLAY=") + (display ? display : "") +
                     "): " + why;
}

bool HeadlessDriverName(const char* name) {
  return name && (strcasecmp(name, "dummy") == 0 || strcasecmp(name, "offscreen") == 0);
}

// True when the comma-separated list names the driver.
bool Listed(const char* list, const char* name) {
  const size_t length = std::strlen(name);
  for (const char* p = list; *p;) {
    const char* end = std::strchr(p, ',');
    const size_t n = end ? static_cast<size_t>(end - p) : std::strlen(p);
    if (n == length && strncasecmp(p, name, n) == 0) return true;
    if (!end) break;
    p = end + 1;
  }
  return false;
}

// With no display to open, SDL falls back to a driver that shows nothing, and the game would
// run unseen. Those drivers serve only when asked for by name (the tests do).
bool VideoDriverWanted() {
  const char* current = SDL_GetCurrentVideoDriver();
  if (!HeadlessDriverName(current)) return true;
  const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  return asked && Listed(asked, current);
}

void PrintLine(std::FILE* to, StringView text) {
  std::string line = U8(text);
  line.push_back('\n');
  std::fwrite(line.data(), 1, line.size(), to);
  std::fflush(to);
}

// How a system box ended.
enum class BoxEnd { kClosed, kFailed, kQuit };

// SDL shows a box from a process it forks for it and waits on that process, while its own
// signal handler only queues a quit event that nobody reads until the box is closed. So a box
// stands on a thread of its own, the caller waits on it and on these flags, and the box's
// process is made to end with ours.
volatile std::sig_atomic_t gQuitSignal = 0;
std::atomic<bool> gBoxOpening{false};
pid_t gBoxParent = 0;

void OnQuitSignal(int) { gQuitSignal = 1; }

void InBoxProcess() {
  if (!gBoxOpening.load()) return;
  // A quit aimed at the box ends it; the end of the game ends it too.
  std::signal(SIGTERM, SIG_DFL);
  std::signal(SIGINT, SIG_DFL);
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::getppid() != gBoxParent) ::_exit(1);
}

// A signal the program was started ignoring (SIGINT in a shell's background job) stays so.
void WatchQuitSignal(int signal, struct sigaction& old) {
  ::sigaction(signal, nullptr, &old);
  if (old.sa_handler == SIG_IGN) return;
  struct sigaction watch {};
  watch.sa_handler = OnQuitSignal;
  sigemptyset(&watch.sa_mask);
  ::sigaction(signal, &watch, nullptr);
}

// A quit the event queue holds already (a signal SDL caught before the box).
bool QuitQueued() {
  if (!SDL_WasInit(SDL_INIT_EVENTS)) return false;
  SDL_PumpEvents();
  return SDL_HasEvent(SDL_QUIT) == SDL_TRUE;
}

BoxEnd ShowBox(StringView text, bool serious) {
  if (QuitQueued()) return BoxEnd::kQuit;
  static const bool watched = ::pthread_atfork(nullptr, nullptr, InBoxProcess) == 0;
  (void)watched;

  gQuitSignal = 0;
  struct sigaction oldTerm {}, oldInt {};
  WatchQuitSignal(SIGTERM, oldTerm);
  WatchQuitSignal(SIGINT, oldInt);

  // Shared with the thread, which outlives this call when a quit ends the wait.
  auto result = std::make_shared<std::atomic<int>>(-1);
  SDL_Window* parent = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetKeyboardFocus() : nullptr;
  const Uint32 flags = serious ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
  gBoxParent = ::getpid();
  gBoxOpening = true;
  std::thread box([result, flags, parent, title = U8(gTitle), message = U8(text)] {
    result->store(SDL_ShowSimpleMessageBox(flags, title.c_str(), message.c_str(), parent) == 0);
  });
  while (result->load() < 0 && !gQuitSignal) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  const bool quit = gQuitSignal != 0;
  if (quit) {
    // The box's process may still be forked: it must take the watch with it.
    box.detach();
  } else {
    box.join();
    gBoxOpening = false;
  }
  ::sigaction(SIGTERM, &oldTerm, nullptr);
  ::sigaction(SIGINT, &oldInt, nullptr);
  if (quit) return BoxEnd::kQuit;
  return result->load() == 1 ? BoxEnd::kClosed : BoxEnd::kFailed;
}

}  // namespace

bool InitRuntime() {
  SDL_SetMainReady();  // main() is ours, not SDL's
  if (!SDL_WasInit(SDL_INIT_VIDEO)) {
    // No display: keep at least the event queue so quit requests still arrive.
    if (gNoDisplay) return false;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
      NoDisplay(SDL_GetError());
      SDL_InitSubSystem(SDL_INIT_EVENTS);
      return false;
    }
    if (!VideoDriverWanted()) {
      NoDisplay("only an invisible video driver is available");
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
      return false;
    }
  }
  SDL_StartTextInput();
  return true;
}

bool IsHeadless() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return HeadlessDriverName(SDL_GetCurrentVideoDriver());
  return HeadlessDriverName(std::getenv("SDL_VIDEODRIVER"));
}

namespace {
std::function<void(StringView)> gNoticeHook;
}  // namespace

void SetNoticeHook(std::function<void(StringView text)> hook) { gNoticeHook = std::move(hook); }

bool Notify(StringView text, bool serious) {
  if (gNoticeHook) {
    gNoticeHook(text);
    return false;
  }
  const BoxEnd end = IsHeadless() ? BoxEnd::kFailed : ShowBox(text, serious);
  if (end == BoxEnd::kFailed) PrintLine(stderr, text);
  return end == BoxEnd::kQuit;
}

void Print(StringView text) { PrintLine(stdout, text); }

void AppTitle(StringView title) {
  gTitle = String(title);
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  const std::string utf8 = U8(gTitle);
  for (Uint32 id = 1; id <= kMaxWindowId; ++id) {
    if (SDL_Window* w = SDL_GetWindowFromID(id)) SDL_SetWindowTitle(w, utf8.c_str());
  }
}

String GetAppTitle() { return gTitle; }

void AddShutdownHook(void (*hook)()) {
  if (hook && std::find(gShutdownHooks.begin(), gShutdownHooks.end(), hook) == gShutdownHooks.end()) {
    gShutdownHooks.push_back(hook);
  }
}

void End(int code) {
  if (gThrowOnExit) {
    // What the end of the process would drop, so the next run in this process can take it.
    UnlockForProcess();
    throw ProgramExit{code};
  }
  if (!gEnding) {  // a hook that ends again goes straight out
    gEnding = true;
    for (auto it = gShutdownHooks.rbegin(); it != gShutdownHooks.rend(); ++it) (*it)();
    if (SDL_WasInit(0)) SDL_Quit();
  }
  std::fflush(nullptr);
  // Static destructors are skipped on purpose: objects holding SDL resources would run after
  // SDL_Quit. Files are closed (and committed) by their owners before the program ends.
  std::_Exit(code);
}

void RuntimeErrorExit(StringView message) {
  String text(message);
  if (gNoDisplay) text += u"\n" + FromUtf8(gNoDisplayReason);
  PrintLine(stderr, text);
  if (!gThrowOnExit && !IsHeadless()) ShowBox(text, true);
  End(1);
}

void SetThrowOnExit(bool on) { gThrowOnExit = on; }

long long MemoryInUse() {
  std::FILE* f = std::fopen("/proc/self/statm", "re");
  if (!f) return 0;
  long long size = 0;
  long long resident = 0;
  const int got = std::fscanf(f, "%lld %lld", &size, &resident);
  std::fclose(f);
  const long page = ::sysconf(_SC_PAGESIZE);
  if (got != 2 || resident < 0 || page <= 0) return 0;
  return resident * page;
}

}  // namespace platform
