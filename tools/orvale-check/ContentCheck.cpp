#include "ContentCheck.h"

#include <physfs.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <exception>
#include <sstream>

#include "data/AssetPackage.h"
#include "fx/OXScnBaseSTGBackground.h"
#include "stg/enemy/BossPhase.h"
#include "stg/enemy/CXEnemyManager.h"
#include "stg/enemy/EnemyDictionary.h"
#include "stg/enemy/OXEnemy.h"

namespace {

using Plist::ReadKind;

unsigned bit(ReadKind kind) {
    return 1u << static_cast<unsigned>(kind);
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string joinPath(const std::string& at, const std::string& key) {
    return at.empty() ? quoted(key) : at + " > " + quoted(key);
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// "launcher 12" splits into "launcher" and 12; a key without a trailing number gives -1.
int splitIndex(const std::string& key, std::string& family) {
    const size_t blank = key.rfind(' ');
    if (blank == std::string::npos || blank + 1 == key.size() || key.size() - blank > 6) {
        return -1;
    }
    for (size_t i = blank + 1; i < key.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(key[i]))) {
            return -1;
        }
    }
    family = key.substr(0, blank);
    return std::stoi(key.substr(blank + 1));
}

size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            const size_t change = diagonal + (std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                                                      std::tolower(static_cast<unsigned char>(b[j - 1]))
                                                  ? 0
                                                  : 1);
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, change});
            diagonal = above;
        }
    }
    return row[b.size()];
}

const char* kindName(ReadKind kind) {
    switch (kind) {
        case ReadKind::Number:
            return "a number";
        case ReadKind::Integer:
            return "a whole number";
        case ReadKind::Flag:
            return "true or false";
        case ReadKind::Text:
            return "text";
        case ReadKind::Dict:
            return "a dictionary";
        case ReadKind::List:
            return "an array";
        default:
            return "anything";
    }
}

const char* heldName(const Plist::Value& value) {
    int64_t integer = 0;
    double real = 0.0;
    bool flag = false;
    if (Plist::integerValue(value, integer)) {
        return "whole number";
    }
    if (Plist::realValue(value, real)) {
        return "real";
    }
    if (Plist::toBool(value, flag)) {
        return "true/false";
    }
    if (Plist::asString(value)) {
        return "text";
    }
    if (Plist::asDict(value)) {
        return "dictionary";
    }
    if (boost::any_cast<Plist::Array>(&value)) {
        return "array";
    }
    return "value of another type";
}

// Whether a read of `kind` takes `value` as the game means it. Text where a number is read is
// taken by its integer part only, which is never what an author typing "2.5" meant.
bool accepts(ReadKind kind, const Plist::Value& value) {
    float number = 0.0f;
    int whole = 0;
    bool flag = false;
    switch (kind) {
        case ReadKind::Number:
            return !Plist::asString(value) && Plist::toFloat(value, number);
        case ReadKind::Integer:
            return Plist::toInt(value, whole);
        case ReadKind::Flag:
            return Plist::toBool(value, flag);
        case ReadKind::Text:
            return Plist::asString(value) != nullptr;
        case ReadKind::Dict:
            return Plist::asDict(value) != nullptr;
        case ReadKind::List:
            return boost::any_cast<Plist::Array>(&value) != nullptr;
        default:
            return true;
    }
}

// Where a name under a reference key may lie: each place is a prefix and a suffix.
struct Place {
    const char* prefix;
    const char* suffix;
};
const Place kPlist{"assets/plist/", ".plist"};
const Place kBullet{"assets/plist/bp/", ".plist"};
const Place kPattern{"assets/plist/fp/", ".plist"};
const Place kEnemy{"assets/plist/enemy/", ".plist"};
const Place kParticle{"assets/plist/particles/", ".plist"};
const Place kTexture{"assets/texture/", ""};
const Place kAudio{"assets/audio/", ""};

// Keys whose text names another file of the package, by the loaders' path rules. `within` asks
// for an enclosing key (a squad's "type" names an enemy; a background command's does not). A key
// family ("option 1") goes by its name without the number.
struct ReferenceRule {
    const char* key;
    const char* within;
    std::vector<Place> places;
};
const std::vector<ReferenceRule> kReferenceRules = {
    {"textureFileName", nullptr, {kTexture}},
    {"filename", nullptr, {kTexture, kPlist, kParticle}},
    {"bullet type", nullptr, {kBullet}},
    {"fire pattern", nullptr, {kPattern}},
    {"type", "squads", {kEnemy}},
    {"split into", nullptr, {kEnemy}},
    {"launch enemy", nullptr, {kEnemy}},
    {"shielded by", nullptr, {kEnemy}},
    {"sprite", nullptr, {kPlist}},
    {"core sprite", nullptr, {kPlist}},
    {"blastwave", nullptr, {kPlist}},
    {"break circle", nullptr, {kPlist}},
    {"break field", nullptr, {kPlist}},
    {"distortion field", nullptr, {kPlist}},
    {"warning circle", nullptr, {kPlist}},
    {"option", nullptr, {kPlist}},
    {"option left", nullptr, {kPlist}},
    {"font", nullptr, {kPlist}},
    {"bullet atlas", nullptr, {kPlist}},
    {"enemy atlas", nullptr, {kPlist}},
    {"particle atlas", nullptr, {kPlist}},
    {"trail atlas", nullptr, {kPlist}},
    {"font atlas", nullptr, {kPlist}},
    {"explosion atlas", nullptr, {kPlist}},
    {"boss", nullptr, {kPlist}},
    {"mid boss", nullptr, {kPlist}},
    {"level data", nullptr, {kPlist}},
    {"effect", nullptr, {kParticle}},
    {"effect file", nullptr, {kParticle}},
    {"blast effect", nullptr, {kParticle}},
    {"hit effect", nullptr, {kParticle}},
    {"on destroy effect", nullptr, {kParticle}},
    {"effect bank", nullptr, {kParticle}},
    {"bg music", nullptr, {kAudio}},
    {"boss music", nullptr, {kAudio}},
    {"change music", nullptr, {kAudio}},
    {"sound", nullptr, {kAudio}},
};

