// The track renderer: reads a note source (tracks/README.md) and plays it through a small
// band of synthesised instruments (lead, bass, pad, arpeggio, drums) into a stereo mix.

#include <algorithm>
#include <map>
#include <sstream>

#include "AudioGen.h"
#include "Midi.h"

namespace audiogen {

namespace {

constexpr int kStepsPerBar = 16;

struct Chord {
    int root = 0;                // pitch class
    std::vector<int> intervals;  // semitones above the root
};

struct ChordSpan {
    Chord chord;
    int steps = kStepsPerBar;
};

struct Note {
    int pitch = -1;  // MIDI note, -1 for a rest
    int start = 0;   // steps from the phrase start
    int length = 0;  // steps
    double velocity = 1.0;
};

struct Phrase {
    std::vector<Note> notes;
    int steps = 0;
};

// One bar or more of drum steps per voice: 'x' a full hit, 'o' a soft one, '.' nothing.
struct DrumPattern {
    // k kick, s snare, h closed hat, o open hat, c crash, t tom, m metal clang, n thunder
    std::map<char, std::string> voices;
    int steps = kStepsPerBar;
};

// A melodic line of a section: phrases played one after another and over again to fill it,
// every note shifted by `shift` semitones.
struct Line {
    std::vector<std::string> phrases;
    int shift = 0;
    double level = 1.0;
};

struct Section {
    std::string name;
    int bars = 0;
    std::string progression, drums, bass = "none", arp = "off";
    Line lead, counter;
    int key = 0;         // semitones the whole section is played above the written key
    double tempo = 0.0;  // beats per minute of this section; 0 keeps the song's
    bool pad = false, fill = false, crash = true;
};

enum class LeadVoice { Saw, Square, Bell, Pulse };
enum class BassVoice { Saw, Square, Sine };

struct Song {
    double tempo = 120.0;
    LeadVoice lead = LeadVoice::Saw;
    LeadVoice counter = LeadVoice::Bell;
    // Places in the field, -1 (left) .. 1 (right).
    double leadPan = 0.0, counterPan = 0.5, hatPan = 0.3, metalPan = -0.4;
    double leadWidth = 0.0;  // the lead's two detuned oscillators spread apart by this much
    BassVoice bass = BassVoice::Saw;
    double padCutoff = 1400.0;
    double swing = 0.0;
    std::map<std::string, std::vector<ChordSpan>> progressions;
    std::map<std::string, Phrase> phrases;
    std::map<std::string, DrumPattern> drums;
    std::map<std::string, Section> sections;
    std::vector<std::string> order;
    size_t introSections = 0;  // the first sections of `order` play once; the rest loops
};

// --- Parsing --------------------------------------------------------------------------------

// The bass lines made from the chords; any other bass a section names is a phrase.
bool isBassStyle(const std::string& name) {
    static const char* const styles[] = {"none", "whole", "drive", "pulse", "walk", "sync", "octave"};
    return std::find(std::begin(styles), std::end(styles), name) != std::end(styles);
}

bool parsePitch(const std::string& text, int& pitch) {
    static const int letters[] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    if (text.empty() || text[0] < 'a' || text[0] > 'g') {
        return false;
    }
    int pc = letters[text[0] - 'a'];
    size_t at = 1;
    while (at < text.size() && (text[at] == '#' || text[at] == 'b')) {
        pc += text[at] == '#' ? 1 : -1;
        ++at;
    }
    if (at >= text.size() || !std::isdigit(static_cast<unsigned char>(text[at]))) {
        return false;
    }
    const int octave = std::stoi(text.substr(at));
    pitch = (octave + 1) * 12 + pc;
    return true;
}

bool parseChord(const std::string& text, Chord& chord) {
    static const int letters[] = {9, 11, 0, 2, 4, 5, 7};
    if (text.empty() || text[0] < 'A' || text[0] > 'G') {
        return false;
    }
    int pc = letters[text[0] - 'A'];
    size_t at = 1;
    if (at < text.size() && (text[at] == '#' || text[at] == 'b')) {
        pc += text[at] == '#' ? 1 : -1;
        ++at;
    }
    chord.root = (pc + 12) % 12;
    const std::string quality = text.substr(at);
    static const std::map<std::string, std::vector<int>> qualities = {
        {"", {0, 4, 7}},         {"m", {0, 3, 7}},        {"7", {0, 4, 7, 10}},     {"m7", {0, 3, 7, 10}},
        {"maj7", {0, 4, 7, 11}}, {"sus4", {0, 5, 7}},     {"sus2", {0, 2, 7}},      {"dim", {0, 3, 6}},
        {"5", {0, 7}},           {"add9", {0, 4, 7, 14}}, {"m9", {0, 3, 7, 10, 14}}};
    const auto found = qualities.find(quality);
    if (found == qualities.end()) {
        return false;
    }
    chord.intervals = found->second;
    return true;
}

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    std::string word;
    while (in >> word) {
        out.push_back(word);
    }
    return out;
}

// Appends tokens to a phrase: "e5:4" a note of four steps, "r:2" a rest, "_:2" lengthens the
// note before, "|" marks a bar and is checked.
bool addPhraseTokens(Phrase& phrase, const std::vector<std::string>& tokens, size_t from,
                     std::string& error) {
    for (size_t i = from; i < tokens.size(); ++i) {
        const std::string& token = tokens[i];
        if (token == "|") {
            if (phrase.steps % kStepsPerBar != 0) {
                error = "bar mark after " + std::to_string(phrase.steps) + " steps";
                return false;
            }
            continue;
        }
        const size_t colon = token.find(':');
        if (colon == std::string::npos) {
            error = "note without a length: " + token;
            return false;
        }
        std::string name = token.substr(0, colon);
        double velocity = 1.0;
        if (!name.empty() && name.back() == '!') {  // accent
            velocity = 1.25;
            name.pop_back();
        }
        const int length = std::atoi(token.c_str() + colon + 1);
        if (length <= 0) {
            error = "bad length: " + token;
            return false;
        }
        if (name == "_") {
            if (phrase.notes.empty() ||
                phrase.notes.back().start + phrase.notes.back().length != phrase.steps) {
                error = "tie with no note before it";
                return false;
            }
            phrase.notes.back().length += length;
        } else if (name != "r") {
            Note note;
            if (!parsePitch(name, note.pitch)) {
                error = "bad pitch: " + token;
                return false;
            }
            note.start = phrase.steps;
            note.length = length;
            note.velocity = velocity;
            phrase.notes.push_back(note);
        }
        phrase.steps += length;
    }
    return true;
}

bool parseSong(const std::string& text, Song& song, std::string& error) {
    std::istringstream in(text);
    std::string line;
    int number = 0;
    std::string lastKind, lastName;
    auto fail = [&](const std::string& why) {
        error = "line " + std::to_string(number) + ": " + why;
        return false;
    };
    while (std::getline(in, line)) {
        ++number;
        // A comment starts with '#' at the start of a line or after a space ("g#5" is a note).
        for (size_t hash = line.find('#'); hash != std::string::npos; hash = line.find('#', hash + 1)) {
            if (hash == 0 || line[hash - 1] == ' ' || line[hash - 1] == '\t') {
                line.erase(hash);
                break;
            }
        }
        const std::vector<std::string> w = words(line);
        if (w.empty()) {
            continue;
        }
        const std::string& key = w[0];
        if (key == "+") {  // continues the phrase or progression above
            if (lastKind == "phrase") {
                if (!addPhraseTokens(song.phrases[lastName], w, 1, error)) {
                    return fail(error);
                }
                continue;
            }
            if (lastKind != "progression") {
                return fail("'+' after neither a phrase nor a progression");
            }
        } else if (w.size() < 2) {
            return fail("'" + key + "' needs a value");
        }
        if (key == "tempo") {
            song.tempo = std::atof(w[1].c_str());
            if (song.tempo < 40.0 || song.tempo > 300.0) {
                return fail("tempo out of 40 .. 300");
            }
        } else if (key == "swing") {
            song.swing = std::atof(w[1].c_str());
        } else if (key == "padcutoff") {
            song.padCutoff = std::atof(w[1].c_str());
        } else if (key == "lead" || key == "countervoice") {
            const std::map<std::string, LeadVoice> voices = {{"saw", LeadVoice::Saw},
                                                             {"square", LeadVoice::Square},
                                                             {"bell", LeadVoice::Bell},
                                                             {"pulse", LeadVoice::Pulse}};
            if (!voices.count(w[1])) {
                return fail("unknown lead voice " + w[1]);
            }
            (key == "lead" ? song.lead : song.counter) = voices.at(w[1]);
        } else if (key == "leadwidth") {
            song.leadWidth = std::fmin(std::fmax(std::atof(w[1].c_str()), 0.0), 1.0);
        } else if (key == "pan") {
            // pan lead -0.2 counter 0.5 ...: pairs of a voice and its place.
            const std::map<std::string, double*> places = {{"lead", &song.leadPan},
                                                           {"counter", &song.counterPan},
                                                           {"hats", &song.hatPan},
                                                           {"metal", &song.metalPan}};
            if (w.size() % 2 == 0) {
                return fail("pan needs pairs of a voice and a place");
            }
            for (size_t i = 1; i + 1 < w.size(); i += 2) {
                if (!places.count(w[i])) {
                    return fail("pan names unknown voice " + w[i]);
                }
                *places.at(w[i]) = std::fmin(std::fmax(std::atof(w[i + 1].c_str()), -1.0), 1.0);
            }
        } else if (key == "bassvoice") {
            const std::map<std::string, BassVoice> voices = {
                {"saw", BassVoice::Saw}, {"square", BassVoice::Square}, {"sine", BassVoice::Sine}};
            if (!voices.count(w[1])) {
                return fail("unknown bass voice " + w[1]);
            }
            song.bass = voices.at(w[1]);
        } else if (key == "progression" || key == "+") {
            size_t from = 1;
            if (key == "progression") {
                lastKind = "progression";
                lastName = w[1];
                song.progressions[lastName].clear();
                from = 2;
            }
            for (size_t i = from; i < w.size(); ++i) {
                // "Am" fills a bar, "Am-G" splits it in halves.
                std::vector<std::string> halves;
                std::string rest = w[i];
                size_t dash;
                while ((dash = rest.find('-')) != std::string::npos) {
                    halves.push_back(rest.substr(0, dash));
                    rest = rest.substr(dash + 1);
                }
                halves.push_back(rest);
                for (const std::string& part : halves) {
                    ChordSpan span;
                    if (!parseChord(part, span.chord)) {
                        return fail("bad chord " + part);
                    }
                    span.steps = kStepsPerBar / static_cast<int>(halves.size());
                    song.progressions[lastName].push_back(span);
                }
            }
        } else if (key == "phrase") {
            lastKind = "phrase";
            lastName = w[1];
            song.phrases[lastName] = Phrase{};
            if (!addPhraseTokens(song.phrases[lastName], w, 2, error)) {
                return fail(error);
            }
        } else if (key == "drums") {
            DrumPattern pattern;
            pattern.steps = 0;
            for (size_t i = 2; i < w.size(); ++i) {
                if (w[i].size() < 3 || w[i][1] != '=') {
                    return fail("drum voice must read like k=x...");
                }
                const std::string steps = w[i].substr(2);
                if (steps.size() % kStepsPerBar != 0) {
                    return fail("drum line not a whole number of bars");
                }
                pattern.voices[w[i][0]] = steps;
                pattern.steps = std::max(pattern.steps, static_cast<int>(steps.size()));
            }
            song.drums[w[1]] = pattern;
            lastKind = "drums";
        } else if (key == "section") {
            if (w.size() < 3) {
                return fail("section needs a name and a bar count");
            }
            Section section;
            section.name = w[1];
            section.bars = std::atoi(w[2].c_str());
            if (section.bars <= 0) {
                return fail("section needs at least one bar");
            }
            for (size_t i = 3; i < w.size(); ++i) {
                const size_t eq = w[i].find('=');
                if (eq == std::string::npos) {
                    return fail("section option must read key=value: " + w[i]);
                }
                const std::string name = w[i].substr(0, eq), value = w[i].substr(eq + 1);
                if (name == "chords") {
                    section.progression = value;
                } else if (name == "lead" || name == "counter") {
                    // "hook,hook2+12": phrases in turn, shifted an octave up.
                    Line& target = name == "lead" ? section.lead : section.counter;
                    const size_t shift = value.find_first_of("+-");
                    std::istringstream names(value.substr(0, shift));
                    std::string phrase;
                    while (std::getline(names, phrase, ',')) {
                        target.phrases.push_back(phrase);
                    }
                    target.shift = shift == std::string::npos ? 0 : std::atoi(value.c_str() + shift);
                } else if (name == "leadlevel") {
                    section.lead.level = std::atof(value.c_str());
                } else if (name == "counterlevel") {
                    section.counter.level = std::atof(value.c_str());
                } else if (name == "key") {
                    section.key = std::atoi(value.c_str());
                    if (section.key < -12 || section.key > 12) {
                        return fail("key out of -12 .. 12");
                    }
                } else if (name == "tempo") {
                    section.tempo = std::atof(value.c_str());
                    if (section.tempo < 40.0 || section.tempo > 300.0) {
                        return fail("section tempo out of 40 .. 300");
                    }
                } else if (name == "drums") {
                    section.drums = value;
                } else if (name == "bass") {
                    section.bass = value;
                } else if (name == "arp") {
                    section.arp = value;
                } else if (name == "pad") {
                    section.pad = value == "1";
                } else if (name == "fill") {
                    section.fill = value == "1";
                } else if (name == "crash") {
                    section.crash = value == "1";
                } else {
                    return fail("unknown section option " + name);
                }
            }
            song.sections[section.name] = section;
            lastKind = "section";
        } else if (key == "song") {
            // "song intro | A B": the sections before the bar play once, the rest loops.
            song.order.clear();
            song.introSections = 0;
            for (size_t i = 1; i < w.size(); ++i) {
                if (w[i] != "|") {
                    song.order.push_back(w[i]);
                } else if (song.introSections > 0 || song.order.empty()) {
                    return fail("'|' must follow the intro's sections, once");
                } else {
                    song.introSections = song.order.size();
                }
            }
            if (song.introSections == song.order.size() && song.introSections > 0) {
                return fail("nothing after '|' to loop");
            }
            lastKind = "song";
        } else if (key != "+") {
            return fail("unknown keyword " + key);
        }
    }
    if (song.order.empty()) {
        error = "no song line";
        return false;
    }
    for (const std::string& name : song.order) {
        const auto found = song.sections.find(name);
        if (found == song.sections.end()) {
            error = "song names unknown section " + name;
            return false;
        }
        const Section& s = found->second;
        if (!song.progressions.count(s.progression)) {
            error = "section " + name + " has no progression '" + s.progression + "'";
            return false;
        }
        for (const Line* melody : {&s.lead, &s.counter}) {
            for (const std::string& phrase : melody->phrases) {
                if (!song.phrases.count(phrase)) {
                    error = "section " + name + " names unknown phrase " + phrase;
                    return false;
                }
            }
        }
        if (!s.drums.empty() && !song.drums.count(s.drums)) {
            error = "section " + name + " names unknown drums " + s.drums;
            return false;
        }
        // A bass that names a phrase plays it note for note.
        if (!isBassStyle(s.bass) && !song.phrases.count(s.bass)) {
            error = "section " + name + " has unknown bass style " + s.bass;
            return false;
        }
    }
    return true;
}

// --- Instruments ----------------------------------------------------------------------------

struct Buses {
    Stereo dry, reverb, echo;
    explicit Buses(size_t frames) : dry(frames), reverb(frames), echo(frames) {}
};

void put(Stereo& bus, size_t at, double value, double pan) {
    if (at >= bus.frames()) {
        return;
    }
    // Constant-power pan, pan in -1 (left) .. 1 (right).
    const double angle = (pan + 1.0) * 0.25 * kPi;
    bus.left[at] += value * std::cos(angle);
    bus.right[at] += value * std::sin(angle);
}

// Where each section's steps fall in time: sections may have tempos of their own.
struct TempoSpan {
    double firstStep = 0.0, startSeconds = 0.0, stepSeconds = 0.0;
};

struct Renderer {
    const Song& song;
    Buses& buses;
    std::vector<TempoSpan> tempoSpans;  // in order of their first step
    Noise noise{12345};

