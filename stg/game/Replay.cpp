#include "stg/game/Replay.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "data/AssetPackage.h"
#include "data/PlistRead.h"
#include "data/WholeFile.h"

namespace fs = std::filesystem;

namespace {

// An integer value within [low, high]; false for another type or a number outside.
bool integerWithin(const Plist::Value& value, int64_t low, int64_t high, int64_t& out) {
    return Plist::integerValue(value, out) && out >= low && out <= high;
}

bool readInteger(const Plist::Dictionary& list, const char* key, int64_t low, int64_t high, int64_t& out,
                 std::string& problem) {
    const Plist::Value* value = Plist::findValue(list, key);
    if (!value) {
        problem = std::string("no \"") + key + "\"";
        return false;
    }
    if (!integerWithin(*value, low, high, out)) {
        problem = std::string("\"") + key + "\" is not a whole number from " + std::to_string(low) + " to " +
                  std::to_string(high);
        return false;
    }
    return true;
}

bool readInt(const Plist::Dictionary& list, const char* key, int low, int high, int& out,
             std::string& problem) {
    int64_t value = 0;
    if (!readInteger(list, key, low, high, value, problem)) {
        return false;
    }
    out = static_cast<int>(value);
    return true;
}

bool readFlag(const Plist::Dictionary& list, const char* key, bool& out, std::string& problem) {
    const Plist::Value* value = Plist::findValue(list, key);
    if (!value || !Plist::toBool(*value, out)) {
        problem = std::string("\"") + key + "\" is not a boolean";
        return false;
    }
    return true;
}

// An optional key: absent leaves `out` as it is; present, it must be a whole number within range.
bool readOptionalInteger(const Plist::Dictionary& list, const char* key, int64_t low, int64_t high,
                         int64_t& out, std::string& problem) {
    return !Plist::findValue(list, key) || readInteger(list, key, low, high, out, problem);
}

bool readOptionalInt(const Plist::Dictionary& list, const char* key, int low, int high, int& out,
                     std::string& problem) {
    return !Plist::findValue(list, key) || readInt(list, key, low, high, out, problem);
}

bool readOptionalFlag(const Plist::Dictionary& list, const char* key, bool& out, std::string& problem) {
    return !Plist::findValue(list, key) || readFlag(list, key, out, problem);
}

bool readOptionalText(const Plist::Dictionary& list, const char* key, std::string& out,
                      std::string& problem) {
    const Plist::Value* value = Plist::findValue(list, key);
    if (!value) {
        return true;
    }
    const std::string* text = boost::any_cast<std::string>(value);
    if (!text || text->size() > Replay::kMaxTextBytes) {
        problem = std::string("\"") + key + "\" is not a text of at most " +
                  std::to_string(Replay::kMaxTextBytes) + " bytes";
        return false;
    }
    out = *text;
    return true;
}

// A text inside a mark or hit entry, within the same bound as the keys' texts.
bool textWithin(const Plist::Value& value, std::string& out) {
    const std::string* text = boost::any_cast<std::string>(&value);
    if (!text || text->size() > Replay::kMaxTextBytes) {
        return false;
    }
    out = *text;
    return true;
}

// A field coordinate or size: a finite number (a real or a whole number) within +-kMaxCoordinate.
bool coordinateWithin(const Plist::Value& value, double low, float& out) {
    constexpr double kMaxCoordinate = 1.0e6;
    double number = 0.0;
    int64_t whole = 0;
    if (Plist::integerValue(value, whole)) {
        number = static_cast<double>(whole);
    } else if (!Plist::realValue(value, number)) {
        return false;
    }
    if (!std::isfinite(number) || number < low || number > kMaxCoordinate) {
        return false;
    }
    out = static_cast<float>(number);
    return true;
}

// An entry of "keys" or "checks": an array of exactly `count` values.
const Plist::Array* entryOf(const Plist::Value& value, size_t count) {
    const Plist::Array* entry = boost::any_cast<Plist::Array>(&value);
    return entry && entry->size() == count ? entry : nullptr;
}

Plist::Array intArray(std::initializer_list<int64_t> values) {
    Plist::Array array;
    for (int64_t value : values) {
        array.push_back(value);
    }
    return array;
}

// The keys a watcher and the replay list read: all optional; a value present must be sound.
bool readWatchingKeys(const Plist::Dictionary& list, Replay& out, std::string& problem);
// The package the replay was played on, which must be this one: checked last, so that a replay of
// other content still reads whole for the list.
bool readContent(const Plist::Dictionary& list, Replay& out, std::string& problem);

}  // namespace

