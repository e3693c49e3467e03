#pragma once

#include "frontend/OXScnVLMenu.h"

// The main menu: ARCADE (0), BONUS (1), HIGHSCORES (4), OPTIONS (5), CREDITS (6),
// REPLAYS (7) and BACK (8). Back returns to the title and holds the music.
class OXScnVLMain : public OXScnVLMenu {
  public:
    enum ButtonId { Arcade = 0, Bonus = 1, HighScores = 4, Options = 5, Credits = 6, Replays = 7, Back = 8 };

    explicit OXScnVLMain(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}
    void buildScene() override;
    void buttonPressed(int id) override;
    void backPressed() override;
};
