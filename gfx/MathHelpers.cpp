#include "gfx/MathHelpers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "platform/Graphics.h"
#include "platform/System.h"

int ccCalcAnimFrame(float counter, int length, int frames, int direction) {
  if (frames <= 1) return 0;
  // A zero length would divide by zero; converting the infinity or NaN to int is undefined.
  if (length <= 0) return frames - 1;
  const double c = static_cast<double>(counter);
  const double l = static_cast<double>(length);
  const double n = static_cast<double>(frames);
  double f = direction == 0 ? std::floor(n * (1.0 - c / l)) : std::floor(n * c / l);
  if (std::isnan(f)) return 0;
  if (f >= n) return frames - 1;
  if (f < 0.0) return 0;
  return static_cast<int>(f);
}

float ccCalcMSPerFrame(int hz) { return 1000.0f / static_cast<float>(hz); }

int ccFastRand(int minimum, int maximum) {
  if (maximum < minimum) std::swap(minimum, maximum);
  const long long range = static_cast<long long>(maximum) - minimum + 1;
  return static_cast<int>(std::rand() % range + minimum);
}

int ccFastRandSeed(int seed) {
  std::srand(static_cast<unsigned>(seed));
  return 0;
}

String ccFormatNumber(double value, int decimals, int group, int width) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%#.17lg", value);
  std::string text(buffer);
  // inf and nan carry no point: count the whole text as digits before it.
  size_t p = text.find('.');
  if (p == std::string::npos) p = text.size();
  if (decimals == 0) decimals = -1;
  const long long cut = static_cast<long long>(p) + decimals + 1;
  if (cut < static_cast<long long>(text.size())) text.resize(static_cast<size_t>(std::max(0LL, cut)));
  if (group > 0) {
    while (p > static_cast<size_t>(group)) {
      text.insert(p - static_cast<size_t>(group), 1, ',');
      p -= static_cast<size_t>(group);
    }
  }
  if (width != 0) {
    const long long field = std::max(0LL, static_cast<long long>(width) + decimals + 1);
    if (static_cast<long long>(text.size()) > field) text = "Error";
    const auto f = static_cast<size_t>(field);
    if (text.size() < f) {
      text.insert(0, f - text.size(), ' ');
    } else if (text.size() > f) {
      text = text.substr(text.size() - f);
    }
  }
  return S(text);
}

int ccPrintGraphicsModes() {
  const int count = platform::CountGraphicsModes();
  for (int i = 0; i < count; ++i) {
    int width = 0;
    int height = 0;
    int depth = 0;
    int hz = 0;
    if (!platform::GetGraphicsMode(i, width, height, depth, hz)) continue;
    platform::Print(S(std::to_string(i) + " Width: " + std::to_string(width) + " Height: " +
                      std::to_string(height) + " Depth: " + std::to_string(depth) +
                      " Hertz: " + std::to_string(hz)));
  }
  return 0;
}

int ccSortIntArray(std::vector<int>& values, int ascending) {
  if (ascending != 0) {
    std::sort(values.begin(), values.end());
  } else {
    std::sort(values.begin(), values.end(), std::greater<int>());
  }
  return 0;
}
