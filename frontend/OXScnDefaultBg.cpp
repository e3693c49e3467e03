#include "frontend/OXScnDefaultBg.h"

#include <cstdio>

#include "data/Plist.h"
#include "data/PlistRead.h"
#include "engine/CXGfxManager.h"
#include "engine/OXScrollingSprite.h"

void OXScnDefaultBg::loadBackground(const std::string& path) {
    Plist::Dictionary description;
    Plist::loadContent(path, description);
    char key[32];
    for (int index = 0;; ++index) {
        std::snprintf(key, sizeof key, "bg %d", index);
        const Plist::Dictionary* found = Plist::findDict(description, key);
        if (found == nullptr) {
            break;
        }
        const Plist::Dictionary& layerKeys = *found;
        std::string file;
        Plist::read(layerKeys, "filename", file);
        auto* layer = new OXScrollingSprite();
        layer->loadSprite("assets/plist/" + file, false);
        float value = 0.0f;
        layer->setPosition(viewWidth / 2, viewHeight / 2, 0);
        if (Plist::read(layerKeys, "relative x", value, 0.0f)) {
            layer->setX(viewWidth * value);
        }
        if (Plist::read(layerKeys, "relative y", value, 0.0f)) {
            layer->setY(viewHeight * value);
        }
        if (Plist::read(layerKeys, "depth", value, 0.0f)) {
            layer->setZ(value);
        }
        float uRate = 0.0f, vRate = 0.0f;
        Plist::read(layerKeys, "scroll speed x", uRate, 0.0f);
        Plist::read(layerKeys, "scroll speed y", vRate, 0.0f);
        layer->setScrollRates(uRate, vRate);
        layer->setScrollAxes(uRate != 0.0f, vRate != 0.0f);
        int blend = 0;
        if (Plist::read(layerKeys, "blend mode", blend, 0)) {
            layer->setBlendMode(blend);
        }
        if (Plist::read(layerKeys, "alpha", value, 0.0f)) {
            layer->setAlpha(value);
        }
        CXGfxManager::instance().setAberration(0.5f);
        layers.push_back(layer);
        addObject(layer);
    }
}
