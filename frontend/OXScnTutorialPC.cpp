#include "frontend/OXScnTutorialPC.h"

#include <string>

#include "data/CXUserProfile.h"
#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"
#include "stg/game/CXGameSession.h"

void OXScnTutorialPC::buildScene() {
    addHeading("HOW TO PLAY");
    picture = new OXSprite();
    picture->load("assets/plist/spr_PC_tutorial_classic");
    picture->setPosition(kCentreX, 530, 1);
    addObject(picture);
    for (int line = 0; line < kLines; ++line) {
        const float y = 620 - 64.0f * static_cast<float>(line);
        keys[line] = addText("", 250, y, 26, 2);
        keys[line]->setColour(0.55f, 0.95f, 1.0f, 1);
        lines[line] = addText("", 272, y, 24, 0);
    }
    pageLabel = addText("", kCentreX, 236, 22);
    pageLabel->setColour(0.6f, 0.85f, 0.95f, 1);
    addButton(Back, "BACK", kCentreX, 160);
    addKeyHints();
}

bool OXScnTutorialPC::enterStarted() {
    showPage(0);
    return OXScnVLMenu::enterStarted();
}

void OXScnTutorialPC::showPage(int page) {
    const bool casual = CXGameSession::instance().isCasual();
    frame = (casual ? 0 : 2) + (page != 0 ? 1 : 0);
    picture->setFrame(frame);
    const CXUserProfile& profile = host.profile();
    const std::string fire = host.keyName(profile.bindingCode(0));
    const std::string beam = host.keyName(profile.bindingCode(1));
    const std::string trance = host.keyName(profile.bindingCode(2));
    const std::string pause = host.keyName(profile.bindingCode(3));
    // Each row: a key (or none) and what it does, or a line about the game.
    struct Row {
        std::string key, text;
    };
    const Row controls[kLines] = {{"ARROWS", "MOVE"},
                                  {fire, "FIRE"},
                                  {beam, casual ? "LASER, HELD" : "CHARGE THE BEAM"},
                                  {trance, "TRANCE, GAUGE FULL"},
                                  {pause, "PAUSE"}};
    const Row scoring[kLines] = {{"", "GRAZE BULLETS: SCORE"},
                                 {"", "ORBS: MULTIPLIER"},
                                 {"", casual ? "THE BREAK GAUGE" : "KILLS FILL THE"},
                                 {"", casual ? "FILLS BY ITSELF" : "BREAK GAUGE"},
                                 {"", "FULL GAUGE: TRANCE"}};
    const Row* rows = page == 0 ? controls : scoring;
    for (int line = 0; line < kLines; ++line) {
        keys[line]->setText(rows[line].key);
        lines[line]->setText(rows[line].text);
        // A page of plain lines starts further left.
        lines[line]->setX(page == 0 ? 272.0f : 170.0f);
    }
    pageLabel->setText(page == 0 ? "PAGE 1 OF 2   RIGHT FOR MORE" : "PAGE 2 OF 2   LEFT TO GO BACK");
}

void OXScnTutorialPC::keyEvent(int key, bool down) {
    // The accept key keeps its meaning even when it shares a code with an arrow.
    if (key != acceptKey && key == rightKey && down) {
        showPage(1);
    } else if (key != acceptKey && key == leftKey && down) {
        showPage(0);
    } else {
        OXScnVLMenu::keyEvent(key, down);
    }
}

void OXScnTutorialPC::buttonPressed(int id) {
    if (id == Back) {
        backPressed();
    }
}

void OXScnTutorialPC::backPressed() {
    host.switchToScene(kDifficultyScene);
}