Plist::Dictionary Replay::toPlist() const {
    Plist::Dictionary list;
    list["rules"] = static_cast<int64_t>(rules);
    // Stored as a signed integer of the same bits: property lists hold signed 64-bit numbers.
    list["seed"] = static_cast<int64_t>(seed);
    list["mode"] = static_cast<int64_t>(mode);
    list["casual"] = casual;
    list["difficulty"] = static_cast<int64_t>(difficulty);
    list["stage"] = static_cast<int64_t>(stage);
    list["weapon"] = static_cast<int64_t>(weapon);
    list["missiles"] = static_cast<int64_t>(missiles);
    list["options"] = static_cast<int64_t>(options);
    list["bombs"] = static_cast<int64_t>(bombs);
    list["lives"] = static_cast<int64_t>(lives);
    list["continues"] = static_cast<int64_t>(continues);
    list["wide"] = wide;
    list["bindings"] = intArray({bindings[0], bindings[1], bindings[2], bindings[3]});
    list["turn"] = static_cast<int64_t>(turn);
    list["frames"] = static_cast<int64_t>(frames);
    list["score"] = score;
    list["best"] = best;
    if (tableBest >= 0) {
        list["table best"] = tableBest;
    }
    Plist::Array keyList;
    keyList.reserve(keys.size());
    for (const ReplayKey& key : keys) {
        Plist::Array entry = intArray({key.frame, key.code});
        entry.push_back(key.down);
        keyList.push_back(std::move(entry));
    }
    list["keys"] = std::move(keyList);
    Plist::Array checkList;
    checkList.reserve(checks.size());
    for (const ReplayCheck& check : checks) {
        checkList.push_back(intArray({check.frame, static_cast<int64_t>(check.hash)}));
    }
    list["checks"] = std::move(checkList);

    list["content"] = content;
    if (!gameVersion.empty()) {
        list["game version"] = gameVersion;
    }
    list["practice"] = practice;
    if (!attackBoss.empty()) {
        list["attack boss"] = attackBoss;
        list["attack phase"] = static_cast<int64_t>(attackPhase);
    }
    list["name"] = name;
    list["date"] = date;
    list["reached"] = static_cast<int64_t>(reached);
    Plist::Array markList;
    markList.reserve(marks.size());
    for (const ReplayMark& mark : marks) {
        Plist::Array entry = intArray({mark.frame, mark.kind, mark.stage, mark.phase});
        entry.push_back(mark.label);
        markList.push_back(std::move(entry));
    }
    list["marks"] = std::move(markList);
    Plist::Array hitList;
    hitList.reserve(hits.size());
    for (const ReplayHit& hit : hits) {
        Plist::Array entry = intArray({hit.frame});
        entry.push_back(static_cast<double>(hit.x));
        entry.push_back(static_cast<double>(hit.y));
        entry.push_back(static_cast<double>(hit.radius));
        entry.push_back(hit.bomb);
        entry.push_back(static_cast<int64_t>(hit.stage));
        entry.push_back(hit.boss);
        entry.push_back(static_cast<int64_t>(hit.phase));
        entry.push_back(hit.attack);
        hitList.push_back(std::move(entry));
    }
    list["hits"] = std::move(hitList);
    return list;
}

