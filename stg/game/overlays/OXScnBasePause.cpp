#include "stg/game/overlays/OXScnBasePause.h"

#include <cmath>
#include <cstdio>

#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "stg/game/CXGameSession.h"

namespace {
constexpr Colour kTitleTint{0.6f, 1.4f, 1.6f, 1.0f};
constexpr Colour kCountdownTint{1.2f, 2.0f, 2.0f, 0.6f};
constexpr float kCountdownY = 240.0f;  // units, the middle of the digit
constexpr int kCountdownSize = 48;
}  // namespace

void OXScnBasePause::buildScene() {
    overlay::setupCamera(*this);
    overlay::addBackdrop(*this, 0.8f);
    panel = overlay::addSprite(*this, overlay::kPanel, 160, 246, 0.9f, 0.6f, 1.0f);
    titleText = overlay::addText(*this, "PAUSED", 160, 282, 28, 1, kTitleTint);
    resumeButton = overlay::addButton(*this, ResumeButton, "RESUME", 160, 246);
    endButton = overlay::addButton(*this, EndGameButton, "END GAME", 160, 214);
    row.add(resumeButton);
    row.add(endButton);
    countdownText = overlay::addText(*this, "3", 160, kCountdownY, kCountdownSize, 1, kCountdownTint);
    countdownText->setVisible(false);
    countdownText->setActive(false);
}

void OXScnBasePause::showChoices(bool shown) {
    for (IXRenderObject* part :
         {static_cast<IXRenderObject*>(panel), static_cast<IXRenderObject*>(titleText),
          static_cast<IXRenderObject*>(resumeButton), static_cast<IXRenderObject*>(endButton)}) {
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
    enterStarted();  // forgets a pointer press left from the last showing
    row.reset();
    fadeTo(kAppearMs, 0.0f, 1.0f);
}

void OXScnBasePause::keyEvent(int key, bool down) {
    if (countdownLeft > 0.0f) {
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
    const overlay::Bindings keys = overlay::currentBindings();
    if (key == keys.fire) {
        buttonPressed(row.selectedId());
    } else if (key == keys.pause) {
        buttonPressed(ResumeButton);
    } else if (key == keys.beam || key == keys.trance) {
        buttonPressed(EndGameButton);
    }
}

void OXScnBasePause::buttonPressed(int id) {
    if (countdownLeft > 0.0f || (id != ResumeButton && id != EndGameButton)) {
        return;
    }
    // Either choice first writes the game's settings back into the profile.
    CXGameSession::instance().writeSettingsToProfile();
    latch.clear();
    if (id == ResumeButton) {
        startCountdown();
    } else {
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
    row.follow();
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
