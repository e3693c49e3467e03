#include "stg/game/OXOption.h"

#include "stg/game/OXSTGBasePlayer.h"
#include "stg/shot/IXShotEffects.h"
#include "stg/shot/ShotMath.h"

namespace {
// Angle off the ship's heading (degrees) and radius (units) of each pair.
constexpr float kPairAngle[3] = {67.5f, 90.0f, 100.0f};
constexpr float kPairRadius[3] = {45.0f, 70.0f, 95.0f};
}  // namespace

void OXOption::load(const std::string& path) {
    OXLauncherPlatform::load(path);
    setOwnerKind(OwnerPlayer);
    setRunsSpriteTick(true);
    trailAnchor.load("");
    formation = true;
    play();
}

Vec3 OXOption::formationOffset(int podIndex, float headingDegrees) {
    const int pair = podIndex < 0 ? 0 : (podIndex / 2 > 2 ? 2 : podIndex / 2);
    const float side = podIndex % 2 == 0 ? 1.0f : -1.0f;
    const float angle = headingDegrees + side * kPairAngle[pair];
    const float radius = kPairRadius[pair];
    return {shotmath::tableSin(angle) * radius, shotmath::tableCos(angle) * radius - kDropBelowShip, 0.0f};
}

void OXOption::placeInFormation() {
    if (!owner || !formation) {
        return;
    }
    const Vec3& at = owner->getPosition();
    const Vec3 offset = formationOffset(index, owner->getHeading());
    position = {at.x + offset.x, at.y + offset.y, at.z};
    platformRotation = owner->getHeading();
    rotation.z = owner->getRotation().z;
    trailAnchor.setPosition(position.x, position.y - kTrailBelow, position.z);
}

void OXOption::tick(float dtMs) {
    if (!active) {
        return;
    }
    placeInFormation();
    OXLauncherPlatform::tick(dtMs);
}

void OXOption::reset() {
    visible = active = true;
    rewindLaunchers();
    placeInFormation();
    updateMatrix();
}

void OXOption::retire(IXShotEffects& effects) {
    stopAllLaunchers();
    visible = active = false;
    if (trailAttached) {
        effects.detachTrail(trailAnchor);
    }
    trailAttached = false;
}

void OXOption::attachTrail(IXShotEffects& effects, int frame, float width) {
    if (trailAttached) {
        return;
    }
    trailAttached = effects.attachTrail(trailAnchor, frame, width);
}
