#pragma once

#include "engine/OXScene.h"
#include "stg/game/overlays/OverlayKit.h"

class OXTextBox;

// "CONTINUE?": fire takes a continue, beam or trance asks to end the game.
class OXScnBaseContinue : public OXScene {
  public:
    void buildScene() override;
    void keyEvent(int key, bool down) override;
    // Shown by the session with the continues left: rewrites "CONTINUES LEFT: %d".
    void setContinuesLeft(int count);

    const OXTextBox* getCountText() const { return countText; }
    const OXTextBox* getHintText() const { return hintText; }

  private:
    OXTextBox* countText = nullptr;  // owned through objects
    OXTextBox* hintText = nullptr;   // owned through objects
    overlay::KeyLatch latch;
    int continuesLeft = 0;
};
