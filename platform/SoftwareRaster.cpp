#include "platform/SoftwareRaster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <immintrin.h>
#define LV_AVX2 1
#endif

#include "platform/Graphics.h"

namespace platform {

namespace {

constexpr double kFixed = 65536.0;

inline uint32_t Div255(uint32_t v) { return (v * 0x8081u) >> 23; }  // exact for v <= 65535

// floor and ceil without a library call; callers keep |v| far below 2^62.
inline double Floor(double v) {
  const double whole = static_cast<double>(static_cast<int64_t>(v));
  return whole > v ? whole - 1 : whole;
}
inline double Ceil(double v) {
  const double whole = static_cast<double>(static_cast<int64_t>(v));
  return whole < v ? whole + 1 : whole;
}

inline int64_t ToFixed(double v) { return static_cast<int64_t>(Floor(v * kFixed + 0.5)); }

// The columns of a row whose centre puts one texel coordinate, value0 + dX * (x + 0.5) +
// dY * (y + 0.5), inside [from, to). The crossing columns move linearly from row to row.
class Bound {
 public:
  Bound(double value0, double dX, double dY, double from, double to) {
    flat_ = std::fabs(dX) < 1e-12;
    if (flat_) {
      // Constant along the row: the row is wholly in or out.
      base_ = value0 + dX * 0.5 + dY * 0.5;
      from_ = from;
      to_ = to;
      perRow_ = dY;
      return;
    }
    const double inverse = 1 / dX;
    rising_ = dX > 0;
    perRow_ = -dY * inverse;
    atFrom_ = (from - value0 - 0.5 * dY) * inverse - 0.5;
    atTo_ = (to - value0 - 0.5 * dY) * inverse - 0.5;
  }

  __attribute__((always_inline)) void Apply(int y, int& lo, int& hi) const {
    const double row = static_cast<double>(y);
    if (flat_) {
      const double v = base_ + perRow_ * row;
      if (!(v >= from_ && v < to_)) hi = lo;
      return;
    }
    const double a = std::clamp(atFrom_ + perRow_ * row, -1e9, 1e9);
    const double b = std::clamp(atTo_ + perRow_ * row, -1e9, 1e9);
    const double first = rising_ ? Ceil(a) : Floor(b) + 1;
    const double end = rising_ ? Ceil(b) : Floor(a) + 1;
    if (first > lo) lo = first < hi ? static_cast<int>(first) : hi;
    if (end < hi) hi = end > lo ? static_cast<int>(end) : lo;
  }

 private:
  bool flat_ = false, rising_ = true;
  double base_ = 0, from_ = 0, to_ = 0;
  double perRow_ = 0, atFrom_ = 0, atTo_ = 0;
};

// Asks for the target pixels a row further down, which the blends read: rows of the target
// lie far apart, so its lines would otherwise arrive one miss at a time.
inline void Prefetch(const uint32_t* p) {
#if defined(__x86_64__)
  // As an instruction of its own: the compiler may drop its built-in one as dead code.
  asm volatile("prefetcht0 %0" : : "m"(*p));
#else
  __builtin_prefetch(p);
#endif
}
inline void PrefetchRow(const uint32_t* p, int n) {
  for (int i = 0; i < n; i += 16) Prefetch(p + i);
  if (n > 0) Prefetch(p + n - 1);
}

// Two neighbours mixed by f / 256, all four channels at once.
inline uint32_t Lerp(uint32_t p, uint32_t q, uint32_t f) {
  const uint32_t g = 256 - f;
  const uint32_t rb = (((p & 0x00FF00FFu) * g + (q & 0x00FF00FFu) * f) >> 8) & 0x00FF00FFu;
  const uint32_t ag = (((p >> 8) & 0x00FF00FFu) * g + ((q >> 8) & 0x00FF00FFu) * f) & 0xFF00FF00u;
  return rb | ag;
}

// The whole texel of a 16.16 coordinate, kept within [lo, hi].
inline int Texel(int64_t v, int lo, int hi) {
  return static_cast<int>(std::clamp<int64_t>(v >> 16, lo, hi));
}

#if defined(__SSE2__)
// Each 16-bit lane / 255, exact for any lane value.
inline __m128i Div255x(__m128i v) {
  return _mm_srli_epi16(_mm_mulhi_epu16(v, _mm_set1_epi16(static_cast<short>(0x8081))), 7);
}

// The four texels around a bilinear sample: row above in `above` (left | right << 32), row below
// in `below`, and the weights of the right and lower ones in 1/256.
template <bool kClamp>
inline void Taps(const SoftwareRaster::Source& src, int64_t s, int64_t t, uint64_t& above,
                 uint64_t& below, int& fx, int& fy) {
  if constexpr (!kClamp) {
    fx = static_cast<int>((s >> 8) & 0xFF);
    fy = static_cast<int>((t >> 8) & 0xFF);
    const uint32_t* p = src.pixels + static_cast<ptrdiff_t>(t >> 16) * src.pitch + (s >> 16);
    std::memcpy(&above, p, 8);
    std::memcpy(&below, p + src.pitch, 8);
    return;
  }
  const int si = Texel(s, src.x0 - 1, src.x1 - 1), ti = Texel(t, src.y0 - 1, src.y1 - 1);
  fx = static_cast<int>((s >> 8) & 0xFF);
  fy = static_cast<int>((t >> 8) & 0xFF);
  const int left = std::max(si, src.x0), right = std::min(si + 1, src.x1 - 1);
  const uint32_t* rowA = src.pixels + static_cast<ptrdiff_t>(std::max(ti, src.y0)) * src.pitch;
  const uint32_t* rowB = src.pixels + static_cast<ptrdiff_t>(std::min(ti + 1, src.y1 - 1)) * src.pitch;
  above = rowA[left] | static_cast<uint64_t>(rowA[right]) << 32;
  below = rowB[left] | static_cast<uint64_t>(rowB[right]) << 32;
}

template <bool kClamp>
inline uint32_t Nearest(const SoftwareRaster::Source& src, int64_t s, int64_t t) {
  if constexpr (kClamp)
    return src.pixels[static_cast<ptrdiff_t>(Texel(t, src.y0, src.y1 - 1)) * src.pitch +
                      Texel(s, src.x0, src.x1 - 1)];
  return src.pixels[static_cast<ptrdiff_t>(t >> 16) * src.pitch + (s >> 16)];
}

// One bilinear sample as four 16-bit lanes (in the low half).
inline __m128i Bilinear(uint64_t above, uint64_t below, int fx, int fy) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i rows = _mm_set_epi64x(static_cast<long long>(below), static_cast<long long>(above));
  const __m128i wy = _mm_set1_epi16(static_cast<short>(fy));
  const __m128i v = _mm_srli_epi16(
      _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(rows, zero), _mm_sub_epi16(_mm_set1_epi16(256), wy)),
                    _mm_mullo_epi16(_mm_unpackhi_epi8(rows, zero), wy)),
      8);  // [left, right]
  const __m128i wx = _mm_unpacklo_epi64(_mm_set1_epi16(static_cast<short>(256 - fx)),
                                        _mm_set1_epi16(static_cast<short>(fx)));
  const __m128i m = _mm_mullo_epi16(v, wx);
  return _mm_add_epi16(m, _mm_srli_si128(m, 8));  // still times 256
}

