#pragma once

#include "stg/game/overlays/OXScnChoicePrompt.h"

class OXTextBox;

// "CONTINUE?" with the continues left, the score the player has and the warning that a
// continue resets it to 0, and "YES" (takes a continue; disabled with none left) and "NO"
// (the end-game question).
class OXScnBaseContinue : public OXScnChoicePrompt {
  public:
    using OXScnChoicePrompt::OXScnChoicePrompt;

    void buildScene() override;
    void choose(int id) override;
    // Shown by the session with the continues left: rewrites "CONTINUES LEFT: %d" and the
    // game's score, which a continue gives up.
    void setContinuesLeft(int count);

    const OXTextBox* getCountText() const { return countText; }
    const OXTextBox* getScoreText() const { return scoreText; }

  private:
    OXTextBox* countText = nullptr;  // owned through objects
    OXTextBox* scoreText = nullptr;  // owned through objects
    int continuesLeft = 0;
};
