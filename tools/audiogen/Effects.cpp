// The sound effects, each a short recipe of oscillators, noise and filters. Every effect is
// scaled to its own peak level: the frequent ones (shots, hits, grazes) sit well below the
// music so constant fire does not bury it; explosions and warnings stand out.

#include <ebur128.h>

#include "AudioGen.h"

namespace audiogen {

namespace {

using Samples = std::vector<double>;

Samples blank(double seconds) {
    return Samples(static_cast<size_t>(seconds * kRate), 0.0);
}
double timeAt(size_t i) {
    return static_cast<double>(i) / kRate;
}

// Short fades at both ends so no effect starts or stops with a click.
void fadeEnds(Samples& s) {
    const size_t in = static_cast<size_t>(0.0015 * kRate), out = static_cast<size_t>(0.01 * kRate);
    for (size_t i = 0; i < in && i < s.size(); ++i) {
        s[i] *= static_cast<double>(i) / static_cast<double>(in);
    }
    for (size_t i = 0; i < out && i < s.size(); ++i) {
        s[s.size() - 1 - i] *= static_cast<double>(i) / static_cast<double>(out);
    }
}

void scaleToPeak(Samples& s, double peakDb) {
    double peak = 0.0;
    for (double v : s) {
        peak = std::fmax(peak, std::fabs(v));
    }
    if (peak > 0.0) {
        const double gain = dbToGain(peakDb) / peak;
        for (double& v : s) {
            v *= gain;
        }
    }
}

// An explosion: low-passed noise whose cutoff falls, a sinking body thump and crackle.
Samples explosion(double seconds, double cutoff, double thumpHz, double crackle, uint32_t seed) {
    Samples s = blank(seconds);
    Noise noise(seed);
    Filter filter, rumble;
    Oscillator body;
    double hold = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = timeAt(i), u = t / seconds;
        const double n = noise.next();
        filter.run(n, cutoff * std::exp(-3.0 * u) + 80.0, 0.8);
        rumble.run(n, 120.0, 1.2);
        const double env = std::pow(1.0 - u, 2.2) * std::min(1.0, t / 0.003);
        double v = filter.low * env + rumble.low * 1.5 * env;
        v += body.next(Wave::Sine, thumpHz * (0.5 + 0.5 * std::exp(-t / 0.08))) *
             std::exp(-t / (0.12 * seconds + 0.05)) * 0.7;
        // Crackle: sparse held noise grains.
        if (noise.unit() < crackle * (1.0 - u)) {
            hold = noise.next();
        }
        hold *= 0.995;
        v += hold * 0.25 * env;
        s[i] = v;
    }
    return s;
}

Samples graze() {  // a bright, tiny scrape: high noise tick over a fast falling whistle
    Samples s = blank(0.05);
    Noise noise(7);
    Filter filter;
    Oscillator tone;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = timeAt(i);
        filter.run(noise.next(), 6000.0, 2.0);
        s[i] = filter.band * std::exp(-t / 0.012) +
               0.5 * tone.next(Wave::Sine, 5200.0 - 30000.0 * t) * std::exp(-t / 0.015);
    }
    return s;
}

Samples bulletHit() {  // a dull knock
    Samples s = blank(0.07);
    Noise noise(11);
    Filter filter;
    Oscillator tone;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = timeAt(i);
        filter.run(noise.next(), 2200.0, 1.0);
        s[i] = filter.band * std::exp(-t / 0.01) * 0.8 +
               tone.next(Wave::Triangle, 320.0 - 1800.0 * t) * std::exp(-t / 0.02);
    }
    return s;
}

Samples shot(double startHz, double endHz, double seconds, Wave wave, double brightness) {  // a soft zap
    Samples s = blank(seconds);
    Oscillator tone, octave;
    Filter filter;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = timeAt(i), u = t / seconds;
        const double hz = startHz * std::pow(endHz / startHz, u);
        filter.run(tone.next(wave, hz) + 0.4 * octave.next(Wave::Square, hz * 2.0),
                   brightness * (1.0 - 0.7 * u), 1.3);
        s[i] = filter.low * std::exp(-t / (seconds * 0.35));
    }
    return s;
}

