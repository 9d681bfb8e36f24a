#include "platform/Clock.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

namespace platform {

namespace {

using SteadyClock = std::chrono::steady_clock;

// Captured at static initialisation, so MilliSecs counts from the start of the program.
const SteadyClock::time_point kStart = SteadyClock::now();

std::atomic<bool> gFakeActive{false};
std::atomic<int64_t> gFakeNow{0};
std::atomic<int> gFakeStepPerFlip{0};

const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::atomic<bool> gFakeDateActive{false};
DateTimeParts gFakeDate;  // written only by tests, before the code under test reads it

std::tm LocalNow() {
  if (gFakeDateActive.load(std::memory_order_acquire)) {
    std::tm parts{};
    parts.tm_year = gFakeDate.year - 1900;
    parts.tm_mon = gFakeDate.month - 1;
    parts.tm_mday = gFakeDate.day;
    parts.tm_hour = gFakeDate.hour;
    parts.tm_min = gFakeDate.minute;
    parts.tm_sec = gFakeDate.second;
    return parts;
  }
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  if (!localtime_r(&now, &parts)) parts = std::tm{};
  return parts;
}

}  // namespace

int MilliSecs() {
  int64_t ms;
  if (gFakeActive.load(std::memory_order_relaxed)) {
    ms = gFakeNow.load(std::memory_order_relaxed);
  } else {
    ms = std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - kStart).count();
  }
  // Wraps like a 32-bit counter; the frame timer copes with a backwards step.
  return static_cast<int>(static_cast<uint32_t>(static_cast<uint64_t>(ms)));
}

void Delay(int ms) {
  if (ms <= 0) return;
  if (gFakeActive.load(std::memory_order_relaxed)) {
    AdvanceFakeClock(ms);
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

String CurrentDate() {
  const std::tm t = LocalNow();
  const int month = (t.tm_mon >= 0 && t.tm_mon < 12) ? t.tm_mon : 0;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d %s %04d", t.tm_mday, kMonths[month], t.tm_year + 1900);
  return FromLatin1(buf);
}

String CurrentTime() {
  const std::tm t = LocalNow();
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
  return FromLatin1(buf);
}

DateTimeParts CurrentDateTimeParts() {
  const std::tm t = LocalNow();
  DateTimeParts p;
  p.year = t.tm_year + 1900;
  p.month = t.tm_mon + 1;
  p.day = t.tm_mday;
  p.hour = t.tm_hour;
  p.minute = t.tm_min;
  p.second = t.tm_sec > 59 ? 59 : t.tm_sec;  // leap second
  return p;
}

void SetFakeDateTime(const DateTimeParts& parts) {
  gFakeDate = parts;
  gFakeDateActive.store(true, std::memory_order_release);
}

void ClearFakeDateTime() { gFakeDateActive.store(false, std::memory_order_release); }

void UseFakeClock(bool on, int startMs) {
  gFakeNow.store(startMs, std::memory_order_relaxed);
  gFakeActive.store(on, std::memory_order_relaxed);
  if (!on) gFakeStepPerFlip.store(0, std::memory_order_relaxed);
}

bool FakeClockActive() { return gFakeActive.load(std::memory_order_relaxed); }

void AdvanceFakeClock(int ms) {
  if (ms > 0) gFakeNow.fetch_add(ms, std::memory_order_relaxed);
}

void SetFakeClockStepPerFlip(int ms) { gFakeStepPerFlip.store(ms > 0 ? ms : 0, std::memory_order_relaxed); }

void NotifyFramePresented() {
  if (gFakeActive.load(std::memory_order_relaxed)) AdvanceFakeClock(gFakeStepPerFlip.load(std::memory_order_relaxed));
}

}  // namespace platform
