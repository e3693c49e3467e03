#include "engine/IXParticleManager.h"

#include <algorithm>
#include <cstdio>

#include "data/Plist.h"
#include "data/PlistRead.h"
#include "engine/BlendMode.h"
#include "engine/CXGfxManager.h"
#include "engine/CXTextureManager.h"
#include "engine/OXSprite.h"

IXParticleManager::~IXParticleManager() = default;

void IXParticleManager::load(const std::string& path) {
    loadAtlas(path, true, true);
}

void IXParticleManager::loadAtlas(const std::string& name, bool linearMin, bool linearMag) {
    IXRenderObject::load(name);
    if (textureId >= 0) {
        CXTextureManager::instance().release(textureId);
    }
    textureId = -1;
    vertices.reset(new BatchVertex[static_cast<size_t>(std::min(vertexCapacity, kMaxVertices))]);
    vertexCapacity = std::min(vertexCapacity, kMaxVertices);

    Plist::Dictionary atlas;
    const std::string file = name + ".plist";
    Plist::loadContent(file, atlas);
    Plist::readWithin(atlas, "numColumns", numColumns, 0, 0, OXSprite::kMostGridSide);
    Plist::readWithin(atlas, "numRows", numRows, 0, 0, OXSprite::kMostGridSide);
    if (numColumns < 1 || numRows < 1) {
        // A missing description is not news (the texture load reports it);
        // a description without a grid is a content error.
        if (!atlas.empty()) {
            std::printf("ATLAS %s HAS NO GRID, USING 1 x 1\n", file.c_str());
        }
        numColumns = std::max(numColumns, 1);
        numRows = std::max(numRows, 1);
    }
    std::string textureFile;
    Plist::read(atlas, "textureFileName", textureFile);
    int width = 0, height = 0;
    textureId = CXTextureManager::instance().load("assets/texture/" + textureFile, width, height, linearMin,
                                                  linearMag);
    cellWidth = static_cast<float>(width / numColumns);
    cellHeight = static_cast<float>(height / numRows);
    visible = active = true;
    blendMode = BlendAlpha;
    managerScale = 1.0f;
}

void IXParticleManager::draw() {
    if (visible) {
        drawBatch();
    }
}

void IXParticleManager::tick(float dtMs) {
    if (active) {
        update(dtMs);
    }
}

IXParticleManager::TexCoord IXParticleManager::frameOrigin(int frame) const {
    const int r = frame / numColumns;
    const int c = frame - numColumns * r;
    return {static_cast<float>(c) / static_cast<float>(numColumns),
            static_cast<float>(r) / static_cast<float>(numRows)};
}

void IXParticleManager::drawBatch() {
    buildBatch();
    submitVertices(0, vertexCount, blendMode, Layout::Strip);
}

void IXParticleManager::submitVertices(int firstVertex, int count, int mode, Layout layout) {
    if (count <= 0) {
        return;
    }
    CXGfxManager& gfx = CXGfxManager::instance();
    gfx.setTexCoordAttrib(true);
    gfx.setPositionAttrib(true);
    gfx.setColourAttrib(true);
    gfx.setBlend(true);
    gfx.setDepthTest(false);
    gfx.setBlendMode(mode);
    const Mat4 model = parent ? parent->getMatrix() : Mat4::identity();
    const BatchVertex* first = vertices.get() + firstVertex;
    constexpr int kStride = sizeof(BatchVertex);
    if (layout == Layout::Strip) {
        gfx.drawStrip(count, &first->x, kStride, &first->r, kStride, &first->u, kStride, textureId, model);
    } else {
        gfx.drawTriangles(count, &first->x, kStride, &first->r, kStride, &first->u, kStride, textureId,
                          model);
    }
}
