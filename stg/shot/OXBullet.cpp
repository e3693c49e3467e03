#include "stg/shot/OXBullet.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "stg/shot/BulletProperties.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/IXShootable.h"
#include "stg/shot/IXShotEffects.h"
#include "stg/shot/IXShotTarget.h"
#include "stg/shot/IXShotWorld.h"
#include "stg/shot/OXLauncher.h"
#include "stg/shot/OXLauncherPlatform.h"
#include "stg/shot/ShotMath.h"

namespace {
constexpr int kEnemySide = CXBulletManager::kEnemySide;
constexpr float kMoveFactor = 0.035f;       // playfield units per speed unit and ms
constexpr float kGrazeRangeSq = 1024.0f;    // 32 units
constexpr float kShipHitRadius = 3.0f;      // widened by a tenth of the bullet's width
constexpr float kCollectRangeSq = 9216.0f;  // 96 units
constexpr float kPrizeCollectMs = 34.0f;
constexpr float kPrizeSteerMs = 64.0f;
constexpr float kPrizeFrameMs = 32.0f;
constexpr float kDeathFrameMs = 112.0f;
constexpr float kHitEffectStrength = 40.0f;
constexpr int kPrefetchAhead = 4;  // slots

// A float's bits without the sign: zero exactly for zero of either sign.
// Tests on them need no branch for NaN, as a float compare does.
inline uint32_t magnitudeBits(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits << 1;
}

inline bool isZero(float value) {
    return magnitudeBits(value) == 0;
}
}  // namespace

OXBullet::OXBullet() = default;
OXBullet::~OXBullet() = default;

void OXBullet::load(const std::string& path) {
    IXRenderObject::load(path);
    if (!launcher) {
        launcher = std::make_unique<OXLauncher>();
    }
    launcher->load("");
    launcher->setManager(manager);
    resetActions();
    effect = nullptr;
    firstDraw = true;
}

void OXBullet::setManager(CXBulletManager* value) {
    manager = value;
    if (launcher) {
        launcher->setManager(value);
    }
}

void OXBullet::resetActions() {
    setFlight(Dying, false);
    setFlight(Prize, false);
    setFlight(Landed, false);
    attracted = false;
    target = nullptr;
    setSeekFactor(0.0f);
    speed = startSpeed = 0.0f;
    setDirection(0.0f);
    damage = 1.0f;
    widthFactor = heightFactor = 1.0f;
    frameTime = 64.0f;
    // Nothing of a slot's previous flight carries over to the next one.
    timeScale = 1.0f;
    lifetime = 0.0f;
    speedChange = speedChangeRate = speedChangeTime = 0.0f;
    directionChange = directionChangeRate = directionChangeTime = 0.0f;
    pulse = 0.0f;
    distanceSq = 1e7f;
    frameTimer = dyingTimer = seekTimer = collectTimer = 0.0f;
    frameIndex = baseFrame = animLastFrame = 0;
    setNumFrames(0);
    bounces = 0;
    setOwner(0);
    prizeType = 0;
    firePatternDelay = 0.0f;
    setFlight(Invulnerable, false);
    setFlight(OwnPattern, false);
    grazed = randomFrame = noFrameRepeat = released = false;
    fireOnDeath = deathPatternFired = useTrail = bulletBlock = noExpire = changeNotRelative = false;
    bossTrackOnly = false;
    focusTrack = effectGlow = true;
    type = nullptr;
    firer = nullptr;
    standardBounds();
}

void OXBullet::standardBounds() {
    setBounds(400.0f, 500.0f, -80.0f, -75.0f);
}

void OXBullet::setBounds(float rightEdge, float topEdge, float leftEdge, float bottomEdge) {
    right = rightEdge;
    top = topEdge;
    left = leftEdge;
    bottom = bottomEdge;
}

void OXBullet::setDirection(float degrees) {
    direction = shotmath::wrapDirection(degrees);
    const float radians = direction * shotmath::kRadiansPerDegree;
    dirX = std::sin(radians);
    dirY = std::cos(radians);
}

void OXBullet::setSpeedChange(float amount) {
    speedChange = changeNotRelative ? amount - startSpeed : amount;
    if (speedChangeTime != 0.0f) {
        speedChangeRate = speedChange / speedChangeTime;
    }
}

void OXBullet::setSpeedChangeTime(float ms) {
    speedChangeTime = ms;
    if (ms != 0.0f) {
        speedChangeRate = speedChange / ms;
    }
}

