#include "stg/enemy/OXBossModule.h"

#include <algorithm>

#include "data/PlistRead.h"
#include "stg/shot/ShotMath.h"

void OXBossModule::load(const std::string& path) {
    OXSprite::load(path);
    internalScale = {1.0f, 1.0f, 1.0f};
    if (path.empty()) {
        return;
    }
    Plist::Dictionary list;
    if (Plist::loadContent(path + ".plist", list)) {
        Plist::read(list, "internal scale x", internalScale.x, 1.0f);
        Plist::read(list, "internal scale y", internalScale.y, 1.0f);
        Plist::read(list, "internal scale z", internalScale.z, 1.0f);
    }
}

void OXBossModule::tick(float dtMs) {
    if (!active) {
        return;
    }
    if (carrier) {
        const Vec3& carrierScale = carrier->getScale();
        const Vec3 reach = anchor * (carrierScale.x - loadScale + 1.0f);
        const Vec3 target = carrier->getPosition() + shotmath::turned(reach, carrier->getRotation().z);
        position = position + (target - position) * followFactor;
        position.x = std::clamp(position.x, target.x - bound.x, target.x + bound.x);
        position.y = std::clamp(position.y, target.y - bound.y, target.y + bound.y);
        position.z = std::clamp(position.z, target.z - bound.z, target.z + bound.z);
        rotation = carrier->getRotation();
        scale = {carrierScale.x * internalScale.x, carrierScale.y * internalScale.y,
                 carrierScale.z * internalScale.z};
        if (exhaust) {
            const float f = 1.0f + 0.3f * shotmath::randomFraction();
            scale.x = scale.y = carrierScale.y * f;
            position.y -= size.y * (f - 1.0f) * 0.2f;
            colour.a = 1.0f - (f - 1.0f) * 0.4f;
        }
    }
    OXSprite::tick(dtMs);
}
