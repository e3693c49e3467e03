#include "frontend/OXScnVLTitle.h"

#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"

void OXScnVLTitle::buildScene() {
    logo = new OXSprite();
    logo->load("assets/plist/spr_title_logo");
    logo->setPosition(kCentreX, 690, 1);
    addObject(logo);

    startPrompt = addButton(0, promptText(), kCentreX, 300);
    OXTextBox* studio = addText("Quillmoth Entertainment 2013", kCentreX, 56, kSmallestTextSize);
    studio->setColour(0.7f, 0.8f, 0.85f, 0.85f);
}

std::string OXScnVLTitle::promptText() const {
    return "PRESS " + host.keyName(host.profile().bindingCode(0)) + " TO START";
}

bool OXScnVLTitle::enterStarted() {
    startPrompt->setLabelText(promptText());
    return OXScnVLMenu::enterStarted();
}

void OXScnVLTitle::buttonPressed(int id) {
    if (id == 0) {
        host.switchToScene(kMainScene);
        host.startMenuMusic();
    }
}
