#include "gfx/ImageHelpers.h"

int ccPow2Size(int n) {
  int size = 1;
  while (size < n && size < (1 << 30)) size *= 2;
  return size;
}
