#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/IXRenderObject.h"
#include "stg/shot/CXBulletManager.h"

class OXLauncher;
class OXLauncherPlatform;
struct BulletProperties;

// One pooled bullet or prize item. Fired by the bullet manager with a bullet
// type, it moves itself every frame (speed and direction changes, homing,
// wall bounces), tests itself against the player or the enemies, and ends by
// lifetime, hit, leaving the play area or a cancel, often turning into a
// prize. Prize slots run the prize rules instead. A slot is free while it is
// neither visible nor active; the manager owns every slot for the stage.
class OXBullet final : public IXRenderObject {
  public:
    // Prize kinds: score orb, multiplier orb, upgrade item, large multiplier orb, trance orb.
    enum PrizeType { ScoreOrb = 0, MultiplierOrb = 1, Upgrade = 2, BigMultiplierOrb = 3, TranceOrb = 4 };

    OXBullet();
    ~OXBullet() override;
    // Resets the slot and makes its own launcher (once).
    void load(const std::string& path) override;
    // Clears every per-flight value: not dying, not a prize, no target, no speed.
    void resetActions() override;
    // One ordinary frame.
    void tick(float dtMs) override;
    // Ticks every active slot of a pool of `count` slots with the manager's
    // view of this update; steady enemy bullets take the short frame, which
    // ends exactly like the ordinary one.
    static void tickSlots(OXBullet* slots, int count, float dtMs, const CXBulletManager::FrameView& frame);

    void setManager(CXBulletManager* value);
    // Takes the type's values and flies from `at` (the manager's fireBullet).
    void launch(const BulletProperties& type, float direction, const Vec3& at, float speedOffset,
                OXLauncherPlatform* by, float managerTimeScale);
    void makePrize(int kind);
    // Expiry animation (frames 8 to 11), then free.
    void expire();
    // Hit animation (frames 18 and 19), then free.
    void hitAnimation();
    // Back to the pool at once.
    void release();
    // The end of a cancelled or timed-out enemy bullet: the expiry animation,
    // or gone at once for "no expire" types.
    void expireOrVanish();

    // Motion. Changes are spread over their times; with "is change not
    // relative" the speed change given is a target speed.
    void setDirection(float degrees);
    void setSpeed(float value) { speed = value; }
    void setSpeedChange(float amount);
    void setSpeedChangeTime(float ms);
    void setDirectionChange(float degrees);
    void setDirectionChangeTime(float ms);
    void setTimeScale(float value) { timeScale = value; }
    void setLifetime(float ms) { lifetime = ms; }
    void setDamage(float value) { damage = value; }
    void setBounds(float rightEdge, float topEdge, float leftEdge, float bottomEdge);

    // The atlas frame to draw: the type's first frame in the frame the
    // bullet was fired in, then its own animation.
    int drawFrame() const;

    bool isFree() const { return !visible && !active; }
    bool isDying() const { return is(Dying); }
    bool isPrize() const { return is(Prize); }
    bool isLanded() const { return is(Landed); }
    bool isAttracted() const { return attracted; }
    bool isInvulnerable() const { return is(Invulnerable); }
    bool isBulletBlock() const { return bulletBlock; }
    bool isEnemySide() const { return is(EnemySide); }
    bool wasGrazed() const { return grazed; }
    bool wasReleased() const { return released; }
    int getPrizeType() const { return prizeType; }
    OXLauncherPlatform* getFirer() const { return firer; }
    const BulletProperties* getType() const { return type; }
    OXLauncher* getLauncher() const { return launcher.get(); }
    float getDirection() const { return direction; }
    Vec3 directionVector() const { return {dirX, dirY, 0.0f}; }
    float getSpeed() const { return speed; }
    float getStartSpeed() const { return startSpeed; }
    float getSpeedChange() const { return speedChange; }
    float getSpeedChangeTime() const { return speedChangeTime; }
    float getSpeedChangeRate() const { return speedChangeRate; }
    float getDirectionChange() const { return directionChange; }
    float getDirectionChangeRate() const { return directionChangeRate; }
    float getLifetime() const { return lifetime; }
    float getDamage() const { return damage; }
    float getTimeScale() const { return timeScale; }
    int getBounces() const { return bounces; }
    int getBaseFrame() const { return baseFrame; }
    int getFrameIndex() const { return frameIndex; }
    float getDistanceSq() const { return distanceSq; }
    float getWidthFactor() const { return widthFactor; }
    float getHeightFactor() const { return heightFactor; }
    float getRightBound() const { return right; }
    float getTopBound() const { return top; }
    float getLeftBound() const { return left; }
    float getBottomBound() const { return bottom; }

