#include "frontend/OXScnDefaultBg.h"

#include <cstdio>

#include "data/AssetPackage.h"
#include "data/Plist.h"
#include "data/PlistRead.h"
#include "engine/CXGfxManager.h"
#include "fx/OXVolleyBg.h"

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
}
