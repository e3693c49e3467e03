// The sound effects, each a short recipe of oscillators, noise and filters. Every effect is
// levelled by its loudness (the loudest 400 ms, as a player hears it), not by its peak: the
// music plays at -16 LUFS, the frequent effects (shots, hits, grazes, pickups) sit well under
// it so constant fire never buries it, explosions grow with their size, warnings stand out,
// and a boss's death is the loudest sound of all.

#include <ebur128.h>

#include <algorithm>

#include "AudioGen.h"

namespace audiogen {

namespace {

using Samples = std::vector<double>;

constexpr double kCeilingDb = -1.1;  // every sample peak stays under -1 dBFS

Samples blank(double seconds) {
    return Samples(static_cast<size_t>(seconds * kRate), 0.0);
}
double timeAt(size_t i) {
    return static_cast<double>(i) / kRate;
}

// A rise from 0 to 1 over `seconds` along half a cosine: no corner for the ear to hear as a click.
double rise(double t, double seconds) {
    return t >= seconds ? 1.0 : 0.5 - 0.5 * std::cos(kPi * t / seconds);
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

// Takes the band the music's lead lives in (1-2 kHz) out of a sound: what stays is the part
// below ~900 Hz and the part above ~2.5 kHz, each through two filters (24 dB an octave).
void clearLeadBand(Samples& s) {
    Filter low1, low2, high1, high2;
    for (double& v : s) {
        low1.run(v, 850.0, 0.707);
        low2.run(low1.low, 850.0, 0.707);
        high1.run(v, 2600.0, 0.707);
        high2.run(high1.high, 2600.0, 0.707);
        v = low2.low + high2.high;
    }
}

// Takes out any constant offset (a pulse wave carries one) so an effect never starts or stops
// with a step of its resting level.
void removeOffset(Samples& s) {
    double in = 0.0, out = 0.0;
    for (double& v : s) {
        out = v - in + 0.9985 * out;  // a high-pass at about 10 Hz
        in = v;
        v = out;
    }
}

double peakOf(const Samples& s) {
    double peak = 0.0;
    for (double v : s) {
        peak = std::fmax(peak, std::fabs(v));
    }
    return peak;
}

// Scales an effect to `lufs` at its loudest 400 ms. A loud effect whose peaks would pass the
// ceiling is rounded off above half the ceiling (a soft knee, smooth in value and slope) and
// scaled again, so dense blasts reach their loudness without a hard clip.
void levelTo(Samples& s, double lufs) {
    const double ceiling = dbToGain(kCeilingDb), knee = 0.5 * ceiling;
    for (int pass = 0; pass < 6; ++pass) {
        const double gain = dbToGain(lufs - effectLoudness(s));
        for (double& v : s) {
            v *= gain;
        }
        if (peakOf(s) <= ceiling) {
            return;
        }
        for (double& v : s) {
            const double a = std::fabs(v);
            if (a > knee) {
                v = std::copysign(knee + (ceiling - knee) * std::tanh((a - knee) / (ceiling - knee)), v);
            }
        }
    }
    const double peak = peakOf(s);  // still short of its loudness: it plays as loud as the ceiling lets it
    if (peak > ceiling) {
        for (double& v : s) {
            v *= ceiling / peak;
        }
    }
}

// An explosion: low-passed noise whose cutoff falls, a sinking body thump and crackle (short
// noise grains that each rise and fall, so the crackle has grit without clicks).
Samples explosion(double seconds, double cutoff, double thumpHz, double crackle, uint32_t seed) {
    Samples s = blank(seconds);
    Noise noise(seed);
    Filter filter, rumble, grit;
    Oscillator body;
    double grain = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = timeAt(i), u = t / seconds;
        const double n = noise.next();
        filter.run(n, cutoff * std::exp(-3.0 * u) + 80.0, 0.8);
        rumble.run(n, 120.0, 1.2);
        const double env = std::pow(1.0 - u, 2.2) * rise(t, 0.004);
        double v = filter.low * env + rumble.low * 1.5 * env;
        v += body.next(Wave::Sine, thumpHz * (0.5 + 0.5 * std::exp(-t / 0.08))) * rise(t, 0.003) *
             std::exp(-t / (0.12 * seconds + 0.05)) * 0.7;
        if (grain < 0.02 && noise.unit() < crackle * (1.0 - u)) {
            grain = 1.0;  // a new grain only once the last has died away
        }
        grain *= 0.993;
        grit.run(n, 2500.0, 0.9);
        v += grit.band * grain * (1.0 - grain) * 1.2 * env;
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

// The player's shot, fired 14 times a second: a click of bright noise and a low thump at the
// start, then a short glassy chirp high above the music's lead. Its middle band is taken out
// so the lead stays clear under constant fire; every part is tonal or short noise, so a play
// pitched a semitone up or down still sounds like the same gun.
Samples shot(double seconds, double thumpHz, double chirpHz, double bite, uint32_t seed) {
    Samples s = blank(seconds);
    Noise noise(seed);
    Filter click;
    Oscillator thump, chirp, edge;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = timeAt(i);
        click.run(noise.next(), 5000.0, 0.8);
        const double tick = click.high * std::exp(-t / 0.0018);
        const double low = thump.next(Wave::Sine, thumpHz * (0.55 + 0.45 * std::exp(-t / 0.012))) *
                           rise(t, 0.0008) * std::exp(-t / 0.016);
        const double hz = chirpHz * (0.7 + 0.3 * std::exp(-t / 0.02));
        const double high = (chirp.next(Wave::Sine, hz) + bite * edge.next(Wave::Saw, hz * 0.5)) *
                            rise(t, 0.002) * std::exp(-t / (seconds * 0.22));
        s[i] = 0.8 * tick + low + 0.45 * high;
    }
    clearLeadBand(s);
    return s;
}

// A note of a glassy bell: a sine whose phase is bent by a sine at twice its pitch (odd
// partials only, nothing under the note), rising smoothly and ringing out.
void addBell(Samples& s, double startSeconds, double hz, double brightness, double ring, double level) {
    Oscillator carrier, modulator;
    const size_t start = static_cast<size_t>(startSeconds * kRate);
    for (size_t i = start; i < s.size(); ++i) {
        const double t = timeAt(i - start);
        const double mod = modulator.next(Wave::Sine, hz * 2.0) * brightness * std::exp(-t / (ring * 0.6));
        const double v = std::sin(2.0 * kPi * (carrier.phase + 0.16 * mod));
        carrier.next(Wave::Sine, hz);
        s[i] += v * level * rise(t, 0.004) * std::exp(-t / ring);
    }
}

Samples pickup() {  // two quick rising bell notes, high above the lead
    Samples s = blank(0.24);
    addBell(s, 0.0, 2349.3, 0.8, 0.035, 0.7);   // D7
    addBell(s, 0.05, 3520.0, 0.6, 0.045, 0.9);  // A7
    addBell(s, 0.0, 587.3, 0.0, 0.05, 0.25);    // D5, a little warmth underneath
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

Samples warning() {  // an alarm: two square tones, high then low, each gated on and off softly
    Samples s = blank(0.26);
    Oscillator tone;
    Filter filter;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = timeAt(i);
        const double hz = t < 0.12 ? 987.8 : 740.0;
        filter.run(tone.next(Wave::Square, hz), 3500.0, 0.7);
        const double local = t < 0.12 ? t : t - 0.125;
        const double gate =
            local < 0.0 ? 0.0 : rise(local, 0.003) * rise(std::fmax(0.115 - local, 0.0), 0.003);
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
        s[i] = filter.low * std::exp(-t / 0.12) * rise(t, 0.002);
    }
    return s;
}

// A boss's death: a deep first blast, two more as the hull breaks up, and a long low rumble
// that rings out through a large room for seconds after.
Samples bossDeath() {
    Samples s = blank(4.5);
    const struct {
        double at, seconds, cutoff, thumpHz, level;
        uint32_t seed;
    } blasts[] = {{0.0, 2.6, 3800.0, 42.0, 1.0, 31},
                  {0.32, 1.4, 2600.0, 60.0, 0.6, 37},
                  {0.78, 2.2, 1800.0, 36.0, 0.75, 43}};
    for (const auto& blast : blasts) {
        const Samples dry = explosion(blast.seconds, blast.cutoff, blast.thumpHz, 0.006, blast.seed);
        const size_t offset = static_cast<size_t>(blast.at * kRate);
        for (size_t i = 0; i < dry.size() && offset + i < s.size(); ++i) {
            s[offset + i] += dry[i] * blast.level;
        }
    }
    Noise noise(47);
    Filter rumble;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = timeAt(i);
        rumble.run(noise.next(), 90.0 + 160.0 * std::exp(-t / 1.2), 0.9);
        s[i] += rumble.low * 2.2 * rise(t, 0.05) * std::exp(-t / 1.5);
    }
    Stereo send(s.size()), room(s.size());
    send.left = s;
    send.right = s;
    addReverb(send, room, 0.94, 1.0);
    Filter darken;
    for (size_t i = 0; i < s.size(); ++i) {
        darken.run(room.left[i] + room.right[i], 2500.0, 0.7);
        s[i] += 0.8 * darken.low;
        s[i] *= rise(timeAt(s.size() - i), 0.8);  // the tail dies away rather than stops
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
        s[i] += filter.low * 0.5 * std::exp(-t / 0.45) * rise(t, 0.003);
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
            const double env = rise(t, 0.004) * std::exp(-t / 0.22);
            s[i] += (a.next(Wave::Triangle, notes[k]) + 0.3 * b.next(Wave::Sine, notes[k] * 3.0)) * env * 0.4;
        }
    }
    return s;
}

// The menus: a tick for a moving highlight, a bright chime to accept, a softer falling answer
// to go back, and a dull buzz for a choice that cannot be taken.
Samples menuMove() {
    Samples s = blank(0.06);
    addBell(s, 0.0, 2793.8, 0.5, 0.012, 1.0);  // F7, a glassy tick
    addBell(s, 0.0, 4186.0, 0.0, 0.006, 0.3);  // C8 on top
    return s;
}

Samples menuAccept() {
    Samples s = blank(0.48);
    addBell(s, 0.0, 1318.5, 0.9, 0.08, 0.6);    // E6
    addBell(s, 0.055, 1975.5, 0.9, 0.1, 0.7);   // B6
    addBell(s, 0.055, 2637.0, 0.4, 0.08, 0.3);  // E7 shimmer
    addBell(s, 0.0, 659.3, 0.3, 0.1, 0.35);     // E5 underneath, for confidence
    return s;
}

Samples menuBack() {
    Samples s = blank(0.38);
    addBell(s, 0.0, 1318.5, 0.35, 0.06, 0.6);  // E6
    addBell(s, 0.06, 880.0, 0.35, 0.08, 0.7);  // A5, falling a fifth
    return s;
}

Samples menuRefuse() {
    Samples s = blank(0.17);
    Oscillator a, b;
    Filter filter;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = timeAt(i);
        // Two short pulses of two slightly apart low squares, beating against each other.
        const double local = t < 0.075 ? t : t - 0.085;
        const double gate =
            local < 0.0 ? 0.0 : rise(local, 0.004) * rise(std::fmax(0.07 - local, 0.0), 0.006);
        filter.run(a.next(Wave::Square, 138.6) + b.next(Wave::Square, 146.8), 700.0, 0.8);
        s[i] = filter.low * gate;
    }
    return s;
}

}  // namespace