void OXBullet::setDirectionChange(float degrees) {
    directionChange = degrees;
    if (directionChangeTime != 0.0f) {
        directionChangeRate = degrees / directionChangeTime;
    }
}

void OXBullet::setDirectionChangeTime(float ms) {
    directionChangeTime = ms;
    if (ms != 0.0f) {
        directionChangeRate = directionChange / ms;
    }
}

void OXBullet::launch(const BulletProperties& bulletType, float degrees, const Vec3& at, float speedOffset,
                      OXLauncherPlatform* by, float managerTimeScale) {
    resetActions();
    type = &bulletType;
    damage = bulletType.damage;
    changeNotRelative = bulletType.isChangeNotRelative;
    // Three random fractions, always drawn, in this order.
    startSpeed = bulletType.startSpeed + speedOffset + bulletType.startSpeedVar * shotmath::randomFraction();
    const float change = bulletType.speedChange + bulletType.speedChangeTimeVar * shotmath::randomFraction();
    const float changeTime =
        bulletType.speedChangeTime + bulletType.speedChangeVar * shotmath::randomFraction();
    setSpeedChange(change);
    setSpeedChangeTime(changeTime);
    setDirectionChange(bulletType.directionChangeAmount);
    setDirectionChangeTime(bulletType.directionChangeTime);
    timeScale = managerTimeScale;
    setFlight(OwnPattern, !bulletType.firePattern.empty());
    firePatternDelay = bulletType.firePatternDelay;
    fireOnDeath = bulletType.isFireOnDeath;
    lifetime = bulletType.duration;
    baseFrame = bulletType.atlasFrame;
    randomFrame = bulletType.randomFrame;
    setNumFrames(bulletType.numFrames);
    bounces = bulletType.numBounces;
    setOwner(by ? by->getOwnerKind() : (bulletType.isPlayerBullet ? 1 : kEnemySide));
    hitScale = bulletType.hitBoxScale;
    trailFrame = bulletType.trailFrame;
    useTrail = bulletType.isUseTrail;
    trailWidth = bulletType.trailWidth;
    setSeekFactor(bulletType.playerSeekFactor);
    effectGlow = bulletType.isEffectGlow;
    firstFrame = bulletType.firstFrame;
    bulletBlock = bulletType.isBulletBlock;
    bossTrackOnly = bulletType.bossTrackOnly;
    focusTrack = bulletType.isFocusTrack;
    setFlight(Invulnerable, bulletType.isInvul);
    noExpire = bulletType.noExpire;
    size = {bulletType.size, bulletType.size, 1.0f};
    widthFactor = bulletType.widthFactor;
    heightFactor = bulletType.heightFactor;
    noFrameRepeat = bulletType.noFrameRepeat;
    firer = by;

    setDirection(degrees);
    position = at;
    speed = startSpeed;
    // A change without a time to spread it over happens at once.
    if (speedChange != 0.0f && speedChangeTime == 0.0f) {
        speed += speedChange;
        speedChange = 0.0f;
    }
    if (directionChange != 0.0f && directionChangeTime == 0.0f) {
        setDirection(direction + directionChange);
        directionChange = 0.0f;
    }

    scale = {1.0f, 1.0f, 1.0f};
    visible = active = true;
    firstDraw = true;
    if (is(EnemySide)) {
        frameTime = 64.0f;
        pulse = bulletBlock ? 0.0f : 1.5f;
    } else {
        frameTime = 96.0f;
    }
    launcher->setOwner(by);
    if (randomFrame) {
        frameIndex = std::rand() % (numFrames + 1);
    }
    refreshAnimating();
    setBounds(400.0f, is(EnemySide) ? 500.0f : 480.0f, -80.0f, -75.0f);

    IXShotEffects& effects = *manager->getEffects();
    if (!bulletType.effect.empty()) {
        effect = effects.startAttachedEffect(bulletType.effect, *this, effectGlow);
    }
    if (useTrail) {
        trailAttached = effects.attachTrail(*this, trailFrame, trailWidth);
    }
}

