#include "text/TBitmapFont.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "core/ErrorPath.h"
#include "core/IniFunctions.h"
#include "gfx/DrawHelpers.h"
#include "gfx/ImageHelpers.h"
#include "platform/Graphics.h"
#include "text/TextDrawing.h"

int TBitmapFont::AutoCalcDrawOffsetY = 0;
int TBitmapFont::UseStringHeightAccurate = 0;
int TBitmapFont::UseBuggedStringHeight = 1;

namespace {
double Round(double v) { return std::floor(v + 0.5); }
}  // namespace

int TBitmapFont::SlotOf(char16_t c) const {
  if (c <= 255) return c < ID.size() ? c : 0;
  return FindChar(StringView(&c, 1));
}

int TBitmapFont::FindChar(StringView c) const {
  if (c.empty()) return 0;
  const int code = c[0];
  const int last = std::min<int>(255 + NumExtraChars, static_cast<int>(ID.size()) - 1);
  for (int slot = 256; slot <= last; ++slot) {
    if (ID[static_cast<size_t>(slot)] == code) return slot;
  }
  return 0;
}

int TBitmapFont::ClearCurvature() {
  CurvatureWidth = 0;
  CurvatureHeight = 0;
  return 0;
}

int TBitmapFont::SetCurvature(float w, float h) {
  CurvatureWidth = w;
  CurvatureHeight = h;
  return 0;
}

double TBitmapFont::StringWidth(StringView text) const {
  double sum = 0;
  for (char16_t c : text) sum += Advance(SlotOf(c));
  if (sum > 0) sum -= CharGap;
  return sum * ScaleFactor;
}

double TBitmapFont::StringHeight(StringView text) const {
  if (UseStringHeightAccurate != 0) return StringHeightAccurate(text);
  double sum = 0;
  int k = 0;
  for (char16_t c : text) {
    const double h = height[static_cast<size_t>(SlotOf(c))];
    if (h > 0) {
      sum += h;
      ++k;
    }
  }
  // The divisor k - 1 needs two glyphs; with fewer, the one glyph's own height stands.
  if (UseBuggedStringHeight != 0 && k >= 2) return sum / (k - 1) * ScaleFactor;
  if (k == 0) return 0;
  return (UseBuggedStringHeight != 0 ? sum : sum / k) * ScaleFactor;
}

double TBitmapFont::StringHeightAccurate(StringView text) const {
  double deepest = 0;
  for (char16_t c : text) {
    const auto s = static_cast<size_t>(SlotOf(c));
    deepest = std::max(deepest, DrawOffsetY + height[s] + yOffset[s]);
  }
  return deepest * ScaleFactor;
}

