// A stage with a bullet manager and an enemy manager on the test package (the
// stand-ins of EnemyFakes.h for the ship, the scene and the effects), and
// builders for the property lists the tests read.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "stg/enemy/CXEnemyManager.h"
#include "stg/shot/CXBulletManager.h"
#include "tests/stg/enemy/EnemyFakes.h"
#include "tests/support/TestContent.h"

namespace enemytest {

// ---- Property-list text ----
using testfiles::boolean;
using testfiles::dict;
using testfiles::integer;
using testfiles::Keys;
using testfiles::plist;
using testfiles::real;
using testfiles::text;
// Puts a file into the package mounted for the run; call it from a
// namespace-scope initialiser so that it is there before the first test.
bool addPackageFile(const std::string& path, const std::string& contents);

// A stage of the test package: a ship at (160, 60), a game scene with
// effects, a bullet manager and the enemy manager on an 8 x 8 atlas.
struct Stage {
    Stage();
    ~Stage();
    // Spawns `type` (its definition loaded first) at (x, y, 0) with the angle.
    OXEnemy* spawn(const std::string& type, float x = 160.0f, float y = 400.0f, float angle = 180.0f);
    // Manager updates of one fixed step each.
    void run(int frames);
    // Runs until `enemy` has entered the play plane.
    void enter(OXEnemy& enemy);

    FakeShip ship;
    FakeEffects effects;
    FakeWorld world;
    CXBulletManager bullets;
    CXEnemyManager enemies;
};

// The slots whose launchers fired a run (their cooldown is running), as "0 2 5".
std::string firedSlots(const OXEnemy& enemy);

}  // namespace enemytest
