#include "platform/FrameStretch.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

namespace {

// Where a target pixel centre falls among the source's, split into a tap and a fraction.
void Tap(int d, int sourceSize, int targetSize, int& tap, double& fraction) {
  const double s = (d + 0.5) * sourceSize / targetSize - 0.5;
  const double at = std::floor(s);
  tap = static_cast<int>(at);
  fraction = s - at;
  if (tap < 0) {
    tap = 0;
    fraction = 0;
  } else if (tap >= sourceSize - 1) {
    tap = sourceSize - 1;
    fraction = 0;
  }
}

}  // namespace

bool FrameStretch::Prepare(int sw, int sh, int dw, int dh) {
  if (sw == sw_ && sh == sh_ && dw == dw_ && dh == dh_) return true;
  sw_ = sw;
  sh_ = sh;
  dw_ = dw;
  dh_ = dh;
  left_.resize(static_cast<size_t>(dw));
  weights_.resize(static_cast<size_t>(dw) * 8);
  for (int x = 0; x < dw; ++x) {
    int tap;
    double fraction;
    Tap(x, sw, dw, tap, fraction);
    int right = static_cast<int>(std::lround(fraction * 128));
    // Both taps are read as one pair: the last texel is the right one of the pair before it.
    if (tap == sw - 1) {
      tap = sw - 2;
      right = 128;
    }
    left_[static_cast<size_t>(x)] = tap;
    for (int lane = 0; lane < 4; ++lane) {
      weights_[static_cast<size_t>(x) * 8 + lane] = static_cast<uint16_t>(128 - right);
      weights_[static_cast<size_t>(x) * 8 + 4 + lane] = static_cast<uint16_t>(right);
    }
  }
  top_.resize(static_cast<size_t>(dh));
  bottom_.resize(static_cast<size_t>(dh));
  down_.resize(static_cast<size_t>(dh));
  for (int y = 0; y < dh; ++y) {
    int tap;
    double fraction;
    Tap(y, sh, dh, tap, fraction);
    int lower = static_cast<int>(std::lround(fraction * 256));
    int next = std::min(tap + 1, sh - 1);
    if (lower == 256) {
      tap = next;
      lower = 0;
    }
    top_[static_cast<size_t>(y)] = tap;
    bottom_[static_cast<size_t>(y)] = next;
    down_[static_cast<size_t>(y)] = static_cast<uint16_t>(lower);
  }
  for (auto& row : rows_) row.assign(static_cast<size_t>(dw) * 4, 0);
  held_[0] = held_[1] = -1;
  last_.assign(static_cast<size_t>(sw) * sh, 0);
  changed_.assign(static_cast<size_t>(sh), 1);
  return false;
}

void FrameStretch::FindChanges(const uint32_t* src, int srcPitch) {
  const size_t bytes = static_cast<size_t>(sw_) * 4;
  for (int row = 0; row < sh_; ++row) {
    const uint32_t* now = src + static_cast<ptrdiff_t>(row) * srcPitch;
    uint32_t* before = last_.data() + static_cast<ptrdiff_t>(row) * sw_;
    const bool changed = std::memcmp(now, before, bytes) != 0;
    if (changed) std::memcpy(before, now, bytes);
    changed_[static_cast<size_t>(row)] = changed;
  }
}

const uint16_t* FrameStretch::Across(const uint32_t* src, int srcPitch, int row, int keep) {
  for (int i = 0; i < 2; ++i)
    if (held_[i] == row) return rows_[i].data();
  const int slot = held_[0] == keep ? 1 : 0;
  held_[slot] = row;
  uint16_t* out = rows_[slot].data();
  const uint32_t* in = src + static_cast<ptrdiff_t>(row) * srcPitch;
  const uint16_t* w = weights_.data();
  int x = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; x + 2 <= dw_; x += 2) {
    // Each pixel's two taps side by side, times their weights; the halves summed.
    const __m128i a = _mm_unpacklo_epi8(
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(in + left_[static_cast<size_t>(x)])), zero);
    const __m128i b = _mm_unpacklo_epi8(
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(in + left_[static_cast<size_t>(x) + 1])), zero);
    const __m128i ma = _mm_mullo_epi16(a, _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + x * 8)));
    const __m128i mb = _mm_mullo_epi16(b, _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + x * 8 + 8)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x * 4),
                     _mm_add_epi16(_mm_unpacklo_epi64(ma, mb), _mm_unpackhi_epi64(ma, mb)));
  }
