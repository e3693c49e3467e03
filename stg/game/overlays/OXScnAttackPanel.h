#pragma once

#include "stg/game/OXScnBaseSTGGame.h"
#include "stg/game/overlays/OXScnChoicePrompt.h"

class OXTextBox;

// The end of an attack practice's attempt, over the stage: the attack's name, how it ended
// ("CAPTURED": beaten with no hit and no bomb; "CLEARED": beaten; "FAILED"), its time, and two
// buttons, "RETRY" (id 0: the same attack again at once) and "BACK" (id 1: the game ends into
// the results screen). Keys: the arrows move between the buttons, fire presses the highlighted
// one (RETRY when the panel comes), beam or trance goes back; a key counts only when the panel
// saw it pressed. A button pressed with the pointer sends its choice edge down the session's
// key path, so a replay records it.
class OXScnAttackPanel : public OXScnChoicePrompt {
  public:
    enum ButtonId { RetryButton = YesButton, BackButton = NoButton };
    static constexpr float kAppearMs = 250.0f;

    using OXScnChoicePrompt::OXScnChoicePrompt;

    void buildScene() override;
    void choose(int id) override;
    // Shown by the session with the attempt that ended.
    void appear(const OXScnBaseSTGGame::AttackAttempt& attempt);

    // The texts as shown: the attack's name, the outcome, the time.
    const OXTextBox* getNameText() const { return nameText; }
    const OXTextBox* getOutcomeText() const { return outcomeText; }
    const OXTextBox* getTimeText() const { return timeText; }

  private:
    OXSprite* backdrop = nullptr;  // all owned through objects
    OXTextBox* nameText = nullptr;
    OXTextBox* outcomeText = nullptr;
    OXTextBox* timeText = nullptr;
    OXTextBox* hintText = nullptr;
    bool chosen = false;  // one choice a showing
};
