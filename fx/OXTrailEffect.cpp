#include "fx/OXTrailEffect.h"

#include <algorithm>
#include <cmath>

#include "fx/FxMath.h"

void OXTrailEffect::load(const std::string& path) {
    IXTransformable::load(path);
    width = 0.0f;
    atlasFrame = -1;
    target = nullptr;
    drift = offset = bounds = {};
    detached = false;
    linger = kLingerMs;
    followFactor = 1.0f;
    sampleInterval = kDefaultSampleMs;
    sampleTimer = 0.0f;
    resetActions();
}

void OXTrailEffect::resetActions() {
    IXTransformable::resetActions();
    for (Vec3& point : points) {
        point = position;
    }
}

void OXTrailEffect::attach(const IXRenderObject* object) {
    target = object;
    linger = kLingerMs;
    detached = false;
    sampleTimer = 0.0f;
    if (target) {
        position = target->getPosition() + fxmath::turned(offset, target->getRotation().z);
    }
    resetActions();
    colour = {1.0f, 1.0f, 1.0f, 1.0f};
    visible = active = true;
}

void OXTrailEffect::detach() {
    detached = true;
    target = nullptr;
    offset = {};
}

void OXTrailEffect::reset() {
    target = nullptr;
    offset = {};
    detached = false;
    visible = active = false;
}

void OXTrailEffect::tick(float dtMs) {
    if (!active) {
        return;
    }
    if (target && !detached) {
        const Vec3 goal = target->getPosition() + fxmath::turned(offset, target->getRotation().z);
        position = position + (goal - position) * followFactor;
        position.x = std::clamp(position.x, goal.x - bounds.x, goal.x + bounds.x);
        position.y = std::clamp(position.y, goal.y - bounds.y, goal.y + bounds.y);
        position.z = std::clamp(position.z, goal.z - bounds.z, goal.z + bounds.z);
        rotation = target->getRotation();
        if (!target->isVisible()) {
            detach();
        }
    }
    // The spine shifts one place every sample interval; in between, an
    // attached trail's older points drift. A let-go trail keeps shifting, so
    // its tail runs into its last point.
    const bool drifting = target != nullptr;
    if (sampleTimer <= 0.0f) {
        for (int i = kPoints - 1; i > 0; --i) {
            points[i] = drifting ? points[i - 1] + drift : points[i - 1];
        }
        sampleTimer = sampleInterval;
    } else {
        if (drifting) {
            for (int i = 1; i < kPoints; ++i) {
                points[i] = points[i] + drift;
            }
        }
        sampleTimer -= dtMs;
    }
    points[0] = position;
    IXTransformable::update(dtMs);
    if (detached) {
        linger -= dtMs;
        if (linger <= 0.0f) {
            target = nullptr;
            visible = active = false;
        }
    }
}