bool Replay::fromPlist(const Plist::Dictionary& list, Replay& out, std::string& problem) {
    int64_t number = 0;
    if (!readInteger(list, "rules", 0, INT32_MAX, number, problem)) {
        return false;
    }
    if (number != kRulesVersion) {
        problem = "recorded under rules " + std::to_string(number) + ", this game plays rules " +
                  std::to_string(kRulesVersion);
        return false;
    }
    out = Replay{};
    const Plist::Value* seed = Plist::findValue(list, "seed");
    if (!seed || !Plist::integerValue(*seed, number)) {
        problem = "\"seed\" is not a whole number";
        return false;
    }
    out.seed = static_cast<uint64_t>(number);
    if (!readInt(list, "mode", 0, 5, out.mode, problem) || !readFlag(list, "casual", out.casual, problem) ||
        !readInt(list, "difficulty", 0, 3, out.difficulty, problem) ||
        !readInt(list, "stage", 0, 99, out.stage, problem) ||
        !readInt(list, "weapon", 0, 99, out.weapon, problem) ||
        !readInt(list, "missiles", 0, 99, out.missiles, problem) ||
        !readInt(list, "options", 0, 99, out.options, problem) ||
        !readInt(list, "bombs", 0, 99, out.bombs, problem) ||
        !readInt(list, "lives", 0, 99, out.lives, problem) ||
        !readInt(list, "continues", 0, 99, out.continues, problem) ||
        !readFlag(list, "wide", out.wide, problem) || !readInt(list, "turn", 0, 3, out.turn, problem) ||
        !readInteger(list, "frames", 0, kMaxFrames, number, problem)) {
        return false;
    }
    out.frames = static_cast<int32_t>(number);
    if (!readInteger(list, "score", INT64_MIN, INT64_MAX, out.score, problem) ||
        !readInteger(list, "best", INT64_MIN, INT64_MAX, out.best, problem)) {
        return false;
    }
    if (Plist::findValue(list, "table best") &&
        !readInteger(list, "table best", 0, INT64_MAX, out.tableBest, problem)) {
        return false;
    }

    const Plist::Array* bindings = Plist::findArray(list, "bindings");
    if (!bindings || bindings->size() != 4) {
        problem = "\"bindings\" is not four key codes";
        return false;
    }
    for (size_t i = 0; i < 4; ++i) {
        if (!integerWithin((*bindings)[i], 0, kBindingCodes - 1, number)) {
            problem = "a binding is not a key code from 0 to 31";
            return false;
        }
        out.bindings[i] = static_cast<int>(number);
    }

    const Plist::Array* keys = Plist::findArray(list, "keys");
    const Plist::Array* checks = Plist::findArray(list, "checks");
    if (!keys || !checks) {
        problem = !keys ? "no \"keys\" array" : "no \"checks\" array";
        return false;
    }
    if (keys->size() > kMaxKeys || checks->size() > static_cast<size_t>(kMaxFrames / kCheckEvery + 2)) {
        problem = "more key edges or checks than a game can hold";
        return false;
    }
    out.keys.reserve(keys->size());
    int64_t previous = 0;
    for (size_t i = 0; i < keys->size(); ++i) {
        const Plist::Array* entry = entryOf((*keys)[i], 3);
        int64_t frame = 0, code = 0;
        bool down = false;
        if (!entry || !integerWithin((*entry)[0], previous, out.frames, frame) ||
            !integerWithin((*entry)[1], 0, kKeyCodes - 1, code) || !Plist::toBool((*entry)[2], down)) {
            problem = "key edge " + std::to_string(i) +
                      " is not [frame in order within the recording, input code 0 to " +
                      std::to_string(kKeyCodes - 1) + ", down]";
            return false;
        }
        out.keys.push_back({static_cast<int32_t>(frame), static_cast<int32_t>(code), down});
        previous = frame;
    }
    out.checks.reserve(checks->size());
    previous = 0;
    for (size_t i = 0; i < checks->size(); ++i) {
        const Plist::Array* entry = entryOf((*checks)[i], 2);
        int64_t frame = 0, hash = 0;
        if (!entry || !integerWithin((*entry)[0], previous + 1, out.frames, frame) ||
            !integerWithin((*entry)[1], 0, UINT32_MAX, hash)) {
            problem = "check " + std::to_string(i) + " is not [frame in order within the recording, hash]";
            return false;
        }
        out.checks.push_back({static_cast<int32_t>(frame), static_cast<uint32_t>(hash)});
        previous = frame;
    }
    return readWatchingKeys(list, out, problem) && readContent(list, out, problem);
}

