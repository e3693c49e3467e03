#include "fx/OXAnchorParticleSystem.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kRadiansPerDegree = 0.0174532925f;
}

void OXAnchorParticleSystem::load(const std::string& path) {
    OXParticleSystem::load(path);
    anchor = nullptr;
    offset = bound = {};
    followFactor = kDefaultFollowFactor;
}

void OXAnchorParticleSystem::loadPooled() {
    OXParticleSystem::loadPooled();
    anchor = nullptr;
    offset = bound = {};
    followFactor = kDefaultFollowFactor;
}

Vec3 OXAnchorParticleSystem::targetPoint() const {
    const Vec3& at = anchor->getPosition();
    const float theta = anchor->getRotation().z;
    Vec3 turned = offset;
    if (theta != 0.0f) {
        const float s = std::sin(theta * kRadiansPerDegree);
        const float c = std::cos(theta * kRadiansPerDegree);
        turned = {offset.x * c - offset.y * s, offset.y * c + offset.x * s, offset.z};
    }
    return {at.x + turned.x, at.y + turned.y, offset.z + at.z};
}

void OXAnchorParticleSystem::snapToAnchor() {
    if (anchor) {
        position = lastPosition = targetPoint();
        rotation = anchor->getRotation();
    }
}

void OXAnchorParticleSystem::tick(float dtMs) {
    if (!active) {
        return;
    }
    OXParticleSystem::tick(dtMs);
    if (!anchor) {
        return;
    }
    const Vec3 target = targetPoint();
    position = position + (target - position) * followFactor;
    position.x = std::clamp(position.x, target.x - bound.x, target.x + bound.x);
    position.y = std::clamp(position.y, target.y - bound.y, target.y + bound.y);
    position.z = std::clamp(position.z, target.z - bound.z, target.z + bound.z);
    rotation = anchor->getRotation();
    if (definition.isDirectional) {
        // Heading up turned by the anchor's rotation.
        direction = {-std::sin(rotation.z * kRadiansPerDegree), std::cos(rotation.z * kRadiansPerDegree),
                     0.0f};
    }
}
