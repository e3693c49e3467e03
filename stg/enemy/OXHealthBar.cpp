#include "stg/enemy/OXHealthBar.h"

#include <algorithm>
#include <cmath>

void OXHealthBar::updateMatrix() {
    const float width = size.x * scale.x * uniformScale;
    const float height = size.y * scale.y * uniformScale;
    matrix = Mat4::translation(position.x + width * 0.5f, position.y + height * 0.5f, position.z) *
             Mat4::rotationZ(rotation.z) * Mat4::scaling(width, height, size.z * scale.z * uniformScale);
    if (parent) {
        matrix = parent->getMatrix() * matrix;
    }
}

void OXHealthBar::setFill(float share) {
    scale.x = std::isfinite(share) ? std::clamp(share, 0.0f, 1.0f) : 0.0f;
}
