#pragma once

#include "engine/OXScene.h"
#include "stg/game/overlays/OverlayKit.h"

class CXGameSession;
class OXButton;
class OXTextBox;

// "PAUSED" with two buttons, "RESUME" (id 1, a 3-2-1 countdown, then play) and "END GAME"
// (id 0, the end-game question), and under them the visibility options, which show at once on
// the stage behind: "BG DIM" (id 2, steps of 20 % from 0 to 80 %, then back to 0), "CONTRAST"
// (id 3) and "HITBOX" (id 4), each ON or OFF. RESUME and END GAME first write the game's
// settings, these included, back into the profile. Keys: the arrows move between the buttons,
// fire presses the highlighted one, releasing pause again resumes, beam or trance asks to end.
class OXScnBasePause : public OXScene {
  public:
    // The session whose game it shows (it outlives the overlay).
    explicit OXScnBasePause(CXGameSession& owner) : session(owner) {}
    enum ButtonId {
        EndGameButton = 0,
        ResumeButton = 1,
        DimmingButton = 2,
        ContrastButton = 3,
        HitboxButton = 4
    };
    static constexpr float kDimmingStep = 0.2f;
    static constexpr float kAppearMs = 50.0f;
    static constexpr float kCountStepMs = 750.0f;  // each of "3", "2", "1"
    static constexpr int kCountFrom = 3;

    void buildScene() override;
    void update(float dtMs) override;
    void keyEvent(int key, bool down) override;
    // A button pressed with the pointer: its choice edge goes the session's key path.
    void buttonPressed(int id) override;
    // What a button does, chosen by key or by its choice edge.
    void choose(int id);
    // Shown by the session: fades in and offers the choices again.
    void appear();
    // A line over the title, such as why the game paused by itself; appear() clears it.
    void showNote(const char* line);
    const OXTextBox* getNoteText() const { return noteText; }

    bool isCountingDown() const { return countdownLeft > 0.0f; }
    const OXTextBox* getCountdownText() const { return countdownText; }
    const OXButton* getButton(int id) const;

  private:
    CXGameSession& session;
    void startCountdown();
    void showChoices(bool shown);
    // The visibility buttons' labels from the session's options.
    void showVisibility();

    OXTextBox* titleText = nullptr;  // all owned through objects
    OXTextBox* countdownText = nullptr;
    OXTextBox* noteText = nullptr;
    OXSprite* panel = nullptr;
    OXButton* resumeButton = nullptr;
    OXButton* endButton = nullptr;
    OXButton* visibilityButtons[3] = {};  // dimming, contrast, hitbox
    overlay::ButtonRow row;
    overlay::KeyLatch latch;
    float countdownLeft = 0.0f;  // ms until play resumes, 0 when not counting
    int shownDigit = 0;
};