// A row span of the alpha and light blends, two pixels at a time.
template <int kBlend, bool kBilinear, bool kClamp>
void SimdSpan(uint32_t* out, int n, int64_t s, int64_t t, int64_t dsX, int64_t dtX,
              const SoftwareRaster::Source& src, const SoftwareRaster::Paint& paint) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i alphaLanes = _mm_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0);
  const __m128i v255 = _mm_set1_epi16(255);
  const __m128i mod = _mm_set_epi16(paint.a, paint.r, paint.g, paint.b, paint.a, paint.r, paint.g, paint.b);
  const bool modulate = (paint.r & paint.g & paint.b & paint.a) != 255;
  for (; n > 0; n -= 2, out += 2) {
    __m128i c;
    if constexpr (kBilinear) {
      uint64_t aP, bP, aQ, bQ;
      int fxP, fyP, fxQ, fyQ;
      Taps<kClamp>(src, s, t, aP, bP, fxP, fyP);
      s += dsX;
      t += dtX;
      if (n > 1) {
        Taps<kClamp>(src, s, t, aQ, bQ, fxQ, fyQ);
        s += dsX;
        t += dtX;
      } else {
        aQ = aP, bQ = bP, fxQ = fxP, fyQ = fyP;
      }
      constexpr uint64_t kAlphas = 0xFF000000FF000000ull;
      if (((aP | bP | aQ | bQ) & kAlphas) == 0) continue;  // nothing shows
      c = _mm_srli_epi16(_mm_unpacklo_epi64(Bilinear(aP, bP, fxP, fyP), Bilinear(aQ, bQ, fxQ, fyQ)), 8);
      if (kBlend == ALPHABLEND && !modulate && (aP & bP & aQ & bQ & kAlphas) == kAlphas) {
        // Opaque all round: the sample covers the target.
        const __m128i packed = _mm_packus_epi16(c, c);
        if (n > 1)
          _mm_storel_epi64(reinterpret_cast<__m128i*>(out), packed);
        else
          out[0] = static_cast<uint32_t>(_mm_cvtsi128_si32(packed));
        continue;
      }
    } else {
      const uint32_t p = Nearest<kClamp>(src, s, t);
      s += dsX;
      t += dtX;
      uint32_t q = p;
      if (n > 1) {
        q = Nearest<kClamp>(src, s, t);
        s += dsX;
        t += dtX;
      }
      if (((p | q) & 0xFF000000u) == 0) continue;
      if (kBlend == ALPHABLEND && !modulate && (p & q) >= 0xFF000000u) {
        out[0] = p;
        if (n > 1) out[1] = q;
        continue;
      }
      c = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(p)), zero);
      c = _mm_unpacklo_epi64(c, _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(q)), zero));
    }
    if (modulate) c = Div255x(_mm_mullo_epi16(c, mod));
    const __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(c, 0xFF), 0xFF);
    const __m128i d = _mm_unpacklo_epi8(
        n > 1 ? _mm_loadl_epi64(reinterpret_cast<const __m128i*>(out))
              : _mm_cvtsi32_si128(static_cast<int>(out[0])),
        zero);
    __m128i result;
    if constexpr (kBlend == ALPHABLEND) {
      // src x alpha (alpha itself kept) + dst x (1 - alpha), alpha included.
      const __m128i k = _mm_or_si128(_mm_andnot_si128(alphaLanes, a), _mm_and_si128(alphaLanes, v255));
      result = _mm_add_epi16(Div255x(_mm_mullo_epi16(c, k)),
                             Div255x(_mm_mullo_epi16(d, _mm_sub_epi16(v255, a))));
    } else {
      // dst + src x alpha, saturating by the pack; the target's alpha stays.
      result = _mm_add_epi16(d, _mm_andnot_si128(alphaLanes, Div255x(_mm_mullo_epi16(c, a))));
    }
    const __m128i packed = _mm_packus_epi16(result, result);
    if (n > 1)
      _mm_storel_epi64(reinterpret_cast<__m128i*>(out), packed);
    else
      out[0] = static_cast<uint32_t>(_mm_cvtsi128_si32(packed));
  }
}
#endif

