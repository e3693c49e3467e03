#include "data/CXUserProfile.h"

#include <pwd.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>
#include <vector>

#include "data/GameVersion.h"
#include "data/Plist.h"
#include "data/PlistRead.h"
#include "data/WholeFile.h"

namespace {

namespace fs = std::filesystem;

// The names of the per-difficulty keys, in the order of the profile's table.
constexpr const char* kDifficultyNames[kDifficultyCount] = {"easy", "med", "hard", "extreme"};
constexpr const char* kPlayStyleNames[2] = {"casual", "normal"};
constexpr const char kScoreTableLetters[3] = {'A', 'B', 'C'};

// Experience each rank needs to reach the next, ranks 0 to 8.
constexpr int kRankRequirement[9] = {500, 700, 1000, 1500, 2000, 2500, 3000, 3500, 4000};
constexpr int kTopRankRequirement = 1000000000;

// A real profile is a few kilobytes; anything much larger is not one.
constexpr std::uintmax_t kMaxProfileBytes = 4 * 1024 * 1024;

std::string numBeatKey(int difficulty, int normalPlay) {
    return std::string("num beat ") + kDifficultyNames[difficulty] + " " + kPlayStyleNames[normalPlay];
}

std::string stageKey(int difficulty, int normalPlay, int stage) {
    return numBeatKey(difficulty, normalPlay) + " s " + std::to_string(stage);
}

std::string scoreTableKey(int table, int row, int column) {
    return std::string("score ") + kScoreTableLetters[table] + " " + std::to_string(row) + " " +
           std::to_string(column);
}

std::string modeScoreKey(const char* mode, int difficulty) {
    return std::string(mode) + " score " + kDifficultyNames[difficulty];
}

std::string modeReachKey(const char* mode, int difficulty) {
    return std::string(mode) + " reach " + kDifficultyNames[difficulty];
}

std::string trueRouteKey(int difficulty) {
    return std::string("true route cleared ") + kDifficultyNames[difficulty];
}

// ---- Reading: the typed accessors, with the profile's own rules on top ----

class ProfileReader {
  public:
    explicit ProfileReader(const Plist::Dictionary& list) : dict(list) {}

    bool has(const std::string& key) const { return dict.count(key) != 0; }
    int integer(const std::string& key) const {
        int value = 0;
        Plist::getInt(dict, key.c_str(), value);
        return value;
    }
    // A counter never goes below zero.
    int counter(const std::string& key) const { return std::max(0, integer(key)); }
    // 64-bit values are taken whole; 32-bit ones are sign-extended.
    long long integer64(const std::string& key) const {
        const auto entry = dict.find(key);
        int64_t value = 0;
        if (entry == dict.end() || !Plist::integerValue(entry->second, value)) {
            return 0;
        }
        return value;
    }
    // A value that is not a finite number reads as `fallback`.
    float real(const std::string& key, float fallback) const {
        const Plist::Value* stored = Plist::findValue(dict, key);
        double real = 0.0;
        if (stored && Plist::realValue(*stored, real) && !std::isfinite(real)) {
            return fallback;
        }
        float value = 0.0f;
        Plist::getFloat(dict, key.c_str(), value);
        return std::isfinite(value) ? value : fallback;
    }
    bool flag(const std::string& key) const {
        bool value = false;
        Plist::getBool(dict, key.c_str(), value);
        return value;
    }

