// The player's ship scoring: the graze chain, the break gauge and the
// trance, the beam gauge, hits, bombs, orbs, the multiplier and the score.

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

constexpr float kGrazeBreak = 4.15f;
constexpr float kCasualBreakFill = 0.0125f;  // per ms
constexpr float kBreakDrain = 0.12f;         // per ms
constexpr float kTranceTimeScaleMs = 10000.0f;
constexpr float kStartBreakTimeScale = 0.15f;
constexpr float kStartBreakTimeScaleMs = 10.0f;
constexpr float kBreakCircleCloseMs = 50.0f;
constexpr float kBreakCirclePulseMs = 60.0f;
constexpr float kBreakCircleStart = 8.0f;
constexpr float kBreakCircleSmallest = 2.5f;
constexpr float kBreakEndTintMs = 1000.0f;
const Colour kBreakEndTint{2.0f, 1.5f, 1.25f, 1.0f};
constexpr float kBeamPulseEveryMs = 400.0f;
constexpr float kBreakHitInvulnerability = 1000.0f;
constexpr float kBreakHitShakeMs = 1000.0f;
constexpr float kBombInvulnerability = 2000.0f;
constexpr float kShieldCasualMs = 1900.0f;
constexpr float kShieldNormalMs = 4000.0f;
constexpr float kBombFlashMs = 500.0f;
constexpr float kHitGraceMs = 1500.0f;
constexpr float kHitFlashMs = 1500.0f;
constexpr float kBombMs = 600.0f;
constexpr float kBombAbove = 10.0f;
constexpr float kTranceBreakModulesMs = 750.0f;
constexpr float kBreakEndShakeMs = 100.0f;
constexpr float kCameraShakeAmplitude = 80.0f;
constexpr float kMinMultiplier = 1.0f;
constexpr float kMaxMultiplier = 9999.99f;
constexpr int kMaxChainBonus = 9999999;
constexpr int kChainStep = 16;
constexpr int kMaxGrazeChain = 99999999;
constexpr float kGrazeHeatStep = 0.75f;
constexpr float kGrazeHeatCooling = 0.0005f;  // per ms
constexpr float kPointsLimit = 1.0e30f;       // beyond this a score change is not a number of points
constexpr float kChainLabelFlipX = 240.0f;
constexpr float kChainPopScale = 1.15f;
constexpr float kChainPopMs = 150.0f;
constexpr float kChainFadeMs = 1200.0f;
constexpr float kChainFadeEasing = 0.3f;  // holds, then drops
constexpr float kDistortionStep = 0.025f;

int saturatedInt(double value) {
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

// A score as a float, added to and stored back without running past the int64 range.
int64_t saturatedScore(float value, int64_t previous) {
    constexpr float kTop = static_cast<float>(INT64_MAX);  // 2^63
    if (std::isnan(value)) {
        return previous;
    }
    if (value >= kTop) {
        return INT64_MAX;
    }
    if (value <= -kTop) {
        return INT64_MIN;
    }
    return static_cast<int64_t>(value);
}

}  // namespace

void OXSTGBasePlayer::requestTrance() {
    if (breakGauge >= kBreakFull && !breakMode) {
        tranceRequested = true;
    }
}

void OXSTGBasePlayer::updateChainLabel(float dtMs) {
    if (grazeChain > chainShown) {
        chainShown = grazeChain;
        if (chainLabel) {
            char text[16];
            std::snprintf(text, sizeof text, "%d", chainShown);
            labelText.assign(text);
            chainLabel->setText(labelText);
            // The side is chosen as the chain grows; the label follows the ship (updateGaugeLabels).
            chainLabel->setAlignment(position.x > kChainLabelFlipX ? OXTextBox::AlignRight
                                                                   : OXTextBox::AlignLeft);
            chainLabel->resetActions();
            chainLabel->scaleTo(kChainPopMs, {kChainPopScale, kChainPopScale, 1.0f}, {1.0f, 1.0f, 1.0f});
            chainLabel->fadeTo(kChainFadeMs, 1.0f, 0.0f, kChainFadeEasing);
            chainLabel->setKeepAlive(false);
        }
        distortionPulse += kDistortionStep;
        if (distortionPulse > 1.0f) {
            distortionPulse = 0.0f;
        }
    } else if (grazeChain < chainShown) {
        chainShown = grazeChain;
        if (chainShown == 0 && chainLabel) {
            chainLabel->setVisible(false);
            chainLabel->setActive(false);
        }
    }
    const float factor = breakMode && world ? world->tranceFactor() : 1.0f;
    const float bonus = static_cast<float>(grazeChain) * static_cast<float>(kChainStep) * factor;
    chainBonus = bonus >= static_cast<float>(kMaxChainBonus) ? kMaxChainBonus
                 : bonus > 0.0f                              ? static_cast<int>(bonus)
                                                             : 0;
    grazeHeat = std::max(0.0f, grazeHeat - dtMs * kGrazeHeatCooling);
}

