#include "fx/OXVolleyBg.h"

#include <cstdio>

#include "data/AssetPackage.h"
#include "data/PlistRead.h"
#include "engine/CXGfxManager.h"

namespace {

constexpr float kLayerUniformScale = 0.5f;

// The tube's cross-section in (y, z), walked once round.
const float kTubeSection[OXVolleyBg::kTubeSides][2] = {
    {0.5f, -0.25f}, {0.25f, -0.5f}, {-0.25f, -0.5f}, {-0.5f, -0.25f},
    {-0.5f, 0.25f}, {-0.25f, 0.5f}, {0.25f, 0.5f},   {0.5f, 0.25f},
};

// One quarter of the swing about y: from and to as multiples of the amplitude.
struct SwingQuarter {
    float from;
    float to;
    float easing;
};
const SwingQuarter kSwingQuarters[4] = {
    {1.0f, 0.0f, 0.75f}, {0.0f, -1.0f, 2.0f}, {-1.0f, 0.0f, 0.75f}, {0.0f, 1.0f, 2.0f}};

void copyColour(float* out, const float (&colour)[4], bool faded) {
    for (int channel = 0; channel < 4; ++channel) {
        out[channel] = faded ? 0.0f : colour[channel];
    }
}

void prepareLayerState(int blendMode) {
    CXGfxManager& gfx = CXGfxManager::instance();
    gfx.setPositionAttrib(true);
    gfx.setColourAttrib(true);
    gfx.setTexCoordAttrib(true);
    gfx.setBlend(true);
    gfx.setBlendMode(blendMode);
    gfx.setDepthTest(false);
    // The tube is seen from inside.
    gfx.setCull(false);
}

}  // namespace

void OXVolleyBg::loadLayer(const Plist::Dictionary& layer, float sceneWidth, float sceneHeight,
                           float rotationDefault, const std::string& label) {
    const std::string& filename = Plist::textOf(layer, "filename");
    const std::string spritePath = filename.empty() ? std::string() : "assets/plist/" + filename;
    if (filename.empty()) {
        std::printf("BACKGROUND LAYER %s HAS NO FILENAME\n", label.c_str());
    } else if (!assetExists(spritePath + ".plist")) {
        std::printf("BACKGROUND LAYER %s: SPRITE %s.plist NOT FOUND\n", label.c_str(), spritePath.c_str());
    }
    loadSprite(spritePath, false);

    const float scrollX = Plist::floatOr(layer, "scroll speed x", 0.0f);
    const float scrollY = Plist::floatOr(layer, "scroll speed y", 0.0f);
    setScrollRates(scrollX, scrollY);
    setScrollAxes(scrollX != 0.0f, scrollY != 0.0f);
    setSpinRate(Plist::floatOr(layer, "rotation rate x", 0.0f),
                Plist::floatOr(layer, "rotation rate y", 0.0f), Plist::floatOr(layer, "rotation rate", 0.0f));

    setPosition(Plist::floatOr(layer, "relative x", 0.5f) * sceneWidth,
                Plist::floatOr(layer, "relative y", 0.5f) * sceneHeight,
                Plist::floatOr(layer, "depth", 1.0f));
    setBlendMode(Plist::intOr(layer, "blend mode", 0));
    setAlpha(Plist::floatOr(layer, "alpha", 1.0f));
    setScale(Plist::floatOr(layer, "scale x", 1.0f), Plist::floatOr(layer, "scale y", 1.0f),
             Plist::floatOr(layer, "scale z", 1.0f));
    setRotation(Plist::floatOr(layer, "rotate x", rotationDefault),
                Plist::floatOr(layer, "rotate y", rotationDefault),
                Plist::floatOr(layer, "rotate z", rotationDefault));

    tubeRendering = Plist::boolOr(layer, "tube rendering", false);
    if (tubeRendering) {
        size.z = size.x;
    }
    fadeBack = Plist::boolOr(layer, "fade back", false);
    fadeFront = Plist::boolOr(layer, "fade front", false);

    swingAmplitude = 0.0f;
    swingTime = 0.0f;
    float swingMs = 0.0f;
    if (Plist::read(layer, "swing y time", swingMs, 0.0f)) {
        swingAmplitude = rotation.y;
        if (swingMs > 0.0f) {
            swingTime = swingMs;
            startSwing();
        } else {
            std::printf("BACKGROUND LAYER %s: SWING Y TIME %g IS NOT POSITIVE, NO SWING\n", label.c_str(),
                        static_cast<double>(swingMs));
        }
    }

    uniformScale = kLayerUniformScale;
    visible = false;
    active = false;
}