#if defined(LV_AVX2)
__attribute__((target("avx2"))) inline __m256i Div255Avx2(__m256i v) {
  return _mm256_srli_epi16(_mm256_mulhi_epu16(v, _mm256_set1_epi16(static_cast<short>(0x8081))), 7);
}

// Four pixels (16-bit lanes) of the alpha or light blend, as SimdSpan blends its pairs.
template <int kBlend>
__attribute__((target("avx2"))) inline __m256i BlendAvx2(__m256i c, __m256i d, __m256i mod, bool modulate) {
  const __m256i alphaLanes = _mm256_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0);
  const __m256i v255 = _mm256_set1_epi16(255);
  if (modulate) c = Div255Avx2(_mm256_mullo_epi16(c, mod));
  const __m256i a = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(c, 0xFF), 0xFF);
  if constexpr (kBlend == ALPHABLEND) {
    const __m256i k = _mm256_or_si256(_mm256_andnot_si256(alphaLanes, a), _mm256_and_si256(alphaLanes, v255));
    return _mm256_add_epi16(Div255Avx2(_mm256_mullo_epi16(c, k)),
                            Div255Avx2(_mm256_mullo_epi16(d, _mm256_sub_epi16(v255, a))));
  } else {
    return _mm256_add_epi16(d, _mm256_andnot_si256(alphaLanes, Div255Avx2(_mm256_mullo_epi16(c, a))));
  }
}

// The part of a row span whose nearest texels need no clamping, eight pixels at a time with
// the texels gathered; returns the pixels done (a multiple of eight, the rest is SimdSpan's).
// The same texels (the same fixed-point steps) and the same blend as SimdSpan, so the same
// pixels; a clear texel or an opaque untinted one gives what skipping or copying it gives.
template <int kBlend>
__attribute__((target("avx2"))) int NearestSpanAvx2(uint32_t* out, int n, int64_t s, int64_t t,
                                                    int64_t dsX, int64_t dtX,
                                                    const SoftwareRaster::Source& src,
                                                    const SoftwareRaster::Paint& paint) {
  const __m256i steps = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
  __m256i sv = _mm256_add_epi32(_mm256_set1_epi32(static_cast<int>(s)),
                                _mm256_mullo_epi32(steps, _mm256_set1_epi32(static_cast<int>(dsX))));
  __m256i tv = _mm256_add_epi32(_mm256_set1_epi32(static_cast<int>(t)),
                                _mm256_mullo_epi32(steps, _mm256_set1_epi32(static_cast<int>(dtX))));
  const __m256i sStep = _mm256_set1_epi32(static_cast<int>(dsX * 8));
  const __m256i tStep = _mm256_set1_epi32(static_cast<int>(dtX * 8));
  const __m256i pitch = _mm256_set1_epi32(src.pitch);
  const __m256i zero = _mm256_setzero_si256();
  const __m256i opaque = _mm256_set1_epi32(255);
  const __m256i mod = _mm256_set_epi16(paint.a, paint.r, paint.g, paint.b, paint.a, paint.r, paint.g, paint.b,
                                       paint.a, paint.r, paint.g, paint.b, paint.a, paint.r, paint.g, paint.b);
  const bool modulate = (paint.r & paint.g & paint.b & paint.a) != 255;
  const int* texels = reinterpret_cast<const int*>(src.pixels);
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m256i index = _mm256_add_epi32(_mm256_mullo_epi32(_mm256_srai_epi32(tv, 16), pitch),
                                           _mm256_srai_epi32(sv, 16));
    sv = _mm256_add_epi32(sv, sStep);
    tv = _mm256_add_epi32(tv, tStep);
    // Eight plain loads: the gather instruction is slower than these on many processors.
    alignas(32) int at[8];
    _mm256_store_si256(reinterpret_cast<__m256i*>(at), index);
    const __m256i c = _mm256_setr_epi32(texels[at[0]], texels[at[1]], texels[at[2]], texels[at[3]],
                                        texels[at[4]], texels[at[5]], texels[at[6]], texels[at[7]]);
    const __m256i alpha = _mm256_srli_epi32(c, 24);
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(alpha, zero)) == -1) continue;  // nothing shows
    __m256i* p = reinterpret_cast<__m256i*>(out + i);
    if (kBlend == ALPHABLEND && !modulate && _mm256_movemask_epi8(_mm256_cmpeq_epi32(alpha, opaque)) == -1) {
      _mm256_storeu_si256(p, c);
      continue;
    }
    const __m256i d = _mm256_loadu_si256(p);
    _mm256_storeu_si256(p, _mm256_packus_epi16(
                               BlendAvx2<kBlend>(_mm256_unpacklo_epi8(c, zero), _mm256_unpacklo_epi8(d, zero), mod, modulate),
                               BlendAvx2<kBlend>(_mm256_unpackhi_epi8(c, zero), _mm256_unpackhi_epi8(d, zero), mod, modulate)));
  }
  return i;
}

