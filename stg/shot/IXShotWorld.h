#pragma once

#include "engine/Vector.h"

class IXShootable;
class IXShotTarget;
class OXBullet;

// What the game scene provides to bullets and launchers. Implemented by the
// game scene; the bullet manager and the launchers only call.
class IXShotWorld {
  public:
    virtual ~IXShotWorld() = default;

    // The player's ship, or null while there is none.
    virtual IXShotTarget* shotTarget() const = 0;
    // The live enemies player shots are tested against, in their list order.
    virtual int shootableCount() const = 0;
    virtual IXShootable* shootable(int index) const = 0;
    // The boss being fought (the mid-boss until it is beaten), or null.
    virtual IXShootable* currentBoss() const = 0;
    // The enemy a homing player shot at `from` should go for, or null.
    virtual IXShootable* nearestEnemy(const Vec3& from) const = 0;
    // `bullet` came within graze range of the ship for the first time.
    virtual void graze(const OXBullet& bullet) = 0;
    // The player's bomb is going off: bullets do not hit the ship.
    virtual bool isBombActive() const = 0;
    // Milliseconds left during which every enemy bullet is cleared.
    virtual float bulletGraceTime() const = 0;
    // Casual play: other prize values and frames.
    virtual bool isCasualPlay() const = 0;
    // A volley asks for the shot sound; the scene plays it at most once a frame.
    virtual void playShotSound() = 0;
};