const ReferenceRule* referenceRule(const std::string& key, const std::string& parentPath) {
    std::string family;
    const std::string name = splitIndex(key, family) >= 0 ? family : key;
    for (const ReferenceRule& rule : kReferenceRules) {
        if (name == rule.key &&
            (rule.within == nullptr || parentPath.find(quoted(rule.within)) != std::string::npos)) {
            return &rule;
        }
    }
    return nullptr;
}

// A list of indices ("0 2 5") in place of a name: the effect lists of bosses and ships.
bool isIndexList(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) || c == ' '; });
}

// Keys whose text is a list of indices ("0 2 5"), in the kind of list whose loader reads `marker`
// at its top: a ship's "lvl 0 launchers", a boss's "phase 0", a background's "bg 0", an enemy's
// "movement node 0". `names` is the family of numbered entries of the same list the indices pick
// ("module" for "module 0", "module 1" ...), null where the game takes any number.
struct IndexListRule {
    const char* key;  // the key, or the first word of a family of keys with a blank ("lvl ")
    const char* marker;
    const char* names;
};
const char* const kShipMarker = "lvl 0 launchers";
const char* const kBossMarker = "phase 0";
const char* const kLayersMarker = "bg 0";
const char* const kEnemyMarker = "movement node 0";
const std::vector<IndexListRule> kIndexListRules = {
    {"lvl ", kShipMarker, nullptr},
    {"base modules", kShipMarker, nullptr},
    {"flight effect", kShipMarker, nullptr},
    {"shoot effect", kShipMarker, nullptr},
    {"hit effect", kShipMarker, nullptr},
    {"break start effect", kShipMarker, nullptr},
    {"break effect", kShipMarker, nullptr},
    {"charge effect", kShipMarker, nullptr},
    {"charge full effect", kShipMarker, nullptr},
    {"trance break effect", kShipMarker, nullptr},
    {"counter normal launchers", kShipMarker, nullptr},
    {"counter beam launchers", kShipMarker, nullptr},
    {"counter beam launchers break", kShipMarker, nullptr},
    {"classic laser launchers", kShipMarker, nullptr},
    {"classic laser launchers break", kShipMarker, nullptr},
    {"normal modules", kBossMarker, "module"},
    {"break modules", kBossMarker, "module"},
    {"on death effect", kBossMarker, "effect"},
    {"phase clear effect", kBossMarker, "effect"},
    {"rune phase start effect", kBossMarker, "effect"},
    {"show effect", kBossMarker, "effect"},
    {"damage phases", kBossMarker, "phase"},
    {"start bg", kLayersMarker, "bg"},
    {"in", kLayersMarker, "bg"},
    {"out", kLayersMarker, "bg"},
    {"easy launchers", kEnemyMarker, nullptr},
    {"med launchers", kEnemyMarker, nullptr},
    {"hard launchers", kEnemyMarker, nullptr},
    {"fire launchers", kEnemyMarker, nullptr},
};

// The whole numbers of an index list, as the game reads them; the first word that is not one
// goes to `bad`.
std::vector<long> indicesOf(const std::string& text, std::string& bad) {
    std::vector<long> indices;
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        char* end = nullptr;
        const long value = std::strtol(word.c_str(), &end, 10);
        if (end == word.c_str() || *end != '\0') {
            if (bad.empty()) {
                bad = word;
            }
            continue;
        }
        indices.push_back(value);
    }
    return indices;
}

// The enemy's numbered entries past what it can carry: its launcher slots and module slots.
int enemySlots(const std::string& family) {
    return family == "launcher" ? OXEnemy::kLauncherSlots : family == "module" ? OXEnemy::kModuleSlots : 0;
}

// Counts, sizes and lifetimes can't be negative. Names say which keys they are.
bool isCountOrSize(const std::string& key) {
    std::string lower(key);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.rfind("num", 0) == 0 || lower.rfind("max", 0) == 0 ||
           lower.find("count") != std::string::npos || endsWith(lower, "size") ||
           lower.rfind("startsize", 0) == 0 || lower.rfind("endsize", 0) == 0 || endsWith(lower, "ttl");
}

// Times the game divides by: a particle's longest life, a layer's swing.
bool mustBePositive(const std::string& key) {
    return key == "maxTtl" || key == "swing y time";
}

void collectLists(const std::string& folder, std::vector<std::string>& paths) {
    char** names = PHYSFS_enumerateFiles(folder.c_str());
    if (names == nullptr) {
        return;
    }
    for (char** name = names; *name != nullptr; ++name) {
        const std::string path = folder + "/" + *name;
        PHYSFS_Stat status{};
        if (PHYSFS_stat(path.c_str(), &status) == 0) {
            continue;
        }
        if (status.filetype == PHYSFS_FILETYPE_DIRECTORY) {
            collectLists(path, paths);
        } else if (endsWith(path, ".plist")) {
            paths.push_back(path);
        }
    }
    PHYSFS_freeList(names);
}

}  // namespace

// ---- KeyLedger ----

namespace {

// The dictionary's identity: its first entry, which stays where it is when a loader moves the
// dictionary into a container of its own; an empty one has only its own address.
const void* identity(const Plist::Dictionary& dict) {
    return dict.empty() ? static_cast<const void*>(&dict) : static_cast<const void*>(&*dict.begin());
}

// Lists are named by folder and first word: "bp/bp_arrow_green" and "bp/bp_ring" are in group
// "bp/bp", "bp/bm_lance_red" in "bp/bm", "spr_explosion" in "spr".
std::string nameGroup(const std::string& path) {
    std::string name =
        path.rfind(kPlist.prefix, 0) == 0 ? path.substr(std::string(kPlist.prefix).size()) : path;
    const size_t slash = name.rfind('/');
    const size_t word = name.find_first_of("_.", slash == std::string::npos ? 0 : slash + 1);
    return word == std::string::npos ? name : name.substr(0, word);
}

// The key as a kind of nested dictionary: numbered keys are one kind.
std::string underKey(const std::string& key) {
    std::string family;
    return splitIndex(key, family) >= 0 ? family + " #" : key;
}

}  // namespace

