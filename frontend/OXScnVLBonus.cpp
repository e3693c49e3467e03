#include "frontend/OXScnVLBonus.h"

#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"

void OXScnVLBonus::buildScene() {
    addHeading("BONUS");
    addButton(BossRush, "BOSS RUSH", kCentreX, 700);
    addText("EVERY BOSS IN A ROW", kCentreX, 632, kSmallestTextSize)->setColour(0.7f, 0.85f, 0.9f, 1);
    addButton(FreePlay, "FREE PLAY", kCentreX, 530);
    addText("ANY STAGE YOU CHOOSE", kCentreX, 462, kSmallestTextSize)->setColour(0.7f, 0.85f, 0.9f, 1);
    addButton(Practice, "PRACTICE", kCentreX, 360);
    addText("A STAGE OR AN ATTACK", kCentreX, 292, kSmallestTextSize)->setColour(0.7f, 0.85f, 0.9f, 1);
    addButton(Back, "BACK", kCentreX, 180);
    addKeyHints();
}

void OXScnVLBonus::buttonPressed(int id) {
    if (id == BossRush) {
        host.gameChoices().mode = GameMode::BossRush;
        host.switchToScene(kModeSelectScene);
    } else if (id == FreePlay) {
        host.gameChoices().mode = GameMode::FreePlay;
        host.switchToScene(kModeSelectScene);
    } else if (id == Practice) {
        host.switchToScene(kPracticeScene);
    } else if (id == Back) {
        backPressed();
    }
}

void OXScnVLBonus::backPressed() {
    host.switchToScene(kMainScene);
}
