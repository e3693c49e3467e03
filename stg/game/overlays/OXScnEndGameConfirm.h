#pragma once

#include "engine/OXScene.h"
#include "stg/game/overlays/OverlayKit.h"

class OXTextBox;

// "ARE YOU SURE": fire ends the game; beam or trance returns to the overlay
// that asked.
class OXScnEndGameConfirm : public OXScene {
  public:
    void buildScene() override;
    void update(float dtMs) override;
    void keyEvent(int key, bool down) override;

    const OXTextBox* getHintText() const { return hintText; }

  private:
    OXTextBox* hintText = nullptr;  // owned through objects
    overlay::KeyLatch latch;
    bool wasShown = false;  // false until the first frame of each showing
};
