#include "frontend/OXScnVLFreePlay.h"

#include <string>

#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/PracticeMenu.h"
#include "frontend/ScreenParts.h"
#include "stg/game/CXGameSession.h"

static_assert(OXScnVLFreePlay::kStageCount == PracticeMenu::kMostCampaignStages,
              "free play and practice offer the same stages of the campaign");

void OXScnVLFreePlay::buildScene() {
    addHeading("STAGE SELECT");
    playableStages = PracticeMenu::campaignStages();
    for (int stage = 0; stage < kStageCount; ++stage) {
        const bool playable = stage < playableStages;
        const std::string label = "STAGE " + std::to_string(stage + 1) + (playable ? "" : "  LOCKED");
        stageButtons[stage] = addButton(stage, label, kCentreX, 720 - kButtonGap * static_cast<float>(stage));
        if (!playable) {
            stageButtons[stage]->setState(OXButton::Disabled);
        }
    }
    // The hidden last stage, once an arcade game has found it: it plays in the fifth's place.
    const bool hidden = PracticeMenu::hiddenStageOpen(host.profile(), playableStages);
    if (hidden) {
        hiddenStageButton = addButton(HiddenStage, "TRUE FIFTH", kCentreX, 720 - kButtonGap * kStageCount);
    }
    addButton(Back, "BACK", kCentreX, 720 - kButtonGap * (kStageCount + (hidden ? 1 : 0)) - 20);
    if (playableStages < kStageCount) {
        // A stage opens when the campaign's level list holds it, not by anything done in
        // play: say so, or a player hunts for an unlock that does not exist.
        lockedHint[0] = addText("LOCKED STAGES ARE NOT", kCentreX, 135, kSmallestTextSize);
        lockedHint[1] =
            addText("IN THE CAMPAIGN YET", kCentreX, 135 - kSmallestTextSize * 0.75f, kSmallestTextSize);
        for (OXTextBox* line : lockedHint) {
            line->setColour(0.75f, 0.9f, 0.95f, 1);
        }
    }
    addKeyHints();
}

void OXScnVLFreePlay::buttonPressed(int id) {
    if (id >= 0 && id < playableStages) {
        host.gameChoices().freePlayStage = id;
        host.switchToScene(kDifficultyScene);
    } else if (id == HiddenStage && hiddenStageButton) {
        host.gameChoices().freePlayStage = CXGameSession::kHiddenStageChoice;
        host.switchToScene(kDifficultyScene);
    } else if (id == Back) {
        backPressed();
    }
}

void OXScnVLFreePlay::keyEvent(int key, bool down) {
    if (key == acceptKey && !down && highlight && highlight->isVisible()) {
        for (int stage = playableStages; stage < kStageCount; ++stage) {
            if (selectedIndex >= 0 && selectedIndex < static_cast<int>(selectables.size()) &&
                selectables[static_cast<size_t>(selectedIndex)] == stageButtons[stage]) {
                ScreenParts::playMenuSound(ScreenParts::MenuSound::Refuse);
            }
        }
    }
    OXScnVLMenu::keyEvent(key, down);
}

void OXScnVLFreePlay::backPressed() {
    host.switchToScene(kMainScene);
}
