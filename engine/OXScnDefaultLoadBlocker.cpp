#include "engine/OXScnDefaultLoadBlocker.h"

#include "engine/OXSprite.h"

void OXScnDefaultLoadBlocker::setup(const std::string& backgroundPath, const std::string& logoPath,
                                    const std::string&) {
    auto* background = new OXSprite();
    background->load(backgroundPath);
    background->setPosition(viewWidth / 2, viewHeight / 2, 1);
    background->setScale(1, 1.25f, 1);
    addObject(background);

    auto* logo = new OXSprite();
    logo->load(logoPath);
    logo->setPosition(viewWidth / 2, viewHeight / 2, 1);
    logo->setScale(1, 1, 1);
    addObject(logo);
}
