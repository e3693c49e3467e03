#pragma once

#include <string>

#include "frontend/HighScoreBoard.h"
#include "frontend/OXScnVLMenu.h"

class OXButton;
class OXSprite;
class OXTextBox;

// The best scores: CLASSIC (casual play), BURST (normal play) and BOSS RUSH tables, one
// shown at a time with its label per row and the score padded to 16 characters. It opens on
// the table of the play style last played. A row whose best score kept its replay has a WATCH
// button that plays it (see IXMenuHost::watchReplay).
class OXScnVLHighScore : public OXScnVLMenu {
  public:
    enum ButtonId { Classic = 0, Burst = 1, Back = 2, BossRush = 3, WatchFirstRow = 10 };

    explicit OXScnVLHighScore(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}

    void buildScene() override;
    bool enterStarted() override;
    void buttonPressed(int id) override;
    void backPressed() override;

    void showTable(int table);
    int getTable() const { return table; }
    const OXTextBox* getScore(int row) const { return scores[row]; }
    // The label shown on the row, or null.
    const OXSprite* getLabel(int row) const;
    // The replay file of a row of the table shown (it may not exist).
    std::string replayPath(int row) const;
    const OXButton* getWatchButton(int row) const { return watchButtons[row]; }

  private:
    int table = HighScoreBoard::Burst;
    OXButton* tabs[HighScoreBoard::kTableCount] = {};  // all owned through objects
    OXTextBox* tableName = nullptr;
    OXSprite* plates[HighScoreBoard::kMaxRows] = {};
    OXSprite* difficultyLabels[HighScoreBoard::kMaxRows] = {};
    OXSprite* playStyleLabels[2] = {};  // the boss-rush table's rows
    OXTextBox* scores[HighScoreBoard::kMaxRows] = {};
    OXButton* watchButtons[HighScoreBoard::kMaxRows] = {};
};
