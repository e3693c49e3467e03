#include "frontend/OXScnVLHighScore.h"

#include <cstdio>
#include <filesystem>

#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "engine/OXTextBox.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/ScreenParts.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/Replay.h"

namespace {
constexpr float kFirstRowY = 600.0f;
constexpr float kRowStep = 100.0f;
constexpr float kScoreRight =
    506.0f;                        // where a row's score ends, clear of its WATCH; 16 characters start at 98
constexpr float kWatchX = 600.0f;  // WATCH ends inside the row's plate and a 16:9 view
constexpr int kScoreSize = OXScnVLMenu::kSmallestTextSize;
constexpr int kTableNameSize = 56;
constexpr const char* kTabButton = "assets/plist/btn_menu_tab";
constexpr const char* kWatchButton = "assets/plist/btn_menu_watch";

// Label sprites: the four difficulties, then the two play styles of the boss-rush table.
const char* const kDifficultyLabels[] = {
    "assets/plist/spr_score_label_easy", "assets/plist/spr_score_label_normal",
    "assets/plist/spr_score_label_hard", "assets/plist/spr_score_label_extreme"};
const char* const kPlayStyleLabels[] = {"assets/plist/spr_score_label_normal_play",
                                        "assets/plist/spr_score_label_casual_play"};
// The tabs' buttons by table; they are the screen's first selectables, in this order.
const int kTabIds[HighScoreBoard::kTableCount] = {OXScnVLHighScore::Casual, OXScnVLHighScore::Normal,
                                                  OXScnVLHighScore::BossRush};
const float kTabX[HighScoreBoard::kTableCount] = {192.0f, 384.0f, 576.0f};
// The tabs' labels: each fits its 192-unit tab at the menus' smallest text size.
const char* const kTabLabels[HighScoreBoard::kTableCount] = {"CASUAL", "NORMAL", "BOSSES"};

HighScoreBoard::Table lastPlayedTable(const GameChoices& choices) {
    return choices.casual ? HighScoreBoard::Casual : HighScoreBoard::Normal;
}
}  // namespace

using ScreenParts::addSprite;

void OXScnVLHighScore::buildScene() {
    addHeading("HIGH SCORES");
    for (const HighScoreBoard::Table tab : HighScoreBoard::kTables) {
        tabs[tab] = addButton(kTabIds[tab], kTabLabels[tab], kTabX[tab], 790, kTabButton);
    }
    tableName = addText("", kCentreX, 690, kTableNameSize, OXTextBox::AlignCentre);
    for (int row = 0; row < HighScoreBoard::kMaxRows; ++row) {
        const float y = kFirstRowY - kRowStep * static_cast<float>(row);
        plates[row] = addSprite(*this, "assets/plist/spr_menu_row_plate", kCentreX, y);
        plates[row]->setScale(0.9f, 1, 1);
        plates[row]->setZ(0);
        difficultyLabels[row] = addSprite(*this, kDifficultyLabels[row], 250, y);
        if (row < 2) {
            playStyleLabels[row] = addSprite(*this, kPlayStyleLabels[row], 250, y);
        }
        // The text boxes are made with the width of the longest score they show.
        scores[row] = addText("            0", kScoreRight, y + 2, kScoreSize, OXTextBox::AlignRight);
        reaches[row] = addText("TRUE FIFTH", kScoreRight, y - 27, kSmallestTextSize, OXTextBox::AlignRight);
        reaches[row]->setColour(1.0f, 0.85f, 0.55f, 1);
    }
    // After the tabs, which stay the first selectables: a table's tab is the selectable of
    // the same number.
    for (int row = 0; row < HighScoreBoard::kMaxRows; ++row) {
        const float y = kFirstRowY - kRowStep * static_cast<float>(row);
        watchButtons[row] = addButton(WatchFirstRow + row, "WATCH", kWatchX, y, kWatchButton);
    }
    trueRouteCaption =
        addText("TRUE ROUTE CLEARED ON", kCentreX, 222, kSmallestTextSize, OXTextBox::AlignCentre);
    trueRoute = addText("HARD, EXTREME", kCentreX, 188, kSmallestTextSize, OXTextBox::AlignCentre);
    for (OXTextBox* line : {trueRouteCaption, trueRoute}) {
        line->setColour(1.0f, 0.85f, 0.55f, 1);
    }
    addButton(Back, "BACK", kCentreX, 130, kMenuButton);
    showTable(lastPlayedTable(host.gameChoices()));
    addKeyHints();
}