// Whether the span's fixed-point steps and texel indexes fit the gathered 32-bit lanes.
bool GatherFits(const SoftwareRaster::Source& src, int64_t dsX, int64_t dtX) {
  constexpr int64_t kLimit = int64_t{1} << 24;
  return src.x1 < 32768 && src.y1 < 32768 && static_cast<int64_t>(src.pitch) * src.y1 < (int64_t{1} << 30) &&
         dsX > -kLimit && dsX < kLimit && dtX > -kLimit && dtX < kLimit;
}

bool g_wideAllowed = true;

bool HaveAvx2() {
  static const bool have = __builtin_cpu_supports("avx2");
  return have && g_wideAllowed;
}
#endif

template <int kBlend, bool kBilinear>
void DrawRows(const SoftwareRaster::Target& target, const SoftwareRaster::Source& src,
              const SoftwareRaster::Paint& paint, const SoftwareRaster::Map& map, int x0, int y0,
              int x1, int y1, bool boxIsCoverage) {
  const int64_t dsX = ToFixed(map.sX);
  const int64_t dtX = ToFixed(map.tX);
  // Bilinear taps sit half a texel before the sample point.
  const double bias = kBilinear && kBlend != MASKBLEND ? 0.5 : 0.0;
  const Bound sInside(map.s0, map.sX, map.sY, src.x0, src.x1);
  const Bound tInside(map.t0, map.tX, map.tY, src.y0, src.y1);
  // Where every tap lies in the source, so needs no clamping; the margin covers the drift of
  // the fixed-point steps.
  constexpr double kMargin = 1.0 / 32;
  const double reach = bias * 2;
  const Bound sTaps(map.s0 - bias, map.sX, map.sY, src.x0 + kMargin, src.x1 - reach - kMargin);
  const Bound tTaps(map.t0 - bias, map.tX, map.tY, src.y0 + kMargin, src.y1 - reach - kMargin);
  const int sMax = src.x1 - 1, tMax = src.y1 - 1;
  const uint32_t tr = paint.r, tg = paint.g, tb = paint.b, ta = paint.a;
  const bool tinted = (tr & tg & tb) != 255;
  const uint32_t threshold = static_cast<uint32_t>(paint.maskThreshold);
#if defined(LV_AVX2)
  [[maybe_unused]] const bool wide = HaveAvx2() && GatherFits(src, dsX, dtX);
#endif

  for (int y = y0; y < y1; ++y) {
    const double cy = static_cast<double>(y) + 0.5;
    const double sRow = map.s0 + map.sY * cy, tRow = map.t0 + map.tY * cy;
    int lo = x0, hi = x1;
    if (!boxIsCoverage) {
      sInside.Apply(y, lo, hi);
      tInside.Apply(y, lo, hi);
      if (lo >= hi) continue;
    }
    const double cx = static_cast<double>(lo) + 0.5;
    int64_t s = ToFixed(sRow + map.sX * cx - bias);
    int64_t t = ToFixed(tRow + map.tX * cx - bias);
    uint32_t* out = target.pixels + static_cast<ptrdiff_t>(y) * target.pitch;
#if defined(__SSE2__)
    if constexpr (kBlend == ALPHABLEND || kBlend == LIGHTBLEND) {
      if (y + 2 < y1) PrefetchRow(out + 2 * target.pitch + lo, hi - lo);
      int inLo = lo, inHi = hi;
      sTaps.Apply(y, inLo, inHi);
      tTaps.Apply(y, inLo, inHi);
      if (inLo >= inHi) inLo = inHi = hi;
      SimdSpan<kBlend, kBilinear, true>(out + lo, inLo - lo, s, t, dsX, dtX, src, paint);
      int64_t skip = inLo - lo;
#if defined(LV_AVX2)
      if constexpr (!kBilinear) {
        if (inHi - inLo >= 8 && wide)
          skip += NearestSpanAvx2<kBlend>(out + inLo, inHi - inLo, s + skip * dsX, t + skip * dtX,
                                          dsX, dtX, src, paint);
      }
#endif
      SimdSpan<kBlend, kBilinear, false>(out + lo + skip, inHi - lo - static_cast<int>(skip),
                                         s + skip * dsX, t + skip * dtX, dsX, dtX, src, paint);
      const int64_t rest = inHi - lo;
      SimdSpan<kBlend, kBilinear, true>(out + inHi, hi - inHi, s + rest * dsX, t + rest * dtX, dsX,
                                        dtX, src, paint);
      continue;
    }
#endif

    for (int x = lo; x < hi; ++x, s += dsX, t += dtX) {
      uint32_t p;
      if constexpr (kBilinear && kBlend != MASKBLEND) {
        const int si = Texel(s, src.x0 - 1, sMax), ti = Texel(t, src.y0 - 1, tMax);
        const uint32_t fs = static_cast<uint32_t>(s >> 8) & 0xFFu;
        const uint32_t ft = static_cast<uint32_t>(t >> 8) & 0xFFu;
        const int sa = std::clamp(si, src.x0, sMax), sb = std::clamp(si + 1, src.x0, sMax);
        const uint32_t* rowA = src.pixels + static_cast<ptrdiff_t>(std::clamp(ti, src.y0, tMax)) * src.pitch;
        const uint32_t* rowB = src.pixels + static_cast<ptrdiff_t>(std::clamp(ti + 1, src.y0, tMax)) * src.pitch;
        const uint32_t top = Lerp(rowA[sa], rowA[sb], fs);
        const uint32_t bottom = Lerp(rowB[sa], rowB[sb], fs);
        p = Lerp(top, bottom, ft);
      } else {
        const int si = Texel(s, src.x0, sMax), ti = Texel(t, src.y0, tMax);
        p = src.pixels[static_cast<ptrdiff_t>(ti) * src.pitch + si];
      }
      uint32_t a = p >> 24;
      if constexpr (kBlend == MASKBLEND) {
        if (a < threshold) continue;
      } else if constexpr (kBlend == ALPHABLEND || kBlend == LIGHTBLEND) {
        if (a == 0) continue;
      }
      uint32_t r = (p >> 16) & 0xFFu, g = (p >> 8) & 0xFFu, b = p & 0xFFu;
      if (tinted) {
        r = Div255(r * tr);
        g = Div255(g * tg);
        b = Div255(b * tb);
      }
      if constexpr (kBlend == MASKBLEND) {
        out[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
        continue;
      } else {
        if (ta != 255) a = Div255(a * ta);
        const uint32_t d = out[x];
        const uint32_t dr = (d >> 16) & 0xFFu, dg = (d >> 8) & 0xFFu, db = d & 0xFFu;
        if constexpr (kBlend == SOLIDBLEND) {
          out[x] = (a << 24) | (r << 16) | (g << 8) | b;
        } else if constexpr (kBlend == SHADEBLEND) {
          out[x] = (d & 0xFF000000u) | (Div255(r * dr) << 16) | (Div255(g * dg) << 8) | Div255(b * db);
        } else if constexpr (kBlend == LIGHTBLEND) {
          if (a != 255) {
            r = Div255(r * a);
            g = Div255(g * a);
            b = Div255(b * a);
          }
          out[x] = (d & 0xFF000000u) | (std::min(r + dr, 255u) << 16) | (std::min(g + dg, 255u) << 8) |
                   std::min(b + db, 255u);
        } else {
          if (a == 255) {
            out[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
          } else {
            const uint32_t k = 255 - a;
            const uint32_t da = d >> 24;
            out[x] = ((a + Div255(k * da)) << 24) | ((Div255(r * a) + Div255(k * dr)) << 16) |
                     ((Div255(g * a) + Div255(k * dg)) << 8) | (Div255(b * a) + Div255(k * db));
          }
        }
      }
    }
  }
}

// One pixel of a fill: `pre` is the colour the blend adds (premultiplied where it applies).
inline uint32_t FillPixel(uint32_t d, int blend, const uint32_t pre[4], uint32_t keep) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t dc = (d >> shift) & 0xFFu, c = pre[shift / 8];
    uint32_t v;
    if (blend == ALPHABLEND)
      v = Div255(keep * dc) + c;
    else if (blend == LIGHTBLEND)
      v = std::min(dc + c, 255u);
    else
      v = Div255(dc * c);
    out |= v << shift;
  }
  return out;
}

