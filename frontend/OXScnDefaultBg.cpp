#include "frontend/OXScnDefaultBg.h"

#include <cstdio>

#include "data/AssetPackage.h"
#include "data/Plist.h"
#include "data/PlistRead.h"
#include "engine/BlendMode.h"
#include "engine/CXGfxManager.h"
#include "fx/CXParticleEffectManager.h"
#include "fx/OXParticleSystem.h"
#include "fx/OXVolleyBg.h"

void OXScnDefaultBg::buildScene() {
    effectManager = new CXParticleEffectManager();
    effectManager->load("assets/plist/particle_atlas");
    effectManager->setBlendMode(BlendAdditive);
    addOverlay(effectManager);
}

void OXScnDefaultBg::loadBackground(const std::string& path) {
    Plist::Dictionary description;
    if (!Plist::loadContent(path, description) && !assetExists(path)) {
        std::printf("MENU BACKGROUND %s NOT FOUND\n", path.c_str());
    }
    for (int index = 0;; ++index) {
        const std::string key = "bg " + std::to_string(index);
        const Plist::Dictionary* found = Plist::findDict(description, key);
        if (found == nullptr) {
            break;
        }
        auto* layer = new OXVolleyBg();
        layer->loadLayer(*found, viewWidth, viewHeight, 0.0f, "menu " + std::to_string(index));
        // No stage script here: every layer shows from the start.
        layer->setVisible(true);
        layer->setActive(true);
        CXGfxManager::instance().setAberration(0.5f);
        layers.push_back(layer);
        addObject(layer);
    }

    for (int index = 0;; ++index) {
        const std::string key = "effect " + std::to_string(index);
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
