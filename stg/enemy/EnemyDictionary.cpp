#include "stg/enemy/EnemyDictionary.h"

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

}  // namespace enemydict
