#pragma once

#include "engine/OXScene.h"

class OXTextBox;

// "GAME OVER": fades in over 2000 ms, then the game ends.
class OXScnGameOver : public OXScene {
  public:
    static constexpr float kAppearMs = 2000.0f;

    void buildScene() override;
    void update(float dtMs) override;
    // Fades in; when done calls CXGameSession::gameOverFinished.
    void appear();

    const OXTextBox* getTitleText() const { return titleText; }

  private:
    static bool fadeDone(void* scene, int);

    OXTextBox* titleText = nullptr;  // owned through objects
    bool finishPending = false;      // the fade has ended; the session is told after this frame's update
};
