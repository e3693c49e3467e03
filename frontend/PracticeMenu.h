#pragma once

#include <string>
#include <vector>

#include "data/Difficulty.h"
#include "stg/game/GameChoices.h"

class CXUserProfile;

// The practice screen's rules, without its widgets: which stages may be practised, the stock a
// practice game starts with, and the boss attacks the profile has met, by boss, with the record
// of each at the difficulty chosen. The screen shows what it says and hands its choices to the
// game through chooseStage and chooseAttack.
//
// Stages are free play's (the campaign's level list, at most five, and the hidden last stage in
// the fifth's place once it has been reached), narrowed to those the profile has reached: the
// first always, a later one once the one before it, or it, was cleared on any difficulty in
// either play style.
class PracticeMenu {
  public:
    // The settings of a stage practice, in the order of the screen's rows.
    enum Setting { StageRow = 0, DifficultyRow, WeaponRow, BombsRow, LivesRow, kSettingCount };
    // The most stages free play and practice offer from the campaign's list.
    static constexpr int kMostCampaignStages = 5;
    // The ship's weapon runs from level 0 to 5 (the profile keeps no more); bombs and lives
    // hold what the profile holds, 0 to 5.
    static constexpr int kHighestWeapon = 5;
    static constexpr int kMostBombs = 5;
    static constexpr int kMostLives = 5;
    // Attack rows on one page; a boss with more attacks goes on over further pages.
    static constexpr int kRowsPerPage = 5;
    // The widest line the menus draw: 22 glyphs at their smallest text size.
    static constexpr int kLineGlyphs = 22;

    // One attack the profile has met, as the screen lists it.
    struct Attack {
        std::string boss;  // the boss's file name ("boss_vigil")
        int phase = 0;
        std::string name;  // as shown: capitals, no more than one line
        int stage = 0;     // where it is met: an arcade index, or the hidden stage's choice
        int tries[kDifficultyCount] = {};
        int captures[kDifficultyCount] = {};
        int bestMs[kDifficultyCount] = {};
    };
    // A boss and its attacks met, in the order of its phases.
    struct Boss {
        std::string file;
        std::string name;  // its display name, from its file
        std::vector<Attack> attacks;
    };
    // A boss's display name from its file in the package: its "name", or "BOSS" when it gives
    // none; empty when the package has no such boss (or the file cannot be read).
    using BossNamer = std::string (*)(const std::string& bossFile);
    static std::string packageBossName(const std::string& bossFile);

    // How many of the campaign's stages the menus offer: its level list's, at most
    // kMostCampaignStages. An unreadable list offers none, with a console line.
    static int campaignStages();
    // Whether the hidden last stage is offered: reached once, and the campaign holds the stage
    // it plays in place of.
    static bool hiddenStageOpen(const CXUserProfile& profile, int campaignStages);
    // The stages offered for practice, as practice choices (arcade indices, then the hidden
    // stage's choice); never empty while the campaign holds a stage.
    static std::vector<int> stagesReached(const CXUserProfile& profile, int campaignStages);

    // Takes the stages and attacks from the profile. The stock and difficulty come from the
    // last practice chosen when `choices` hold one (coming back from a practice game), else from
    // the profile's fighter and the difficulty last played. Attacks of a boss the package lacks,
    // or whose stage is not offered by the campaign, are left out, each with a console line.
    void enter(const CXUserProfile& profile, const GameChoices& choices, int campaignStages, BossNamer namer);

    // A setting moved by `step`, held within its range; false when it could not move.
    bool step(Setting setting, int by);
    // A setting moved one on, from its last value round to its first (a click on its row).
    void cycle(Setting setting);
    // The row's text: "STAGE: 3", "DIFFICULTY: HARD", "WEAPON LEVEL: 5", "BOMBS: 2", "LIVES: 2".
    std::string settingText(Setting setting) const;
    // The stage chosen, as a practice choice.
    int stage() const;
    Difficulty difficulty() const { return difficultyChosen; }
    int weapon() const { return weaponLevel; }
    int bombs() const { return bombCount; }
    int lives() const { return lifeCount; }
    const std::vector<int>& stages() const { return stageChoices; }

    // ---- Attacks ----
    const std::vector<Boss>& bosses() const { return bossList; }
    // Pages of attacks: one a boss, more for a boss with more than kRowsPerPage attacks met.
    int pageCount() const { return static_cast<int>(pages.size()); }
    int page() const { return pageShown; }
    // The page `by` pages on, round the ends.
    void turnPage(int by);
    // The boss of the page shown, or null when no attack has been met.
    const Boss* pageBoss() const;
    int rowsOnPage() const;
    // An attack of the page shown, or null.
    const Attack* row(int index) const;
    // The page shown as its heading reads: "< CITADEL HEART >"; with a part number when the
    // boss spans pages ("< CITADEL 2/2 >"); empty without attacks.
    std::string pageTitle() const;
    // "BOSS 2 OF 3", empty without attacks.
    std::string pageCountText() const;
    // The record of an attack at the difficulty chosen: "2/7 CAPTURED  14.2 S" (captures of
    // tries, the fastest capture), "--" for a time when there is none, "NOT YET TRIED" when
    // it has not been faced at this difficulty. Never wider than kLineGlyphs.
    std::string recordText(const Attack& attack) const;

    // ---- Choosing ----
    // Writes a stage practice into `choices`; false, leaving them alone, without a stage.
    bool chooseStage(GameChoices& choices) const;
    // Writes a practice of attack `index` of the page shown; false, leaving them alone, without
    // such a row.
    bool chooseAttack(int index, GameChoices& choices) const;

  private:
    struct Page {
        int boss = 0;
        int first = 0;  // the boss's first attack on the page
    };
    int settingValue(Setting setting) const;
    void setSettingValue(Setting setting, int value);
    static int settingCount(Setting setting, int stageCount);
    void writeStock(GameChoices& choices) const;

    std::vector<int> stageChoices;
    int stageIndex = 0;  // into stageChoices
    Difficulty difficultyChosen = kDefaultDifficulty;
    int weaponLevel = 0;
    int bombCount = 2;
    int lifeCount = 2;
    std::vector<Boss> bossList;
    std::vector<Page> pages;
    int pageShown = 0;
};
