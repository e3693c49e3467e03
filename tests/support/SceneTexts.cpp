#include "tests/support/SceneTexts.h"

#include <cmath>

#include "engine/CXGfxManager.h"
#include "engine/CXTextBoxManager.h"
#include "engine/OXButton.h"
#include "engine/OXScene.h"
#include "engine/OXTextBox.h"

namespace scenetexts {

namespace {

void addTextsOf(const IXRenderObject* object, std::vector<const OXTextBox*>& texts) {
    if (const auto* box = dynamic_cast<const OXTextBox*>(object)) {
        texts.push_back(box);
    } else if (const auto* button = dynamic_cast<const OXButton*>(object)) {
        if (button->getLabel()) {
            texts.push_back(button->getLabel());
        }
    } else if (const auto* manager = dynamic_cast<const CXTextBoxManager*>(object)) {
        for (int index = 0; index < manager->boxCount(); ++index) {
            texts.push_back(manager->box(index));
        }
    }
}

// Normalised device coordinates of a world point through `projection`.
void project(const Mat4& projection, const Vec3& p, float& x, float& y) {
    const float* m = projection.m;
    const float cx = m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12];
    const float cy = m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13];
    const float cw = m[3] * p.x + m[7] * p.y + m[11] * p.z + m[15];
    x = cx / cw;
    y = cy / cw;
}

}  // namespace

std::vector<const OXTextBox*> textsOf(const OXScene& scene) {
    std::vector<const OXTextBox*> texts;
    for (const IXRenderObject* object : scene.getObjects()) {
        addTextsOf(object, texts);
    }
    return texts;
}

float capitalPixels(OXScene& scene, const OXTextBox& box) {
    scene.setupCamera();
    CXGfxManager& gfx = CXGfxManager::instance();
    const Mat4& world = box.getMatrix();
    // The first glyph's left edge, from the foot of its cell to the top.
    QuadCorner corners[4];
    box.glyphCorners(0, world, corners);
    const Vec3 top{corners[0].x, corners[0].y, corners[0].z};
    const Vec3 foot{corners[2].x, corners[2].y, corners[2].z};
    const auto at = [&](float share) {
        return Vec3{foot.x + (top.x - foot.x) * share, foot.y + (top.y - foot.y) * share,
                    foot.z + (top.z - foot.z) * share};
    };
    float x0, y0, x1, y1;
    project(gfx.getProjection(), at(kCapitalBottom), x0, y0);
    project(gfx.getProjection(), at(kCapitalTop), x1, y1);
    // Device coordinates span 2 across the viewport, which is the game area; the composite
    // magnifies the game image onto the window.
    const Vec3& viewport = scene.getViewportSize();
    int left = 0, bottom = 0, width = 0, height = 0;
    gfx.gameImageRect(left, bottom, width, height);
    const float magnify = static_cast<float>(height) / viewport.y;
    const float dx = (x1 - x0) * 0.5f * viewport.x * magnify;
    const float dy = (y1 - y0) * 0.5f * viewport.y * magnify;
    return std::hypot(dx, dy);
}

}  // namespace scenetexts
