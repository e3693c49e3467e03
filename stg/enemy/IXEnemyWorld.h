#pragma once

#include <string>

#include "data/Difficulty.h"
#include "engine/Vector.h"

class CXSpriteBatchManager;
class IXEnemyPlayer;
class OXBoss;
class IXRenderObject;
class IXShotEffects;

// The game scene's explosions that enemies set off.
enum class ExplosionKind {
    Small,
    Medium,
    Large,
    Huge,
    PreDeathSmall,  // the burst when a short death movement starts
    PreDeathLarge,  // the burst when a long death movement of a big enemy starts
};

// What enemies need of the game scene and the game session. Implemented by
// the game scene; enemies only call. isBombActive and isCasualPlay have the
// signatures of IXShotWorld's, so a scene implementing both interfaces
// answers both with one function each.
class IXEnemyWorld {
  public:
    virtual ~IXEnemyWorld() = default;

    // The player's ship, or null while there is none.
    virtual IXEnemyPlayer* enemyPlayer() const = 0;
    // Particle effects and trails; always there (noShotEffects() shows none).
    virtual IXShotEffects& effects() const = 0;
    // Starts an effect drawn beneath the enemies, following `anchor` until
    // stopped through effects(); null when none is free.
    virtual IXRenderObject* startPredrawEffect(const std::string& name, const IXRenderObject& anchor) = 0;
    // The player's bomb is going off: enemies do not ram the ship.
    virtual bool isBombActive() const = 0;
    // Casual play: other break amounts, near radius and prizes.
    virtual bool isCasualPlay() const = 0;
    // The difficulty the game is played at.
    virtual Difficulty difficulty() const = 0;

    virtual void explosion(ExplosionKind kind, const Vec3& at, float strength) = 0;
    // `count` debris pieces thrown from `at` along `direction` within
    // `spread` units; the last two shape the pieces as the scene's spray takes them.
    virtual void debrisSpray(const Vec3& at, const Vec3& direction, float spread, int count, float pieceScale,
                             float pieceSpeed) = 0;
    // The flash of an enemy destroyed while marked by the player's beam.
    virtual void beamKill(const Vec3& at) = 0;
    // The batch whose sprites float the point-blank score factors, or null.
    virtual CXSpriteBatchManager* scorePopups() const = 0;
    // One more enemy destroyed this game (the kill count and its experience).
    virtual void countKill() = 0;

    // ---- What bosses ask besides; a scene without them does nothing ----
    // A blast that is only seen, `fireSize` times an explosion's fireball, with its sparks and
    // debris: it counts nothing and plays no sound (a dying boss's hull bursting).
    virtual void hullBlast(const Vec3& at, float fireSize) { (void)at, (void)fireSize; }
    // The screen shakes for `durationMs` with `strength` (camera and image).
    virtual void screenEffect(float durationMs, float strength) { (void)durationMs, (void)strength; }
    // The stage background is tinted `tint` and returns to white over `durationMs`.
    virtual void tintBackground(const Colour& tint, float durationMs) { (void)tint, (void)durationMs; }
    // The stage background's black boss overlay comes (a break phase) or goes.
    virtual void bossOverlay(bool shown) { (void)shown; }
    // The stage background's flash sprite in `tint`, fading from alpha 1 to 0.
    virtual void backgroundFlash(const Colour& tint, float durationMs, float easing) {
        (void)tint, (void)durationMs, (void)easing;
    }
    // A shock ring and its flash at `at`: a phase cleared, a charge released.
    virtual void blast(const Vec3& at, float strength) { (void)at, (void)strength; }
    // The HUD's boss phase timer is shown (or hidden).
    virtual void showPhaseTimer(bool shown) { (void)shown; }
    // A boss phase starts: the hit and time-out flags of its bonus are cleared.
    virtual void resetPhaseBonus() {}
    // The boss phase's timer ran out: its bonus is lost.
    virtual void phaseTimedOut() {}
    // A boss phase that pays its bonus ended: scores `amount` with the
    // multiplier and shows "BONUS SUCCESSFUL" unless the ship was hit or the
    // timer ran out, else shows "BONUS FAILED". True when it paid.
    virtual bool awardPhaseBonus(float amount) { return (void)amount, false; }
    // The boss (or mid-boss) is beaten: the notice, the health gauge hides.
    virtual void bossDefeated(const Vec3& at) { (void)at; }
    // A boss phase with an attack name has begun (its timer full), and has ended: `defeated`
    // when its hit points ran out (not its timer, not the boss leaving). The game keeps the
    // player's record of each attack and the replay's marks from these.
    virtual void attackStarted(const OXBoss& boss, int phase) { (void)boss, (void)phase; }
    virtual void attackEnded(const OXBoss& boss, int phase, bool defeated) {
        (void)boss, (void)phase, (void)defeated;
    }
};
