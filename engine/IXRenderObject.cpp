#include "engine/IXRenderObject.h"

#include <cmath>

#include "engine/CXGfxManager.h"
#include "engine/CXTextureManager.h"

namespace {
// The unit quad every render object draws, as a 4-vertex triangle strip.
const float kQuadPositions[] = {-0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, -0.5f, -0.5f, 0.0f, 0.5f, -0.5f, 0.0f};
const float kQuadTexCoords[] = {0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f};
const float kQuadColours[] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
}  // namespace

IXRenderObject::~IXRenderObject() {
    if (textureId >= 0) {
        CXTextureManager::instance().release(textureId);
    }
}

bool IXRenderObject::setTexture(const std::string& name, bool linearMin, bool linearMag) {
    if (textureId >= 0) {
        CXTextureManager::instance().release(textureId);
    }
    int width = 0, height = 0;
    textureId = CXTextureManager::instance().load(name, width, height, linearMin, linearMag);
    size = {static_cast<float>(width), static_cast<float>(height), 0.0f};
    return textureId != -1;
}

void IXRenderObject::load(const std::string&) {
    textureId = -1;
    flag = false;
    visible = true;
    active = true;
    blendMode = 0;
    position = {};
    rotation = {};
    size = {1, 1, 1};
    scale = {1, 1, 1};
    colour = {};
    hitScale = 1.0f;
    uniformScale = 1.0f;
    parent = nullptr;
    program = -1;
}

void IXRenderObject::updateMatrix() {
    matrix = Mat4::translation(position.x, position.y, position.z) * Mat4::rotationX(rotation.x) *
             Mat4::rotationY(rotation.y) * Mat4::rotationZ(rotation.z) *
             Mat4::scaling(size.x * scale.x * uniformScale, size.y * scale.y * uniformScale,
                           size.z * scale.z * uniformScale);
    if (parent) {
        matrix = parent->getMatrix() * matrix;
    }
}

void IXRenderObject::draw() {
    if (!visible) {
        return;
    }
    CXGfxManager& gfx = CXGfxManager::instance();
    gfx.setTexCoordAttrib(true);
    gfx.setBlend(true);
    gfx.setBlendMode(blendMode);
    gfx.setPositionAttrib(true);
    gfx.setTexCoordArray(true);
    gfx.setColourAttrib(false);
    gfx.setCull(false);
    gfx.drawStrip(4, kQuadPositions, 0, kQuadColours, 0, kQuadTexCoords, 0, textureId, matrix, program);
}

void IXRenderObject::tick(float dtMs) {
    if (active) {
        update(dtMs);
        updateMatrix();
    }
}

bool IXRenderObject::containsPoint(float x, float y) const {
    if (!visible) {
        return false;
    }
    const float hx = std::fabs(scale.x) * size.x * hitScale * uniformScale * 0.5f;
    const float hy = std::fabs(scale.y) * size.y * hitScale * uniformScale * 0.5f;
    return position.x - hx <= x && x <= position.x + hx && position.y - hy <= y && y <= position.y + hy;
}

bool IXRenderObject::overlaps(const IXRenderObject* other) const {
    if (!other || !visible) {
        return false;
    }
    const float dx = position.x - other->position.x;
    const float dy = position.y - other->position.y;
    const float reach =
        size.x * 0.5f * scale.x * hitScale + other->size.x * 0.5f * other->hitScale * other->scale.x;
    return std::sqrt(dx * dx + dy * dy) < reach;
}

bool IXRenderObject::overlapsCircle(const Vec3& point, float radius) const {
    if (!visible) {
        return false;
    }
    const float dx = position.x - point.x;
    const float dy = position.y - point.y;
    return std::sqrt(dx * dx + dy * dy) < scale.x * size.x * hitScale * uniformScale * 0.5f + radius;
}