void OXBullet::makePrize(int kind) {
    kind = std::clamp(kind, 0, 4);
    resetActions();
    const IXShotWorld* world = manager->getWorld();
    const bool casual = world && world->isCasualPlay();
    setFlight(Landed, false);
    pulse = 2.0f;
    frameTime = 32.0f;
    setFlight(Prize, true);
    prizeType = kind;
    frameIndex = 0;
    baseFrame = 16;
    setNumFrames(1);
    speed = -8.0f;
    size = {14.0f, 14.0f, 1.0f};
    scale = {1.0f, 1.0f, 1.0f};
    setSpeedChange(20.0f);
    setSpeedChangeTime(1500.0f);
    setDirection(180.0f);
    lifetime = 10000.0f;
    setOwner(kEnemySide);
    attractRadiusSq = casual ? 19600.0f : 250000.0f;
    firstDraw = false;  // prizes show their own animation from the start
    if (kind == Upgrade) {
        setSpeedChange(-5.0f);
        setSpeedChangeTime(800.0f);
        speed = 8.0f;
        bounces = 10;
        lifetime = 100000.0f;
        setDirection(shotmath::randomFraction() * 45.0f - 22.5f);
        attractRadiusSq = 4900.0f;
        setBounds(280.0f, 360.0f, 40.0f, 100.0f);
    } else if (kind == MultiplierOrb || kind == BigMultiplierOrb) {
        setSpeedChange(30.0f);
        setSpeedChangeTime(1400.0f);
        speed = -10.0f;
        colour.a = 1.0f;
        hitScale = 40.0f;
        setSeekFactor(32.0f);
    }
}

// The common case of every prize's frame, kept inside tick.
inline bool OXBullet::prizeUpdate(float step) {
    if (seekFactor > 0.0f) {
        steerPrize(step);
    }
    collectTimer += step;
    return collectTimer < kPrizeCollectMs || collectIfNear(manager->frame());
}

// The common case of every enemy bullet's frame, kept inside tick.
inline bool OXBullet::enemyShotUpdate() {
    const CXBulletManager::FrameView& frame = manager->frame();
    if (seekFactor > 0.0f) {
        chooseTarget();
        if (target) {
            steerShot();
        }
    }
    if (frame.playerUsable) {
        // Only bullets level with the ship (within their own height) are measured.
        const float dy = position.y - frame.playerPosition.y;
        if (std::fabs(dy) <= size.y) {
            const float dx = position.x - frame.playerPosition.x;
            distanceSq = dx * dx + dy * dy;
            if (distanceSq <= kGrazeRangeSq && !grazeOrHitShip()) {
                return false;
            }
        } else {
            distanceSq = 1e7f;
        }
    }
    if (frame.anyBlockers && !is(Invulnerable) && manager->isBlocked(*this)) {
        release();
        return false;
    }
    return true;
}

void OXBullet::tick(float dtMs) {
    if (active) {
        fullFrame(dtMs);
    }
}

void OXBullet::tickSlots(OXBullet* slots, int count, int live, float dtMs, const CXBulletManager& owner) {
    // The manager's own view: a ship hit refreshes it during the loop.
    const FrameState& frame = owner.frame();
    if (2 * live < count) {
        // Mostly free: only the flags of most slots are read.
        for (int i = 0; i < count; ++i) {
            if (slots[i].active) {
                slots[i].tickSlot(dtMs, frame);
            }
        }
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (i + kPrefetchAhead < count) {
            // The three lines a frame reads of a slot a few ahead: the render
            // object's, the steady frame's and the next.
            __builtin_prefetch(&slots[i + kPrefetchAhead].active, 1);
            __builtin_prefetch(&slots[i + kPrefetchAhead].lifetime, 1);
            __builtin_prefetch(&slots[i + kPrefetchAhead].manager, 1);
        }
        if (slots[i].active) {
            slots[i].tickSlot(dtMs, frame);
        }
    }
}

inline __attribute__((always_inline)) void OXBullet::tickSlot(float dtMs, const FrameState& frame) {
    if (is(Prize)) {
        if (isPlainPrize()) {
            plainPrizeFrame(dtMs, frame);
            return;
        }
    } else if (isPlainFlight(frame)) {
        plainFlight(dtMs, frame);
        return;
    } else if (isSteadyShot()) {
        steadyShotFrame(dtMs);
        return;
    }
    fullFrame(dtMs);
}

inline bool OXBullet::hasChangesLeft() const {
    return (magnitudeBits(directionChange) | magnitudeBits(speedChange)) != 0;
}

