#include "frontend/OXScnDefaultBg.h"

#include <cstdio>

#include "data/Plist.h"
#include "data/PlistRead.h"
#include "engine/BlendMode.h"
#include "engine/CXGfxManager.h"
#include "engine/OXScrollingSprite.h"
#include "fx/CXParticleEffectManager.h"
#include "fx/OXParticleSystem.h"

void OXScnDefaultBg::buildScene() {
    effectManager = new CXParticleEffectManager();
    effectManager->load("assets/plist/particle_atlas");
    effectManager->setBlendMode(BlendAdditive);
    addOverlay(effectManager);
}

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

    for (int index = 0;; ++index) {
        std::snprintf(key, sizeof key, "effect %d", index);
        const Plist::Dictionary* found = Plist::findDict(description, key);
        if (!found || !effectManager) {
            break;
        }
        const Plist::Dictionary& effectKeys = *found;
        std::string file;
        Plist::read(effectKeys, "filename", file);
        auto* effect = new OXParticleSystem();
        effectManager->adoptSystem(effect);
        effect->load("assets/plist/particles/" + file);
        float value = 0.0f;
        effect->setPosition(viewWidth / 2, viewHeight / 2, 10);
        if (Plist::read(effectKeys, "relative x", value, 0.0f)) {
            effect->setX(viewWidth * value);
        }
        if (Plist::read(effectKeys, "relative y", value, 0.0f)) {
            effect->setY(viewHeight * value);
        }
        if (Plist::read(effectKeys, "depth", value, 0.0f)) {
            effect->setZ(value);
        }
        bool predraw = false;
        Plist::read(effectKeys, "is predraw", predraw, false);
        effect->setPredraw(predraw);
        effects.push_back(effect);
    }
}
