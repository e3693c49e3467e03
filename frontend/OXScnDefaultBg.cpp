#include "frontend/OXScnDefaultBg.h"

#include <cstdio>
#include <stdexcept>

#include "engine/gl/IXGLDevice.h"

void OXScnDefaultBg::loadBackground(const std::string& path) {
    description.clear();
    layerCount = 0;
    try {
        Plist::loadAsset(path, description);
    } catch (const std::exception& error) {
        std::printf("BAD BACKGROUND DESCRIPTION %s: %s\n", path.c_str(), error.what());
        description.clear();
    }
    Plist::Dictionary layer;
    char key[32];
    for (;;) {
        std::snprintf(key, sizeof key, "bg %d", layerCount);
        if (!Plist::getDict(description, key, layer)) {
            break;
        }
        ++layerCount;
    }
}

void OXScnDefaultBg::drawObjects() {
    IXGLDevice& gl = glDevice();
    gl.clearColor(0.02f, 0.03f, 0.09f, 1.0f);
    gl.clear(GL_COLOR_BUFFER_BIT);
    OXScene::drawObjects();
}