    const TempoSpan& spanAt(double step) const {
        size_t at = 0;
        while (at + 1 < tempoSpans.size() && tempoSpans[at + 1].firstStep <= step) {
            ++at;
        }
        return tempoSpans[at];
    }
    // The length of a sixteenth where `step` falls.
    double stepSecondsAt(double step) const { return spanAt(step).stepSeconds; }
    double secondsAt(double step) const {
        const TempoSpan& span = spanAt(step);
        return span.startSeconds + (step - span.firstStep) * span.stepSeconds;
    }

    size_t frameOf(double step) const {
        // Swing delays every second sixteenth.
        const double whole = std::floor(step);
        double offset = step - whole;
        if (static_cast<long>(whole) % 2 == 1) {
            offset += song.swing;
        }
        return static_cast<size_t>(secondsAt(whole + offset) * kRate);
    }

    // One note of a melodic voice (the lead or the counter-line) at `pan`; a `width` above 0
    // sets its two detuned oscillators apart on either side of it.
    void lead(LeadVoice voice, int pitch, double start, double steps, double velocity, double level,
              double pan, double width) {
        const double hz = midiToHz(pitch);
        const double gate = steps * stepSecondsAt(start) * 0.92;
        const bool bell = voice == LeadVoice::Bell;
        const double release = bell ? 0.5 : 0.18;
        const size_t length = static_cast<size_t>((gate + release * 6.0) * kRate);
        const size_t begin = frameOf(start);
        Oscillator a, b, modulator, tine;
        Filter filter, spread;
        const Wave wave = voice == LeadVoice::Square  ? Wave::Square
                          : voice == LeadVoice::Pulse ? Wave::Pulse
                                                      : Wave::Saw;
        const double gain = 0.26 * velocity * level;
        for (size_t i = 0; i < length; ++i) {
            const double t = static_cast<double>(i) / kRate;
            double sample;
            if (bell) {
                // Two-operator tone like an electric piano: bright attack, soft body.
                const double env = adsr(t, gate, 0.004, 1.1, 0.0, release);
                const double index = 1.6 * std::exp(-t / 0.35) + 0.25;
                const double mod = modulator.next(Wave::Sine, hz) * index;
                a.phase += mod * 0.02;
                a.phase -= std::floor(a.phase);
                sample =
                    (a.next(Wave::Sine, hz) + 0.12 * std::exp(-t / 0.05) * tine.next(Wave::Sine, hz * 14.0)) *
                    env * 1.4;
            } else {
                const double env = adsr(t, gate, 0.008, 0.35, 0.75, release);
                const double vibrato =
                    t > 0.22 ? 0.12 * std::min(1.0, (t - 0.22) / 0.3) * std::sin(2.0 * kPi * 5.5 * t) : 0.0;
                const double f = hz * std::pow(2.0, vibrato / 12.0);
                const double cutoff = 900.0 + 4200.0 * std::exp(-t / 0.3) * velocity;
                if (width > 0.0) {
                    filter.run(a.next(wave, f * 1.003), cutoff, 0.9);
                    spread.run(b.next(wave, f * 0.997), cutoff, 0.9);
                    const double left = 0.5 * filter.low * env * gain, right = 0.5 * spread.low * env * gain;
                    for (const auto& [value, place] :
                         {std::pair{left, pan - width}, std::pair{right, pan + width}}) {
                        put(buses.dry, begin + i, value, place);
                        put(buses.reverb, begin + i, value * 0.35, place);
                        put(buses.echo, begin + i, value * 0.3, place);
                    }
                    continue;
                }
                const double raw = 0.5 * (a.next(wave, f * 1.003) + b.next(wave, f * 0.997));
                filter.run(raw, cutoff, 0.9);
                sample = filter.low * env;
            }
            put(buses.dry, begin + i, sample * gain, pan);
            put(buses.reverb, begin + i, sample * gain * 0.35, pan);
            put(buses.echo, begin + i, sample * gain * 0.3, pan);
        }
    }

