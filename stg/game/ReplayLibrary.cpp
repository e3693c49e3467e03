#include "stg/game/ReplayLibrary.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sstream>
#include <utility>

#include "data/Plist.h"
#include "data/WholeFile.h"
#include "stg/game/CXGameSession.h"

namespace fs = std::filesystem;

namespace replaylibrary {

namespace {

constexpr const char* kExtension = ".ovr";
constexpr const char* kKeptPrefix = "kept-";
constexpr const char* kLastName = "last.ovr";
// How many "-N" suffixes a second's kept name may take before keeping gives up.
constexpr int kMaxSuffix = 1000;

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

const char* modeName(GameMode mode) {
    switch (mode) {
        case GameMode::FreePlay:
            return "FREE PLAY";
        case GameMode::BossRush:
            return "BOSS RUSH";
        case GameMode::StagePractice:
        case GameMode::AttackPractice:
            return "PRACTICE";
        case GameMode::Arcade:
            break;
    }
    return "ARCADE";
}

// "STAGE 3", or "TRUE FIFTH" for the hidden last stage, from a stage choice as replays keep it.
std::string stageName(int stage) {
    if (stage >= CXGameSession::kHiddenStageChoice) {
        return "TRUE FIFTH";
    }
    return "STAGE " + std::to_string(stage + 1);
}

// The first of the candidates that fits a name whole, else the last one cut to fit.
std::string fitting(std::initializer_list<std::string> candidates) {
    for (const std::string& candidate : candidates) {
        if (static_cast<int>(candidate.size()) <= kMaxNameGlyphs) {
            return candidate;
        }
    }
    return cleanName(*(candidates.end() - 1));
}

// What an automatic replay is, by its file name: "LAST GAME", "BEST ARCADE HARD".
std::string automaticName(const std::string& fileName) {
    if (fileName == kLastName) {
        return "LAST GAME";
    }
    if (startsWith(fileName, "best-")) {
        // best-arcade-normal-2.ovr, best-bossrush-casual.ovr
        std::string name = fileName.substr(5, fileName.size() - 5 - 4);
        const bool bossRush = startsWith(name, "bossrush");
        const bool casual = name.find("casual") != std::string::npos;
        std::string label = bossRush ? "BEST BOSS RUSH" : "BEST ARCADE";
        if (!bossRush) {
            const char last = name.empty() ? '1' : name.back();
            label += std::string(" ") + difficultyName(difficultyFromStored(last - '0'));
        }
        return fitting({label + (casual ? " CASUAL" : ""), label});
    }
    return cleanName(fileName.substr(0, fileName.size() - 4));
}

// Appends the code point as UTF-8 (only codes below 256 reach here).
void appendGlyph(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

bool isBlank(uint32_t code) {
    return code == 32 || code == 160;
}

// The next code point of strict UTF-8 at `at` (advanced past it); a byte that starts no valid
// sequence (a stray continuation, an overlong form, a surrogate, a cut-off sequence) reads as
// one invalid code and is stepped over alone.
constexpr uint32_t kInvalid = 0xFFFFFFFFu;
uint32_t nextCode(const std::string& text, size_t& at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    int length = 0;
    uint32_t code = 0, minimum = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
        ++at;
        return kInvalid;
    }
    if (at + static_cast<size_t>(length) > text.size()) {
        ++at;
        return kInvalid;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char next = byte(at + static_cast<size_t>(i));
        if ((next & 0xC0) != 0x80) {
            ++at;
            return kInvalid;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++at;
        return kInvalid;
    }
    at += static_cast<size_t>(length);
    return code;
}

// "kept-20261210-014500.ovr" for `when` (UTC), with "-2", "-3"... for the same second.
std::string keptFileName(std::time_t when, int suffix) {
    std::tm utc{};
    gmtime_r(&when, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
    std::string name = std::string(kKeptPrefix) + stamp;
    if (suffix > 1) {
        name += "-" + std::to_string(suffix);
    }
    return name + kExtension;
}

// When a kept file was made, from its name: the time stamp, then the "-N" taken in its second.
std::pair<std::string, int> keptOrder(const std::string& fileName) {
    const size_t stampEnd = std::string(kKeptPrefix).size() + 15;  // "YYYYMMDD-HHMMSS"
    const std::string stamp = fileName.substr(0, stampEnd);
    int suffix = 1;
    if (fileName.size() > stampEnd + 1 && fileName[stampEnd] == '-') {
        suffix = std::atoi(fileName.c_str() + stampEnd + 1);
    }
    return {stamp, suffix};
}

Entry entryFor(const fs::path& path) {
    Entry entry;
    entry.path = path.string();
    entry.fileName = path.filename().string();
    entry.kept = startsWith(entry.fileName, kKeptPrefix);
    Replay replay;
    std::string problem;
    const bool playable = Replay::load(entry.path, replay, problem);
    const bool otherVersion = !playable && Replay::isOtherVersion(problem);
    // A replay of other content still reads whole; one of other rules or a damaged one shows
    // only what it is.
    const bool readable = playable || (otherVersion && !startsWith(problem, "recorded under rules"));
    if (readable) {
        entry.date = replay.date;
        entry.mode = gameModeFromStored(replay.mode);
        entry.practice = replay.practice || isPracticeMode(entry.mode);
        entry.casual = replay.casual;
        entry.difficulty = difficultyFromStored(replay.difficulty);
        entry.fighter = fighterName(replay.weapon, replay.missiles, replay.options);
        entry.reached = replay.reached;
        entry.score = replay.score;
        entry.frames = replay.frames;
        entry.hits = static_cast<int>(replay.hits.size());
    }
    if (entry.kept) {
        // Whatever bytes the file holds, the list shows a clean name.
        entry.name = readable ? cleanName(replay.name) : "";
        if (entry.name.empty()) {
            entry.name = readable ? generatedName(replay) : cleanName(path.stem().string());
        }
    } else {
        entry.name = automaticName(entry.fileName);
    }
    if (!playable) {
        entry.playable = false;
        entry.problem = otherVersion ? "OTHER VERSION" : "DAMAGED";
        std::printf("REPLAY LISTED AS %s: %s: %s\n", entry.problem.c_str(), entry.path.c_str(),
                    problem.c_str());
    }
    return entry;
}

}  // namespace

std::vector<Entry> listReplays(const std::string& folder) {
    std::vector<Entry> entries;
    std::error_code error;
    fs::directory_iterator files(folder, error);
    if (error) {
        return entries;  // no folder yet: no replays
    }
    for (const fs::directory_entry& file : files) {
        const std::string name = file.path().filename().string();
        std::error_code typeError;
        if (!endsWith(name, kExtension) || !file.is_regular_file(typeError)) {
            continue;
        }
        entries.push_back(entryFor(file.path()));
    }
    // Kept ones first, newest first (their file names run in time order, for equal dates);
    // then the automatic ones, the last game first.
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.kept != b.kept) {
            return a.kept;
        }
        const bool aLast = a.fileName == kLastName, bLast = b.fileName == kLastName;
        if (aLast != bLast) {
            return aLast;
        }
        if (a.date != b.date) {
            return a.date > b.date;
        }
        return a.kept ? keptOrder(b.fileName) < keptOrder(a.fileName) : a.fileName < b.fileName;
    });
    return entries;
}

