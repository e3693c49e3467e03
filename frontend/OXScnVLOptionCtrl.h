#pragma once

#include "frontend/ControlBindings.h"
#include "frontend/OXScnVLMenu.h"

class OXButton;
class OXTextBox;

// Control settings: a row for each of the four actions with the key bound to it, a MOVEMENT row
// (NORMAL, or WITH SCREEN: turned with the screen's rotation), the controller's rows (DEAD ZONE
// in per cent, STICK MOVES, RUMBLE, REPLAY RUMBLE: rumble while a replay plays), USE DEFAULTS,
// SAVE and BACK. The screen navigates as every menu does until the player chooses an action's
// row (accept, or a click): the row then reads "PRESS A KEY" and the next key or controller
// button pressed becomes the action's key (an action that had it takes over the old one). The
// arrows and the d-pad cancel the wait, and so do a few seconds without a key and the
// controller being unplugged. Left and right change the highlighted MOVEMENT or controller
// row; accept or a click turns it to its next value (the dead zone goes round from its largest
// to its least).
//
// Every change stays in a draft until SAVE writes it into the profile, saves it and gives the
// menus the new accept and back keys; USE DEFAULTS fills the draft with the defaults; BACK
// leaves and the draft is forgotten. Until SAVE the screen obeys the keys the profile holds.
class OXScnVLOptionCtrl : public OXScnVLMenu {
  public:
    enum ButtonId {
        Save = 0,
        Back = 1,
        FirstBinding = 2,
        ResetToDefault = 10,
        Movement = 11,
        DeadZone = 12,
        StickMoves = 13,
        Rumble = 14,
        RumbleInReplays = 15
    };
    static constexpr int kPadRows = 4;  // DeadZone to RumbleInReplays

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
    // An unplugged controller cannot answer a wait: the wait ends, the draft as it was.
    void controllerChanged(bool connected) override;

    const ControlBindings& getDraft() const { return draft; }
    const OXTextBox* getRowName(int action) const { return names[action]; }
    OXButton* getBinding(int action) const { return bindings[action]; }
    OXButton* getMovement() const { return movement; }
    // A controller row's button, DeadZone to RumbleInReplays.
    OXButton* getPadRow(int id) const;
    const OXTextBox* getGuide() const { return guide; }

  private:
    // The id of the highlighted button, or -1.
    int highlightedId() const;
    // MOVEMENT or a controller row to its next (+1) or previous (-1) value.
    void changeSetting(int id, int direction);
    // The guide line for what is highlighted and waiting now.
    const char* guideText() const;
    // The rows' texts and the line under the heading, from the draft.
    void showDraft();
    // The menus' accept and back follow the fire and trance bindings.
    void passKeysToMenus();

    ControlBindings draft;
    // All owned through objects. A row's name reads "PRESS A KEY" while it waits.
    OXTextBox* names[ControlBindings::kActionCount] = {};
    OXButton* bindings[ControlBindings::kActionCount] = {};
    OXButton* movement = nullptr;
    OXButton* padRows[kPadRows] = {};
    OXTextBox* guide = nullptr;        // what the player can do now
    const char* guideShown = nullptr;  // the guide's text, one of the screen's own
    bool unplugNoted = false;          // the guide says a wait ended with the controller
    int swallowedKey = -1;             // the key that answered a wait: its release does nothing else
};
