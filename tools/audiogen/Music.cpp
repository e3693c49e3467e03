// The track renderer: reads a note source (tracks/README.md) and plays it through a small
// band (lead, counter-line, bass, pad, arpeggio, drums) into a stereo mix. The melodic voices
// are synthesised unless a source asks for a General MIDI program; the drums are the
// soundfont's kits.

#include <algorithm>
#include <map>
#include <sstream>

#include "AudioGen.h"
#include "Fluid.h"
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
    // The letters of drumKey(), m metal clang and n thunder.
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

// The General MIDI percussion key a drum letter plays, or 0 for the synthesised ones.
int drumKey(char letter) {
    switch (letter) {
        case 'k':
            return 36;  // bass drum
        case 's':
            return 38;  // snare
        case 'h':
            return 42;  // closed hat
        case 'o':
            return 46;  // open hat
        case 'c':
            return 49;  // crash
        case 't':
            return 45;  // low tom
        case 'l':
            return 41;  // low floor tom
        case 'u':
            return 50;  // high tom
        case 'r':
            return 51;  // ride
        case 'p':
            return 39;  // hand clap
        case 'b':
            return 54;  // tambourine
        case 'e':
            return 70;  // shaker
        default:
            return 0;
    }
}

bool isDrumLetter(char letter) {
    return drumKey(letter) != 0 || letter == 'm' || letter == 'n';
}

