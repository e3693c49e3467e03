#pragma once

#include "frontend/HangarUpgrades.h"
#include "frontend/OXScnVLMenu.h"

class OXButton;
class OXSprite;
class OXTextBox;

// The hangar: the pilot's rank and upgrade points, one row per upgrade item with its level,
// the price of its next level, and buttons to buy and sell; LAUNCH writes the levels into the
// profile, saves it and starts the stage. Until then nothing reaches the profile: leaving by
// BACK and coming again starts from the profile's levels.
//
// The first three rows are the fighter's systems, marked as such; two lines at the foot say
// what the highlighted row buys, or, on LAUNCH and BACK, how upgrade points are earned.
//
// Up and down move between the rows (and LAUNCH and BACK), left and right between a row's
// minus and plus.
class OXScnVLHanger : public OXScnVLMenu {
  public:
    enum ButtonId { Launch = 0, Back = 1, FirstPlus = 2, FirstMinus = 9 };
    static constexpr int kPips = 10;  // the most levels an item has

    explicit OXScnVLHanger(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}

    void buildScene() override;
    bool enterStarted() override;
    void buttonPressed(int id) override;
    void backPressed() override;
    void keyEvent(int key, bool down) override;
    // Keeps the help lines on the highlighted row.
    void update(float dtMs) override;

    const HangarUpgrades& getUpgrades() const { return upgrades; }
    OXButton* getPlus(int item) const { return rows[item].plus; }
    OXButton* getMinus(int item) const { return rows[item].minus; }
    const OXTextBox* getPoints() const { return points; }
    const OXTextBox* getPrice(int item) const { return rows[item].price; }
    const OXSprite* getBadge() const { return badge; }
    const OXTextBox* getHelp(int line) const { return help[line]; }
    // The item whose minus or plus is highlighted, -1 on LAUNCH and BACK.
    int highlightedItem() const;

  private:
    struct Row {
        OXTextBox* name = nullptr;
        OXTextBox* price = nullptr;  // the next level's price, or why none can be bought
        OXSprite* pips[kPips] = {};  // frame 1 for a level held
        OXButton* plus = nullptr;
        OXButton* minus = nullptr;
    };

    // Levels, prices, buttons, points and the badge from the ledger.
    void refresh();
    // The row and column (0 minus, 1 plus) of the highlighted selectable; row -1 for LAUNCH,
    // kItemCount for BACK.
    void moveHighlight(int row, int column);

    HangarUpgrades upgrades;
    Row rows[HangarUpgrades::kItemCount];
    OXButton* launch = nullptr;  // all owned through objects
    OXButton* back = nullptr;
    OXSprite* badge = nullptr;
    OXTextBox* rankName = nullptr;
    OXTextBox* points = nullptr;
    OXTextBox* help[2] = {};
    int helpItem = -2;  // the item the help lines describe; -2 before the first update
};
