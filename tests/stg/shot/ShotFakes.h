// Stand-ins for what the shooting library reaches through its interfaces: a
// ship that records grazes and hits, enemies that record damage and a game
// scene. The tests and the benchmarks share them.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/IXRenderObject.h"
#include "stg/shot/IXShootable.h"
#include "stg/shot/IXShotTarget.h"
#include "stg/shot/IXShotWorld.h"

class OXBullet;

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
    void addBeamGauge(float) override {}
    void addScore(int64_t) override {}
    void addMultiplier(float) override {}
    void collectOrb(int value) override { orbs += value; }
    bool isLaserHeld() const override { return laserHeld; }

    bool alive = true;
    bool invulnerable = false;
    bool laserHeld = false;
    IXShootable* lockOn = nullptr;
    std::vector<Hit> hits;
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
    void setLastHitDirection(float) override {}
    bool blocksBeams() const override { return blocker; }

    bool entering = false;
    bool dying = false;
    bool friendly = false;
    bool invincible = false;
    bool withModules = false;  // hits land on a module, which takes the damage itself
    bool blocker = false;      // enemy beams stop at it
    bool ghost = false;        // tests the contact but never reports it (benchmarks)
    float damageTaken = 0.0f;  // through applyDamage
    float moduleDamage = 0.0f;
    int hitTests = 0;
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
    void playShotSound() override {}

    FakeShip* ship = nullptr;
    std::vector<IXShootable*> enemies;
    IXShootable* boss = nullptr;
    std::vector<const OXBullet*> grazes;
    bool bombActive = false;
    float graceTime = 0.0f;
    bool casual = false;
};

}  // namespace shottest
