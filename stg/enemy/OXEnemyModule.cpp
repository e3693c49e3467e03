#include "stg/enemy/OXEnemyModule.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "stg/enemy/EnemyContext.h"
#include "stg/enemy/IXEnemyWorld.h"
#include "stg/shot/IXShotEffects.h"
#include "stg/shot/ShotMath.h"

namespace {
const std::string kSmokeTrail = "ps_explosion_smoke_trail";
const std::string kFireTrail = "ps_explosion_fire_trail";
const std::string kNoName;
constexpr float kEnemyFollowFactor = 0.1f;
}  // namespace

const std::string& OXEnemyModule::getEffectName() const {
    return effectName ? *effectName : kNoName;
}

const std::string& OXEnemyModule::getDestroyEffectName() const {
    return destroyEffectName ? *destroyEffectName : kNoName;
}

void OXEnemyModule::attach(const EnemyPart& entry, const IXRenderObject& enemy, float hitScaleValue,
                           int atlasColumns, int atlasRows, EnemyContext* contextValue) {
    context = contextValue;
    carrier = &enemy;
    anchor = entry.anchor;
    active = true;
    visible = false;
    resetActions();
    bound = entry.bound;
    followFactor = kEnemyFollowFactor;
    numColumn = entry.numColumn;
    numRow = entry.numRow;
    column = entry.column;
    row = entry.row;
    frame = entry.frame;
    hitPoints = entry.hitPoints;
    effectName = &entry.effect;
    destroyEffectName = &entry.destroyEffect;
    predraw = entry.effectPredraw;
    brokenOff = false;
    flightTimeLeft = 0.0f;
    spin = 0.0f;
    hitScale = hitScaleValue;
    colour = {1, 1, 1, 1};
    const float side = entry.size;
    size = {side, side, 1.0f};
    scale = {1, 1, 1};
    rotation = enemy.getRotation();
    if (numColumn >= 1 && numRow >= 1) {
        texRect = {static_cast<float>(column) / static_cast<float>(numColumn),
                   static_cast<float>(row) / static_cast<float>(numRow), 1.0f / static_cast<float>(numColumn),
                   1.0f / static_cast<float>(numRow)};
    } else {
        // No cell grid of its own: "frame" on the enemy atlas.
        const int columns = std::max(atlasColumns, 1);
        const int rows = std::max(atlasRows, 1);
        texRect = {static_cast<float>(frame % columns) / static_cast<float>(columns),
                   static_cast<float>(frame / columns) / static_cast<float>(rows),
                   1.0f / static_cast<float>(columns), 1.0f / static_cast<float>(rows)};
    }
    position = enemy.getPosition() + anchor;
    if (!effectName->empty() && context && context->world) {
        effects[OwnEffect] = predraw ? context->world->startPredrawEffect(*effectName, *this)
                                     : context->effects().startAttachedEffect(*effectName, *this, false);
    }
}

void OXEnemyModule::reveal() {
    resetActions();
    visible = true;
    followCarrier();
}

void OXEnemyModule::followCarrier() {
    if (!carrier) {
        return;
    }
    const Vec3& at = carrier->getPosition();
    const Vec3 offset = shotmath::turned(anchor * carrier->getScale().x, -carrier->getRotation().z);
    const Vec3 target = at + offset;
    position = position + (target - position) * followFactor;
    position.x = std::clamp(position.x, target.x - bound.x, target.x + bound.x);
    position.y = std::clamp(position.y, target.y - bound.y, target.y + bound.y);
    position.z = std::clamp(position.z, target.z - bound.z, target.z + bound.z);
    colour.a = carrier->getAlpha();
    rotation.z = carrier->getRotation().z;
}

void OXEnemyModule::tick(float dtMs) {
    if (!active) {
        return;
    }
    if (!brokenOff) {
        followCarrier();
        return;
    }
    flightTimeLeft -= dtMs;
    position = position + flightDirection * (kBreakOffSpeed * dtMs);
    rotation.z += spin * dtMs;
    if (flightTimeLeft <= 0.0f) {
        release();
    }
}

bool OXEnemyModule::takeHit(float change, bool obstacleCarrier) {
    hitPoints += change;
    if (hitPoints > 0.0f) {
        return false;
    }
    // Ordinary parts fly off to either side, an obstacle's upwards.
    const float r = shotmath::randomFraction();
    float degrees = 45.0f * r - 22.5f;
    if (!obstacleCarrier) {
        degrees = (shotmath::randomBelow(2) == 0 ? 247.5f : 67.5f) + 45.0f * r;
    }
    const float radians = degrees * shotmath::kRadiansPerDegree;
    breakOff({std::sin(radians), std::cos(radians), 0.0f});
    return true;
}

void OXEnemyModule::breakOff(const Vec3& direction) {
    brokenOff = true;
    flightDirection = direction;
    flightTimeLeft = kBreakOffFlightMs;
    spin = (direction.x >= 0.0f ? 1.0f : -1.0f) * kBreakOffSpinRate;
    if (!context) {
        return;
    }
    IXShotEffects& fx = context->effects();
    if (!getDestroyEffectName().empty()) {
        fx.playAt(getDestroyEffectName(), position, direction, 100.0f);
    }
    if (!effects[SmokeTrail]) {
        effects[SmokeTrail] = fx.startAttachedEffect(kSmokeTrail, *this, false);
    }
    if (!effects[FireTrail]) {
        effects[FireTrail] = fx.startAttachedEffect(kFireTrail, *this, true);
    }
}

void OXEnemyModule::releaseEffects() {
    IXShotEffects& fx = context ? context->effects() : noShotEffects();
    for (IXRenderObject*& effect : effects) {
        if (effect) {
            fx.stopEffect(effect);
        }
        effect = nullptr;
    }
}

void OXEnemyModule::release() {
    releaseEffects();
    visible = false;
    active = false;
    brokenOff = false;
}
