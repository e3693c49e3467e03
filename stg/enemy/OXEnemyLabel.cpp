#include "stg/enemy/OXEnemyLabel.h"

#include <cstdio>

void OXEnemyLabel::open(float textSize, int alignment, const Colour& value, float alpha, float) {
    textSize_ = textSize;
    alignment_ = alignment;
    colour = value;
    alpha_ = alpha;
    pulseCount = 0;
    text[0] = '\0';
    open_ = true;
    shown = true;
}

void OXEnemyLabel::close() {
    open_ = false;
    shown = false;
}

void OXEnemyLabel::setText(const char* value) {
    std::snprintf(text, sizeof text, "%s", value);
}

void OXEnemyLabel::setShown(bool value, float alphaWhenShown) {
    shown = value;
    if (value) {
        alpha_ = alphaWhenShown;
    }
}

void OXEnemyLabel::pulse(float, float, float, float alpha, float, float) {
    alpha_ = alpha;
    ++pulseCount;
}
