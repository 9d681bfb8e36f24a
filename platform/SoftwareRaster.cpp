#include "platform/SoftwareRaster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
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
      int inLo = lo, inHi = hi;
      sTaps.Apply(y, inLo, inHi);
      tTaps.Apply(y, inLo, inHi);
      if (inLo >= inHi) inLo = inHi = hi;
      SimdSpan<kBlend, kBilinear, true>(out + lo, inLo - lo, s, t, dsX, dtX, src, paint);
      const int64_t skip = inLo - lo;
      SimdSpan<kBlend, kBilinear, false>(out + inLo, inHi - inLo, s + skip * dsX, t + skip * dtX,
                                         dsX, dtX, src, paint);
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

}  // namespace platform
