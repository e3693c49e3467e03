#pragma once

#include <string>

#include "engine/Vector.h"

class CXSpriteBatchManager;
class IXEnemyPlayer;
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
    // Casual play ("CLASSIC"): other break amounts, near radius and prizes.
    virtual bool isCasualPlay() const = 0;
    // The session's difficulty: 0 easy, 1 normal, 2 hard, 3 extreme.
    virtual int difficulty() const = 0;

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
};