inline bool OXBullet::isPlainFlight(const FrameState& frame) const {
    return flightIs(EnemySide | OwnPattern | Prize | Dying | Animating | Homing, EnemySide) &&
           lifetime > 0.0f && !hasChangesLeft() && (is(Invulnerable) || !frame.anyBlockers);
}

// The full frame below with what cannot happen to a plain flight left out.
inline __attribute__((always_inline)) void OXBullet::plainFlight(float dtMs, const FrameState& frame) {
    const float step = dtMs * timeScale;
    lifetime -= step;
    const float distance = speed * step * kMoveFactor;
    position.x += dirX * distance;
    position.y += dirY * distance;
    if ((!is(Invulnerable) || damage > 0.0f) && frame.playerUsable) {
        // Without branches for the usual bullet far from the ship.
        const float dy = position.y - frame.playerPosition.y;
        const float dx = position.x - frame.playerPosition.x;
        const float d2 = dx * dx + dy * dy;
        const bool level = std::fabs(dy) <= size.y;
        distanceSq = level ? d2 : 1e7f;
        if (level & (d2 <= kGrazeRangeSq) && !grazeOrHitShip()) {
            return;
        }
    }
    if (isOutside() && !leaveOrBounce()) {
        return;
    }
    if (pulse > 0.0f) {
        pulse = std::max(0.0f, pulse - dtMs * 0.0055f);
        scale.x = scale.y = 1.0f + pulse;
    }
    if (lifetime <= 0.0f || frame.graceActive) {
        finishFrame(step, dtMs);
    }
}

inline bool OXBullet::isPlainPrize() const {
    return flightIs(Prize | Dying | OwnPattern | Invulnerable | Homing, Prize) && lifetime > 0.0f;
}

// The full frame below with what cannot happen to a prize that does not home left out.
inline __attribute__((always_inline)) void OXBullet::plainPrizeFrame(float dtMs, const FrameState& frame) {
    const float step = dtMs * timeScale;
    lifetime -= step;
    if (hasChangesLeft()) {
        applyChanges(step);
    }
    const float distance = speed * step * kMoveFactor;
    position.x += dirX * distance;
    position.y += dirY * distance;
    collectTimer += step;
    if (!(collectTimer < kPrizeCollectMs) && !collectIfNear(frame)) {
        return;
    }
    if (isOutside() && !leaveOrBounce()) {
        return;
    }
    if (pulse > 0.0f) {
        pulse = std::max(0.0f, pulse - dtMs * 0.0055f);
        scale.x = scale.y = 1.0f + pulse;
    }
    if (lifetime <= 0.0f) {
        release();
        return;
    }
    if (!is(Landed)) {
        animateDeathOrPrize(step);
    }
    if (is(Animating)) {
        animateFrames(dtMs);
    }
}

inline bool OXBullet::isSteadyShot() const {
    return flightIs(EnemySide | Prize | OwnPattern | Dying | Animating | Homing, 0) && lifetime > 0.0f &&
           !hasChangesLeft();
}

// The full frame below with what cannot happen to a steady player shot left out.
inline __attribute__((always_inline)) void OXBullet::steadyShotFrame(float dtMs) {
    const float step = dtMs * timeScale;
    lifetime -= step;
    const float distance = speed * step * kMoveFactor;
    position.x += dirX * distance;
    position.y += dirY * distance;
    if (!is(Invulnerable) || damage > 0.0f) {
        strike();
    }
    if (isOutside() && !leaveOrBounce()) {
        return;
    }
    if (pulse > 0.0f) {
        pulse = std::max(0.0f, pulse - dtMs * 0.0055f);
        scale.x = scale.y = 1.0f + pulse;
    }
    finishFrame(step, dtMs);
}

void OXBullet::fullFrame(float dtMs) {
    const float step = dtMs * timeScale;
    if (lifetime > 0.0f) {
        lifetime -= step;
        if ((directionChange != 0.0f) | (speedChange != 0.0f)) {
            applyChanges(step);
        }
        const float distance = speed * step * kMoveFactor;
        position.x += dirX * distance;
        position.y += dirY * distance;

        if (is(OwnPattern) && !is(Prize) && !is(Dying)) {
            runOwnPattern(step);
        }
        if (!is(Dying) && (!is(Invulnerable) || damage > 0.0f)) {
            if (is(Prize)) {
                if (!prizeUpdate(step)) {
                    return;
                }
            } else if (is(EnemySide)) {
                if (!enemyShotUpdate()) {
                    return;
                }
            } else if (!playerShotUpdate()) {
                return;
            }
        }
        if (isOutside() && !leaveOrBounce()) {
            return;
        }
        if (pulse > 0.0f) {
            pulse = std::max(0.0f, pulse - dtMs * 0.0055f);
            scale.x = scale.y = 1.0f + pulse;
        }
    }
    finishFrame(step, dtMs);
}