bool keepReplay(const std::string& folder, const std::string& sourcePath, const std::string& name,
                std::string& keptPath, std::string& problem) {
    Replay replay;
    std::string reason;
    if (!Replay::load(sourcePath, replay, reason)) {
        problem = "the replay can't be kept: " + reason;
        return false;
    }
    replay.name = cleanName(name);
    if (replay.name.empty()) {
        replay.name = generatedName(replay);
    }
    const std::time_t now = std::time(nullptr);
    for (int suffix = 1; suffix <= kMaxSuffix; ++suffix) {
        const std::string path = (fs::path(folder) / keptFileName(now, suffix)).string();
        std::error_code error;
        if (fs::exists(fs::symlink_status(path, error))) {
            continue;  // never over a replay kept before
        }
        if (!replay.save(path, reason)) {
            problem = "the replay could not be kept: " + reason;
            std::printf("REPLAY NOT KEPT: %s: %s\n", path.c_str(), reason.c_str());
            return false;
        }
        keptPath = path;
        std::printf("REPLAY KEPT: %s AS \"%s\"\n", path.c_str(), replay.name.c_str());
        return true;
    }
    problem = "the replay could not be kept: too many kept this second";
    return false;
}

bool renameReplay(const std::string& path, const std::string& name, std::string& problem) {
    // The file is rewritten with its name alone changed, every other key as it was: a replay of
    // another version can be renamed too.
    Plist::Dictionary list;
    std::string reason;
    if (!Replay::readList(path, list, reason)) {
        problem = "the replay can't be renamed: " + reason;
        return false;
    }
    std::string cleaned = cleanName(name);
    if (cleaned.empty()) {
        Replay replay;
        if (!Replay::fromPlist(list, replay, reason) && !Replay::isOtherVersion(reason)) {
            problem = "the replay can't be renamed: " + reason;
            return false;
        }
        cleaned = generatedName(replay);
    }
    list["name"] = cleaned;
    std::ostringstream bytes;
    try {
        Plist::writeBinary(bytes, list);
    } catch (const std::exception& failure) {
        problem = std::string("the replay can't be renamed: ") + failure.what();
        return false;
    }
    if (!WholeFile::write(path, bytes.str(), reason)) {
        problem = "the replay could not be renamed: " + reason;
        std::printf("REPLAY NOT RENAMED: %s: %s\n", path.c_str(), reason.c_str());
        return false;
    }
    std::printf("REPLAY RENAMED: %s AS \"%s\"\n", path.c_str(), cleaned.c_str());
    return true;
}

