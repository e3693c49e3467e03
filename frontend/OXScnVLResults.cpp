#include "frontend/OXScnVLResults.h"

#include <cstdio>
#include <string>

#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/PilotRank.h"
#include "frontend/ScreenParts.h"
#include "stg/game/overlays/OXScnBaseHUD.h"

namespace {
constexpr float kBarX = 384.0f;
constexpr float kBarY = 370.0f;
constexpr float kBarWidth = 512.0f;  // the fill's full width, scene units
constexpr float kBarScale = 0.95f;
constexpr float kBadgeScale = 1.6f;
constexpr float kRankUpMs = 1200.0f;
constexpr int kLabelSize = OXScnVLMenu::kSmallestTextSize;  // capitals 8 pixels tall at 640 x 480
const char* const kRankUpSound = "trance_warning.caf";
}  // namespace

using ScreenParts::addSprite;

void OXScnVLResults::buildScene() {
    addHeading("RESULTS");
    // The game's final score, as the high scores keep it, and whether it set a record.
    scoreText = addText("", kCentreX, 806, 56, OXTextBox::AlignCentre);
    recordText = addText("", kCentreX, 764, kLabelSize, OXTextBox::AlignCentre);
    recordText->setColour(1.0f, 0.85f, 0.4f, 1);
    showScore();

    addText("PILOT RANK", kCentreX, 712, kLabelSize, OXTextBox::AlignCentre)->setColour(0.5f, 0.8f, 0.9f, 1);
    badge = addSprite(*this, "assets/plist/spr_rank_badge", kCentreX, 610);
    badge->setScale(kBadgeScale, kBadgeScale, 1);
    rankName = addText("", kCentreX, 480, 56, OXTextBox::AlignCentre);
    rankUp = addText("RANK UP!", kCentreX, 540, 64, OXTextBox::AlignCentre);
    rankUp->setColour(1.0f, 0.85f, 0.4f, 0);

    addText("EXPERIENCE", 384 - kBarWidth * kBarScale * 0.5f, 410, kLabelSize, OXTextBox::AlignLeft)
        ->setColour(0.5f, 0.8f, 0.9f, 1);
    gained = addText("", 384 + kBarWidth * kBarScale * 0.5f, 410, kLabelSize, OXTextBox::AlignRight);
    gained->setColour(1.0f, 0.85f, 0.4f, 1);
    OXSprite* frame = addSprite(*this, "assets/plist/spr_exp_bar_frame", kBarX, kBarY);
    frame->setScale(kBarScale, 1, 1);
    barFill = addSprite(*this, "assets/plist/spr_exp_bar_fill", kBarX, kBarY);
    barFill->setZ(2);
    counterText = addText("", kCentreX, 300, kLabelSize, OXTextBox::AlignCentre);

    next = addButton(Next, "NEXT", kCentreX, 220, kMenuButton);
    hangar = addButton(Hangar, "HANGAR", kCentreX, 120, kMenuButton);

    // The experience this game earned; with none to count, the rank as it is now.
    CXUserProfile& profile = host.profile();
    if (profile.appliedExperience > 0) {
        counter.start(profile);
    } else {
        counter.start(profile.level, profile.expToLevel, 0);
    }
    showRank(false);
    showCount();
    showButtons(counter.finished());
    addKeyHints();
}

bool OXScnVLResults::enterStarted() {
    const bool result = OXScnVLMenu::enterStarted();
    showButtons(counter.finished());
    return result;
}

bool OXScnVLResults::enterFinished() {
    const bool result = OXScnVLMenu::enterFinished();
    showButtons(counter.finished());
    return result;
}

void OXScnVLResults::update(float dtMs) {
    OXScnVLMenu::update(dtMs);
    if (!counter.finished()) {
        advance();
    }
}

void OXScnVLResults::advance() {
    const int ranksGained = counter.step();
    if (ranksGained > 0) {
        showRank(true);
        ScreenParts::playSound(kRankUpSound);
        ScreenParts::pop(*rankUp, 2.0f, false);
        rankUp->fadeTo(kRankUpMs, 1.0f, 0.0f, 2.0f);
    }
    showCount();
    if (counter.finished()) {
        showButtons(true);
    }
}

void OXScnVLResults::showScore() {
    const GameResult& result = host.lastGameResult();
    scoreText->setVisible(result.ended);
    recordText->setVisible(result.ended && result.newRecord);
    if (!result.ended) {
        return;
    }
    scoreText->setText(OXScnBaseHUD::scoreLine(result.score));
    if (result.newRecord) {
        recordText->setText(OXScnBaseHUD::recordLine(result.score, result.best));
    }
    std::printf("RESULTS SCORE %lld%s\n", static_cast<long long>(result.score),
                result.newRecord ? " NEW RECORD" : "");
}

void OXScnVLResults::showRank(bool pop) {
    const int level = counter.level();
    badge->setFrame(PilotRank::badgeFrame(level));
    rankName->setText(PilotRank::name(level));
    if (pop) {
        // The new badge lands from three times its size; the name fades in with it.
        badge->scaleTo(200, {3 * kBadgeScale, 3 * kBadgeScale, 1}, {kBadgeScale, kBadgeScale, 1}, 0.25f);
        badge->fadeTo(200, 0.0f, 1.0f);
        rankName->fadeTo(200, 0.0f, 1.0f);
    }
}

void OXScnVLResults::showCount() {
    // The fill is stretched from the bar's left end.
    const float fraction = counter.barFraction();
    barFill->setScale(fraction * kBarScale, 1, 1);
    barFill->setX(kBarX - kBarWidth * kBarScale * 0.5f * (1.0f - fraction));
    barFill->setVisible(fraction > 0.0f);
    counterText->setText(counter.counterText());
    gained->setText(counter.pending() > 0 ? "+" + std::to_string(counter.pending()) : "");
}

void OXScnVLResults::showButtons(bool shown) {
    buttonsShown = shown;
    next->setVisible(shown);
    hangar->setVisible(shown);
    if (highlight) {
        if (shown) {
            placeHighlightOnFirst();
        } else {
            highlight->setVisible(false);
            highlight->setActive(false);
        }
    }
}

void OXScnVLResults::buttonPressed(int id) {
    if (!buttonsShown) {
        return;
    }
    if (id == Next) {
        host.switchToScene(kMainScene);
    } else if (id == Hangar) {
        host.switchToScene(kHangarScene);
    }
}

void OXScnVLResults::keyEvent(int key, bool down) {
    if (!buttonsShown) {
        // Accept lets a player skip the count: it ends where it would have.
        if (key == acceptKey && !down) {
            while (!counter.finished()) {
                advance();
            }
        }
        return;
    }
    OXScene::keyEvent(key, down);
}
