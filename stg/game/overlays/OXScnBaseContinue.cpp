#include "stg/game/overlays/OXScnBaseContinue.h"

#include <cstdio>

#include "engine/OXTextBox.h"
#include "stg/game/CXGameSession.h"

namespace {
constexpr Colour kTitleTint{1.5f, 1.3f, 0.6f, 1.0f};
constexpr Colour kCountTint{0.85f, 0.9f, 1.0f, 0.95f};
constexpr Colour kHintTint{0.85f, 0.9f, 1.0f, 0.9f};
}  // namespace

void OXScnBaseContinue::buildScene() {
    overlay::setupCamera(*this);
    overlay::addBackdrop(*this, 0.85f);
    overlay::addSprite(*this, overlay::kPanel, 160, 254, 0.9f, 0.5f, 1.0f);
    overlay::addText(*this, "CONTINUE?", 160, 272, 26, 1, kTitleTint);
    countText = overlay::addText(*this, "CONTINUES LEFT: 0", 160, 250, 12, 1, kCountTint);
    hintText = overlay::addText(*this, "Z YES   X/C NO", 160, 226, 13, 1, kHintTint);
}

void OXScnBaseContinue::setContinuesLeft(int count) {
    latch.clear();
    continuesLeft = count;
    char line[32];
    std::snprintf(line, sizeof line, "CONTINUES LEFT: %d", count);
    countText->setText(line);
    // Without a continue only "NO" is offered.
    const overlay::Bindings keys = overlay::currentBindings();
    char hint[48];
    if (count >= 1) {
        overlay::formatHint(hint, sizeof hint, keys, "YES", "NO");
    } else {
        std::snprintf(hint, sizeof hint, "%s NO", overlay::keyName(keys.beam));
    }
    hintText->setText(hint);
}

void OXScnBaseContinue::keyEvent(int key, bool down) {
    if (!latch.released(key, down)) {
        return;
    }
    const overlay::Bindings keys = overlay::currentBindings();
    CXGameSession& session = CXGameSession::instance();
    if (key == keys.fire) {
        // The session's own count decides: a prompt shown with a stale count
        // never takes a continue the player does not have.
        if (continuesLeft >= 1 && session.getContinues() >= 1) {
            latch.clear();
            session.acceptContinue();
        }
    } else if (key == keys.beam || key == keys.trance) {
        latch.clear();
        session.confirmEndGame();
    }
}
