#pragma once
// Reading enemy definitions, movement nodes and spawn entries during play.
// The readers take the same value types as the Plist accessors but look keys
// up with prebuilt strings and hand out references into the dictionaries, so
// a spawn or a node start allocates nothing.

#include <string>

#include "data/Plist.h"

namespace enemydict {

// Keys with an index ("launcher 3", "module 0", "movement node 12") for
// indices 0 ... kIndexedKeyCount - 1; an index beyond gives a key no
// dictionary holds.
constexpr int kIndexedKeyCount = 64;
const std::string& launcherKey(int index);
const std::string& moduleKey(int index);
const std::string& movementNodeKey(int index);

const Plist::Value* find(const Plist::Dictionary& dict, const std::string& key);
bool has(const Plist::Dictionary& dict, const std::string& key);

// As Plist::getFloat, getInt and getBool: true when the key holds an accepted
// type; `out` is 0 or false otherwise.
bool readFloat(const Plist::Dictionary& dict, const std::string& key, float& out);
bool readInt(const Plist::Dictionary& dict, const std::string& key, int& out);
bool readBool(const Plist::Dictionary& dict, const std::string& key, bool& out);
// The value when present, else `fallback`.
float floatOr(const Plist::Dictionary& dict, const std::string& key, float fallback);
int intOr(const Plist::Dictionary& dict, const std::string& key, int fallback);
bool boolOr(const Plist::Dictionary& dict, const std::string& key, bool fallback);
// The string held under the key, or an empty string that lives as long as
// the program.
const std::string& stringOf(const Plist::Dictionary& dict, const std::string& key);
// The dictionary held under the key, or null.
const Plist::Dictionary* dictOf(const Plist::Dictionary& dict, const std::string& key);
const Plist::Dictionary* dictOf(const Plist::Value& value);

}  // namespace enemydict
