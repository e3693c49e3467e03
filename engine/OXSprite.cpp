#include "engine/OXSprite.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "data/Plist.h"
#include "data/PlistRead.h"
#include "engine/CXGfxManager.h"

namespace {
// The unit quad, as every render object draws it.
const float kQuadPositions[] = {-0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, -0.5f, -0.5f, 0.0f, 0.5f, -0.5f, 0.0f};
}  // namespace

void OXSprite::load(const std::string& path) {
    loadSprite(path, false);
}

void OXSprite::loadSprite(const std::string& path, bool nearest) {
    const std::string file = path.empty() ? path : path + ".plist";
    IXTransformable::load(file);
    numColumns = 1;
    numRows = 1;
    animSpeed = 0;
    numFrames = 1;
    speedFactor = 1.0f;
    column = row = frameTimer = startFrame = lastFrame = 0;
    if (!file.empty()) {
        readSpritePlist(file, nearest);
        textureWidth = size.x;
        size.x = size.x / static_cast<float>(numColumns);
        textureHeight = size.y;
        size.y = size.y / static_cast<float>(numRows);
    }
    animState = Stopped;
    loop = true;
}

void OXSprite::loadFill(const Colour& tint, float width, float height) {
    load(kFillSquare);
    setColour(tint.r, tint.g, tint.b, tint.a);
    setScale(size.x > 0.0f ? width / size.x : 0.0f, size.y > 0.0f ? height / size.y : 0.0f, 1.0f);
}

void OXSprite::readSpritePlist(const std::string& file, bool nearest) {
    Plist::Dictionary description;
    Plist::loadContent(file, description);
    constexpr int kMostCells = kMostGridSide * kMostGridSide;
    Plist::readWithin(description, "numColumns", numColumns, 0, 0, kMostGridSide);
    Plist::readWithin(description, "numRows", numRows, 0, 0, kMostGridSide);
    Plist::read(description, "animSpeed", animSpeed, 0);
    Plist::readWithin(description, "numFrames", numFrames, 0, 0, kMostCells);
    Plist::readWithin(description, "start frame", startFrame, 0, 0, kMostCells - 1);
    // A grid of no cells cannot be cut; such a list is shown as one cell.
    if (numColumns < 1 || numRows < 1) {
        if (!description.empty()) {
            std::printf("SPRITE %s HAS NO GRID, USING 1 x 1\n", file.c_str());
        }
        numColumns = std::max(numColumns, 1);
        numRows = std::max(numRows, 1);
    }
    // A list without frames is a still picture of its start frame.
    numFrames = std::max(numFrames, 1);
    lastFrame = numFrames - 1 + startFrame;
    if (!Plist::read(description, "hitbox scale", hitScale, 0.0f)) {
        hitScale = 1.0f;
    }
    setFrameClamped(std::min(startFrame, lastFrame));
    std::string textureFile;
    if (Plist::read(description, "textureFileName", textureFile) && !textureFile.empty()) {
        setTexture("assets/texture/" + textureFile, !nearest, !nearest);
    }
}

void OXSprite::setFrameClamped(int f) {
    f = std::min(f, lastFrame);
    row = static_cast<int>(std::floor(static_cast<float>(f) / static_cast<float>(numColumns)));
    column = f - row * numColumns;
}

void OXSprite::setFrameRange(int first, int count) {
    const int cells = numColumns * numRows;
    startFrame = std::clamp(first, 0, cells - 1);
    lastFrame = std::clamp(startFrame + std::max(count, 1) - 1, startFrame, cells - 1);
    frameTimer = 0;
    setFrameClamped(startFrame);
}

void OXSprite::play() {
    startFrame = std::max(startFrame, 0);
    lastFrame = std::min(lastFrame, numRows * numColumns);
    animState = Playing;
}

float OXSprite::uAt(bool right, int n) const {
    return (right ? column + n : column) * size.x / textureWidth;
}

float OXSprite::u(bool right) const {
    return uAt(right, 1);
}

float OXSprite::vAt(bool top, int n) const {
    return (top ? row : row + n) * size.y / textureHeight;
}

float OXSprite::v(bool top) const {
    return vAt(top, 1);
}

void OXSprite::update(float dtMs) {
    IXTransformable::update(dtMs);
    if (animState != Playing) {
        return;
    }
    const float frameMs = static_cast<float>(animSpeed) * speedFactor;
    // A frame time of zero or less would never leave the loop: such a sprite
    // holds its frame.
    if (frameMs <= 0.0f) {
        return;
    }
    frameTimer += static_cast<int>(dtMs);
    while (static_cast<float>(frameTimer) > frameMs) {
        if (currentFrame() + 1 > lastFrame) {
            if (loop) {
                setFrameClamped(startFrame);
            } else {
                animState = Stopped;
            }
        } else if (column + 1 < numColumns) {
            ++column;
        } else if (row + 1 < numRows) {
            ++row;
            column = 0;
        } else if (loop) {
            setFrameClamped(startFrame);
        } else {
            animState = Stopped;
        }
        frameTimer -= static_cast<int>(frameMs);
    }
}

void OXSprite::draw() {
    if (!visible) {
        return;
    }
    const float texCoords[] = {u(false), v(true), u(true), v(true), u(false), v(false), u(true), v(false)};
    Colour c = colour;
    if (parent) {
        const Colour& p = parent->getColour();
        c = {c.r * p.r, c.g * p.g, c.b * p.b, c.a * p.a};
    }
    const float premultiplied[] = {c.r * c.a, c.g * c.a, c.b * c.a, c.a * c.a};
    float colours[16];
    for (int vertex = 0; vertex < 4; ++vertex) {
        std::copy(premultiplied, premultiplied + 4, colours + 4 * vertex);
    }
    CXGfxManager& gfx = CXGfxManager::instance();
    gfx.setTexCoordAttrib(true);
    gfx.setBlend(true);
    gfx.setBlendMode(blendMode);
    gfx.drawStrip(4, kQuadPositions, 0, colours, 0, texCoords, 0, textureId, matrix);
}
