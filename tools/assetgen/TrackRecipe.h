#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// Everything that makes one music track its own: key, mode, tempo, chords,
// form and the voices that play.
struct TrackRecipe {
    enum class Lead { Bell, Flute, Harp, Marimba, Brass };

    std::string name;
    uint64_t seed = 1;
    double bpm = 90;
    int beatsPerBar = 4;
    int tonic = 62;                  // MIDI note of the key's tonic (octave 4)
    std::vector<int> mode;           // seven intervals from the tonic
    std::vector<int> progression;    // scale degree (1..7) of each bar's chord, repeated
    int bars = 24;
    std::string form = "AABA";       // one letter per four bars; '-' leaves the melody out
    Lead lead = Lead::Bell;
    double leadLevel = 0.5, padLevel = 0.3, bassLevel = 0.4, arpLevel = 0.3, drumLevel = 0.0;
    double density = 0.5;            // melody notes per beat, roughly
    double reverb = 0.3;
    double arpRate = 2;              // arp notes per beat (0 = none)
    bool arpBell = false;            // arp on bells instead of harp

    static std::vector<int> major() { return {0, 2, 4, 5, 7, 9, 11}; }
    static std::vector<int> minor() { return {0, 2, 3, 5, 7, 8, 10}; }
    static std::vector<int> dorian() { return {0, 2, 3, 5, 7, 9, 10}; }
    static std::vector<int> mixolydian() { return {0, 2, 4, 5, 7, 9, 10}; }
    static std::vector<int> lydian() { return {0, 2, 4, 6, 7, 9, 11}; }
};

}  // namespace assetgen
