#pragma once

#include "frontend/OXScnVLMenu.h"
#include "frontend/PracticeMenu.h"

class OXButton;
class OXTextBox;

// Practice, from the bonus screen: two pages under a tab row.
//
// STAGES: one row each for the stage (those the profile has reached), the difficulty, the
// weapon level, bombs and lives, and START, which plays that one stage with that stock.
// ATTACKS: the boss attacks met in games, one boss a page under a row naming it, each attack a
// row with its record at the difficulty chosen (the difficulty row is shared by both pages);
// accepting a row plays that attack from its start.
//
// Keys: up and down move between rows; left and right change the highlighted setting, turn the
// boss page on the boss row or an attack row, and switch pages on a tab. The mouse: a click on
// a setting moves it one on (round to its first), on the boss row to the next boss. Neither
// writes anything to the profile: practice keeps no score. Back returns to the bonus screen.
class OXScnVLPractice : public OXScnVLMenu {
  public:
    enum ButtonId {
        StagesTab = 0,
        AttacksTab = 1,
        Back = 2,
        Start = 3,
        BossRow = 4,
        FirstSetting = 10,  // + PracticeMenu::Setting
        FirstAttack = 20,   // + the row on the page
    };
    enum class Page { Stages, Attacks };

    explicit OXScnVLPractice(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}

    void buildScene() override;
    // Takes the profile's progress and attacks again, and, back from a practice game, shows the
    // page of that practice with its choices.
    bool enterStarted() override;
    void buttonPressed(int id) override;
    void backPressed() override;
    void keyEvent(int key, bool down) override;

    void showPage(Page chosen);
    Page getPage() const { return page; }
    const PracticeMenu& getMenu() const { return menu; }
    OXButton* getSettingRow(PracticeMenu::Setting setting) const { return settingRows[setting]; }
    OXButton* getAttackRow(int row) const { return attackRows[row]; }
    OXButton* getBossRow() const { return bossRow; }
    OXButton* getStart() const { return start; }
    // The name of the attack on a row (its button's label) and the record under it.
    const OXTextBox* getAttackName(int row) const;
    const OXTextBox* getAttackRecord(int row) const { return attackRecords[row]; }
    // The two lines that say how attacks come to be listed; shown while none is.
    const OXTextBox* getEmptyNote(int line) const { return emptyNote[line]; }

  protected:
    // The top row of the page on a first visit; back from a practice game, START or the row of
    // the attack practised.
    int firstSelectable() const override;

  private:
    // Every text and what is shown from the rules.
    void refresh();
    int selectableIndex(const IXRenderObject* widget) const;
    const IXRenderObject* highlightedWidget() const;
    // The setting whose row is highlighted, or kSettingCount.
    PracticeMenu::Setting highlightedSetting() const;
    // The attack row highlighted, -1 for none.
    int highlightedAttack() const;
    void startPractice(bool chosen);

    PracticeMenu menu;
    Page page = Page::Stages;
    OXButton* tabs[2] = {};  // all owned through objects
    OXButton* settingRows[PracticeMenu::kSettingCount] = {};
    OXButton* start = nullptr;
    OXButton* bossRow = nullptr;
    OXButton* attackRows[PracticeMenu::kRowsPerPage] = {};
    OXTextBox* attackRecords[PracticeMenu::kRowsPerPage] = {};
    OXTextBox* bossCount = nullptr;
    OXTextBox* stageHint = nullptr;
    OXTextBox* noScore = nullptr;
    OXTextBox* emptyNote[2] = {};
    bool backFromPractice = false;  // entered from a practice game's end: its row is offered first
};
