#pragma once

#include "frontend/OXScnVLMenu.h"

class OXButton;
class OXSprite;
class OXTextBox;

// The difficulty: EASY (0), NORMAL (1), HARD (2) and EXTREME (3) set it and
// go on to the fighter select for a player who has never played, otherwise
// to the hangar. TUTORIAL (5) shows the controls; BACK (4) returns to the
// stage select in free play, else to the main menu. A player who has never
// played first sees a note pointing at the tutorial, closed with OK (6).
class OXScnVLDifficulty : public OXScnVLMenu {
  public:
    enum ButtonId { Easy = 0, Normal = 1, Hard = 2, Extreme = 3, Back = 4, Tutorial = 5, CloseNote = 6 };

    explicit OXScnVLDifficulty(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}
    void buildScene() override;
    bool enterStarted() override;
    void buttonPressed(int id) override;
    void backPressed() override;

  private:
    void showNote(bool show);

    OXButton* choices[6] = {};  // the screen's own buttons; owned through objects
    bool noteClosed = false;    // once closed it stays closed until the menus are rebuilt
};
