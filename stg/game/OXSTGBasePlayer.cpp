// The player's ship and its life: the frame, spawning and the entrance, the
// death and its wreck, the stage's end; the shield's timers.

#include "stg/game/OXSTGBasePlayer.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "data/PlistRead.h"
#include "engine/BlendMode.h"
#include "engine/OXTextBox.h"
#include "stg/game/IXPlayerWorld.h"
#include "stg/game/OXOption.h"
#include "stg/game/OXSTGBasePlayerParts.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/IXShootable.h"
#include "stg/shot/IXShotEffects.h"
#include "stg/shot/OXLauncher.h"
#include "stg/shot/ShotMath.h"

using namespace shipparts;

namespace {

constexpr float kFollow = 0.85f;  // share of the way to the target closed each frame
constexpr float kVelocityDivisor = 34.0f;
constexpr float kFieldLimit = 900.0f;     // units either way
constexpr float kCutInGraceMs = 2000.0f;  // play time without a cut-in before the trance starts anyway
constexpr float kChargePulseMs = 300.0f;
constexpr float kChargePulseLow = 0.5f;
const Vec3 kStartPoint{170.0f, -100.0f, 10.0f};
const Vec3 kSlideIn{-10.0f, 210.0f, 0.0f};  // ends low in the field, y 110
const Vec3 kFlyIn{-10.0f, 230.0f, 0.0f};    // y 130
constexpr float kSlideInMs = 750.0f;
constexpr float kFlyInMs = 500.0f;
constexpr float kEntranceEasing = 2.0f;  // fast launch, gentle arrival
constexpr float kSettleMs = 650.0f;
constexpr float kSpawnInvulnerability = 3400.0f;
constexpr float kReadyInvulnerability = 2000.0f;
constexpr float kNoBombShieldMs = 4000.0f;
constexpr float kShootModulesFadeMs = 100.0f;
constexpr float kDistortionFadeMs = 500.0f;
constexpr float kDeathZ = 600.0f;
constexpr float kDeathEndZ = 400.0f;
constexpr float kDeathMoveMs = 200.0f;
constexpr float kHitModulesFadeMs = 200.0f;
constexpr float kShieldShownScale = 0.75f;
constexpr float kShieldStartScale = 1.1f;
constexpr float kDistortionAlpha = 0.6f;

}  // namespace

OXSTGBasePlayer::OXSTGBasePlayer()
    : activeMain(&kNoLaunchers),
      activeSecondary(&kNoLaunchers),
      activeMainBreak(&kNoLaunchers),
      activeSecondaryBreak(&kNoLaunchers) {
    setOwnerKind(OwnerPlayer);
}

OXSTGBasePlayer::~OXSTGBasePlayer() = default;
void OXSTGBasePlayer::tick(float dtMs) {
    if (!active) {
        return;
    }
    if (!(dtMs >= 0.0f)) {
        dtMs = 0.0f;
    }
    // 1. Towards the input's target.
    if (!isLocked()) {
        position = position + (targetPosition - position) * kFollow;
    }
    // 2. Launchers and timed actions; the chain.
    OXLauncherPlatform::tick(dtMs);
    if (!active) {
        return;  // the end of the death animation took the ship out of play
    }
    multiplierChangedFlag = false;
    updateChainLabel(dtMs);
    // 3. Shield.
    updateShield(dtMs);
    // 4. Aim markers.
    placeMarkers();
    // 5. A push, the heading, and everything that rides on the ship.
    if (!isLocked()) {
        position = position + velocity * (speed * dtMs / kVelocityDivisor);
        position.x = std::clamp(position.x, -kFieldLimit, kFieldLimit);
        position.y = std::clamp(position.y, -kFieldLimit, kFieldLimit);
    }
    platformRotation = shotmath::angleOf(direction.x, direction.y);
    rotation.z = -platformRotation;
    followShip();
    // 6. Out of hit points: reported once per death.
    if (hitPoints <= 0.0f && !isLocked() && !deathReported) {
        deathReported = true;
        if (world) {
            world->playerDied();
        }
    }
    // 7. The counter beam's time.
    beamFiringTime = std::max(0.0f, beamFiringTime - dtMs);
    updateCounterBeams(dtMs);
    // 8. Firing by state.
    fire();
    // 9. Gauges.
    if (!charging && !isLocked()) {
        updateBreak(dtMs);
        updateBeamPulse(dtMs);
    }
    if (charging) {
        chargePulseTimer += dtMs;
        if (chargePulseTimer >= kChargePulseMs) {
            chargePulseTimer -= kChargePulseMs;
            chargePulseLow = !chargePulseLow;
        }
        for (int part : chargeModules) {
            if (part < moduleCount()) {
                modules[static_cast<size_t>(part)]->setPulseFactor(chargePulseLow ? kChargePulseLow : 1.0f);
            }
        }
        const bool full = beamGauge >= kCounterMinimum;
        for (int part : chargeFullModules) {
            if (part < moduleCount()) {
                Module& module = *modules[static_cast<size_t>(part)];
                if (full && !module.isOn()) {
                    module.switchOn(-1.0f, 0.0f);
                } else if (!full && module.isOn()) {
                    module.switchOff();
                }
            }
        }
    }
    // The trance waits for the HUD's cut-in; without one it starts after a while of play.
    if (tranceCountdown >= kTranceWaiting && !breakMode) {
        tranceWaitMs += dtMs;
        if (tranceWaitMs >= kCutInGraceMs) {
            startBreak();
        }
    }
    // 10. Invulnerability, the lock-on.
    invulnerability = std::max(0.0f, invulnerability - dtMs);
    lastPosition = position;
    updateLockOn();
    // 11. Labels, then the parts' own actions and the pods.
    updateGaugeLabels();
    tickParts(dtMs);
    for (auto& option : options) {
        option->tick(dtMs);
    }
}

