#include "frontend/ScreenParts.h"

#include "audio/CXSoundManager.h"
#include "engine/OXScene.h"
#include "engine/OXSprite.h"

namespace {
constexpr float kPopMs = 200.0f;
constexpr float kPopEasing = 0.25f;
}  // namespace

OXSprite* ScreenParts::addSprite(OXScene& scene, const char* path, float x, float y) {
    auto* sprite = new OXSprite();
    sprite->load(path);
    sprite->setPosition(x, y, 1);
    scene.addObject(sprite);
    return sprite;
}

void ScreenParts::playSound(const char* name) {
    CXSoundManager& sound = CXSoundManager::instance();
    sound.loadSound(name);
    sound.playSound(name);
}

void ScreenParts::pop(IXTransformable& object, float factor, bool fadeIn, float restX, float restY) {
    object.scaleTo(kPopMs, {restX * factor, restY * factor, 1}, {restX, restY, 1}, kPopEasing);
    if (fadeIn) {
        object.fadeTo(kPopMs, 0.0f, 1.0f);
    }
}