namespace {

bool readWatchingKeys(const Plist::Dictionary& list, Replay& out, std::string& problem) {
    if (!readOptionalFlag(list, "practice", out.practice, problem) ||
        !readOptionalText(list, "attack boss", out.attackBoss, problem) ||
        !readOptionalInt(list, "attack phase", -1, Replay::kMaxPhase, out.attackPhase, problem) ||
        !readOptionalText(list, "name", out.name, problem) ||
        !readOptionalText(list, "game version", out.gameVersion, problem) ||
        !readOptionalInteger(list, "date", 0, INT64_MAX, out.date, problem) ||
        !readOptionalInt(list, "reached", 1, CXUserProfile::kReachedHiddenStage, out.reached, problem)) {
        return false;
    }
    // Marks and hits are written in the order the game met them, within the recording.
    if (const Plist::Value* value = Plist::findValue(list, "marks")) {
        const Plist::Array* marks = boost::any_cast<Plist::Array>(value);
        if (!marks || marks->size() > Replay::kMaxMarks) {
            problem = "\"marks\" is not a list of at most " + std::to_string(Replay::kMaxMarks) + " marks";
            return false;
        }
        out.marks.reserve(marks->size());
        int64_t previous = 0;
        for (size_t i = 0; i < marks->size(); ++i) {
            const Plist::Array* entry = entryOf((*marks)[i], 5);
            int64_t frame = 0, kind = 0, stage = 0, phase = 0;
            std::string label;
            if (!entry || !integerWithin((*entry)[0], previous, out.frames, frame) ||
                !integerWithin((*entry)[1], ReplayMark::StageStart, ReplayMark::AttackStart, kind) ||
                !integerWithin((*entry)[2], 0, Replay::kMaxStage, stage) ||
                !integerWithin((*entry)[3], -1, Replay::kMaxPhase, phase) ||
                !textWithin((*entry)[4], label)) {
                problem = "mark " + std::to_string(i) +
                          " is not [frame in order within the recording, kind, " + "stage, phase, label]";
                return false;
            }
            out.marks.push_back({static_cast<int32_t>(frame), static_cast<int>(kind), static_cast<int>(stage),
                                 static_cast<int>(phase), std::move(label)});
            previous = frame;
        }
    }
    if (const Plist::Value* value = Plist::findValue(list, "hits")) {
        const Plist::Array* hits = boost::any_cast<Plist::Array>(value);
        if (!hits || hits->size() > Replay::kMaxHits) {
            problem = "\"hits\" is not a list of at most " + std::to_string(Replay::kMaxHits) + " hits";
            return false;
        }
        out.hits.reserve(hits->size());
        int64_t previous = 0;
        for (size_t i = 0; i < hits->size(); ++i) {
            const Plist::Array* entry = entryOf((*hits)[i], 9);
            ReplayHit hit;
            int64_t frame = 0, stage = 0, phase = 0;
            if (!entry || !integerWithin((*entry)[0], previous, out.frames, frame) ||
                !coordinateWithin((*entry)[1], -1.0e6, hit.x) ||
                !coordinateWithin((*entry)[2], -1.0e6, hit.y) ||
                !coordinateWithin((*entry)[3], 0.0, hit.radius) || !Plist::toBool((*entry)[4], hit.bomb) ||
                !integerWithin((*entry)[5], 0, Replay::kMaxStage, stage) ||
                !textWithin((*entry)[6], hit.boss) ||
                !integerWithin((*entry)[7], -1, Replay::kMaxPhase, phase) ||
                !textWithin((*entry)[8], hit.attack)) {
                problem = "hit " + std::to_string(i) +
                          " is not [frame in order within the recording, x, y, " +
                          "radius, bomb, stage, boss, phase, attack]";
                return false;
            }
            hit.frame = static_cast<int32_t>(frame);
            hit.stage = static_cast<int>(stage);
            hit.phase = static_cast<int>(phase);
            out.hits.push_back(std::move(hit));
            previous = frame;
        }
    }
    return true;
}

bool readContent(const Plist::Dictionary& list, Replay& out, std::string& problem) {
    const Plist::Value* value = Plist::findValue(list, "content");
    if (!value) {
        problem = Replay::kNoContentReason;
        return false;
    }
    const std::string* content = boost::any_cast<std::string>(value);
    if (!content || content->size() > Replay::kMaxTextBytes) {
        problem = "\"content\" is not a package's content hash";
        return false;
    }
    out.content = *content;
    const std::string& here = packageContentHash();
    if (out.content != here) {
        problem = "recorded on other content (package " + out.content + ", this one " +
                  (here.empty() ? std::string("not mounted") : here) + ")";
        return false;
    }
    return true;
}

}  // namespace

bool Replay::isOtherVersion(const std::string& problem) {
    // The three reasons of another version start so; no damage line does.
    return problem.compare(0, 9, "recorded ") == 0;
}

bool Replay::save(const std::string& path, std::string& problem) const {
    std::ostringstream stream;
    try {
        Plist::writeBinary(stream, toPlist());
    } catch (const std::exception& failure) {
        problem = failure.what();
        return false;
    }
    // A crash while writing leaves the old replay or the new one.
    return WholeFile::write(path, stream.str(), problem);
}

bool Replay::readList(const std::string& path, Plist::Dictionary& list, std::string& problem) {
    std::error_code error;
    const auto size = fs::file_size(path, error);
    if (error) {
        problem = error.message();
        return false;
    }
    if (size > static_cast<uintmax_t>(kMaxFileBytes)) {
        problem = "the file is larger than any replay";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<size_t>(size), '\0');
    if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        problem = "the file could not be read";
        return false;
    }
    try {
        Plist::parse(bytes.data(), static_cast<int64_t>(bytes.size()), list);
    } catch (const std::exception& failure) {
        problem = std::string("not a property list: ") + failure.what();
        return false;
    }
    return true;
}

bool Replay::load(const std::string& path, Replay& out, std::string& problem) {
    Plist::Dictionary list;
    return readList(path, list, problem) && fromPlist(list, out, problem);
}

const ReplayCheck* Replay::checkAt(int32_t frame) const {
    const auto found =
        std::lower_bound(checks.begin(), checks.end(), frame,
                         [](const ReplayCheck& check, int32_t value) { return check.frame < value; });
    return found != checks.end() && found->frame == frame ? &*found : nullptr;
}

std::string replayFolderFor(const std::string& profilePath) {
    const fs::path profileFolder = fs::path(profilePath).parent_path();
    const fs::path dataFolder = profileFolder.parent_path();
    return (dataFolder.empty() ? fs::path("replays") : dataFolder / "replays").string();
}