// One pixel of the one-to-one alpha copy: each term is cut to whole units on its own, the
// target's alpha grows as if the source alpha were opaque colour.
inline uint32_t CopyPixel(uint32_t s, uint32_t d) {
  const uint32_t a = s >> 24;
  if (a == 0) return d;
  if (a == 255) return s;
  const uint32_t k = 255 - a;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t sc = shift == 24 ? 255u : (s >> shift) & 0xFFu, dc = (d >> shift) & 0xFFu;
    out |= (((sc * a) >> 8) + ((dc * k) >> 8)) << shift;
  }
  return out;
}

// One pixel of a tinted (or light, or shade) copy: the source is tinted, then weighed by its
// alpha, each step cut to whole units.
inline uint32_t TintedPixel(uint32_t s, uint32_t d, const SoftwareRaster::Paint& paint) {
  const uint32_t a = Div255((s >> 24) * paint.a);
  uint32_t c[3] = {Div255((s & 0xFFu) * paint.b), Div255(((s >> 8) & 0xFFu) * paint.g),
                   Div255(((s >> 16) & 0xFFu) * paint.r)};
  uint32_t out = d & 0xFF000000u;
  if (paint.blend == ALPHABLEND) out = (a + Div255((255 - a) * (d >> 24))) << 24;
  for (int i = 0; i < 3; ++i) {
    const uint32_t dc = (d >> (8 * i)) & 0xFFu;
    uint32_t v;
    if (paint.blend == SHADEBLEND) {
      v = Div255(c[i] * dc);
    } else {
      c[i] = Div255(c[i] * a);
      v = paint.blend == LIGHTBLEND ? std::min(dc + c[i], 255u) : c[i] + Div255((255 - a) * dc);
    }
    out |= v << (8 * i);
  }
  return out;
}