int KeyLedger::child(int parent, const std::string& key, const std::string& example) {
    const std::string under = kinds[static_cast<size_t>(parent)].named ? "*" : underKey(key);
    const auto found = kinds[static_cast<size_t>(parent)].under.find(under);
    if (found != kinds[static_cast<size_t>(parent)].under.end()) {
        return found->second;
    }
    const int made = static_cast<int>(kinds.size());
    kinds.push_back(Kind{});
    kinds.back().example = example;
    kinds[static_cast<size_t>(parent)].under[under] = made;
    return made;
}

void KeyLedger::tagValue(const Plist::Value& value, int parent, const std::string& key,
                         const std::string& example) {
    if (const Plist::Dictionary* nested = Plist::asDict(value)) {
        tag(*nested, child(parent, key, example), example);
    } else if (const auto* array = boost::any_cast<Plist::Array>(&value)) {
        for (const Plist::Value& element : *array) {
            if (const Plist::Dictionary* entry = Plist::asDict(element)) {
                tag(*entry, child(parent, key, example), example);
            }
        }
    }
}

void KeyLedger::tag(const Plist::Dictionary& dict, int kind, const std::string& example) {
    tags[identity(dict)] = Tag{kind, dict.size(), dict.empty() ? std::string() : dict.begin()->first};
    for (const auto& entry : dict) {
        tagValue(entry.second, kind, entry.first, example);
    }
}

int KeyLedger::kindAt(const Plist::Dictionary& dict) const {
    const auto found = tags.find(identity(dict));
    // A loader may change a value in place, or add a key, and keep reading: the first entry (or,
    // for an empty dictionary, its address) still names it.
    if (found == tags.end() || (found->second.size == 0) != dict.empty() ||
        (!dict.empty() && found->second.firstKey != dict.begin()->first)) {
        return -1;
    }
    return found->second.kind;
}

void KeyLedger::noteList(const std::string& path, const Plist::Dictionary& root, const void* openedAt) {
    const std::string group = nameGroup(path);
    auto found = listKinds.find({openedAt, group});
    if (found == listKinds.end()) {
        found = listKinds.emplace(std::make_pair(openedAt, group), static_cast<int>(kinds.size())).first;
        kinds.push_back(Kind{});
        kinds.back().example = path;
    }
    fileKinds[path].insert(found->second);
    groupKinds[group].insert(found->second);
    tag(root, found->second, path);
}

void KeyLedger::noteRead(const Plist::Dictionary& dict, const std::string& key, ReadKind kind) {
    everywhere[key].kinds |= bit(kind);
    const int at = kindAt(dict);
    if (at >= 0) {
        kinds[static_cast<size_t>(at)].read = true;
        kinds[static_cast<size_t>(at)].uses[key].kinds |= bit(kind);
    }
}

void KeyLedger::noteRange(const Plist::Dictionary& dict, const std::string& key, double low, double high) {
    Use range;
    range.ranges.emplace_back(low, high);
    merge(everywhere[key], range);
    const int at = kindAt(dict);
    if (at >= 0) {
        merge(kinds[static_cast<size_t>(at)].uses[key], range);
    }
}

void KeyLedger::noteNames(const Plist::Dictionary& dict) {
    for (const auto& entry : dict) {
        everywhere[entry.first].kinds |= bit(ReadKind::Name);
    }
    const int at = kindAt(dict);
    if (at < 0) {
        return;
    }
    Kind& named = kinds[static_cast<size_t>(at)];
    named.named = true;
    named.read = true;
    for (const auto& entry : dict) {
        named.uses[entry.first].kinds |= bit(ReadKind::Name);
    }
    // The entries were tagged by their names when the list opened; all names are one kind.
    for (const auto& entry : dict) {
        tagValue(entry.second, at, entry.first, named.example);
    }
}

void KeyLedger::merge(Use& into, const Use& from) {
    into.kinds |= from.kinds;
    for (const auto& range : from.ranges) {
        if (std::find(into.ranges.begin(), into.ranges.end(), range) == into.ranges.end()) {
            into.ranges.push_back(range);
        }
    }
}

KeyLedger::Kinds KeyLedger::kindsOfFile(const std::string& path) const {
    const auto opened = fileKinds.find(path);
    if (opened != fileKinds.end()) {
        return opened->second;
    }
    const auto alike = groupKinds.find(nameGroup(path));
    return alike == groupKinds.end() ? Kinds() : alike->second;
}

KeyLedger::Kinds KeyLedger::kindsReadingAll(const Plist::Dictionary& dict) const {
    Kinds found;
    for (size_t kind = 0; kind < kinds.size(); ++kind) {
        const auto& uses = kinds[kind].uses;
        if (kinds[kind].read && std::all_of(dict.begin(), dict.end(), [&uses](const auto& entry) {
                return uses.count(entry.first) != 0;
            })) {
            found.insert(static_cast<int>(kind));
        }
    }
    return found;
}

KeyLedger::Kinds KeyLedger::kindsUnder(const Kinds& of, const std::string& key) const {
    Kinds found;
    for (int kind : of) {
        const Kind& parent = kinds[static_cast<size_t>(kind)];
        const auto under = parent.under.find(parent.named ? "*" : underKey(key));
        if (under != parent.under.end()) {
            found.insert(under->second);
        }
    }
    return found;
}

size_t KeyLedger::kindCount() const {
    return static_cast<size_t>(
        std::count_if(kinds.begin(), kinds.end(), [](const Kind& kind) { return kind.read; }));
}

