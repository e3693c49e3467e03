#include "stg/game/overlays/OXScnBaseSummary.h"

#include <cstdint>
#include <cstdio>

#include "engine/OXButton.h"
#include "engine/OXTextBox.h"
#include "stg/game/CXGameSession.h"

namespace {
constexpr Colour kTitleTint{0.6f, 1.4f, 1.6f, 1.0f};
constexpr Colour kLabelTint{0.75f, 0.85f, 1.0f, 0.9f};
constexpr Colour kValueTint{1.0f, 1.0f, 1.0f, 1.0f};
constexpr Colour kBonusTint{1.5f, 1.3f, 0.6f, 1.0f};
constexpr float kSlideFrom = overlay::kFieldWidth * 0.1f;  // units to the left of the resting place
constexpr int kTitleSize = 30;
constexpr int kTotalSize = 28;
}  // namespace

void OXScnBaseSummary::buildScene() {
    overlay::setupCamera(*this);
    // Darker than pause's: the stage stands still behind it at the moment of its clear, often
    // in the white of the boss's last flash.
    overlay::addBackdrop(*this, 0.85f);
    plate = overlay::addSprite(*this, "assets/plist/spr_summary_bg", 160, 262, 1.12f, 0.68f, 1.0f);
    overlay::addText(*this, "STAGE CLEAR", 160, 316, kTitleSize, 1, kTitleTint);
    // Captions in the overlays' smallest text: a count of up to 4 digits after the longest.
    overlay::addText(*this, "GRAZES", 30, 284, overlay::kSmallestTextSize, 0, kLabelTint);
    overlay::addText(*this, "ORBS", 30, 256, overlay::kSmallestTextSize, 0, kLabelTint);
    overlay::addText(*this, "TOTAL BONUS", 30, 226, overlay::kSmallestTextSize, 0, kLabelTint);
    // Grazes and orbs with their bonuses on the same rows; the total below.
    const float x[kValueCount] = {186, 296, 186, 296, 296};
    const float y[kValueCount] = {284, 284, 256, 256, 226};
    const char* const templates[kValueCount] = {"99", "9999", "99", "9999", "9999"};
    for (int i = 0; i < kValueCount; ++i) {
        valueX[i] = x[i];
        valueY[i] = y[i];
        const bool bonus = i % 2 == 1 || i == kValueCount - 1;
        valueTint[i] = bonus ? kBonusTint : kValueTint;
        values[i] =
            overlay::addText(*this, templates[i], x[i], y[i],
                             i == kValueCount - 1 ? kTotalSize : overlay::kSmallestTextSize, 2, valueTint[i]);
        values[i]->setVisible(false);
        values[i]->setActive(false);
    }
    nextButton = overlay::addButton(*this, 0, "NEXT", 160, 196);
    nextButton->setVisible(false);
    nextButton->setActive(false);
}

bool OXScnBaseSummary::isNextShown() const {
    return nextButton->isVisible();
}

void OXScnBaseSummary::showResults() {
    const int64_t total = static_cast<int64_t>(session.run().grazeBonus) + session.run().orbBonus;
    char line[5][24];
    std::snprintf(line[0], sizeof line[0], "%d", session.run().grazes);
    std::snprintf(line[1], sizeof line[1], "+%d", session.run().grazeBonus);
    std::snprintf(line[2], sizeof line[2], "%d", session.run().orbs);
    std::snprintf(line[3], sizeof line[3], "+%d", session.run().orbBonus);
    std::snprintf(line[4], sizeof line[4], "%lld", static_cast<long long>(total));
    // Every box starts hidden, so a second summary starts empty.
    for (int i = 0; i < kValueCount; ++i) {
        values[i]->resetActions();
        values[i]->setColour(valueTint[i].r, valueTint[i].g, valueTint[i].b, valueTint[i].a);
        values[i]->setText(line[i]);
        values[i]->setVisible(false);
        values[i]->setActive(false);
    }
    nextButton->setVisible(false);
    nextButton->setActive(false);
    enterStarted();  // forgets a pointer press left from the last summary
    latch.clear();
    finished = false;
    revealed = 0;
    revealTimer = 0.0f;
    idleLeft = 0.0f;
    visible = active = true;
}

void OXScnBaseSummary::revealNext() {
    OXTextBox* box = values[revealed];
    box->setPosition(valueX[revealed] - kSlideFrom, valueY[revealed], 2.0f);
    box->moveBy(kRevealSlideMs, {kSlideFrom, 0.0f, 0.0f}, 2.0f);
    box->fadeTo(kRevealFadeMs, 0.0f, valueTint[revealed].a);
    ++revealed;
    revealTimer = kRevealFadeMs;
    if (revealed == kValueCount) {
        // After the last value: NEXT, and the wait for an idle player.
        showNext();
        idleLeft = kRevealFadeMs + kIdleNextMs;
    }
}

void OXScnBaseSummary::revealAll() {
    for (int i = 0; i < kValueCount; ++i) {
        values[i]->resetActions();
        values[i]->setColour(valueTint[i].r, valueTint[i].g, valueTint[i].b, valueTint[i].a);
        values[i]->setPosition(valueX[i], valueY[i], 2.0f);
        values[i]->setVisible(true);
        values[i]->setActive(true);
    }
    revealed = kValueCount;
    showNext();
    idleLeft = kIdleNextMs;
}

void OXScnBaseSummary::showNext() {
    nextButton->resetActions();
    nextButton->setScale(1, 1, 1);
    nextButton->setState(OXButton::Highlighted);  // the button fire presses
    nextButton->fadeTo(kRevealFadeMs, 0.0f, 1.0f);
}

void OXScnBaseSummary::buttonPressed(int id) {
    overlay::pointerChoice(session, id);
}

void OXScnBaseSummary::choose(int id) {
    if (id == 0 && revealed >= kValueCount) {
        next();
    }
}

void OXScnBaseSummary::next() {
    if (finished) {
        return;
    }
    finished = true;
    latch.clear();
    session.summaryFinished();
}

void OXScnBaseSummary::keyEvent(int key, bool down) {
    if (overlay::isChoice(key)) {
        if (down) {
            choose(key - input::kChoice);
        }
        return;
    }
    if (finished || !latch.released(key, down) ||
        key != overlay::currentBindings(session.profileValues()).fire) {
        return;
    }
    if (revealed < kValueCount) {
        revealAll();  // the first press shows everything at once
    } else {
        next();
    }
}

void OXScnBaseSummary::update(float dtMs) {
    OXScene::update(dtMs);
    if (finished) {
        return;
    }
    if (revealed < kValueCount) {
        revealTimer -= dtMs;
        if (revealTimer <= 0.0f) {
            revealNext();
        }
        return;
    }
    idleLeft -= dtMs;
    if (idleLeft <= 0.0f) {
        next();
    }
}