bool OXScnVLHighScore::enterStarted() {
    showTable(lastPlayedTable(host.gameChoices()));
    return OXScnVLMenu::enterStarted();
}

int OXScnVLHighScore::firstSelectable() const {
    const int remembered = rememberedSelectable();
    return remembered >= HighScoreBoard::kTableCount ? remembered : table;
}

void OXScnVLHighScore::keyEvent(int key, bool down) {
    if ((key != leftKey && key != rightKey) || key == acceptKey || key == backKey) {
        OXScnVLMenu::keyEvent(key, down);
        return;
    }
    if (!down) {
        return;
    }
    showTable(HighScoreBoard::nextTable(table, key == rightKey ? 1 : -1));
    // The highlight goes with the table, so the lit tab and the highlighted one agree.
    highlightSelectable(table);
}

void OXScnVLHighScore::showTable(HighScoreBoard::Table chosen) {
    table = chosen;
    tableName->setText(HighScoreBoard::tableTitle(table));
    for (int row = 0; row < HighScoreBoard::kMaxRows; ++row) {
        const bool shown = row < HighScoreBoard::rowCount(table);
        const bool bossRush = table == HighScoreBoard::BossRush;
        plates[row]->setVisible(shown);
        scores[row]->setVisible(shown);
        reaches[row]->setVisible(shown);
        difficultyLabels[row]->setVisible(shown && !bossRush);
        if (row < 2) {
            playStyleLabels[row]->setVisible(shown && bossRush);
        }
        watchButtons[row]->setVisible(shown && std::filesystem::exists(replayPath(row)));
        if (!shown) {
            continue;
        }
        scores[row]->setText(HighScoreBoard::scoreText(HighScoreBoard::score(host.profile(), table, row)));
        reaches[row]->setText(HighScoreBoard::reachText(host.profile(), table, row));
    }
    // The hidden stage is cleared by difficulty, whatever the play style.
    trueRoute->setText(table == HighScoreBoard::BossRush ? ""
                                                         : HighScoreBoard::trueRouteText(host.profile()));
    trueRouteCaption->setVisible(!trueRoute->getText().empty());
    std::printf("HIGH SCORES %s:", HighScoreBoard::tableName(table));
    for (int row = 0; row < HighScoreBoard::rowCount(table); ++row) {
        std::printf(" %lld", HighScoreBoard::score(host.profile(), table, row));
    }
    std::printf("\n");
    // The tab of the table shown stays lit.
    for (int tab = 0; tab < HighScoreBoard::kTableCount; ++tab) {
        tabs[tab]->setColour(tab == table ? 1.0f : 0.55f, tab == table ? 1.0f : 0.6f,
                             tab == table ? 1.0f : 0.7f, 1);
    }
}

const OXSprite* OXScnVLHighScore::getLabel(int row) const {
    if (row < 0 || row >= HighScoreBoard::rowCount(table)) {
        return nullptr;
    }
    return table == HighScoreBoard::BossRush ? playStyleLabels[row] : difficultyLabels[row];
}

std::string OXScnVLHighScore::replayPath(int row) const {
    // The tables' rows as the session keeps their replays: arcade by difficulty in casual or
    // normal play; boss rush by play style, normal play first.
    const bool bossRush = table == HighScoreBoard::BossRush;
    const bool casual = bossRush ? row == 1 : table == HighScoreBoard::Casual;
    const std::string name = CXGameSession::highScoreReplayName(
        bossRush ? GameMode::BossRush : GameMode::Arcade, casual, difficultyFromStored(bossRush ? 0 : row));
    return replayFolderFor(host.profile().getPath()) + "/" + name;
}

void OXScnVLHighScore::buttonPressed(int id) {
    if (id >= WatchFirstRow && id < WatchFirstRow + HighScoreBoard::kMaxRows) {
        const bool watching = host.watchReplay(replayPath(id - WatchFirstRow), kHighScoreScene);
        ScreenParts::playMenuSound(watching ? ScreenParts::MenuSound::Accept
                                            : ScreenParts::MenuSound::Refuse);
        return;
    }
    if (id == Casual || id == Normal || id == BossRush) {
        ScreenParts::playMenuSound(ScreenParts::MenuSound::Accept);
    }
    switch (id) {
        case Casual:
            showTable(HighScoreBoard::Casual);
            break;
        case Normal:
            showTable(HighScoreBoard::Normal);
            break;
        case BossRush:
            showTable(HighScoreBoard::BossRush);
            break;
        case Back:
            backPressed();
            break;
        default:
            break;
    }
}

void OXScnVLHighScore::backPressed() {
    host.switchToScene(kMainScene);
}
