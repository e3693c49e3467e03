#include "stg/game/overlays/OXScnEndGameConfirm.h"

#include "engine/OXButton.h"
#include "engine/OXTextBox.h"
#include "stg/game/CXGameSession.h"

void OXScnEndGameConfirm::buildScene() {
    overlay::setupCamera(*this);
    overlay::addBackdrop(*this, 0.8f);
    overlay::addSprite(*this, overlay::kPanel, 160, 248, 0.9f, 0.56f, 1.0f);
    overlay::addText(*this, "ARE YOU SURE", 160, 280, 22, 1, {1.5f, 1.2f, 0.6f, 1.0f});
    yesButton = overlay::addButton(*this, YesButton, "YES", 160, 246);
    noButton = overlay::addButton(*this, NoButton, "NO", 160, 216);
    row.add(yesButton);
    row.add(noButton);
}

void OXScnEndGameConfirm::update(float dtMs) {
    if (!wasShown) {
        // Shown again: the highlight starts on "NO", so that a hurried accept keeps the game,
        // and no old pointer press is held.
        enterStarted();
        row.resetTo(NoButton);
        wasShown = true;
    }
    OXScene::update(dtMs);
    row.follow();
}

void OXScnEndGameConfirm::keyEvent(int key, bool down) {
    if (overlay::isChoice(key)) {
        if (down) {
            choose(key - input::kChoice);
        }
        return;
    }
    if (down && (key == overlay::kUpKey || key == overlay::kLeftKey)) {
        row.step(-1);
    } else if (down && (key == overlay::kDownKey || key == overlay::kRightKey)) {
        row.step(1);
    }
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

void OXScnEndGameConfirm::buttonPressed(int id) {
    overlay::pointerChoice(session, id);
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
