#pragma once

#include "engine/Vector.h"

// The line of text over a large or friendly enemy: its hit points as a
// percentage, "DOWN", or "DELTA FLIGHT". The enemy decides what it says and
// when it shows; a text box (or the enemy's own OXEnemyLabel) shows it.
class IXEnemyLabel {
  public:
    virtual ~IXEnemyLabel() = default;

    // Shown: `textSize` units high, aligned as text boxes take `alignment`,
    // fading in from alpha 0 to `alpha` over `fadeMs`.
    virtual void open(float textSize, int alignment, const Colour& colour, float alpha, float fadeMs) = 0;
    virtual void close() = 0;
    virtual void setText(const char* text) = 0;
    virtual void setColour(const Colour& colour) = 0;
    virtual void setPosition(const Vec3& at) = 0;
    // The blink: shown at `alpha`, or hidden.
    virtual void setShown(bool shown, float alpha) = 0;
    // Draws the eye when the hit points drop low: the scale eases from
    // `fromScale` back to 1 over `scaleMs`, the alpha from 0 to `alpha` over `fadeMs`.
    virtual void pulse(float fromScale, float scaleMs, float scaleEasing, float alpha, float fadeMs,
                       float fadeEasing) = 0;
};
