// Stand-ins for what the shooting library reaches through its interfaces (a
// ship that records grazes and hits, enemies that record damage, a game
// scene, effects that record what they were asked), a manager set up on a
// test package, and builders for the property lists the tests read.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/IXRenderObject.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/IXShootable.h"
#include "stg/shot/IXShotEffects.h"
#include "stg/shot/IXShotTarget.h"
#include "stg/shot/IXShotWorld.h"
#include "stg/shot/OXBullet.h"

namespace shottest {

// The game scene's fixed step.
constexpr float kStep = 15.447501f;

class FakeShip : public IXRenderObject, public IXShotTarget {
  public:
    struct Hit {
        float change;
        Vec3 direction;
    };
    FakeShip();
    const IXRenderObject& body() const override { return *this; }
    bool isAlive() const override { return alive; }
    bool isInvulnerable() const override { return invulnerable; }
    void hit(float change, const Vec3& direction) override { hits.push_back({change, direction}); }
    IXShootable* lockOnTarget() const override { return lockOn; }
    void addBeamGauge(float amount) override { beamGauge += amount; }
    void addScore(int64_t points) override { score += points; }
    void addMultiplier(float delta) override { multiplier += delta; }
    void collectOrb(int value) override { orbs += value; }
    bool isLaserHeld() const override { return laserHeld; }

    bool alive = true;
    bool invulnerable = false;
    bool laserHeld = false;
    IXShootable* lockOn = nullptr;
    std::vector<Hit> hits;
    float beamGauge = 0.0f;
    int64_t score = 0;
    float multiplier = 0.0f;
    int orbs = 0;
};

class FakeEnemy : public IXRenderObject, public IXShootable {
  public:
    explicit FakeEnemy(float x = 0.0f, float y = 0.0f, float extent = 32.0f);
    const IXRenderObject& body() const override { return *this; }
    ShotContact hitTest(const IXRenderObject& shot, float change) override;
    void applyDamage(float change) override { damageTaken -= change; }
    bool isEntering() const override { return entering; }
    bool isDying() const override { return dying; }
    bool isFriendly() const override { return friendly; }
    bool isInvincible() const override { return invincible; }
    bool hasLiveModules() const override { return withModules; }
    // Its parts reach 60 units out.
    float shotReach() const override { return withModules ? 60.0f : size.x * 0.5f * hitScale * scale.x; }
    void setLastHitDirection(float degrees) override { lastHitDirection = degrees; }

    bool entering = false;
    bool dying = false;
    bool friendly = false;
    bool invincible = false;
    bool withModules = false;  // hits land on a module, which takes the damage itself
    bool ghost = false;        // tests the contact but never reports it (benchmarks)
    float damageTaken = 0.0f;  // through applyDamage
    float moduleDamage = 0.0f;
    int hitTests = 0;
    float lastHitDirection = -1.0f;
};

class FakeWorld : public IXShotWorld {
  public:
    IXShotTarget* shotTarget() const override { return ship; }
    int shootableCount() const override { return static_cast<int>(enemies.size()); }
    IXShootable* shootable(int index) const override { return enemies[static_cast<size_t>(index)]; }
    IXShootable* currentBoss() const override { return boss; }
    IXShootable* nearestEnemy(const Vec3& from) const override;
    void graze(const OXBullet& bullet) override { grazes.push_back(&bullet); }
    bool isBombActive() const override { return bombActive; }
    float bulletGraceTime() const override { return graceTime; }
    bool isCasualPlay() const override { return casual; }
    void playShotSound() override { ++shotSounds; }

    FakeShip* ship = nullptr;
    std::vector<IXShootable*> enemies;
    IXShootable* boss = nullptr;
    std::vector<const OXBullet*> grazes;
    bool bombActive = false;
    float graceTime = 0.0f;
    bool casual = false;
    int shotSounds = 0;
};

class RecordingEffects : public IXShotEffects {
  public:
    struct Played {
        std::string name;
        Vec3 position;
        float strength;
    };
    void preloadEffect(const std::string& name) override { preloaded.push_back(name); }
    IXRenderObject* startAttachedEffect(const std::string& name, const IXRenderObject& anchor,
                                        bool glow) override;
    void stopEffect(IXRenderObject* effect) override;
    bool attachTrail(const IXRenderObject& target, int frame, float width) override;
    void detachTrail(const IXRenderObject& target) override;
    void playAt(const std::string& name, const Vec3& position, const Vec3& direction,
                float strength) override {
        (void)direction;
        played.push_back({name, position, strength});
    }

    std::vector<std::string> preloaded;
    int started = 0;
    int stopped = 0;
    int trailsAttached = 0;
    int trailsDetached = 0;
    std::vector<Played> played;

  private:
    IXRenderObject handle;  // what startAttachedEffect hands out
};

// A manager on the test package's atlas with a world, a ship at (160, 100)
// and recording effects.
struct Stage {
    Stage();
    ~Stage();
    // Runs `frames` updates at the fixed step.
    void run(int frames, float dtMs = kStep);
    // The one live bullet of the enemy pool fired last, for single-shot tests.
    OXBullet* lastEnemyBullet();

    FakeShip ship;
    FakeWorld world;
    RecordingEffects effects;
    CXBulletManager manager;
};

// Property-list builders.
std::string plist(const std::map<std::string, std::string>& entries);
std::string integer(long long value);
std::string real(double value);
std::string text(const std::string& value);
std::string boolean(bool value);

// Runs `body` and returns what it printed.
template <typename Body>
std::string printedBy(Body body) {
    testing::internal::CaptureStdout();
    body();
    return testing::internal::GetCapturedStdout();
}

}  // namespace shottest