#if defined(__SSE2__)
// Two pixels of a tinted copy (16-bit lanes), as TintedPixel.
inline __m128i TintedPair(__m128i s, __m128i d, int blend, __m128i mod) {
  const __m128i alphaLanes = _mm_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0);
  const __m128i v255 = _mm_set1_epi16(255);
  s = Div255x(_mm_mullo_epi16(s, mod));
  if (blend == SHADEBLEND)  // the target's alpha stays: times 255 / 255
    return Div255x(_mm_mullo_epi16(_mm_or_si128(s, _mm_and_si128(alphaLanes, v255)), d));
  const __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s, 0xFF), 0xFF);
  // Colour times alpha; the alpha lane keeps the alpha itself.
  s = _mm_or_si128(_mm_andnot_si128(alphaLanes, Div255x(_mm_mullo_epi16(s, a))),
                   _mm_and_si128(alphaLanes, a));
  if (blend == LIGHTBLEND) return _mm_add_epi16(d, _mm_andnot_si128(alphaLanes, s));  // packus saturates
  return _mm_add_epi16(s, Div255x(_mm_mullo_epi16(d, _mm_sub_epi16(v255, a))));
}

// Four fill pixels at once, as FillPixel.
inline __m128i FillQuad(__m128i d, int blend, __m128i pre16, __m128i pre8, __m128i keep16) {
  if (blend == LIGHTBLEND) return _mm_adds_epu8(d, pre8);
  const __m128i zero = _mm_setzero_si128();
  __m128i lo = _mm_unpacklo_epi8(d, zero), hi = _mm_unpackhi_epi8(d, zero);
  if (blend == ALPHABLEND) {
    lo = _mm_add_epi16(Div255x(_mm_mullo_epi16(lo, keep16)), pre16);
    hi = _mm_add_epi16(Div255x(_mm_mullo_epi16(hi, keep16)), pre16);
  } else {
    lo = Div255x(_mm_mullo_epi16(lo, pre16));
    hi = Div255x(_mm_mullo_epi16(hi, pre16));
  }
  return _mm_packus_epi16(lo, hi);
}

// Two copy pixels (16-bit lanes) blended by their alphas, as CopyPixel without its two ends.
inline __m128i CopyPair(__m128i s, __m128i d) {
  const __m128i alphaLanes = _mm_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0);
  const __m128i v255 = _mm_set1_epi16(255);
  const __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s, 0xFF), 0xFF);
  s = _mm_or_si128(s, _mm_and_si128(alphaLanes, v255));
  return _mm_add_epi16(_mm_srli_epi16(_mm_mullo_epi16(s, a), 8),
                       _mm_srli_epi16(_mm_mullo_epi16(d, _mm_sub_epi16(v255, a)), 8));
}
#endif

#if defined(__SSE2__)
// Four copy pixels at a time over the span; the pixels done (a multiple of four).
int CopySpanSse2(const uint32_t* in, uint32_t* out, int n) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i opaque = _mm_set1_epi32(255);
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    const __m128i alpha = _mm_srli_epi32(s, 24);
    const __m128i clear = _mm_cmpeq_epi32(alpha, zero);
    const __m128i solid = _mm_cmpeq_epi32(alpha, opaque);
    const int clearBits = _mm_movemask_epi8(clear), solidBits = _mm_movemask_epi8(solid);
    __m128i* p = reinterpret_cast<__m128i*>(out + i);
    if (clearBits == 0xFFFF) continue;  // pictures are mostly clear or opaque
    if (solidBits == 0xFFFF) {
      _mm_storeu_si128(p, s);
      continue;
    }
    const __m128i d = _mm_loadu_si128(p);
    const __m128i mixed = _mm_packus_epi16(
        CopyPair(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero)),
        CopyPair(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero)));
    const __m128i result = _mm_or_si128(
        _mm_or_si128(_mm_and_si128(clear, d), _mm_and_si128(solid, s)),
        _mm_andnot_si128(_mm_or_si128(clear, solid), mixed));
    _mm_storeu_si128(p, result);
  }
  return i;
}
#endif

// The rows of an untinted copy under the alpha blend, already clipped.
void CopyRows(const SoftwareRaster::Target& target, const uint32_t* pixels, int pitch, int x, int y,
              int w, int h) {
  for (int row = 0; row < h; ++row) {
    const uint32_t* in = pixels + static_cast<ptrdiff_t>(row) * pitch;
    uint32_t* out = target.pixels + static_cast<ptrdiff_t>(y + row) * target.pitch + x;
    if (y + row + 2 < target.clipY1) PrefetchRow(out + 2 * target.pitch, w);
    int i = 0;
#if defined(__SSE2__)
    i = CopySpanSse2(in, out, w);
#endif
    for (; i < w; ++i) out[i] = CopyPixel(in[i], out[i]);
  }
}

