#include "GameProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "TestRig.h"

namespace testrig {

namespace {

// The copies started and not yet finished, by user folder.
std::map<std::string, int>& CopiesRunning() {
  static std::map<std::string, int> running;
  return running;
}

}  // namespace

GameChild StartGame(const std::string& exe, const std::string& home, const std::string& workDir,
                    const std::function<bool()>& beforeStart) {
  GameChild child;
  const std::string data = home + "/data";
  child.userFolder = data + "/Quillfern Games/Lantern Vale/";
  child.errFile = MakeTempDir("stderr") + "/stderr.txt";
  // The display's set-up writes "DRIVER=1": a line an earlier run left would say this run is
  // up before it can answer the quit request. A copy still running keeps its own.
  if (CopiesRunning()[child.userFolder] == 0) {
    const std::string settings = child.userFolder + "lantern-vale.ini";
    std::string text = ReadFileBytes(settings);
    if (const size_t at = text.find("\nDRIVER=1\r\n"); at != std::string::npos) {
      text[at + 8] = '0';
      WriteFileBytes(settings, text);
    }
  }
  std::vector<std::string> env = {"HOME=" + home, "XDG_DATA_HOME=" + data,
                                  "SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy",
                                  "SDL_RENDER_DRIVER=software"};
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (!workDir.empty() && ::chdir(workDir.c_str()) != 0) ::_exit(126);
    const int err = ::open(child.errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (err >= 0) ::dup2(err, 2);
    if (beforeStart && !beforeStart()) ::_exit(125);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string arg0 = exe;
    char* argv[] = {arg0.data(), nullptr};
    ::execve(exe.c_str(), argv, envp.data());
    ::_exit(127);
  }
  child.pid = pid;
  if (pid > 0) ++CopiesRunning()[child.userFolder];
  return child;
}

namespace {

bool InMainLoop(const GameChild& child) {
  return ReadFileBytes(child.userFolder + "lantern-vale.ini").find("DRIVER=1\r\n") != std::string::npos;
}

}  // namespace

bool WaitForMainLoop(const GameChild& child) {
  if (child.pid <= 0) return false;
  // Generous limits: a loaded machine (parallel tests) slows start-up and the splashes a lot.
  for (int i = 0; i < 2400; ++i) {
    if (InMainLoop(child)) return true;
    siginfo_t info{};  // ended? (left for FinishGame to collect)
    if (::waitid(P_PID, static_cast<id_t>(child.pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
        info.si_pid == child.pid) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return false;
}

GameRun FinishGame(const GameChild& child, bool quit) {
  GameRun run;
  run.userFolder = child.userFolder;
  if (child.pid <= 0) return run;
  const pid_t pid = child.pid;
  int status = 0;
  auto poll = [&] { return run.ended || (run.ended = ::waitpid(pid, &status, WNOHANG) == pid); };
  for (int i = 0; i < 2400 && !run.started && !poll(); ++i) {
    run.started = InMainLoop(child);
    if (!run.started) std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  if (quit && run.started && !poll()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ::kill(pid, SIGTERM);  // the system's quit request
  }
  for (int i = 0; i < 2400 && !poll(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(25));
  if (!run.ended) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
  }
  --CopiesRunning()[child.userFolder];
  run.exited = run.ended && WIFEXITED(status);
  run.exitCode = run.exited ? WEXITSTATUS(status) : -1;
  run.errors = ReadFileBytes(child.errFile);
  return run;
}

GameRun RunGame(const std::string& exe, const std::string& home, const std::string& workDir,
                bool quit) {
  return FinishGame(StartGame(exe, home, workDir), quit);
}

}  // namespace testrig
