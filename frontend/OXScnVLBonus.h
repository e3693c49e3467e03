#pragma once

#include "frontend/OXScnVLMenu.h"

// The bonus modes: BOSS RUSH (0) and FREE PLAY (1) choose the game mode and
// lead on to the mode select; PRACTICE (3) leads to the practice screen, which
// chooses its own; BACK (2) returns to the main menu.
class OXScnVLBonus : public OXScnVLMenu {
  public:
    enum ButtonId { BossRush = 0, FreePlay = 1, Back = 2, Practice = 3 };

    explicit OXScnVLBonus(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}
    void buildScene() override;
    void buttonPressed(int id) override;
    void backPressed() override;
};