void OXSTGBasePlayer::updateShield(float dtMs) {
    if (shieldTimer >= 0.0f && world && world->bombsLeft() > 0 && isControllable()) {
        shieldTimer -= dtMs;
        if (shieldTimer <= 0.0f) {
            shieldTimer = -1.0f;
            flashWarningCircle(kWarningFlashMs);
        }
    }
}

void OXSTGBasePlayer::freezeForStageEnd() {
    if (breakMode) {
        endBreak(false);
    }
    stageCleared = true;
    firing = false;
    laser = false;
    tranceRequested = false;
    setCharging(false);
    stopEveryLauncher();
}

void OXSTGBasePlayer::spawn(bool slideIn, bool firstSpawn) {
    if (!restingScaleKnown) {
        restingScale = scale;
        restingScaleKnown = true;
    }
    IXTransformable::resetActions();
    visible = active = true;
    life = ShipLife::Entering;
    stageCleared = false;
    deathReported = false;
    firing = laser = false;
    charging = false;
    breakMode = false;
    tranceRequested = false;
    tranceCountdown = kTranceIdle;
    // A new life starts whole: hit points run out only by the hits of this life.
    hitPoints = previousHitPoints = maxHitPoints;
    position = kStartPoint;
    targetPosition = lastPosition = position;
    if (!firstSpawn) {
        shieldTimer = -1.0f;
        beamGauge = 0.0f;
        grazeHeat = 0.0f;
        grazeChain = 0;
        chainBonus = 0;
        if (world) {
            world->resetTranceFactor();
        }
    } else if (!world || world->bombsLeft() <= 0) {
        shieldTimer = kNoBombShieldMs;
    }
    chainShown = std::min(chainShown, grazeChain);
    startInvulnerability(kSpawnInvulnerability);
    const Vec3 settled = restingScale;
    const Vec3 from = slideIn ? settled : Vec3{settled.x, settled.y * 2.0f, settled.z};
    scaleTo(kSettleMs, from, settled);
    moveBy(slideIn ? kSlideInMs : kFlyInMs, slideIn ? kSlideIn : kFlyIn, kEntranceEasing, this,
           entranceMoveDone);

    for (auto& option : options) {
        option->reset();
        if (trailPoints[2]) {
            option->attachTrail(effects(), trailPoints[2]->frame, trailPoints[2]->width * 0.5f);
        }
    }
    if (coreSprite) {
        coreSprite->resetActions();
        coreSprite->setVisible(true);
        coreSprite->setActive(true);
    }
    platformRotation = shotmath::angleOf(direction.x, direction.y);
    for (auto& part : modules) {
        part->follow(position, platformRotation, {1.0f, 1.0f, 1.0f}, shipScale, true);
    }
    for (auto& trail : trailPoints) {
        if (trail) {
            trail->point.setPosition(position + shotmath::turned(trail->anchor, -platformRotation));
        }
    }
    showModules(baseModules, -1.0f, 0.0f);
    showModules(flightModules, -1.0f, 0.0f);
    attachTrails();
    startEffects();
    leftLabelShown = rightLabelShown = -1;
    updateGaugeLabels();
}

