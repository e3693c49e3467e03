#include "stg/game/overlays/OXScnBaseContinue.h"

#include <cstdio>

#include "engine/OXButton.h"
#include "engine/OXTextBox.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/overlays/OXScnBaseHUD.h"

namespace {
constexpr Colour kTitleTint{1.5f, 1.3f, 0.6f, 1.0f};
constexpr Colour kCountTint{0.85f, 0.9f, 1.0f, 0.95f};
constexpr Colour kWarningTint{1.0f, 0.75f, 0.45f, 1.0f};
constexpr int kLineSize = overlay::kSmallestTextSize;
}  // namespace

void OXScnBaseContinue::buildScene() {
    overlay::setupCamera(*this);
    overlay::addBackdrop(*this, 0.85f);
    overlay::addSprite(*this, overlay::kPanel, 160, 248, 0.9f, 0.86f, 1.0f);
    overlay::addText(*this, "CONTINUE?", 160, 312, 32, 1, kTitleTint);
    countText = overlay::addText(*this, "CONTINUES LEFT: 0", 160, 284, kLineSize, 1, kCountTint);
    // What a continue costs: the score so far goes (its best stays in the high scores).
    scoreText = overlay::addText(*this, "SCORE 0,000,000,000", 160, 261, kLineSize, 1, kCountTint);
    overlay::addText(*this, "SCORE RESETS TO 0", 160, 238, kLineSize, 1, kWarningTint);
    addChoices(218, 188);
}

void OXScnBaseContinue::setContinuesLeft(int count) {
    latch.clear();
    continuesLeft = count;
    char line[32];
    std::snprintf(line, sizeof line, "CONTINUES LEFT: %d", count);
    countText->setText(line);
    scoreText->setText(OXScnBaseHUD::scoreLine(session.run().score));
    enterStarted();  // forgets a pointer press left from the last showing
    // Without a continue "YES" stays on screen, greyed, and only "NO" can be chosen.
    yesButton->setState(count >= 1 ? OXButton::Normal : OXButton::Disabled);
    row.reset();
}

void OXScnBaseContinue::choose(int id) {
    if (id == YesButton) {
        // The game's own count decides: a prompt shown with a stale count
        // never takes a continue the player does not have.
        if (continuesLeft >= 1 && session.run().continues >= 1) {
            latch.clear();
            session.acceptContinue();
        }
    } else if (id == NoButton) {
        latch.clear();
        session.confirmEndGame();
    }
}