std::vector<Effect> renderEffects() {
    struct Recipe {
        const char* name;
        Samples (*make)();
        double lufs;  // loudness at its loudest 400 ms
    };
    const Recipe recipes[] = {
        {"snd_toggle_btn.caf", graze, -31.0},  // the graze scrape
        {"bullet_hit.caf", bulletHit, -32.0},
        {"bullet_shoot_1.caf", [] { return shot(0.065, 330.0, 4400.0, 0.25, 13); }, -29.0},
        {"break_shoot.caf", [] { return shot(0.08, 260.0, 5200.0, 0.5, 17); }, -27.0},
        {"sfx_small_expl.caf", [] { return explosion(0.35, 4000.0, 110.0, 0.01, 3); }, -25.0},
        {"sfx_medium_expl.caf", [] { return explosion(0.8, 3200.0, 80.0, 0.008, 5); }, -20.0},
        {"sfx_huge_expl.caf", [] { return explosion(2.0, 2600.0, 50.0, 0.006, 9); }, -15.0},
        {"sfx_player_expl.caf", playerDeath, -13.0},
        {"prize_pickup.caf", pickup, -29.0},
        {"boss_move_1.caf", bossMove, -22.0},
        {"warning_WIP.caf", warning, -17.0},
        {"leaser_beam.caf", chargedBeam, -18.0},
        {"se_laser3.caf", laser, -20.0},
        {"sfx_boss_expl_dist.caf", bossDeath, -10.0},
        {"trance_warning.caf", tranceReady, -18.0},
        {"ui_move.caf", menuMove, -26.0},
        {"ui_accept.caf", menuAccept, -21.5},
        {"ui_back.caf", menuBack, -23.0},
        {"ui_refuse.caf", menuRefuse, -22.5},
    };
    std::vector<Effect> effects;
    for (const Recipe& recipe : recipes) {
        Effect effect{recipe.name, recipe.make()};
        removeOffset(effect.samples);
        fadeEnds(effect.samples);
        levelTo(effect.samples, recipe.lufs);
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
