#include "Fluid.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#ifndef ORVALE_SOUNDFONT
#error "ORVALE_SOUNDFONT must name the General MIDI soundfont"
#endif

namespace audiogen {

namespace {

struct KitName {
    const char* name;
    int program;
};
constexpr KitName kKits[] = {{"standard", 0}, {"room", 8},  {"power", 16}, {"electronic", 24},
                             {"tr808", 25},   {"jazz", 32}, {"brush", 40}, {"orchestra", 48}};

// How long a hit of each percussion key rings before it is cut (cymbals long, hats short).
double hitSeconds(int key) {
    switch (key) {
        case 49:  // crash
        case 57:
            return 2.6;
        case 51:  // ride
            return 1.6;
        case 46:  // open hat
            return 0.9;
        case 42:  // closed hat
        case 44:
            return 0.3;
        case 36:  // kick: kept short, so its tail does not sit under the bass
        case 35:
            return 0.35;
        default:
            return 0.7;
    }
}

}  // namespace

int drumKitProgram(const std::string& name) {
    for (const KitName& kit : kKits) {
        if (name == kit.name) {
            return kit.program;
        }
    }
    return -1;
}

const char* drumKitNames() {
    return "standard, room, power, electronic, tr808, jazz, brush, orchestra";
}

struct Soundfont::Impl {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    int font = -1;
};

Soundfont::Soundfont() : impl(new Impl) {}

Soundfont::~Soundfont() {
    if (impl->synth) {
        delete_fluid_synth(impl->synth);
    }
    if (impl->settings) {
        delete_fluid_settings(impl->settings);
    }
}

bool Soundfont::open(std::string& error) {
    if (impl->font >= 0) {
        return true;
    }
    // FluidSynth's own messages would bury the build log; failures are reported below.
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
        fluid_set_log_function(level, nullptr, nullptr);
    }
    impl->settings = new_fluid_settings();
    fluid_settings_setnum(impl->settings, "synth.sample-rate", kRate);
    fluid_settings_setint(impl->settings, "synth.reverb.active", 0);
    fluid_settings_setint(impl->settings, "synth.chorus.active", 0);
    fluid_settings_setint(impl->settings, "synth.polyphony", 256);
    // Only the presets a track plays are decoded, not the whole font.
    fluid_settings_setint(impl->settings, "synth.dynamic-sample-loading", 1);
    fluid_settings_setnum(impl->settings, "synth.gain", 1.0);
    impl->synth = new_fluid_synth(impl->settings);
    if (!impl->synth) {
        error = "FluidSynth could not start";
        return false;
    }
    impl->font = fluid_synth_sfload(impl->synth, ORVALE_SOUNDFONT, 0);
    if (impl->font < 0) {
        error = std::string("cannot load the soundfont ") + ORVALE_SOUNDFONT;
        return false;
    }
    return true;
}

bool Soundfont::hasPreset(int bank, int program) const {
    fluid_sfont_t* font = fluid_synth_get_sfont_by_id(impl->synth, impl->font);
    return font && fluid_sfont_get_preset(font, bank, program) != nullptr;
}

void Soundfont::reset(int bank, int program) {
    fluid_synth_system_reset(impl->synth);
    // Channel 0 is melodic by default; a kit from the percussion bank plays on it all the same.
    fluid_synth_set_channel_type(impl->synth, 0,
                                 bank == kDrumBank ? CHANNEL_TYPE_DRUM : CHANNEL_TYPE_MELODIC);
    fluid_synth_program_select(impl->synth, 0, impl->font, static_cast<unsigned>(bank),
                               static_cast<unsigned>(program));
}

namespace {

// Renders `frames` from the synthesiser, adding the mid of its two sides into `out` at `at`.
void renderInto(fluid_synth_t* synth, std::vector<double>& out, size_t at, size_t frames) {
    static float left[1024], right[1024];
    while (frames > 0) {
        const size_t chunk = std::min<size_t>(frames, 1024);
        std::memset(left, 0, sizeof left);
        std::memset(right, 0, sizeof right);
        fluid_synth_write_float(synth, static_cast<int>(chunk), left, 0, 1, right, 0, 1);
        for (size_t i = 0; i < chunk; ++i) {
            out[at + i] += 0.5 * (static_cast<double>(left[i]) + static_cast<double>(right[i]));
        }
        at += chunk;
        frames -= chunk;
    }
}

}  // namespace

std::vector<double> Soundfont::hit(int bank, int program, int key, int velocity, double seconds) {
    const size_t frames = static_cast<size_t>(seconds * kRate);
    std::vector<double> out(frames, 0.0);
    reset(bank, program);
    fluid_synth_noteon(impl->synth, 0, key, velocity);
    renderInto(impl->synth, out, 0, frames);
    fluid_synth_noteoff(impl->synth, 0, key);
    const size_t fade = std::min<size_t>(frames, static_cast<size_t>(0.02 * kRate));
    for (size_t i = 0; i < fade; ++i) {
        out[frames - 1 - i] *= static_cast<double>(i) / static_cast<double>(fade);
    }
    return out;
}

std::vector<double> Soundfont::play(int bank, int program, std::vector<NoteEvent> events, size_t frames) {
    std::vector<double> out(frames, 0.0);
    reset(bank, program);
    // In time order; at the same frame a release comes before a new start of the key.
    std::stable_sort(events.begin(), events.end(), [](const NoteEvent& a, const NoteEvent& b) {
        return a.frame != b.frame ? a.frame < b.frame : (a.velocity == 0) > (b.velocity == 0);
    });
    size_t at = 0;
    for (const NoteEvent& event : events) {
        const size_t until = std::min(event.frame, frames);
        if (until > at) {
            renderInto(impl->synth, out, at, until - at);
            at = until;
        }
        if (event.velocity > 0) {
            fluid_synth_noteon(impl->synth, 0, event.key, std::min(event.velocity, 127));
        } else {
            fluid_synth_noteoff(impl->synth, 0, event.key);
        }
    }
    if (frames > at) {
        renderInto(impl->synth, out, at, frames - at);
    }
    return out;
}

const std::vector<double>& DrumSamples::hit(int program, int key, double velocity, double& scale) {
    static const int layers[] = {48, 88, 120};
    static const double strengths[] = {0.4, 0.7, 1.0};
    const int layer = velocity < 0.55 ? 0 : velocity < 0.85 ? 1 : 2;
    scale = velocity / strengths[layer];
    // Every layer of a key is scaled by the peak of its hardest: kits and keys arrive at one
    // level, and the layers keep the difference in strength they were sampled with.
    const auto hardest = std::make_tuple(program, key, 2);
    if (!cache.count(hardest)) {
        std::vector<double> samples = font.hit(kDrumBank, program, key, layers[2], hitSeconds(key));
        double peak = 0.0;
        for (double v : samples) {
            peak = std::max(peak, std::fabs(v));
        }
        for (double& v : samples) {
            v /= std::max(peak, 1e-6);
        }
        peaks[std::make_pair(program, key)] = std::max(peak, 1e-6);
        cache.emplace(hardest, std::move(samples));
    }
    const auto index = std::make_tuple(program, key, layer);
    auto found = cache.find(index);
    if (found == cache.end()) {
        std::vector<double> samples = font.hit(kDrumBank, program, key, layers[layer], hitSeconds(key));
        const double peak = peaks.at(std::make_pair(program, key));
        for (double& v : samples) {
            v /= peak;
        }
        found = cache.emplace(index, std::move(samples)).first;
    }
    return found->second;
}

}  // namespace audiogen