  private:
    using FrameState = CXBulletManager::FrameView;
    // The usual enemy bullet: flying straight at a steady speed, nothing
    // attached, not homing, not animating. Its frame is a move, the ship
    // test, the bounds and the spawn pulse; steadyFrame gives the same
    // result as ordinaryFrame.
    bool isSteady(const FrameState& frame) const;
    void steadyFrame(float dtMs, const FrameState& frame);
    // Any bullet or prize.
    void ordinaryFrame(float dtMs);
    // The part of every frame in flight: the lifetime runs down and the bullet moves.
    void move(float step);
    // The other part: outside its play area it bounces or leaves, and its
    // spawn pulse fades. False when it went back to its pool.
    bool stayInPlay(float dtMs);
    // Some turn or speed change is still to be spread over the coming frames.
    bool hasChangesLeft() const { return directionChange != 0.0f || speedChange != 0.0f; }
    // The normal animation still steps (it is not held on its last frame).
    bool animates() const { return numFrames > 0 && !(noFrameRepeat && frameIndex >= numFrames); }
    // The end of a frame: lifetime and grace, the death or prize animation, frames.
    void finishFrame(float step, float dtMs);
    // What the bullet meets this frame, by kind. Each returns false when the
    // bullet went back to its pool.
    bool meetTargets(float step);
    bool enemyShotUpdate();
    bool playerShotUpdate();
    bool prizeUpdate(float step);
    // Level with the ship (within the bullet's own height) it measures the
    // distance; within graze range it grazes and may hit.
    bool passShip(const FrameState& frame);
    bool grazeOrHitShip();
    // Tests the shot against the enemies; on a hit, the hit effect and animation.
    void strike();
    bool collectIfNear(const FrameState& frame);
    // Gives the ship what the prize is worth and frees the slot.
    void collect(const FrameState& frame);
    // Beyond an edge of its play area.
    bool isOutside() const {
        return (position.x < left) | (position.x > right) | (position.y < bottom) | (position.y > top);
    }
    // Outside its play area: bounces or leaves.
    bool leaveOrBounce();
    bool animateDeathOrPrize(float step);
    void applyChanges(float step);
    void runOwnPattern(float step);
    void chooseTarget();
    void steerShot();
    void steerPrize(float step);
    void land();
    void animateFrames(float dtMs);
    void fireDeathPattern();
    void detachTrail();
    void standardBounds();
    void setOwner(int kind) { setFlight(EnemySide, kind == OwnerEnemy); }
    // What this flight is, one bit each in one byte, so that the steady
    // frame's test reads them at once.
    enum FlightBit : uint8_t {
        Dying = 1 << 0,
        Prize = 1 << 1,
        Landed = 1 << 2,        // a prize past its spawn animation
        Invulnerable = 1 << 3,  // not ended by hits or blockers
        OwnPattern = 1 << 4,    // fires a pattern of its own
        EnemySide = 1 << 5,     // fired by the enemy side: hurts the ship
        Homing = 1 << 6,        // seekFactor above 0 (setSeekFactor keeps it)
    };
    bool is(FlightBit bit) const { return (flight & bit) != 0; }
    void setFlight(FlightBit bit, bool on) {
        flight = static_cast<uint8_t>(on ? flight | bit : flight & ~bit);
    }
    // Of the bits in `tested`, exactly those in `wanted` are set.
    bool flightIs(int tested, int wanted) const { return (flight & tested) == wanted; }
    void setSeekFactor(float value) {
        seekFactor = value;
        setFlight(Homing, value > 0.0f);
    }

