#pragma once

#include "frontend/ControlBindings.h"
#include "frontend/OXScnVLMenu.h"

class OXButton;
class OXTextBox;

// Control settings: a row for each of the four actions with the key bound to it, a MOVEMENT row
// (NORMAL, or WITH SCREEN: turned with the screen's rotation), USE DEFAULTS, SAVE and BACK. The
// screen navigates as every menu does until the player chooses an action's row (accept, or a
// click): the row then reads "PRESS A KEY" and the next key pressed becomes the action's key (an
// action that had it takes over the old one). The arrows cancel the wait, and so does a few
// seconds without a key. Left and right switch the movement mode on the MOVEMENT row only.
//
// Every change stays in a draft until SAVE writes it into the profile, saves it and gives the
// menus the new accept and back keys; USE DEFAULTS fills the draft with the defaults; BACK
// leaves and the draft is forgotten. Until SAVE the screen obeys the keys the profile holds.
class OXScnVLOptionCtrl : public OXScnVLMenu {
  public:
    enum ButtonId { Save = 0, Back = 1, FirstBinding = 2, ResetToDefault = 10, Movement = 11 };

    explicit OXScnVLOptionCtrl(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}

    void buildScene() override;
    bool enterStarted() override;
    void keyNamesChanged() override;
    // Says on the console which row the highlight starts on.
    bool enterFinished() override;
    void update(float dtMs) override;
    void buttonPressed(int id) override;
    void backPressed() override;
    void keyEvent(int key, bool down) override;

    const ControlBindings& getDraft() const { return draft; }
    const OXTextBox* getRowName(int action) const { return names[action]; }
    OXButton* getBinding(int action) const { return bindings[action]; }
    OXButton* getMovement() const { return movement; }

  private:
    bool onMovementRow() const;
    void toggleMovement();
    // The rows' texts and the line under the heading, from the draft.
    void showDraft();
    // The menus' accept and back follow the fire and trance bindings.
    void passKeysToMenus();

    ControlBindings draft;
    // All owned through objects. A row's name reads "PRESS A KEY" while it waits.
    OXTextBox* names[ControlBindings::kActionCount] = {};
    OXButton* bindings[ControlBindings::kActionCount] = {};
    OXButton* movement = nullptr;
    OXTextBox* guide = nullptr;  // what the player can do now
    int swallowedKey = -1;       // the key that answered a wait: its release does nothing else
};