  private:
    const Plist::Dictionary& dict;
};

// ---- The attack records ("attacks") ----
// A list of dictionaries: "boss" (the boss file's name), "phase", "name", "stage", and "tries",
// "captures" and "best ms", each a list of one count per difficulty. A profile from before the
// records has no list. A damaged record is mended where its boss and phase still say which
// attack it is, else skipped; either way with one line, and the rest of the profile loads.

constexpr int kLastAttackStage = 5;         // the hidden stage's
constexpr int kLastAttackPhase = 63;        // a boss has at most 64 phases
constexpr size_t kLongestAttackText = 64;   // bytes of a boss's file name or an attack's name
constexpr size_t kLongestVersionText = 64;  // bytes of the "game version" kept
// The game has some sixty attacks; a list far longer is not the game's, and is read no further.
constexpr size_t kMostAttackRecords = 1024;

// Adds `what` to the problems said on a record's line.
void note(std::string& problems, const std::string& what) {
    problems += (problems.empty() ? "" : "; ") + what;
}

// A boss file's name: letters, digits, '_', '-' and '.', as the package names its files.
bool isFileName(const std::string& name) {
    return !name.empty() && name.size() <= kLongestAttackText &&
           std::all_of(name.begin(), name.end(), [](char c) {
               return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.';
           });
}

// One count per difficulty under `key`. What is missing or not a count reads as 0, a count
// below 0 as 0, and is noted.
void readCounts(const Plist::Dictionary& entry, const char* key, int (&counts)[kDifficultyCount],
                std::string& problems) {
    const Plist::Array* list = Plist::findArray(entry, key);
    if (!list) {
        note(problems, std::string("\"") + key + "\" is not a list");
        return;
    }
    if (list->size() != kDifficultyCount) {
        note(problems, std::string("\"") + key + "\" holds " + std::to_string(list->size()) +
                           " counts, not " + std::to_string(kDifficultyCount));
    }
    bool bad = false;
    for (size_t d = 0; d < std::min<size_t>(list->size(), kDifficultyCount); ++d) {
        int64_t value = 0;
        bad = !Plist::integerValue((*list)[d], value) || value < 0 || bad;
        counts[d] = static_cast<int>(std::clamp<int64_t>(value, 0, std::numeric_limits<int>::max()));
    }
    if (bad) {
        note(problems, std::string("\"") + key + "\" holds what is not a count");
    }
}

void readAttacks(CXUserProfile& p, const Plist::Dictionary& dict) {
    const Plist::Value* stored = Plist::findValue(dict, "attacks");
    if (!stored) {
        return;
    }
    const Plist::Array* list = Plist::findArray(dict, "attacks");
    if (!list) {
        std::printf("PROFILE ATTACK RECORDS SKIPPED: \"attacks\" IS NOT A LIST\n");
        return;
    }
    if (list->size() > kMostAttackRecords) {
        std::printf("PROFILE ATTACK RECORDS PAST THE FIRST %zu SKIPPED\n", kMostAttackRecords);
    }
    const size_t count = std::min(list->size(), kMostAttackRecords);
    p.attacks.reserve(count);
    std::set<std::pair<std::string, int64_t>> seen;
    for (size_t index = 0; index < count; ++index) {
        const Plist::Dictionary* entry = Plist::asDict((*list)[index]);
        const std::string* boss = entry ? Plist::findString(*entry, "boss") : nullptr;
        const Plist::Value* phaseValue = entry ? Plist::findValue(*entry, "phase") : nullptr;
        int64_t phase = -1;
        const char* skipped =
            !entry                        ? "not a dictionary"
            : !boss || !isFileName(*boss) ? "no boss file name"
            : !phaseValue || !Plist::integerValue(*phaseValue, phase) || phase < 0 || phase > kLastAttackPhase
                ? "no phase"
            : !seen.emplace(*boss, phase).second ? "a second record of its attack"
                                                 : nullptr;
        if (skipped) {
            std::printf("PROFILE ATTACK RECORD %zu SKIPPED: %s\n", index, skipped);
            continue;
        }
        CXUserProfile::AttackRecord record;
        record.boss = *boss;
        record.phase = static_cast<int>(phase);
        std::string problems;
        const std::string* name = Plist::findString(*entry, "name");
        if (!name) {
            note(problems, "no name");
        } else {
            record.name = name->substr(0, kLongestAttackText);
            if (name->size() > kLongestAttackText) {
                note(problems, "its name is cut to " + std::to_string(kLongestAttackText) + " bytes");
            }
            // The name is drawn and printed: a byte that is no printable character shows as '?'.
            const auto unprintable = [](char c) { return c < ' ' || c > '~'; };
            if (std::any_of(record.name.begin(), record.name.end(), unprintable)) {
                std::replace_if(record.name.begin(), record.name.end(), unprintable, '?');
                note(problems, "unprintable bytes in its name");
            }
        }
        int64_t stage = 0;
        const Plist::Value* stageValue = Plist::findValue(*entry, "stage");
        if (!stageValue || !Plist::integerValue(*stageValue, stage) || stage < 0 ||
            stage > kLastAttackStage) {
            note(problems, "no stage from 0 to " + std::to_string(kLastAttackStage));
        }
        record.stage = static_cast<int>(std::clamp<int64_t>(stage, 0, kLastAttackStage));
        readCounts(*entry, "tries", record.tries, problems);
        readCounts(*entry, "captures", record.captures, problems);
        readCounts(*entry, "best ms", record.bestMs, problems);
        // A capture is a try, and a best time belongs to a capture.
        bool unlikely = false;
        for (int d = 0; d < kDifficultyCount; ++d) {
            unlikely = unlikely || record.captures[d] > record.tries[d] ||
                       (record.bestMs[d] > 0 && record.captures[d] == 0);
            record.captures[d] = std::min(record.captures[d], record.tries[d]);
            record.bestMs[d] = record.captures[d] == 0 ? 0 : record.bestMs[d];
        }
        if (unlikely) {
            note(problems, "more captures than tries, or a best time without a capture");
        }
        if (!problems.empty()) {
            std::printf("PROFILE ATTACK RECORD %zu (%s PHASE %d) MENDED: %s\n", index, record.boss.c_str(),
                        record.phase, problems.c_str());
        }
        p.attacks.push_back(std::move(record));
    }
}

void readValues(CXUserProfile& p, const Plist::Dictionary& dict) {
    const ProfileReader in(dict);
    p.tokens = in.integer("tokens");
    // The stock is clamped in this order, each limit leaving room for the ones before it.
    p.weapon = std::clamp(in.integer("weapon"), 0, 5);
    p.missiles = std::clamp(in.integer("missiles"), 0, 5 - p.weapon);
    p.options = std::clamp(in.integer("options"), 0, 5 - p.weapon - p.missiles);
    p.bombs = std::clamp(in.integer("bombs"), 0, 5);
    p.lives = std::clamp(in.integer("lives"), 0, 5);
    p.continues = std::clamp(in.integer("continues"), 0, 9);
    p.highScore = in.integer64("high score");
    p.timesPlayedCasual = in.counter("times played casual");
    p.timesPlayed = in.counter("times played");
    for (int normal = 0; normal < 2; ++normal) {
        for (int d = 0; d < kDifficultyCount; ++d) {
            p.gamesBeaten[normal][d] = in.counter(numBeatKey(d, normal));
        }
    }
    p.graphicSetting = in.integer("graphic setting");
    p.musicVolume = std::clamp(in.real("music volume", 0.5f), 0.0f, 1.0f);
    p.sfxVolume = std::clamp(in.real("sfx volume", 0.5f), 0.0f, 1.0f);
    p.touchSensitivity = in.real("touch sensitivity", 0.65f);
    p.screenScale = in.real("screen scale", 1.0f);
    p.bufferScale = std::clamp(in.real("buffer scale", 0.5f), 0.0f, 1.0f);
    p.autoTrance = in.flag("auto trance");
    p.leftControl = in.flag("left control");
    p.showTutorial = in.flag("show tutorial");
    p.useShootUpgrades = in.flag("use shoot upgrades");
    // The rank names a table entry: it stays within the ranks there are.
    p.level = std::clamp(in.integer("level"), 0, CXUserProfile::kTopRank);
    p.expToLevel = in.counter("exp to level");
    p.upgradePoints = in.counter("upgrade points");
    p.aspectRatio = aspectRatioFromStored(in.integer("aspect ratio"));
    p.prizeAlpha = in.has("prize alpha") ? std::clamp(in.real("prize alpha", 1.0f), 0.0f, 1.0f) : 1.0f;
    for (int i = 0; i < CXUserProfile::kBindingCount; ++i) {
        p.controls[i] = in.integer("ctrl " + std::to_string(i));
    }
    p.backgroundMode = in.has("background mode") ? backgroundModeFromStored(in.integer("background mode"))
                                                 : BackgroundMirrored;
    p.screenOrientation = screenOrientationFromStored(in.integer("screen orientation"));
    p.controlScreenMode = in.flag("control screen mode");
    p.tranceWarning = in.flag("trance warning");
    p.backgroundDimming = std::clamp(in.real("background dimming", 0.0f), 0.0f, CXUserProfile::kMostDimming);
    p.bulletContrast = in.flag("bullet contrast");
    p.hitboxMarker = in.flag("hitbox marker");
    p.padDeadZone = std::clamp(in.real("pad dead zone", 0.25f), CXUserProfile::kLeastDeadZone,
                               CXUserProfile::kMostDeadZone);
    p.padStickMoves = in.has("pad stick moves") ? in.flag("pad stick moves") : true;
    p.rumble = in.has("rumble") ? in.flag("rumble") : true;
    p.rumbleInReplays = in.flag("rumble in replays");
    p.lowLatency = in.flag("low latency");
    // Only ever read back for a bug report: anything but a short text is left unknown.
    const std::string* version = Plist::findString(dict, "game version");
    p.savedByVersion = version && version->size() <= kLongestVersionText ? *version : std::string();

    for (int stage = 0; stage < CXUserProfile::kStages; ++stage) {
        for (int normal = 0; normal < 2; ++normal) {
            for (int d = 0; d < kDifficultyCount; ++d) {
                p.stagesBeaten[normal][d][stage] = in.counter(stageKey(d, normal, stage));
            }
        }
    }
    for (int row = 0; row < CXUserProfile::kScoreRows; ++row) {
        for (int column = 0; column < CXUserProfile::kScoreColumns; ++column) {
            for (int table = 0; table < 3; ++table) {
                p.scoreTables[table][row][column] = in.integer64(scoreTableKey(table, row, column));
            }
        }
    }
    for (int d = 0; d < kDifficultyCount; ++d) {
        p.bossScore[d] = in.integer64(modeScoreKey("boss", d));
        p.arcadeScore[d] = in.integer64(modeScoreKey("arcade", d));
        p.classicScore[d] = in.integer64(modeScoreKey("classic", d));
    }
    // Kept under keys an older profile lacks: it reads as nothing known and nothing cleared.
    const auto reach = [&in](const char* mode, int d) {
        return std::clamp(in.integer(modeReachKey(mode, d)), 0, CXUserProfile::kReachedHiddenStage);
    };
    for (int d = 0; d < kDifficultyCount; ++d) {
        p.bossReach[d] = reach("boss", d);
        p.arcadeReach[d] = reach("arcade", d);
        p.classicReach[d] = reach("classic", d);
        p.trueRouteCleared[d] = in.flag(trueRouteKey(d));
    }
    p.hiddenStageReached = in.flag("hidden stage reached");
    readAttacks(p, dict);
}

// ---- Writing: every key of the table, in its order ----

Plist::Dictionary writeValues(const CXUserProfile& p) {
    Plist::Dictionary out;
    const auto put = [&out](const std::string& key, Plist::Value value) { out[key] = std::move(value); };
    const auto wide = [](long long value) { return static_cast<int64_t>(value); };
    put("pc version", true);
    put("tokens", p.tokens);
    put("weapon", p.weapon);
    put("missiles", p.missiles);
    put("options", p.options);
    put("bombs", p.bombs);
    put("lives", p.lives);
    put("continues", p.continues);
    put("high score", wide(p.highScore));
    for (int table = 0; table < 3; ++table) {
        for (int row = 0; row < CXUserProfile::kScoreRows; ++row) {
            for (int column = 0; column < CXUserProfile::kScoreColumns; ++column) {
                put(scoreTableKey(table, row, column), wide(p.scoreTables[table][row][column]));
            }
        }
    }
    for (int d = 0; d < kDifficultyCount; ++d) {
        put(modeScoreKey("boss", d), wide(p.bossScore[d]));
    }
    for (int d = 0; d < kDifficultyCount; ++d) {
        put(modeScoreKey("arcade", d), wide(p.arcadeScore[d]));
    }
    for (int d = 0; d < kDifficultyCount; ++d) {
        put(modeScoreKey("classic", d), wide(p.classicScore[d]));
    }
    put("times played casual", p.timesPlayedCasual);
    put("times played", p.timesPlayed);
    for (int normal = 0; normal < 2; ++normal) {
        for (int d = 0; d < kDifficultyCount; ++d) {
            put(numBeatKey(d, normal), p.gamesBeaten[normal][d]);
        }
    }
    for (int normal = 0; normal < 2; ++normal) {
        for (int d = 0; d < kDifficultyCount; ++d) {
            for (int stage = 0; stage < CXUserProfile::kStages; ++stage) {
                put(stageKey(d, normal, stage), p.stagesBeaten[normal][d][stage]);
            }
        }
    }
    put("graphic setting", p.graphicSetting);
    put("music volume", p.musicVolume);
    put("sfx volume", p.sfxVolume);
    put("touch sensitivity", p.touchSensitivity);
    put("screen scale", p.screenScale);
    put("buffer scale", p.bufferScale);
    put("auto trance", p.autoTrance);
    put("left control", p.leftControl);
    put("show tutorial", p.showTutorial);
    put("use shoot upgrades", p.useShootUpgrades);
    put("level", p.level);
    put("exp to level", p.expToLevel);
    put("upgrade points", p.upgradePoints);
    put("aspect ratio", static_cast<int>(p.aspectRatio));
    put("prize alpha", p.prizeAlpha);
    for (int i = 0; i < CXUserProfile::kBindingCount; ++i) {
        put("ctrl " + std::to_string(i), p.controls[i]);
    }
    put("background mode", static_cast<int>(p.backgroundMode));
    put("screen orientation", static_cast<int>(p.screenOrientation));
    put("control screen mode", p.controlScreenMode);
    put("trance warning", p.tranceWarning);
    put("background dimming", p.backgroundDimming);
    put("bullet contrast", p.bulletContrast);
    put("hitbox marker", p.hitboxMarker);
    put("pad dead zone", p.padDeadZone);
    put("pad stick moves", p.padStickMoves);
    put("rumble", p.rumble);
    put("rumble in replays", p.rumbleInReplays);
    put("low latency", p.lowLatency);
    put("game version", std::string(gameVersion()));
    for (int d = 0; d < kDifficultyCount; ++d) {
        put(modeReachKey("boss", d), p.bossReach[d]);
        put(modeReachKey("arcade", d), p.arcadeReach[d]);
        put(modeReachKey("classic", d), p.classicReach[d]);
        put(trueRouteKey(d), p.trueRouteCleared[d]);
    }
    put("hidden stage reached", p.hiddenStageReached);
    Plist::Array attacks;
    attacks.reserve(p.attacks.size());
    for (const CXUserProfile::AttackRecord& record : p.attacks) {
        const auto counts = [](const int(&values)[kDifficultyCount]) {
            return Plist::Array(std::begin(values), std::end(values));
        };
        attacks.emplace_back(Plist::Dictionary{{"boss", record.boss},
                                               {"phase", record.phase},
                                               {"name", record.name},
                                               {"stage", record.stage},
                                               {"tries", counts(record.tries)},
                                               {"captures", counts(record.captures)},
                                               {"best ms", counts(record.bestMs)}});
    }
    put("attacks", std::move(attacks));
    return out;
}

// Temporary files left by a save that was cut off (the program killed between creating the file
// and renaming it) are of no use: the profile beside them is whole.
void removeLeftoverTemporaries(const fs::path& profile) {
    std::error_code error;
    const std::string prefix = profile.filename().string() + WholeFile::kTemporarySuffix;
    for (fs::directory_iterator it(profile.parent_path().empty() ? "." : profile.parent_path(), error), end;
         !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

}  // namespace

std::string CXUserProfile::playerProfilePath() {
    std::string dataHome;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        dataHome = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] != '/') {
            const passwd* user = getpwuid(getuid());
            home = user != nullptr ? user->pw_dir : nullptr;
        }
        if (home != nullptr && home[0] == '/') {
            dataHome = std::string(home) + "/.local/share";
        }
    }
    if (dataHome.empty()) {
        return kPath;  // nowhere else to go: the working directory
    }
    return dataHome + "/vortalis2/" + kPath;
}

