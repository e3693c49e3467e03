#pragma once

#include <string>
#include <vector>

#include "data/Plist.h"
#include "stg/enemy/EnemyKinds.h"

// One step of an enemy's or a boss's flight ("movement node N", "death movement node"), read once
// when its list loads; the flight reads only this record.
struct MovementNode {
    float durationMs = 0.0f;  // 0: the node ends at once with its totals applied
    bool timed = false;       // the list gives a "duration": only then is a death movement flown
    float direction = 0.0f;   // degrees, from the spawn angle (a death movement's: absolute)
    bool useLastDirection = false;
    float directionChange = 0.0f;  // degrees over the node
    float speed = 0.0f;            // units per 10 ms
    float speedChange = 0.0f;      // over the node
    float depthChange = 0.0f;      // pseudo-3D depth over the node
    bool playerChase = false;
    bool setsFacing = false;  // "face dir change" given (a death movement always sets it, 0 by default)
    FaceDirection facing = FaceDirection::Heading;
    std::string effect;  // "0" stops the running effect, empty starts none
    bool effectPredraw = false;
    // The launcher slots started, by difficulty, and the list used where the difficulty's own
    // names no slot (FireLaunchers), as written.
    enum LauncherList { EasyLaunchers, NormalLaunchers, HardLaunchers, FireLaunchers, LauncherListCount };
    std::string launchers[LauncherListCount];
    bool dealsDamage = false;
    float damage = 0.0f;  // hit points taken as the node starts
    // A boss's node.
    bool charging = false;                // the break ring gathers while the node runs
    bool showsEffects = false;            // "show effect" given: the boss's shown effects change
    std::string shownEffects;             // indices into the boss's effects, as written
    std::vector<int> shownEffectIndices;  // filled by the boss's loader
};

// The key a launcher list is read from ("easy launchers", ...), for the lines that name it.
const std::string& launcherListKey(int list);

// Reads a movement node, or with `deathMovement` a death movement (whose facing is always set).
MovementNode readMovementNode(const Plist::Dictionary& node, bool deathMovement);