bool KeyLedger::anyRead(const Kinds& of) const {
    return std::any_of(of.begin(), of.end(),
                       [this](int kind) { return kinds[static_cast<size_t>(kind)].read; });
}

bool KeyLedger::use(const Kinds& of, const std::string& key, Use& out) const {
    out = Use{};
    bool found = false;
    if (!anyRead(of)) {
        const auto known = everywhere.find(key);
        if (known != everywhere.end()) {
            out = known->second;
            found = true;
        }
        return found;
    }
    for (int kind : of) {
        const auto& uses = kinds[static_cast<size_t>(kind)].uses;
        const auto known = uses.find(key);
        if (known != uses.end()) {
            merge(out, known->second);
            found = true;
        }
    }
    return found;
}

bool KeyLedger::takesNames(const Kinds& of) const {
    return std::any_of(of.begin(), of.end(),
                       [this](int kind) { return kinds[static_cast<size_t>(kind)].named; });
}

bool KeyLedger::readsIndexed(const Kinds& of, const std::string& family) const {
    Use first;
    return use(of, family + " 0", first) && (first.kinds & ~bit(ReadKind::Name)) != 0;
}

std::string KeyLedger::readElsewhere(const std::string& key) const {
    for (const Kind& kind : kinds) {
        const auto known = kind.uses.find(key);
        if (known != kind.uses.end() && (known->second.kinds & ~bit(ReadKind::Name)) != 0) {
            return kind.example;
        }
    }
    return std::string();
}

size_t KeyLedger::keyCount() const {
    size_t count = 0;
    for (const Kind& kind : kinds) {
        count += kind.read ? kind.uses.size() : 0;
    }
    return count;
}

std::string KeyLedger::nearest(const std::string& key) const {
    std::string best;
    size_t bestDistance = std::max<size_t>(2, key.size() / 3) + 1;
    for (const auto& entry : everywhere) {
        const size_t distance = editDistance(key, entry.first);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = entry.first;
        }
    }
    return best;
}

// ---- ContentCheck ----

