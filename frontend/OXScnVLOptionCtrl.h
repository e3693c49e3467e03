#pragma once

#include "frontend/CXControlBindings.h"
#include "frontend/OXScnVLMenu.h"

class OXButton;
class OXTextBox;

// Control settings: the four actions with the keys bound to them, and the movement mode.
// With the highlight on an action, any key but the navigation keys and accept becomes that
// action's key at once (an action that had it takes over the old one); left and right switch
// the movement mode. SAVE keeps the movement mode and saves; RESET TO DEFAULT restores the
// default keys and normal movement and saves; BACK leaves the movement mode as it was.
//
// The back key, with the highlight on an action, is bound like any other key, so every key
// can be given to every action; BACK and the back key elsewhere leave.
class OXScnVLOptionCtrl : public OXScnVLMenu {
  public:
    enum ButtonId { Save = 0, Back = 1, FirstBinding = 2, ResetToDefault = 10 };

    explicit OXScnVLOptionCtrl(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}

    void buildScene() override;
    bool enterStarted() override;
    void buttonPressed(int id) override;
    void backPressed() override;
    void keyEvent(int key, bool down) override;

    bool isScreenRelative() const { return screenRelative; }
    OXButton* getBinding(int action) const { return bindings[action]; }
    const OXTextBox* getMovement() const { return movement; }

  private:
    // The action whose button the highlight rests on, or -1.
    int highlightedAction() const;
    void showBindings();
    void showMovement();
    // The menus' accept and back follow the fire and trance bindings.
    void passKeysToMenus();

    bool screenRelative = false;                               // the movement mode shown, kept by SAVE
    OXButton* bindings[CXControlBindings::kActionCount] = {};  // all owned through objects
    OXTextBox* movement = nullptr;
};
