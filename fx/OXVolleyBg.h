#pragma once

#include <string>

#include "data/Plist.h"
#include "engine/OXScrollingSprite.h"

// One layer of a layered background: a scrolling texture drawn flat or as an
// eight-sided tube, spinning, optionally swinging about y, with one edge
// optionally faded to nothing. Described by a "bg %d" dictionary of a
// background file.
class OXVolleyBg : public OXScrollingSprite {
  public:
    static constexpr int kTubeSides = 8;
    static constexpr int kTubeVertices = (kTubeSides + 1) * 2;

    // Sets the layer up from its dictionary: the sprite "assets/plist/" +
    // "filename", scroll, spin, placement as a fraction of the scene's
    // `sceneWidth` x `sceneHeight`, depth, blend, alpha, scale and rotation
    // ("rotate x/y/z" default to `rotationDefault` degrees), the swing and the
    // tube and fade flags. The layer gets a uniform scale of 0.5 and starts
    // invisible and inactive. `label` names the layer in console messages.
    void loadLayer(const Plist::Dictionary& layer, float sceneWidth, float sceneHeight, float rotationDefault,
                   const std::string& label);
    void draw() override;

    // The colour every vertex is multiplied by besides the layer's own; not
    // owned. Without one the parent's colour is used.
    void setTintSource(const Colour* source) { tintSource = source; }
    // Starts the endless swing about y: amplitude → 0 → −amplitude → 0 → amplitude,
    // each quarter `swingTime` ms.
    void startSwing();

    float getSwingAmplitude() const { return swingAmplitude; }  // degrees
    float getSwingTime() const { return swingTime; }            // ms per quarter swing
    // The colour the layer is drawn with: its own times the tint, RGB premultiplied by alpha.
    Colour drawnColour() const;

  private:
    static bool swingStepDone(void* layer, int);
    void drawFlat(const float (&vertexColour)[4]) const;
    void drawTube(const float (&vertexColour)[4]) const;

    bool tubeRendering = false;
    bool fadeBack = false;        // flat: top edge transparent; tube: the x = -0.5 end
    bool fadeFront = false;       // flat: bottom edge transparent; tube: the x = +0.5 end
    float swingAmplitude = 0.0f;  // degrees about y
    float swingTime = 0.0f;       // ms per quarter swing; 0 for no swing
    int swingStep = 0;            // the quarter running, 0 to 3
    const Colour* tintSource = nullptr;
};
