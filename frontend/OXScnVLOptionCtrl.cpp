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
// window), and all of it is in capitals: the font's small letters are smaller. A small button's
// label clears the marks at its ends up to 6 characters, a wide one's up to 12, a row button's
// (as wide as a 16:9 view, x 96 to 672) up to 22; a line holds at most 22.
//
// One column, top down: the heading, the guide, the four actions (name left, key right), the
// MOVEMENT row, the controller's rows (name and setting on a row button), USE DEFAULTS, then
// SAVE and BACK above the key hints.
constexpr int kTextSize = OXScnVLMenu::kSmallestTextSize;
constexpr int kLabelSize = OXScnVLMenu::kSmallestTextSize;
constexpr float kCtrlHeadingY = 950.0f;
constexpr float kGuideY = 885.0f;
constexpr float kFirstRowY = 815.0f;
constexpr float kRowStep = 68.0f;      // a small button is 64 tall
constexpr float kRowNameX = 96.0f;     // the rows' names, left-aligned: 11 characters end at 377
constexpr float kRowButtonX = 480.0f;  // their buttons: a key 395 to 565
constexpr float kMovementX = 492.0f;   // the movement 312 to 672, clear of its name's end at 300
constexpr float kNameDrop = 10.0f;     // a row's name sits level with its button's label
constexpr float kFirstPadRowY = 470.0f;
constexpr float kPadRowStep = 60.0f;  // a row button is 56 tall
constexpr float kResetY = 200.0f;
constexpr float kSaveBackY = 125.0f;
constexpr const char* kRowButton = "assets/plist/btn_menu_row";
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

bool isSetting(int id) {
    return id == OXScnVLOptionCtrl::Movement ||
           (id >= OXScnVLOptionCtrl::DeadZone &&
            id < OXScnVLOptionCtrl::DeadZone + OXScnVLOptionCtrl::kPadRows);
}

std::string onOff(const char* name, bool on) {
    return std::string(name) + (on ? ": ON" : ": OFF");
}
}  // namespace

void OXScnVLOptionCtrl::buildScene() {
    addHeading("CONTROL SETTINGS", kCtrlHeadingY);
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
    movement = addButton(Movement, "", kMovementX, movementY, ScreenParts::kWideButton);
    movement->setLabelSize(kLabelSize);
    for (int row = 0; row < kPadRows; ++row) {
        padRows[row] = addButton(DeadZone + row, "", kCentreX,
                                 kFirstPadRowY - kPadRowStep * static_cast<float>(row), kRowButton);
        padRows[row]->setLabelSize(kLabelSize);
    }
    addButton(ResetToDefault, "USE DEFAULTS", kCentreX, kResetY, ScreenParts::kWideButton)
        ->setLabelSize(kLabelSize);
    addButton(Save, "SAVE", 270, kSaveBackY, ScreenParts::kSmallButton)->setLabelSize(kLabelSize);
    addButton(Back, "BACK", 498, kSaveBackY, ScreenParts::kSmallButton)->setLabelSize(kLabelSize);
    draft.enter(host.profile());
    showDraft();
    addKeyHints();
}

OXButton* OXScnVLOptionCtrl::getPadRow(int id) const {
    return id >= DeadZone && id < DeadZone + kPadRows ? padRows[id - DeadZone] : nullptr;
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
    unplugNoted = false;
    showDraft();
    return OXScnVLMenu::enterStarted();
}

void OXScnVLOptionCtrl::update(float dtMs) {
    if (draft.tick(dtMs)) {
        std::printf("CONTROL WAIT RAN OUT\n");
        showDraft();
    }
    OXScnVLMenu::update(dtMs);
    const char* wanted = guideText();
    if (wanted != guideShown) {  // the highlight moved between kinds of row
        guideShown = wanted;
        guide->setText(wanted);
    }
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
    padRows[0]->setLabelText("DEAD ZONE: " + std::to_string(draft.deadZonePercent()) + "%");
    padRows[1]->setLabelText(onOff("STICK MOVES", draft.stickMoves()));
    padRows[2]->setLabelText(onOff("RUMBLE", draft.rumbles()));
    padRows[3]->setLabelText(onOff("REPLAY RUMBLE", draft.rumblesInReplays()));
    guideShown = guideText();
    guide->setText(guideShown);
}

