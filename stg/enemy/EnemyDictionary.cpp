#include "stg/enemy/EnemyDictionary.h"

#include <cstdint>
#include <cstdlib>

namespace enemydict {

namespace {

struct IndexedKeys {
    std::string keys[kIndexedKeyCount];
    std::string beyond;  // never a key of a definition
    explicit IndexedKeys(const char* stem) : beyond(std::string(stem) + " beyond the last index") {
        for (int i = 0; i < kIndexedKeyCount; ++i) {
            keys[i] = std::string(stem) + " " + std::to_string(i);
        }
    }
    const std::string& at(int index) const {
        return index >= 0 && index < kIndexedKeyCount ? keys[index] : beyond;
    }
};

const IndexedKeys& launcherKeys() {
    static const IndexedKeys keys("launcher");
    return keys;
}
const IndexedKeys& moduleKeys() {
    static const IndexedKeys keys("module");
    return keys;
}
const IndexedKeys& movementNodeKeys() {
    static const IndexedKeys keys("movement node");
    return keys;
}

const std::string& emptyString() {
    static const std::string empty;
    return empty;
}

}  // namespace

const std::string& launcherKey(int index) {
    return launcherKeys().at(index);
}

const std::string& moduleKey(int index) {
    return moduleKeys().at(index);
}

const std::string& movementNodeKey(int index) {
    return movementNodeKeys().at(index);
}

const Plist::Value* find(const Plist::Dictionary& dict, const std::string& key) {
    const auto entry = dict.find(key);
    return entry == dict.end() ? nullptr : &entry->second;
}

bool has(const Plist::Dictionary& dict, const std::string& key) {
    return dict.find(key) != dict.end();
}

bool readFloat(const Plist::Dictionary& dict, const std::string& key, float& out) {
    out = 0.0f;
    const Plist::Value* value = find(dict, key);
    if (value == nullptr) {
        return false;
    }
    double real = 0.0;
    int64_t integer = 0;
    if (const auto* single = boost::any_cast<float>(value)) {
        out = *single;
    } else if (Plist::realValue(*value, real)) {
        out = static_cast<float>(real);
    } else if (Plist::integerValue(*value, integer)) {
        out = static_cast<float>(integer);
    } else if (const auto* text = boost::any_cast<std::string>(value)) {
        // As the Plist accessor: only the integer part of a number held as text.
        out = static_cast<float>(std::strtoll(text->c_str(), nullptr, 10));
    } else {
        return false;
    }
    return true;
}

bool readInt(const Plist::Dictionary& dict, const std::string& key, int& out) {
    out = 0;
    const Plist::Value* value = find(dict, key);
    int64_t integer = 0;
    if (value == nullptr || !Plist::integerValue(*value, integer)) {
        return false;
    }
    out = static_cast<int>(static_cast<uint32_t>(static_cast<uint64_t>(integer)));
    return true;
}

bool readBool(const Plist::Dictionary& dict, const std::string& key, bool& out) {
    out = false;
    const Plist::Value* value = find(dict, key);
    const bool* flag = value != nullptr ? boost::any_cast<bool>(value) : nullptr;
    if (flag == nullptr) {
        return false;
    }
    out = *flag;
    return true;
}

float floatOr(const Plist::Dictionary& dict, const std::string& key, float fallback) {
    float value = 0.0f;
    return readFloat(dict, key, value) ? value : fallback;
}

int intOr(const Plist::Dictionary& dict, const std::string& key, int fallback) {
    int value = 0;
    return readInt(dict, key, value) ? value : fallback;
}

bool boolOr(const Plist::Dictionary& dict, const std::string& key, bool fallback) {
    bool value = false;
    return readBool(dict, key, value) ? value : fallback;
}

const std::string& stringOf(const Plist::Dictionary& dict, const std::string& key) {
    const Plist::Value* value = find(dict, key);
    const std::string* text = value != nullptr ? boost::any_cast<std::string>(value) : nullptr;
    return text != nullptr ? *text : emptyString();
}

const Plist::Dictionary* dictOf(const Plist::Dictionary& dict, const std::string& key) {
    const Plist::Value* value = find(dict, key);
    return value != nullptr ? dictOf(*value) : nullptr;
}

const Plist::Dictionary* dictOf(const Plist::Value& value) {
    return boost::any_cast<Plist::Dictionary>(&value);
}

}  // namespace enemydict
