#include "../FuzzTargets.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Prepare();
  if (!fuzz::BitmapFontDescription(data, size, [](const std::string&) {})) std::abort();
  return 0;
}
