#pragma once
// orvale-audiogen: renders the game's music from note sources and its sound effects from
// recipes, and writes them as Ogg Vorbis tracks and Core Audio Format effects.

#include <string>
#include <vector>

#include "Dsp.h"

namespace audiogen {

// A rendered track: its intro plays once, then the body from `loopStart` (in frames) to the
// end loops. A track with no intro has `loopStart` 0 and loops whole.
struct RenderedTrack {
    Stereo audio;
    size_t loopStart = 0;
};

// Parses a track source (see tracks/README.md) and renders one pass of the song, the body's
// tail wrapped onto the body's start so it loops without a seam. Files the source names are
// read from `sourceDir`. Returns false with `error` set (naming the line) when the source is
// malformed.
bool renderTrack(const std::string& sourceText, const std::string& sourceDir, RenderedTrack& out,
                 std::string& error);

// The effects: every file name and its mono samples.
struct Effect {
    std::string name;
    std::vector<double> samples;
};
std::vector<Effect> renderEffects();
// An effect's loudness as a player hears it at its loudest: the highest momentary loudness
// (LUFS over a sliding 400 ms window, the effect alone in silence), the level effects are set by.
double effectLoudness(const std::vector<double>& samples);

// Scales a track to -16 LUFS integrated and keeps its peak under -1.5 dBFS with a smooth
// limiter. Returns the integrated loudness before the gain.
double masterTrack(Stereo& track);

// Integrated loudness (LUFS) and sample peak (dBFS) of interleaved or planar samples.
struct Levels {
    double lufs = 0.0;
    double peakDb = 0.0;
    double seconds = 0.0;
};
Levels measure(const Stereo& track);
// The loudness range (LU, EBU Tech 3342): how far the quiet and loud stretches lie apart.
double loudnessRange(const Stereo& track);

// Pearson correlation of the left and right channels: 1 for the same signal on both sides.
double channelCorrelation(const Stereo& track);
// The share of the track's whole windows (of `windowSeconds`, laid end to end from the start)
// whose waveform correlates at `threshold` or more with some earlier window: a track that
// only repeats itself scores near 1, one whose sections develop near 0.
// Windows are laid on a grid through `alignFrame` (the loop's start, where the body's bars begin);
// the part before the grid's first whole window is not a window.
double repeatedWindows(const Stereo& track, double windowSeconds, double threshold, size_t alignFrame = 0);
// The highest inter-sample peak (dBFS) as a decoder and converter will reproduce it (4x oversampled).
double truePeakDb(const Stereo& track);
// The RMS level (dB) of the band lowHz .. highHz of the track, both channels' power averaged:
// an ideal band-pass, by one Fourier transform of the whole signal (zero-padded to a power of
// two) with every bin outside the band dropped. -200 for silence.
double bandLevelDb(const Stereo& track, double lowHz, double highHz);
// An effect laid every `every` seconds from the start of the music's looped body for `seconds`
// (the body repeating should it be shorter), at `gainDb` against the music, each play summed onto
// those still sounding as the game's voices sum them: the RMS level (dB) of each in the 1-2 kHz
// band, where a lead melody sits.
struct Masking {
    double musicDb = -200.0;
    double shotDb = -200.0;
};
Masking measureMasking(const Stereo& music, size_t loopStart, const Stereo& shot, double seconds,
                       double every, double gainDb);

// Writers. Both return false and print why when the file cannot be written.
// The loop's start is written as the comment "LOOPSTART=frames", which the game reads.
bool writeOgg(const std::string& path, const Stereo& track, float quality, size_t loopStart = 0);
// 16-bit little-endian linear PCM, mono, at the renderer's rate.
bool writeCaf(const std::string& path, const std::vector<double>& samples);
// 16-bit stereo PCM WAVE at the renderer's rate, for listening.
bool writeWav(const std::string& path, const Stereo& track);
// Decodes an Ogg file back for measuring what the game will play.
// With `loopStart`, also the frame its "LOOPSTART" comment names (0 without one).
bool readOgg(const std::string& path, Stereo& out, size_t* loopStart = nullptr);
// Reads a 16-bit PCM WAVE file at the renderer's rate (mono is read onto both sides).
bool readWav(const std::string& path, Stereo& out);
// Reads a 16-bit linear PCM Core Audio Format file at the renderer's rate, as writeCaf writes it
// (either byte order, mono or stereo; mono is read onto both sides).
bool readCaf(const std::string& path, Stereo& out);

}  // namespace audiogen