void OXSTGBasePlayer::updateBreak(float dtMs) {
    if (breakMode) {
        breakGauge -= kBreakDrain * dtMs;
        if (breakGauge <= 0.0f) {
            breakGauge = 0.0f;
            endBreak(false);
        }
        return;
    }
    if (breakGauge < kBreakFull && world && world->isCasualPlay()) {
        addBreak(kCasualBreakFill * dtMs);
    }
    if (breakGauge < kBreakFull || !tranceRequested) {
        return;
    }
    if (tranceCountdown == kTranceIdle) {
        if (world) {
            world->tranceBackgroundFlash();
        }
        if (breakCircle) {
            breakCirclePulse = kBreakCircleStart;
            breakCircle->resetActions();
            breakCircle->setColour(1.0f, 1.0f, 1.0f, 1.0f);
            breakCircle->scaleTo(kBreakCircleCloseMs,
                                 {kBreakCircleStart * 2.0f, kBreakCircleStart * 2.0f, 1.0f},
                                 {1.0f, 1.0f, 1.0f}, 1.0f, this, breakCirclePulseDone);
        }
    }
    tranceCountdown -= dtMs;
    if (tranceCountdown > 0.0f) {
        return;
    }
    // The trance goes off: the ship holds still and the game freezes while the
    // HUD plays its cut-in, which may call startBreak at once.
    tranceCountdown = kTranceWaiting;
    tranceWaitMs = 0.0f;
    lastPosition = position;
    targetPosition = position;
    life = ShipLife::CutIn;
    tranceRequested = false;
    if (breakCircle) {
        breakCircle->resetActions();
        breakCircle->setVisible(false);
        breakCircle->setActive(false);
    }
    if (manager) {
        manager->endBeamsOfOwner(this);
    }
    showModules(breakStartModules, kShockRingMs, 0.0f);
    if (world) {
        world->setTimeScale(0.0f, kTranceTimeScaleMs);
        world->hudStartTranceCutIn();
    }
}

bool OXSTGBasePlayer::breakCirclePulseDone(void* target, int) {
    auto* ship = static_cast<OXSTGBasePlayer*>(target);
    if (!ship->breakCircle || ship->tranceCountdown >= kTranceWaiting || !ship->tranceRequested) {
        return false;
    }
    const float from = ship->breakCirclePulse;
    ship->breakCirclePulse = std::max(kBreakCircleSmallest, from * 0.75f);
    ship->breakCircle->scaleTo(kBreakCirclePulseMs, {from, from, 1.0f}, {1.0f, 1.0f, 1.0f}, 1.0f, ship,
                               breakCirclePulseDone);
    return true;
}

void OXSTGBasePlayer::updateBeamPulse(float dtMs) {
    if (!(beamGauge >= kCounterMinimum)) {
        beamPulseTimer = 0.0f;
        return;
    }
    beamPulseTimer += dtMs;
    if (beamPulseTimer >= kBeamPulseEveryMs) {
        beamPulseTimer -= kBeamPulseEveryMs;
        if (world) {
            world->beamReadyPulse(position);
        }
    }
}

void OXSTGBasePlayer::graze() {
    grazeHeat = std::min(1.0f, grazeHeat + kGrazeHeatStep);
    grazeChain = std::min(grazeChain + 1, kMaxGrazeChain);
    addBreak(kGrazeBreak);
    if (world) {
        world->countGraze();
    }
}

void OXSTGBasePlayer::hit(float amount, const Vec3& /*direction*/) {
    // Only damage counts; a ship that is already exploding or out of play takes no more.
    if (!(amount < 0.0f) || life == ShipLife::OutOfPlay || life == ShipLife::Dying) {
        hitSourceRadius = -1.0f;
        return;
    }
    const int bombsBefore = world ? world->bombsLeft() : 0;
    const bool hadHitPoints = hitPoints > 0.0f;
    if (breakMode) {
        endBreak(true);
        if (world) {
            world->shockRing(position, kShockRingMs);
            world->shake(kBreakHitShakeMs);
        }
        startInvulnerability(kBreakHitInvulnerability);
    } else if (world && world->bombsLeft() > 0 && shieldTimer < 0.0f) {
        useBomb();
        startInvulnerability(kBombInvulnerability);
        shieldTimer = world->isCasualPlay() ? kShieldCasualMs : kShieldNormalMs;
        flashWarningCircle(kWarningFlashMs);
        addMultiplier(-multiplier * 0.5f);
        if (world) {
            world->hudDamageFlash(kBombFlashMs);
        }
    } else {
        if (world) {
            world->setBulletGrace(kHitGraceMs);
        }
        hitPoints += amount;
        addMultiplier(-multiplier * 0.5f);
        if (world) {
            world->hudDamageFlash(kHitFlashMs);
        }
    }
    if (world) {
        world->recordPlayerHit();
        // The game keeps what hit the ship when it cost the last hit point or a bomb.
        const bool bombed = world->bombsLeft() < bombsBefore;
        if (bombed || (hadHitPoints && hitPoints <= 0.0f)) {
            const bool known = hitSourceRadius >= 0.0f;
            world->shipHit(known ? hitSource : position, known ? hitSourceRadius : 0.0f, bombed);
        }
    }
    hitSourceRadius = -1.0f;
    grazeHeat = 0.0f;
    grazeChain = 0;
    chainBonus = 0;
}

