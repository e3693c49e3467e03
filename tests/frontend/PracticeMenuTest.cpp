// The practice screen: the stages it offers as the profile progresses, the attacks it lists by
// boss with their records, the choices it hands the game, and the screen driven by keys to a
// stage start.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MenuTestHost.h"
#include "data/CXUserProfile.h"
#include "engine/OXButton.h"
#include "engine/OXTextBox.h"
#include "frontend/MenuSceneIndex.h"
#include "frontend/OXScnVLPractice.h"
#include "frontend/PracticeMenu.h"
#include "stg/game/CXGameSession.h"
#include "tests/stg/game/GameTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

using Menu = PracticeMenu;
constexpr int kHidden = CXGameSession::kHiddenStageChoice;
constexpr int kNormal = 1, kHard = 2;

// Two bosses of a package, by name; any other boss is missing.
std::string twoBosses(const std::string& file) {
    return file == "boss_vigil" ? "Halcyon Vigil" : file == "boss_bastion" ? "BASTION" : "";
}

CXUserProfile::AttackRecord& meet(CXUserProfile& profile, const char* boss, int phase, const char* name,
                                  int stage = 0) {
    return profile.attackRecord(boss, phase, name, stage);
}

// ---- Stages ----

TEST(PracticeStages, FollowTheProfilesProgress) {
    CXUserProfile profile;
    EXPECT_EQ(Menu::stagesReached(profile, 5), (std::vector<int>{0}));
    // A clear on any difficulty in either play style opens the next stage.
    profile.stagesBeaten[0][0][0] = 1;  // casual, easy, stage 1
    EXPECT_EQ(Menu::stagesReached(profile, 5), (std::vector<int>{0, 1}));
    // Free play went straight to stage 3 and cleared it: it was reached, and opens stage 4.
    profile.stagesBeaten[1][3][2] = 1;
    EXPECT_EQ(Menu::stagesReached(profile, 5), (std::vector<int>{0, 1, 2, 3}));
    // Never past what the campaign holds.
    EXPECT_EQ(Menu::stagesReached(profile, 2), (std::vector<int>{0, 1}));
    // The hidden stage once reached, while the campaign holds the stage it replaces.
    profile.hiddenStageReached = true;
    EXPECT_EQ(Menu::stagesReached(profile, 5), (std::vector<int>{0, 1, 2, 3, kHidden}));
    EXPECT_EQ(Menu::stagesReached(profile, 4), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_TRUE(Menu::stagesReached(profile, 0).empty());
}

TEST(PracticeStages, StockComesFromTheProfileOrTheLastPracticeAndStaysInRange) {
    CXUserProfile profile;
    profile.weapon = 3;
    profile.bombs = 4;
    profile.lives = 1;
    GameChoices choices;
    choices.mode = GameMode::Arcade;
    choices.difficulty = Difficulty::Hard;
    Menu menu;
    menu.enter(profile, choices, 5, twoBosses);
    EXPECT_EQ(menu.weapon(), 3);
    EXPECT_EQ(menu.bombs(), 4);
    EXPECT_EQ(menu.lives(), 1);
    EXPECT_EQ(menu.difficulty(), Difficulty::Hard);
    EXPECT_EQ(menu.settingText(Menu::DifficultyRow), "DIFFICULTY: HARD");

    // Back from a practice game, its own choices; bad values held to their ranges.
    profile.stagesBeaten[1][1][0] = 1;
    choices.mode = GameMode::StagePractice;
    choices.practice.stage = 1;
    choices.practice.weapon = 9;
    choices.practice.bombs = -3;
    choices.practice.lives = 5;
    menu.enter(profile, choices, 5, twoBosses);
    EXPECT_EQ(menu.stage(), 1);
    EXPECT_EQ(menu.weapon(), Menu::kHighestWeapon);
    EXPECT_EQ(menu.bombs(), 0);
    EXPECT_EQ(menu.settingText(Menu::StageRow), "STAGE: 2");

    // Keys stop at the ends; a click goes round.
    EXPECT_FALSE(menu.step(Menu::WeaponRow, 1));
    EXPECT_FALSE(menu.step(Menu::BombsRow, -1));
    EXPECT_FALSE(menu.step(Menu::StageRow, 1));
    EXPECT_TRUE(menu.step(Menu::LivesRow, -2));
    EXPECT_EQ(menu.lives(), 3);
    menu.cycle(Menu::WeaponRow);
    EXPECT_EQ(menu.weapon(), 0);
    menu.cycle(Menu::StageRow);
    EXPECT_EQ(menu.stage(), 0);
    for (int i = 0; i < 3; ++i) {
        menu.step(Menu::DifficultyRow, 1);
    }
    EXPECT_EQ(menu.difficulty(), Difficulty::Extreme);
}

// ---- Attacks ----

TEST(PracticeAttacks, AreGroupedByBossInTheirOrderWithTheDifficultysRecords) {
    CXUserProfile profile;
    CXUserProfile::AttackRecord& crossfire = meet(profile, "boss_vigil", 2, "Crossfire");
    crossfire.tries[kNormal] = 7;
    crossfire.captures[kNormal] = 2;
    crossfire.bestMs[kNormal] = 14230;
    crossfire.tries[kHard] = 3;
    meet(profile, "boss_bastion", 1, "FLAK BARRAGE", 1);
    meet(profile, "boss_gone", 1, "LOST", 1);         // a boss this package lacks
    meet(profile, "../boss_vigil", 3, "SNEAKY", 0);   // not a boss file's name
    meet(profile, "boss_vigil", 1, "CLOSING DOORS");  // met later, fought earlier
    meet(profile, "boss_vigil", 4, "FAR AWAY", 8);    // a stage the campaign lacks
    GameChoices choices;
    choices.difficulty = Difficulty::Normal;
    Menu menu;
    testing::internal::CaptureStdout();
    menu.enter(profile, choices, 5, twoBosses);
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_NE(console.find("boss_gone"), std::string::npos) << console;
    EXPECT_NE(console.find("FAR AWAY"), std::string::npos) << console;

    ASSERT_EQ(menu.pageCount(), 2);
    ASSERT_EQ(menu.pageBoss()->name, "HALCYON VIGIL");
    EXPECT_EQ(menu.pageTitle(), "< HALCYON VIGIL >");
    EXPECT_EQ(menu.pageCountText(), "BOSS 1 OF 2");
    ASSERT_EQ(menu.rowsOnPage(), 2);
    EXPECT_EQ(menu.row(0)->name, "CLOSING DOORS");
    EXPECT_EQ(menu.row(1)->name, "CROSSFIRE");
    EXPECT_EQ(menu.recordText(*menu.row(1)), "2/7 CAPTURED  14.2 S");
    EXPECT_EQ(menu.recordText(*menu.row(0)), "NOT YET TRIED");
    menu.step(Menu::DifficultyRow, 1);
    EXPECT_EQ(menu.recordText(*menu.row(1)), "0/3 CAPTURED  --");

    menu.turnPage(1);
    EXPECT_EQ(menu.pageBoss()->name, "BASTION");
    menu.turnPage(1);  // round to the first
    EXPECT_EQ(menu.pageBoss()->name, "HALCYON VIGIL");
    menu.turnPage(-1);
    EXPECT_EQ(menu.pageBoss()->name, "BASTION");
    EXPECT_EQ(menu.row(1), nullptr);
}

TEST(PracticeAttacks, ManyOrLongOrHugeRecordsStayOnTheirLines) {
    CXUserProfile profile;
    for (int phase = 0; phase < Menu::kRowsPerPage + 2; ++phase) {
        CXUserProfile::AttackRecord& record =
            meet(profile, "boss_vigil", phase, "an attack with a very long name indeed");
        record.tries[kNormal] = 123456789;
        record.captures[kNormal] = 99999999;
        record.bestMs[kNormal] = 987654321;
    }
    Menu menu;
    menu.enter(profile, GameChoices{}, 5, twoBosses);
    ASSERT_EQ(menu.pageCount(), 2);  // one boss over two pages
    EXPECT_EQ(menu.rowsOnPage(), Menu::kRowsPerPage);
    EXPECT_EQ(menu.pageTitle(), "< HALCYON VIGIL 1/2 >");
    EXPECT_LE(menu.row(0)->name.size(), size_t{Menu::kLineGlyphs});
    EXPECT_LE(menu.recordText(*menu.row(0)).size(), size_t{Menu::kLineGlyphs});
    menu.turnPage(1);
    EXPECT_EQ(menu.rowsOnPage(), 2);
    EXPECT_EQ(menu.row(0)->phase, Menu::kRowsPerPage);
}

// ---- What the game is handed ----

TEST(PracticeChoices, AStageAndAnAttackHandTheGameWhatItPlays) {
    CXUserProfile profile;
    profile.stagesBeaten[0][2][0] = 1;
    profile.hiddenStageReached = true;
    meet(profile, "boss_bastion", 3, "QUAD BROADSIDE", kHidden);
    GameChoices choices;
    choices.mode = GameMode::FreePlay;
    choices.casual = true;
    Menu menu;
    menu.enter(profile, choices, 5, twoBosses);
    menu.step(Menu::StageRow, 5);  // to the last offered: the hidden stage
    menu.step(Menu::WeaponRow, 2);
    menu.step(Menu::DifficultyRow, 2);
    ASSERT_TRUE(menu.chooseStage(choices));
    EXPECT_EQ(choices.mode, GameMode::StagePractice);
    EXPECT_FALSE(choices.casual);
    EXPECT_EQ(choices.difficulty, Difficulty::Extreme);
    EXPECT_EQ(choices.practice.stage, kHidden);
    EXPECT_EQ(menu.settingText(Menu::StageRow), "STAGE: TRUE FIFTH");
    EXPECT_EQ(choices.practice.weapon, 2);
    EXPECT_EQ(choices.practice.bombs, profile.bombs);
    EXPECT_EQ(choices.practice.lives, profile.lives);
    EXPECT_TRUE(choices.practice.boss.empty());
    EXPECT_EQ(choices.practice.phase, -1);

    ASSERT_TRUE(menu.chooseAttack(0, choices));
    EXPECT_EQ(choices.mode, GameMode::AttackPractice);
    EXPECT_EQ(choices.practice.stage, kHidden);  // where the attack was met
    EXPECT_EQ(choices.practice.boss, "boss_bastion");
    EXPECT_EQ(choices.practice.phase, 3);
    EXPECT_EQ(choices.practice.weapon, 2);
    // No such row: nothing is written.
    const GameChoices before = choices;
    EXPECT_FALSE(menu.chooseAttack(1, choices));
    EXPECT_EQ(choices.practice.phase, before.practice.phase);
}

TEST(PracticeChoices, BackFromAnAttacksPracticeItsPageAndStockAreShownAgain) {
    CXUserProfile profile;
    for (int phase = 0; phase < Menu::kRowsPerPage + 2; ++phase) {
        meet(profile, "boss_vigil", phase, "ATTACK");
    }
    meet(profile, "boss_bastion", 1, "FLAK BARRAGE");
    GameChoices choices;
    Menu menu;
    menu.enter(profile, choices, 5, twoBosses);
    menu.turnPage(1);  // the vigil's second page
    menu.step(Menu::BombsRow, 3);
    ASSERT_TRUE(menu.chooseAttack(1, choices));
    Menu again;  // the menus are built anew after a game
    again.enter(profile, choices, 5, twoBosses);
    EXPECT_EQ(again.page(), 1);
    EXPECT_EQ(again.bombs(), menu.bombs());
    EXPECT_EQ(again.row(1)->phase, Menu::kRowsPerPage + 1);
}

// ---- The screen ----

class PracticeScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gametest::packageMounted());
        host.userProfile.setPath(folder.file("profile/save.osf"));
    }
    void open() {
        testing::internal::CaptureStdout();
        screen.init();
        screen.setViewWidth(768);
        screen.setViewHeight(1024);
        screen.setHighlightSprite("assets/plist/spr_select_highlight");
        screen.setVisible(true);
        screen.setActive(true);
        screen.enterStarted();
        screen.enterFinished();
        testing::internal::GetCapturedStdout();
    }
    // Left and come back to, as from another screen.
    void enterAgain() {
        testing::internal::CaptureStdout();
        screen.exitStarted();
        screen.enterStarted();
        screen.enterFinished();
        testing::internal::GetCapturedStdout();
    }
    void press(int key) {
        testing::internal::CaptureStdout();
        screen.keyEvent(key, true);
        screen.keyEvent(key, false);
        testing::internal::GetCapturedStdout();
    }
    // Every shown text within the 576 units a 16:9 view shows.
    void expectTextsFit() {
        for (const IXRenderObject* object : screen.getObjects()) {
            const auto* button = dynamic_cast<const OXButton*>(object);
            const auto* text = button ? button->getLabel() : dynamic_cast<const OXTextBox*>(object);
            if (!text || !object->isVisible() || text->getText().empty()) {
                continue;
            }
            const float x = button ? button->getX() : text->getX();
            const float left = x - text->textWidth() * 0.5f * static_cast<float>(text->getAlignment());
            EXPECT_GE(left, 95.5f) << text->getText();
            EXPECT_LE(left + text->textWidth(), 672.5f) << text->getText();
            EXPECT_GE(text->getCharSize(), OXScnVLMenu::kSmallestTextSize) << text->getText();
        }
    }

    testfiles::TempDir folder;
    MenuTestHost host;
    OXScnVLPractice screen{host};
};