#if defined(LV_AVX2)
// Eight copy pixels at a time where the processor has the wider registers; the same
// arithmetic lane for lane, so the same pixels.
__attribute__((target("avx2"))) inline __m256i CopyPairAvx2(__m256i s, __m256i d) {
  const __m256i alphaLanes = _mm256_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0);
  const __m256i v255 = _mm256_set1_epi16(255);
  const __m256i a = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(s, 0xFF), 0xFF);
  s = _mm256_or_si256(s, _mm256_and_si256(alphaLanes, v255));
  return _mm256_add_epi16(_mm256_srli_epi16(_mm256_mullo_epi16(s, a), 8),
                          _mm256_srli_epi16(_mm256_mullo_epi16(d, _mm256_sub_epi16(v255, a)), 8));
}

__attribute__((target("avx2"))) void CopyRowsAvx2(const SoftwareRaster::Target& target,
                                                   const uint32_t* pixels, int pitch, int x, int y,
                                                   int w, int h) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i opaque = _mm256_set1_epi32(255);
  for (int row = 0; row < h; ++row) {
    const uint32_t* in = pixels + static_cast<ptrdiff_t>(row) * pitch;
    uint32_t* out = target.pixels + static_cast<ptrdiff_t>(y + row) * target.pitch + x;
    if (y + row + 2 < target.clipY1) PrefetchRow(out + 2 * target.pitch, w);
    int i = 0;
    for (; i + 8 <= w; i += 8) {
      const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i));
      const __m256i alpha = _mm256_srli_epi32(s, 24);
      const __m256i clear = _mm256_cmpeq_epi32(alpha, zero);
      const __m256i solid = _mm256_cmpeq_epi32(alpha, opaque);
      __m256i* p = reinterpret_cast<__m256i*>(out + i);
      if (_mm256_movemask_epi8(clear) == -1) continue;  // pictures are mostly clear or opaque
      if (_mm256_movemask_epi8(solid) == -1) {
        _mm256_storeu_si256(p, s);
        continue;
      }
      const __m256i d = _mm256_loadu_si256(p);
      const __m256i mixed = _mm256_packus_epi16(CopyPairAvx2(_mm256_unpacklo_epi8(s, zero), _mm256_unpacklo_epi8(d, zero)),
                                                CopyPairAvx2(_mm256_unpackhi_epi8(s, zero), _mm256_unpackhi_epi8(d, zero)));
      _mm256_storeu_si256(p, _mm256_or_si256(_mm256_or_si256(_mm256_and_si256(clear, d), _mm256_and_si256(solid, s)),
                                             _mm256_andnot_si256(_mm256_or_si256(clear, solid), mixed)));
    }
    i += CopySpanSse2(in + i, out + i, w - i);
    for (; i < w; ++i) out[i] = CopyPixel(in[i], out[i]);
  }
}
#endif

// The rows of a tinted (or light, or shade) copy, already clipped.
void TintedCopy(const SoftwareRaster::Target& target, const uint32_t* pixels, int pitch, int x,
                int y, int w, int h, const SoftwareRaster::Paint& paint) {
  const bool skipClear = paint.blend != SHADEBLEND;  // clear texels add nothing
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i mod = _mm_set_epi16(paint.a, paint.r, paint.g, paint.b, paint.a, paint.r, paint.g, paint.b);
#endif
  for (int row = 0; row < h; ++row) {
    const uint32_t* in = pixels + static_cast<ptrdiff_t>(row) * pitch;
    uint32_t* out = target.pixels + static_cast<ptrdiff_t>(y + row) * target.pitch + x;
    int i = 0;
#if defined(__SSE2__)
    for (; i + 4 <= w; i += 4) {
      const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
      if (skipClear && _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_srli_epi32(s, 24), zero)) == 0xFFFF)
        continue;
      __m128i* p = reinterpret_cast<__m128i*>(out + i);
      const __m128i d = _mm_loadu_si128(p);
      _mm_storeu_si128(p, _mm_packus_epi16(
                              TintedPair(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero), paint.blend, mod),
                              TintedPair(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero), paint.blend, mod)));
    }
#endif
    for (; i < w; ++i) out[i] = TintedPixel(in[i], out[i], paint);
  }
}

template <int kBlend>
void DrawBlend(const SoftwareRaster::Target& target, const SoftwareRaster::Source& source,
               const SoftwareRaster::Paint& paint, const SoftwareRaster::Map& map, int x0, int y0,
               int x1, int y1, bool boxIsCoverage) {
  if (source.filtered)
    DrawRows<kBlend, true>(target, source, paint, map, x0, y0, x1, y1, boxIsCoverage);
  else
    DrawRows<kBlend, false>(target, source, paint, map, x0, y0, x1, y1, boxIsCoverage);
}

}  // namespace