void OXSTGBasePlayer::useBomb() {
    if (!world || world->bombsLeft() <= 0 || !active || isLocked() || world->isBombActive()) {
        return;
    }
    world->detonateBomb({position.x, position.y + kBombAbove, position.z}, kBombMs);
    world->spendBomb();
    if (breakMode) {
        endBreak(false);
    } else {
        grazeChain = 0;
    }
}

void OXSTGBasePlayer::addScoreFloat(float points) {
    score = saturatedScore(static_cast<float>(score) + points, score);
}

float OXSTGBasePlayer::addScorePoints(double points) {
    if (std::isnan(points)) {
        return 0.0f;
    }
    const float p = static_cast<float>(
        std::clamp(points, -static_cast<double>(kPointsLimit), static_cast<double>(kPointsLimit)));
    const float pts = multiplier * p * scoreFactor;
    addScoreFloat(pts);
    rawPoints = saturatedInt(static_cast<double>(rawPoints) + std::trunc(points));
    if (world) {
        world->reportScore(score);
    }
    return pts;
}

void OXSTGBasePlayer::addScoreFlat(double points, bool applyMultiplier) {
    if (applyMultiplier) {
        addScorePoints(points);
        return;
    }
    if (std::isnan(points)) {
        return;
    }
    addScoreFloat(static_cast<float>(
        std::clamp(points, -static_cast<double>(kPointsLimit), static_cast<double>(kPointsLimit))));
    rawPoints = saturatedInt(static_cast<double>(rawPoints) + std::trunc(points));
    if (world) {
        world->reportScore(score);
    }
}

void OXSTGBasePlayer::addMultiplier(float delta) {
    if (std::isnan(delta)) {
        return;
    }
    multiplier += delta > 0.0f ? multiplierRate * delta : delta;
    multiplier = std::clamp(multiplier, kMinMultiplier, kMaxMultiplier);
    multiplierChangedFlag = true;
}

void OXSTGBasePlayer::addBreak(float amount) {
    // A ship flying in, a cleared stage and a falling wreck gain nothing.
    if (std::isnan(amount) || !world || !world->isBreakGaugeEnabled() || breakMode || isEntering() ||
        isDying()) {
        return;
    }
    const bool wasFull = breakGauge >= kBreakFull;
    breakGauge = std::clamp(breakGauge + amount, 0.0f, kBreakFull);
    if (!wasFull && breakGauge >= kBreakFull) {
        showBreakIndicator(true);
        if (world) {
            world->tranceReadyRing(position);
        }
    }
}

void OXSTGBasePlayer::addBeamGauge(float amount) {
    if (std::isnan(amount) || (world && world->isCasualPlay()) || beamFiringTime > 0.0f) {
        return;
    }
    beamGauge = std::clamp(beamGauge + amount, 0.0f, 1.0f);
}

void OXSTGBasePlayer::collectOrb(int value) {
    orbValue = saturatedInt(static_cast<double>(orbValue) + value);
    if (world) {
        world->countOrb();
    }
}

void OXSTGBasePlayer::startBreak() {
    // Only a ship the player flies goes into trance: a cut-in that ends after the ship was shot
    // down starts nothing on the wreck, and a ship flying in keeps to its path.
    if (breakMode || !isControllable()) {
        return;
    }
    if (world) {
        world->setTimeScale(kStartBreakTimeScale, kStartBreakTimeScaleMs);
        world->shockRing(position, kShockRingMs);
    }
    life = ShipLife::Playing;
    breakMode = true;
    tranceRequested = false;
    tranceCountdown = kTranceIdle;
    tranceWaitMs = 0.0f;
    stopEveryLauncher();
    showModules(breakModules, -1.0f, 0.0f);
    showBreakIndicator(false);
    if (breakField) {
        breakField->resetActions();
        breakField->fadeTo(kShockRingMs, 0.0f, 1.0f);
    }
}

void OXSTGBasePlayer::endBreak(bool byHit) {
    if (!breakMode) {
        return;
    }
    breakMode = false;
    breakGauge = 0.0f;
    stopEveryLauncher();
    hideModules(breakModules);
    if (breakField) {
        breakField->setVisible(false);
        breakField->setActive(false);
    }
    if (world) {
        world->clearBullets();
        world->tintBackground(kBreakEndTint, kBreakEndTintMs);
        world->countTrance();
    }
    if (byHit) {
        showModules(tranceBreakModules, kTranceBreakModulesMs, 0.0f);
        if (world) {
            world->shockRing(position, kShockRingMs);
            world->cameraShake(kBreakEndShakeMs, kCameraShakeAmplitude);
        }
    }
}
