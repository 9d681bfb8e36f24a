// Sound effects: every one synthesized from oscillators, noise and filters.

#include <cmath>
#include <functional>
#include <string>

#include "Generators.h"
#include "Instruments.h"
#include "Registry.h"
#include "Reverb.h"
#include "Rng.h"
#include "Synth.h"
#include "Voice.h"

namespace assetgen {

namespace {

using Curve = Synth::Curve;
const std::string S = "Data/sound/";

Sound finish(Sound s, double peak) {
    s.fadeIn(0.002);
    s.fadeOut(std::min(0.03, s.seconds() * 0.2));
    s.normalize(peak);
    return s;
}

double hz(double midi) { return Instruments::midiToHz(midi); }

Sound chimes(const std::vector<double>& midis, double gap, double noteLen, double seconds, double brightness) {
    Sound s(seconds);
    for (size_t i = 0; i < midis.size(); ++i) s.mix(Instruments::bell(hz(midis[i]), noteLen, brightness), i * gap, 1.0 / (1 + i * 0.15));
    return s;
}

Sound crack(Synth& syn, double seconds, double cutoff) {
    Sound s = syn.filteredNoise(seconds, Biquad::Type::LowPass, Synth::constant(cutoff), 0.9, Envelope{0.001, 0.04, 0, 0.01});
    Sound crackles(seconds);
    Rng& r = syn.rng();
    for (int k = 0; k < 6; ++k) {
        Sound c = syn.filteredNoise(0.012, Biquad::Type::BandPass, Synth::constant(r.range(1500, 4000)), 2, Envelope{0.0005, 0.004, 0, 0.002});
        crackles.mix(c, r.range(0.0, seconds * 0.5), r.range(0.4, 0.9));
    }
    s.mix(crackles, 0, 0.8);
    return s;
}

Sound rattle(Synth& syn, double seconds, int ticks, double spread, double decayBias) {
    Sound s(seconds);
    Rng& r = syn.rng();
    for (int k = 0; k < ticks; ++k) {
        const double t = std::pow(r.uniform(), decayBias) * spread;
        Sound tick = Instruments::bell(r.range(2600, 4800), 0.05, 0.6);
        tick.mix(syn.filteredNoise(0.01, Biquad::Type::HighPass, Synth::constant(3000), 0.7, Envelope{0.0005, 0.003, 0, 0.002}), 0, 0.5);
        s.mix(tick, t, r.range(0.4, 1.0) * (1 - t / (spread + 0.01) * 0.6));
    }
    return s;
}

Sound wind(Synth& syn, double seconds, const Curve& centre, const Curve& amp, double q) {
    Sound s(seconds);
    Biquad bp(Biquad::Type::BandPass, centre(0), q);
    Biquad bp2(Biquad::Type::BandPass, centre(0) * 1.5, q * 1.3);
    Rng& r = syn.rng();
    for (int i = 0; i < s.frameCount(); ++i) {
        const double t = static_cast<double>(i) / Sound::kRate;
        if (i % 32 == 0) {
            bp.set(Biquad::Type::BandPass, centre(t), q);
            bp2.set(Biquad::Type::BandPass, centre(t) * 1.5, q * 1.3);
        }
        const float n = static_cast<float>(r.uniform() * 2 - 1);
        s.at(i) = static_cast<float>((bp.process(n) + 0.5 * bp2.process(n)) * amp(t));
    }
    return s;
}

Sound tumblet(int c) {
    using Syl = Voice::Syllable;
    std::vector<Syl> v;
    switch (c) {
        case 1: v = {{0.0, 0.11, 520, 620, 'i'}, {0.13, 0.2, 700, 900, 'i'}}; break;               // yip-pee!
        case 2: v = {{0.0, 0.32, 480, 980, 'i'}}; break;                                            // wheee
        case 3: v = {{0.0, 0.1, 560, 600, 'u'}, {0.12, 0.22, 640, 820, 'e'}}; break;               // hoo-ray
        case 4: v = {{0.0, 0.24, 600, 860, 'e'}}; break;                                            // yay!
        case 5: v = {{0.0, 0.12, 440, 560, 'u'}, {0.16, 0.2, 620, 840, 'u'}}; break;               // woo-hoo
        case 6: v = {{0.0, 0.08, 760, 800, 'i'}, {0.11, 0.08, 780, 820, 'i'}, {0.22, 0.1, 800, 900, 'i'}}; break;  // hee-hee-hee
        default: v = {{0.0, 0.3, 560, 760, 'o'}}; break;                                            // ooh!
    }
    return finish(Voice::sing(v, 0.42, 700 + c), 0.7);
}

}  // namespace

void registerSoundAssets(Registry& r) {
    auto add = [&](const std::string& path, std::function<Sound(Synth&)> make) {
        r.sound(path, [path, make](const Asset&) {
            Synth syn(Rng::hash(path));
            return make(syn);
        });
    };
    add(S + "buttonclick.wav", [](Synth& syn) {
        Sound s = syn.filteredNoise(0.12, Biquad::Type::BandPass, Synth::constant(2400), 2.5, Envelope{0.0005, 0.008, 0, 0.005});
        s.mix(syn.tone(0.12, Synth::glide(240, 160, 0.03), Wave::Sine, Envelope{0.001, 0.02, 0, 0.01}), 0, 0.8);
        return finish(s, 0.75);
    });
    add(S + "click.wav", [](Synth& syn) {
        Sound s = Instruments::bell(2100, 0.15, 0.4);
        s.mix(syn.filteredNoise(0.01, Biquad::Type::HighPass, Synth::constant(4000), 0.7, Envelope{0.0005, 0.003, 0, 0.002}), 0, 0.4);
        return finish(s, 0.6);
    });
    add(S + "clickrev.wav", [](Synth&) {
        Sound b = Instruments::bell(1500, 0.15, 0.4);
        Sound s(0.15);
        for (int i = 0; i < s.frameCount(); ++i) s.at(i) = b.at(b.frameCount() - 1 - i);  // swells up instead of dying away
        return finish(s, 0.55);
    });
    add(S + "invalid.wav", [](Synth& syn) {
        Sound s(0.26);
        for (int k = 0; k < 2; ++k) {
            Sound b = syn.tone(0.1, Synth::constant(110), Wave::Square, Envelope{0.004, 0.2, 0.8, 0.02});
            b.mix(syn.tone(0.1, Synth::constant(116.5), Wave::Square, Envelope{0.004, 0.2, 0.8, 0.02}), 0, 0.8);
            Biquad lp(Biquad::Type::LowPass, 700, 0.7);
            for (int i = 0; i < b.frameCount(); ++i) b.at(i) = lp.process(b.at(i));
            s.mix(b, k * 0.13);
        }
        return finish(s, 0.38);
    });
    add(S + "swap.wav", [](Synth& syn) {
        Sound s = wind(syn, 0.24, Synth::glide(700, 3200, 0.2, 0.8),
                       [](double t) { return std::sin(std::min(1.0, t / 0.22) * 3.14159); }, 1.2);
        return finish(s, 0.55);
    });
    add(S + "failed.wav", [](Synth& syn) {
        Sound s = syn.tone(0.3, Synth::glide(240, 150, 0.25), Wave::Sine, Envelope{0.002, 0.09, 0, 0.02});
        s.mix(syn.tone(0.3, Synth::glide(620, 420, 0.2), Wave::Sine, Envelope{0.001, 0.04, 0, 0.02}), 0, 0.35);
        s.mix(syn.filteredNoise(0.05, Biquad::Type::BandPass, Synth::constant(900), 2, Envelope{0.001, 0.015, 0, 0.01}), 0, 0.4);
        return finish(s, 0.65);
    });
    add(S + "matchbrick.wav", [](Synth& syn) {
        Sound s = chimes({88, 95}, 0.03, 0.42, 0.45, 0.7);
        s.mix(crack(syn, 0.25, 1400), 0, 0.9);
        return finish(s, 0.75);
    });
    add(S + "matchnobrick.wav", [](Synth&) { return finish(chimes({91, 96, 100}, 0.025, 0.4, 0.45, 0.8), 0.7); });
    add(S + "lockedclick.wav", [](Synth& syn) { return finish(rattle(syn, 0.3, 9, 0.18, 1.3), 0.6); });
    add(S + "unlock.wav", [](Synth& syn) {
        Sound s(0.45);
        s.mix(syn.filteredNoise(0.02, Biquad::Type::HighPass, Synth::constant(2500), 0.8, Envelope{0.0005, 0.006, 0, 0.004}), 0, 1.0);
        s.mix(Instruments::bell(2800, 0.25, 0.5), 0.005, 0.6);
        s.mix(rattle(syn, 0.4, 10, 0.3, 0.7), 0.08, 0.7);
        return finish(s, 0.7);
    });
    add(S + "land.wav", [](Synth& syn) {
        Sound s = syn.filteredNoise(0.12, Biquad::Type::BandPass, Synth::constant(1300), 2, Envelope{0.001, 0.012, 0, 0.01});
        s.mix(syn.tone(0.12, Synth::glide(330, 260, 0.05), Wave::Sine, Envelope{0.001, 0.025, 0, 0.01}), 0, 0.6);
        return finish(s, 0.5);
    });
    add(S + "hint.wav", [](Synth&) { return finish(chimes({84, 88, 91}, 0.09, 0.3, 0.45, 0.4), 0.55); });
    add(S + "levelstart.wav", [](Synth&) {
        Sound s(1.5);
        const double notes[] = {72, 76, 79, 84};
        const double times[] = {0.0, 0.14, 0.28, 0.46};
        const double lens[] = {0.13, 0.13, 0.16, 0.8};
        for (int i = 0; i < 4; ++i) {
            s.mix(Instruments::brass(hz(notes[i]), lens[i]), times[i], 0.7);
            s.mix(Instruments::brass(hz(notes[i] - 12), lens[i]), times[i], 0.35);
        }
        s.mix(chimes({96, 100, 103}, 0.05, 0.6, 0.9, 0.6), 0.5, 0.35);
        Reverb(0.5, 0.4, 0.25).process(s, false);
        return finish(s, 0.8);
    });
    add(S + "levelend.wav", [](Synth&) {
        Sound s(2.5);
        const double mel[] = {72, 76, 79, 84, 83, 84, 88};
        const double t[] = {0.0, 0.12, 0.24, 0.36, 0.6, 0.72, 0.96};
        for (int i = 0; i < 7; ++i) s.mix(Instruments::bell(hz(mel[i]), 1.2, 0.7), t[i], 0.8);
        for (double m : {60.0, 64.0, 67.0, 72.0}) s.mix(Instruments::pad(hz(m), 1.5, 0.05, 0.6, 0.6), 0.96, 0.25);
        for (double m : {72.0, 76.0, 79.0}) s.mix(Instruments::brass(hz(m), 0.9), 0.96, 0.25);
        Reverb(0.6, 0.4, 0.3).process(s, false);
        return finish(s, 0.8);
    });
    add(S + "alarm.wav", [](Synth& syn) {
        Sound s(1.0);
        for (int k = 0; k < 4; ++k) {
            Sound b = syn.tone(0.2, Synth::constant(k % 2 ? 560 : 660), Wave::Triangle, Envelope{0.01, 0.5, 0.7, 0.04});
            s.mix(b, k * 0.25, 0.9);
        }
        return finish(s, 0.42);
    });
    add(S + "echopop.wav", [](Synth& syn) {
        Sound pop(0.3);
        pop.mix(syn.tone(0.3, Synth::glide(180, 45, 0.2, 0.6), Wave::Sine, Envelope{0.001, 0.12, 0, 0.02}), 0, 1.0);
        pop.mix(syn.filteredNoise(0.15, Biquad::Type::LowPass, Synth::glide(3000, 400, 0.12), 0.8, Envelope{0.001, 0.04, 0, 0.02}), 0, 0.7);
        Sound s(1.1);
        for (int k = 0; k < 4; ++k) s.mix(pop, k * 0.19, std::pow(0.45, k));
        Reverb(0.85, 0.3, 0.4).process(s, false);
        return finish(s, 0.8);
    });
    add(S + "tornadomap.wav", [](Synth& syn) {
        Sound s = wind(syn, 0.5, [](double t) { return 500 + 1500 * std::sin(std::min(1.0, t / 0.5) * 3.14159); },
                       [](double t) { return std::sin(std::min(1.0, t / 0.5) * 3.14159); }, 1.4);
        return finish(s, 0.6);
    });
    add(S + "scroll.wav", [](Synth& syn) {
        Sound s(0.72);
        Rng& r = syn.rng();
        for (int k = 0; k < 70; ++k) {
            const double t = r.range(0.0, 0.62);
            s.mix(syn.filteredNoise(r.range(0.01, 0.04), Biquad::Type::BandPass, Synth::constant(r.range(2000, 6000)), 1.2,
                                    Envelope{0.002, 0.01, 0, 0.005}),
                  t, r.range(0.2, 0.8) * std::sin((t + 0.05) / 0.72 * 3.14159));
        }
        s.mix(syn.filteredNoise(0.7, Biquad::Type::HighPass, Synth::constant(1500), 0.7, Envelope{0.1, 1, 1, 0.25}), 0, 0.15);
        return finish(s, 0.55);
    });
    add(S + "lion.wav", [](Synth& syn) {
        Sound s(1.1);
        Biquad formant(Biquad::Type::BandPass, 500, 1.5), lp(Biquad::Type::LowPass, 1800, 0.7);
        Rng& r = syn.rng();
        double phase = 0;
        for (int i = 0; i < s.frameCount(); ++i) {
            const double t = static_cast<double>(i) / Sound::kRate;
            const double f0 = 95 + 40 * std::sin(std::min(1.0, t / 0.9) * 3.14159) - 20 * t;
            phase += f0 * (1 + 0.08 * std::sin(t * 2 * 3.14159 * 31)) / Sound::kRate;
            if (i % 64 == 0) formant.set(Biquad::Type::BandPass, 380 + 500 * std::sin(std::min(1.0, t / 0.8) * 3.14159), 1.4);
            const double growl = Synth::oscillator(Wave::Saw, phase) * (0.75 + 0.25 * std::sin(t * 2 * 3.14159 * 27)) +
                                 (r.uniform() * 2 - 1) * 0.35;
            const double env = std::min(1.0, t / 0.08) * std::max(0.0, 1 - std::pow(t / 1.05, 3));
            s.at(i) = static_cast<float>(lp.process(static_cast<float>(formant.process(static_cast<float>(growl)) * 2 + growl * 0.3)) * env);
        }
        s.mix(syn.filteredNoise(0.5, Biquad::Type::LowPass, Synth::glide(2500, 200, 0.4), 0.7, Envelope{0.002, 0.15, 0, 0.05}), 0, 0.5);
        s.mix(syn.tone(0.5, Synth::glide(120, 40, 0.4), Wave::Sine, Envelope{0.002, 0.2, 0, 0.05}), 0, 0.6);
        return finish(s, 0.85);
    });
    add(S + "star.wav", [](Synth& syn) {
        Sound s = syn.fm(0.45, Synth::glide(700, 2600, 0.3, 0.7), 2.0, Synth::glide(3, 0.5, 0.4), Envelope{0.005, 0.15, 0, 0.05});
        s.mix(chimes({96, 100, 103, 108}, 0.05, 0.25, 0.45, 0.6), 0.08, 0.5);
        return finish(s, 0.7);
    });
    add(S + "axebrick.wav", [](Synth& syn) {
        Sound s(0.4);
        s.mix(syn.filteredNoise(0.03, Biquad::Type::HighPass, Synth::constant(2000), 0.7, Envelope{0.0005, 0.01, 0, 0.005}), 0, 1.0);
        s.mix(crack(syn, 0.35, 1100), 0.005, 1.0);
        s.mix(Instruments::bell(3100, 0.2, 0.4), 0.002, 0.3);
        return finish(s, 0.8);
    });
    add(S + "axenobrick.wav", [](Synth& syn) {
        Sound s = syn.tone(0.35, Synth::glide(190, 120, 0.1), Wave::Sine, Envelope{0.001, 0.06, 0, 0.02});
        s.mix(syn.filteredNoise(0.08, Biquad::Type::BandPass, Synth::constant(800), 1.5, Envelope{0.001, 0.02, 0, 0.01}), 0, 0.8);
        s.mix(syn.filteredNoise(0.02, Biquad::Type::HighPass, Synth::constant(2500), 0.7, Envelope{0.0005, 0.005, 0, 0.003}), 0, 0.5);
        return finish(s, 0.75);
    });
    add(S + "paintpot.wav", [](Synth& syn) {
        Sound s = syn.filteredNoise(0.4, Biquad::Type::LowPass, Synth::glide(4000, 600, 0.3), 0.9, Envelope{0.003, 0.08, 0, 0.05});
        Rng& r = syn.rng();
        for (int k = 0; k < 8; ++k) {
            const double f = r.range(300, 700);
            s.mix(syn.tone(0.05, Synth::glide(f, f * 1.8, 0.05), Wave::Sine, Envelope{0.002, 0.02, 0, 0.01}), r.range(0.03, 0.3), 0.35);
        }
        return finish(s, 0.7);
    });
    add(S + "horn.wav", [](Synth& syn) {
        Sound s(1.05);
        s.mix(Instruments::brass(hz(58), 0.55), 0, 0.7);
        s.mix(Instruments::brass(hz(65), 0.55), 0, 0.5);
        s.mix(Instruments::brass(hz(70), 0.5), 0.05, 0.4);
        s.mix(wind(syn, 0.7, Synth::glide(400, 2400, 0.6, 0.8),
                   [](double t) { return std::sin(std::min(1.0, t / 0.7) * 3.14159) * (1 + 0.3 * std::sin(t * 60)); }, 0.9),
              0.3, 0.9);
        return finish(s, 0.8);
    });
    add(S + "tornado.wav", [](Synth& syn) {
        Sound s = wind(syn, 1.0, [](double t) { return 600 + 500 * std::sin(t * 2 * 3.14159 * 4.5) + 700 * t; },
                       [](double t) { return std::min(1.0, t / 0.2) * std::min(1.0, (1.0 - t) / 0.35); }, 1.6);
        return finish(s, 0.7);
    });
    for (int c = 1; c <= 7; ++c) r.sound(S + "tumblet" + std::to_string(c) + ".wav", [c](const Asset&) { return tumblet(c); });
    add(S + "gaugefull1.wav", [](Synth&) {
        Sound s = chimes({79, 83, 86, 91, 95, 98, 103}, 0.07, 0.5, 1.0, 0.6);
        Reverb(0.6, 0.4, 0.3).process(s, false);
        return finish(s, 0.7);
    });
    add(S + "gaugeempty.wav", [](Synth& syn) {
        Sound s = wind(syn, 0.5, Synth::glide(3000, 350, 0.45, 0.6), [](double t) { return std::sin(std::min(1.0, t / 0.5) * 3.14159); }, 1.3);
        s.mix(syn.tone(0.45, Synth::glide(900, 300, 0.4), Wave::Sine, Envelope{0.01, 0.3, 0.3, 0.1}), 0, 0.25);
        return finish(s, 0.6);
    });
    add(S + "buttonMO.wav", [](Synth&) { return finish(Instruments::bell(3000, 0.07, 0.2), 0.3); });

    add("Data/tallowbysound.wav", [](Synth&) {
        Sound s(2.0);
        const double mel[] = {67, 72, 76, 79};
        for (int i = 0; i < 4; ++i) s.mix(Instruments::bell(hz(mel[i]), 1.4, 0.5), i * 0.16, 0.7);
        for (double m : {48.0, 55.0, 64.0}) s.mix(Instruments::pad(hz(m), 1.8, 0.2, 0.8, 0.5), 0.0, 0.3);
        Reverb(0.6, 0.5, 0.3).process(s, false);
        return finish(s, 0.7);
    });
    r.sound("Data/SplashSound.wav", [](const Asset&) {
        // A shimmer whose every partial completes whole cycles in the loop, plus
        // twinkles mixed round the end: the loop point is inaudible.
        const double len = 3.0;
        Sound s(len);
        Rng rng("splashsound");
        const double base[] = {523.0 + 1.0 / 3, 659.0 + 1.0 / 3, 784.0, 1046.0 + 2.0 / 3, 1318.0 + 2.0 / 3, 1568.0};
        for (int k = 0; k < 6; ++k) {
            const double f = base[k], lfo = (k % 3 + 1) / len, ph = rng.uniform() * 6.283;
            for (int i = 0; i < s.frameCount(); ++i) {
                const double t = static_cast<double>(i) / Sound::kRate;
                s.at(i) += static_cast<float>(0.12 * std::sin(6.283185307 * f * t) * (0.6 + 0.4 * std::sin(6.283185307 * lfo * t + ph)));
            }
        }
        for (int k = 0; k < 10; ++k)
            s.mixWrapped(Instruments::bell(hz(rng.irange(84, 100)), 0.9, 0.4), rng.range(0, len), 0.18);
        s.normalize(0.6);
        return s;
    });
}

}  // namespace assetgen
