#include "stg/enemy/EnemyDictionary.h"

#include <boost/any.hpp>
#include <cstdio>

namespace enemydict {

namespace {

const std::string kDuration = "duration", kDeathMovementNode = "death movement node";

// The dictionary under `key`, to be held in place; null when absent.
Plist::Dictionary* nestedDict(Plist::Dictionary& dict, const std::string& key) {
    const auto found = dict.find(key);
    return found != dict.end() ? boost::any_cast<Plist::Dictionary>(&found->second) : nullptr;
}

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

void holdTime(Plist::Dictionary& dict, const std::string& key, const std::string& listPath,
              const char* where) {
    float value = 0.0f;
    if (Plist::read(dict, key, value, 0.0f) && value > kMostNodeMs) {
        std::printf("LIST %s: \"%s\" OF %s IS %g MS, HELD TO %g\n", listPath.c_str(), key.c_str(), where,
                    static_cast<double>(value), static_cast<double>(kMostNodeMs));
        dict[key] = static_cast<double>(kMostNodeMs);
    }
}

void holdPhaseHitPoints(Plist::Dictionary& definition, const std::string& listPath) {
    for (int index = 0;; ++index) {
        const std::string phaseKey = "phase " + std::to_string(index);
        Plist::Dictionary* phase = nestedDict(definition, phaseKey);
        if (!phase) {
            break;
        }
        float hp = 0.0f;
        if (Plist::read(*phase, "hp", hp, 0.0f) && hp > kMostPhaseHp) {
            std::printf("LIST %s: \"hp\" OF %s IS %g, HELD TO %g\n", listPath.c_str(), phaseKey.c_str(),
                        static_cast<double>(hp), static_cast<double>(kMostPhaseHp));
            (*phase)["hp"] = static_cast<double>(kMostPhaseHp);
        }
    }
}

void holdNodeTimes(Plist::Dictionary& definition, const std::string& listPath, const std::string& within) {
    for (int index = 0; index < kIndexedKeyCount; ++index) {
        Plist::Dictionary* node = nestedDict(definition, movementNodeKey(index));
        if (!node) {
            break;
        }
        holdTime(*node, kDuration, listPath, (within + movementNodeKey(index)).c_str());
    }
    if (Plist::Dictionary* node = nestedDict(definition, kDeathMovementNode)) {
        holdTime(*node, kDuration, listPath, (within + kDeathMovementNode).c_str());
    }
    for (int index = 0;; ++index) {
        const std::string phaseKey = "phase " + std::to_string(index);
        Plist::Dictionary* phase = nestedDict(definition, phaseKey);
        if (!phase) {
            break;
        }
        holdNodeTimes(*phase, listPath, phaseKey + " ");
    }
}

}  // namespace enemydict
