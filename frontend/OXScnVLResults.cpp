#include "frontend/OXScnVLResults.h"

#include <cstdio>
#include <string>
#include <vector>

#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/PilotRank.h"
#include "frontend/ScreenParts.h"
#include "stg/game/overlays/OXScnBaseHUD.h"

namespace {
// The game's layout, top-down: score and record, the badge beside the rank, the experience
// bar, the captures, then NEXT and HANGAR side by side over SEE HIT and KEEP REPLAY.
constexpr float kScoreY = 800.0f;
constexpr float kRecordY = 762.0f;
constexpr float kRankY = 682.0f;
constexpr float kBadgeX = 160.0f;
constexpr float kBadgeScale = 0.8f;
constexpr float kRankTextX = 440.0f;  // right of the badge: the longest rank name fits
constexpr float kRankUpY = 598.0f;
constexpr float kBarX = 384.0f;
constexpr float kBarY = 528.0f;
constexpr float kBarWidth = 512.0f;  // the fill's full width, scene units
constexpr float kBarScale = 0.95f;
constexpr float kCapturesY = 428.0f;
constexpr float kLineGap = 36.0f;
constexpr float kPairY = 262.0f;
constexpr float kPairOffset = 114.0f;  // NEXT and HANGAR either side of the centre
constexpr float kSeeHitY = 190.0f;
constexpr float kKeepY = 122.0f;
// The practice layout: what was practised, the score, the captures, then a column of buttons.
constexpr float kPracticeKindY = 806.0f;
constexpr float kPracticeScoreY = 740.0f;
constexpr float kPracticeCapturesY = 660.0f;
constexpr float kPracticeButtonsY = 440.0f;
constexpr float kWideGap = 74.0f;
constexpr float kRankUpMs = 1200.0f;
constexpr int kLabelSize = OXScnVLMenu::kSmallestTextSize;  // capitals 8 pixels tall at 640 x 480
constexpr Colour kLabelTint{0.5f, 0.8f, 0.9f, 1.0f};
const char* const kRankUpSound = "trance_warning.caf";
}  // namespace

using ScreenParts::addSprite;

void OXScnVLResults::buildScene() {
    const GameResult& result = host.lastGameResult();
    practiceLayout = result.ended && result.practice;
    hitShown = result.ended && result.hits > 0 && !result.replayPath.empty();
    keepShown = result.ended && !result.replayPath.empty();
    addHeading(practiceLayout ? "PRACTICE" : "RESULTS");
    // The game's final score, as the high scores keep it, and whether it set a record.
    scoreText = addText("", kCentreX, practiceLayout ? kPracticeScoreY : kScoreY, 56, OXTextBox::AlignCentre);
    recordText = addText("", kCentreX, kRecordY, kLabelSize, OXTextBox::AlignCentre);
    recordText->setColour(1.0f, 0.85f, 0.4f, 1);
    showScore();

    if (practiceLayout) {
        const char* kind = result.mode == GameMode::StagePractice    ? "STAGE PRACTICE"
                           : result.mode == GameMode::AttackPractice ? "ATTACK PRACTICE"
                                                                     : "PRACTICE GAME";
        addText(kind, kCentreX, kPracticeKindY, kLabelSize, OXTextBox::AlignCentre)
            ->setColour(kLabelTint.r, kLabelTint.g, kLabelTint.b, 1);
        buildCaptures(kPracticeCapturesY);
        // The same practice again is offered only for the practice modes; a game taken over
        // from a replay has no choices to start again from.
        float y = kPracticeButtonsY;
        if (isPracticeMode(result.mode)) {
            buttons[Retry] = addButton(Retry, "RETRY", kCentreX, y, ScreenParts::kWideButton);
            y -= kWideGap;
        }
        buttons[SeeHit] = addButton(SeeHit, "SEE HIT", kCentreX, y, ScreenParts::kWideButton);
        y -= hitShown ? kWideGap : 0.0f;
        buttons[KeepReplay] = addButton(KeepReplay, "KEEP REPLAY", kCentreX, y, ScreenParts::kWideButton);
        y -= keepShown ? kWideGap : 0.0f;
        buttons[Back] = addButton(Back, "BACK", kCentreX, y, ScreenParts::kWideButton);
        // Nothing counts up: the buttons are there at once.
        counter.start(host.profile().level, host.profile().expToLevel, 0);
    } else {
        buildRankAndExperience();
        buildCaptures(kCapturesY);
        buttons[Next] = addButton(Next, "NEXT", kCentreX - kPairOffset, kPairY, ScreenParts::kSmallButton);
        buttons[Hangar] =
            addButton(Hangar, "HANGAR", kCentreX + kPairOffset, kPairY, ScreenParts::kSmallButton);
        buttons[SeeHit] = addButton(SeeHit, "SEE HIT", kCentreX, kSeeHitY, ScreenParts::kWideButton);
        buttons[KeepReplay] = addButton(KeepReplay, "KEEP REPLAY", kCentreX, hitShown ? kKeepY : kSeeHitY,
                                        ScreenParts::kWideButton);
        next = buttons[Next];
        // The experience this game earned; with none to count, the rank as it is now.
        CXUserProfile& profile = host.profile();
        if (profile.appliedExperience > 0) {
            counter.start(profile);
        } else {
            counter.start(profile.level, profile.expToLevel, 0);
        }
        showRank(false);
        showCount();
    }
    showButtons(counter.finished());
    addKeyHints();
}

