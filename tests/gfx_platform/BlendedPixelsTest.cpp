// Blended boxes and one-to-one picture copies on the software renderer, which writes them into
// the target itself: every pixel must be what SDL's own software renderer and blitter make of
// the same drawing on a scratch surface, bit for bit.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <sstream>
#include <vector>

#include "GfxFixture.h"
#include "support/AllocationCounter.h"

using namespace platform;
using gfxtest::DisplayTest;

namespace {

constexpr int kW = 800, kH = 600;

SDL_BlendMode SdlBlend(int blend) {
  switch (blend) {
    case SOLIDBLEND:
      return SDL_BLENDMODE_NONE;
    case LIGHTBLEND:
      return SDL_BLENDMODE_ADD;
    case SHADEBLEND:
      return SDL_BLENDMODE_MOD;
    default:
      return SDL_BLENDMODE_BLEND;
  }
}

struct Case {
  bool copy;        // a picture copied one to one, else a filled box
  int blend;
  int r, g, b;
  float alpha;
  int x, y, w, h;   // the box, or the picture's place and the part of it drawn (w, h)
  int sx, sy;       // copies: the part's top-left in the picture
  SDL_Rect view;    // the viewport
};

std::string Describe(const Case& c) {
  std::ostringstream out;
  out << (c.copy ? "copy" : "fill") << " blend " << c.blend << " rgb " << c.r << "," << c.g << ","
      << c.b << " alpha " << c.alpha << " box " << c.x << "," << c.y << " " << c.w << "x" << c.h
      << " from " << c.sx << "," << c.sy << " view " << c.view.x << "," << c.view.y << " "
      << c.view.w << "x" << c.view.h;
  return out.str();
}

class BlendedPixelsTest : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    std::mt19937 rng(21);
    // Every kind of target pixel, and a picture with clear, opaque and part-clear texels.
    background_ = CreateImage(kW, kH, 1, 0);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) background_->frames[0]->WritePixel(x, y, 0xFF000000u | rng());
    picture_ = CreateImage(37, 23, 1, 0);
    for (int y = 0; y < 23; ++y)
      for (int x = 0; x < 37; ++x) {
        const uint32_t kind = rng() % 3;
        const uint32_t alpha = kind == 0 ? 0u : kind == 1 ? 255u : rng() % 256;
        picture_->frames[0]->WritePixel(x, y, alpha << 24 | (rng() & 0xFFFFFFu));
      }
    scratch_ = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(scratch_, nullptr);
    reference_ = SDL_CreateSoftwareRenderer(scratch_);
    ASSERT_NE(reference_, nullptr);
    view_ = SDL_CreateRGBSurfaceWithFormatFrom(picture_->frames[0]->Pixels(), 37, 23, 32, 37 * 4,
                                               SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(view_, nullptr);
  }
  void TearDown() override {
    SDL_FreeSurface(view_);
    SDL_DestroyRenderer(reference_);
    SDL_FreeSurface(scratch_);
    DisplayTest::TearDown();
  }

  // Draws the case both ways and compares the whole screen.
  void Check(const Case& c) {
    SetViewport(0, 0, kW, kH);
    SetBlend(SOLIDBLEND);
    SetColor(255, 255, 255);
    SetAlpha(1);
    DrawImage(background_, 0, 0);
    SetViewport(c.view.x, c.view.y, c.view.w, c.view.h);
    SetBlend(c.blend);
    SetColor(c.r, c.g, c.b);
    SetAlpha(c.alpha);
    if (c.copy)
      DrawSubImageRect(picture_, static_cast<float>(c.x), static_cast<float>(c.y),
                       static_cast<float>(c.w), static_cast<float>(c.h), static_cast<float>(c.sx),
                       static_cast<float>(c.sy), static_cast<float>(c.w), static_cast<float>(c.h));
    else
      DrawRect(static_cast<float>(c.x), static_cast<float>(c.y), static_cast<float>(c.w),
               static_cast<float>(c.h));
    std::memcpy(scratch_->pixels, background_->frames[0]->Pixels(), sizeof(uint32_t) * kW * kH);
    const Uint8 alpha8 = static_cast<Uint8>(std::lround(c.alpha * 255));
    if (c.copy) {
      SDL_SetSurfaceBlendMode(view_, SdlBlend(c.blend));
      SDL_SetSurfaceColorMod(view_, static_cast<Uint8>(c.r), static_cast<Uint8>(c.g), static_cast<Uint8>(c.b));
      SDL_SetSurfaceAlphaMod(view_, alpha8);
      SDL_SetClipRect(scratch_, &c.view);
      SDL_Rect from{c.sx, c.sy, c.w, c.h}, to{c.x, c.y, c.w, c.h};
      SDL_BlitSurface(view_, &from, scratch_, &to);
    } else {
      SDL_RenderSetClipRect(reference_, &c.view);
      SDL_SetRenderDrawBlendMode(reference_, SdlBlend(c.blend));
      SDL_SetRenderDrawColor(reference_, static_cast<Uint8>(c.r), static_cast<Uint8>(c.g),
                             static_cast<Uint8>(c.b), alpha8);
      const SDL_Rect box{c.x, c.y, c.w, c.h};
      SDL_RenderFillRect(reference_, &box);
      SDL_RenderFlush(reference_);
    }
    // The box and a margin around it: nothing outside the box may change either.
    const int x0 = std::max(c.x - 8, 0), y0 = std::max(c.y - 8, 0);
    const int x1 = std::min(c.x + c.w + 8, kW), y1 = std::min(c.y + c.h + 8, kH);
    if (x0 >= x1 || y0 >= y1) return;
    PixmapPtr got = GrabPixmap(x0, y0, x1 - x0, y1 - y0);
    const auto* want = static_cast<const uint32_t*>(scratch_->pixels);
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) {
        const uint32_t expected = want[y * kW + x] | 0xFF000000u;
        if (got->ReadPixel(x - x0, y - y0) != expected) {
          FAIL() << Describe(c) << " at " << x << "," << y << std::hex << ": 0x"
                 << got->ReadPixel(x - x0, y - y0) << " not 0x" << expected;
        }
      }
  }

  ImagePtr background_, picture_;
  SDL_Surface* scratch_ = nullptr;
  SDL_Surface* view_ = nullptr;
  SDL_Renderer* reference_ = nullptr;
};