TEST_F(PracticeScreen, StartRequestsTheStageChosenWithKeysAndBackLeadsToTheBonusScreen) {
    host.userProfile.stagesBeaten[1][0][0] = 1;
    host.userProfile.weapon = 1;
    open();
    expectTextsFit();
    // The highlight starts on the stage row.
    press(screen.rightKey);  // stage 2
    press(screen.downKey);
    press(screen.rightKey);  // hard
    press(screen.downKey);
    press(screen.rightKey);  // weapon 2
    EXPECT_EQ(screen.getSettingRow(PracticeMenu::WeaponRow)->getLabel()->getText(), "WEAPON LEVEL: 2");
    press(screen.downKey);
    press(screen.downKey);
    press(screen.downKey);  // START
    press(screen.acceptKey);
    ASSERT_EQ(host.stageStarts, 1);
    EXPECT_EQ(host.choices.mode, GameMode::StagePractice);
    EXPECT_EQ(host.choices.practice.stage, 1);
    EXPECT_EQ(host.choices.difficulty, Difficulty::Hard);
    EXPECT_EQ(host.choices.practice.weapon, 2);
    press(screen.backKey);
    EXPECT_EQ(host.scene, kBonusScene);
}

TEST_F(PracticeScreen, AnAttackRowStartsItsAttackAndAnEmptyListSaysWhy) {
    open();
    press(screen.upKey);     // from the stage row to the ATTACKS tab
    press(screen.rightKey);  // either key shows the other page
    EXPECT_EQ(screen.getPage(), OXScnVLPractice::Page::Attacks);
    EXPECT_TRUE(screen.getEmptyNote(0)->isVisible());
    EXPECT_FALSE(screen.getBossRow()->isVisible());

    CXUserProfile::AttackRecord& doors = meet(host.userProfile, "boss_vigil", 1, "CLOSING DOORS", 0);
    doors.tries[kNormal] = 4;
    doors.captures[kNormal] = 1;
    doors.bestMs[kNormal] = 20500;
    meet(host.userProfile, "boss_bastion", 2, "QUAD BROADSIDE", 1);
    enterAgain();  // the records are read anew
    EXPECT_FALSE(screen.getEmptyNote(0)->isVisible());
    EXPECT_EQ(screen.getBossRow()->getLabel()->getText(), "< HALCYON VIGIL >");
    EXPECT_EQ(screen.getAttackRecord(0)->getText(), "1/4 CAPTURED  20.5 S");
    expectTextsFit();
    press(screen.downKey);   // from the ATTACKS tab to the boss row
    press(screen.rightKey);  // the next boss
    EXPECT_EQ(screen.getAttackName(0)->getText(), "QUAD BROADSIDE");
    press(screen.downKey);  // the difficulty
    press(screen.downKey);  // the first attack
    press(screen.acceptKey);
    ASSERT_EQ(host.stageStarts, 1);
    EXPECT_EQ(host.choices.mode, GameMode::AttackPractice);
    EXPECT_EQ(host.choices.practice.boss, "boss_bastion");
    EXPECT_EQ(host.choices.practice.phase, 2);
    EXPECT_EQ(host.choices.practice.stage, 1);
}

}  // namespace