const char* OXScnVLOptionCtrl::guideText() const {
    if (draft.listeningAction() >= 0) {
        return "ARROWS / D-PAD CANCEL";
    }
    if (unplugNoted) {
        return "CONTROLLER UNPLUGGED";
    }
    if (isSetting(highlightedId())) {
        return "LEFT / RIGHT TO CHANGE";
    }
    return draft.differsFrom(host.profile()) ? "SAVE: KEEP. BACK: UNDO" : "PICK A ROW, THEN A KEY";
}

void OXScnVLOptionCtrl::passKeysToMenus() {
    const CXUserProfile& profile = host.profile();
    host.setMenuKeys(profile.bindingCode(ControlBindings::Fire),
                     profile.bindingCode(ControlBindings::Trance));
}

void OXScnVLOptionCtrl::changeSetting(int id, int direction) {
    switch (id) {
        case Movement:
            draft.toggleMovement();
            std::printf("CONTROL MOVEMENT %s\n", draft.isScreenRelative() ? "SCREEN RELATIVE" : "NORMAL");
            break;
        case DeadZone:
            if (!draft.stepDeadZone(direction)) {
                ScreenParts::playMenuSound(ScreenParts::MenuSound::Refuse);  // at its end already
                return;
            }
            std::printf("CONTROL PAD DEAD ZONE %d%%\n", draft.deadZonePercent());
            break;
        case StickMoves:
            draft.toggleStickMoves();
            std::printf("CONTROL PAD STICK MOVES %s\n", draft.stickMoves() ? "ON" : "OFF");
            break;
        case Rumble:
            draft.toggleRumble();
            std::printf("CONTROL RUMBLE %s\n", draft.rumbles() ? "ON" : "OFF");
            break;
        case RumbleInReplays:
            draft.toggleRumbleInReplays();
            std::printf("CONTROL RUMBLE IN REPLAYS %s\n", draft.rumblesInReplays() ? "ON" : "OFF");
            break;
        default:
            return;
    }
    ScreenParts::playMenuSound(ScreenParts::MenuSound::Move);
    showDraft();
}

int OXScnVLOptionCtrl::highlightedId() const {
    if (!highlight || !highlight->isVisible() || selectedIndex < 0 ||
        selectedIndex >= static_cast<int>(selectables.size())) {
        return -1;
    }
    const IXRenderObject* selected = selectables[selectedIndex];
    if (selected == movement) {
        return Movement;
    }
    for (int row = 0; row < kPadRows; ++row) {
        if (selected == padRows[row]) {
            return DeadZone + row;
        }
    }
    return -1;
}

void OXScnVLOptionCtrl::controllerChanged(bool connected) {
    const int action = draft.listeningAction();
    if (connected || action < 0) {
        return;  // a keyboard key can still answer a wait when a controller comes
    }
    draft.stopListening();
    unplugNoted = true;
    ScreenParts::playMenuSound(ScreenParts::MenuSound::Refuse);
    std::printf("CONTROL %s WAIT CANCELLED: CONTROLLER UNPLUGGED\n", ControlBindings::actionLabel(action));
    showDraft();
}

void OXScnVLOptionCtrl::buttonPressed(int id) {
    unplugNoted = false;
    if (isSetting(id)) {
        if (id != DeadZone) {
            changeSetting(id, 1);  // accept or a click turns a switch
            return;
        }
        // Accept or a click steps the dead zone up, round from its largest to its least.
        if (!draft.stepDeadZone(1)) {
            while (draft.stepDeadZone(-1)) {
            }
        }
        std::printf("CONTROL PAD DEAD ZONE %d%%\n", draft.deadZonePercent());
        showDraft();
        return;
    }
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
            std::printf(
                "CONTROLS SAVED: %d %d %d %d, MOVEMENT %s, PAD DEAD ZONE %d%%, STICK %s, RUMBLE %s, "
                "IN REPLAYS %s\n",
                profile.controls[0], profile.controls[1], profile.controls[2], profile.controls[3],
                profile.controlScreenMode ? "SCREEN RELATIVE" : "NORMAL", draft.deadZonePercent(),
                profile.padStickMoves ? "ON" : "OFF", profile.rumble ? "ON" : "OFF",
                profile.rumbleInReplays ? "ON" : "OFF");
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
    if (down) {
        unplugNoted = false;
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
        if (down) {
            changeSetting(highlightedId(), key == rightKey ? 1 : -1);
        }
        return;
    }
    OXScene::keyEvent(key, down);
}
