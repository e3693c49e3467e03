#include "engine/OXScene.h"

#include <algorithm>
#include <cmath>

#include "engine/BlendMode.h"
#include "engine/CXGfxManager.h"
#include "engine/OXSprite.h"
#include "engine/gl/IXGLDevice.h"

namespace {
constexpr float kSlideMs = 250.0f;
constexpr float kSlideEasing = 2.0f;
constexpr float kTintMs = 250.0f;
constexpr float kFadeInMs = 500.0f;
constexpr float kHighlightPulseMs = 500.0f;

bool exitFinishedCallback(void* scene, int) {
    return static_cast<OXScene*>(scene)->exitFinished();
}
bool enterFinishedCallback(void* scene, int) {
    return static_cast<OXScene*>(scene)->enterFinished();
}

// The highlight's endless pulse: each fade's end starts the other.
bool pulseDown(void* sprite, int);
bool pulseUp(void* sprite, int) {
    static_cast<OXSprite*>(sprite)->fadeTo(kHighlightPulseMs, 0.5f, 0.8f, 1.0f, sprite, pulseDown);
    return false;
}
bool pulseDown(void* sprite, int) {
    static_cast<OXSprite*>(sprite)->fadeTo(kHighlightPulseMs, 0.8f, 0.5f, 1.0f, sprite, pulseUp);
    return false;
}
}  // namespace

OXScene::OXScene() {
    uniformScale = 1.0f;
    scale = {1, 1, 1};
}

OXScene::~OXScene() {
    for (IXRenderObject* object : objects) {
        delete object;
    }
    for (IXRenderObject* overlay : overlays) {
        delete overlay;
    }
    objects.clear();
    overlays.clear();
    selectables.clear();
}

void OXScene::init() {
    load("");
    buildScene();
}

void OXScene::draw() {
    setupCamera();
    drawObjects();
    drawOverlays();
}

void OXScene::update(float dtMs) {
    IXTransformable::update(dtMs);
    for (IXRenderObject* object : objects) {
        if (object && object->isActive()) {
            object->tick(dtMs);
        }
    }
    for (IXRenderObject* overlay : overlays) {
        if (overlay && overlay->isActive()) {
            overlay->tick(dtMs);
        }
    }
}

void OXScene::setupCamera() {
    CXGfxManager& gfx = CXGfxManager::instance();
    const Vec3 halfView{viewWidth * 0.5f, viewHeight * 0.5f, 0.0f};
    if (orthographic) {
        gfx.setOrthographic(0.0f, viewWidth, 0.0f, viewHeight, -1024.0f, 1024.0f);
        gfx.lookAt(eye - halfView, centre - halfView, {0, 1, 0});
    } else {
        gfx.setPerspective(45.0f, viewWidth / viewHeight, 0.1f, 50000.0f);
        gfx.lookAt(eye - halfView, centre - halfView, {0, 0, -1});
    }
    glDevice().viewport(static_cast<int>(viewportOrigin.x), static_cast<int>(viewportOrigin.y),
                        static_cast<int>(viewportSize.x), static_cast<int>(viewportSize.y));
}

void OXScene::drawObjects() {
    for (IXRenderObject* object : objects) {
        if (object && object->isVisible()) {
            object->draw();
        }
    }
}

void OXScene::drawOverlays() {
    for (IXRenderObject* overlay : overlays) {
        if (overlay && overlay->isVisible()) {
            overlay->draw();
        }
    }
}

void OXScene::resetSelectables() {
    for (IXRenderObject* selectable : selectables) {
        selectable->resetActions();
        selectable->setScale(1, 1, 1);
    }
    std::fill(pointerOver.begin(), pointerOver.end(), 0);
    std::fill(pointerHolds.begin(), pointerHolds.end(), 0);
    pointerDown = false;
}

bool OXScene::enterFinished() {
    placeHighlightOnFirst();
    return false;
}

bool OXScene::exitFinished() {
    resetSelectables();
    visible = active = false;
    return false;
}

bool OXScene::enterStarted() {
    resetSelectables();
    placeHighlightOnFirst();
    return false;
}

void OXScene::keyEvent(int key, bool down) {
    // First match only, so accept wins even when another key shares its code.
    if (key == acceptKey) {
        if (!down) {
            acceptHighlighted();
        }
    } else if (key == upKey) {
        if (down) {
            selectPrevious();
        }
    } else if (key == downKey) {
        if (down) {
            selectNext();
        }
    } else if (key == backKey) {
        if (!down) {
            backPressed();
        }
    }
}

