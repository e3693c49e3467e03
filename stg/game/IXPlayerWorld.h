#pragma once

#include <cstdint>
#include <string>

#include "data/Difficulty.h"
#include "engine/Vector.h"

class IXRenderObject;
class IXShootable;
class IXShotEffects;

// What the player's ship needs of the game scene: its effects, the clocks it
// bends (time scale, shakes, bullet grace), the bomb, the HUD's reactions and
// the death report, and the game's values it plays by (levels, difficulty,
// bombs, the running counts). Implemented by the game scene, which keeps those
// values in the game's run; the ship only calls. isBombActive, isCasualPlay and
// difficulty have the signatures of IXShotWorld's and IXEnemyWorld's, so a
// scene implementing them all answers each with one function.
class IXPlayerWorld {
  public:
    virtual ~IXPlayerWorld() = default;

    // Particle effects and trails; always there (noShotEffects() shows none).
    virtual IXShotEffects& effects() const = 0;
    // Starts an effect drawn beneath the scene's objects, following `anchor`
    // until stopped through effects(); null when none is free.
    virtual IXRenderObject* startPredrawEffect(const std::string& name, const IXRenderObject& anchor) = 0;

    // The scene's clock runs at `factor` for `durationMs` of real time.
    virtual void setTimeScale(float factor, float durationMs) = 0;
    // Screen shake through the graphics manager.
    virtual void shake(float durationMs) = 0;
    // The camera shakes for `durationMs` within +-amplitude / 2 units.
    virtual void cameraShake(float durationMs, float amplitude) = 0;
    // For `durationMs` every enemy bullet ends at its next update.
    virtual void setBulletGrace(float durationMs) = 0;
    // Every enemy bullet on screen ends (end of the trance, respawn).
    virtual void clearBullets() = 0;

    // Rings at a point of the field.
    virtual void shockRing(const Vec3& at, float durationMs) = 0;
    // The trance is ready: a 250 ms ring, with its warning sound when the
    // profile asks for it.
    virtual void tranceReadyRing(const Vec3& at) = 0;
    virtual void counterRing(const Vec3& at, float durationMs) = 0;
    // The beam gauge holds a counter-attack: a 360 ms pulse.
    virtual void beamReadyPulse(const Vec3& at) = 0;
    virtual void explosionAt(const Vec3& at) = 0;

    // The stage background is tinted `colour` and returns to white over `durationMs`.
    virtual void tintBackground(const Colour& colour, float durationMs) = 0;
    // The trance's first frame: darken to 0.15 over 100 ms, then brighten
    // from 0.75 to white over 200 ms.
    virtual void tranceBackgroundFlash() = 0;

    // The bomb goes off at `at` for `durationMs`.
    virtual void detonateBomb(const Vec3& at, float durationMs) = 0;
    virtual bool isBombActive() const = 0;
    virtual bool isCasualPlay() const = 0;

    // The nearest living enemy inside the rectangle, or null.
    virtual IXShootable* nearestEnemyIn(const Vec3& from, float minX, float maxX, float minY,
                                        float maxY) const = 0;
    // Whether `enemy` (a pointer nearestEnemyIn gave) is still alive and in play.
    virtual bool isEnemyAlive(const IXShootable* enemy) const = 0;

    // The ship was hit: the boss phase bonus is lost.
    virtual void recordPlayerHit() = 0;
    // The HUD: the multiplier flashes red for `durationMs`; the trance cut-in
    // plays and calls the ship's startBreak when done.
    virtual void hudDamageFlash(float durationMs) = 0;
    virtual void hudStartTranceCutIn() = 0;

    // A hit cost the ship its last hit point, or a bomb went off for it (`bomb`): `at` and
    // `radius` are what hit it, as it told the ship. The scene names the attack and reports it.
    virtual void shipHit(const Vec3& at, float radius, bool bomb) { (void)at, (void)radius, (void)bomb; }
    // The ship's hit points ran out.
    virtual void playerDied() = 0;

    // ---- The game's values ----
    // Read when the ship loads: its weapon and missile levels, the difficulty
    // that sets the multiplier's rate, the score carried from the
    // last stage and the pairs of option pods it flies with.
    virtual int weaponLevel() const = 0;
    virtual int missileLevel() const = 0;
    virtual Difficulty difficulty() const = 0;
    virtual int64_t carriedScore() const = 0;
    virtual int optionPairs() const = 0;
    // Bombs left; spendBomb takes one.
    virtual int bombsLeft() const = 0;
    virtual void spendBomb() = 0;
    // Whether the ship's launchers may fire now and the break gauge may fill.
    virtual bool canShoot() const = 0;
    virtual bool isBreakGaugeEnabled() const = 0;
    // The trance multiplies the graze chain's bonus by this; a new life resets it to 1.
    virtual float tranceFactor() const = 0;
    virtual void resetTranceFactor() = 0;
    // The score as it stands, after every change.
    virtual void reportScore(int64_t score) = 0;
    // The stage's counts: a graze, an orb, a trance ended; a death clears the graze and orb counts.
    virtual void countGraze() = 0;
    virtual void countOrb() = 0;
    virtual void countTrance() = 0;
    virtual void resetStageCounters() = 0;
};
