#include "frontend/OXScnVLOptionCtrl.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>

#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/ScreenParts.h"

namespace {
// No text here is smaller than the menus' smallest (a capital 8 pixels tall in a 640 x 480
// window), and all of it is in capitals: the font's small letters are smaller. A wide button's
// label clears the marks at its ends up to 12 characters, a small one's up to 6; a line holds
// at most 22.
constexpr int kTextSize = OXScnVLMenu::kSmallestTextSize;
constexpr int kLabelSize = OXScnVLMenu::kSmallestTextSize;
constexpr float kGuideY = 790.0f;
constexpr float kFirstRowY = 700.0f;
constexpr float kRowStep = 80.0f;
constexpr float kRowNameX = 96.0f;     // the rows' names, left-aligned: 11 characters end at 377
constexpr float kRowButtonX = 480.0f;  // their buttons: a key 395 to 565, the movement 300 to 660
constexpr float kNameDrop = 10.0f;     // a row's name sits level with its button's label
constexpr float kMovementHintY = 316.0f;
constexpr float kResetY = 240.0f;
constexpr float kSaveBackY = 150.0f;
const char* const kBindSound = "prize_pickup.caf";
const char* const kWaitText = "PRESS A KEY";
constexpr float kBlinkMs = 400.0f;  // the waiting row's text blinks at this half-period

std::string capitals(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

float rowY(int row) {
    return kFirstRowY - kRowStep * static_cast<float>(row);
}
}  // namespace

void OXScnVLOptionCtrl::buildScene() {
    addHeading("CONTROL SETTINGS");
    guide = addText("", kCentreX, kGuideY, kTextSize, OXTextBox::AlignCentre);
    guide->setColour(0.5f, 0.8f, 0.9f, 1);
    for (int action = 0; action < ControlBindings::kActionCount; ++action) {
        names[action] = addText("", kRowNameX, rowY(action) - kNameDrop, kTextSize, OXTextBox::AlignLeft);
        bindings[action] =
            addButton(FirstBinding + action, "", kRowButtonX, rowY(action), ScreenParts::kSmallButton);
        bindings[action]->setLabelSize(kLabelSize);
    }
    const float movementY = rowY(ControlBindings::kActionCount);
    addText("MOVEMENT", kRowNameX, movementY - kNameDrop, kTextSize, OXTextBox::AlignLeft);
    movement = addButton(Movement, "", kRowButtonX, movementY, ScreenParts::kWideButton);
    movement->setLabelSize(kLabelSize);
    addText("LEFT / RIGHT TO CHANGE", kCentreX, kMovementHintY, kTextSize, OXTextBox::AlignCentre)
        ->setColour(0.5f, 0.8f, 0.9f, 1);
    addButton(ResetToDefault, "USE DEFAULTS", kCentreX, kResetY, ScreenParts::kWideButton)
        ->setLabelSize(kLabelSize);
    addButton(Save, "SAVE", 270, kSaveBackY, ScreenParts::kSmallButton)->setLabelSize(kLabelSize);
    addButton(Back, "BACK", 498, kSaveBackY, ScreenParts::kSmallButton)->setLabelSize(kLabelSize);
    draft.enter(host.profile());
    showDraft();
    addKeyHints();
}

bool OXScnVLOptionCtrl::enterFinished() {
    const bool result = OXScnVLMenu::enterFinished();
    std::printf("CONTROL SETTINGS ON ROW %d\n", selectedIndex);
    return result;
}

bool OXScnVLOptionCtrl::enterStarted() {
    CXUserProfile& profile = host.profile();
    if (ControlBindings::repair(profile) > 0) {
        passKeysToMenus();
    }
    draft.enter(profile);
    swallowedKey = -1;
    showDraft();
    return OXScnVLMenu::enterStarted();
}

void OXScnVLOptionCtrl::update(float dtMs) {
    if (draft.tick(dtMs)) {
        std::printf("CONTROL WAIT RAN OUT\n");
        showDraft();
    }
    OXScnVLMenu::update(dtMs);
    const int action = draft.listeningAction();
    if (action >= 0) {
        const float elapsed = (1.0f - draft.listenLeft()) * ControlBindings::kListenMs;
        const bool lit = std::fmod(elapsed, 2.0f * kBlinkMs) < kBlinkMs;
        names[action]->setColour(1.0f, 0.85f, 0.3f, lit ? 1.0f : 0.45f);
    }
}

void OXScnVLOptionCtrl::keyNamesChanged() {
    OXScnVLMenu::keyNamesChanged();
    if (names[0]) {
        showDraft();
    }
}

void OXScnVLOptionCtrl::showDraft() {
    const int waiting = draft.listeningAction();
    for (int action = 0; action < ControlBindings::kActionCount; ++action) {
        names[action]->setText(action == waiting ? kWaitText
                                                 : capitals(ControlBindings::actionLabel(action)));
        names[action]->setColour(1, 1, 1, 1);
        bindings[action]->setLabelText(host.keyName(draft.code(action)));
    }
    movement->setLabelText(draft.isScreenRelative() ? "WITH SCREEN" : "NORMAL");
    if (waiting >= 0) {
        guide->setText("ARROW KEYS CANCEL");
    } else if (draft.differsFrom(host.profile())) {
        guide->setText("SAVE: KEEP. BACK: UNDO");
    } else {
        guide->setText("PICK A ROW, THEN A KEY");
    }
}

void OXScnVLOptionCtrl::passKeysToMenus() {
    const CXUserProfile& profile = host.profile();
    host.setMenuKeys(profile.bindingCode(ControlBindings::Fire),
                     profile.bindingCode(ControlBindings::Trance));
}

void OXScnVLOptionCtrl::toggleMovement() {
    draft.toggleMovement();
    std::printf("CONTROL MOVEMENT %s\n", draft.isScreenRelative() ? "SCREEN RELATIVE" : "NORMAL");
    showDraft();
}

bool OXScnVLOptionCtrl::onMovementRow() const {
    return highlight && highlight->isVisible() && selectedIndex >= 0 &&
           selectedIndex < static_cast<int>(selectables.size()) && selectables[selectedIndex] == movement;
}

void OXScnVLOptionCtrl::buttonPressed(int id) {
    if (id >= FirstBinding && id < FirstBinding + ControlBindings::kActionCount) {
        ScreenParts::playMenuSound(ScreenParts::MenuSound::Accept);
        draft.listen(id - FirstBinding);
        std::printf("CONTROL %s WAITS FOR A KEY\n", ControlBindings::actionLabel(id - FirstBinding));
        showDraft();
        return;
    }
    draft.stopListening();
    CXUserProfile& profile = host.profile();
    switch (id) {
        case Save:
            draft.writeTo(profile);
            profile.save();
            passKeysToMenus();
            std::printf("CONTROLS SAVED: %d %d %d %d, MOVEMENT %s\n", profile.controls[0],
                        profile.controls[1], profile.controls[2], profile.controls[3],
                        profile.controlScreenMode ? "SCREEN RELATIVE" : "NORMAL");
            host.switchToScene(kOptionScene);
            break;
        case Back:
            backPressed();
            break;
        case ResetToDefault:
            ScreenParts::playMenuSound(ScreenParts::MenuSound::Accept);
            draft.resetToDefault();
            showDraft();
            break;
        case Movement:
            toggleMovement();
            break;
        default:
            break;
    }
}

void OXScnVLOptionCtrl::backPressed() {
    // The draft is forgotten: the screen takes the profile again when it is next entered.
    draft.stopListening();
    host.switchToScene(kOptionScene);
}

void OXScnVLOptionCtrl::keyEvent(int key, bool down) {
    if (!down && key == swallowedKey) {
        swallowedKey = -1;  // it answered a wait; as accept or back it would act a second time
        return;
    }
    const int action = draft.listeningAction();
    if (action >= 0) {
        if (!down) {
            return;  // the release of a key pressed before the wait began
        }
        swallowedKey = key;
        const ControlBindings::Heard heard = draft.hear(key);
        if (heard == ControlBindings::Heard::Cancelled) {
            ScreenParts::playMenuSound(ScreenParts::MenuSound::Refuse);  // a key the screen keeps for itself
            std::printf("CONTROL %s WAIT CANCELLED BY KEY %d\n", ControlBindings::actionLabel(action), key);
        } else {
            std::printf("CONTROL %s %s KEY %d\n", ControlBindings::actionLabel(action),
                        heard == ControlBindings::Heard::Bound ? "TAKES" : "KEEPS", key);
        }
        showDraft();
        if (heard == ControlBindings::Heard::Bound) {
            if (OXTextBox* label = bindings[action]->getLabel()) {
                ScreenParts::pop(*label, 1.6f, false);
            }
            ScreenParts::playSound(kBindSound);
        }
        return;
    }
    if ((key == leftKey || key == rightKey) && key != acceptKey && key != backKey) {
        if (down && onMovementRow()) {
            toggleMovement();
        }
        return;
    }
    OXScene::keyEvent(key, down);
}
