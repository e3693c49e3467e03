#include "stg/shot/OXBullet.h"

#include <algorithm>
#include <cmath>

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
// Distances are in playfield units, times in ms.
constexpr float kMoveFactor = 0.035f;        // units moved per speed unit and ms
constexpr float kPulseFadePerMs = 0.0055f;   // the spawn pulse (drawn scale beyond 1) lost per ms
constexpr float kEnemySpawnPulse = 1.5f;     // an enemy bullet is drawn 2.5 times its size at firing
constexpr float kPrizeSpawnPulse = 2.0f;     // a prize 3 times
constexpr float kGrazeRangeSq = 1024.0f;     // 32 units
constexpr float kShipHitRadius = 3.0f;       // widened by a tenth of the bullet's width
constexpr float kNotLevelDistanceSq = 1e7f;  // recorded by a bullet not level with the ship
constexpr float kCollectRangeSq = 9216.0f;   // 96 units
constexpr float kPrizeCollectMs = 34.0f;     // between a prize's collection tests
constexpr float kPrizeSteerMs = 64.0f;       // between a homing prize's turns
constexpr float kEnemyFrameMs = 64.0f;       // per frame of the normal animations
constexpr float kPlayerFrameMs = 96.0f;
constexpr float kLandedFrameMs = 120.0f;
constexpr float kPrizeFrameMs = 32.0f;  // per frame of a prize's spawn animation
constexpr float kDeathFrameMs = 112.0f;
constexpr float kHitEffectStrength = 40.0f;
// The play area: enemy bullets may rise a little higher than player shots.
constexpr float kFieldRight = 400.0f;
constexpr float kFieldLeft = -80.0f;
constexpr float kFieldBottom = -75.0f;
constexpr float kEnemyFieldTop = 500.0f;
constexpr float kPlayerFieldTop = 480.0f;
// Atlas frames of the manager's own animations.
constexpr int kExpiryFirstFrame = 8, kExpiryLastFrame = 11;
constexpr int kHitFirstFrame = 18, kHitLastFrame = 19;
constexpr int kPrizeSpawnFrame = 16;
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
    frameTime = kEnemyFrameMs;
    // Nothing of a slot's previous flight carries over to the next one.
    timeScale = 1.0f;
    lifetime = 0.0f;
    speedChange = speedChangeRate = speedChangeTime = 0.0f;
    directionChange = directionChangeRate = directionChangeTime = 0.0f;
    pulse = 0.0f;
    distanceSq = kNotLevelDistanceSq;
    frameTimer = dyingTimer = seekTimer = collectTimer = 0.0f;
    frameIndex = baseFrame = animLastFrame = numFrames = 0;
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
    setBounds(kFieldRight, kEnemyFieldTop, kFieldLeft, kFieldBottom);
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
    numFrames = bulletType.numFrames;
    bounces = bulletType.numBounces;
    setOwner(by ? by->getOwnerKind() : (bulletType.isPlayerBullet ? OwnerPlayer : OwnerEnemy));
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
    // Fired before or during this update, it is first drawn after it.
    ownFramesFrom = manager->updatesDone() + 2;
    if (is(EnemySide)) {
        frameTime = kEnemyFrameMs;
        pulse = bulletBlock ? 0.0f : kEnemySpawnPulse;
    } else {
        frameTime = kPlayerFrameMs;
    }
    launcher->setOwner(by);
    if (randomFrame) {
        frameIndex = shotmath::randomBelow(numFrames + 1);
    }
    setBounds(kFieldRight, is(EnemySide) ? kEnemyFieldTop : kPlayerFieldTop, kFieldLeft, kFieldBottom);

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
    pulse = kPrizeSpawnPulse;
    frameTime = kPrizeFrameMs;
    setFlight(Prize, true);
    prizeType = kind;
    frameIndex = 0;
    baseFrame = kPrizeSpawnFrame;
    numFrames = 1;
    speed = -8.0f;
    size = {14.0f, 14.0f, 1.0f};
    scale = {1.0f, 1.0f, 1.0f};
    setSpeedChange(20.0f);
    setSpeedChangeTime(1500.0f);
    setDirection(180.0f);
    lifetime = 10000.0f;
    setOwner(OwnerEnemy);
    attractRadiusSq = casual ? 19600.0f : 250000.0f;
    ownFramesFrom = 0;  // prizes show their own animation from the start
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

// ---- The frame ----

void OXBullet::tick(float dtMs) {
    if (active) {
        ordinaryFrame(dtMs);
    }
}

void OXBullet::tickSlots(OXBullet* slots, int count, float dtMs, const FrameState& frame) {
    for (int i = 0; i < count; ++i) {
        OXBullet& slot = slots[i];
        if (!slot.active) {
            continue;
        }
        if (slot.isSteady(frame)) {
            slot.steadyFrame(dtMs, frame);
        } else {
            slot.ordinaryFrame(dtMs);
        }
    }
}

void OXBullet::ordinaryFrame(float dtMs) {
    const float step = dtMs * timeScale;
    if (lifetime > 0.0f) {
        if (hasChangesLeft()) {
            applyChanges(step);
        }
        move(step);
        if (is(OwnPattern) && !is(Prize) && !is(Dying)) {
            runOwnPattern(step);
        }
        if (!is(Dying) && (!is(Invulnerable) || damage > 0.0f) && !meetTargets(step)) {
            return;
        }
        if (!stayInPlay(dtMs)) {
            return;
        }
    }
    finishFrame(step, dtMs);
}

inline bool OXBullet::isSteady(const FrameState& frame) const {
    return flightIs(EnemySide | OwnPattern | Prize | Dying | Homing, EnemySide) && lifetime > 0.0f &&
           !hasChangesLeft() && !animates() && (is(Invulnerable) || !frame.anyBlockers);
}

