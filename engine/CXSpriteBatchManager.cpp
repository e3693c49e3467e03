#include "engine/CXSpriteBatchManager.h"

#include <cmath>
#include <cstdio>

#include "engine/OXSprite.h"
#include "engine/RotationCorners.h"

void CXSpriteBatchManager::setup(const std::string& atlasName, const std::string& spritePath, bool linearMin,
                                 bool linearMag) {
    vertexCapacity = kVertexCapacity;
    loadAtlas(atlasName, linearMin, linearMag);
    objects.clear();
    objects.reserve(kPoolSize);
    for (int i = 0; i < kPoolSize; ++i) {
        auto* pooled = new OXSprite();
        pooled->load(spritePath);
        pooled->setVisible(false);
        pooled->setActive(false);
        pooled->setKeepAlive(false);
        addObject(pooled);
    }
    blendMode = 0;
}

OXSprite* CXSpriteBatchManager::sprite(int index) const {
    return static_cast<OXSprite*>(objects[static_cast<size_t>(index)].get());
}

OXSprite* CXSpriteBatchManager::getFreeSprite() {
    for (auto& object : objects) {
        if (!object->isActive() && !object->isVisible()) {
            object->setColour(1, 1, 1, 1);
            return static_cast<OXSprite*>(object.get());
        }
    }
    std::printf("OUT OF SPRITES IN BATCH MANAGER!!\n");
    return nullptr;
}

void CXSpriteBatchManager::update(float dtMs) {
    for (auto& object : objects) {
        if (object->isActive()) {
            object->update(dtMs);
        }
    }
}

void CXSpriteBatchManager::buildBatch() {
    vertexCount = 0;
    const float du = 1.0f / static_cast<float>(numColumns);
    const float dv = 1.0f / static_cast<float>(numRows);
    for (auto& object : objects) {
        if (!object->isVisible()) {
            continue;
        }
        if (!hasRoom(6)) {
            break;
        }
        const auto& pooled = static_cast<const OXSprite&>(*object);
        const int frame = pooled.currentFrame();
        const float cu = static_cast<float>(frame % numColumns) / static_cast<float>(numColumns);
        const float cv = std::floor(static_cast<float>(frame) / static_cast<float>(numColumns)) /
                         static_cast<float>(numRows);
        const Vec3& spriteSize = pooled.getSize();
        const Vec3& spriteScale = pooled.getScale();
        const Vec3& p = pooled.getPosition();
        const float hx = spriteSize.x * 0.5f;
        const float hy = spriteSize.y * 0.5f;
        const float sx = spriteScale.x * managerScale;
        const float sy = spriteScale.y * managerScale;
        const Colour& c = pooled.getColour();
        const RotationCorner& corner = rotationCorner(359 - wrapDegrees(pooled.getRotation().z));
        const float b1 = -corner.b * sx * hx;
        const float a1 = corner.a * sy * hy;
        const float a2 = corner.a * sx * hx;
        const float b2 = corner.b * sy * hy;
        // Unturned, the corners run top right, bottom right, top left, bottom left: the cell's
        // left edge on the sprite's left, as a sprite drawn alone shows it (not mirrored).
        const QuadCorner corners[4] = {{p.x - a2, p.y - b2, p.z, cu + du, cv},
                                       {p.x + b1, p.y + a1, p.z, cu + du, cv + dv},
                                       {p.x - b1, p.y - a1, p.z, cu, cv},
                                       {p.x + a2, p.y + b2, p.z, cu, cv + dv}};
        emitQuad(QuadOrder::Strip, corners, c.r * c.a, c.g * c.a, c.b * c.a, c.a);
    }
}
