#pragma once

#include "frontend/OXScnVLMenu.h"

// Casual (0) or normal (1) play, each a card button with a line about it;
// then the stage select in free play, the difficulty otherwise. BACK (2)
// returns to the main menu.
class OXScnVLModeSelect : public OXScnVLMenu {
  public:
    enum ButtonId { Casual = 0, Normal = 1, Back = 2 };

    explicit OXScnVLModeSelect(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}
    void buildScene() override;
    void buttonPressed(int id) override;
    void backPressed() override;
};
