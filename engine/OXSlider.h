#pragma once

#include <string>

#include "engine/OXSprite.h"

// A track sprite with a knob that holds a value from 0 to 1. The track's
// usable length is its width times its x scale, centred on its x position;
// value 0 puts the knob at the left end. The knob is dragged with the pointer
// or stepped by the owner.
class OXSlider : public OXSprite {
  public:
    OXSlider() = default;
    ~OXSlider() override;

    // The knob sprite (without ".plist"). Without a knob the slider ignores
    // the pointer and keeps its value.
    void loadKnob(const std::string& path);
    void setParent(IXRenderObject* newParent) override;
    void draw() override;
    // Keeps the knob on the track and reads the value from where it sits.
    void update(float dtMs) override;

    void setValue(float value);
    float getValue() const { return value; }
    void stepUp(float step) { setValue(value + step); }
    void stepDown(float step) { setValue(value - step); }

    void touchBegan(float x, float y) override;
    // The pointer moved while held down.
    void touchCancelled(float x, float y) override;
    void touchEnded(float x, float y) override;

    OXSprite* getKnob() const { return knob; }
    bool isDragging() const { return dragging; }
    float trackLength() const { return size.x * scale.x; }
    float trackLeft() const { return position.x - trackLength() * 0.5f; }

  private:
    void placeKnob();
    void followPointer(float x);

    OXSprite* knob = nullptr;  // owned
    float value = 0.0f;
    bool dragging = false;
};
