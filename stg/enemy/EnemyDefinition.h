#pragma once

#include <string>
#include <vector>

#include "data/Plist.h"
#include "engine/Vector.h"
#include "stg/enemy/EnemyKinds.h"
#include "stg/enemy/MovementNode.h"

// A launcher an enemy or a boss carries ("launcher N"), read once at load.
struct LauncherMount {
    std::string firePattern;  // the pattern's name; empty fires nothing
    Vec3 offset{};            // from the carrier's centre, units
    float cooldownMs = 0.0f;
    float orbitSpeed = 0.0f;
    float orbitStartRotation = 0.0f;  // degrees
    float orbitRadius = 0.0f;         // units
    bool nonRelative = false;         // a boss's: aims without the carrier's turn
};

// One of an enemy's attached parts ("module N"), read once at load.
struct EnemyPart {
    Vec3 anchor{}, bound{};  // units from the carrier, and how far the part may trail its anchor
    int numColumn = 0, numRow = 0, column = 0,
        row = 0;    // a cell grid of its own, when both counts are 1 or more
    int frame = 0;  // else this cell of the enemy atlas
    float hitPoints = 0.0f;
    float size = 0.0f;  // units
    std::string effect, destroyEffect;
    bool effectPredraw = false;
};

// An enemy type ("assets/plist/enemy/NAME.plist"), read once when the stage loads and shared by
// every pooled enemy spawned of it; a spawn copies values from it and allocates nothing.
struct EnemyDefinition {
    bool usable = false;  // the list held anything: an empty or missing one spawns nothing
    bool bottomLayer = false;
    float size = 0.0f;  // units
    float unitWidth = 1.0f;
    bool hasUnitHeight = false;
    float unitHeight = 1.0f;  // quad extent in atlas cells
    int atlasFrame = 0, flickerFrame = 0;
    FaceDirection facing = FaceDirection::Heading;
    float hitPoints = 0.0f;
    int prizeOnDeath = 0, upgradeOnDeath = 0;
    bool friendly = false;
    ExplosionSize explosion = ExplosionSize::Small;
    float points = 0.0f;
    bool obstacleGiven = false;  // the key widens the hit boxes, whatever its value
    bool obstacle = false;
    bool hasBreakAmount = false;  // else the break amount of the play style
    float breakAmount = 0.0f;
    bool cancelBulletsOnDeath = false;
    bool blocksBeams = false;  // enemy beams stop at it, as at a bullet blocker
    int breakNode = 0;         // a formation's follower flies on from it when its leader is shot down
    std::string effect;        // an effect the type names, loaded with the stage
    std::vector<LauncherMount> launchers;  // slots 0 ... in order
    std::vector<EnemyPart> parts;
    std::vector<MovementNode> nodes;
    bool hasDeathMovement = false;
    MovementNode deathMovement;
    // Shot down, it breaks into `splitCount` enemies of the type `splitInto` (loaded with it),
    // their spawn angles fanned evenly across `splitSpread` degrees about its heading.
    std::string splitInto;
    int splitCount = 2;
    float splitSpread = 90.0f;
    // A carrier: while it lives and is in the field it launches up to `launchCount` enemies of the
    // type `launchEnemy` (loaded with it), the first `launchDelayMs` after it spawns and then one
    // every `launchEveryMs`, from `launchOffset` turned with its facing.
    std::string launchEnemy;
    float launchEveryMs = 1500.0f;
    int launchCount = 4;
    float launchDelayMs = 1000.0f;
    Vec3 launchOffset{};
    // No damage while a living enemy of the type `shieldedBy` (loaded with it) is in the field;
    // the shield shows as a shimmer, and as the halo of atlas cell `shieldFrame` when one is named.
    std::string shieldedBy;
    int shieldFrame = -1;
    // Every `blinkEveryMs` (0: never) it leaves space for `blinkWarningMs` and comes back within
    // `blinkRange` units of where it was; the marker of the place is cell `blinkMarkerFrame`, or
    // the enemy's own frame, faint.
    float blinkEveryMs = 0.0f;
    float blinkRange = 120.0f;
    float blinkWarningMs = 400.0f;
    int blinkMarkerFrame = -1;
};

// The one way a list's hit points are read: a real or an integer, held to 0 ... 1e9.
float readHitPoints(const Plist::Dictionary& list);
LauncherMount readLauncherMount(const Plist::Dictionary& entry);
EnemyDefinition readEnemyDefinition(const Plist::Dictionary& list);
