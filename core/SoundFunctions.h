#pragma once
// Small sound helpers: stopping a runtime channel, screen position to pan, and musical
// intervals as playback-rate factors.
#include "platform/Audio.h"

// Stops the channel unless it is empty. Returns 0.
int ccStopChannel(const platform::ChannelPtr& channel);
// (x - half the screen width in whole pixels) / the screen width: -0.5 at the left edge.
float ccCalcPan(float x);
// 2^(n/12): the rate factor that raises a sound by n semitones.
float ccGetMusicalNote(int n);
// The rate factor of the n-th note of the C major scale counted from 0 (0..14 span two
// octaves); a negative n is taken as semitones, n above 14 as n + 10 semitones.
float ccGetMusicalNoteInScaleC(int n);
