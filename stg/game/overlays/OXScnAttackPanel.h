#pragma once

#include "engine/OXScene.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "stg/game/overlays/OverlayKit.h"

class CXGameSession;
class OXButton;
class OXTextBox;

// The end of an attack practice's attempt, over the stage: the attack's name, how it ended
// ("CAPTURED": beaten with no hit and no bomb; "CLEARED": beaten; "FAILED"), its time, and two
// buttons, "RETRY" (id 0: the same attack again at once) and "BACK" (id 1: the game ends into
// the results screen). Keys: the arrows move between the buttons, fire presses the highlighted
// one (RETRY when the panel comes), beam or trance goes back; a key counts only when the panel
// saw it pressed. A button pressed with the pointer sends its choice edge down the session's
// key path, so a replay records it.
class OXScnAttackPanel : public OXScene {
  public:
    enum ButtonId { RetryButton = 0, BackButton = 1 };
    static constexpr float kAppearMs = 250.0f;

    explicit OXScnAttackPanel(CXGameSession& owner) : session(owner) {}

    void buildScene() override;
    void update(float dtMs) override;
    void keyEvent(int key, bool down) override;
    void buttonPressed(int id) override;
    // What a button does, chosen by key or by its choice edge.
    void choose(int id);
    // Shown by the session with the attempt that ended.
    void appear(const OXScnBaseSTGGame::AttackAttempt& attempt);

    // The texts as shown: the attack's name, the outcome, the time.
    const OXTextBox* getNameText() const { return nameText; }
    const OXTextBox* getOutcomeText() const { return outcomeText; }
    const OXTextBox* getTimeText() const { return timeText; }
    const OXButton* getButton(int id) const { return id == RetryButton ? retryButton : backButton; }

  private:
    CXGameSession& session;
    OXSprite* backdrop = nullptr;  // all owned through objects
    OXTextBox* nameText = nullptr;
    OXTextBox* outcomeText = nullptr;
    OXTextBox* timeText = nullptr;
    OXTextBox* hintText = nullptr;
    OXButton* retryButton = nullptr;
    OXButton* backButton = nullptr;
    overlay::ButtonRow row;
    overlay::KeyLatch latch;
    bool chosen = false;  // one choice a showing
};
