#include "stg/game/overlays/OXScnEndGameConfirm.h"

#include "engine/OXTextBox.h"
#include "stg/game/CXGameSession.h"

void OXScnEndGameConfirm::buildScene() {
    overlay::setupCamera(*this);
    overlay::addBackdrop(*this, 0.8f);
    overlay::addSprite(*this, overlay::kPanel, 160, 250, 0.9f, 0.4f, 1.0f);
    overlay::addText(*this, "ARE YOU SURE", 160, 256, 22, 1, {1.5f, 1.2f, 0.6f, 1.0f});
    hintText = overlay::addText(*this, "Z YES   X/C NO", 160, 229, 13, 1, {0.85f, 0.9f, 1.0f, 0.9f});
}

void OXScnEndGameConfirm::update(float dtMs) {
    if (!wasShown) {
        // Shown again: the hint follows the current bindings.
        char hint[48];
        overlay::formatHint(hint, sizeof hint, overlay::currentBindings(), "YES", "NO");
        hintText->setText(hint);
        wasShown = true;
    }
    OXScene::update(dtMs);
}

void OXScnEndGameConfirm::keyEvent(int key, bool down) {
    if (!latch.released(key, down)) {
        return;
    }
    const overlay::Bindings keys = overlay::currentBindings();
    if (key == keys.fire) {
        wasShown = false;
        latch.clear();
        CXGameSession::instance().endGame();
    } else if (key == keys.beam || key == keys.trance) {
        wasShown = false;
        latch.clear();
        CXGameSession::instance().cancelEndGame();
    }
}
