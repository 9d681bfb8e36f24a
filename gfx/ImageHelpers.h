#pragma once
// Image and pixmap helpers.

// The smallest power of two that is at least n (1 for n <= 1); capped at 2^30.
int ccPow2Size(int n);
