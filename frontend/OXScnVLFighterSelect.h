#pragma once

#include "frontend/OXScnVLMenu.h"

class OXButton;
class OXSprite;
class OXTextBox;

// A new player's first choice of fighter: FOCUS (0), TRACK (1) and WIDE (2)
// start the weapon, the missiles or the option pods at level 1, save the
// profile and start the stage. A note explaining the choice shows on entry
// until it is closed with OK (3).
class OXScnVLFighterSelect : public OXScnVLMenu {
  public:
    enum ButtonId { Focus = 0, Track = 1, Wide = 2, CloseNote = 3 };

    explicit OXScnVLFighterSelect(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}
    void buildScene() override;
    bool enterStarted() override;
    void buttonPressed(int id) override;
    void backPressed() override;

  private:
    void showNote(bool show);

    OXButton* fighters[3] = {};   // owned through objects
    OXTextBox* captions[3] = {};  // owned through objects
    bool noteClosed = false;      // once closed it stays closed until the menus are rebuilt
};