void CXUserProfile::load() {
    reset();
    saveBlocked = false;
    if (path.empty()) {
        return;
    }
    removeLeftoverTemporaries(path);
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) {
        // Missing, or its folder is missing (or is a file): no profile yet.
        std::printf("Can't open file: %s\n", path.c_str());
        std::printf("No user profile found. Creating new profile.\n");
        return;
    }
    if (!fs::is_regular_file(status)) {
        setAside("not a file");
        return;
    }
    const std::uintmax_t size = fs::file_size(path, error);
    if (error || size > kMaxProfileBytes) {
        setAside(error ? error.message() : "too large to be a profile");
        return;
    }
    std::vector<char> bytes(static_cast<size_t>(size));
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open() || !file.read(bytes.data(), static_cast<std::streamsize>(bytes.size())) ||
        file.peek() != std::char_traits<char>::eof()) {
        setAside(file.is_open() ? "changed while it was read" : std::strerror(errno));
        return;
    }
    Plist::Dictionary dict;
    try {
        Plist::parse(bytes.data(), static_cast<int64_t>(bytes.size()), dict);
    } catch (const std::exception& failure) {
        setAside(failure.what());
        return;
    }
    bool valid = false;
    Plist::getBool(dict, "pc version", valid);
    if (!valid) {
        std::printf("No user profile found. Creating new profile.\n");
        return;
    }
    readValues(*this, dict);
    std::printf("User profile loaded.\n");
}

