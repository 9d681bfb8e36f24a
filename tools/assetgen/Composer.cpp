#include "Composer.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Instruments.h"
#include "Reverb.h"
#include "Rng.h"

namespace assetgen {

namespace {

struct Note {
    double beat;      // start, in beats from the loop start
    double length;    // in beats
    double midi;
};

class Arrangement {
public:
    explicit Arrangement(const TrackRecipe& s) : recipe_(s) {}

    // MIDI note of scale step n (0 = tonic of octave 4).
    double pitch(int n) const {
        const int oct = static_cast<int>(std::floor(n / 7.0));
        const int deg = n - oct * 7;
        return recipe_.tonic + 12 * oct + recipe_.mode[static_cast<size_t>(deg)];
    }
    int chordRoot(int bar) const {
        return recipe_.progression[static_cast<size_t>(bar) % recipe_.progression.size()] - 1;
    }
    bool inChord(int step, int bar) const {
        const int rel = ((step - chordRoot(bar)) % 7 + 7) % 7;
        return rel == 0 || rel == 2 || rel == 4;
    }
    int nearestChordTone(int from, int bar, Rng& r) const {
        for (int d = 0; d < 7; ++d) {
            const bool upFirst = r.chance(0.5);
            for (int sgn : {upFirst ? 1 : -1, upFirst ? -1 : 1})
                if (inChord(from + sgn * d, bar)) return from + sgn * d;
        }
        return from;
    }

    // A two-bar melodic phrase; the same letter with the same seed gives the same rhythm and contour.
    void phrase(std::vector<Note>& out, int firstBar, char letter, int variant) {
        Rng r(recipe_.seed * 31 + static_cast<uint64_t>(letter) * 977 + static_cast<uint64_t>(variant == 2 ? 1 : 0));
        const int bpb = recipe_.beatsPerBar;
        const double total = 2.0 * bpb;
        double beat = 0;
        int step = 9 + r.irange(-2, 2);
        while (beat < total - 0.01) {
            const bool strong = std::fmod(beat, 2.0) < 0.01;
            double len;
            const double roll = r.uniform();
            if (recipe_.density > 0.7) len = roll < 0.55 ? 0.5 : (roll < 0.85 ? 1.0 : 1.5);
            else if (recipe_.density > 0.4) len = roll < 0.3 ? 0.5 : (roll < 0.75 ? 1.0 : 2.0);
            else len = roll < 0.5 ? 1.0 : (roll < 0.8 ? 2.0 : 3.0);
            if (beat + len > total - 0.01 || beat >= total - bpb / 2.0) len = total - beat;  // phrase ends on a long note
            const int bar = firstBar + static_cast<int>(beat / bpb);
            if (strong || len >= 1.5) {
                step = nearestChordTone(step + r.irange(-2, 2), bar, r);
            } else {
                step += r.chance(0.5) ? 1 : -1;
                if (r.chance(0.2)) step += r.chance(0.5) ? 2 : -2;
            }
            step = std::clamp(step, 5, 15);
            if (beat + len >= total - 0.01 && variant == 2) step = nearestChordTone(7, bar, r);  // close on the tonic
            const bool rest = !strong && r.chance(0.12);
            if (!rest) out.push_back({firstBar * bpb + beat, len * 0.95, pitch(step)});
            beat += len;
        }
    }

