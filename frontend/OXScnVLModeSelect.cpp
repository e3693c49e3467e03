#include "frontend/OXScnVLModeSelect.h"

#include "engine/OXButton.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"

void OXScnVLModeSelect::buildScene() {
    addHeading("PLAY STYLE");
    // Cards: the name on the upper half (the card's text offset), a line about it below.
    addButton(Casual, "CASUAL", kCentreX, 660, "assets/plist/btn_casual_mode")->setLabelSize(56);
    addText("GENTLER, TO LEARN IN", kCentreX, 612, kSmallestTextSize)->setColour(0.75f, 0.9f, 0.95f, 1);
    addButton(Normal, "NORMAL", kCentreX, 440, "assets/plist/btn_normal_mode")->setLabelSize(56);
    addText("THE FULL CHALLENGE", kCentreX, 392, kSmallestTextSize)->setColour(0.75f, 0.9f, 0.95f, 1);
    addButton(Back, "BACK", kCentreX, 220);
    addKeyHints();
}

void OXScnVLModeSelect::buttonPressed(int id) {
    if (id == Casual || id == Normal) {
        host.gameChoices().casual = id == Casual;
        host.switchToScene(host.gameChoices().mode == GameMode::FreePlay ? kStageSelectScene
                                                                         : kDifficultyScene);
    } else if (id == Back) {
        backPressed();
    }
}

void OXScnVLModeSelect::backPressed() {
    host.switchToScene(kMainScene);
}