void CXUserProfile::setAside(const std::string& reason) {
    std::printf("PROFILE UNREADABLE: %s: %s\n", path.c_str(), reason.c_str());
    // The first free name of save.osf.corrupt, save.osf.corrupt.1, ...: an earlier unreadable
    // file is never replaced.
    std::string target = path + ".corrupt";
    std::error_code error;
    for (int n = 1; fs::exists(fs::symlink_status(target, error)) && n < 1000; ++n) {
        target = path + ".corrupt." + std::to_string(n);
    }
    if (std::rename(path.c_str(), target.c_str()) == 0) {
        std::printf("The unreadable profile was kept as %s.\n", target.c_str());
    } else {
        std::printf("PROFILE NOT MOVED ASIDE: %s: %s; it will not be saved over.\n", path.c_str(),
                    std::strerror(errno));
        saveBlocked = true;
    }
    std::printf("No user profile found. Creating new profile.\n");
}

bool CXUserProfile::save() {
    if (path.empty()) {
        return true;
    }
    const auto fail = [this](const std::string& reason) {
        std::printf("PROFILE SAVE FAILED: %s: %s\n", path.c_str(), reason.c_str());
        return false;
    };
    if (saveBlocked) {
        return fail("the unreadable file there could not be moved aside");
    }
    std::ostringstream stream;
    try {
        Plist::writeBinary(stream, writeValues(*this));
    } catch (const std::exception& failure) {
        return fail(failure.what());
    }
    // A crash or a full disk at any moment leaves the old profile or the new one.
    std::string problem;
    if (!WholeFile::write(path, stream.str(), problem)) {
        return fail(problem);
    }
    savedByVersion = gameVersion();
    std::printf("User profile saved.\n");
    return true;
}

