#pragma once
// The blocking start-up splashes. All block until done.
#include "platform/String.h"

// One splash of any picture and sound. Returns 0 (a skip is not reported).
int ShowSplash(const String& image, const String& sample, int sound, int fadeSound, int inMs,
               int fullMs, int outMs);
// "splash1", "splash2", ... (".png" preferred over ".jpg", names case-sensitive) of
// DataPrefix + "data/" + folder, until a number is missing. A folder that cannot be listed is
// fatal. Returns 0.
int ShowSplashSequence(const String& folder, int inMs, int fullMs, int outMs);
// The maker's logo and its looping sound (silent when sound is 0). Returns 0.
int QuillfernSplash(int sound, int background);
// A distributor's logo "data/portallogo[number]" (.png, else .jpg); 1 when one was shown.
int PortalSplash(int inMs, int fullMs, int outMs, int number, int quiet);

// The start-up sequence, after the display opens and before the data loads: the branding
// pictures, then, with screen fades on, the co-publisher's and the maker's splashes.
// Returns 0.
int ShowStartupSplashes();