#endif
  for (; x < dw_; ++x) {
    const uint32_t p = in[left_[static_cast<size_t>(x)]], q = in[left_[static_cast<size_t>(x)] + 1];
    const uint16_t wl = w[x * 8], wr = w[x * 8 + 4];
    for (int c = 0; c < 4; ++c)
      out[x * 4 + c] = static_cast<uint16_t>(((p >> (8 * c)) & 0xFF) * wl + ((q >> (8 * c)) & 0xFF) * wr);
  }
  return out;
}

bool FrameStretch::Run(const uint32_t* src, int srcPitch, int sw, int sh, uint32_t* dst,
                       int dstPitch, int dw, int dh, bool whole) {
  if (sw < 2 || sh < 2 || dw < 2 || dh < 2) return false;
  if (!Prepare(sw, sh, dw, dh)) whole = true;
  FindChanges(src, srcPitch);
  // The rows kept from the last frame are stale.
  held_[0] = held_[1] = -1;
  for (int y = 0; y < dh; ++y) {
    const int topRow = top_[static_cast<size_t>(y)], bottomRow = bottom_[static_cast<size_t>(y)];
    if (!whole && !changed_[static_cast<size_t>(topRow)] && !changed_[static_cast<size_t>(bottomRow)])
      continue;
    const uint16_t* upper = Across(src, srcPitch, topRow, -1);
    const uint16_t lower = down_[static_cast<size_t>(y)];
    uint32_t* out = dst + static_cast<ptrdiff_t>(y) * dstPitch;
    int x = 0;
    if (lower == 0) {
      // On a source row: the filtered row alone.
#if defined(__SSE2__)
      const __m128i half = _mm_set1_epi16(64);
      for (; x + 4 <= dw; x += 4) {
        const __m128i u0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + x * 4));
        const __m128i u1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + x * 4 + 8));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x),
                         _mm_packus_epi16(_mm_srli_epi16(_mm_add_epi16(u0, half), 7),
                                          _mm_srli_epi16(_mm_add_epi16(u1, half), 7)));
      }
#endif
      for (; x < dw; ++x) {
        uint32_t p = 0;
        for (int c = 0; c < 4; ++c) p |= static_cast<uint32_t>((upper[x * 4 + c] + 64) >> 7) << (8 * c);
        out[x] = p;
      }
      continue;
    }
    const uint16_t* below = Across(src, srcPitch, bottomRow, topRow);
#if defined(__SSE2__)
    // upper + (below - upper) * lower / 256, the product's top half taken twice over.
    const __m128i weight = _mm_set1_epi16(static_cast<short>(lower << 7));
    const __m128i half = _mm_set1_epi16(64);
    for (; x + 4 <= dw; x += 4) {
      const __m128i u0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + x * 4));
      const __m128i u1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + x * 4 + 8));
      const __m128i b0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(below + x * 4));
      const __m128i b1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(below + x * 4 + 8));
      const __m128i d0 = _mm_slli_epi16(_mm_mulhi_epi16(_mm_sub_epi16(b0, u0), weight), 1);
      const __m128i d1 = _mm_slli_epi16(_mm_mulhi_epi16(_mm_sub_epi16(b1, u1), weight), 1);
      const __m128i v0 = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(u0, d0), half), 7);
      const __m128i v1 = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(u1, d1), half), 7);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_packus_epi16(v0, v1));
    }
#endif
    for (; x < dw; ++x) {
      uint32_t p = 0;
      for (int c = 0; c < 4; ++c) {
        const int u = upper[x * 4 + c], b = below[x * 4 + c];
        const int diff = b - u;
        // As the wide path rounds: the product's top half, twice.
        const int scaled = diff * (lower << 7);
        const int d = (scaled >> 16) * 2;
        p |= static_cast<uint32_t>(std::clamp((u + d + 64) >> 7, 0, 255)) << (8 * c);
      }
      out[x] = p;
    }
  }
  return true;
}

}  // namespace platform