void OXScnVLResults::buildRankAndExperience() {
    badge = addSprite(*this, "assets/plist/spr_rank_badge", kBadgeX, kRankY);
    badge->setScale(kBadgeScale, kBadgeScale, 1);
    addText("PILOT RANK", kRankTextX, kRankY + 18, kLabelSize, OXTextBox::AlignCentre)
        ->setColour(kLabelTint.r, kLabelTint.g, kLabelTint.b, 1);
    rankName = addText("", kRankTextX, kRankY - 32, kLabelSize, OXTextBox::AlignCentre);
    rankUp = addText("RANK UP!", kCentreX, kRankUpY, kLabelSize, OXTextBox::AlignCentre);
    rankUp->setColour(1.0f, 0.85f, 0.4f, 0);

    addText("EXPERIENCE", kBarX - kBarWidth * kBarScale * 0.5f, kBarY + 32, kLabelSize, OXTextBox::AlignLeft)
        ->setColour(kLabelTint.r, kLabelTint.g, kLabelTint.b, 1);
    gained = addText("", kBarX + kBarWidth * kBarScale * 0.5f, kBarY + 32, kLabelSize, OXTextBox::AlignRight);
    gained->setColour(1.0f, 0.85f, 0.4f, 1);
    OXSprite* frame = addSprite(*this, "assets/plist/spr_exp_bar_frame", kBarX, kBarY);
    frame->setScale(kBarScale, 1, 1);
    barFill = addSprite(*this, "assets/plist/spr_exp_bar_fill", kBarX, kBarY);
    barFill->setZ(2);
    counterText = addText("", kCentreX, kBarY - 52, kLabelSize, OXTextBox::AlignCentre);
}

// The attacks the game captured, by name, under their title: the first few, and how many more.
void OXScnVLResults::buildCaptures(float top) {
    addText("ATTACKS CAPTURED", kCentreX, top, kLabelSize, OXTextBox::AlignCentre)
        ->setColour(kLabelTint.r, kLabelTint.g, kLabelTint.b, 1);
    const std::vector<std::string>& names = host.lastGameResult().capturedAttacks;
    const int count = static_cast<int>(names.size());
    const int listed = count > kCaptureLines ? kCaptureLines - 1 : count;
    for (int line = 0; line < kCaptureLines; ++line) {
        std::string text;
        if (line < listed) {
            text = names[static_cast<size_t>(line)];
            if (text.size() > static_cast<size_t>(kLineGlyphs)) {
                text.resize(kLineGlyphs - 1);
                text += '.';
            }
        } else if (line == listed && count > listed) {
            text = "+" + std::to_string(count - listed) + " MORE";
        } else if (line == 0 && count == 0) {
            text = "NO ATTACK CAPTURED";
        }
        captureLines[line] = addText(text, kCentreX, top - kLineGap * static_cast<float>(line + 1),
                                     kLabelSize, OXTextBox::AlignCentre);
        if (count == 0) {
            captureLines[line]->setColour(0.6f, 0.6f, 0.6f, 1);
        }
    }
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
    if (!badge) {
        return;  // the practice layout shows no rank
    }
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
    if (!barFill) {
        return;
    }
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
    for (int id = Next; id <= Back; ++id) {
        if (OXButton* button = buttons[id]) {
            const bool offered = (id != SeeHit || hitShown) && (id != KeepReplay || keepShown);
            button->setVisible(shown && offered);
        }
    }
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
    if (!buttonsShown || id < Next || id > Back || !buttons[id] || !buttons[id]->isVisible()) {
        return;
    }
    const GameResult& result = host.lastGameResult();
    switch (id) {
        case Next:
            host.switchToScene(kMainScene);
            break;
        case Hangar:
            host.switchToScene(kHangarScene);
            break;
        case SeeHit:
            // The last hit of the game's replay, frozen and ringed; back here afterwards.
            host.showHit(result.replayPath, -1, kResultsScene);
            break;
        case KeepReplay:
            host.askToKeepLastReplay();
            host.switchToScene(kReplayScene);
            break;
        case Retry:
            // The choices still hold the practice just played.
            host.requestStageStart();
            break;
        case Back:
            host.switchToScene(isPracticeMode(result.mode) ? kPracticeScene : kMainScene);
            break;
        default:
            break;
    }
}

void OXScnVLResults::backPressed() {
    if (buttonsShown && practiceLayout) {
        buttonPressed(Back);
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
