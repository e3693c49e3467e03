#pragma once

#include "stg/game/overlays/OXScnChoicePrompt.h"

// "ARE YOU SURE" with "YES" (the game is over: the game-over screen, then the results) and
// "NO" (back to the overlay that asked). Each showing starts with "NO" highlighted.
class OXScnEndGameConfirm : public OXScnChoicePrompt {
  public:
    using OXScnChoicePrompt::OXScnChoicePrompt;

    void buildScene() override;
    void update(float dtMs) override;
    void choose(int id) override;

  private:
    bool wasShown = false;  // false until the first frame of each showing
};