void SoftwareRaster::Draw(const Target& target, const Source& source, const Paint& paint,
                          const Map& map, int x0, int y0, int x1, int y1, bool boxIsCoverage) {
  x0 = std::max(x0, target.clipX0);
  y0 = std::max(y0, target.clipY0);
  x1 = std::min(x1, target.clipX1);
  y1 = std::min(y1, target.clipY1);
  if (x0 >= x1 || y0 >= y1 || source.x0 >= source.x1 || source.y0 >= source.y1) return;
  // Fixed-point texel stepping needs sane coordinates; a map this wild draws nothing sensible.
  for (double v : {map.s0, map.sX, map.sY, map.t0, map.tX, map.tY})
    if (!std::isfinite(v) || std::fabs(v) > 1e7) return;
  switch (paint.blend) {
    case MASKBLEND:
      DrawBlend<MASKBLEND>(target, source, paint, map, x0, y0, x1, y1, boxIsCoverage);
      break;
    case SOLIDBLEND:
      DrawBlend<SOLIDBLEND>(target, source, paint, map, x0, y0, x1, y1, boxIsCoverage);
      break;
    case LIGHTBLEND:
      DrawBlend<LIGHTBLEND>(target, source, paint, map, x0, y0, x1, y1, boxIsCoverage);
      break;
    case SHADEBLEND:
      DrawBlend<SHADEBLEND>(target, source, paint, map, x0, y0, x1, y1, boxIsCoverage);
      break;
    default:
      DrawBlend<ALPHABLEND>(target, source, paint, map, x0, y0, x1, y1, boxIsCoverage);
      break;
  }
}


bool SoftwareRaster::FillServes(int blend) {
  return blend == ALPHABLEND || blend == LIGHTBLEND || blend == SHADEBLEND;
}

void SoftwareRaster::Fill(const Target& target, const Paint& paint, int x0, int y0, int x1, int y1) {
  if (!FillServes(paint.blend)) return;
  x0 = std::max(x0, target.clipX0);
  y0 = std::max(y0, target.clipY0);
  x1 = std::min(x1, target.clipX1);
  y1 = std::min(y1, target.clipY1);
  if (x0 >= x1 || y0 >= y1) return;
  // The alpha and light blends add the colour times alpha; the alpha blend also adds the
  // alpha itself, the light and shade blends leave the target's alpha alone.
  const uint32_t a = paint.a;
  const bool premultiply = paint.blend != SHADEBLEND;
  uint32_t pre[4] = {paint.b, paint.g, paint.r, 0};
  if (premultiply)
    for (int i = 0; i < 3; ++i) pre[i] = Div255(pre[i] * a);
  pre[3] = paint.blend == ALPHABLEND ? a : paint.blend == SHADEBLEND ? 255u : 0u;
  const uint32_t keep = 255 - a;
#if defined(__SSE2__)
  const auto lanes = [&](uint32_t alpha) {
    return _mm_set_epi16(static_cast<short>(alpha), static_cast<short>(pre[2]),
                         static_cast<short>(pre[1]), static_cast<short>(pre[0]),
                         static_cast<short>(alpha), static_cast<short>(pre[2]),
                         static_cast<short>(pre[1]), static_cast<short>(pre[0]));
  };
  const __m128i pre16 = lanes(pre[3]);
  const __m128i pre8 = _mm_set1_epi32(static_cast<int>(pre[3] << 24 | pre[2] << 16 | pre[1] << 8 | pre[0]));
  const __m128i keep16 = _mm_set1_epi16(static_cast<short>(keep));
#endif
  for (int y = y0; y < y1; ++y) {
    uint32_t* out = target.pixels + static_cast<ptrdiff_t>(y) * target.pitch;
    int x = x0;
#if defined(__SSE2__)
    for (; x + 4 <= x1; x += 4) {
      __m128i* p = reinterpret_cast<__m128i*>(out + x);
      _mm_storeu_si128(p, FillQuad(_mm_loadu_si128(p), paint.blend, pre16, pre8, keep16));
    }
#endif
    for (; x < x1; ++x) out[x] = FillPixel(out[x], paint.blend, pre, keep);
  }
}

bool SoftwareRaster::CopyServes(int blend) { return FillServes(blend); }

void SoftwareRaster::AllowWide(bool on) {
#if defined(LV_AVX2)
  g_wideAllowed = on;
#else
  (void)on;
#endif
}

void SoftwareRaster::Copy(const Target& target, const uint32_t* pixels, int pitch, int x, int y, int w,
                          int h, const Paint& paint) {
  if (!CopyServes(paint.blend)) return;
  const int x0 = std::max(x, target.clipX0), y0 = std::max(y, target.clipY0);
  const int x1 = std::min(x + w, target.clipX1), y1 = std::min(y + h, target.clipY1);
  if (x0 >= x1 || y0 >= y1) return;
  if (paint.blend != ALPHABLEND || (paint.r & paint.g & paint.b & paint.a) != 255) {
    TintedCopy(target, pixels + static_cast<ptrdiff_t>(y0 - y) * pitch + (x0 - x), pitch, x0, y0,
               x1 - x0, y1 - y0, paint);
    return;
  }
  // Untinted under the alpha blend: every term is cut on its own (not the tinted formula).
  const uint32_t* in = pixels + static_cast<ptrdiff_t>(y0 - y) * pitch + (x0 - x);
#if defined(LV_AVX2)
  if (HaveAvx2()) {
    CopyRowsAvx2(target, in, pitch, x0, y0, x1 - x0, y1 - y0);
    return;
  }
#endif
  CopyRows(target, in, pitch, x0, y0, x1 - x0, y1 - y0);
}

}  // namespace platform
