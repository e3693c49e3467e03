#include "frontend/ScreenParts.h"

#include "audio/CXSoundManager.h"
#include "engine/OXButton.h"
#include "engine/OXScene.h"
#include "engine/OXTextBox.h"

namespace {
constexpr float kPopMs = 200.0f;
constexpr float kPopEasing = 0.25f;
constexpr float kTitleY = 900.0f;
}  // namespace

OXSprite* ScreenParts::addSprite(OXScene& scene, const char* path, float x, float y) {
    auto* sprite = new OXSprite();
    sprite->load(path);
    sprite->setPosition(x, y, 1);
    scene.addObject(sprite);
    return sprite;
}

OXTextBox* ScreenParts::addText(OXScene& scene, const std::string& text, float x, float y, int charSize,
                                int alignment) {
    auto* box = new OXTextBox();
    box->load(kFont);
    box->setCharSize(charSize);
    box->setAlignment(alignment);
    box->setText(text);
    box->setPosition(x, y, 2);
    scene.addObject(box);
    return box;
}

OXButton* ScreenParts::addButton(OXScene& scene, const char* path, int id, float x, float y,
                                 const char* label) {
    auto* button = new OXButton();
    button->load(path);
    button->setId(id);
    button->setDelegate(&scene);
    button->setGrowScale(kGrowScale);
    button->setPosition(x, y, 1);
    if (label) {
        button->setLabel(label);
        button->setLabelSize(kButtonLabelSize);
    }
    scene.addObject(button);
    scene.addSelectable(button);
    return button;
}

OXTextBox* ScreenParts::addTitle(OXScene& scene, const char* text) {
    OXTextBox* title = addText(scene, text, kCentreX, kTitleY, kTitleSize, 1);
    title->setColour(0.75f, 0.95f, 1.0f, 1.0f);
    return title;
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
