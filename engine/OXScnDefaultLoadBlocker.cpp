#include "engine/OXScnDefaultLoadBlocker.h"

#include "engine/OXSprite.h"

namespace {
constexpr float kBackgroundWidth = 1024.0f;  // scene units, wider and taller than any view
constexpr float kBackgroundHeight = 1280.0f;
}  // namespace

void OXScnDefaultLoadBlocker::setup(const std::string& logoPath, const std::string&) {
    auto* background = new OXSprite();
    background->loadFill({0.0f, 0.0f, 0.0f, 1.0f}, kBackgroundWidth, kBackgroundHeight);
    background->setPosition(viewWidth / 2, viewHeight / 2, 1);
    addObject(background);

    auto* logo = new OXSprite();
    logo->load(logoPath);
    logo->setPosition(viewWidth / 2, viewHeight / 2, 1);
    logo->setScale(1, 1, 1);
    addObject(logo);
}