void OXScene::addObject(IXRenderObject* object) {
    if (!object) {
        return;
    }
    object->setParent(this);
    objects.push_back(object);
}

void OXScene::addOverlay(IXRenderObject* object) {
    if (!object) {
        return;
    }
    object->setParent(this);
    overlays.push_back(object);
}

void OXScene::addSelectable(IXRenderObject* object) {
    if (object) {
        selectables.push_back(object);
        pointerOver.push_back(0);
        pointerHolds.push_back(0);
    }
}

void OXScene::setHighlightSprite(const std::string& path) {
    if (highlight) {
        return;
    }
    highlight = new OXSprite();
    highlight->load(path);
    highlight->setBlendMode(BlendAdditive);
    highlight->setColour(0.5f, 1.0f, 0.75f, 0.85f);
    addObject(highlight);
    selectedIndex = 0;
    pulseUp(highlight, 0);
    highlight->setVisible(false);
    highlight->setActive(false);
}

void OXScene::setViewport(const Vec3& origin, const Vec3& extent) {
    viewportOrigin = origin;
    viewportSize = extent;
}

void OXScene::moveHighlightOnto(IXRenderObject* selectable) {
    const Vec3& target = selectable->getPosition();
    highlight->setPosition(target);
    const Vec3& own = highlight->getSize();
    const Vec3& other = selectable->getSize();
    highlight->setScale(other.x / own.x * 3.0f, other.y / own.y * 1.1f, 1.0f);
}

void OXScene::placeHighlightOnFirst() {
    if (!highlight) {
        return;
    }
    if (selectables.empty()) {
        highlight->setVisible(false);
        highlight->setActive(false);
        return;
    }
    selectedIndex = 0;
    moveHighlightOnto(selectables[0]);
    highlight->setVisible(true);
    highlight->setActive(true);
}

void OXScene::selectPrevious() {
    if (!highlight || selectables.empty()) {
        return;
    }
    const int count = static_cast<int>(selectables.size());
    for (int step = 0; step < count; ++step) {
        selectedIndex = selectedIndex == 0 ? count - 1 : selectedIndex - 1;
        if (selectables[selectedIndex]->isVisible()) {
            break;
        }
    }
    moveHighlightOnto(selectables[selectedIndex]);
}

void OXScene::selectNext() {
    if (!highlight || selectables.empty()) {
        return;
    }
    const int count = static_cast<int>(selectables.size());
    for (int step = 0; step < count; ++step) {
        selectedIndex = selectedIndex == count - 1 ? 0 : selectedIndex + 1;
        if (selectables[selectedIndex]->isVisible()) {
            break;
        }
    }
    moveHighlightOnto(selectables[selectedIndex]);
}

void OXScene::acceptHighlighted() {
    if (!highlight || !highlight->isVisible()) {
        return;
    }
    const float nx = highlight->getX() / viewWidth;
    const float ny = highlight->getY() / viewHeight;
    touchBeganAt(nx, ny);
    touchEndedAt(nx, ny);
}

bool OXScene::touchBeganAt(float nx, float ny) {
    const float x = viewWidth * nx;
    const float y = viewHeight * ny;
    bool hit = false;
    for (IXRenderObject* selectable : selectables) {
        if (selectable && selectable->isVisible() && selectable->containsPoint(x, y)) {
            selectable->touchBegan(x, y);
            hit = true;
        }
    }
    return hit;
}

bool OXScene::touchEndedAt(float nx, float ny) {
    const float x = viewWidth * nx;
    const float y = viewHeight * ny;
    bool hit = false;
    for (IXRenderObject* selectable : selectables) {
        if (selectable && selectable->isVisible() && selectable->containsPoint(x, y)) {
            selectable->touchEnded(x, y);
            hit = true;
        }
    }
    return hit;
}

void OXScene::slideFrom(float startX, float distance, void* target, ActionCallback callback) {
    setPosition(startX, 0.0f, 0.0f);
    updateMatrix();
    moveBy(kSlideMs, {distance, 0.0f, 0.0f}, kSlideEasing, target, callback);
}

