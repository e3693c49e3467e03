#pragma once

#include "engine/OXSprite.h"

// The boss's health gauge: a bar sprite held at its left and bottom edge, so
// that a horizontal scale between 0 and 1 shows the filled share. The HUD
// sets the scale from the boss's hit points.
class OXHealthBar : public OXSprite {
  public:
    void updateMatrix() override;
    // The filled share, clamped into 0 ... 1 (a value that is not a number shows empty).
    void setFill(float share);
    float getFill() const { return scale.x; }
};
