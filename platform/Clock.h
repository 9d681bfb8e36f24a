#pragma once
// Millisecond clock, dates and the random generator.
#include <cstdint>

#include "platform/String.h"

namespace platform {

// Milliseconds since the runtime started (monotonic). A fake clock replaces it in tests.
int MilliSecs();
// Sleeps; with the fake clock, advances it instead.
void Delay(int ms);

// "DD Mon YYYY" with English month names whatever the locale, and "HH:MM:SS"; local time.
String CurrentDate();
String CurrentTime();
// Local date and time as numbers (year, 1..12, 1..31, 0..23, 0..59, 0..59).
struct DateTimeParts {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
DateTimeParts CurrentDateTimeParts();

// --- Test seam: a hand-driven clock. ---
void UseFakeClock(bool on, int startMs = 0);
bool FakeClockActive();
void AdvanceFakeClock(int ms);
// With a fake clock, every presented frame (Flip) advances the clock by this much (0: never).
void SetFakeClockStepPerFlip(int ms);
// Called by Flip.
void NotifyFramePresented();

// --- Test seam: a fixed local date and time for CurrentDate, CurrentTime and
// CurrentDateTimeParts, until cleared. ---
void SetFakeDateTime(const DateTimeParts& parts);
void ClearFakeDateTime();

// --- Random numbers: one seedable generator with a fixed algorithm, the same on every machine. ---
void SeedRnd(int seed);
int RndSeed();
// Integer in [min, max]; inverted bounds are swapped.
int Rand(int min, int max);
// One-argument form: [1, max] (as the runtime's Rand(max)).
int Rand(int max);
// Float in [min, max).
double Rnd(double min = 0.0, double max = 1.0);

// --- Test seam: scripted random numbers. ---
// Queues value for the next Rand (or Rnd) call with exactly this range; calls with other
// ranges go on to the generator. False (nothing queued) when the value lies outside its range.
bool PushRand(int min, int max, int value);
bool PushRnd(double min, double max, double value);
// Drops every queued value; returns how many were never used.
int ClearScriptedRandom();
// Rand and Rnd calls since the start (scripted ones included).
long RandomCallCount();

}  // namespace platform
