#include "stg/game/overlays/OXScnBasePause.h"

#include <cmath>
#include <cstdio>

#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "stg/game/CXGameSession.h"

namespace {
constexpr Colour kTitleTint{0.6f, 1.4f, 1.6f, 1.0f};
constexpr Colour kHintTint{0.85f, 0.9f, 1.0f, 0.9f};
constexpr Colour kCountdownTint{1.2f, 2.0f, 2.0f, 0.6f};
constexpr float kCountdownY = 240.0f;  // units, the middle of the digit
constexpr int kCountdownSize = 48;
}  // namespace

void OXScnBasePause::buildScene() {
    overlay::setupCamera(*this);
    overlay::addBackdrop(*this, 0.8f);
    panel = overlay::addSprite(*this, overlay::kPanel, 160, 254, 0.9f, 0.45f, 1.0f);
    titleText = overlay::addText(*this, "PAUSED", 160, 262, 28, 1, kTitleTint);
    hintText = overlay::addText(*this, "Z RESUME   X/C END GAME", 160, 231, 12, 1, kHintTint);
    countdownText = overlay::addText(*this, "3", 160, kCountdownY, kCountdownSize, 1, kCountdownTint);
    countdownText->setVisible(false);
    countdownText->setActive(false);
}

void OXScnBasePause::showChoices(bool shown) {
    for (IXRenderObject* part : {static_cast<IXRenderObject*>(panel), static_cast<IXRenderObject*>(titleText),
                                 static_cast<IXRenderObject*>(hintText)}) {
        part->setVisible(shown);
        part->setActive(shown);
    }
}

void OXScnBasePause::appear() {
    latch.clear();
    countdownLeft = 0.0f;
    shownDigit = 0;
    countdownText->setVisible(false);
    countdownText->setActive(false);
    showChoices(true);
    // The hint follows the player's bindings; fire or pause resumes.
    const overlay::Bindings keys = overlay::currentBindings();
    char fire[16];
    std::snprintf(fire, sizeof fire, "%s/%s", overlay::keyName(keys.fire), overlay::keyName(keys.pause));
    char hint[64];
    if (keys.beam == keys.trance) {
        std::snprintf(hint, sizeof hint, "%s RESUME   %s END GAME", fire, overlay::keyName(keys.beam));
    } else {
        std::snprintf(hint, sizeof hint, "%s RESUME   %s/%s END GAME", fire, overlay::keyName(keys.beam),
                      overlay::keyName(keys.trance));
    }
    hintText->setText(hint);
    fadeTo(kAppearMs, 0.0f, 1.0f);
}

void OXScnBasePause::keyEvent(int key, bool down) {
    if (countdownLeft > 0.0f || !latch.released(key, down)) {
        return;
    }
    const overlay::Bindings keys = overlay::currentBindings();
    // Either choice first writes the game's settings back into the profile.
    if (key == keys.fire || key == keys.pause) {
        CXGameSession::instance().writeSettingsToProfile();
        startCountdown();
    } else if (key == keys.beam || key == keys.trance) {
        latch.clear();
        CXGameSession::instance().writeSettingsToProfile();
        CXGameSession::instance().confirmEndGame();
    }
}

void OXScnBasePause::startCountdown() {
    latch.clear();
    showChoices(false);
    countdownLeft = kCountStepMs * kCountFrom;
    shownDigit = 0;
}

void OXScnBasePause::update(float dtMs) {
    OXScene::update(dtMs);
    if (countdownLeft <= 0.0f) {
        return;
    }
    // The digit on screen: 3 for the first 750 ms, then 2, then 1.
    const int digit = static_cast<int>(std::ceil(countdownLeft / kCountStepMs));
    if (digit != shownDigit && digit > 0) {
        shownDigit = digit;
        const char text[2] = {static_cast<char>('0' + digit), '\0'};
        countdownText->setText(text);
        countdownText->resetActions();
        countdownText->setColour(kCountdownTint.r, kCountdownTint.g, kCountdownTint.b, kCountdownTint.a);
        countdownText->fadeTo(kCountStepMs, 0.1f, 1.0f);
        countdownText->scaleTo(kCountStepMs, {2, 2, 1}, {1, 1, 1});
    }
    // Keep the digit centred on its middle while it shrinks.
    countdownText->setY(kCountdownY - kCountdownSize * 0.25f * countdownText->getScale().y);
    countdownLeft -= dtMs;
    if (countdownLeft <= 0.0f) {
        countdownLeft = 0.0f;
        shownDigit = 0;
        countdownText->setVisible(false);
        countdownText->setActive(false);
        CXGameSession::instance().resume();
    }
}