void CXUserProfile::reset() {
    // A fresh profile's values are the members' initialisers, written once in the header. Where
    // the profile lives, and whether it may be saved there, are not values of the profile.
    const std::string keptPath = path;
    const bool keptBlock = saveBlocked;
    *this = CXUserProfile();
    path = keptPath;
    saveBlocked = keptBlock;
}

void CXUserProfile::addGamesBeaten(int n, Difficulty difficulty, bool normalPlay) {
    gamesBeaten[normalPlay ? 1 : 0][storedNumber(difficulty)] += n;
}

void CXUserProfile::setStageBeaten(int value, Difficulty difficulty, int stage, bool normalPlay) {
    if (stage >= 0 && stage < kStages) {
        stagesBeaten[normalPlay ? 1 : 0][storedNumber(difficulty)][stage] = value;
    }
}

void CXUserProfile::addPendingExperience(int n) {
    if (level < kTopRank) {
        pendingExperience += n;
    }
}

int CXUserProfile::rankRequirement(int rank) {
    if (rank >= kTopRank) {
        return kTopRankRequirement;
    }
    return kRankRequirement[std::max(rank, 0)];
}

void CXUserProfile::applyExperience() {
    expToLevel += pendingExperience;
    appliedExperience += pendingExperience;
    pendingExperience = 0;
    while (level >= 0 && level < kTopRank && expToLevel >= kRankRequirement[level]) {
        expToLevel -= kRankRequirement[level];
        ++level;
        upgradePoints += 100;
    }
}

int CXUserProfile::bindingCode(int binding) const {
    if (binding < 0 || binding > 3) {
        return 0;
    }
    const int code = controls[binding];
    return code >= 0 && code < 32 ? code : 0;
}

const CXUserProfile::AttackRecord* CXUserProfile::findAttack(const std::string& boss, int phase) const {
    for (const AttackRecord& record : attacks) {
        if (record.boss == boss && record.phase == phase) {
            return &record;
        }
    }
    return nullptr;
}

CXUserProfile::AttackRecord& CXUserProfile::attackRecord(const std::string& boss, int phase,
                                                         const std::string& name, int stage) {
    for (AttackRecord& record : attacks) {
        if (record.boss == boss && record.phase == phase) {
            return record;
        }
    }
    AttackRecord& made = attacks.emplace_back();
    made.boss = boss;
    made.phase = phase;
    made.name = name;
    made.stage = stage;
    return made;
}
