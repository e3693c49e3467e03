#pragma once

#include <cstdint>

#include "engine/Vector.h"

class IXRenderObject;
class IXShootable;

// The player's ship, as enemy bullets, prizes and enemy launchers see it.
// Implemented by the ship; the bullet manager only calls.
class IXShotTarget {
  public:
    virtual ~IXShotTarget() = default;

    // The ship's body: position, size and visible flag.
    virtual const IXRenderObject& body() const = 0;
    // In play with hit points left.
    virtual bool isAlive() const = 0;
    // Bullets pass without hitting.
    virtual bool isInvulnerable() const = 0;
    // A bullet hit: `change` is its negated damage, `direction` its unit direction.
    virtual void hit(float change, const Vec3& direction) = 0;
    // What the next hit() is from: where the bullet, the beam's nearest point or the hull is,
    // and its radius, for the game's record of what hit the ship. Changes nothing in play.
    virtual void hitFrom(const Vec3& at, float radius) { (void)at, (void)radius; }
    // The enemy the ship's aimed launchers and homing shots go for, or null.
    virtual IXShootable* lockOnTarget() const = 0;
    // Prize rewards (the beam gauge runs 0 to 1).
    virtual void addBeamGauge(float amount) = 0;
    virtual void addScore(int64_t points) = 0;
    virtual void addMultiplier(float delta) = 0;
    virtual void collectOrb(int value) = 0;
    // Casual play's laser is held: prizes come to the ship from anywhere.
    virtual bool isLaserHeld() const = 0;
};