inline __attribute__((always_inline)) void OXBullet::finishFrame(float step, float dtMs) {
    if (is(Prize)) {
        if (lifetime <= 0.0f) {
            release();
            return;
        }
    } else if (!is(Dying) &&
               (lifetime <= 0.0f || (manager->frame().graceActive && is(EnemySide) && !is(Invulnerable)))) {
        if (is(EnemySide) && !noExpire) {
            expire();
        } else {
            release();
            return;
        }
    }
    if (is(Dying) || (is(Prize) && !is(Landed))) {
        if (!animateDeathOrPrize(step)) {
            return;
        }
    }
    // A held last frame (prizes once landed) needs nothing. The frame count
    // itself decides here; the short frames use the Animating bit kept from it.
    if (numFrames > 0 && !is(Dying) && !(noFrameRepeat && frameIndex >= numFrames)) {
        animateFrames(dtMs);
    }
}

// Spreads the remaining direction and speed changes over this step.
inline __attribute__((always_inline)) void OXBullet::applyChanges(float step) {
    if (!isZero(directionChange)) {
        // The whole turn is taken, also on the step that overshoots.
        const float turn = directionChangeRate * step;
        const float before = directionChange;
        directionChange -= turn;
        setDirection(direction + turn);
        if (isZero(directionChange) || (before > 0.0f) != (directionChange > 0.0f)) {
            directionChange = 0.0f;
        }
    }
    if (!isZero(speedChange)) {
        // The last step adds what was left, so the total change is exact.
        const float change = speedChangeRate * step;
        const float before = speedChange;
        speedChange -= change;
        if (isZero(speedChange) || (before > 0.0f) != (speedChange > 0.0f)) {
            speed += before;
            speedChange = 0.0f;
        } else {
            speed += change;
        }
    }
}

void OXBullet::runOwnPattern(float step) {
    launcher->setPosition(position);
    launcher->setCarrierDirection(direction);
    launcher->tick(step);
    if (firePatternDelay > 0.0f) {
        firePatternDelay -= step;
        if (firePatternDelay <= 0.0f && !launcher->isFiring() &&
            manager->setupLauncher(launcher.get(), type->firePattern)) {
            launcher->start();
        }
    }
}

void OXBullet::fireDeathPattern() {
    if (deathPatternFired || !is(OwnPattern) || !type) {
        return;
    }
    deathPatternFired = true;
    if (!manager->setupLauncher(launcher.get(), type->firePattern)) {
        return;
    }
    launcher->setPosition(position);
    launcher->setCarrierDirection(direction);
    launcher->start();
    launcher->tick(0.0f);  // the first volley leaves now
}

bool OXBullet::grazeOrHitShip() {
    const CXBulletManager::FrameView& frame = manager->frame();
    if (!grazed) {
        grazed = true;
        frame.world->graze(*this);
    }
    if (frame.world->isBombActive() || frame.player->isInvulnerable() ||
        shotmath::fastSqrt(distanceSq) - size.x * 0.1f > kShipHitRadius) {
        return true;
    }
    frame.player->hit(-damage, directionVector());
    manager->refreshFrame();  // the hit may start grace time or end the ship
    if (is(Invulnerable)) {
        return true;
    }
    release();
    return false;
}

bool OXBullet::playerShotUpdate() {
    if (seekFactor > 0.0f) {
        chooseTarget();
        if (target) {
            steerShot();
        }
    }
    strike();
    return true;
}

inline void OXBullet::strike() {
    if (manager->mayStrike() && manager->strikeEnemies(*this)) {
        if (type && !type->hitEffect.empty()) {
            manager->getEffects()->playAt(type->hitEffect, position, directionVector(), kHitEffectStrength);
        }
        hitAnimation();
    }
}