    // A melodic line through one of the section's voices: its phrases in turn until it is full.
    void playLine(const Line& melody, LeadVoice voice, double from, int sectionSteps, int key, double pan,
                  double width) {
        int offset = 0;
        for (size_t turn = 0; !melody.phrases.empty() && offset < sectionSteps; ++turn) {
            const Phrase& phrase = song.phrases.at(melody.phrases[turn % melody.phrases.size()]);
            for (const Note& note : phrase.notes) {
                if (offset + note.start < sectionSteps) {
                    lead(voice, note.pitch + melody.shift + key, from + offset + note.start, note.length,
                         note.velocity, melody.level, pan, width);
                }
            }
            // An empty phrase still takes a bar, so a line of nothing but empty phrases ends.
            offset += phrase.steps > 0 ? phrase.steps : kStepsPerBar;
        }
    }

    void bass(int pitch, double start, double steps, double velocity) {
        const double hz = midiToHz(pitch);
        const double gate = steps * stepSecondsAt(start) * 0.85;
        const size_t length = static_cast<size_t>((gate + 0.3) * kRate);
        const size_t begin = frameOf(start);
        Oscillator a, sub;
        Filter filter;
        const Wave wave = song.bass == BassVoice::Square ? Wave::Square
                          : song.bass == BassVoice::Sine ? Wave::Triangle
                                                         : Wave::Saw;
        const double gain = 0.34 * velocity;
        for (size_t i = 0; i < length; ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double env = adsr(t, gate, 0.004, 0.25, 0.7, 0.04);
            filter.run(a.next(wave, hz), 220.0 + 1500.0 * std::exp(-t / 0.09) * velocity, 1.1);
            const double sample = (filter.low + 0.6 * sub.next(Wave::Sine, hz * 0.5)) * env;
            put(buses.dry, begin + i, sample * gain, 0.0);
        }
    }

