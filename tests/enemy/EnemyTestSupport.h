// Stand-ins for what enemies reach through their interfaces (a game scene
// that records explosions and kills, a ship that records score, break and
// hits, effects that record what they were asked), a stage with a bullet
// manager and an enemy manager on the test package, and builders for the
// property lists the tests read.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/IXRenderObject.h"
#include "stg/enemy/CXEnemyManager.h"
#include "stg/enemy/IXEnemyPlayer.h"
#include "stg/enemy/IXEnemyWorld.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/IXShotEffects.h"
#include "tests/support/TestContent.h"

namespace enemytest {

// The game scene's fixed step.
constexpr float kStep = 15.447501f;

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

class FakeShip : public IXRenderObject, public IXEnemyPlayer {
  public:
    FakeShip();
    const IXRenderObject& body() const override { return *this; }
    bool isAlive() const override { return true; }
    bool isInvulnerable() const override { return invulnerable; }
    void hit(float change, const Vec3&) override { hits.push_back(change); }
    IXShootable* lockOnTarget() const override { return nullptr; }
    void addBeamGauge(float) override {}
    void addScore(int64_t points) override { score += points; }
    void addMultiplier(float) override {}
    void collectOrb(int) override {}
    bool isLaserHeld() const override { return laserHeld; }
    bool isRespawning() const override { return respawning; }
    bool isTranceActive() const override { return trance; }
    int bonusValue() const override { return bonus; }
    void addBreak(float amount) override { breakGauge += amount; }

    bool invulnerable = false;
    bool laserHeld = false;
    bool respawning = false;
    bool trance = false;
    int bonus = 0;
    int64_t score = 0;
    float breakGauge = 0.0f;
    std::vector<float> hits;
};

class FakeEffects : public IXShotEffects {
  public:
    void preloadEffect(const std::string& name) override { preloaded.push_back(name); }
    IXRenderObject* startAttachedEffect(const std::string& name, const IXRenderObject&, bool) override;
    void stopEffect(IXRenderObject*) override { ++stopped; }
    bool attachTrail(const IXRenderObject&, int, float) override { return false; }
    void detachTrail(const IXRenderObject&) override {}
    void playAt(const std::string& name, const Vec3&, const Vec3&, float) override { played.push_back(name); }

    std::vector<std::string> preloaded, started, played;
    int stopped = 0;
    IXRenderObject handle;  // what every started effect is
};

class FakeWorld : public IXEnemyWorld {
  public:
    struct Explosion {
        ExplosionKind kind;
        Vec3 at;
        float strength;
    };
    IXEnemyPlayer* enemyPlayer() const override { return ship; }
    IXShotEffects& effects() const override { return fx ? *fx : noShotEffects(); }
    IXRenderObject* startPredrawEffect(const std::string& name, const IXRenderObject& anchor) override;
    bool isBombActive() const override { return bombActive; }
    bool isCasualPlay() const override { return casual; }
    int difficulty() const override { return level; }
    void explosion(ExplosionKind kind, const Vec3& at, float strength) override {
        explosions.push_back({kind, at, strength});
    }
    void debrisSpray(const Vec3&, const Vec3&, float, int, float, float) override { ++debrisSprays; }
    void beamKill(const Vec3&) override { ++beamKills; }
    CXSpriteBatchManager* scorePopups() const override { return popups; }
    void countKill() override { ++kills; }
    // What bosses ask of the scene.
    void showPhaseTimer(bool shown) override { timerShown = shown; }
    void phaseTimedOut() override { ++timeOuts; }
    bool awardPhaseBonus(float amount) override {
        bonuses.push_back(amount);
        return true;
    }
    void bossDefeated(const Vec3&) override { ++defeatNotices; }

    IXEnemyPlayer* ship = nullptr;
    IXShotEffects* fx = nullptr;
    CXSpriteBatchManager* popups = nullptr;
    bool bombActive = false;
    bool casual = false;
    int level = 1;
    std::vector<Explosion> explosions;
    std::vector<std::string> predrawStarted;
    int debrisSprays = 0, beamKills = 0, kills = 0;
    bool timerShown = false;
    int timeOuts = 0, defeatNotices = 0;
    std::vector<float> bonuses;
};

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
