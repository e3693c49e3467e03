#pragma once
// The indexed keys of enemy definitions, built once, so that a spawn or a
// node start reads its values (through the read form of data/PlistRead.h)
// without building a key string.

#include <string>

#include "data/PlistRead.h"

namespace enemydict {

// Keys with an index ("launcher 3", "module 0", "movement node 12") for
// indices 0 ... kIndexedKeyCount - 1; an index beyond gives a key no
// dictionary holds.
constexpr int kIndexedKeyCount = 64;
const std::string& launcherKey(int index);
const std::string& moduleKey(int index);
const std::string& movementNodeKey(int index);

}  // namespace enemydict
