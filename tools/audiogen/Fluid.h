#pragma once
// Sampled instruments: the General MIDI soundfont played through FluidSynth. The music renderer
// takes its drum kits from here, and the melodic voices a track asks for by program number.

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "Dsp.h"

namespace audiogen {

// The soundfont's percussion bank and the kits a track may name with `drumkit`.
constexpr int kDrumBank = 128;
// The kit's program for a `drumkit` name ("standard", "room", ...), or -1 for an unknown name.
int drumKitProgram(const std::string& name);
// The names `drumkit` accepts, for messages.
const char* drumKitNames();

// One synthesiser on the soundfont, its own effects off (the renderer adds its own reverb and
// echo) and nothing random in it, so the same notes render the same samples every time.
class Soundfont {
  public:
    Soundfont();
    ~Soundfont();
    Soundfont(const Soundfont&) = delete;
    Soundfont& operator=(const Soundfont&) = delete;

    // Loads the soundfont the build names; false with `error` set when it cannot.
    bool open(std::string& error);
    // Whether the font holds a preset at bank / program.
    bool hasPreset(int bank, int program) const;

    // One struck note (a drum hit) rendered from silence: `seconds` long, faded out over its
    // last few milliseconds so a cut tail does not click. Mono: a hit is placed by the mixer.
    std::vector<double> hit(int bank, int program, int key, int velocity, double seconds);

    // A melodic line in one preset: notes start and end at frames; the output is mono, as
    // long as `frames`.
    struct NoteEvent {
        size_t frame = 0;
        int key = 0;
        int velocity = 0;  // 0 releases the key
    };
    std::vector<double> play(int bank, int program, std::vector<NoteEvent> events, size_t frames);

  private:
    void reset(int bank, int program);
    struct Impl;
    std::unique_ptr<Impl> impl;
};

// Drum hits rendered once per (kit, note, velocity layer) and mixed as copies: a track's
// hundreds of hits cost a handful of renders.
class DrumSamples {
  public:
    explicit DrumSamples(Soundfont& soundfont) : font(soundfont) {}
    // The hit of `key` in kit `program` at `velocity` (0 .. 1.25): the nearest of three
    // layers, scaled to the exact strength.
    const std::vector<double>& hit(int program, int key, double velocity, double& scale);

  private:
    Soundfont& font;
    std::map<std::tuple<int, int, int>, std::vector<double>> cache;
    std::map<std::pair<int, int>, double> peaks;
};

}  // namespace audiogen