std::vector<std::string> ContentCheck::propertyLists() {
    std::vector<std::string> paths;
    collectLists("assets/plist", paths);
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::vector<std::string> ContentCheck::staleReferenceKeys() const {
    std::vector<std::string> stale;
    for (const ReferenceRule& rule : kReferenceRules) {
        // A family is read with its numbers ("option 1"); its bare name is read too.
        if (!ledger.knows(rule.key)) {
            stale.push_back(rule.key);
        }
    }
    return stale;
}

std::vector<Finding> ContentCheck::run() {
    findings.clear();
    for (const std::string& path : propertyLists()) {
        checkFile(path);
    }
    checkMissingLists();
    return findings;
}

namespace {

const IndexListRule* indexListRule(const KeyLedger& ledger, const KeyLedger::Kinds& kinds,
                                   const std::string& key) {
    if (!ledger.anyRead(kinds)) {
        return nullptr;
    }
    KeyLedger::Use marker;
    for (const IndexListRule& rule : kIndexListRules) {
        const bool family = endsWith(rule.key, " ");
        if ((family ? key.rfind(rule.key, 0) == 0 : key == rule.key) &&
            ledger.use(kinds, rule.marker, marker)) {
            return &rule;
        }
    }
    return nullptr;
}

}  // namespace

void ContentCheck::report(const std::string& file, const std::string& key, const std::string& message) {
    findings.push_back({file, key, message});
}

void ContentCheck::checkFile(const std::string& path) {
    std::vector<char> contents;
    if (!readAssetFile(path, contents)) {
        report(path, "", "can't be read: " + lastAssetError());
        return;
    }
    Plist::Value root;
    try {
        Plist::parseValue(contents.data(), static_cast<int64_t>(contents.size()), root);
    } catch (const std::exception& error) {
        report(path, "", std::string("is not a property list the game can read: ") + error.what());
        return;
    }
    if (const Plist::Dictionary* dict = Plist::asDict(root)) {
        KeyLedger::Kinds kinds = ledger.kindsOfFile(path);
        if (!dict->empty()) {
            const KeyLedger::Kinds whole = ledger.kindsReadingAll(*dict);
            kinds.insert(whole.begin(), whole.end());
        }
        fileKinds = kinds;
        checkDict(*dict, kinds, path, "");
        checkIndexLists(*dict, *dict, path, "");
        checkShipOptions(*dict, kinds, path);
        checkSpawnCount(*dict, path);
        checkGridPresent(*dict, ledger.kindsOfFile(path), path);
        checkHitPoints(*dict, kinds, path);
        checkNodesAndLayers(*dict, kinds, path);
        if (dict->empty() && ledger.takesNames(kinds)) {
            report(path, "", "holds no entries: the game finds nothing to read in it");
        }
        checkAtlasFrames(*dict, path);
        checkEnemyDrops(*dict, path);
    } else if (const auto* names = boost::any_cast<Plist::Array>(&root)) {
        // A level list: the stages, by name.
        if (endsWith(path, "_level_list.plist")) {
            if (names->empty()) {
                report(path, "", "names no stage: there is nothing to play");
            }
            for (const Plist::Value& entry : *names) {
                const std::string* name = Plist::asString(entry);
                if (name == nullptr) {
                    report(path, "", "holds a value that is not a stage name");
                } else if (!assetExists(kPlist.prefix + *name + kPlist.suffix)) {
                    report(path, "",
                           "names stage " + quoted(*name) + ", which the package lacks (" + kPlist.prefix +
                               *name + kPlist.suffix + ")");
                }
            }
        }
    } else {
        report(path, "", "has a root that is neither a dictionary nor an array");
    }
}

void ContentCheck::checkDict(const Plist::Dictionary& dict, const KeyLedger::Kinds& kinds,
                             const std::string& file, const std::string& at) {
    for (const auto& entry : dict) {
        checkValue(entry.first, entry.second, kinds, file, at);
    }
    checkIndexGaps(dict, kinds, file, at);
    checkGrid(dict, file, at);
}

void ContentCheck::checkValue(const std::string& key, const Plist::Value& value,
                              const KeyLedger::Kinds& kinds, const std::string& file, const std::string& at) {
    const std::string where = joinPath(at, key);
    KeyLedger::Use found;
    const KeyLedger::Use* use = ledger.use(kinds, key, found) ? &found : nullptr;
    if (use == nullptr) {
        std::string family;
        if (splitIndex(key, family) >= 0 && ledger.readsIndexed(kinds, family)) {
            return;  // an index past the ones read; the gap check speaks for it
        }
        const std::string elsewhere = ledger.readElsewhere(key);
        if (!elsewhere.empty()) {
            report(file, where,
                   "is not read in this kind of list; the game reads it in other kinds (as in " +
                       quoted(elsewhere) + ")");
            return;
        }
        const std::string suggestion = ledger.nearest(key);
        report(file, where,
               "no loader reads this key" +
                   (suggestion.empty() ? std::string() : " (did you mean " + quoted(suggestion) + "?)"));
        return;
    }
    const unsigned typed = use->kinds & ~(bit(ReadKind::Any) | bit(ReadKind::Name));
    if (typed != 0) {
        bool taken = false;
        std::string expected;
        for (unsigned k = 0; k <= static_cast<unsigned>(ReadKind::List); ++k) {
            if ((typed & (1u << k)) == 0) {
                continue;
            }
            taken = taken || accepts(static_cast<ReadKind>(k), value);
            expected += (expected.empty() ? "" : " or ") + std::string(kindName(static_cast<ReadKind>(k)));
        }
        if (!taken) {
            report(file, where,
                   std::string("holds a ") + heldName(value) + " where the game reads " + expected);
            return;
        }
    }
    float number = 0.0f;
    if (!Plist::asString(value) && Plist::toFloat(value, number)) {
        const double v = static_cast<double>(number);
        if (!use->ranges.empty() &&
            std::none_of(use->ranges.begin(), use->ranges.end(),
                         [v](const std::pair<double, double>& r) { return v >= r.first && v <= r.second; })) {
            double low = use->ranges.front().first, high = use->ranges.front().second;
            for (const auto& r : use->ranges) {
                low = std::min(low, r.first);
                high = std::max(high, r.second);
            }
            std::ostringstream range;
            range << "is " << v << ", outside what the game takes (" << low << " to " << high << ")";
            report(file, where, range.str());
        } else if (v <= 0.0 && mustBePositive(key)) {
            std::ostringstream text;
            text << "is " << v << ": the game needs more than 0 here";
            report(file, where, text.str());
        } else if (v < 0.0 && isCountOrSize(key)) {
            std::ostringstream text;
            text << "is " << v << ": a count or size can't be negative";
            report(file, where, text.str());
        }
    }
    // A loader that reads dictionaries under its names or in an array skips anything else there.
    const KeyLedger::Kinds under = ledger.kindsUnder(kinds, key);
    const bool readsDicts = ledger.anyRead(kinds) && ledger.anyRead(under);
    if (readsDicts && (use->kinds & bit(ReadKind::Name)) != 0 && !Plist::asDict(value)) {
        report(file, where, std::string("holds a ") + heldName(value) + " where the game reads a dictionary");
        return;
    }
    if (const std::string* text = Plist::asString(value)) {
        if (indexListRule(ledger, fileKinds, key) == nullptr) {
            checkReference(key, *text, file, where, at);
        }
        if (key == "attack name" && text->size() > BossPhase::kLongestAttackName) {
            report(file, where,
                   "is " + std::to_string(text->size()) + " characters long; the HUD shows the first " +
                       std::to_string(BossPhase::kLongestAttackName));
        }
    } else if (const Plist::Dictionary* nested = Plist::asDict(value)) {
        checkDict(*nested, ledger.kindsUnder(kinds, key), file, where);
    } else if (const auto* array = boost::any_cast<Plist::Array>(&value)) {
        for (size_t item = 0; item < array->size(); ++item) {
            const Plist::Value& element = (*array)[item];
            if (readsDicts && !Plist::asDict(element)) {
                report(file, where + " > item " + std::to_string(item),
                       std::string("holds a ") + heldName(element) + " where the game reads a dictionary");
            } else if (const std::string* name = Plist::asString(element)) {
                checkReference(key, *name, file, where, at);
            } else if (const Plist::Dictionary* nestedDict = Plist::asDict(element)) {
                checkDict(*nestedDict, ledger.kindsUnder(kinds, key), file, where);
            }
        }
    }
}

void ContentCheck::checkReference(const std::string& key, const std::string& name, const std::string& file,
                                  const std::string& at, const std::string& parentPath) {
    const ReferenceRule* rule = referenceRule(key, parentPath);
    if (rule == nullptr || name.empty() || isIndexList(name)) {
        return;
    }
    std::string tried;
    for (const Place& place : rule->places) {
        const std::string path = place.prefix + name + place.suffix;
        if (assetExists(path)) {
            return;
        }
        tried += (tried.empty() ? "" : " or ") + path;
    }
    report(file, at, "names " + quoted(name) + ", which the package lacks (" + tried + ")");
}

void ContentCheck::checkIndexGaps(const Plist::Dictionary& dict, const KeyLedger::Kinds& kinds,
                                  const std::string& file, const std::string& at) {
    std::map<std::string, std::set<int>> families;
    for (const auto& entry : dict) {
        std::string family;
        const int index = splitIndex(entry.first, family);
        // Only the families the loaders read from 0 upwards.
        if (index >= 0 && ledger.readsIndexed(kinds, family)) {
            families[family].insert(index);
        }
    }
    // An enemy carries so many launchers and modules; the game passes over the entries past them.
    const bool enemy = at.empty() && file.rfind(kEnemy.prefix, 0) == 0;
    for (const auto& family : families) {
        int expected = 0;
        for (int index : family.second) {
            const std::string key = joinPath(at, family.first + " " + std::to_string(index));
            if (index != expected) {
                report(file, key,
                       "follows a gap: there is no " + quoted(family.first + " " + std::to_string(expected)) +
                           ", and the game stops reading at the gap");
                break;
            }
            const int slots = enemy ? enemySlots(family.first) : 0;
            if (slots > 0 && index >= slots) {
                report(file, key,
                       "is past the " + std::to_string(slots) + " " + family.first +
                           " slots an enemy has: the game passes over it");
                break;
            }
            ++expected;
        }
    }
}

// A sprite's frames must lie in its grid.
void ContentCheck::checkGrid(const Plist::Dictionary& dict, const std::string& file, const std::string& at) {
    const int columns = Plist::intOr(dict, "numColumns", 0);
    const int rows = Plist::intOr(dict, "numRows", 0);
    if (columns < 1 || rows < 1) {
        return;
    }
    const int cells = columns * rows;
    const int frames = Plist::intOr(dict, "numFrames", 1);
    const int start = Plist::intOr(dict, "start frame", 0);
    if (start + std::max(frames, 1) > cells) {
        report(file, joinPath(at, "numFrames"),
               "frames " + std::to_string(start) + " to " + std::to_string(start + std::max(frames, 1) - 1) +
                   " run past the grid's " + std::to_string(cells) + " cells (" + std::to_string(columns) +
                   " x " + std::to_string(rows) + ")");
    }
}

// A list opened by a loader that holds "numColumns" and "numRows" to a range is cut into that
// grid; without one the game shows the whole texture as one cell.
void ContentCheck::checkGridPresent(const Plist::Dictionary& dict, const KeyLedger::Kinds& opened,
                                    const std::string& file) {
    KeyLedger::Use use;
    if (dict.empty() || !ledger.anyRead(opened)) {
        return;
    }
    for (const char* key : {"numColumns", "numRows"}) {
        if (!ledger.use(opened, key, use) || use.ranges.empty()) {
            return;
        }
    }
    for (const char* key : {"numColumns", "numRows"}) {
        const Plist::Value* value = Plist::findValue(dict, key);
        int side = 0;
        if (value == nullptr) {
            report(file, quoted(key), "is missing: the game shows the list as one cell");
            return;
        }
        if (Plist::toInt(*value, side) && side == 0) {
            report(file, quoted(key), "is 0: the game shows the list as one cell");
            return;
        }
    }
}

// What can be fought needs hit points: a list's own "hp" (the ship, an enemy, a boss) and each
// phase of a boss. A list whose loader reads phases must have a first one.
void ContentCheck::checkHitPoints(const Plist::Dictionary& dict, const KeyLedger::Kinds& kinds,
                                  const std::string& file) {
    float hp = 0.0f;
    const Plist::Value* own = Plist::findValue(dict, "hp");
    if (own != nullptr && Plist::toFloat(*own, hp) && hp <= 0.0f) {
        report(file, quoted("hp"), "is " + std::to_string(static_cast<int>(hp)) + ": it has no hit points");
    }
    KeyLedger::Use phases;
    if (!ledger.anyRead(kinds) || !ledger.use(kinds, "phase 0", phases) ||
        (phases.kinds & bit(ReadKind::Dict)) == 0) {
        return;
    }
    if (Plist::findDict(dict, "phase 0") == nullptr) {
        report(file, "", "has no \"phase 0\": the boss cannot fight");
        return;
    }
    for (int index = 0;; ++index) {
        const std::string key = "phase " + std::to_string(index);
        const Plist::Dictionary* phase = Plist::findDict(dict, key);
        if (phase == nullptr) {
            break;
        }
        hp = 0.0f;
        const Plist::Value* value = Plist::findValue(*phase, "hp");
        if (value == nullptr || (Plist::toFloat(*value, hp) && hp <= 0.0f)) {
            report(file, joinPath(quoted(key), "hp"),
                   (value == nullptr ? std::string("is missing")
                                     : "is " + std::to_string(static_cast<int>(hp))) +
                       ": the phase has no hit points and ends at once");
        }
        if (Plist::findDict(*phase, "movement node 0") == nullptr) {
            report(file, quoted(key), "has no \"movement node 0\": the phase ends at once");
        }
    }
}

// A font has its cells and texture, a stage something to play, an enemy's movement nodes each last a while (a
// node of no time ends at once), and a background's layers each show a sprite.
void ContentCheck::checkNodesAndLayers(const Plist::Dictionary& dict, const KeyLedger::Kinds& kinds,
                                       const std::string& file) {
    KeyLedger::Use first;
    const bool readsNodes = ledger.anyRead(kinds) && ledger.use(kinds, "movement node 0", first) &&
                            (first.kinds & bit(ReadKind::Dict)) != 0;
    const bool readsLayers =
        ledger.anyRead(kinds) && ledger.use(kinds, "bg 0", first) && (first.kinds & bit(ReadKind::Dict)) != 0;
    // A font is cut into cells of its width and height from its texture.
    if (ledger.anyRead(kinds) && ledger.use(kinds, "fontWidth", first)) {
        for (const char* key : {"fontWidth", "fontHeight"}) {
            int side = 0;
            const Plist::Value* value = Plist::findValue(dict, key);
            if (value == nullptr || (Plist::toInt(*value, side) && side <= 0)) {
                report(file, quoted(key),
                       std::string(value == nullptr ? "is missing" : "is not more than 0") +
                           ": the font shows no text");
            }
        }
        if (Plist::textOf(dict, "filename").empty()) {
            report(file, quoted("filename"), "is missing: the font shows no text");
        }
    }
    // A stage plays its waves, its boss, or both.
    if (ledger.anyRead(kinds) && ledger.use(kinds, "level data", first) && ledger.use(kinds, "boss", first) &&
        Plist::textOf(dict, "level data").empty() && Plist::textOf(dict, "boss").empty()) {
        report(file, "", "names neither \"level data\" nor \"boss\": the stage cannot be played");
    }
    if (readsLayers) {
        checkScript(dict, file);
    }
    if (readsNodes || ledger.use(kinds, "phase 0", first)) {
        checkHeldTimes(dict, file, "");
    }
    // A formation's follower breaks off from a node its list has.
    const int breakNode = readsNodes ? Plist::intOr(dict, "break node", 0) : 0;
    const std::string breakKey = "movement node " + std::to_string(breakNode);
    if (breakNode > 0 && Plist::findDict(dict, breakKey) == nullptr) {
        report(file, quoted("break node"),
               "names " + quoted(breakKey) + ", which the list lacks: it breaks from node 0");
    }
    for (const auto& entry : dict) {
        std::string family;
        const Plist::Dictionary* nested = Plist::asDict(entry.second);
        if (nested == nullptr || splitIndex(entry.first, family) < 0) {
            continue;
        }
        if (family == "movement node" && readsNodes) {
            float duration = 0.0f;
            const Plist::Value* value = Plist::findValue(*nested, "duration");
            if (value == nullptr || (Plist::toFloat(*value, duration) && duration <= 0.0f)) {
                std::ostringstream text;
                text << "is "
                     << (value == nullptr ? std::string("missing")
                                          : std::to_string(static_cast<int>(duration)))
                     << ": the node ends at once";
                report(file, joinPath(quoted(entry.first), "duration"), text.str());
            }
        } else if (family == "bg" && readsLayers && Plist::findValue(*nested, "filename") == nullptr) {
            report(file, quoted(entry.first), "has no \"filename\": the layer shows nothing");
        }
    }
}

// The times the enemy and boss loaders hold to the longest a node may last: a movement node's or a
// death movement's "duration", in an enemy, a boss or a boss's phase; and a boss phase's "hp",
// held to the most a phase may take.
void ContentCheck::checkHeldTimes(const Plist::Dictionary& dict, const std::string& file,
                                  const std::string& at) {
    for (const auto& entry : dict) {
        const Plist::Dictionary* nested = Plist::asDict(entry.second);
        if (nested == nullptr) {
            continue;
        }
        std::string family;
        splitIndex(entry.first, family);
        const std::string path = joinPath(at, entry.first);
        if (family == "phase") {
            checkHeldTimes(*nested, file, path);
            float hp = 0.0f;
            const Plist::Value* value = Plist::findValue(*nested, "hp");
            if (value != nullptr && Plist::toFloat(*value, hp) && hp > enemydict::kMostPhaseHp) {
                std::ostringstream text;
                text << "is " << hp << ": the game holds it to " << enemydict::kMostPhaseHp
                     << ", the most a phase may take";
                report(file, joinPath(path, "hp"), text.str());
            }
        } else if (family == "movement node" || entry.first == "death movement node") {
            float duration = 0.0f;
            const Plist::Value* value = Plist::findValue(*nested, "duration");
            if (value != nullptr && Plist::toFloat(*value, duration) && duration > enemydict::kMostNodeMs) {
                std::ostringstream text;
                text << "is " << duration << " ms: the game holds it to " << enemydict::kMostNodeMs
                     << ", the longest a node may last";
                report(file, joinPath(path, "duration"), text.str());
            }
        }
    }
}

int ContentCheck::stageAtlasCells(const std::string& atlasKey) {
    const auto known = atlasCells.find(atlasKey);
    if (known != atlasCells.end()) {
        return known->second;
    }
    int largest = 0;
    for (const std::string& path : propertyLists()) {
        std::vector<char> contents;
        Plist::Dictionary stage;
        if (!readAssetFile(path, contents)) {
            continue;
        }
        try {
            Plist::parse(contents.data(), static_cast<int64_t>(contents.size()), stage);
        } catch (const std::exception&) {
            continue;
        }
        const std::string& atlas = Plist::textOf(stage, atlasKey);
        Plist::Dictionary grid;
        if (atlas.empty() || !readAssetFile(kPlist.prefix + atlas + kPlist.suffix, contents)) {
            continue;
        }
        try {
            Plist::parse(contents.data(), static_cast<int64_t>(contents.size()), grid);
        } catch (const std::exception&) {
            continue;
        }
        const int cells = Plist::intOr(grid, "numColumns", 0) * Plist::intOr(grid, "numRows", 0);
        largest = std::max(largest, cells);
    }
    atlasCells[atlasKey] = largest;
    return largest;
}

// Bullet types and enemies pick frames of the stage's bullet and enemy atlases.
void ContentCheck::checkAtlasFrames(const Plist::Dictionary& dict, const std::string& file) {
    const char* atlasKey = file.rfind(kBullet.prefix, 0) == 0  ? "bullet atlas"
                           : file.rfind(kEnemy.prefix, 0) == 0 ? "enemy atlas"
                                                               : nullptr;
    if (atlasKey == nullptr) {
        return;
    }
    const int cells = stageAtlasCells(atlasKey);
    if (cells <= 0) {
        return;
    }
    for (const char* key : {"atlas frame", "trail frame", "flicker frame"}) {
        int frame = 0;
        if (Plist::findValue(dict, key) && Plist::toInt(*Plist::findValue(dict, key), frame) &&
            (frame < 0 || frame >= cells)) {
            report(file, quoted(key),
                   "is frame " + std::to_string(frame) + ", beyond the " + std::to_string(cells) +
                       " cells of the largest " + atlasKey);
        }
    }
}

// An enemy lets its items go as its death movement starts, and only a death movement with a
// "duration" starts: without one the wreck explodes at once and its items are never released.
void ContentCheck::checkEnemyDrops(const Plist::Dictionary& dict, const std::string& file) {
    if (file.rfind(kEnemy.prefix, 0) != 0) {
        return;
    }
    const Plist::Dictionary* death = Plist::findDict(dict, "death movement node");
    if (death != nullptr && Plist::findValue(*death, "duration") != nullptr) {
        return;
    }
    for (const char* key : {"prize on death", "uprade on death"}) {
        if (Plist::intOr(dict, key, 0) > 0) {
            report(file, quoted(key),
                   "is never dropped: items fall only when the enemy has a \"death movement node\" with "
                   "a \"duration\"");
        }
    }
}

// Index lists ("0 2 5") hold whole numbers, and where they pick numbered entries of their list
// ("module 2"), entries the list has.
void ContentCheck::checkIndexLists(const Plist::Dictionary& top, const Plist::Dictionary& dict,
                                   const std::string& file, const std::string& at) {
    for (const auto& entry : dict) {
        const std::string where = joinPath(at, entry.first);
        if (const Plist::Dictionary* nested = Plist::asDict(entry.second)) {
            checkIndexLists(top, *nested, file, where);
        } else if (const auto* array = boost::any_cast<Plist::Array>(&entry.second)) {
            for (size_t item = 0; item < array->size(); ++item) {
                if (const Plist::Dictionary* element = Plist::asDict((*array)[item])) {
                    checkIndexLists(top, *element, file, where + " > item " + std::to_string(item));
                }
            }
        } else if (const std::string* text = Plist::asString(entry.second)) {
            const IndexListRule* rule = indexListRule(ledger, fileKinds, entry.first);
            if (rule == nullptr) {
                continue;
            }
            std::string bad;
            const std::vector<long> indices = indicesOf(*text, bad);
            if (!bad.empty()) {
                report(file, where, "holds " + quoted(bad) + ", which is not an index: the game skips it");
            }
            for (long index : indices) {
                const std::string named =
                    rule->names == nullptr ? std::string() : rule->names + (" " + std::to_string(index));
                if (!named.empty() && Plist::findDict(top, named) == nullptr) {
                    report(file, where, "names " + quoted(named) + ", which the list lacks");
                }
            }
        }
    }
}

// A background's script: each command is of a type the game knows and names a layer to bring in
// or take out; the script stops at one that is not.
void ContentCheck::checkScript(const Plist::Dictionary& dict, const std::string& file) {
    const Plist::Array* script = Plist::findArray(dict, "stage anim data");
    if (script == nullptr) {
        return;
    }
    for (size_t item = 0; item < script->size(); ++item) {
        const Plist::Dictionary* command = Plist::asDict((*script)[item]);
        if (command == nullptr) {
            continue;
        }
        const std::string where = joinPath("", "stage anim data") + " > item " + std::to_string(item);
        const std::string& type = Plist::textOf(*command, "type");
        if (OXScnBaseSTGBackground::commandKind(type) == OXScnBaseSTGBackground::UnknownCommand) {
            report(file, joinPath(where, "type"),
                   "is " + quoted(type) + ", which the script does not know: the script stops here");
            continue;
        }
        bool namesLayer = false;
        for (const char* key : {"in", "out"}) {
            std::string bad;
            for (long index : indicesOf(Plist::textOf(*command, key), bad)) {
                namesLayer = namesLayer || Plist::findDict(dict, "bg " + std::to_string(index)) != nullptr;
            }
        }
        if (!namesLayer) {
            report(file, where, "names no layer in \"in\" or \"out\": the script stops here");
        }
    }
}

// A ship flies with up to as many pairs of option pods as the game reads keys for ("option" and
// "option left", "option 1" and "option left 1" ...); each pair it may fly with needs both.
void ContentCheck::checkShipOptions(const Plist::Dictionary& dict, const KeyLedger::Kinds& kinds,
                                    const std::string& file) {
    // The pods are read by the ship's loader too, and hold no levels of their own.
    KeyLedger::Use use;
    if (!ledger.anyRead(kinds) || Plist::findValue(dict, kShipMarker) == nullptr) {
        return;
    }
    for (int pair = 0;; ++pair) {
        const std::string suffix = pair == 0 ? std::string() : " " + std::to_string(pair);
        if (!ledger.use(kinds, "option" + suffix, use)) {
            break;
        }
        for (const std::string& key : {"option" + suffix, "option left" + suffix}) {
            if (Plist::textOf(dict, key).empty()) {
                report(file, quoted(key),
                       "is missing: a ship flying with " + std::to_string(pair + 1) +
                           " pairs of option pods has no pod here");
            }
        }
    }
}

// Wave data: each wave brings its squads "repeat" times, each squad its enemies "repeat" times; the
// game queues so many spawns for a stage and drops the rest.
void ContentCheck::checkSpawnCount(const Plist::Dictionary& dict, const std::string& file) {
    long long spawns = 0;
    for (const auto& entry : dict) {
        const Plist::Dictionary* wave = Plist::asDict(entry.second);
        const Plist::Dictionary* squads = wave != nullptr ? Plist::findDict(*wave, "squads") : nullptr;
        if (squads == nullptr) {
            continue;
        }
        long long perRepeat = 0;
        for (const auto& squad : *squads) {
            if (const Plist::Dictionary* fields = Plist::asDict(squad.second)) {
                perRepeat += std::max(0, Plist::intOr(*fields, "repeat", 0));
            }
        }
        spawns += perRepeat * std::max(0, Plist::intOr(*wave, "repeat", 0));
    }
    if (spawns > CXEnemyManager::kMostSpawns) {
        report(file, "",
               "asks for " + std::to_string(spawns) + " spawns, more than the " +
                   std::to_string(CXEnemyManager::kMostSpawns) + " the game takes: the rest are dropped");
    }
}

// The lists a loader asked for that the package lacks, unless another list's name for it is
// reported already: the game's own code names these (the HUD's sprites and font, the level lists).
void ContentCheck::checkMissingLists() {
    for (const std::string& path : ledger.missingLists()) {
        const bool reported = std::any_of(findings.begin(), findings.end(), [&path](const Finding& finding) {
            return finding.message.find(path) != std::string::npos;
        });
        if (!reported) {
            report(path, "", "is missing: the game asks for it and goes on without it");
        }
    }
}