    void pad(const Chord& chord, double start, double steps) {
        const double gate = steps * stepSecondsAt(start);
        const size_t length = static_cast<size_t>((gate + 0.8) * kRate);
        const size_t begin = frameOf(start);
        int tone = 0;
        for (int interval : chord.intervals) {
            int pitch = 48 + chord.root + interval;
            while (pitch < 55) {
                pitch += 12;
            }
            while (pitch > 67) {
                pitch -= 12;
            }
            const double hz = midiToHz(pitch);
            const double pan = tone % 2 == 0 ? -0.45 : 0.45;
            Oscillator a, b;
            Filter filter;
            for (size_t i = 0; i < length; ++i) {
                const double t = static_cast<double>(i) / kRate;
                const double env = adsr(t, gate, 0.35, 1.0, 1.0, 0.35);
                const double raw = 0.5 * (a.next(Wave::Saw, hz * 1.005) + b.next(Wave::Saw, hz * 0.995));
                filter.run(raw, song.padCutoff * (1.0 + 0.25 * std::sin(2.0 * kPi * 0.15 * t)), 0.7);
                const double sample = filter.low * env * 0.055;
                put(buses.dry, begin + i, sample, pan);
                put(buses.reverb, begin + i, sample * 0.6, pan);
            }
            ++tone;
        }
    }

