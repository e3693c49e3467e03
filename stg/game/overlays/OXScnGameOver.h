#pragma once

#include "engine/OXScene.h"

class OXSprite;
class OXTextBox;

// "GAME OVER": the panel and its title stand over the field at once, opaque, while the
// backdrop darkens the rest of the field over 2000 ms; then the game ends.
class OXScnGameOver : public OXScene {
  public:
    static constexpr float kAppearMs = 2000.0f;

    void buildScene() override;
    void update(float dtMs) override;
    // Shows the panel and fades the backdrop in; when done calls CXGameSession::gameOverFinished.
    void appear();

    const OXSprite* getBackdrop() const { return backdrop; }

  private:
    static bool fadeDone(void* scene, int);

    OXTextBox* titleText = nullptr;  // owned through objects
    OXSprite* backdrop = nullptr;    // owned through objects
    bool finishPending = false;      // the fade has ended; the session is told after this frame's update
};
