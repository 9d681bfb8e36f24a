#pragma once
// Free functions that go with the counters.

// 0.5 + sin((r - 0.5) x 180 deg) / 2: an S-shaped easing, 0 -> 0, 0.5 -> 0.5, 1 -> 1.
float ccRatioToSine180(float r);
// Clamps n to 0 .. 100 in place. Returns 0.
int ccRangeCheck100(int& n);
// Whole ticks in that many seconds.
int ccSecondsToGameUnits(int seconds);
