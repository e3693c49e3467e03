#include "stg/game/overlays/OXScnAttackPanel.h"

#include <cstdio>

#include "engine/OXButton.h"
#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "stg/game/CXGameSession.h"

namespace {
constexpr float kBackdropAlpha = 0.85f;
constexpr Colour kNameTint{0.6f, 1.4f, 1.6f, 1.0f};
constexpr Colour kCapturedTint{1.6f, 1.35f, 0.45f, 1.0f};
constexpr Colour kClearedTint{0.6f, 1.5f, 0.9f, 1.0f};
constexpr Colour kFailedTint{1.6f, 0.55f, 0.6f, 1.0f};
constexpr Colour kLineTint{0.85f, 0.9f, 1.0f, 0.95f};
constexpr Colour kHintTint{0.7f, 0.75f, 0.85f, 0.9f};
constexpr int kLineSize = overlay::kSmallestTextSize;
constexpr int kOutcomeSize = 40;
constexpr float kOutcomePopMs = 300.0f;
}  // namespace

void OXScnAttackPanel::buildScene() {
    overlay::setupCamera(*this);
    backdrop = overlay::addBackdrop(*this, kBackdropAlpha);
    overlay::addSprite(*this, overlay::kPanel, 160, 246, 0.95f, 0.95f, 1.0f);
    nameText = overlay::addText(*this, "ATTACK", 160, 318, kLineSize, 1, kNameTint);
    outcomeText = overlay::addText(*this, "FAILED", 160, 284, kOutcomeSize, 1, kFailedTint);
    timeText = overlay::addText(*this, "TIME 0.00 S", 160, 258, kLineSize, 1, kLineTint);
    addChoices(230, 202, "RETRY", "BACK");
    hintText = overlay::addText(*this, "Z RETRY   X/C BACK", 160, 174, kLineSize, 1, kHintTint);
}

void OXScnAttackPanel::appear(const OXScnBaseSTGGame::AttackAttempt& attempt) {
    using End = OXScnBaseSTGGame::AttemptEnd;
    latch.clear();
    chosen = false;
    nameText->setText(attempt.attackName.empty() ? "ATTACK" : attempt.attackName);
    const Colour& tint = attempt.end == End::Captured  ? kCapturedTint
                         : attempt.end == End::Cleared ? kClearedTint
                                                       : kFailedTint;
    outcomeText->setText(attempt.end == End::Captured  ? "CAPTURED"
                         : attempt.end == End::Cleared ? "CLEARED"
                                                       : "FAILED");
    outcomeText->resetActions();
    outcomeText->setColour(tint.r, tint.g, tint.b, tint.a);
    outcomeText->scaleTo(kOutcomePopMs, {1.5f, 1.5f, 1}, {1, 1, 1}, 0.5f);
    const int ms = attempt.timeMs();
    char line[32];
    std::snprintf(line, sizeof line, "TIME %d.%02d S", ms / 1000, (ms % 1000) / 10);
    timeText->setText(line);
    char hint[48];
    overlay::formatHint(hint, sizeof hint, overlay::currentBindings(session.profileValues()), "RETRY",
                        "BACK");
    hintText->setText(hint);
    enterStarted();  // forgets a pointer press left from the last showing
    row.reset();
    // Only the backdrop fades: the panel stays solid over the field.
    setAlpha(1.0f);
    backdrop->resetActions();  // which leaves it white: black again
    backdrop->setColour(0.0f, 0.0f, 0.0f, 0.0f);
    backdrop->fadeTo(kAppearMs, 0.0f, kBackdropAlpha, 1.0f);
}

void OXScnAttackPanel::choose(int id) {
    if (chosen || (id != RetryButton && id != BackButton)) {
        return;
    }
    chosen = true;
    if (id == RetryButton) {
        std::printf("ATTACK PRACTICE: RETRY\n");
        session.retryPractice();
    } else {
        std::printf("ATTACK PRACTICE: BACK\n");
        session.leaveAttackPanel();
    }
}
