#include "frontend/OXScnVLOptionCtrl.h"

#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/ScreenParts.h"

namespace {
constexpr float kFirstBindingY = 720.0f;
constexpr float kBindingStep = 80.0f;
const char* const kBindSound = "prize_pickup.caf";
}  // namespace

void OXScnVLOptionCtrl::buildScene() {
    addHeading("CONTROL SETTINGS");
    addText("CHOOSE AN ACTION AND PRESS ITS NEW KEY", kCentreX, 800, 22, 1)->setColour(0.5f, 0.8f, 0.9f, 1);
    for (int action = 0; action < CXControlBindings::kActionCount; ++action) {
        const float y = kFirstBindingY - kBindingStep * static_cast<float>(action);
        addText(CXControlBindings::actionLabel(action), 130, y - 10, ScreenParts::kRowSize, 0);
        OXButton* button = addButton(FirstBinding + action, "", 540, y, ScreenParts::kSmallButton);
        bindings[action] = button;
    }
    // Built with a text of its own, replaced when the screen is entered.
    movement = addText("MOVEMENT: ABSOLUTE", kCentreX, 370, ScreenParts::kRowSize, 1);
    addText("LEFT / RIGHT TO CHANGE", kCentreX, 330, 22, 1)->setColour(0.5f, 0.8f, 0.9f, 1);
    addButton(ResetToDefault, "RESET TO DEFAULT", kCentreX, 240, ScreenParts::kWideButton)->setLabelSize(30);
    addButton(Save, "SAVE", 270, 130, ScreenParts::kSmallButton);
    addButton(Back, "BACK", 498, 130, ScreenParts::kSmallButton);
    screenRelative = host.profile().controlScreenMode;
    showBindings();
    showMovement();
    addKeyHints();
}

bool OXScnVLOptionCtrl::enterStarted() {
    CXUserProfile& profile = host.profile();
    if (CXControlBindings::repair(profile) > 0) {
        passKeysToMenus();
    }
    screenRelative = profile.controlScreenMode;
    showBindings();
    showMovement();
    return OXScnVLMenu::enterStarted();
}

void OXScnVLOptionCtrl::showBindings() {
    const CXUserProfile& profile = host.profile();
    for (int action = 0; action < CXControlBindings::kActionCount; ++action) {
        bindings[action]->setLabelText(host.keyName(profile.controls[action]));
    }
}

void OXScnVLOptionCtrl::showMovement() {
    movement->setText(screenRelative ? "MOVEMENT: SCREEN RELATIVE" : "MOVEMENT: NORMAL");
}

void OXScnVLOptionCtrl::passKeysToMenus() {
    const CXUserProfile& profile = host.profile();
    host.setMenuKeys(profile.bindingCode(CXControlBindings::Fire),
                     profile.bindingCode(CXControlBindings::Trance));
}

int OXScnVLOptionCtrl::highlightedAction() const {
    if (!highlight || !highlight->isVisible() || selectedIndex < 0 ||
        selectedIndex >= static_cast<int>(selectables.size())) {
        return -1;
    }
    for (int action = 0; action < CXControlBindings::kActionCount; ++action) {
        if (selectables[selectedIndex] == bindings[action]) {
            return action;
        }
    }
    return -1;
}

void OXScnVLOptionCtrl::buttonPressed(int id) {
    CXUserProfile& profile = host.profile();
    switch (id) {
        case Save:
            profile.controlScreenMode = screenRelative;
            profile.save();
            host.switchToScene(kOptionScene);
            break;
        case Back:
            backPressed();
            break;
        case ResetToDefault:
            CXControlBindings::resetToDefault(profile);
            passKeysToMenus();
            screenRelative = false;
            profile.controlScreenMode = false;
            profile.save();
            showBindings();
            showMovement();
            break;
        default:
            break;  // a binding button waits for its key
    }
}

void OXScnVLOptionCtrl::backPressed() {
    host.switchToScene(kOptionScene);
}

void OXScnVLOptionCtrl::keyEvent(int key, bool down) {
    if (key == acceptKey || key == upKey || key == downKey) {
        OXScene::keyEvent(key, down);
        return;
    }
    if (key == leftKey || key == rightKey) {
        if (down) {
            screenRelative = !screenRelative;
            showMovement();
        }
        return;
    }
    const int action = highlightedAction();
    if (action < 0) {
        OXScene::keyEvent(key, down);
        return;
    }
    if (down && CXControlBindings::bind(host.profile(), action, key)) {
        showBindings();
        if (OXTextBox* label = bindings[action]->getLabel()) {
            ScreenParts::pop(*label, 1.6f, false);
        }
        ScreenParts::playSound(kBindSound);
        passKeysToMenus();
    }
}