const SDL_Rect kAll{0, 0, kW, kH};

TEST_F(BlendedPixelsTest, BoxesAndCopiesMatchSdlsSoftwareRendererBitForBit) {
  const int blends[] = {ALPHABLEND, LIGHTBLEND, SHADEBLEND, SOLIDBLEND};
  const float alphas[] = {0.0f, 1.0f / 255, 0.5f, 254.0f / 255, 1.0f};
  const int tints[][3] = {{255, 255, 255}, {0, 0, 0}, {200, 90, 17}};
  // Inside; across each screen edge; across a viewport edge; narrower than a SIMD step.
  const Case places[] = {
      {false, 0, 0, 0, 0, 0, 100, 80, 37, 23, 0, 0, kAll},
      {false, 0, 0, 0, 0, 0, -10, -7, 37, 23, 0, 0, kAll},
      {false, 0, 0, 0, 0, 0, 780, 590, 37, 23, 0, 0, kAll},
      {false, 0, 0, 0, 0, 0, 300, 200, 37, 23, 0, 0, SDL_Rect{310, 205, 13, 9}},
      {false, 0, 0, 0, 0, 0, 401, 303, 3, 23, 5, 0, SDL_Rect{0, 0, 403, 600}},
      {false, 0, 0, 0, 0, 0, 50, 50, 30, 1, 6, 22, kAll},
  };
  int cases = 0;
  for (bool copy : {false, true})
    for (int blend : blends)
      for (float alpha : alphas)
        for (const auto& tint : tints)
          for (Case place : places) {
            place.copy = copy;
            place.blend = blend;
            place.alpha = alpha;
            place.r = tint[0];
            place.g = tint[1];
            place.b = tint[2];
            Check(place);
            if (HasFatalFailure()) return;
            ++cases;
          }
  // The dim a menu puts over the whole screen.
  Check(Case{false, ALPHABLEND, 0, 0, 0, 0.4f, 0, 0, kW, kH, 0, 0, kAll});
  EXPECT_EQ(cases, 2 * 4 * 5 * 3 * 6);
}

TEST_F(BlendedPixelsTest, RandomBoxesAndCopiesMatchSdl) {
  std::mt19937 rng(5);
  const auto pick = [&](int lo, int hi) { return lo + static_cast<int>(rng() % static_cast<uint32_t>(hi - lo + 1)); };
  for (int i = 0; i < 60; ++i) {
    Case c{};
    c.copy = i % 2 == 1;
    c.blend = pick(ALPHABLEND, SHADEBLEND);
    c.r = pick(0, 255);
    c.g = pick(0, 255);
    c.b = pick(0, 255);
    if (i % 3 == 0) c.r = c.g = c.b = 255;
    c.alpha = static_cast<float>(pick(0, 255)) / 255;
    if (i % 4 == 0) c.alpha = 1;
    c.sx = pick(0, 36);
    c.sy = pick(0, 22);
    c.w = c.copy ? pick(1, 37 - c.sx) : pick(1, 300);
    c.h = c.copy ? pick(1, 23 - c.sy) : pick(1, 200);
    c.x = pick(-40, kW);
    c.y = pick(-30, kH);
    c.view = SDL_Rect{pick(-20, 400), pick(-20, 300), pick(0, 820), pick(0, 620)};
    Check(c);
    if (HasFatalFailure()) return;
  }
}

}  // namespace

namespace {

class FirstDrawTest : public DisplayTest {};

// Pictures are ready to draw once made: no frame, in any blend or pose, allocates at its first
// draw (frame loops must not allocate, not even the first time round).
TEST_F(FirstDrawTest, EveryFrameDrawsWithoutAllocatingFromItsFirstDraw) {
  const int blends[] = {MASKBLEND, SOLIDBLEND, ALPHABLEND, LIGHTBLEND, SHADEBLEND};
  const int poses = 3;  // upright one to one, stretched, turned
  ImagePtr image = CreateImage(12, 9, 5 * poses * 2, FILTEREDIMAGE);
  for (int f = 0; f < image->FrameCount(); ++f)
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 12; ++x) image->frames[static_cast<size_t>(f)]->WritePixel(x, y, 0x80FF8040u + f);
  CreateFrames(image);
  int frame = 0;
  for (int blend : blends)
    for (int pose = 0; pose < poses; ++pose)
      for (float alpha : {1.0f, 0.6f}) {
        SetBlend(blend);
        SetAlpha(alpha);
        SetColor(255, alpha < 1 ? 128 : 255, 255);
        SetScale(pose == 1 ? 2.5f : 1.0f, pose == 1 ? 1.5f : 1.0f);
        SetRotation(pose == 2 ? 30.0f : 0.0f);
        const long made = testrig::CountAllocations([&] { DrawImage(image, 300, 200, frame); });
        EXPECT_EQ(made, 0) << "blend " << blend << " pose " << pose << " alpha " << alpha;
        ++frame;
      }
  EXPECT_EQ(frame, image->FrameCount());
}

}  // namespace
