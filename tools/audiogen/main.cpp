// orvale-audiogen: makes the game's audio.
//   orvale-audiogen track SOURCE OUT.ogg   renders, masters and encodes one music track, then
//                                          prints the measure line of what the game will decode
//   orvale-audiogen effects OUT_DIR        writes every sound effect as OUT_DIR/NAME.caf
//   orvale-audiogen wav SOURCE OUT.wav     renders a track to a WAV file for listening
//   orvale-audiogen measure FILE [--tempo BPM]
//                                          measures a rendered track (.wav or .ogg) against the
//                                          music's bars, as one key=value line
//   orvale-audiogen masking MUSIC.ogg SHOT.caf --seconds N [--every S] [--shot-gain-db DB]
//                                          how far the music's 1-2 kHz band stays above an
//                                          effect played over its looped body at a steady rate
// Each run prints the measured length, peak and loudness of what it wrote.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

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

// The source's own tempo (its "tempo BPM" line), which its bars are measured by; 120 without one.
double sourceTempo(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string word;
        double bpm = 0.0;
        if (words >> word && word == "tempo" && words >> bpm && bpm >= 40.0 && bpm <= 300.0) {
            return bpm;
        }
    }
    return 120.0;
}

// Loudness, peaks, length, channel correlation, the share of 4-bar windows (4 beats to the bar
// at `tempo`) that repeat an earlier one, laid from the loop's start, the loudness of the body's
// first such window (where every loop comes back to), where the loop starts, the body's
// loudness range, and the loudness from 3 s to 6 s (what a player hears once a 2 s fade-in is over).
std::string measureLine(const Stereo& track, size_t loopStart, double tempo) {
    const Levels levels = measure(track);
    const double window = 16.0 * 60.0 / tempo;
    loopStart = std::min(loopStart, track.frames() - 1);
    auto stretch = [&](size_t from, size_t frames) {
        from = std::min(from, track.frames());
        Stereo part(std::min(frames, track.frames() - from));
        std::copy_n(track.left.begin() + static_cast<long>(from), part.frames(), part.left.begin());
        std::copy_n(track.right.begin() + static_cast<long>(from), part.frames(), part.right.begin());
        return part;
    };
    const size_t threeSeconds = static_cast<size_t>(3 * kRate);
    char line[512];
    std::snprintf(
        line, sizeof line,
        "lufs=%.2f peak_dbfs=%.2f seconds=%.2f lr_correlation=%.3f repeat_windows=%.3f opening_lufs=%.2f "
        "loop_start_seconds=%.2f lra_body=%.2f true_peak_dbfs=%.2f after_3s_lufs=%.2f",
        levels.lufs, levels.peakDb, levels.seconds, channelCorrelation(track),
        repeatedWindows(track, window, 0.95, loopStart),
        measure(stretch(loopStart, static_cast<size_t>(window * kRate))).lufs,
        static_cast<double>(loopStart) / kRate, loudnessRange(stretch(loopStart, track.frames())),
        truePeakDb(track), measure(stretch(threeSeconds, threeSeconds)).lufs);
    return line;
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
        // The true peak: a converter's reconstruction between samples must stay under -1 dBFS too.
        if (truePeakDb(decoded) <= -1.0) {
            std::printf("%s: %s\n", out.c_str(),
                        measureLine(decoded, rendered.loopStart, sourceTempo(source)).c_str());
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
    std::printf("%s\n", measureLine(track, loopStart, tempo).c_str());
    return 0;
}

// How far the music's 1-2 kHz band stays above an effect played over its looped body.
int maskingOfFiles(const std::string& musicPath, const std::string& shotPath, double seconds, double every,
                   double gainDb) {
    if (!(seconds > 0.0 && seconds <= 600.0) || !(every >= 0.005 && every <= 60.0) ||
        !(gainDb >= -60.0 && gainDb <= 20.0)) {
        std::fprintf(stderr,
                     "masking: --seconds in 0 .. 600, --every in 0.005 .. 60, --shot-gain-db in -60 .. 20\n");
        return 2;
    }
    Stereo music, shot;
    size_t loopStart = 0;
    if (!readOgg(musicPath, music, &loopStart) || !readCaf(shotPath, shot)) {
        return 1;
    }
    if (music.frames() == 0 || loopStart >= music.frames() || shot.frames() == 0) {
        std::fprintf(stderr, "masking: the music's body or the effect holds no samples\n");
        return 1;
    }
    const Masking masking = measureMasking(music, loopStart, shot, seconds, every, gainDb);
    std::printf("music_band_db=%.2f shot_band_db=%.2f margin_db=%.2f\n", masking.musicDb, masking.shotDb,
                masking.musicDb - masking.shotDb);
    return 0;
}

// Reads `--name VALUE` pairs from argument `first` on into the value of each name (values keep
// their defaults when not given); false when an argument is not one of `names` or has no value.
bool options(int argc, char** argv, int first, const std::vector<std::string>& names,
             std::vector<std::string>& values) {
    for (int i = first; i < argc; i += 2) {
        const auto found = std::find(names.begin(), names.end(), argv[i]);
        if (found == names.end() || i + 1 >= argc) {
            return false;
        }
        values[static_cast<size_t>(found - names.begin())] = argv[i + 1];
    }
    return true;
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
    if (mode == "masking" && argc >= 4) {
        std::vector<std::string> values = {"", "0.07", "-6"};
        if (options(argc, argv, 4, {"--seconds", "--every", "--shot-gain-db"}, values) &&
            !values[0].empty()) {
            return maskingOfFiles(argv[2], argv[3], std::atof(values[0].c_str()),
                                  std::atof(values[1].c_str()), std::atof(values[2].c_str()));
        }
    }
    std::fprintf(stderr,
                 "usage: orvale-audiogen track SOURCE OUT.ogg | effects OUT_DIR | wav SOURCE OUT.wav |\n"
                 "       measure FILE.wav|FILE.ogg [--tempo BPM] |\n"
                 "       masking MUSIC.ogg SHOT.caf --seconds N [--every 0.07] [--shot-gain-db -6]\n");
    return 2;
}
