#pragma once

class IXRenderObject;

// What a player shot touched in an enemy's hit test.
enum class ShotContact {
    Missed,
    Body,    // the enemy's own box: the caller applies the damage
    Module,  // one of its parts, which has taken the damage itself
};

// An enemy or a boss, as player shots, homing shots and aimed player
// launchers see it. Implemented by the enemies; the bullet manager only calls.
class IXShootable {
  public:
    virtual ~IXShootable() = default;

    // The enemy's body: position, size (its y size bounds the quick vertical
    // rejection), visible and active flags.
    virtual const IXRenderObject& body() const = 0;
    // Whether `shot` touches the body or a living module; a module takes `change` itself.
    virtual ShotContact hitTest(const IXRenderObject& shot, float change) = 0;
    // Adds `change` (negative for damage) to the hit points.
    virtual void applyDamage(float change) = 0;
    // Still flying in: not hit by shots.
    virtual bool isEntering() const = 0;
    // In its death sequence: not hit by shots.
    virtual bool isDying() const = 0;
    // Flies on the player's side: not hit by shots.
    virtual bool isFriendly() const = 0;
    // Shields itself from shots (a boss between phases).
    virtual bool isInvincible() const = 0;
    // Has parts that may stick out of its body, so the vertical rejection is skipped.
    virtual bool hasLiveModules() const = 0;
    // How far from its centre a shot can touch it or its parts (too small loses hits).
    virtual float shotReach() const = 0;
    // The direction (degrees) of the shot that hit it last.
    virtual void setLastHitDirection(float degrees) = 0;

    // Enemy beams stop at it (a rock the ship may hide behind).
    virtual bool blocksBeams() const { return false; }
    // The player's beam damaged it: its cancels and prizes change for a while.
    virtual void markByBeam() {}
    // The parts a beam may touch when it misses the body, by slot; null for
    // a slot without a living part.
    virtual int beamPartCount() const { return 0; }
    virtual const IXRenderObject* beamPart(int) const { return nullptr; }
    // A beam took `change` (negative) off the part in slot `index`.
    virtual void damagePart(int, float) {}
};