int TBitmapFont::Draw(StringView text, double x, double y, int centre, int right, int roundX,
                      int roundY, int shadow, int centreY, int vertical,
                      const std::vector<TColorPtr>& colours) {
  if (text.empty()) return 0;
  int savedR = 255, savedG = 255, savedB = 255;
  if (shadow != 0) {
    platform::GetColor(savedR, savedG, savedB);
    platform::SetColor(0, 0, 0);
    platform::SetAlpha(ccShadowTextAlpha * ccTextAlpha);
    x += ccShadowTextDepthX;
    y += ccShadowTextDepthY;
  }
  float sx = 1.0f, sy = 1.0f;
  platform::GetScale(sx, sy);
  const float fx = sx * static_cast<float>(ScaleFactor);
  const float fy = sy * static_cast<float>(ScaleFactor);
  const double wholeWidth = StringWidth(text);

  if (vertical == 0) {
    if (centre != 0) {
      if (ChangeHandle == 0) x -= sx * wholeWidth / 2;
      else HandleX += wholeWidth / 2;
    }
    if (right != 0) {
      if (ChangeHandle == 0) x -= sx * wholeWidth;
      else HandleX += sx * wholeWidth;
    }
    if (centreY != 0) {
      const double lineHeight = StringHeight(TestString);
      if (ChangeHandle == 0) y -= sy * lineHeight / 2;
      else HandleY += lineHeight / 2;
    }
  }
  if (ChangeHandle != 0) {
    HandleX *= 2 - ScaleFactor;
    HandleY *= 2 - ScaleFactor;
  }

  size_t colour = 0;
  double advanced = 0;  // unscaled sum of the advances drawn so far, gaps included
  for (char16_t c : text) {
    const auto s = static_cast<size_t>(SlotOf(c));
    double tx = x;
    double ty = y;
    if (ChangeHandle == 0) {
      tx = x + fx * xOffset[s];
      if (vertical == 0) ty = y + fy * (DrawOffsetY + yOffset[s]);
    }
    double tw = width[s] * ScaleFactor;
    double th = height[s] * ScaleFactor;
    if (vertical != 0) {
      if (centre != 0) tx -= sx * tw / 2;
      else if (right != 0) tx -= sx * tw;
    }
    // Bending needs a span to bend over; a zero width leaves the text straight.
    if (CurvatureHeight != 0 && CurvatureWidth > 0) {
      const double before = (advanced > 0 ? advanced - CharGap : advanced) * ScaleFactor;
      const double own = Advance(static_cast<int>(s));
      const double ownWidth = (own > 0 ? own - CharGap : own) * ScaleFactor;
      double p = sx * before + sx * ownWidth / 2;
      if (centre != 0) p += (CurvatureWidth - sx * wholeWidth) / 2;
      else if (right != 0) p += CurvatureWidth - sx * wholeWidth;
      const double degrees = CurvatureAngle * p / CurvatureWidth;
      ty += CurvatureHeight * std::sin(degrees * std::numbers::pi / 180.0);
    }
    if (roundX != 0 && fx == 1.0f) {
      tx = Round(tx);
      tw = Round(tw);
    }
    if (roundY != 0 && fy == 1.0f) {
      ty = Round(ty);
      th = Round(th);
    }
    const double advance = Advance(static_cast<int>(s));
    if (!colours.empty()) {
      if (colours[colour]) colours[colour]->Apply();
      colour = (colour + 1) % colours.size();
    }
    if (ChangeHandle == 0) {
      if (Image) {
        platform::DrawSubImageRect(Image, static_cast<float>(tx), static_cast<float>(ty),
                                   static_cast<float>(tw), static_cast<float>(th),
                                   static_cast<float>(xPos[s]), static_cast<float>(yPos[s]),
                                   static_cast<float>(width[s]), static_cast<float>(height[s]), 0, 0, 0);
      }
      if (vertical == 0) {
        x += fx * advance;
      } else {
        y += c == u' ' ? 0.75 * fx * advance : sy * th;
      }
    } else {
      if (Image) {
        platform::DrawSubImageRect(Image, static_cast<float>(tx), static_cast<float>(ty),
                                   static_cast<float>(tw), static_cast<float>(th),
                                   static_cast<float>(xPos[s]), static_cast<float>(yPos[s]),
                                   static_cast<float>(width[s]), static_cast<float>(height[s]),
                                   static_cast<float>(HandleX - xOffset[s]),
                                   static_cast<float>(HandleY - yOffset[s] - DrawOffsetY), 0);
      }
      HandleX -= advance;
    }
    advanced += advance;
  }
  if (shadow != 0) {
    platform::SetColor(savedR, savedG, savedB);
    platform::SetAlpha(ccTextAlpha);
  }
  return 0;
}

int TBitmapFont::DrawAligned(StringView text, double x, double y, int align, int roundX, int roundY,
                             int shadow, const std::vector<TColorPtr>& colours) {
  switch (align) {
    case 0:
      return Draw(text, x, y, 0, 0, roundX, roundY, shadow, 0, 0, colours);
    case 1:
      return Draw(text, x, y, 1, 0, roundX, roundY, shadow, 0, 0, colours);
    case 2:
      return Draw(text, x, y, 0, 1, roundX, roundY, shadow, 0, 0, colours);
    case 3:
      return Draw(text, x, y, 1, 0, roundX, roundY, shadow, 1, 0, colours);
    default:
      return 0;
  }
}

int TBitmapFont::DrawAlignedWithShadow(StringView text, double x, double y, int align, int roundX,
                                       int roundY) {
  static const std::vector<TColorPtr> kNoColours;
  DrawAligned(text, x, y, align, roundX, roundY, 1, kNoColours);
  DrawAligned(text, x, y, align, roundX, roundY, 0, kNoColours);
  return 0;
}

// ---------------------------------------------------------------- loading