void OXBullet::chooseTarget() {
    // A target that left the field (killed, returned to its pool) is given up.
    if (target && !target->isVisible()) {
        target = nullptr;
    }
    if (target) {
        return;
    }
    const CXBulletManager::FrameView& frame = manager->frame();
    if (is(EnemySide) || is(Prize)) {
        if (frame.player && frame.playerUsable) {
            target = &frame.player->body();
        }
        return;
    }
    if (!frame.world) {
        return;
    }
    if (const IXShootable* boss = frame.world->currentBoss(); boss && boss->body().isVisible()) {
        target = &boss->body();
        return;
    }
    if (bossTrackOnly) {
        return;
    }
    const IXShootable* choice = focusTrack && frame.player ? frame.player->lockOnTarget() : nullptr;
    if (!choice) {
        choice = frame.world->nearestEnemy(position);
    }
    if (choice) {
        target = &choice->body();
    }
}

void OXBullet::steerShot() {
    const float tx = target->getX() - position.x;
    const float ty = target->getY() - position.y;
    const float lengthSq = tx * tx + ty * ty;
    if (lengthSq <= 0.0f) {
        return;
    }
    const float inverse = 1.0f / std::sqrt(lengthSq);
    const float wx = tx * inverse - dirX;
    const float wy = ty * inverse - dirY;
    const float w = std::sqrt(wx * wx + wy * wy);
    if (w <= 0.0f) {
        return;
    }
    const float correction = std::min(w, seekFactor * 0.1f) / w;
    setDirection(shotmath::angleOf(dirX + wx * correction, dirY + wy * correction));
}

void OXBullet::steerPrize(float step) {
    const CXBulletManager::FrameView& frame = manager->frame();
    if (!frame.player || !frame.playerUsable || speed < 0.0f || baseFrame < 12) {
        return;
    }
    const float dx = frame.playerPosition.x - position.x;
    const float dy = frame.playerPosition.y - position.y;
    const float d2 = dx * dx + dy * dy;
    if (!(d2 < attractRadiusSq || frame.laserHeld || attracted)) {
        return;
    }
    if (!attracted) {
        attracted = true;
        if (prizeType == Upgrade) {
            setDirection(shotmath::angleOf(dx, dy));
            standardBounds();
        } else {
            setDirection(0.0f);
        }
        setSpeedChange(40.0f - speed);
        setSpeedChangeTime(prizeType == MultiplierOrb || prizeType == BigMultiplierOrb ? 500.0f : 1500.0f);
        seekTimer = 0.0f;
        return;
    }
    seekTimer += step;
    if (seekTimer < kPrizeSteerMs || d2 <= 0.0f) {
        return;
    }
    seekTimer = 0.0f;
    const float inverse = 1.0f / std::sqrt(d2);
    const float pull = std::min(seekFactor * 0.1f, 0.9f * d2);
    setDirection(shotmath::angleOf(dirX + dx * inverse * pull, dirY + dy * inverse * pull));
}

// Kept inline: most tests find the ship out of reach.
inline bool OXBullet::collectIfNear(const FrameState& frame) {
    collectTimer = 0.0f;
    if (!frame.player || !frame.playerUsable) {
        return true;
    }
    const float dx = position.x - frame.playerPosition.x;
    const float dy = position.y - frame.playerPosition.y;
    if (std::fabs(dy) > size.y) {
        distanceSq = 1e7f;
        return true;
    }
    distanceSq = dx * dx + dy * dy;
    if (distanceSq > kCollectRangeSq) {
        return true;
    }
    collect(frame);
    return false;
}

void OXBullet::collect(const CXBulletManager::FrameView& frame) {
    IXShotTarget& player = *frame.player;
    switch (prizeType) {
        case ScoreOrb:
            player.addBeamGauge(0.005f);
            if (frame.casual) {
                player.addScore(100);
            }
            break;
        case MultiplierOrb:
            player.addMultiplier(0.005f);
            break;
        case BigMultiplierOrb:
            player.addMultiplier(frame.casual ? 0.1f : 0.075f);
            break;
        case TranceOrb:
            player.addBeamGauge(0.0065f);
            player.addScore(1000);
            break;
        default:
            break;  // upgrade items give nothing here
    }
    if (prizeType != Upgrade) {
        player.collectOrb(1);
    }
    manager->playPickupSound();
    release();
}

