// Stand-ins for what enemies reach through their interfaces: a ship that records score, break
// and hits, effects that record what they were asked, and a game scene that records
// explosions, kills and the bosses' requests. Shared by the enemy tests and the benchmark.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/IXRenderObject.h"
#include "stg/enemy/IXEnemyPlayer.h"
#include "stg/enemy/IXEnemyWorld.h"
#include "stg/enemy/OXBoss.h"
#include "stg/shot/IXShotEffects.h"
#include "stg/shot/IXShotWorld.h"

namespace enemytest {

// The game scene's fixed step.
constexpr float kStep = 15.447501f;

class FakeShip : public IXRenderObject, public IXEnemyPlayer {
  public:
    FakeShip() {
        load("");
        setPosition(160, 60, 0);
    }
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
    bool isRespawning() const override { return false; }
    bool isTranceActive() const override { return trance; }
    int bonusValue() const override { return bonus; }
    void addBreak(float amount) override { breakGauge += amount; }

    bool invulnerable = false;
    bool laserHeld = false;
    bool trance = false;
    int bonus = 0;
    int64_t score = 0;
    float breakGauge = 0.0f;
    std::vector<float> hits;
};

class FakeEffects : public IXShotEffects {
  public:
    void preloadEffect(const std::string&) override {}
    IXRenderObject* startAttachedEffect(const std::string& name, const IXRenderObject&, bool) override {
        started.push_back(name);
        return &handle;
    }
    void stopEffect(IXRenderObject*) override { ++stopped; }
    bool attachTrail(const IXRenderObject&, int, float) override { return false; }
    void detachTrail(const IXRenderObject&) override {}
    void playAt(const std::string& name, const Vec3&, const Vec3&, float) override { played.push_back(name); }

    std::vector<std::string> started, played;
    int stopped = 0;
    IXRenderObject handle;  // what every started effect is
};

// The game scene as enemies and their bullets reach it.
class FakeWorld : public IXEnemyWorld, public IXShotWorld {
  public:
    struct Explosion {
        ExplosionKind kind;
        Vec3 at;
        float strength;
    };
    IXEnemyPlayer* enemyPlayer() const override { return ship; }
    IXShotEffects& effects() const override { return fx ? *fx : noShotEffects(); }
    IXRenderObject* startPredrawEffect(const std::string& name, const IXRenderObject&) override {
        predrawStarted.push_back(name);
        return fx ? &static_cast<FakeEffects*>(fx)->handle : nullptr;
    }
    bool isBombActive() const override { return bombActive; }
    bool isCasualPlay() const override { return casual; }
    Difficulty difficulty() const override { return level; }
    void explosion(ExplosionKind kind, const Vec3& at, float strength) override {
        explosions.push_back({kind, at, strength});
    }
    void debrisSpray(const Vec3&, const Vec3&, float, int, float, float) override { ++debrisSprays; }
    void beamKill(const Vec3&) override {}
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
    void attackStarted(const OXBoss& boss, int phase) override {
        attacks.push_back(boss.getFileName() + " " + std::to_string(phase) + " " + boss.getAttackName());
    }
    void attackEnded(const OXBoss&, int phase, bool defeated) override {
        attacks.push_back(std::to_string(phase) + (defeated ? " beaten" : " not beaten"));
    }
    void hullBlast(const Vec3& at, float size) override {
        hullBlasts.push_back({ExplosionKind::Huge, at, size});
    }
    // What enemy bullets ask: the ship is their target, nothing of the player's is shootable.
    IXShotTarget* shotTarget() const override { return ship; }
    int shootableCount() const override { return 0; }
    IXShootable* shootable(int) const override { return nullptr; }
    IXShootable* currentBoss() const override { return nullptr; }
    IXShootable* nearestEnemy(const Vec3&) const override { return nullptr; }
    void graze(const OXBullet&) override {}
    float bulletGraceTime() const override { return 0.0f; }
    void playShotSound() override {}

    FakeShip* ship = nullptr;
    IXShotEffects* fx = nullptr;
    CXSpriteBatchManager* popups = nullptr;
    bool bombActive = false;
    bool casual = false;
    Difficulty level = kDefaultDifficulty;
    std::vector<Explosion> explosions;
    std::vector<Explosion> hullBlasts;  // seen only: where and how big
    std::vector<std::string> predrawStarted;
    int debrisSprays = 0, kills = 0;
    bool timerShown = false;
    int timeOuts = 0, defeatNotices = 0;
    std::vector<float> bonuses;
    std::vector<std::string> attacks;  // "t_boss 1 NAME" as one begins, "1 beaten" as it ends
};

}  // namespace enemytest
