#include "frontend/OXScnVLOptionCtrl.h"

#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/KeyNames.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/ScreenParts.h"

namespace {
constexpr float kFirstBindingY = 720.0f;
constexpr float kBindingStep = 80.0f;
const char* const kBindSound = "prize_pickup.caf";
}  // namespace

using ScreenParts::addButton;
using ScreenParts::addText;

void OXScnVLOptionCtrl::buildScene() {
    OXTextBox* title = ScreenParts::addTitle(*this, "CONTROL SETTINGS");
    title->setCharSize(60);
    addText(*this, "CHOOSE AN ACTION AND PRESS ITS NEW KEY", ScreenParts::kCentreX, 800, 22, 1)
        ->setColour(0.5f, 0.8f, 0.9f, 1);
    for (int action = 0; action < CXControlBindings::kActionCount; ++action) {
        const float y = kFirstBindingY - kBindingStep * static_cast<float>(action);
        addText(*this, CXControlBindings::actionLabel(action), 130, y - 10, ScreenParts::kRowSize, 0);
        OXButton* button = addButton(*this, ScreenParts::kSmallButton, FirstBinding + action, 540, y, "");
        bindings[action] = button;
    }
    // Built with a text of its own, replaced when the screen is entered.
    movement = addText(*this, "MOVEMENT: ABSOLUTE", ScreenParts::kCentreX, 370, ScreenParts::kRowSize, 1);
    addText(*this, "LEFT / RIGHT TO CHANGE", ScreenParts::kCentreX, 330, 22, 1)
        ->setColour(0.5f, 0.8f, 0.9f, 1);
    addButton(*this, ScreenParts::kWideButton, ResetToDefault, ScreenParts::kCentreX, 240, "RESET TO DEFAULT")
        ->setLabelSize(30);
    addButton(*this, ScreenParts::kSmallButton, Save, 270, 130, "SAVE");
    addButton(*this, ScreenParts::kSmallButton, Back, 498, 130, "BACK");
    screenRelative = menuHost.profile().controlScreenMode;
    showBindings();
    showMovement();
}

bool OXScnVLOptionCtrl::enterStarted() {
    CXUserProfile& profile = menuHost.profile();
    if (CXControlBindings::repair(profile) > 0) {
        passKeysToMenus();
    }
    screenRelative = profile.controlScreenMode;
    showBindings();
    showMovement();
    return OXScene::enterStarted();
}

void OXScnVLOptionCtrl::showBindings() {
    const CXUserProfile& profile = menuHost.profile();
    for (int action = 0; action < CXControlBindings::kActionCount; ++action) {
        bindings[action]->setLabelText(KeyNames::name(profile.controls[action]));
    }
}

void OXScnVLOptionCtrl::showMovement() {
    movement->setText(screenRelative ? "MOVEMENT: SCREEN RELATIVE" : "MOVEMENT: NORMAL");
}

void OXScnVLOptionCtrl::passKeysToMenus() {
    const CXUserProfile& profile = menuHost.profile();
    menuHost.setMenuKeys(profile.bindingCode(CXControlBindings::Fire),
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
    CXUserProfile& profile = menuHost.profile();
    switch (id) {
        case Save:
            profile.controlScreenMode = screenRelative;
            profile.save();
            menuHost.switchToScene(kOptionScene);
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
    menuHost.switchToScene(kOptionScene);
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
    if (down && CXControlBindings::bind(menuHost.profile(), action, key)) {
        showBindings();
        if (OXTextBox* label = bindings[action]->getLabel()) {
            ScreenParts::pop(*label, 1.6f, false);
        }
        ScreenParts::playSound(kBindSound);
        passKeysToMenus();
    }
}
