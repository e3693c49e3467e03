// The one stand-in for the game scene as the player's ship reaches it, for
// the ship's tests and anything else that flies a ship without a scene.
#pragma once

#include <cstdint>
#include <string>

#include "stg/game/IXPlayerWorld.h"
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
    bool isCasualPlay() const override { return casual; }
    IXShootable* nearestEnemyIn(const Vec3&, float, float, float, float) const override { return nullptr; }
    bool isEnemyAlive(const IXShootable*) const override { return false; }
    void recordPlayerHit() override { ++playerHits; }
    void hudDamageFlash(float) override { ++damageFlashes; }
    void hudStartTranceCutIn() override {
        ++cutIns;
        if (answering) {
            answering->startBreak();  // a scene without a HUD has no cut-in to wait for
        }
    }
    void playerDied() override {
        ++deaths;
        if (answering) {
            answering->die();  // as the game scene does
        }
    }
    int weaponLevel() const override { return weapon; }
    int missileLevel() const override { return 0; }
    Difficulty difficulty() const override { return difficultyLevel; }
    int64_t carriedScore() const override { return score; }
    int optionPairs() const override { return optionPairCount; }
    int bombsLeft() const override { return bombsInStock; }
    void spendBomb() override {
        if (bombsInStock > 0) {
            --bombsInStock;
        }
    }
    bool canShoot() const override { return true; }
    bool isBreakGaugeEnabled() const override { return true; }
    float tranceFactor() const override { return trance; }
    void resetTranceFactor() override { trance = 1.0f; }
    void reportScore(int64_t value) override { score = value; }
    void countGraze() override { ++grazes; }
    void countOrb() override { ++orbs; }
    void countTrance() override {}
    void resetStageCounters() override { grazes = orbs = 0; }

    int graces = 0, clears = 0, counterRings = 0, explosions = 0;
    int bombs = 0, playerHits = 0, damageFlashes = 0, cutIns = 0, deaths = 0;
    float lastTimeScale = 1.0f;
    Vec3 lastExplosion{};
    bool bombActive = false;
    // When set, the world answers the ship at once, from inside the ship's own frame.
    OXSTGBasePlayer* answering = nullptr;

    // The game's values, as a fresh arcade game on normal has them, and the stage's counts.
    int weapon = 0, optionPairCount = 0, bombsInStock = 0;
    Difficulty difficultyLevel = kDefaultDifficulty;
    int64_t score = 0;
    bool casual = false;
    float trance = 1.0f;
    int grazes = 0, orbs = 0;
};