    void arpNote(int pitch, double start, double pan, double velocity) {
        const double hz = midiToHz(pitch);
        const size_t length = static_cast<size_t>(0.35 * kRate);
        const size_t begin = frameOf(start);
        Oscillator a;
        Filter filter;
        for (size_t i = 0; i < length; ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double env = std::exp(-t / 0.07) * std::min(1.0, t / 0.002);
            filter.run(a.next(Wave::Pulse, hz), 1200.0 + 3000.0 * std::exp(-t / 0.05), 1.0);
            const double sample = filter.low * env * 0.07 * velocity;
            put(buses.dry, begin + i, sample, pan);
            put(buses.echo, begin + i, sample * 0.5, pan);
        }
    }

    void drum(char voice, double start, double velocity) {
        const size_t begin = frameOf(start);
        Oscillator body;
        Filter filter, second;
        double seconds = 0.3;
        switch (voice) {
            case 'k':
                seconds = 0.45;
                break;
            case 's':
                seconds = 0.35;
                break;
            case 'h':
                seconds = 0.08;
                break;
            case 'o':
                seconds = 0.4;
                break;
            case 'c':
                seconds = 2.2;
                break;
            case 't':
                seconds = 0.45;
                break;
            case 'm':
                seconds = 0.7;
                break;
            case 'n':
                seconds = 2.8;
                break;
            default:
                return;
        }
        const size_t length = static_cast<size_t>(seconds * kRate);
        for (size_t i = 0; i < length; ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double n = noise.next();
            double sample = 0.0, pan = 0.0, send = 0.0;
            switch (voice) {
                case 'k': {
                    const double f = 48.0 + 120.0 * std::exp(-t / 0.028);
                    sample = body.next(Wave::Sine, f) * std::exp(-t / 0.3) * 0.75 +
                             n * std::exp(-t / 0.002) * 0.25;
                    break;
                }
                case 's': {
                    filter.run(n, 1800.0, 0.6);
                    sample = body.next(Wave::Sine, 190.0 - 30.0 * t) * std::exp(-t / 0.05) * 0.45 +
                             (filter.high * 0.6 + filter.band * 0.5) * std::exp(-t / 0.09) * 0.38;
                    send = 0.18;
                    pan = 0.05;
                    break;
                }
                case 'h':
                case 'o': {
                    filter.run(n, 7500.0, 0.8);
                    sample = filter.high * std::exp(-t / (voice == 'h' ? 0.022 : 0.14)) * 0.28;
                    pan = song.hatPan;
                    break;
                }
                case 'c': {
                    filter.run(n, 4200.0, 0.7);
                    second.run(filter.high, 9000.0, 0.5);
                    sample = (filter.high * 0.6 + second.band * 0.4) * std::exp(-t / 0.7) * 0.22;
                    pan = -0.25;
                    send = 0.4;
                    break;
                }
                case 't': {
                    const double f = 95.0 + 50.0 * std::exp(-t / 0.05);
                    sample = body.next(Wave::Sine, f) * std::exp(-t / 0.18) * 0.5;
                    pan = -0.2;
                    send = 0.2;
                    break;
                }
                case 'm': {
                    // Struck plate: inharmonic partials that die away at their own rates, and
                    // the clink of the strike.
                    static const double ratios[] = {1.0, 1.52, 2.31, 2.94, 4.17};
                    static const double decays[] = {0.32, 0.2, 0.14, 0.09, 0.05};
                    for (int k = 0; k < 5; ++k) {
                        sample +=
                            std::sin(2.0 * kPi * 330.0 * ratios[k] * t) * std::exp(-t / decays[k]) * 0.1;
                    }
                    filter.run(n, 5000.0, 0.7);
                    sample += filter.high * std::exp(-t / 0.004) * 0.5;
                    pan = song.metalPan;
                    send = 0.3;
                    break;
                }
                case 'n': {
                    // Thunder: a crack, then a low roll that swells and fades, with its own
                    // noise on each side so it fills the field.
                    const double roll = std::min(1.0, t / 0.06) * std::exp(-t / 0.8);
                    const double cutoff = 110.0 + 500.0 * std::exp(-t / 0.25);
                    filter.run(n, cutoff, 0.8);
                    second.run(noise.next(), cutoff, 0.8);
                    const double crack = n * std::exp(-t / 0.012) * 0.35;
                    const double left = (filter.low * roll * 2.2 + crack) * velocity;
                    const double right = (second.low * roll * 2.2 + crack) * velocity;
                    if (begin + i < buses.dry.frames()) {
                        buses.dry.left[begin + i] += left;
                        buses.dry.right[begin + i] += right;
                        buses.reverb.left[begin + i] += left * 0.3;
                        buses.reverb.right[begin + i] += right * 0.3;
                    }
                    continue;
                }
                default:
                    break;
            }
            put(buses.dry, begin + i, sample * velocity, pan);
            if (send > 0.0) {
                put(buses.reverb, begin + i, sample * velocity * send, pan);
            }
        }
    }

