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
#include "stg/game/CXReplay.h"

namespace {
constexpr float kFirstRowY = 600.0f;
constexpr float kRowStep = 100.0f;
constexpr int kScoreSize = 40;
constexpr int kTabLabelSize = 24;

// Label sprites: the four difficulties, then the two play styles of the boss-rush table.
const char* const kDifficultyLabels[] = {
    "assets/plist/spr_score_label_easy", "assets/plist/spr_score_label_normal",
    "assets/plist/spr_score_label_hard", "assets/plist/spr_score_label_extreme"};
const char* const kPlayStyleLabels[] = {"assets/plist/spr_score_label_burst",
                                        "assets/plist/spr_score_label_classic"};
// The tabs' buttons by table.
const int kTabIds[HighScoreBoard::kTableCount] = {OXScnVLHighScore::Classic, OXScnVLHighScore::Burst,
                                                  OXScnVLHighScore::BossRush};
const float kTabX[HighScoreBoard::kTableCount] = {204.0f, 384.0f, 564.0f};
}  // namespace

using ScreenParts::addSprite;

void OXScnVLHighScore::buildScene() {
    addHeading("HIGH SCORES");
    for (int tab = 0; tab < HighScoreBoard::kTableCount; ++tab) {
        tabs[tab] = addButton(kTabIds[tab], HighScoreBoard::tableName(tab), kTabX[tab], 790,
                              ScreenParts::kSmallButton);
        tabs[tab]->setLabelSize(kTabLabelSize);
    }
    tableName = addText("", kCentreX, 690, 44, 1);
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
        scores[row] = addText("            0", 540, y - 10, kScoreSize, 2);
    }
    // After the rows' scores, so the highlight still opens on the first tab.
    for (int row = 0; row < HighScoreBoard::kMaxRows; ++row) {
        const float y = kFirstRowY - kRowStep * static_cast<float>(row);
        watchButtons[row] = addButton(WatchFirstRow + row, "WATCH", 622, y, ScreenParts::kSmallButton);
        watchButtons[row]->setScale(0.6f, 0.6f, 1);
        watchButtons[row]->setLabelSize(30);
    }
    addButton(Back, "BACK", kCentreX, 130, kMenuButton);
    showTable(CXGameSession::instance().isCasual() ? HighScoreBoard::Classic : HighScoreBoard::Burst);
    addKeyHints();
}

bool OXScnVLHighScore::enterStarted() {
    showTable(CXGameSession::instance().isCasual() ? HighScoreBoard::Classic : HighScoreBoard::Burst);
    return OXScnVLMenu::enterStarted();
}

void OXScnVLHighScore::showTable(int value) {
    if (value < 0 || value >= HighScoreBoard::kTableCount) {
        return;
    }
    table = value;
    tableName->setText(std::string(HighScoreBoard::tableName(table)) + " BEST SCORES");
    for (int row = 0; row < HighScoreBoard::kMaxRows; ++row) {
        const bool shown = row < HighScoreBoard::rowCount(table);
        const bool bossRush = table == HighScoreBoard::BossRush;
        plates[row]->setVisible(shown);
        scores[row]->setVisible(shown);
        difficultyLabels[row]->setVisible(shown && !bossRush);
        if (row < 2) {
            playStyleLabels[row]->setVisible(shown && bossRush);
        }
        watchButtons[row]->setVisible(shown && std::filesystem::exists(replayPath(row)));
        if (!shown) {
            continue;
        }
        scores[row]->setText(HighScoreBoard::scoreText(HighScoreBoard::score(host.profile(), table, row)));
    }
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
    // The tables' rows as the session keeps their replays: arcade by difficulty in casual
    // (CLASSIC) or normal play (BURST); boss rush by play style, normal play first.
    const bool bossRush = table == HighScoreBoard::BossRush;
    const bool casual = bossRush ? row == 1 : table == HighScoreBoard::Classic;
    const std::string name = CXGameSession::highScoreReplayName(
        bossRush ? CXGameSession::BossRush : CXGameSession::Arcade, casual, bossRush ? 0 : row);
    return replayFolderFor(host.profile().getPath()) + "/" + name;
}

void OXScnVLHighScore::buttonPressed(int id) {
    if (id >= WatchFirstRow && id < WatchFirstRow + HighScoreBoard::kMaxRows) {
        host.watchReplay(replayPath(id - WatchFirstRow));
        return;
    }
    switch (id) {
        case Classic:
            showTable(HighScoreBoard::Classic);
            break;
        case Burst:
            showTable(HighScoreBoard::Burst);
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
