#pragma once

#include "engine/OXScene.h"
#include "stg/game/overlays/OverlayKit.h"

class OXTextBox;

// "PAUSED": resume (with a 3-2-1 countdown) or end the game. Fire, or
// releasing pause again, resumes; beam or trance asks whether to end.
class OXScnBasePause : public OXScene {
  public:
    static constexpr float kAppearMs = 50.0f;
    static constexpr float kCountStepMs = 750.0f;  // each of "3", "2", "1"
    static constexpr int kCountFrom = 3;

    void buildScene() override;
    void update(float dtMs) override;
    void keyEvent(int key, bool down) override;
    // Shown by the session: fades in and offers the choices again.
    void appear();

    bool isCountingDown() const { return countdownLeft > 0.0f; }
    const OXTextBox* getCountdownText() const { return countdownText; }
    const OXTextBox* getHintText() const { return hintText; }

  private:
    void startCountdown();
    void showChoices(bool shown);

    OXTextBox* titleText = nullptr;  // all owned through objects
    OXTextBox* hintText = nullptr;
    OXTextBox* countdownText = nullptr;
    OXSprite* panel = nullptr;
    overlay::KeyLatch latch;
    float countdownLeft = 0.0f;  // ms until play resumes, 0 when not counting
    int shownDigit = 0;
};
