#include "engine/CXTextBoxManager.h"

#include <algorithm>
#include <cstdio>

#include "data/AssetPackage.h"
#include "engine/OXTextBox.h"

void CXTextBoxManager::load(const std::string& fontPath, int count) {
    objects.clear();
    boxes.clear();
    vertexCapacity = kVertexCapacity;
    if (!assetExists(fontPath + ".plist")) {
        std::printf("MISSING FONT ATLAS %s.plist\n", fontPath.c_str());
    }
    loadAtlas(fontPath, true, true);
    // Vertex colours are premultiplied, like the atlas.
    blendMode = 0;
    const float cellU = 1.0f / static_cast<float>(numColumns);
    const float cellV = 1.0f / static_cast<float>(numRows);
    const int poolSize = std::max(0, std::min(count, kMaxBoxes));
    boxes.reserve(static_cast<size_t>(poolSize));
    for (int i = 0; i < poolSize; ++i) {
        auto* textBox = new OXTextBox();
        textBox->load("");
        textBox->useFont(static_cast<int>(cellWidth), static_cast<int>(cellHeight), cellU, cellV);
        textBox->setVisible(false);
        textBox->setActive(false);
        addObject(textBox);
        boxes.push_back(textBox);
    }
}

OXTextBox* CXTextBoxManager::acquire() {
    for (OXTextBox* textBox : boxes) {
        if (!textBox->isVisible() && !textBox->isActive()) {
            textBox->resetActions();
            textBox->setText("");
            textBox->setCharSize(12);
            textBox->setAlignment(OXTextBox::AlignLeft);
            textBox->setScale(1, 1, 1);
            textBox->setRotation(0, 0, 0);
            textBox->clearParent();
            textBox->setVisible(true);
            textBox->setActive(true);
            return textBox;
        }
    }
    std::printf("RAN OUT OF TEXT BOXES!\n");
    return nullptr;
}

void CXTextBoxManager::update(float dtMs) {
    for (OXTextBox* textBox : boxes) {
        if (textBox->isActive()) {
            textBox->update(dtMs);
        }
    }
}

void CXTextBoxManager::drawBatch() {
    buildBatch();
    submitVertices(0, vertexCount, blendMode, Layout::Triangles);
}

void CXTextBoxManager::buildBatch() {
    vertexCount = 0;
    if (textureId < 0) {
        return;  // without a font nothing is drawn
    }
    QuadCorner corners[4];
    for (const OXTextBox* textBox : boxes) {
        const int length = textBox->glyphCount();
        if (!textBox->isVisible() || length == 0 || !hasRoom(6 * length)) {
            continue;
        }
        const Mat4 transform = textBox->localTransform();
        const Colour tint = textBox->drawnColour();
        for (int i = 0; i < length; ++i) {
            textBox->glyphCorners(i, transform, corners);
            emitQuad(QuadOrder::Triangles, corners, tint.r * tint.a, tint.g * tint.a, tint.b * tint.a,
                     tint.a);
        }
    }
}