    std::vector<Note> melody() {
        std::vector<Note> notes;
        for (int bar = 0; bar + 1 < recipe_.bars; bar += 2) {
            const char letter = recipe_.form[static_cast<size_t>(bar / 4) % recipe_.form.size()];
            if (letter == '-') continue;
            const int half = (bar / 2) % 2;            // first or answering half of the four bars
            const bool last = bar + 2 >= recipe_.bars;
            phrase(notes, bar, static_cast<char>(letter + half * 8), last ? 2 : half);
        }
        return notes;
    }

private:
    const TrackRecipe& recipe_;
};

Sound leadNote(const TrackRecipe& s, double hz, double seconds, uint64_t seed) {
    switch (s.lead) {
        case TrackRecipe::Lead::Bell: return Instruments::bell(hz, std::max(1.2, seconds * 1.6), 0.8);
        case TrackRecipe::Lead::Flute: return Instruments::flute(hz, seconds + 0.1, 1.0, seed);
        case TrackRecipe::Lead::Harp: return Instruments::harp(hz, std::max(1.0, seconds * 1.5), seed);
        case TrackRecipe::Lead::Marimba: return Instruments::marimba(hz, std::max(0.6, seconds));
        case TrackRecipe::Lead::Brass: return Instruments::brass(hz, seconds + 0.05);
    }
    return Instruments::bell(hz, seconds, 0.8);
}

}  // namespace

double Composer::lengthSeconds(const TrackRecipe& recipe) {
    return recipe.bars * recipe.beatsPerBar * 60.0 / recipe.bpm;
}

Sound Composer::render(const TrackRecipe& recipe) {
    const double beatSec = 60.0 / recipe.bpm;
    const int frames = static_cast<int>(std::lround(lengthSeconds(recipe) * Sound::kRate));
    Sound mix = Sound::frames(frames, 2);
    Arrangement arrangement(recipe);
    Rng human(recipe.seed ^ 0xABCDEF);
    auto at = [&](double beat) { return beat * beatSec + human.range(-0.004, 0.004); };
    const int bpb = recipe.beatsPerBar;

    for (int bar = 0; bar < recipe.bars; ++bar) {
        const int root = arrangement.chordRoot(bar);
        const double barStart = bar * bpb;
        // Pad: the chord held across the bar, overlapping into the next.
        if (recipe.padLevel > 0) {
            const int tones[3] = {root, root + 2, root + 4};
            for (int k = 0; k < 3; ++k) {
                const double hz = Instruments::midiToHz(arrangement.pitch(tones[k]) - (tones[k] > 4 ? 12 : 0));
                mix.mixWrapped(Instruments::pad(hz, bpb * beatSec + 0.8, 0.35, 0.8, 0.5), barStart * beatSec,
                               recipe.padLevel * 0.3, (k - 1) * 0.4);
            }
        }
        // Bass.
        if (recipe.bassLevel > 0) {
            const double rootHz = Instruments::midiToHz(arrangement.pitch(root) - 24);
            if (recipe.drumLevel > 0) {
                mix.mixWrapped(Instruments::bass(rootHz, beatSec * 1.9), at(barStart), recipe.bassLevel * 0.6, 0);
                mix.mixWrapped(Instruments::bass(Instruments::midiToHz(arrangement.pitch(root + 4) - 24), beatSec * 1.9),
                               at(barStart + bpb / 2.0), recipe.bassLevel * 0.5, 0);
            } else {
                mix.mixWrapped(Instruments::bass(rootHz, beatSec * bpb), at(barStart), recipe.bassLevel * 0.6, 0);
            }
        }
        // Arpeggio over the chord.
        if (recipe.arpLevel > 0 && recipe.arpRate > 0) {
            const int pattern[8] = {0, 2, 4, 7, 4, 2, 4, 7};
            const int count = static_cast<int>(bpb * recipe.arpRate);
            for (int i = 0; i < count; ++i) {
                const int step = root + pattern[i % 8];
                const double hz = Instruments::midiToHz(arrangement.pitch(step) - (recipe.arpBell ? 0 : 12));
                const double accent = (i % static_cast<int>(recipe.arpRate) == 0) ? 1.0 : 0.7;
                const double len = beatSec * 2.2;
                Sound note = recipe.arpBell ? Instruments::bell(hz, len, 0.4)
                                          : Instruments::harp(hz, len, recipe.seed + static_cast<uint64_t>(bar * 16 + i));
                mix.mixWrapped(note, at(barStart + i / recipe.arpRate), recipe.arpLevel * 0.35 * accent * human.range(0.85, 1.0),
                               std::sin(i * 0.9) * 0.5);
            }
        }
        // Soft percussion.
        if (recipe.drumLevel > 0) {
            for (int b = 0; b < bpb; ++b) {
                if (b % 2 == 0) mix.mixWrapped(Instruments::kick(0.3), at(barStart + b), recipe.drumLevel * 0.55, 0);
                for (int h = 0; h < 2; ++h)
                    mix.mixWrapped(Instruments::shaker(0.08, recipe.seed + static_cast<uint64_t>(bar * 8 + b * 2 + h)),
                                   at(barStart + b + h * 0.5), recipe.drumLevel * (h ? 0.12 : 0.2), 0.3);
                if (b == bpb - 1 && bar % 2 == 1)
                    mix.mixWrapped(Instruments::rim(0.1, recipe.seed + static_cast<uint64_t>(bar)), at(barStart + b), recipe.drumLevel * 0.25, -0.2);
            }
        }
    }
    // Melody.
    if (recipe.leadLevel > 0) {
        int i = 0;
        for (const Note& n : arrangement.melody()) {
            const double hz = Instruments::midiToHz(n.midi);
            mix.mixWrapped(leadNote(recipe, hz, n.length * beatSec, recipe.seed + static_cast<uint64_t>(i++)), at(n.beat),
                           recipe.leadLevel * 0.45 * human.range(0.85, 1.0), 0.1);
        }
    }
    Reverb(0.8, 0.35, recipe.reverb).process(mix, true);
    mix.normalize(0.85);
    mix.softClip(1.1);
    mix.normalize(0.82);
    return mix;
}

}  // namespace assetgen