Samples pickup() {  // two quick rising bell notes
    Samples s = blank(0.22);
    const double notes[] = {1318.5, 1975.5};  // E6, B6
    for (int k = 0; k < 2; ++k) {
        Oscillator carrier, modulator;
        const size_t start = static_cast<size_t>(k * 0.055 * kRate);
        for (size_t i = start; i < s.size(); ++i) {
            const double t = timeAt(i - start);
            const double mod = modulator.next(Wave::Sine, notes[k] * 2.0) * 0.9 * std::exp(-t / 0.04);
            carrier.phase += mod * 0.01;
            carrier.phase -= std::floor(carrier.phase);
            s[i] += carrier.next(Wave::Sine, notes[k]) * std::exp(-t / 0.07) * (k == 0 ? 0.8 : 1.0);
        }
    }
    return s;
}

Samples bossMove() {  // a low mechanical whoosh rising then settling
    Samples s = blank(0.7);
    Noise noise(23);
    Filter filter;
    Oscillator hum;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = timeAt(i), u = t / 0.7;
        const double shape = std::sin(kPi * u);
        filter.run(noise.next(), 300.0 + 1400.0 * shape, 2.5);
        s[i] = filter.band * shape * 1.3 + hum.next(Wave::Saw, 55.0 + 20.0 * shape) * 0.25 * shape;
    }
    return s;
}

Samples warning() {  // an alarm: two square tones, high then low, hard-edged
    Samples s = blank(0.26);
    Oscillator tone;
    Filter filter;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = timeAt(i);
        const double hz = t < 0.12 ? 987.8 : 740.0;
        filter.run(tone.next(Wave::Square, hz), 3500.0, 0.7);
        const double gate = t < 0.115 || (t > 0.125 && t < 0.245) ? 1.0 : 0.0;
        s[i] = filter.low * gate;
    }
    return s;
}

Samples chargedBeam() {  // the counter beam: a swelling, rising hum with a bright edge
    Samples s = blank(1.0);
    Oscillator a, b, sub;
    Filter filter;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = timeAt(i), u = t;
        const double hz = 110.0 * std::pow(2.0, 1.5 * std::min(u / 0.35, 1.0));
        filter.run(a.next(Wave::Saw, hz) + b.next(Wave::Saw, hz * 1.51),
                   600.0 + 5000.0 * std::min(u / 0.3, 1.0), 3.0);
        const double env = std::min(1.0, t / 0.05) * (t < 0.6 ? 1.0 : std::exp(-(t - 0.6) / 0.12));
        s[i] = (filter.low + 0.5 * sub.next(Wave::Sine, hz * 0.5)) * env;
    }
    return s;
}

Samples laser() {  // a classic pew falling fast
    Samples s = blank(0.4);
    Oscillator tone;
    Filter filter;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = timeAt(i);
        const double hz = 2600.0 * std::exp(-t / 0.08) + 180.0;
        filter.run(tone.next(Wave::Pulse, hz), 6000.0, 1.0);
        s[i] = filter.low * std::exp(-t / 0.12);
    }
    return s;
}

Samples distantBlast() {  // a boss falling far away: muffled boom with slapback echoes
    Samples dry = explosion(1.6, 900.0, 45.0, 0.002, 31);
    Samples s = blank(2.8);
    const double taps[][2] = {{0.0, 1.0}, {0.33, 0.45}, {0.71, 0.25}, {1.05, 0.12}};
    for (const auto& tap : taps) {
        const size_t offset = static_cast<size_t>(tap[0] * kRate);
        for (size_t i = 0; i < dry.size() && offset + i < s.size(); ++i) {
            s[offset + i] += dry[i] * tap[1];
        }
    }
    Filter muffle;
    for (double& v : s) {
        muffle.run(v, 700.0, 0.7);
        v = muffle.low;
    }
    return s;
}

