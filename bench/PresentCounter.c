/* Preloaded into the game by bench/window-measure.sh: counts the frames the renderer presents
 * (or copies into the window's surface) into an 8-byte file named by LV_PRESENT_COUNT (mapped, so counting costs no system call).
 * Any build of the game can be measured the same way, whatever its own code. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

static uint64_t* counter;
static void (*realPresent)(void*);
static int (*realUpdate)(void*);

static void Open(void) {
  realPresent = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_RenderPresent");
  realUpdate = (int (*)(void*))dlsym(RTLD_NEXT, "SDL_UpdateWindowSurface");
  const char* path = getenv("LV_PRESENT_COUNT");
  if (!path) return;
  const int fd = open(path, O_RDWR | O_CREAT, 0644);
  if (fd < 0) return;
  if (ftruncate(fd, sizeof(uint64_t)) == 0) {
    void* map = mmap(NULL, sizeof(uint64_t), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (map != MAP_FAILED) counter = (uint64_t*)map;
  }
  close(fd);
}

void SDL_RenderPresent(void* renderer) {
  if (!realPresent) Open();
  if (realPresent) realPresent(renderer);
  if (counter) __atomic_add_fetch(counter, 1, __ATOMIC_RELAXED);
}

int SDL_UpdateWindowSurface(void* window) {
  if (!realUpdate) Open();
  const int result = realUpdate ? realUpdate(window) : -1;
  if (counter) __atomic_add_fetch(counter, 1, __ATOMIC_RELAXED);
  return result;
}