// The ordinary frame with what cannot happen to a steady bullet left out: no
// changes, no pattern, no homing, no blocker to meet, and nothing to finish
// while it lives and no grace time clears it.
inline void OXBullet::steadyFrame(float dtMs, const FrameState& frame) {
    const float step = dtMs * timeScale;
    move(step);
    if ((!is(Invulnerable) || damage > 0.0f) && !passShip(frame)) {
        return;
    }
    if (!stayInPlay(dtMs)) {
        return;
    }
    if (lifetime <= 0.0f || frame.graceActive) {
        finishFrame(step, dtMs);
    }
}

inline void OXBullet::move(float step) {
    lifetime -= step;
    const float distance = speed * step * kMoveFactor;
    position.x += dirX * distance;
    position.y += dirY * distance;
}

inline bool OXBullet::stayInPlay(float dtMs) {
    if (isOutside() && !leaveOrBounce()) {
        return false;
    }
    if (pulse > 0.0f) {
        pulse = std::max(0.0f, pulse - dtMs * kPulseFadePerMs);
        scale.x = scale.y = 1.0f + pulse;
    }
    return true;
}

void OXBullet::finishFrame(float step, float dtMs) {
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
    if (!is(Dying) && animates()) {
        animateFrames(dtMs);
    }
}

bool OXBullet::meetTargets(float step) {
    if (is(Prize)) {
        return prizeUpdate(step);
    }
    return is(EnemySide) ? enemyShotUpdate() : playerShotUpdate();
}

bool OXBullet::prizeUpdate(float step) {
    if (seekFactor > 0.0f) {
        steerPrize(step);
    }
    collectTimer += step;
    return collectTimer < kPrizeCollectMs || collectIfNear(manager->frame());
}

bool OXBullet::enemyShotUpdate() {
    const FrameState& frame = manager->frame();
    if (seekFactor > 0.0f) {
        chooseTarget();
        if (target) {
            steerShot();
        }
    }
    if (!passShip(frame)) {
        return false;
    }
    if (frame.anyBlockers && !is(Invulnerable) && manager->isBlocked(*this)) {
        release();
        return false;
    }
    return true;
}

inline bool OXBullet::passShip(const FrameState& frame) {
    if (!frame.playerUsable) {
        return true;
    }
    // Without branches for the usual bullet far from the ship.
    const float dy = position.y - frame.playerPosition.y;
    const float dx = position.x - frame.playerPosition.x;
    const float d2 = dx * dx + dy * dy;
    const bool level = std::fabs(dy) <= size.y;
    distanceSq = level ? d2 : kNotLevelDistanceSq;
    return !(level & (d2 <= kGrazeRangeSq)) || grazeOrHitShip();
}

// Spreads the remaining direction and speed changes over this step.
void OXBullet::applyChanges(float step) {
    if (directionChange != 0.0f) {
        // The whole turn is taken, also on the step that overshoots.
        const float turn = directionChangeRate * step;
        const float before = directionChange;
        directionChange -= turn;
        setDirection(direction + turn);
        if (directionChange == 0.0f || (before > 0.0f) != (directionChange > 0.0f)) {
            directionChange = 0.0f;
        }
    }
    if (speedChange != 0.0f) {
        // The last step adds what was left, so the total change is exact.
        const float change = speedChangeRate * step;
        const float before = speedChange;
        speedChange -= change;
        if (speedChange == 0.0f || (before > 0.0f) != (speedChange > 0.0f)) {
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
    const FrameState& frame = manager->frame();
    if (!grazed) {
        grazed = true;
        frame.world->graze(*this);
    }
    if (frame.world->isBombActive() || frame.player->isInvulnerable() ||
        shotmath::fastSqrt(distanceSq) - size.x * 0.1f > kShipHitRadius) {
        return true;
    }
    frame.player->hitFrom(position, 0.5f * std::max(size.x * widthFactor, size.y * heightFactor));
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

void OXBullet::strike() {
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
    const FrameState& frame = manager->frame();
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
    const FrameState& frame = manager->frame();
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

bool OXBullet::collectIfNear(const FrameState& frame) {
    collectTimer = 0.0f;
    if (!frame.player || !frame.playerUsable) {
        return true;
    }
    const float dx = position.x - frame.playerPosition.x;
    const float dy = position.y - frame.playerPosition.y;
    if (std::fabs(dy) > size.y) {
        distanceSq = kNotLevelDistanceSq;
        return true;
    }
    distanceSq = dx * dx + dy * dy;
    if (distanceSq > kCollectRangeSq) {
        return true;
    }
    collect(frame);
    return false;
}

void OXBullet::collect(const FrameState& frame) {
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
    frameTime = kLandedFrameMs;
    numFrames = 3;
    frameIndex = 0;
    frameTimer = 0.0f;
    noFrameRepeat = false;  // the twinkle loops: a landed item keeps pulsing, so it is seen
    setFlight(Landed, true);
}

void OXBullet::animateFrames(float dtMs) {
    frameTimer += dtMs;
    if (frameTimer > frameTime) {
        frameTimer = 0.0f;
        if (randomFrame) {
            frameIndex = shotmath::randomBelow(numFrames + 1);
        } else {
            frameIndex = frameIndex >= numFrames ? 0 : frameIndex + 1;
        }
    }
}

void OXBullet::expire() {
    setFlight(Dying, true);
    baseFrame = kExpiryFirstFrame;
    animLastFrame = kExpiryLastFrame;
    frameIndex = 0;
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
    baseFrame = kHitFirstFrame;
    animLastFrame = kHitLastFrame;
    frameIndex = 0;
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

int OXBullet::drawFrame() const {
    return manager->updatesDone() < ownFramesFrom ? firstFrame : baseFrame + frameIndex;
}