    // The bass line a style makes from the chord under it.
    void bassLine(const std::string& style, const Chord& chord, double start, int steps) {
        int root = 28 + (chord.root - 4 + 12) % 12;  // E1 .. D#2
        const int fifth = root + 7;
        const int octave = root + 12;
        if (style == "whole") {
            bass(root, start, steps, 0.9);
        } else if (style == "pulse") {
            for (int s = 0; s < steps; s += 2) {
                bass(root, start + s, 1.6, s % 4 == 0 ? 1.0 : 0.8);
            }
        } else if (style == "drive") {
            for (int s = 0; s < steps; s += 2) {
                bass(s % 8 == 6 ? octave : root, start + s, 1.5, s % 4 == 0 ? 1.0 : 0.75);
            }
        } else if (style == "octave") {
            for (int s = 0; s < steps; s += 2) {
                bass(s % 4 == 2 ? octave : root, start + s, 1.4, s % 4 == 0 ? 1.0 : 0.85);
            }
        } else if (style == "walk") {
            const int notes[] = {root, fifth, octave, fifth};
            for (int s = 0; s < steps; s += 4) {
                bass(notes[(s / 4) % 4], start + s, 3.5, 0.9);
            }
        } else if (style == "sync") {
            // 3 + 3 + 2 across each half bar's worth of eighths.
            const int offsets[] = {0, 3, 6, 8, 11, 14};
            const int pitches[] = {root, root, octave, root, fifth, octave};
            for (int k = 0; k < 6; ++k) {
                if (offsets[k] < steps) {
                    bass(pitches[k], start + offsets[k], k % 3 == 2 ? 1.6 : 2.6, k % 3 == 0 ? 1.0 : 0.8);
                }
            }
        }
    }