struct Song {
    double tempo = 120.0;
    LeadVoice lead = LeadVoice::Saw;
    LeadVoice counter = LeadVoice::Bell;
    // General MIDI programs of the voices a source asks to be sampled; -1 keeps the synthesised one.
    int leadProgram = -1, counterProgram = -1, bassProgram = -1, padProgram = -1;
    int drumKit = 0;  // program in the soundfont's percussion bank
    // Places in the field, -1 (left) .. 1 (right); the widths spread a voice's notes about the
    // centre (the pad's chord tones, the arpeggio's steps, the toms from high to low).
    double leadPan = 0.0, counterPan = 0.5, hatPan = 0.35, metalPan = -0.4, bassPan = 0.0, kickPan = 0.0,
           snarePan = 0.06, padWidth = 0.65, arpWidth = 0.7, tomWidth = 0.6;
    double leadWidth = 0.0;  // the lead's two detuned oscillators spread apart by this much
    BassVoice bass = BassVoice::Saw;
    double padCutoff = 1400.0;
    double swing = 0.0;
    std::map<std::string, std::vector<ChordSpan>> progressions;
    std::map<std::string, Phrase> phrases;
    std::map<std::string, DrumPattern> drums;
    std::map<std::string, Section> sections;
    std::vector<std::string> order;
    size_t introSections = 0;          // the first sections of `order` play once; the rest loops
    std::map<std::string, int> lines;  // the line each voice and kit keyword was last given on
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
        song.lines[key] = number;
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
        } else if (w[1].rfind("gm:", 0) == 0 &&
                   (key == "lead" || key == "countervoice" || key == "bassvoice" || key == "padvoice")) {
            // "lead gm:81": the voice played by a General MIDI program from the soundfont.
            const std::string digits = w[1].substr(3);
            const int program = digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos
                                    ? -1
                                    : std::atoi(digits.c_str());
            if (program < 0 || program > 127) {
                return fail("General MIDI program must be 0 .. 127: " + w[1]);
            }
            (key == "lead"           ? song.leadProgram
             : key == "countervoice" ? song.counterProgram
             : key == "bassvoice"    ? song.bassProgram
                                     : song.padProgram) = program;
        } else if (key == "padvoice") {
            if (w[1] != "saw") {
                return fail("unknown pad voice " + w[1] + " (saw or gm:N)");
            }
            song.padProgram = -1;
        } else if (key == "drumkit") {
            song.drumKit = drumKitProgram(w[1]);
            if (song.drumKit < 0) {
                return fail("unknown drum kit " + w[1] + " (" + drumKitNames() + ")");
            }
        } else if (key == "lead" || key == "countervoice") {
            const std::map<std::string, LeadVoice> voices = {{"saw", LeadVoice::Saw},
                                                             {"square", LeadVoice::Square},
                                                             {"bell", LeadVoice::Bell},
                                                             {"pulse", LeadVoice::Pulse}};
            if (!voices.count(w[1])) {
                return fail("unknown lead voice " + w[1]);
            }
            (key == "lead" ? song.lead : song.counter) = voices.at(w[1]);
            (key == "lead" ? song.leadProgram : song.counterProgram) = -1;
        } else if (key == "leadwidth") {
            song.leadWidth = std::fmin(std::fmax(std::atof(w[1].c_str()), 0.0), 1.0);
        } else if (key == "pan") {
            // pan lead -0.2 counter 0.5 ...: pairs of a voice and its place.
            const std::map<std::string, double*> places = {
                {"lead", &song.leadPan},   {"counter", &song.counterPan}, {"hats", &song.hatPan},
                {"metal", &song.metalPan}, {"bass", &song.bassPan},       {"kick", &song.kickPan},
                {"snare", &song.snarePan}, {"pad", &song.padWidth},       {"arp", &song.arpWidth},
                {"toms", &song.tomWidth}};
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
            song.bassProgram = -1;
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
                if (!isDrumLetter(w[i][0])) {
                    return fail(std::string("unknown drum letter ") + w[i][0]);
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

// Where the voices meet: `dry` is high-passed in the mix so only the bass and the kick hold the
// bottom; `bass` is ducked under each kick; `floor` (the kick, the thunder) passes as it is;
// `doubler` (the melodic lines) returns a moment late as a difference between the sides, which
// widens a line in the middle without touching what the two sides sum to.
struct Buses {
    Stereo dry, bass, floor, reverb, echo, doubler;
    explicit Buses(size_t frames)
        : dry(frames), bass(frames), floor(frames), reverb(frames), echo(frames), doubler(frames) {}
};

// A melodic voice played from the soundfont: its notes are gathered while the song is laid
// out and rendered in one pass at the end.
struct SampledLine {
    int program = -1;
    double pan = 0.0;
    std::vector<Soundfont::NoteEvent> events;
    void note(size_t from, size_t to, int pitch, double velocity) {
        const int strength = std::clamp(static_cast<int>(std::lround(100.0 * velocity)), 1, 127);
        events.push_back({from, pitch, strength});
        events.push_back({to, pitch, 0});
    }
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
    DrumSamples& kit;
    Noise noise{12345};
    std::vector<std::pair<size_t, double>> kicks{};  // frame and strength of every kick, for the ducking
    SampledLine sampledLead{}, sampledCounter{}, sampledBass{}, sampledPadLeft{}, sampledPadRight{};

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
    void lead(LeadVoice voice, SampledLine& sampled, int pitch, double start, double steps, double velocity,
              double level, double pan, double width) {
        const double gate = steps * stepSecondsAt(start) * 0.92;
        if (sampled.program >= 0) {
            sampled.note(frameOf(start), frameOf(start) + static_cast<size_t>(gate * kRate), pitch,
                         velocity * level * 0.85);
            return;
        }
        const double hz = midiToHz(pitch);
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
                // Some edge stays after the attack, so the lead speaks in the 2-6 kHz band.
                const double cutoff = 1500.0 + 4200.0 * std::exp(-t / 0.3) * velocity;
                if (width > 0.0) {
                    filter.run(a.next(wave, f * 1.003), cutoff, 0.9);
                    spread.run(b.next(wave, f * 0.997), cutoff, 0.9);
                    const double left = 0.5 * filter.low * env * gain, right = 0.5 * spread.low * env * gain;
                    for (const auto& [value, place] :
                         {std::pair{left, pan - width}, std::pair{right, pan + width}}) {
                        put(buses.dry, begin + i, value, place);
                        put(buses.reverb, begin + i, value * 0.35, place);
                        put(buses.echo, begin + i, value * 0.3, place);
                        put(buses.doubler, begin + i, value * 0.3, place);
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
            put(buses.doubler, begin + i, sample * gain * 0.3, pan);
        }
    }

    // A melodic line through one of the section's voices: its phrases in turn until it is full.
    void playLine(const Line& melody, LeadVoice voice, SampledLine& sampled, double from, int sectionSteps,
                  int key, double pan, double width) {
        int offset = 0;
        for (size_t turn = 0; !melody.phrases.empty() && offset < sectionSteps; ++turn) {
            const Phrase& phrase = song.phrases.at(melody.phrases[turn % melody.phrases.size()]);
            for (const Note& note : phrase.notes) {
                if (offset + note.start < sectionSteps) {
                    lead(voice, sampled, note.pitch + melody.shift + key, from + offset + note.start,
                         note.length, note.velocity, melody.level, pan, width);
                }
            }
            // An empty phrase still takes a bar, so a line of nothing but empty phrases ends.
            offset += phrase.steps > 0 ? phrase.steps : kStepsPerBar;
        }
    }

    void bass(int pitch, double start, double steps, double velocity) {
        const double gate = steps * stepSecondsAt(start) * 0.85;
        if (sampledBass.program >= 0) {
            sampledBass.note(frameOf(start), frameOf(start) + static_cast<size_t>(gate * kRate), pitch,
                             velocity * 0.95);
            return;
        }
        const double hz = midiToHz(pitch);
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
            // The sub sits on the note itself: an octave below it would fall under 40 Hz,
            // felt as mud rather than heard.
            const double sample = (filter.low + 0.45 * sub.next(Wave::Sine, hz)) * env;
            put(buses.bass, begin + i, sample * gain, song.bassPan);
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
            const double pan = tone % 2 == 0 ? -song.padWidth : song.padWidth;
            if (song.padProgram >= 0) {
                (tone % 2 == 0 ? sampledPadLeft : sampledPadRight)
                    .note(begin, begin + static_cast<size_t>(gate * kRate), pitch, 0.6);
                ++tone;
                continue;
            }
            const double hz = midiToHz(pitch);
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

    // One hit of a percussion key from the song's kit, placed where a drummer's kit sits: the
    // kick and snare in the middle, hats to one side, toms across from high to low.
    void kitHit(int key, double start, double velocity) {
        double scale = 1.0;
        const std::vector<double>& samples = kit.hit(song.drumKit, key, velocity, scale);
        double gain = 0.5, pan = 0.0, send = 0.0;
        Stereo* bus = &buses.dry;
        switch (key) {
            case 36:
                gain = 0.95;
                pan = song.kickPan;
                bus = &buses.floor;
                kicks.emplace_back(frameOf(start), velocity);
                break;
            case 38:
                gain = 0.55;
                pan = song.snarePan;
                send = 0.2;
                break;
            case 42:
                gain = 0.24;
                pan = song.hatPan;
                break;
            case 46:
                gain = 0.2;
                pan = song.hatPan;
                send = 0.1;
                break;
            case 49:
                gain = 0.3;
                pan = -0.3;
                send = 0.3;
                break;
            case 51:
                gain = 0.2;
                pan = -0.4;
                send = 0.12;
                break;
            case 39:
                gain = 0.42;
                pan = -0.12;
                send = 0.3;
                break;
            case 54:
                gain = 0.22;
                pan = 0.55;
                break;
            case 70:
                gain = 0.22;
                pan = -0.55;
                break;
            default:  // the toms, high on the right to low on the left
                gain = 0.5;
                pan = song.tomWidth * std::clamp((key - 45.5) / 4.5, -1.0, 1.0);
                send = 0.2;
                break;
        }
        const size_t begin = frameOf(start);
        const size_t length = std::min(samples.size(), bus->frames() - std::min(begin, bus->frames()));
        for (size_t i = 0; i < length; ++i) {
            const double sample = samples[i] * scale * gain;
            put(*bus, begin + i, sample, pan);
            if (send > 0.0) {
                put(buses.reverb, begin + i, sample * send, pan);
            }
        }
    }

    void drum(char voice, double start, double velocity) {
        if (const int key = drumKey(voice)) {
            kitHit(key, start, velocity);
            return;
        }
        const size_t begin = frameOf(start);
        Filter filter, second;
        const double seconds = voice == 'm' ? 0.7 : 2.8;
        const size_t length = static_cast<size_t>(seconds * kRate);
        for (size_t i = 0; i < length; ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double n = noise.next();
            if (voice == 'm') {
                // Struck plate: inharmonic partials that die away at their own rates, and
                // the clink of the strike.
                static const double ratios[] = {1.0, 1.52, 2.31, 2.94, 4.17};
                static const double decays[] = {0.32, 0.2, 0.14, 0.09, 0.05};
                double sample = 0.0;
                for (int k = 0; k < 5; ++k) {
                    sample += std::sin(2.0 * kPi * 330.0 * ratios[k] * t) * std::exp(-t / decays[k]) * 0.1;
                }
                filter.run(n, 5000.0, 0.7);
                sample += filter.high * std::exp(-t / 0.004) * 0.5;
                put(buses.dry, begin + i, sample * velocity, song.metalPan);
                put(buses.reverb, begin + i, sample * velocity * 0.3, song.metalPan);
                continue;
            }
            // Thunder: a crack, then a low roll that swells and fades, with its own noise on
            // each side so it fills the field. It keeps its rumble: it rides the floor bus.
            const double roll = std::min(1.0, t / 0.06) * std::exp(-t / 0.8);
            const double cutoff = 110.0 + 500.0 * std::exp(-t / 0.25);
            filter.run(n, cutoff, 0.8);
            second.run(noise.next(), cutoff, 0.8);
            const double crack = n * std::exp(-t / 0.012) * 0.35;
            const double left = (filter.low * roll * 2.2 + crack) * velocity;
            const double right = (second.low * roll * 2.2 + crack) * velocity;
            if (begin + i < buses.floor.frames()) {
                buses.floor.left[begin + i] += left;
                buses.floor.right[begin + i] += right;
                buses.reverb.left[begin + i] += left * 0.3;
                buses.reverb.right[begin + i] += right * 0.3;
            }
        }
    }

    // A fill over the last half bar of a section, in one of three shapes so the turns of a
    // song do not all sound alike: a rising snare roll, a run down the toms, or snare and
    // kick together in eighths climbing to the downbeat.
    void fill(int shape, double from) {
        static const int run[] = {50, 50, 48, 48, 45, 45, 41, 41};
        for (int step = 0; step < 8; ++step) {
            const double rise = 0.45 + 0.55 * step / 8.0;
            switch (shape) {
                case 0:
                    drum('s', from + step, rise * 0.9);
                    if (step % 4 == 0) {
                        kitHit(45, from + step, 0.9);
                        drum('k', from + step, 0.9);
                    }
                    break;
                case 1:
                    kitHit(run[step], from + step, 0.75 + 0.25 * (step % 2 == 0));
                    if (step % 4 == 0) {
                        drum('k', from + step, 0.9);
                    }
                    break;
                default:
                    if (step % 2 == 0) {
                        drum('s', from + step, rise);
                        drum('k', from + step, 0.85);
                    } else {
                        drum('s', from + step, 0.35);
                    }
                    break;
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
            arpNote(tones[index], start + s, counter % 2 == 0 ? -song.arpWidth : song.arpWidth,
                    s % 4 == 0 ? 1.0 : 0.75);
            ++counter;
        }
    }
};

// The programs a source names must be in the soundfont, or the voice would fall silent.
bool checkPresets(const Song& song, Soundfont& font, std::string& error) {
    for (const auto& [what, bank, program] :
         {std::tuple{"lead", 0, song.leadProgram}, std::tuple{"countervoice", 0, song.counterProgram},
          std::tuple{"bassvoice", 0, song.bassProgram}, std::tuple{"padvoice", 0, song.padProgram},
          std::tuple{"drumkit", kDrumBank, song.drumKit}}) {
        if (program >= 0 && !font.hasPreset(bank, program)) {
            const auto line = song.lines.find(what);
            error =
                (line != song.lines.end() ? "line " + std::to_string(line->second) + ": " : std::string()) +
                "the soundfont has no " + (bank == kDrumBank ? "drum kit " : "program ") +
                std::to_string(program) + " for " + what;
            return false;
        }
    }
    return true;
}

// Plays the gathered notes of the sampled voices onto their buses.
void renderSampled(Renderer& renderer, Soundfont& font, Buses& buses) {
    struct Route {
        SampledLine* line;
        Stereo* bus;
        double gain, reverb, echo;
    };
    // Gains that set a sampled voice where the synthesised one it replaces sits in the mix.
    const Route routes[] = {{&renderer.sampledLead, &buses.dry, 1.7, 0.3, 0.3},
                            {&renderer.sampledCounter, &buses.dry, 1.3, 0.3, 0.2},
                            {&renderer.sampledBass, &buses.bass, 1.4, 0.0, 0.0},
                            {&renderer.sampledPadLeft, &buses.dry, 1.3, 0.6, 0.0},
                            {&renderer.sampledPadRight, &buses.dry, 1.3, 0.6, 0.0}};
    for (const Route& route : routes) {
        if (route.line->program < 0 || route.line->events.empty()) {
            continue;
        }
        const std::vector<double> samples =
            font.play(0, route.line->program, route.line->events, route.bus->frames());
        for (size_t i = 0; i < samples.size(); ++i) {
            const double v = samples[i] * route.gain;
            put(*route.bus, i, v, route.line->pan);
            if (route.reverb > 0.0) {
                put(buses.reverb, i, v * route.reverb, route.line->pan);
            }
            if (route.echo > 0.0) {
                put(buses.echo, i, v * route.echo, route.line->pan);
                put(buses.doubler, i, v * 0.3, route.line->pan);
            }
        }
    }
}

// The smallest widening of `upper`'s sides, 1 .. 2, that brings the correlation of the two sides
// of `upper` + `low` down to `target` (the widest when none does). With L = X + gS and
// R = Y - gS every sum the correlation needs is a polynomial in g, so one pass finds it.
double widthFor(const Stereo& upper, const Stereo& low, double target) {
    double xy = 0.0, xx = 0.0, yy = 0.0, xs = 0.0, ys = 0.0, ss = 0.0;
    for (size_t i = 0; i < upper.frames(); ++i) {
        const double middle = 0.5 * (upper.left[i] + upper.right[i]),
                     apart = 0.5 * (upper.left[i] - upper.right[i]);
        const double x = middle + low.left[i], y = middle + low.right[i];
        xy += x * y;
        xx += x * x;
        yy += y * y;
        xs += x * apart;
        ys += y * apart;
        ss += apart * apart;
    }
    for (double g = 1.0; g < 2.0; g += 0.05) {
        const double lr = xy + g * (ys - xs) - g * g * ss;
        const double ll = xx + 2.0 * g * xs + g * g * ss, rr = yy - 2.0 * g * ys + g * g * ss;
        if (ll <= 0.0 || rr <= 0.0 || lr / std::sqrt(ll * rr) <= target) {
            return g;
        }
    }
    return 2.0;
}

// The mix, left in `buses.dry`: everything but the bass and the kick loses its bottom below
// 130 Hz, the bass ducks under each kick, the echo and the room are added, and the 2-6 kHz
// band gets a little lift so the hats, the snare and the lead's edge speak.
void mixDown(Renderer& renderer, Soundfont& font, Buses& buses, double stepSeconds) {
    renderSampled(renderer, font, buses);
    const size_t frames = buses.dry.frames();
    Stereo& mix = buses.dry;
    addEcho(buses.echo, mix, stepSeconds * 3.0, 0.35, 0.6);
    addReverb(buses.reverb, mix, 0.82, 1.0);
    const size_t late = static_cast<size_t>(0.014 * kRate);
    for (size_t i = late; i < frames; ++i) {
        const double copy = 0.5 * (buses.doubler.left[i - late] + buses.doubler.right[i - late]);
        mix.left[i] += copy;
        mix.right[i] -= copy;
    }
    for (std::vector<double>* side : {&mix.left, &mix.right}) {
        Biquad cut = Biquad::highPass(130.0, 0.7), cutMore = Biquad::highPass(130.0, 0.7);
        Biquad presence = Biquad::peak(3500.0, 0.8, 3.0);
        for (double& v : *side) {
            v = presence.run(cutMore.run(cut.run(v)));
        }
    }
    // The side-chain: 4.5 dB off the bass at each kick, back over 120 ms.
    std::vector<double> duck(frames, 1.0);
    const double depth = 1.0 - dbToGain(-4.5);
    const size_t attack = static_cast<size_t>(0.004 * kRate), span = static_cast<size_t>(0.5 * kRate);
    for (const auto& [at, strength] : renderer.kicks) {
        const double amount = depth * std::min(1.0, strength);
        for (size_t i = 0; i < span && at + i < frames; ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double shape = i < attack ? static_cast<double>(i) / attack : std::exp(-(t - 0.004) / 0.12);
            duck[at + i] = std::min(duck[at + i], 1.0 - amount * shape);
        }
    }
    // Below 35 Hz there is nothing to hear, only headroom lost. The result lands in `bass`.
    for (auto [bassSide, floorSide] :
         {std::pair{&buses.bass.left, &buses.floor.left}, std::pair{&buses.bass.right, &buses.floor.right}}) {
        // The kick's weight is moved off the bass's roots (41-78 Hz) to its punch near 110 Hz.
        Biquad rumble = Biquad::highPass(35.0, 0.7), floorRumble = Biquad::highPass(30.0, 0.7);
        Biquad offRoots = Biquad::peak(55.0, 0.9, -6.0), punch = Biquad::peak(110.0, 1.2, 2.0);
        for (size_t i = 0; i < frames; ++i) {
            (*bassSide)[i] = rumble.run((*bassSide)[i] * duck[i]) +
                             punch.run(offRoots.run(floorRumble.run((*floorSide)[i])));
        }
    }
    // Widen what is already apart (the pad, the arpeggio, the hats, the room): the sides'
    // difference up, the middle as it was, so nothing changes when the two are summed. Only
    // as far as the whole needs: a song whose voices already spread is left as it is, one
    // that leans on the middle (a centred lead over the bass and the kick) is opened until
    // its two sides differ enough to sound wide, and no further, so nothing turns hollow.
    const double width = widthFor(mix, buses.bass, 0.85);
    for (size_t i = 0; i < frames; ++i) {
        const double middle = 0.5 * (mix.left[i] + mix.right[i]), apart = 0.5 * (mix.left[i] - mix.right[i]);
        mix.left[i] = middle + apart * width + buses.bass.left[i];
        mix.right[i] = middle - apart * width + buses.bass.right[i];
    }
}

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
    Soundfont font;
    if (!font.open(error) || !checkPresets(song, font, error)) {
        return false;
    }
    DrumSamples kit(font);
    Buses buses(totalFrames + tail);
    Renderer renderer{song, buses, spans, kit};
    renderer.sampledLead.program = song.leadProgram;
    renderer.sampledLead.pan = song.leadPan;
    renderer.sampledCounter.program = song.counterProgram;
    renderer.sampledCounter.pan = song.counterPan;
    renderer.sampledBass.program = song.bassProgram;
    renderer.sampledBass.pan = song.bassPan;
    renderer.sampledPadLeft.program = renderer.sampledPadRight.program = song.padProgram;
    renderer.sampledPadLeft.pan = -song.padWidth;
    renderer.sampledPadRight.pan = song.padWidth;

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
        renderer.playLine(section.lead, song.lead, renderer.sampledLead, sectionStart, sectionSteps,
                          section.key, song.leadPan, song.leadWidth);
        renderer.playLine(section.counter, song.counter, renderer.sampledCounter, sectionStart, sectionSteps,
                          section.key, song.counterPan, 0.0);
        if (!section.drums.empty()) {
            const DrumPattern& pattern = song.drums.at(section.drums);
            const int fillFrom = section.fill ? sectionSteps - 8 : sectionSteps;
            if (section.fill) {
                // The same section always turns the same way; different sections differ.
                unsigned shape = 0;
                for (char c : section.name) {
                    shape = shape * 31u + static_cast<unsigned char>(c);
                }
                renderer.fill(static_cast<int>(shape % 3u), sectionStart + fillFrom);
            }
            for (int step = 0; step < fillFrom; ++step) {
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

    mixDown(renderer, font, buses, stepSeconds);
    const Stereo& mix = buses.dry;
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
