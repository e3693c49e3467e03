#pragma once

#include "engine/OXButton.h"

// A button that flips between on (state 2) and off (state 1), on the press
// or on the release as its owner chooses. The label is lit only while on.
class OXToggleButton : public OXButton {
  public:
    void load(const std::string& path) override;
    // Keeps the on or off state: only the hover is forgotten.
    void resetActions() override;
    void setState(State value) override;

    void touchBegan(float x, float y) override;
    void touchCancelled(float x, float y) override;
    // The pointer's hover grows the toggle but leaves its state alone.
    void touchEntered(float x, float y) override;
    void touchExited(float x, float y) override;
    void touchEnded(float x, float y) override;

    void setFlipOnDown(bool value) { flipOnDown = value; }
    bool getFlipOnDown() const { return flipOnDown; }
    bool isOn() const { return state == Pressed; }

  private:
    void flip();

    bool flipOnDown = false;
};
