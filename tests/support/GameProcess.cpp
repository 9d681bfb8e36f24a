#include "GameProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <vector>

#include "TestRig.h"

namespace testrig {

GameRun RunGame(const std::string& exe, const std::string& home, const std::string& workDir,
                bool quit) {
  GameRun run;
  const std::string data = home + "/data";
  run.userFolder = data + "/Quillfern Games/Lantern Vale/";
  const std::string errFile = MakeTempDir("stderr") + "/stderr.txt";
  std::vector<std::string> env = {"HOME=" + home, "XDG_DATA_HOME=" + data,
                                  "SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy",
                                  "SDL_RENDER_DRIVER=software"};
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (!workDir.empty() && ::chdir(workDir.c_str()) != 0) ::_exit(126);
    const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (err >= 0) ::dup2(err, 2);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string arg0 = exe;
    char* argv[] = {arg0.data(), nullptr};
    ::execve(exe.c_str(), argv, envp.data());
    ::_exit(127);
  }
  if (pid < 0) return run;

  int status = 0;
  auto poll = [&] { return run.ended || (run.ended = ::waitpid(pid, &status, WNOHANG) == pid); };
  // Generous limits: a loaded machine (parallel tests) slows start-up and the splashes a lot.
  const std::string settings = run.userFolder + "lantern-vale.ini";
  for (int i = 0; i < 2400 && !run.started && !poll(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
    run.started = ReadFileBytes(settings).find("DRIVER=1\r\n") != std::string::npos;
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
  run.exited = run.ended && WIFEXITED(status);
  run.exitCode = run.exited ? WEXITSTATUS(status) : -1;
  run.errors = ReadFileBytes(errFile);
  return run;
}

}  // namespace testrig
