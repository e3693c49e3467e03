#include "frontend/OXScnDefaultBg.h"

#include <cstdio>

#include "data/Plist.h"
#include "engine/CXGfxManager.h"
#include "engine/OXScrollingSprite.h"
#include "fx/CXParticleEffectManager.h"
#include "fx/OXParticleSystem.h"

void OXScnDefaultBg::buildScene() {
    effectManager = new CXParticleEffectManager();
    effectManager->load("assets/plist/particle_atlas");
    effectManager->setBlendMode(1);
    addOverlay(effectManager);
}

void OXScnDefaultBg::loadBackground(const std::string& path) {
    Plist::Dictionary description;
    Plist::loadContent(path, description);
    char key[32];
    Plist::Dictionary layerKeys;
    for (int index = 0;; ++index) {
        std::snprintf(key, sizeof key, "bg %d", index);
        if (!Plist::getDict(description, key, layerKeys)) {
            break;
        }
        std::string file;
        Plist::getString(layerKeys, "filename", file);
        auto* layer = new OXScrollingSprite();
        layer->loadSprite("assets/plist/" + file, false);
        float value = 0.0f;
        layer->setPosition(viewWidth / 2, viewHeight / 2, 0);
        if (Plist::getFloat(layerKeys, "relative x", value)) {
            layer->setX(viewWidth * value);
        }
        if (Plist::getFloat(layerKeys, "relative y", value)) {
            layer->setY(viewHeight * value);
        }
        if (Plist::getFloat(layerKeys, "depth", value)) {
            layer->setZ(value);
        }
        float uRate = 0.0f, vRate = 0.0f;
        Plist::getFloat(layerKeys, "scroll speed x", uRate);
        Plist::getFloat(layerKeys, "scroll speed y", vRate);
        layer->setScrollRates(uRate, vRate);
        layer->setScrollAxes(uRate != 0.0f, vRate != 0.0f);
        int blend = 0;
        if (Plist::getInt(layerKeys, "blend mode", blend)) {
            layer->setBlendMode(blend);
        }
        if (Plist::getFloat(layerKeys, "alpha", value)) {
            layer->setAlpha(value);
        }
        CXGfxManager::instance().setAberration(0.5f);
        layers.push_back(layer);
        addObject(layer);
    }

    Plist::Dictionary effectKeys;
    for (int index = 0;; ++index) {
        std::snprintf(key, sizeof key, "effect %d", index);
        if (!Plist::getDict(description, key, effectKeys)) {
            break;
        }
        std::string file;
        Plist::getString(effectKeys, "filename", file);
        auto* effect = new OXParticleSystem();
        effect->load("assets/plist/particles/" + file);
        float value = 0.0f;
        effect->setPosition(viewWidth / 2, viewHeight / 2, 10);
        if (Plist::getFloat(effectKeys, "relative x", value)) {
            effect->setX(viewWidth * value);
        }
        if (Plist::getFloat(effectKeys, "relative y", value)) {
            effect->setY(viewHeight * value);
        }
        if (Plist::getFloat(effectKeys, "depth", value)) {
            effect->setZ(value);
        }
        bool predraw = false;
        Plist::getBool(effectKeys, "is predraw", predraw);
        effect->setPredraw(predraw);
        effects.push_back(effect);
        if (effectManager) {
            effectManager->adoptSystem(effect);
        } else {
            delete effect;
        }
    }
}
