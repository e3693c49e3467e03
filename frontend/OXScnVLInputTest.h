#pragma once

#include "frontend/OXScnVLMenu.h"

class OXSprite;
class OXTextBox;

// The input self-test: every key or controller button press lights a small white square and
// moves a marker one step along a track, on the very next frame drawn. Filmed with a phone
// camera together with the hand on the keys or pad, the frames between the press and the light
// are the whole chain's delay: keyboard or pad, the game, the display. The square stays small
// and lit briefly, so rapid presses never light a large area. The back key (or the pad's back
// button, which arrives as that key) leaves for the options.
class OXScnVLInputTest : public OXScnVLMenu {
  public:
    // How long the square stays lit after a press, and the marker's stops along its track.
    static constexpr float kLitMs = 100.0f;
    static constexpr int kMarkerSteps = 10;

    explicit OXScnVLInputTest(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}

    void buildScene() override;
    bool enterStarted() override;
    void update(float dtMs) override;
    void backPressed() override;
    void keyEvent(int key, bool down) override;

    bool isSquareLit() const;
    // The marker's stop, 0 to kMarkerSteps - 1; it goes round.
    int getMarkerStep() const { return markerStep; }

  private:
    // Each entry starts with the square dark, the marker at its first stop and no press counted.
    void startDark();
    void placeMarker();

    OXSprite* square = nullptr;  // owned through objects
    OXSprite* track = nullptr;
    OXSprite* marker = nullptr;
    OXTextBox* pressCount = nullptr;
    float litMs = 0.0f;
    int markerStep = 0;
    int presses = 0;
};
