// lantern-vale-at-level LEVEL: the game as shipped, except that the loading screen leads to the
// play screen at LEVEL (1 to 50) instead of the title. Built with the tests, never installed.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/Startup.h"
#include "support/AtLevelEntry.h"

int main(int argc, char** argv) {
  int level = 0;
  if (argc == 2) {
    char* end = nullptr;
    const long n = std::strtol(argv[1], &end, 10);
    if (end != argv[1] && *end == '\0' && n >= 1 && n <= 50) level = static_cast<int>(n);
  }
  if (level == 0 || !testrig::InstallAtLevelEntry(level)) {
    std::fprintf(stderr, "usage: lantern-vale-at-level LEVEL (a level from 1 to 50)\n");
    return 2;
  }
  return RunLanternVale();
}