    // Laid out by use, for pools of thousands ticked every frame: a slot
    // starts on a cache line, the render object's own fields (flags,
    // position, size, scale, colour) fill the first, and what the steady
    // frame reads beyond them is the one line of `lifetime` and what
    // follows it. The next line holds what ordinary frames and drawing read.

    // Ahead of that line, in the render object's last line: set at firing.
    float startSpeed = 0.0f;
    float speedChangeTime = 0.0f;      // ms
    float directionChangeTime = 0.0f;  // ms
    float firePatternDelay = 0.0f;     // ms before the own pattern starts
    float dyingTimer = 0.0f;           // ms

    // Every frame of every flight.
    alignas(64) float lifetime = 0.0f;  // ms left; the bullet moves only while above 0
    float timeScale = 1.0f;             // multiplies the frame time
    float speed = 0.0f;                 // speed units
    float dirX = 0.0f;                  // sin(direction)
    float dirY = 1.0f;                  // cos(direction)
    float speedChange = 0.0f;           // speed units left to apply
    float directionChange = 0.0f;       // degrees left to turn
    float distanceSq = 1e7f;            // last squared distance to the player
    float right = 400.0f, top = 480.0f, left = -80.0f, bottom = -75.0f;  // play area of this bullet
    float pulse = 0.0f;          // spawn pulse; drawn scale is 1 + pulse
    int frameIndex = 0;          // frame of the normal animation
    int numFrames = 0;           // last frame index of the normal animation
    uint8_t flight = 0;          // FlightBit values
    bool noFrameRepeat = false;  // the animation plays once and holds its last frame

    // Ordinary frames and drawing.
    CXBulletManager* manager = nullptr;  // not owned
    float seekFactor = 0.0f;             // homing strength
    float direction = 0.0f;              // degrees in [0, 360)
    float speedChangeRate = 0.0f;        // speed units per ms
    float directionChangeRate = 0.0f;    // degrees per ms
    float frameTimer = 0.0f;             // ms
    float frameTime = 64.0f;             // ms per animation frame
    float widthFactor = 1.0f;
    float heightFactor = 1.0f;
    float damage = 1.0f;
    float collectTimer = 0.0f;    // ms, prize collection test
    int baseFrame = 0;            // atlas frame; the death and prize animations step it
    int firstFrame = 0;           // atlas frame drawn in the frame of firing
    long long ownFramesFrom = 0;  // the manager's update count from which the own frames are drawn
    bool randomFrame = false;
    bool bulletBlock = false;

    // The rest.
    int bounces = 0;  // wall bounces left
    bool grazed = false;
    bool released = false;
    float attractRadiusSq = 0.0f;  // prize homes on the player inside this
    float trailWidth = 0.0f;
    float seekTimer = 0.0f;  // ms, prize steering
    int animLastFrame = 0;   // the death animation ends after this frame
    int trailFrame = 0;
    int prizeType = 0;
    bool fireOnDeath = false;
    bool deathPatternFired = false;
    bool useTrail = false;
    bool trailAttached = false;
    bool effectGlow = true;
    bool changeNotRelative = false;
    bool bossTrackOnly = false;
    bool focusTrack = true;
    bool attracted = false;
    bool noExpire = false;

    const BulletProperties* type = nullptr;  // names of the own pattern and the hit effect
    const IXRenderObject* target = nullptr;  // homing target
    IXRenderObject* effect = nullptr;        // attached particle effect, owned by the effects
    OXLauncherPlatform* firer = nullptr;     // not owned
    std::unique_ptr<OXLauncher> launcher;    // the bullet's own gun
};
