#include "stg/game/overlays/OXScnBasePause.h"

#include <cmath>
#include <cstdio>

#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "stg/game/CXGameSession.h"

namespace {
constexpr Colour kTitleTint{0.6f, 1.4f, 1.6f, 1.0f};
constexpr Colour kCountdownTint{1.2f, 2.0f, 2.0f, 0.6f};
constexpr float kCountdownY = 240.0f;  // units, the middle of the digit
constexpr int kCountdownSize = 48;
constexpr int kTitleSize = 32;
// The visibility options' buttons are larger, 180 x 36 units, so their labels of up to 13
// characters keep the smallest text size: in the button sheet's pixels, as overlay::kButtonLabelSize.
constexpr float kVisibilityScale = 0.5f;
constexpr float kVisibilityLabelSize = overlay::kSmallestTextSize / kVisibilityScale + 1.0f;
constexpr float kFirstVisibilityY = 218.0f;
constexpr float kNoteY = 352.0f;  // over the panel, above the title
constexpr float kVisibilityStep = 37.0f;
}  // namespace

void OXScnBasePause::buildScene() {
    overlay::setupCamera(*this);
    overlay::addBackdrop(*this, 0.8f);
    panel = overlay::addSprite(*this, overlay::kPanel, 160, 238, 0.9f, 0.9f, 1.0f);
    titleText = overlay::addText(*this, "PAUSED", 160, 312, kTitleSize, 1, kTitleTint);
    resumeButton = overlay::addButton(*this, ResumeButton, "RESUME", 160, 282);
    endButton = overlay::addButton(*this, EndGameButton, "END GAME", 160, 255);
    // The visibility options under a gap.
    const char* const labels[3] = {"BG DIM: 0%", "CONTRAST: OFF", "HITBOX: OFF"};
    for (int i = 0; i < 3; ++i) {
        visibilityButtons[i] = overlay::addButton(*this, DimmingButton + i, labels[i], 160,
                                                  kFirstVisibilityY - kVisibilityStep * i);
        visibilityButtons[i]->setUniformScale(kVisibilityScale);
        visibilityButtons[i]->setLabelSize(kVisibilityLabelSize);
    }
    for (OXButton* button :
         {resumeButton, endButton, visibilityButtons[0], visibilityButtons[1], visibilityButtons[2]}) {
        row.add(button);
    }
    countdownText = overlay::addText(*this, "3", 160, kCountdownY, kCountdownSize, 1, kCountdownTint);
    countdownText->setVisible(false);
    countdownText->setActive(false);
    noteText = overlay::addText(*this, "", 160, kNoteY, overlay::kSmallestTextSize, 1, kTitleTint);
    noteText->setVisible(false);
}

void OXScnBasePause::showNote(const char* line) {
    noteText->setText(line);
    noteText->setVisible(true);
}

const OXButton* OXScnBasePause::getButton(int id) const {
    switch (id) {
        case ResumeButton:
            return resumeButton;
        case EndGameButton:
            return endButton;
        case DimmingButton:
        case ContrastButton:
        case HitboxButton:
            return visibilityButtons[id - DimmingButton];
        default:
            return nullptr;
    }
}

void OXScnBasePause::showChoices(bool shown) {
    for (IXRenderObject* part :
         {static_cast<IXRenderObject*>(panel), static_cast<IXRenderObject*>(titleText),
          static_cast<IXRenderObject*>(resumeButton), static_cast<IXRenderObject*>(endButton),
          static_cast<IXRenderObject*>(visibilityButtons[0]),
          static_cast<IXRenderObject*>(visibilityButtons[1]),
          static_cast<IXRenderObject*>(visibilityButtons[2])}) {
        part->setVisible(shown);
        part->setActive(shown);
    }
}

void OXScnBasePause::showVisibility() {
    const VisibilityOptions& options = session.getVisibility();
    char line[24];
    std::snprintf(line, sizeof line, "BG DIM: %d%%",
                  static_cast<int>(std::lround(options.backgroundDimming * 100.0f)));
    visibilityButtons[0]->setLabel(line);
    visibilityButtons[1]->setLabel(options.bulletContrast ? "CONTRAST: ON" : "CONTRAST: OFF");
    visibilityButtons[2]->setLabel(options.hitboxMarker ? "HITBOX: ON" : "HITBOX: OFF");
}

void OXScnBasePause::appear() {
    latch.clear();
    countdownLeft = 0.0f;
    shownDigit = 0;
    countdownText->setVisible(false);
    countdownText->setActive(false);
    noteText->setVisible(false);
    showChoices(true);
    showVisibility();
    enterStarted();  // forgets a pointer press left from the last showing
    row.reset();
    fadeTo(kAppearMs, 0.0f, 1.0f);
}

void OXScnBasePause::keyEvent(int key, bool down) {
    if (overlay::isChoice(key)) {
        if (down) {
            choose(key - input::kChoice);
        }
        return;
    }
    if (countdownLeft > 0.0f) {
        return;
    }
    row.stepByArrow(key, down);
    if (!latch.released(key, down)) {
        return;
    }
    const overlay::Bindings keys = overlay::currentBindings(session.profileValues());
    if (key == keys.fire) {
        choose(row.selectedId());
    } else if (key == keys.pause) {
        choose(ResumeButton);
    } else if (key == keys.beam || key == keys.trance) {
        choose(EndGameButton);
    }
}

void OXScnBasePause::buttonPressed(int id) {
    overlay::pointerChoice(session, id);
}

void OXScnBasePause::choose(int id) {
    if (countdownLeft > 0.0f) {
        return;
    }
    if (id == DimmingButton || id == ContrastButton || id == HitboxButton) {
        // Shown at once on the stage behind; kept in the profile by RESUME or END GAME.
        VisibilityOptions options = session.getVisibility();
        if (id == DimmingButton) {
            // The next whole step up, from any value the options screen left.
            const float next =
                (std::floor(options.backgroundDimming / kDimmingStep + 0.01f) + 1.0f) * kDimmingStep;
            options.backgroundDimming = next > CXUserProfile::kMostDimming + 0.01f ? 0.0f : next;
        } else if (id == ContrastButton) {
            options.bulletContrast = !options.bulletContrast;
        } else {
            options.hitboxMarker = !options.hitboxMarker;
        }
        session.setVisibility(options);
        showVisibility();
        return;
    }
    if (id != ResumeButton && id != EndGameButton) {
        return;
    }
    // Either choice first writes the game's settings back into the profile.
    session.writeSettingsToProfile();
    latch.clear();
    if (id == ResumeButton) {
        startCountdown();
    } else {
        session.confirmEndGame();
    }
}

void OXScnBasePause::startCountdown() {
    latch.clear();
    showChoices(false);
    noteText->setVisible(false);
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
        session.resume();
    }
}
