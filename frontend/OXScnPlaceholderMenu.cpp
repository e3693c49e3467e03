#include "frontend/OXScnPlaceholderMenu.h"

#include <algorithm>

#include "engine/gl/IXGLDevice.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"

namespace {
// One colour per screen, so a slide between two screens is easy to follow.
const Colour kPanelColours[] = {
    {0.10f, 0.45f, 0.80f, 1}, {0.80f, 0.35f, 0.15f, 1}, {0.25f, 0.65f, 0.30f, 1}, {0.60f, 0.25f, 0.70f, 1},
    {0.75f, 0.65f, 0.15f, 1}, {0.15f, 0.60f, 0.60f, 1}, {0.70f, 0.20f, 0.35f, 1}, {0.40f, 0.40f, 0.75f, 1},
    {0.55f, 0.50f, 0.35f, 1}, {0.30f, 0.50f, 0.55f, 1}, {0.65f, 0.45f, 0.55f, 1}, {0.45f, 0.30f, 0.20f, 1},
    {0.35f, 0.55f, 0.20f, 1}, {0.20f, 0.30f, 0.60f, 1},
};

// Fills a rectangle given in scene units, moved with the scene, through the
// scissor test. Cleared pixels ignore blending, which a placeholder can live with.
void fillSceneRect(const OXScene& scene, float x0, float y0, float x1, float y1, const Colour& colour) {
    const float left = scene.getEye().x - scene.getViewWidth() * 0.5f - scene.getX();
    const float bottom = scene.getEye().y - scene.getViewHeight() * 0.5f - scene.getY();
    const float toPixelsX = scene.getViewportSize().x / scene.getViewWidth();
    const float toPixelsY = scene.getViewportSize().y / scene.getViewHeight();
    const int px = static_cast<int>(scene.getViewportOrigin().x + (x0 - left) * toPixelsX);
    const int py = static_cast<int>(scene.getViewportOrigin().y + (y0 - bottom) * toPixelsY);
    const int width = static_cast<int>((x1 - x0) * toPixelsX);
    const int height = static_cast<int>((y1 - y0) * toPixelsY);
    if (width <= 0 || height <= 0) {
        return;
    }
    IXGLDevice& gl = glDevice();
    gl.enable(GL_SCISSOR_TEST);
    gl.scissor(px, py, width, height);
    gl.clearColor(colour.r, colour.g, colour.b, colour.a);
    gl.clear(GL_COLOR_BUFFER_BIT);
    gl.disable(GL_SCISSOR_TEST);
}
}  // namespace

OXScnPlaceholderMenu::OXScnPlaceholderMenu(IXMenuHost& menuHost, int sceneIndex)
    : host(menuHost), index(sceneIndex) {}

void OXScnPlaceholderMenu::drawObjects() {
    const int colourCount = static_cast<int>(sizeof(kPanelColours) / sizeof(kPanelColours[0]));
    const Colour& panel = kPanelColours[std::min(index, colourCount - 1)];
    fillSceneRect(*this, 84, 212, 684, 812, panel);
    // index + 1 marks along the top of the panel
    for (int mark = 0; mark <= index; ++mark) {
        const float x = 114.0f + mark * 38.0f;
        fillSceneRect(*this, x, 740, x + 26, 782, {0.95f, 0.95f, 0.95f, 1});
    }
    OXScene::drawObjects();
}

void OXScnPlaceholderMenu::backPressed() {
    host.switchToScene(kMainScene);
}
