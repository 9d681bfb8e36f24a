// Per-tick and per-frame sprite and particle work allocates nothing once running: every
// C++ allocation in this test program is counted while a scope asks for it.
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

#include "GfxTestSupport.h"
#include "gfx/TAnimation.h"
#include "gfx/TGameImage.h"
#include "gfx/TImageBank.h"
#include "gfx/TParticleList.h"
#include "gfx/TSprite.h"

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void* Allocate(std::size_t size, std::size_t alignment) {
  if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
  if (size == 0) size = 1;
  void* p = nullptr;
  if (alignment <= alignof(std::max_align_t)) {
    p = std::malloc(size);
  } else if (posix_memalign(&p, alignment, size) != 0) {
    p = nullptr;
  }
  if (!p) throw std::bad_alloc();
  return p;
}
}  // namespace

// Every form of the global operators is replaced, all on malloc and free, so each new meets its
// own delete. The deletes stay out of line: inlined, GCC would see free() meet operator new and
// warn about a mismatch that is not there.
void* operator new(std::size_t size) { return Allocate(size, 0); }
void* operator new[](std::size_t size) { return Allocate(size, 0); }
void* operator new(std::size_t size, std::align_val_t a) {
  return Allocate(size, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t size, std::align_val_t a) {
  return Allocate(size, static_cast<std::size_t>(a));
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete[](void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
  std::free(p);
}
[[gnu::noinline]] void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
  std::free(p);
}

namespace {

class AllocationTest : public gfxtest::GfxTest {
 protected:
  long Count(const std::function<void()>& body) {
    allocations = 0;
    counting = true;
    body();
    counting = false;
    return allocations.load();
  }
};

TEST_F(AllocationTest, ParticleTicksAndFramesAllocateNothing) {
  OpenDisplay();
  auto image = TGameImage::CreateFromImage(gfxtest::SolidImage(8, 8, 0xFFFFFFFFu), u"spark", 1);
  auto list = std::make_shared<TParticleList>();
  for (int i = 0; i < 300; ++i) {
    auto p = list->AddNew(100 + i, 300, image, 0.1f, -0.2f, 0.01f, 5000, i % 2, 1, 2, 1.0f, 0.001f,
                          0, i % 3 == 0 ? 1 : 0);
    p->SetupAnim(4, 400, 0, 0, 0, 0, 1);
    p->SetGlow(3, 0, 3, 0.2f, 0.8f);
    p->Shadow = i % 5 == 0;
  }
  // Warm the renderer's scratch buffers and the textures.
  list->Manage();
  list->Draw();
  const long n = Count([&] {
    for (int t = 0; t < 20; ++t) {
      list->Manage();
      list->ForEach([](const TParticlePtr& p) { p->ManageGlow(); });
      list->Draw();
    }
  });
  EXPECT_EQ(n, 0);
  EXPECT_EQ(list->Count(), 300);
  // The counter does see allocations: making a particle is one.
  EXPECT_GT(Count([&] { list->AddNew(1, 1, image, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0); }), 0);
}

TEST_F(AllocationTest, DyingParticlesFreeWithoutAllocating) {
  auto image = TGameImage::CreateFromImage(gfxtest::SolidImage(8, 8, 0xFFFFFFFFu), u"spark", 1);
  auto list = std::make_shared<TParticleList>();
  for (int i = 0; i < 200; ++i) list->AddNew(100, 100, image, 0, 0, 0, 0, 0, 0, 0, 1.0f, 0, 5 * (1 + i % 7), 0);
  const long n = Count([&] {
    for (int t = 0; t < 10; ++t) list->Move();
  });
  EXPECT_EQ(n, 0);
  EXPECT_EQ(list->Count(), 0);
}

TEST_F(AllocationTest, SpriteTimelineAndBankLookupsAllocateNothing) {
  OpenDisplay();
  auto bank = std::make_shared<TImageBank>();
  bank->Insert(TGameImage::CreateFromImage(gfxtest::SolidImage(8, 8, 0xFFFFFFFFu), u"A LONG IMAGE NAME", 1));
  auto sprite = TSprite::Create(bank->Find(u"a long image name"), 200, 200);
  sprite->SetupAnim(3, 300, 0, 0, 0, 1, 1);
  sprite->SetupRotation(2, 0, 1, 0);
  sprite->SetGlow(3, 0, 5, 0, 1);
  sprite->Color = TColor::Create(200, 100, 50);
  sprite->Shadow = 1;
  auto timeline = TAnimation::Create(500, 0, 0, 1, 1);
  timeline->Start();
  sprite->Draw();
  const long n = Count([&] {
    for (int t = 0; t < 50; ++t) {
      sprite->Move();
      sprite->ManageAnim();
      sprite->ManageRotation();
      sprite->ManageGlow();
      timeline->Manage();
      sprite->Alpha = timeline->GetRatioSine();
      sprite->Draw();
      sprite->RoundCoords = t % 2;
      EXPECT_NE(bank->Find(u"A Long Image Name"), nullptr);
    }
  });
  EXPECT_EQ(n, 0);
}

}  // namespace
