#include "stg/game/overlays/OXScnGameOver.h"

#include <cstdio>

#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/overlays/OXScnBaseHUD.h"

namespace {
constexpr float kBackdropAlpha = 0.9f;
constexpr Colour kTitleTint{1.6f, 0.55f, 0.7f, 1.0f};
constexpr Colour kScoreTint{0.85f, 0.9f, 1.0f, 1.0f};
constexpr Colour kRecordTint{1.0f, 0.85f, 0.4f, 1.0f};
constexpr float kRecordPopMs = 300.0f;
}  // namespace

void OXScnGameOver::buildScene() {
    overlay::setupCamera(*this);
    backdrop = overlay::addBackdrop(*this, kBackdropAlpha);
    overlay::addSprite(*this, overlay::kPanel, 160, 244, 0.95f, 0.56f, 1.0f);
    titleText = overlay::addText(*this, "GAME OVER", 160, 266, 40, 1, kTitleTint);
    scoreText =
        overlay::addText(*this, "SCORE 0,000,000,000", 160, 236, overlay::kSmallestTextSize, 1, kScoreTint);
    recordText = overlay::addText(*this, "NEW RECORD", 160, 208, 28, 1, kRecordTint);
    recordText->setVisible(false);
}

void OXScnGameOver::appear() {
    latch.clear();
    shownMs = 0.0f;
    skipWanted = false;
    finishSent = false;

    scoreText->setText(OXScnBaseHUD::scoreLine(session.run().score));
    std::printf("GAME OVER SCORE %lld\n", static_cast<long long>(session.run().score));

    const bool record = session.run().isNewRecord();
    recordText->setVisible(record);
    if (record) {
        recordText->setText(OXScnBaseHUD::recordLine(session.run().score, session.run().highScore));
        recordText->resetActions();
        recordText->scaleTo(kRecordPopMs, {1.6f, 1.6f, 1}, {1, 1, 1}, 0.5f);
        std::printf("NEW RECORD %lld\n", static_cast<long long>(session.run().highScore));
    }

    // Faded as a whole, the panel would let the field's enemies and bullets show through it;
    // only the backdrop fades.
    setAlpha(1.0f);
    backdrop->resetActions();  // which leaves it white: black again, or the field would white out
    backdrop->setColour(0.0f, 0.0f, 0.0f, 0.0f);
    backdrop->fadeTo(kAppearMs, 0.0f, kBackdropAlpha, 1.0f);
}

void OXScnGameOver::keyEvent(int key, bool down) {
    // A held key (fire through the last death) is not a wish to go on: only a key pressed and
    // released while the screen shows, or a click's choice edge.
    const bool asked = (overlay::isChoice(key) && down) || latch.released(key, down);
    if (asked && shownMs >= kSkipAfterMs) {
        skipWanted = true;
    }
}

void OXScnGameOver::update(float dtMs) {
    OXScene::update(dtMs);
    shownMs += dtMs;
    if (finishSent) {
        return;
    }
    if (shownMs >= kHoldMs || skipWanted) {
        finishSent = true;
        session.gameOverFinished();
    }
}