    void arpeggio(const std::string& style, const Chord& chord, double start, int steps, int& counter) {
        if (style == "off") {
            return;
        }
        std::vector<int> tones;
        for (int octave = 0; octave < 2; ++octave) {
            for (int interval : chord.intervals) {
                tones.push_back(60 + chord.root + interval % 12 + 12 * octave);
            }
        }
        std::sort(tones.begin(), tones.end());
        const int stride = style == "8" ? 2 : 1;
        for (int s = 0; s < steps; s += stride) {
            const size_t n = tones.size();
            size_t index = static_cast<size_t>(counter) % (2 * n - 2);
            if (style == "down") {
                index = n - 1 - static_cast<size_t>(counter) % n;
            } else if (index >= n) {
                index = 2 * n - 2 - index;  // up and back down
            }
            arpNote(tones[index], start + s, counter % 2 == 0 ? -0.5 : 0.5, s % 4 == 0 ? 1.0 : 0.75);
            ++counter;
        }
    }
};

}  // namespace

bool renderTrack(const std::string& sourceText, const std::string& sourceDir, RenderedTrack& out,
                 std::string& error) {
    // A source may take its notes from a MIDI file: it then reads as the notes written out.
    std::string text;
    if (!expandMidiSource(sourceText, sourceDir, text, error)) {
        return false;
    }
    Song song;
    if (!parseSong(text, song, error)) {
        return false;
    }
    // Each section's place in time, at its own tempo or the song's.
    std::vector<TempoSpan> spans;
    double seconds = 0.0, introSeconds = 0.0;
    int totalBars = 0;
    for (size_t index = 0; index < song.order.size(); ++index) {
        const Section& section = song.sections.at(song.order[index]);
        if (index == song.introSections) {
            introSeconds = seconds;
        }
        TempoSpan span;
        span.firstStep = totalBars * kStepsPerBar;
        span.startSeconds = seconds;
        span.stepSeconds = 60.0 / (section.tempo > 0.0 ? section.tempo : song.tempo) / 4.0;
        spans.push_back(span);
        seconds += section.bars * kStepsPerBar * span.stepSeconds;
        totalBars += section.bars;
    }
    const double stepSeconds = spans.front().stepSeconds;
    const size_t totalFrames = static_cast<size_t>(seconds * kRate);
    const size_t loopStart = static_cast<size_t>(introSeconds * kRate);
    const size_t tail = static_cast<size_t>(5.0 * kRate);
    Buses buses(totalFrames + tail);
    Renderer renderer{song, buses, spans};

    int bar = 0;
    int arpCounter = 0;
    for (const std::string& name : song.order) {
        const Section& section = song.sections.at(name);
        const double sectionStart = bar * kStepsPerBar;
        const int sectionSteps = section.bars * kStepsPerBar;
        // Chords repeat to fill the section.
        const std::vector<ChordSpan>& chords = song.progressions.at(section.progression);
        for (int step = 0, index = 0; step < sectionSteps; ++index) {
            ChordSpan span = chords[static_cast<size_t>(index) % chords.size()];
            span.chord.root = (span.chord.root + section.key + 24) % 12;
            const int steps = std::min(span.steps, sectionSteps - step);
            if (section.pad) {
                renderer.pad(span.chord, sectionStart + step, steps);
            }
            renderer.bassLine(section.bass, span.chord, sectionStart + step, steps);
            renderer.arpeggio(section.arp, span.chord, sectionStart + step, steps, arpCounter);
            step += steps;
        }
        // The melody repeats to fill the section.
        // A bass named by a phrase plays it note for note, over and over.
        const auto bassPhrase =
            isBassStyle(section.bass) ? song.phrases.end() : song.phrases.find(section.bass);
        for (int offset = 0;
             bassPhrase != song.phrases.end() && offset<sectionSteps; offset += bassPhrase->second.steps> 0
                 ? bassPhrase->second.steps
                 : kStepsPerBar) {
            for (const Note& note : bassPhrase->second.notes) {
                if (offset + note.start < sectionSteps) {
                    renderer.bass(note.pitch + section.key, sectionStart + offset + note.start, note.length,
                                  0.9 * note.velocity);
                }
            }
        }
        renderer.playLine(section.lead, song.lead, sectionStart, sectionSteps, section.key, song.leadPan,
                          song.leadWidth);
        renderer.playLine(section.counter, song.counter, sectionStart, sectionSteps, section.key,
                          song.counterPan, 0.0);
        if (!section.drums.empty()) {
            const DrumPattern& pattern = song.drums.at(section.drums);
            const int fillFrom = section.fill ? sectionSteps - 8 : sectionSteps;
            for (int step = 0; step < sectionSteps; ++step) {
                if (step >= fillFrom) {
                    // The fill: snare sixteenths rising in strength, a tom on each beat.
                    const double rise = 0.45 + 0.55 * (step - fillFrom) / 8.0;
                    renderer.drum('s', sectionStart + step, rise * 0.9);
                    if (step % 4 == 0) {
                        renderer.drum('t', sectionStart + step, 0.9);
                    }
                    if (step % 4 == 0) {
                        renderer.drum('k', sectionStart + step, 0.9);
                    }
                    continue;
                }
                for (const auto& [voice, steps] : pattern.voices) {
                    const char hit = steps[static_cast<size_t>(step) % steps.size()];
                    if (hit == 'x' || hit == 'o') {
                        const double humanise = 0.92 + 0.08 * renderer.noise.unit();
                        renderer.drum(voice, sectionStart + step, (hit == 'x' ? 1.0 : 0.5) * humanise);
                    }
                }
            }
            if (section.crash) {
                renderer.drum('c', sectionStart, 1.0);
            }
        }
        bar += section.bars;
    }

    Stereo mix(totalFrames + tail);
    for (size_t i = 0; i < mix.frames(); ++i) {
        mix.left[i] = buses.dry.left[i];
        mix.right[i] = buses.dry.right[i];
    }
    addEcho(buses.echo, mix, stepSeconds * 3.0, 0.35, 0.6);
    addReverb(buses.reverb, mix, 0.82, 1.0);

    // A gentle high-pass at 20 Hz keeps the kick's sweep from leaving an offset.
    const double pole = std::exp(-2.0 * kPi * 20.0 / kRate);
    for (std::vector<double>* side : {&mix.left, &mix.right}) {
        double lastIn = 0.0, lastOut = 0.0;
        for (double& v : *side) {
            const double y = v - lastIn + pole * lastOut;
            lastIn = v;
            lastOut = y;
            v = y;
        }
    }
    // Fold the tail onto the loop's start: the body then carries its own echoes across the seam.
    out.loopStart = loopStart;
    out.audio = Stereo(totalFrames);
    const size_t body = totalFrames - loopStart;
    for (size_t i = 0; i < mix.frames(); ++i) {
        const size_t at = i < totalFrames ? i : loopStart + (i - totalFrames) % body;
        out.audio.left[at] += mix.left[i];
        out.audio.right[at] += mix.right[i];
    }
    return true;
}

}  // namespace audiogen
