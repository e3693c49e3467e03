#include "frontend/ScreenParts.h"

#include <string>

#include "audio/CXSoundManager.h"
#include "engine/OXScene.h"
#include "engine/OXSprite.h"

namespace {
constexpr float kPopMs = 200.0f;
constexpr float kPopEasing = 0.25f;
// Made once: playing them allocates nothing. In the order of ScreenParts::MenuSound.
const std::string kMenuSoundFiles[] = {"ui_move.caf", "ui_accept.caf", "ui_back.caf", "ui_refuse.caf"};
// Menu plays vary a little, so a run of moves is not one click repeated (semitones).
constexpr float kMenuPitchSpread = 0.2f;
bool menuSoundThisFrame = false;
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
    menuSoundThisFrame = true;  // this effect speaks for the action: no menu sound over it
}

void ScreenParts::loadMenuSounds() {
    for (const std::string& name : kMenuSoundFiles) {
        CXSoundManager::instance().loadSound(name);
    }
}

void ScreenParts::playMenuSound(MenuSound sound) {
    if (menuSoundThisFrame) {
        return;
    }
    menuSoundThisFrame = true;
    CXSoundManager::instance().playSound(kMenuSoundFiles[static_cast<int>(sound)], 1.0f, kMenuPitchSpread);
}

void ScreenParts::newMenuFrame() {
    menuSoundThisFrame = false;
}

void ScreenParts::pop(IXTransformable& object, float factor, bool fadeIn, float restX, float restY) {
    object.scaleTo(kPopMs, {restX * factor, restY * factor, 1}, {restX, restY, 1}, kPopEasing);
    if (fadeIn) {
        object.fadeTo(kPopMs, 0.0f, 1.0f);
    }
}
