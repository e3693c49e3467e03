// orvale-audiogen: makes the game's audio.
//   orvale-audiogen track SOURCE OUT.ogg   renders, masters and encodes one music track
//   orvale-audiogen effects OUT_DIR        writes every sound effect as OUT_DIR/NAME.caf
//   orvale-audiogen wav SOURCE OUT.wav     renders a track to a WAV file for listening
//   orvale-audiogen measure FILE [--tempo BPM]
//                                          measures a rendered track (.wav or .ogg) against the
//                                          music's bars, as one key=value line
// Each run prints the measured length, peak and loudness of what it wrote.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "AudioGen.h"

using namespace audiogen;

namespace {

bool renderSource(const std::string& path, RenderedTrack& track) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    if (!renderTrack(text.str(), folder, track, error)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    masterTrack(track.audio);
    return true;
}

int makeTrack(const std::string& source, const std::string& out) {
    RenderedTrack rendered;
    if (!renderSource(source, rendered)) {
        return 1;
    }
    Stereo& track = rendered.audio;
    // Encode, then measure what the game will decode; step the level down should the codec
    // push a peak over -1 dBFS.
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (!writeOgg(out, track, 0.4f, rendered.loopStart)) {
            return 1;
        }
        Stereo decoded;
        if (!readOgg(out, decoded)) {
            return 1;
        }
        const Levels levels = measure(decoded);
        if (levels.peakDb <= -1.0) {
            std::printf("%s: %.1f s (the loop from %.1f s), peak %.2f dBFS, %.2f LUFS integrated\n",
                        out.c_str(), levels.seconds, static_cast<double>(rendered.loopStart) / kRate,
                        levels.peakDb, levels.lufs);
            return 0;
        }
        for (size_t i = 0; i < track.frames(); ++i) {
            track.left[i] *= dbToGain(-0.5);
            track.right[i] *= dbToGain(-0.5);
        }
    }
    std::fprintf(stderr, "%s: the peak stays above -1 dBFS\n", out.c_str());
    return 1;
}

int makeEffects(const std::string& folder) {
    for (const Effect& effect : renderEffects()) {
        if (!writeCaf(folder + "/" + effect.name, effect.samples)) {
            return 1;
        }
        double peak = 0.0;
        for (double v : effect.samples) {
            peak = std::fmax(peak, std::fabs(v));
        }
        std::printf("%s: %.3f s, loudness %.1f LUFS, peak %.1f dBFS\n", effect.name.c_str(),
                    static_cast<double>(effect.samples.size()) / kRate, effectLoudness(effect.samples),
                    gainToDb(peak));
    }
    return 0;
}

// Loudness, peak, length, channel correlation and the share of 4-bar windows that repeat an
// earlier one (4 bars of 4 beats at the given tempo; without one, 8 s, 4 bars at 120 bpm), and
// the loudness of the first such window.
int measureFile(const std::string& path, const std::string& tempoText) {
    const double tempo = tempoText.empty() ? 120.0 : std::atof(tempoText.c_str());
    if (tempo < 40.0 || tempo > 300.0) {
        std::fprintf(stderr, "tempo out of 40 .. 300: %s\n", tempoText.c_str());
        return 2;
    }
    const bool ogg = path.size() > 4 && path.compare(path.size() - 4, 4, ".ogg") == 0;
    Stereo track;
    size_t loopStart = 0;
    if (!(ogg ? readOgg(path, track, &loopStart) : readWav(path, track))) {
        return 1;
    }
    if (track.frames() == 0) {
        std::fprintf(stderr, "%s holds no samples\n", path.c_str());
        return 1;
    }
    const Levels levels = measure(track);
    // The opening window's loudness: a loop that comes back to a quiet intro shows here.
    const double window = 16.0 * 60.0 / tempo;
    Stereo opening(std::min(track.frames(), static_cast<size_t>(window * kRate)));
    std::copy_n(track.left.begin(), opening.frames(), opening.left.begin());
    std::copy_n(track.right.begin(), opening.frames(), opening.right.begin());
    // The looped body, which plays on and on after the intro.
    loopStart = std::min(loopStart, track.frames() - 1);
    Stereo body(track.frames() - loopStart);
    std::copy(track.left.begin() + static_cast<long>(loopStart), track.left.end(), body.left.begin());
    std::copy(track.right.begin() + static_cast<long>(loopStart), track.right.end(), body.right.begin());
    std::printf(
        "lufs=%.2f peak_dbfs=%.2f seconds=%.2f lr_correlation=%.3f repeat_windows=%.3f opening_lufs=%.2f "
        "loop_start_seconds=%.2f lra_body=%.2f\n",
        levels.lufs, levels.peakDb, levels.seconds, channelCorrelation(track),
        repeatedWindows(track, window, 0.95), measure(opening).lufs, static_cast<double>(loopStart) / kRate,
        loudnessRange(body));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "track" && argc == 4) {
        return makeTrack(argv[2], argv[3]);
    }
    if (mode == "effects" && argc == 3) {
        return makeEffects(argv[2]);
    }
    if (mode == "wav" && argc == 4) {
        RenderedTrack track;
        return renderSource(argv[2], track) && writeWav(argv[3], track.audio) ? 0 : 1;
    }
    if (mode == "measure" && (argc == 3 || (argc == 5 && std::string(argv[3]) == "--tempo"))) {
        return measureFile(argv[2], argc == 5 ? argv[4] : "");
    }
    std::fprintf(stderr,
                 "usage: orvale-audiogen track SOURCE OUT.ogg | effects OUT_DIR | wav SOURCE OUT.wav |\n"
                 "       measure FILE.wav|FILE.ogg [--tempo BPM]\n");
    return 2;
}
