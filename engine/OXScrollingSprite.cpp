#include "engine/OXScrollingSprite.h"

void OXScrollingSprite::loadSprite(const std::string& path, bool nearest) {
    OXSprite::loadSprite(path, nearest);
    scrollU = true;
    scrollV = false;
    uOffset = vOffset = 0.0f;
    uScrollRate = vScrollRate = 0.0f;
    if (nearest) {
        scale.x = 2.0f;
        scale.y = 2.0f;
    }
}

namespace {
float wrapOnce(float offset) {
    if (offset > 1.0f) {
        return offset - 1.0f;
    }
    if (offset < 0.0f) {
        return offset + 1.0f;
    }
    return offset;
}
}  // namespace

void OXScrollingSprite::update(float dtMs) {
    OXSprite::update(dtMs);
    vOffset = wrapOnce(vOffset + vScrollRate * dtMs);
    uOffset = wrapOnce(uOffset + uScrollRate * dtMs);
}

float OXScrollingSprite::uAt(bool right, int n) const {
    return OXSprite::uAt(right, n) + (scrollU ? uOffset : 0.0f);
}

float OXScrollingSprite::u(bool right) const {
    return OXSprite::u(right) + (scrollU ? uOffset : 0.0f);
}

float OXScrollingSprite::vAt(bool top, int n) const {
    return OXSprite::vAt(top, n) + (scrollV ? vOffset : 0.0f);
}

float OXScrollingSprite::v(bool top) const {
    return OXSprite::v(top) + (scrollV ? vOffset : 0.0f);
}
