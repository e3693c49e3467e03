// The one stand-in for the game scene as the player's ship reaches it, for
// the ship's tests and anything else that flies a ship without a scene.
#pragma once

#include <cstdint>
#include <string>

#include "stg/game/GameRun.h"
#include "stg/game/IXPlayerWorld.h"
#include "stg/game/IXStageHud.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/shot/IXShotEffects.h"

// The game scene as the ship sees it: the requests the ship's tests read are
// counted (the time scale and where the last explosion went kept), and the game's values (bombs,
// levels, casual play, the stage's counts) are plain fields a test sets and reads. Nothing here allocates, so
// it may take part in an allocation count.
class StandInPlayerWorld : public IXPlayerWorld {
  public:
    IXShotEffects& effects() const override { return noShotEffects(); }
    // The ship's predraw effects start like its others.
    IXRenderObject* startPredrawEffect(const std::string& name, const IXRenderObject& anchor) override {
        return effects().startAttachedEffect(name, anchor, false);
    }
    void setTimeScale(float factor, float) override { lastTimeScale = factor; }
    void shake(float) override {}
    void cameraShake(float, float) override {}
    void setBulletGrace(float) override { ++graces; }
    void clearBullets() override { ++clears; }
    void shockRing(const Vec3&, float) override {}
    void tranceReadyRing(const Vec3&) override {}
    void counterRing(const Vec3&, float) override { ++counterRings; }
    void beamReadyPulse(const Vec3&) override {}
    void explosionAt(const Vec3& at) override {
        ++explosions;
        lastExplosion = at;
    }
    void tintBackground(const Colour&, float) override {}
    void tranceBackgroundFlash() override {}
    void detonateBomb(const Vec3&, float) override { ++bombs; }
    bool isBombActive() const override { return bombActive; }
    bool isCasualPlay() const override { return run.casual; }
    IXShootable* nearestEnemyIn(const Vec3&, float, float, float, float) const override { return nullptr; }
    bool isEnemyAlive(const IXShootable*) const override { return false; }
    void recordPlayerHit() override { ++playerHits; }
    void hudDamageFlash(float) override { ++damageFlashes; }
    void hudStartTranceCutIn() override {
        ++cutIns;
        if (answering) {
            noStageHud().startTranceCutIn(*answering);  // no cut-in to wait for
        }
    }
    void playerDied() override {
        ++deaths;
        if (answering) {
            answering->die();  // as the game scene does
        }
    }
    // The game's values, from the run, as the game scene answers them.
    int weaponLevel() const override { return run.weaponLevel; }
    int missileLevel() const override { return run.missileLevel; }
    Difficulty difficulty() const override { return run.difficulty; }
    int64_t carriedScore() const override { return run.score; }
    int optionPairs() const override { return run.optionPairs; }
    int bombsLeft() const override { return run.bombs; }
    void spendBomb() override { run.useBomb(); }
    bool canShoot() const override { return run.shootingAllowed; }
    bool isBreakGaugeEnabled() const override { return run.breakGaugeEnabled; }
    float tranceFactor() const override { return run.tranceFactor; }
    void resetTranceFactor() override { run.tranceFactor = 1.0f; }
    void reportScore(int64_t value) override { run.setScore(value); }
    void countGraze() override { ++run.grazes; }
    void countOrb() override { ++run.orbs; }
    void countTrance() override { ++run.trances; }
    void resetStageCounters() override { run.resetStageCounters(); }

    int graces = 0, clears = 0, counterRings = 0, explosions = 0;
    int bombs = 0, playerHits = 0, damageFlashes = 0, cutIns = 0, deaths = 0;
    float lastTimeScale = 1.0f;
    Vec3 lastExplosion{};
    bool bombActive = false;
    // When set, the world answers the ship at once, from inside the ship's own frame.
    OXSTGBasePlayer* answering = nullptr;

    // The game's values, as a fresh arcade game on normal has them but with no bombs, and the
    // stage's counts.
    GameRun run = noBombs();

  private:
    static GameRun noBombs() {
        GameRun fresh;
        fresh.bombs = 0;
        return fresh;
    }
};