bool OXSTGBasePlayer::entranceMoveDone(void* target, int) {
    static_cast<OXSTGBasePlayer*>(target)->finishEntrance();
    return true;
}

void OXSTGBasePlayer::finishEntrance() {
    if (life != ShipLife::Entering) {
        return;
    }
    showModules(shootModules, -1.0f, kShootModulesFadeMs);
    flashWarningCircle(kWarningFlashMs);
    if (distortionField) {
        distortionField->resetActions();
        distortionField->fadeTo(kDistortionFadeMs, 0.0f, kDistortionAlpha);
    }
    startInvulnerability(kReadyInvulnerability);
    firing = fireHeld;
    laser = beamHeld && world && world->isCasualPlay();
    life = ShipLife::Playing;
    targetPosition = position;
    if (breakGauge >= kBreakFull) {
        showBreakIndicator(true);
    }
}

void OXSTGBasePlayer::die() {
    if (life == ShipLife::OutOfPlay || life == ShipLife::Dying) {
        return;
    }
    life = ShipLife::Dying;
    firing = false;
    laser = false;
    setCharging(false);
    stopEveryLauncher();
    if (breakMode) {
        endBreak(false);
    }
    tranceRequested = false;
    tranceCountdown = kTranceIdle;
    deathPosition = position;
    // The wreck drops out of the play plane where it was hit.
    IXTransformable::resetActions();
    position.z = kDeathZ;
    moveBy(kDeathMoveMs, {0.0f, 0.0f, kDeathEndZ - kDeathZ}, 1.0f, this, deathMoveDone);
}

bool OXSTGBasePlayer::deathMoveDone(void* target, int) {
    static_cast<OXSTGBasePlayer*>(target)->finishDeath();
    return true;
}

void OXSTGBasePlayer::finishDeath() {
    fadeOutModules(hitModules, kHitModulesFadeMs);
    if (world) {
        world->explosionAt(deathPosition);
        world->shockRing(deathPosition, kShockRingMs);
        world->resetStageCounters();
    }
    resetState();
}

void OXSTGBasePlayer::resetState() {
    life = ShipLife::OutOfPlay;
    stageCleared = false;
    breakMode = false;
    firing = laser = charging = false;
    tranceRequested = false;
    tranceCountdown = kTranceIdle;
    tranceWaitMs = 0.0f;
    beamFiringTime = 0.0f;
    invulnerability = 0.0f;
    lockedEnemy = nullptr;
    stopEveryLauncher();
    for (auto& part : modules) {
        part->switchOff();
    }
    for (OXSprite* sprite : {coreSprite.get(), distortionField.get(), warningCircle.get(), breakCircle.get(),
                             breakField.get(), breakIndicator.get(), beamAim[0].get(), beamAim[1].get(),
                             beamAimAnim[0].get(), beamAimAnim[1].get(), shieldSprite.get()}) {
        if (sprite) {
            sprite->resetActions();
            sprite->setVisible(false);
            sprite->setActive(false);
        }
    }
    for (OXTextBox* label : {gaugeLabelLeft.get(), gaugeLabelRight.get(), chainLabel.get()}) {
        if (label) {
            label->resetActions();
            label->setVisible(false);
            label->setActive(false);
        }
    }
    chainShown = 0;
    releaseTrails();
    stopEffects();
    for (auto& option : options) {
        option->retire(effects());
    }
    visible = active = false;
}

void OXSTGBasePlayer::startInvulnerability(float ms) {
    invulnerability = ms;
    shieldBlinkTimer = 0.0f;
    if (shieldSprite) {
        shieldSprite->resetActions();
        shieldSprite->scaleTo(ms, {kShieldStartScale, kShieldStartScale, 1.0f},
                              {kShieldShownScale, kShieldShownScale, 1.0f});
    }
}
