#include "stg/game/overlays/OXScnChoicePrompt.h"

#include "engine/OXButton.h"
#include "stg/game/CXGameSession.h"

void OXScnChoicePrompt::addChoices(float yesY, float noY, const char* yesLabel, const char* noLabel) {
    yesButton = overlay::addButton(*this, YesButton, yesLabel, 160, yesY);
    noButton = overlay::addButton(*this, NoButton, noLabel, 160, noY);
    row.add(yesButton);
    row.add(noButton);
}

void OXScnChoicePrompt::update(float dtMs) {
    OXScene::update(dtMs);
    row.follow();
}

void OXScnChoicePrompt::keyEvent(int key, bool down) {
    if (overlay::isChoice(key)) {
        if (down) {
            choose(key - input::kChoice);
        }
        return;
    }
    row.stepByArrow(key, down);
    if (!latch.released(key, down)) {
        return;
    }
    const overlay::Bindings keys = overlay::currentBindings(session.profileValues());
    if (key == keys.fire) {
        choose(row.selectedId());
    } else if (key == keys.beam || key == keys.trance) {
        choose(NoButton);
    }
}

void OXScnChoicePrompt::buttonPressed(int id) {
    overlay::pointerChoice(session, id);
}
