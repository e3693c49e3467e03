#include "stg/game/overlays/OXScnEndGameConfirm.h"

#include "engine/OXButton.h"
#include "engine/OXTextBox.h"
#include "stg/game/CXGameSession.h"

void OXScnEndGameConfirm::buildScene() {
    overlay::setupCamera(*this);
    overlay::addBackdrop(*this, 0.8f);
    overlay::addSprite(*this, overlay::kPanel, 160, 248, 0.9f, 0.56f, 1.0f);
    overlay::addText(*this, "ARE YOU SURE", 160, 280, 28, 1, {1.5f, 1.2f, 0.6f, 1.0f});
    addChoices(246, 216);
}

void OXScnEndGameConfirm::update(float dtMs) {
    if (!wasShown) {
        // Shown again: the highlight starts on "NO", so that a hurried accept keeps the game,
        // and no old pointer press is held.
        enterStarted();
        row.resetTo(NoButton);
        wasShown = true;
    }
    OXScnChoicePrompt::update(dtMs);
}

void OXScnEndGameConfirm::choose(int id) {
    if (id != YesButton && id != NoButton) {
        return;
    }
    wasShown = false;
    latch.clear();
    if (id == YesButton) {
        session.acceptEndGame();
    } else {
        session.cancelEndGame();
    }
}