bool deleteReplay(const std::string& path, std::string& problem) {
    if (!endsWith(path, kExtension)) {
        problem = "only replay files are deleted here";
        return false;
    }
    std::error_code error;
    if (!fs::remove(path, error)) {
        problem =
            error ? "the replay could not be deleted: " + error.message() : "the replay is no longer there";
        std::printf("REPLAY NOT DELETED: %s: %s\n", path.c_str(), problem.c_str());
        return false;
    }
    std::printf("REPLAY DELETED: %s\n", path.c_str());
    return true;
}

std::string cleanName(const std::string& raw) {
    std::vector<uint32_t> glyphs;
    size_t at = 0;
    while (at < raw.size()) {
        const uint32_t code = nextCode(raw, at);
        if ((code >= 32 && code <= 122) || (code >= 160 && code <= 255)) {
            if (glyphs.empty() && isBlank(code)) {
                continue;  // leading blanks
            }
            glyphs.push_back(code);
            if (static_cast<int>(glyphs.size()) >= kMaxNameGlyphs) {
                break;
            }
        }
    }
    while (!glyphs.empty() && isBlank(glyphs.back())) {
        glyphs.pop_back();
    }
    std::string name;
    for (uint32_t code : glyphs) {
        appendGlyph(name, code);
    }
    return name;
}

std::string generatedName(const Replay& replay) {
    const GameMode mode = gameModeFromStored(replay.mode);
    const std::string score = std::to_string(replay.score);
    if (mode == GameMode::StagePractice) {
        return fitting({stageName(replay.stage) + " PRACTICE"});
    }
    if (mode == GameMode::AttackPractice) {
        // The attack's name is the label of the replay's first attack mark.
        for (const ReplayMark& mark : replay.marks) {
            const std::string attack = mark.kind == ReplayMark::AttackStart ? cleanName(mark.label) : "";
            if (!attack.empty()) {
                return fitting({"ATTACK PRACTICE " + attack, "PRACTICE " + attack});
            }
        }
        return "ATTACK PRACTICE";
    }
    const std::string game = modeName(mode);
    if (replay.practice) {  // a game taken over from a replay
        return fitting({game + " PRACTICE " + score, "PRACTICE " + score});
    }
    const std::string difficulty = difficultyName(difficultyFromStored(replay.difficulty));
    return fitting({game + " " + difficulty + " " + score, game + " " + score, score});
}

const char* fighterName(int weapon, int missiles, int options) {
    // The fighter's first upgrade is its own system, which the hangar keeps the furthest ahead;
    // an even stock reads in the hangar's order.
    if (missiles > weapon && missiles >= options) {
        return "TRACK";
    }
    if (options > weapon && options > missiles) {
        return "WIDE";
    }
    return "FOCUS";
}

}  // namespace replaylibrary