void OXVolleyBg::startSwing() {
    if (swingTime <= 0.0f) {
        return;
    }
    swingStep = 0;
    const SwingQuarter& quarter = kSwingQuarters[0];
    rotateTo(swingTime, {rotation.x, quarter.from * swingAmplitude, rotation.z},
             {rotation.x, quarter.to * swingAmplitude, rotation.z}, quarter.easing, this, swingStepDone);
}

bool OXVolleyBg::swingStepDone(void* target, int) {
    auto* layer = static_cast<OXVolleyBg*>(target);
    layer->swingStep = (layer->swingStep + 1) % 4;
    const SwingQuarter& quarter = kSwingQuarters[layer->swingStep];
    const Vec3& now = layer->rotation;
    layer->rotateTo(layer->swingTime, {now.x, quarter.from * layer->swingAmplitude, now.z},
                    {now.x, quarter.to * layer->swingAmplitude, now.z}, quarter.easing, layer, swingStepDone);
    return false;
}

Colour OXVolleyBg::drawnColour() const {
    Colour tint{};
    if (tintSource) {
        tint = *tintSource;
    } else if (parent) {
        tint = parent->getColour();
    }
    const Colour c{colour.r * tint.r, colour.g * tint.g, colour.b * tint.b, colour.a * tint.a};
    return {c.r * c.a, c.g * c.a, c.b * c.a, c.a * c.a};
}

void OXVolleyBg::draw() {
    // A layer without a texture would show whatever texture is bound.
    if (!visible || textureId < 0) {
        return;
    }
    const Colour c = drawnColour();
    const float vertexColour[4] = {c.r, c.g, c.b, c.a};
    prepareLayerState(blendMode);
    if (tubeRendering) {
        drawTube(vertexColour);
    } else {
        drawFlat(vertexColour);
    }
}

void OXVolleyBg::drawFlat(const float (&vertexColour)[4]) const {
    // Top left, top right, bottom left, bottom right.
    const float positions[] = {-0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, -0.5f, -0.5f, 0.0f, 0.5f, -0.5f, 0.0f};
    const float texCoords[] = {u(false), v(true), u(true), v(true), u(false), v(false), u(true), v(false)};
    float colours[16];
    for (int corner = 0; corner < 4; ++corner) {
        const bool top = corner < 2;
        copyColour(colours + 4 * corner, vertexColour, top ? fadeBack : fadeFront);
    }
    CXGfxManager::instance().drawStrip(4, positions, 0, colours, 0, texCoords, 0, textureId, matrix, program);
}

void OXVolleyBg::drawTube(const float (&vertexColour)[4]) const {
    float positions[kTubeVertices * 3];
    float colours[kTubeVertices * 4];
    float texCoords[kTubeVertices * 2];
    const float uLeft = u(false);
    const float uSpan = u(true) - uLeft;
    const float vBack = v(true);
    const float vFront = v(false);
    for (int ring = 0; ring <= kTubeSides; ++ring) {
        const float* section = kTubeSection[ring % kTubeSides];
        const float around = uLeft + uSpan * static_cast<float>(ring) / static_cast<float>(kTubeSides);
        for (int end = 0; end < 2; ++end) {
            const int vertex = ring * 2 + end;
            const bool front = end == 1;
            positions[vertex * 3] = front ? 0.5f : -0.5f;
            positions[vertex * 3 + 1] = section[0];
            positions[vertex * 3 + 2] = section[1];
            texCoords[vertex * 2] = around;
            texCoords[vertex * 2 + 1] = front ? vFront : vBack;
            copyColour(colours + vertex * 4, vertexColour, front ? fadeFront : fadeBack);
        }
    }
    CXGfxManager::instance().drawStrip(kTubeVertices, positions, 0, colours, 0, texCoords, 0, textureId,
                                       matrix, program);
}
