// The nine music tracks, each a seamless loop with its own mood.

#include <string>

#include "Composer.h"
#include "Generators.h"
#include "Registry.h"
#include "TrackRecipe.h"

namespace assetgen {

namespace {

TrackRecipe track(const std::string& name, uint64_t seed) {
    TrackRecipe t;
    t.name = name;
    t.seed = seed;
    t.mode = TrackRecipe::major();
    return t;
}

}  // namespace

void registerMusicAssets(Registry& r) {
    std::vector<TrackRecipe> specs;
    {   // Title and map: the warm, calm theme of the Vale.
        TrackRecipe t = track("title", 11);
        t.bpm = 72; t.tonic = 62; t.progression = {1, 6, 4, 5}; t.bars = 24; t.form = "AAB-AB";
        t.lead = TrackRecipe::Lead::Bell; t.leadLevel = 0.55; t.padLevel = 0.4; t.arpLevel = 0.35; t.bassLevel = 0.4;
        t.density = 0.45; t.reverb = 0.45; t.arpRate = 2;
        specs.push_back(t);
    }
    {
        TrackRecipe t = track("level1", 21);
        t.bpm = 96; t.tonic = 67; t.progression = {1, 4, 6, 5}; t.bars = 28; t.form = "AABA-AB";
        t.lead = TrackRecipe::Lead::Flute; t.leadLevel = 0.5; t.padLevel = 0.25; t.arpLevel = 0.4; t.drumLevel = 0.5;
        t.density = 0.6; t.reverb = 0.3;
        specs.push_back(t);
    }
    {
        TrackRecipe t = track("level2", 31);
        t.bpm = 88; t.tonic = 57; t.mode = TrackRecipe::dorian(); t.progression = {1, 4, 1, 7}; t.bars = 24; t.form = "AAB-AB";
        t.lead = TrackRecipe::Lead::Marimba; t.leadLevel = 0.6; t.padLevel = 0.3; t.arpLevel = 0.3; t.drumLevel = 0.4;
        t.density = 0.75; t.reverb = 0.3;
        specs.push_back(t);
    }
    {
        TrackRecipe t = track("level3", 41);
        t.bpm = 104; t.tonic = 65; t.mode = TrackRecipe::lydian(); t.progression = {1, 5, 6, 3, 4, 1, 4, 5}; t.bars = 32;
        t.form = "AABA-ABA"; t.lead = TrackRecipe::Lead::Bell; t.leadLevel = 0.5; t.padLevel = 0.25; t.arpLevel = 0.35;
        t.drumLevel = 0.45; t.density = 0.7; t.reverb = 0.3; t.arpBell = true;
        specs.push_back(t);
    }
    {
        TrackRecipe t = track("level4", 51);
        t.bpm = 80; t.tonic = 64; t.mode = TrackRecipe::minor(); t.progression = {1, 6, 3, 7}; t.bars = 20; t.form = "AB-AB";
        t.lead = TrackRecipe::Lead::Flute; t.leadLevel = 0.5; t.padLevel = 0.4; t.arpLevel = 0.45; t.drumLevel = 0.3;
        t.density = 0.5; t.reverb = 0.45;
        specs.push_back(t);
    }
    {
        TrackRecipe t = track("level5", 61);
        t.bpm = 92; t.tonic = 60; t.mode = TrackRecipe::mixolydian(); t.progression = {1, 7, 4, 1}; t.bars = 24; t.form = "AABA-B";
        t.lead = TrackRecipe::Lead::Harp; t.leadLevel = 0.6; t.padLevel = 0.25; t.arpLevel = 0.3; t.drumLevel = 0.5;
        t.density = 0.8; t.reverb = 0.3;
        specs.push_back(t);
    }
    {   // Level complete: short and triumphant.
        TrackRecipe t = track("levelend", 71);
        t.bpm = 112; t.tonic = 60; t.progression = {1, 4, 5, 1}; t.bars = 20; t.form = "AABAB";
        t.lead = TrackRecipe::Lead::Brass; t.leadLevel = 0.45; t.padLevel = 0.3; t.arpLevel = 0.35; t.drumLevel = 0.45;
        t.density = 0.7; t.reverb = 0.35; t.arpBell = true;
        specs.push_back(t);
    }
    {   // The whole journey done: a gentle finale.
        TrackRecipe t = track("gamefinished", 81);
        t.bpm = 76; t.tonic = 63; t.progression = {1, 5, 6, 4, 1, 4, 5, 1}; t.bars = 16; t.form = "AB-AB";
        t.lead = TrackRecipe::Lead::Bell; t.leadLevel = 0.55; t.padLevel = 0.45; t.arpLevel = 0.35; t.bassLevel = 0.4;
        t.density = 0.45; t.reverb = 0.5;
        specs.push_back(t);
    }
    {   // Game over: sombre and slow.
        TrackRecipe t = track("gameover", 91);
        t.bpm = 66; t.tonic = 62; t.mode = TrackRecipe::minor(); t.progression = {1, 6, 4, 5}; t.bars = 12; t.form = "A-B";
        t.lead = TrackRecipe::Lead::Flute; t.leadLevel = 0.45; t.padLevel = 0.5; t.arpLevel = 0.25; t.bassLevel = 0.35;
        t.density = 0.3; t.reverb = 0.55; t.arpRate = 1;
        specs.push_back(t);
    }
    for (const TrackRecipe& t : specs)
        r.sound("Data/music/" + t.name + ".ogg", [t](const Asset&) { return Composer::render(t); });
}

}  // namespace assetgen
