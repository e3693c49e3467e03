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

// The longest a movement node or a death movement may last, in ms: a stage can use no more, and a
// longer node would hold its enemy, or its boss's phase, on the field for good.
constexpr float kMostNodeMs = 600000.0f;

// The most hit points a boss's phase may have: forty times the toughest phase of the campaign. A
// phase past it could not be shot down within the longest a stage lasts.
constexpr float kMostPhaseHp = 20000.0f;

// Holds the "hp" of every phase of a boss's `definition` to kMostPhaseHp, in the list itself,
// with a line naming `listPath` and the phase. Read once, when the list loads.
void holdPhaseHitPoints(Plist::Dictionary& definition, const std::string& listPath);

// Holds the time under `key` of `dict` to kMostNodeMs, in the list itself, with a line naming
// `listPath`, `where` (the entry holding the key) and the key. Read once, when the list loads.
void holdTime(Plist::Dictionary& dict, const std::string& key, const std::string& listPath,
              const char* where);
// Holds the durations of every movement node and of the death movement of `definition`, and of
// the movement nodes of its phases ("phase 0", "phase 1", ...: a boss's).
// `within` names the entry `definition` is in, for the lines ("phase 2 ").
void holdNodeTimes(Plist::Dictionary& definition, const std::string& listPath,
                   const std::string& within = "");

}  // namespace enemydict
