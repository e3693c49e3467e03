#include "frontend/OXScnVLTitle.h"

#include <utility>

#include "data/CXUserProfile.h"
#include "data/GameVersion.h"
#include "engine/OXButton.h"
#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"

namespace {
constexpr float kPromptScale = 0.92f;
constexpr float kVersionRight = 664.0f, kVersionY = 992.0f;
}  // namespace

void OXScnVLTitle::buildScene() {
    logo = new OXSprite();
    logo->load("assets/plist/spr_title_logo");
    logo->setPosition(kCentreX, 690, 1);
    addObject(logo);

    // The prompt's row button, a little narrowed so that it still fits a 16:9 view when it
    // grows under the highlight, holds "PRESS RIGHT TO START" with the longest key name.
    startPrompt = addButton(0, promptText(), kCentreX, 300, "assets/plist/btn_menu_row");
    startPrompt->setUniformScale(kPromptScale);
    startPrompt->setLabelSize(kButtonLabelSize / kPromptScale + 1.0f);
    // The studio's credit in two lines of the menus' smallest text, each within a 16:9 view.
    for (const auto& [line, y] : {std::pair{"QUILLMOTH", 92.0f}, std::pair{"ENTERTAINMENT 2013", 56.0f}}) {
        addText(line, kCentreX, y, kSmallestTextSize)->setColour(0.7f, 0.8f, 0.85f, 0.85f);
    }
    // The version in the top right corner, within a 16:9 view, for a player to name in a report.
    addText(std::string("V") + gameVersion(), kVersionRight, kVersionY, kSmallestTextSize,
            OXTextBox::AlignRight)
        ->setColour(0.55f, 0.65f, 0.7f, 0.8f);
}

std::string OXScnVLTitle::promptText() const {
    return "PRESS " + host.keyName(host.profile().bindingCode(0)) + " TO START";
}

bool OXScnVLTitle::enterStarted() {
    startPrompt->setLabelText(promptText());
    return OXScnVLMenu::enterStarted();
}

void OXScnVLTitle::keyNamesChanged() {
    OXScnVLMenu::keyNamesChanged();
    if (startPrompt) {
        startPrompt->setLabelText(promptText());
    }
}

void OXScnVLTitle::buttonPressed(int id) {
    if (id == 0) {
        host.switchToScene(kMainScene);
        host.startMenuMusic();
    }
}
