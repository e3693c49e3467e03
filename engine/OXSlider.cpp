#include "engine/OXSlider.h"

#include <algorithm>

OXSlider::~OXSlider() {
    delete knob;
}

void OXSlider::loadKnob(const std::string& path) {
    delete knob;
    knob = new OXSprite();
    knob->load(path);
    knob->setParent(parent);
    placeKnob();
}

void OXSlider::setParent(IXRenderObject* newParent) {
    OXSprite::setParent(newParent);
    // The track's matrix carries its picture's size: the knob sits in the
    // same scene beside it, not inside it.
    if (knob) {
        knob->setParent(newParent);
    }
}

void OXSlider::draw() {
    if (!visible) {
        return;
    }
    OXSprite::draw();
    if (knob) {
        knob->draw();
    }
}

void OXSlider::update(float dtMs) {
    OXSprite::update(dtMs);
    if (!knob) {
        return;
    }
    knob->setY(position.y);
    knob->setZ(position.z);
    knob->tick(dtMs);
    knob->updateMatrix();
    const float length = trackLength();
    if (length > 0.0f) {
        value = std::clamp((knob->getX() - trackLeft()) / length, 0.0f, 1.0f);
    }
}

void OXSlider::setValue(float newValue) {
    value = std::clamp(newValue, 0.0f, 1.0f);
    placeKnob();
}

void OXSlider::placeKnob() {
    if (knob) {
        knob->setPosition(trackLeft() + trackLength() * value, position.y, position.z);
        knob->updateMatrix();
    }
}

void OXSlider::followPointer(float x) {
    const float left = trackLeft();
    knob->setX(std::clamp(x, std::min(left, left + trackLength()), std::max(left, left + trackLength())));
    const float length = trackLength();
    if (length > 0.0f) {
        value = std::clamp((knob->getX() - left) / length, 0.0f, 1.0f);
    }
    knob->updateMatrix();
}

void OXSlider::touchBegan(float x, float y) {
    if (!knob || !knob->containsPoint(x, y)) {
        return;
    }
    dragging = true;
    knob->setFrame(1);  // the held look, when the knob has one
    followPointer(x);
}

void OXSlider::touchCancelled(float x, float) {
    if (knob && dragging) {
        followPointer(x);
    }
}

void OXSlider::touchEnded(float x, float) {
    if (!knob || !dragging) {
        return;
    }
    followPointer(x);
    dragging = false;
    knob->setFrame(0);
}