void OXScene::transitionIn(void* target, ActionCallback callback, TransitionStyle style) {
    if (style == SlideFromLeft) {
        slideFrom(-viewWidth, viewWidth, target, callback);
    } else if (style == Tint) {
        tintTo(kTintMs, {1, 1, 1, 1}, {0, 0, 0, 1}, 1.0f, target, callback);
    } else {
        slideFrom(viewWidth, -viewWidth, target, callback);
    }
    enterStarted();
}

void OXScene::transitionOut(TransitionStyle style) {
    if (style == SlideToRight) {
        slideFrom(0.0f, viewWidth, this, exitFinishedCallback);
    } else if (style == Tint) {
        tintTo(kTintMs, {1, 1, 1, 1}, {0, 0, 0, 1}, 1.0f, this, exitFinishedCallback);
    } else {
        slideFrom(0.0f, -viewWidth, this, exitFinishedCallback);
    }
    exitStarted();
}

void OXScene::showWithTransition(TransitionStyle style) {
    if (style == SlideFromLeft) {
        slideFrom(-viewWidth, viewWidth, this, enterFinishedCallback);
    } else if (style == Tint) {
        tintTo(kTintMs, {1, 1, 1, 1}, {0, 0, 0, 1}, 1.0f, this, enterFinishedCallback);
    } else if (style == FadeIn) {
        fadeTo(kFadeInMs, 0.0f, 1.0f, 1.0f, this, enterFinishedCallback);
    } else {
        slideFrom(viewWidth, -viewWidth, this, enterFinishedCallback);
    }
    enterStarted();
}

Vec3 OXScene::viewPoint(float nx, float ny) const {
    // The camera stands at the eye less half the view: in orthographic scenes that point is
    // the view's lower-left corner, in perspective the middle of what it sees.
    const float cameraX = eye.x - viewWidth * 0.5f;
    const float cameraY = eye.y - viewHeight * 0.5f;
    if (orthographic) {
        return {cameraX + viewWidth * nx, cameraY + viewHeight * ny, 0.0f};
    }
    // In perspective the widgets stand on the plane z = 0, as far from the eye as it is from
    // that plane; the 45 degree view spans this much of it.
    const float spanY = 2.0f * std::fabs(eye.z) * std::tan(22.5f * 3.14159265f / 180.0f);
    const float spanX = viewHeight > 0.0f ? spanY * viewWidth / viewHeight : spanY;
    return {cameraX + (nx - 0.5f) * spanX, cameraY + (ny - 0.5f) * spanY, 0.0f};
}

void OXScene::pointerMoved(float nx, float ny) {
    const Vec3 at = viewPoint(nx, ny);
    for (size_t index = 0; index < selectables.size(); ++index) {
        IXRenderObject* selectable = selectables[index];
        if (pointerDown && pointerHolds[index]) {
            selectable->touchCancelled(at.x, at.y);  // the widgets' "moved while held"
        }
        const bool over = selectable->isVisible() && selectable->containsPoint(at.x, at.y);
        if (over && !pointerOver[index]) {
            pointerOver[index] = 1;
            selectable->touchEntered(at.x, at.y);
            if (highlight && highlight->isVisible() && !pointerDown) {
                selectedIndex = static_cast<int>(index);
                moveHighlightOnto(selectable);
            }
        } else if (!over && pointerOver[index]) {
            pointerOver[index] = 0;
            selectable->touchExited(at.x, at.y);
        }
    }
}

bool OXScene::pointerPressed(float nx, float ny) {
    pointerMoved(nx, ny);
    const Vec3 at = viewPoint(nx, ny);
    pointerDown = true;
    bool hit = false;
    for (size_t index = 0; index < selectables.size(); ++index) {
        IXRenderObject* selectable = selectables[index];
        if (selectable->isVisible() && selectable->containsPoint(at.x, at.y)) {
            pointerHolds[index] = 1;
            selectable->touchBegan(at.x, at.y);
            hit = true;
        }
    }
    return hit;
}

void OXScene::pointerReleased(float nx, float ny) {
    if (!pointerDown) {
        return;
    }
    pointerMoved(nx, ny);
    const Vec3 at = viewPoint(nx, ny);
    pointerDown = false;
    // A widget's release may switch scenes, which resets these flags: read them first.
    for (size_t index = 0; index < selectables.size(); ++index) {
        if (pointerHolds[index]) {
            pointerHolds[index] = 0;
            selectables[index]->touchEnded(at.x, at.y);
        }
    }
}
