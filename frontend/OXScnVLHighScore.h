#pragma once

#include <string>

#include "frontend/HighScoreBoard.h"
#include "frontend/OXScnVLMenu.h"

class OXButton;
class OXSprite;
class OXTextBox;

// The best scores: CASUAL (casual play), NORMAL (normal play) and BOSS RUSH tables, one
// shown at a time with its label per row and the score padded to 16 characters. It opens on
// the table of the play style last played, with its tab lit and highlighted; left and right
// go through the tabs. A row whose best score kept its replay has a WATCH button that plays
// it (see IXMenuHost::watchReplay).
class OXScnVLHighScore : public OXScnVLMenu {
  public:
    enum ButtonId { Casual = 0, Normal = 1, Back = 2, BossRush = 3, WatchFirstRow = 10 };

    explicit OXScnVLHighScore(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}

    void buildScene() override;
    bool enterStarted() override;
    void buttonPressed(int id) override;
    void backPressed() override;
    void keyEvent(int key, bool down) override;

    void showTable(HighScoreBoard::Table chosen);
    HighScoreBoard::Table getTable() const { return table; }
    const OXTextBox* getScore(int row) const { return scores[row]; }
    const OXTextBox* getReach(int row) const { return reaches[row]; }
    const OXTextBox* getTrueRoute() const { return trueRoute; }
    // The label shown on the row, or null.
    const OXSprite* getLabel(int row) const;
    // The replay file of a row of the table shown (it may not exist).
    std::string replayPath(int row) const;
    const OXButton* getWatchButton(int row) const { return watchButtons[row]; }

  protected:
    // The tab of the table shown, unless the screen was left on a row's WATCH or on BACK.
    int firstSelectable() const override;

  private:
    HighScoreBoard::Table table = HighScoreBoard::Normal;
    OXButton* tabs[HighScoreBoard::kTableCount] = {};  // all owned through objects
    OXTextBox* tableName = nullptr;
    OXSprite* plates[HighScoreBoard::kMaxRows] = {};
    OXSprite* difficultyLabels[HighScoreBoard::kMaxRows] = {};
    OXSprite* playStyleLabels[2] = {};  // the boss-rush table's rows
    OXTextBox* scores[HighScoreBoard::kMaxRows] = {};
    OXTextBox* reaches[HighScoreBoard::kMaxRows] = {};  // how far each best went, under it
    OXTextBox* trueRouteCaption = nullptr;              // "TRUE ROUTE CLEARED ON", over...
    OXTextBox* trueRoute = nullptr;                     // ...the difficulties it was cleared on
    OXButton* watchButtons[HighScoreBoard::kMaxRows] = {};
};
