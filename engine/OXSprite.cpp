#include "engine/OXSprite.h"

void OXSprite::load(const std::string& spritePath) {
    IXTransformable::load(spritePath);
    path = spritePath;
}