namespace {

// Stored numbers stay within this, so sums over any text stay finite; every real description
// lies far inside it.
constexpr double kLimit = 1.0e6;

bool StartsWith(const String& line, std::u16string_view prefix) {
  return line.size() >= prefix.size() && StringView(line).substr(0, prefix.size()) == prefix;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// The number standing after "key" (which ends in "="), the key found as a whole token: at the
// line's start or after a blank. The whole token up to the next blank is read; a token that is
// not a finite number, or no key, reads as 0.
double KeyValue(const String& line, std::u16string_view key) {
  size_t at = 0;
  for (;;) {
    at = line.find(key, at);
    if (at == String::npos) return 0;
    if (at == 0 || IsBlank(line[at - 1])) break;
    ++at;
  }
  size_t i = at + key.size();
  std::string token;
  while (i < line.size() && !IsBlank(line[i]) && token.size() < 64) {
    const char16_t c = line[i++];
    if (c > 127) break;
    token.push_back(static_cast<char>(c));
  }
  const char* first = token.data();
  const char* last = token.data() + token.size();
  bool negative = false;
  if (first != last && (*first == '+' || *first == '-')) {
    negative = *first == '-';
    ++first;
  }
  if (first == last || *first == '+' || *first == '-') return 0;
  double v = 0;
  const auto result = std::from_chars(first, last, v);
  if (result.ec != std::errc() || !std::isfinite(v)) return 0;
  if (negative) v = -v;
  return std::clamp(v, -kLimit, kLimit);
}

}  // namespace

std::vector<String> TBitmapFont::DescriptionLines(std::string_view bytes) {
  std::vector<String> lines;
  String line;
  bool open = false;
  for (const char b : bytes) {
    const auto c = static_cast<unsigned char>(b);
    if (c == '\n' || c == 0) {
      lines.push_back(std::move(line));
      line.clear();
      open = false;
      continue;
    }
    open = true;
    if (c == '\r') continue;
    line.push_back(static_cast<char16_t>(c));
  }
  if (open) lines.push_back(std::move(line));
  return lines;
}

std::shared_ptr<TBitmapFont> TBitmapFont::Create(const String& name, int flags, int unused,
                                                 int yAdjust) {
  (void)unused;
  auto font = std::make_shared<TBitmapFont>();
  const bool autoMid = platform::AutoMidHandleEnabled();
  platform::AutoMidHandle(false);
  // The drawing layer's setting is put back even when a load fails in a test that survives it.
  struct Restore {
    bool on;
    ~Restore() { platform::AutoMidHandle(on); }
  } restore{autoMid};
  font->Image = ccLoadBitmap(name + u".png", flags);
  auto stream = ccLoadFile(u"littleendian::" + name + u".fnt");
  const std::string bytes = stream->ReadAll();
  stream->Close();
  font->ReadDescriptionBytes(bytes, yAdjust);
  return font;
}

int TBitmapFont::ReadDescriptionBytes(std::string_view bytes, int yAdjust) {
  return ReadDescription(DescriptionLines(bytes), yAdjust);
}

int TBitmapFont::ReadDescription(const std::vector<String>& lines, int yAdjust) {
  NumChars = 0;
  NumExtraChars = 0;
  size_t next = 0;
  auto read = [&]() -> String { return next < lines.size() ? lines[next++] : String(); };
  auto atEnd = [&]() { return next >= lines.size(); };

  String line = read();
  if (ccUpper(StringView(line).substr(0, std::min<size_t>(6, line.size()))) == u"SCALEF") {
    ScaleFactor = line.find(u"scaleF=") != String::npos ? KeyValue(line, u"scaleF=")
                                                       : KeyValue(line, u"ScaleF=");
  } else {
    ScaleFactor = 1.0;
  }
  line = read();
  if (StartsWith(line, u"info")) line = read();
  TextureW = KeyValue(line, u"scaleW=");
  TextureH = KeyValue(line, u"scaleH=");
  line = read();
  if (StartsWith(line, u"page")) line = read();
  if (StartsWith(line, u"chars")) line = read();

  // Codes above 255 already in the table: FindChar would only ever find the first.
  std::vector<bool> seen(65536, false);
  for (size_t s = 256; s < ID.size() && s < 256 + static_cast<size_t>(NumExtraChars); ++s) {
    if (ID[s] > 255 && ID[s] < 65536) seen[static_cast<size_t>(ID[s])] = true;
  }
  for (;;) {
    const double value = KeyValue(line, u"id=");
    const int code = value >= 65536 ? 65536 : static_cast<int>(value);
    if (code > 0 && code <= 65535 && !(code > 255 && seen[static_cast<size_t>(code)])) {
      int slot = code;
      if (code > 255) {
        slot = 256 + NumExtraChars;
        ++NumExtraChars;
        seen[static_cast<size_t>(code)] = true;
        while (slot >= ArraySize) ExpandArrays();
      }
      const auto s = static_cast<size_t>(slot);
      ID[s] = code;
      xPos[s] = KeyValue(line, u"x=");
      yPos[s] = KeyValue(line, u"y=");
      width[s] = KeyValue(line, u"width=");
      height[s] = KeyValue(line, u"height=");
      xOffset[s] = KeyValue(line, u"xoffset=");
      yOffset[s] = KeyValue(line, u"yoffset=") + yAdjust;
      xAdvance[s] = KeyValue(line, u"xadvance=");
      ++NumChars;
    }
    if (atEnd()) break;
    line = read();
    if (StartsWith(line, u"kerning")) break;
  }
  if (AutoCalcDrawOffsetY != 0) CalcDrawOffsetY();
  return 0;
}

// ---------------------------------------------------------------- housekeeping and measures

int TBitmapFont::CalcDrawOffsetY() {
  DrawOffsetY = -static_cast<int>(std::trunc(std::clamp(yOffset[65], -kLimit, kLimit)));
  return 0;
}

float TBitmapFont::CalcReducedScale(StringView text, int maxWidth) const {
  const double w = StringWidth(text);
  if (w <= 0 || w <= maxWidth) return 1.0f;
  return static_cast<float>(maxWidth / w);
}

int TBitmapFont::CalcVRAM() const {
  auto side = [](double v) {
    return ccPow2Size(static_cast<int>(std::clamp(v, 0.0, 1073741824.0)));
  };
  const int64_t bytes = 4LL * side(TextureW) * side(TextureH);
  return static_cast<int>(std::min<int64_t>(bytes, INT32_MAX));
}

int TBitmapFont::DrawStringArray(const std::vector<String>& lines, double x, double y, int centre,
                                 int right, int roundX, int roundY, int shadow, int lineHeight,
                                 int centreVertically) {
  static const std::vector<TColorPtr> kNoColours;
  const int h = lineHeight != 0 ? lineHeight : static_cast<int>(StringHeight(TestString));
  float cy = static_cast<float>(y);
  if (centreVertically != 0) {
    cy -= static_cast<float>(std::floor(static_cast<double>(lines.size()) / 2.0 * h + 0.5));
  }
  for (const String& line : lines) {
    if (shadow != 0) Draw(line, x, cy, centre, right, roundX, roundY, 1, 0, 0, kNoColours);
    Draw(line, x, cy, centre, right, roundX, roundY, 0, 0, 0, kNoColours);
    cy += static_cast<float>(h);
  }
  return 0;
}

int TBitmapFont::ExpandArrays() {
  ArraySize += 100;
  const auto n = static_cast<size_t>(ArraySize);
  ID.resize(n, 0);
  for (auto* a : {&width, &height, &xAdvance, &xOffset, &yOffset, &xPos, &yPos}) a->resize(n, 0.0);
  return 0;
}

int TBitmapFont::Kill() {
  Image = nullptr;
  return 0;
}

int TBitmapFont::Precache() {
  if (Image) ccCreateFrames(Image);
  return 0;
}

int TBitmapFont::ResetHandle() {
  ChangeHandle = 0;
  HandleX = 0;
  HandleY = 0;
  if (Image) platform::SetImageHandle(Image, 0, 0);
  return 0;
}

double TBitmapFont::StringHeightVertical(StringView text) const {
  double sum = 0;
  for (char16_t c : text) {
    const auto s = static_cast<size_t>(SlotOf(c));
    sum += c == u' ' ? 0.75 * xAdvance[s] : height[s];
  }
  return sum * ScaleFactor;
}

String TBitmapFont::TruncateString(StringView text, int maxWidth) const {
  if (maxWidth < 0) return String();
  const double limit = maxWidth * ScaleFactor;
  double sum = 0;
  size_t fits = 0;
  for (char16_t c : text) {
    sum += Advance(SlotOf(c));
    const double w = (sum > 0 ? sum - CharGap : sum) * ScaleFactor;
    if (w > limit) break;
    ++fits;
  }
  return String(text.substr(0, fits));
}