Samples playerDeath() {  // a long falling tone under a heavy blast
    Samples s = explosion(1.4, 5000.0, 70.0, 0.01, 41);
    Oscillator tone;
    Filter filter;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = timeAt(i);
        const double hz = 900.0 * std::exp(-t / 0.35) + 60.0;
        filter.run(tone.next(Wave::Saw, hz), 2500.0, 1.5);
        s[i] += filter.low * 0.5 * std::exp(-t / 0.45);
    }
    return s;
}

Samples tranceReady() {  // a rising shimmer of four notes, stacked
    Samples s = blank(0.6);
    const double notes[] = {880.0, 1108.7, 1318.5, 1760.0};  // A major, rising
    for (int k = 0; k < 4; ++k) {
        Oscillator a, b;
        const size_t start = static_cast<size_t>(k * 0.06 * kRate);
        for (size_t i = start; i < s.size(); ++i) {
            const double t = timeAt(i - start);
            const double env = std::min(1.0, t / 0.004) * std::exp(-t / 0.22);
            s[i] += (a.next(Wave::Triangle, notes[k]) + 0.3 * b.next(Wave::Sine, notes[k] * 3.0)) * env * 0.4;
        }
    }
    return s;
}

}  // namespace

std::vector<Effect> renderEffects() {
    struct Recipe {
        const char* name;
        Samples (*make)();
        double peakDb;
    };
    const Recipe recipes[] = {
        {"snd_toggle_btn.caf", graze, -12.0},  // the graze scrape
        {"bullet_hit.caf", bulletHit, -14.0},
        {"bullet_shoot_1.caf", [] { return shot(1400.0, 500.0, 0.075, Wave::Triangle, 3500.0); }, -13.0},
        {"break_shoot.caf", [] { return shot(2200.0, 700.0, 0.09, Wave::Saw, 6000.0); }, -12.0},
        {"sfx_small_expl.caf", [] { return explosion(0.35, 4000.0, 110.0, 0.01, 3); }, -6.0},
        {"sfx_medium_expl.caf", [] { return explosion(0.8, 3200.0, 80.0, 0.008, 5); }, -4.0},
        {"sfx_huge_expl.caf", [] { return explosion(2.0, 2600.0, 50.0, 0.006, 9); }, -2.0},
        {"sfx_player_expl.caf", playerDeath, -2.0},
        {"prize_pickup.caf", pickup, -10.0},
        {"boss_move_1.caf", bossMove, -8.0},
        {"warning_WIP.caf", warning, -6.0},
        {"leaser_beam.caf", chargedBeam, -6.0},
        {"se_laser3.caf", laser, -8.0},
        {"sfx_boss_expl_dist.caf", distantBlast, -3.0},
        {"trance_warning.caf", tranceReady, -6.0},
    };
    std::vector<Effect> effects;
    for (const Recipe& recipe : recipes) {
        Effect effect{recipe.name, recipe.make()};
        fadeEnds(effect.samples);
        scaleToPeak(effect.samples, recipe.peakDb);
        effects.push_back(std::move(effect));
    }
    return effects;
}

double effectLoudness(const std::vector<double>& samples) {
    // Fed 10 ms at a time, then 400 ms of silence so the window slides past the end.
    ebur128_state* state = ebur128_init(1, static_cast<unsigned long>(kRate), EBUR128_MODE_M);
    const size_t step = static_cast<size_t>(0.01 * kRate);
    const std::vector<double> silence(step, 0.0);
    double loudest = -70.0;
    for (size_t from = 0; from < samples.size() + 40 * step; from += step) {
        const double* block = from < samples.size() ? samples.data() + from : silence.data();
        const size_t count = from < samples.size() ? std::min(step, samples.size() - from) : step;
        ebur128_add_frames_double(state, block, count);
        double momentary = -70.0;
        if (ebur128_loudness_momentary(state, &momentary) == EBUR128_SUCCESS) {
            loudest = std::fmax(loudest, momentary);
        }
    }
    ebur128_destroy(&state);
    return loudest;
}

}  // namespace audiogen
