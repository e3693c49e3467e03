#include "engine/OXToggleButton.h"

#include "engine/OXScene.h"
#include "engine/OXTextBox.h"

void OXToggleButton::load(const std::string& path) {
    OXButton::load(path);
    flipOnDown = false;
}

void OXToggleButton::resetActions() {
    OXSprite::resetActions();
    hovered = false;
}

void OXToggleButton::setState(State value) {
    OXButton::setState(value);
    if (label) {
        const float level = value == Pressed ? 1.0f : 0.3f;
        label->setColour(level, level, level, 1.0f);
    }
}

void OXToggleButton::flip() {
    if (state == Normal) {
        setState(Pressed);
    } else if (state == Pressed) {
        setState(Normal);
    }
}

void OXToggleButton::touchBegan(float, float) {
    if (state == Disabled) {
        return;
    }
    if (flipOnDown) {
        flip();
    }
    if (delegate) {
        delegate->buttonDown(id);
    }
}

void OXToggleButton::touchCancelled(float, float) {
    if (state != Disabled && delegate) {
        delegate->buttonCancelled(id);
    }
}

void OXToggleButton::touchEntered(float, float) {
    hovered = true;
    if (state != Disabled) {
        growTo(growScale, 2.0f);
    }
}

void OXToggleButton::touchExited(float, float) {
    hovered = false;
    if (scale.x != 1.0f || scale.y != 1.0f) {
        growTo(1.0f, 1.0f);
    }
}

void OXToggleButton::touchEnded(float x, float y) {
    if (state == Disabled || !containsPoint(x, y)) {
        return;
    }
    if (!flipOnDown) {
        flip();
    }
    if (delegate) {
        delegate->buttonPressed(id);
    }
}
