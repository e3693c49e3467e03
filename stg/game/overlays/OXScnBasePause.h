#pragma once

#include "engine/OXScene.h"
#include "stg/game/overlays/OverlayKit.h"

class OXButton;
class OXTextBox;

// "PAUSED" with two buttons, "RESUME" (id 1, a 3-2-1 countdown, then play) and "END GAME"
// (id 0, the end-game question). Both first write the game's settings back into the profile.
// Keys: the arrows move between the buttons, fire presses the highlighted one, releasing
// pause again resumes, beam or trance asks to end.
class OXScnBasePause : public OXScene {
  public:
    enum ButtonId { EndGameButton = 0, ResumeButton = 1 };
    static constexpr float kAppearMs = 50.0f;
    static constexpr float kCountStepMs = 750.0f;  // each of "3", "2", "1"
    static constexpr int kCountFrom = 3;

    void buildScene() override;
    void update(float dtMs) override;
    void keyEvent(int key, bool down) override;
    void buttonPressed(int id) override;
    // Shown by the session: fades in and offers the choices again.
    void appear();

    bool isCountingDown() const { return countdownLeft > 0.0f; }
    const OXTextBox* getCountdownText() const { return countdownText; }
    const OXButton* getButton(int id) const { return id == ResumeButton ? resumeButton : endButton; }

  private:
    void startCountdown();
    void showChoices(bool shown);

    OXTextBox* titleText = nullptr;  // all owned through objects
    OXTextBox* countdownText = nullptr;
    OXSprite* panel = nullptr;
    OXButton* resumeButton = nullptr;
    OXButton* endButton = nullptr;
    overlay::ButtonRow row;
    overlay::KeyLatch latch;
    float countdownLeft = 0.0f;  // ms until play resumes, 0 when not counting
    int shownDigit = 0;
};