bool OXBullet::leaveOrBounce() {
    if (bounces <= 0) {
        if (fireOnDeath) {
            fireDeathPattern();
        }
        release();
        return false;
    }
    // Mirror off the wall crossed; below the bottom only upgrade items come back up.
    float turnedTo = direction;
    if (position.x > right || position.x < left) {
        turnedTo = 360.0f - direction;
    } else if (position.y > top) {
        turnedTo = 180.0f - direction;
    } else if (is(Prize) && prizeType == Upgrade) {
        turnedTo = 180.0f - direction;
    }
    setDirection(turnedTo);
    position.x = std::clamp(position.x, left, right);
    position.y = std::clamp(position.y, bottom, top);
    --bounces;
    // A turning bullet turns the other way after a bounce, by what it had left.
    directionChangeRate = -directionChangeRate;
    directionChange = -directionChange;
    if (bounces == 0) {
        standardBounds();
    }
    return true;
}

bool OXBullet::animateDeathOrPrize(float step) {
    dyingTimer += step;
    if (is(Prize)) {
        if (dyingTimer >= kPrizeFrameMs) {
            dyingTimer = 0.0f;
            ++baseFrame;
            land();
        }
        return true;
    }
    if (dyingTimer >= kDeathFrameMs) {
        dyingTimer = 0.0f;
        ++baseFrame;
        if (baseFrame > animLastFrame) {
            release();
            return false;
        }
    }
    return true;
}

void OXBullet::land() {
    const IXShotWorld* world = manager->getWorld();
    const bool casual = world && world->isCasualPlay();
    switch (prizeType) {
        case ScoreOrb:
            size = {18.0f, 18.0f, 8.0f};
            baseFrame = casual ? 32 : 12;
            break;
        case MultiplierOrb:
            size = {18.0f, 18.0f, 1.0f};
            baseFrame = 59;
            break;
        case Upgrade:
            size = {16.0f, 16.0f, 1.0f};
            baseFrame = 12;
            break;
        case BigMultiplierOrb:
            size = {24.0f, 24.0f, 1.0f};
            baseFrame = 59;
            break;
        default:
            size = {18.0f, 18.0f, 8.0f};
            baseFrame = 36;
            break;
    }
    frameTime = 120.0f;
    setNumFrames(3);
    frameIndex = 0;
    frameTimer = 0.0f;
    noFrameRepeat = true;
    refreshAnimating();
    setFlight(Landed, true);
}

inline __attribute__((always_inline)) void OXBullet::animateFrames(float dtMs) {
    if (noFrameRepeat && frameIndex >= numFrames) {
        return;
    }
    frameTimer += dtMs;
    if (frameTimer > frameTime) {
        frameTimer = 0.0f;
        if (randomFrame) {
            frameIndex = std::rand() % (numFrames + 1);
        } else {
            frameIndex = frameIndex >= numFrames ? 0 : frameIndex + 1;
        }
        refreshAnimating();
    }
}

void OXBullet::expire() {
    setFlight(Dying, true);
    baseFrame = 8;
    animLastFrame = 11;
    frameIndex = 0;
    refreshAnimating();
    dyingTimer = 0.0f;
    size = {14.0f, 14.0f, 1.0f};
    timeScale = 1.0f;
    detachTrail();
    if (fireOnDeath) {
        fireDeathPattern();
    }
}

void OXBullet::hitAnimation() {
    widthFactor = heightFactor = 1.0f;
    speed = 0.0f;
    speedChange = speedChangeRate = speedChangeTime = 0.0f;
    setFlight(Dying, true);
    baseFrame = 18;
    animLastFrame = 19;
    frameIndex = 0;
    refreshAnimating();
    dyingTimer = 0.0f;
    size = {14.0f, 14.0f, 1.0f};
    timeScale = 1.0f;
    setDirection(0.0f);
    detachTrail();
    if (fireOnDeath) {
        fireDeathPattern();
    }
}

void OXBullet::expireOrVanish() {
    if (noExpire) {
        release();
    } else {
        expire();
    }
}

void OXBullet::detachTrail() {
    if (trailAttached) {
        trailAttached = false;
        manager->getEffects()->detachTrail(*this);
    }
}

void OXBullet::release() {
    if (isFree()) {
        return;
    }
    detachTrail();
    if (effect) {
        manager->getEffects()->stopEffect(effect);
        effect = nullptr;
    }
    if (bulletBlock) {
        manager->removeBlocker(this);
    }
    launcher->stop();
    released = true;
    visible = false;
    active = false;
    setFlight(Invulnerable, false);
    manager->slotFreed(this);
}

int OXBullet::takeDrawFrame() {
    if (firstDraw) {
        firstDraw = false;
        return firstFrame;
    }
    return baseFrame + frameIndex;
}
