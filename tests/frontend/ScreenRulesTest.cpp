// The rules behind the hangar, results, control-settings, options and high-score screens that
// the screens' own tests and the end-to-end menu runs do not reach: refusals, damaged profiles,
// and the results' count agreeing with the profile.

#include <gtest/gtest.h>

#include "MenuTestHost.h"
#include "data/CXUserProfile.h"
#include "frontend/ControlBindings.h"
#include "frontend/ExperienceCounter.h"
#include "frontend/HangarUpgrades.h"
#include "frontend/OptionSettings.h"
#include "frontend/HighScoreBoard.h"
#include "frontend/PilotRank.h"

namespace {

using Item = HangarUpgrades::Item;

HangarUpgrades hangarWith(int points, int weapon = 0, int missiles = 0, int options = 0) {
    CXUserProfile profile;
    profile.upgradePoints = points;
    profile.weapon = weapon;
    profile.missiles = missiles;
    profile.options = options;
    HangarUpgrades hangar;
    hangar.loadFrom(profile);
    return hangar;
}

// ---- Hangar ----

TEST(Hangar, RefusedTradesChangeNothing) {
    CXUserProfile profile;
    profile.upgradePoints = 5000;
    profile.weapon = 3;  // at its maximum
    profile.bombs = 1;
    profile.lives = 1;
    profile.continues = 1;
    profile.tokens = 10;
    HangarUpgrades hangar;
    hangar.loadFrom(profile);
    // At the maximum, points to spare do not buy another level.
    EXPECT_FALSE(hangar.buy(Item::Weapon));
    EXPECT_FALSE(hangar.buy(Item::Tokens));
    // Bombs, lives and continues never go below 1; the others stop at 0.
    for (int item : {Item::Bombs, Item::Lives, Item::Continues}) {
        EXPECT_FALSE(hangar.sell(item)) << HangarUpgrades::itemName(item);
        EXPECT_EQ(hangar.level(item), 1);
    }
    EXPECT_FALSE(hangar.sell(Item::Missiles));
    EXPECT_EQ(hangar.points(), 5000);
    // Not enough points: 399 does not buy the first weapon level.
    HangarUpgrades poor = hangarWith(399);
    EXPECT_FALSE(poor.buy(Item::Weapon));
    EXPECT_TRUE(poor.buy(Item::Bombs));
    EXPECT_EQ(poor.points(), 399 - 150);  // bombs start at 2
    EXPECT_FALSE(poor.buy(-1));
    EXPECT_FALSE(poor.sell(HangarUpgrades::kItemCount));
}

// The profile cuts the weapon systems down to five levels in all when it loads, so a sixth
// level bought would vanish with the points paid for it.
TEST(Hangar, WeaponSystemsStopAtFiveLevelsInAll) {
    HangarUpgrades hangar = hangarWith(10000, 3, 2, 0);
    EXPECT_FALSE(hangar.buy(Item::Options));
    EXPECT_FALSE(hangar.buy(Item::Missiles));
    EXPECT_TRUE(hangar.buy(Item::Bombs));  // the stock is not limited by them
    ASSERT_TRUE(hangar.sell(Item::Weapon));
    EXPECT_TRUE(hangar.buy(Item::Options));
    EXPECT_EQ(hangar.weaponSystemLevels(), 5);
}

TEST(Hangar, LevelsOutsideTheRankTablesShowTheirNearestEnd) {
    EXPECT_STREQ(PilotRank::name(-4), PilotRank::name(0));
    EXPECT_STREQ(PilotRank::name(40), PilotRank::name(9));
    EXPECT_EQ(PilotRank::badgeFrame(40), PilotRank::badgeFrame(10));
}

// ---- Results ----

TEST(ResultsCount, FillingTheBarRaisesTheRankAndCarriesTheRest) {
    ExperienceCounter counter;
    counter.start(1, 690, 1000);  // 10 short of the next rank
    int steps = 0;
    while (!counter.finished()) {
        counter.step();
        ++steps;
    }
    // The display ends where the profile's own arithmetic does.
    CXUserProfile profile;
    profile.level = 1;
    profile.expToLevel = 690;
    profile.addPendingExperience(1000);
    profile.applyExperience();
    EXPECT_EQ(counter.level(), profile.level);
    EXPECT_EQ(counter.experience(), profile.expToLevel);
    EXPECT_GT(steps, 60);  // a second or more at 60 frames: the count is seen
    EXPECT_FLOAT_EQ(counter.barFraction(), profile.expToLevel / 1000.0f);
}

TEST(ResultsCount, TheProfilesExperienceCountsUpOnce) {
    CXUserProfile profile;
    earnExperience(profile, 2, 400, 700);
    ExperienceCounter counter;
    counter.start(profile);
    EXPECT_EQ(counter.level(), 2);
    EXPECT_EQ(counter.experience(), 400);
    EXPECT_EQ(counter.pending(), 700);
    EXPECT_EQ(profile.appliedExperience, 0);
    counter.start(profile);  // shown again: nothing more to count
    EXPECT_TRUE(counter.finished());
}

// ---- Control settings ----

TEST(Bindings, BindingsOutsideTheKeyTableOrSharedAreMended) {
    CXUserProfile profile;
    profile.controls[0] = 99;
    profile.controls[1] = -3;
    profile.controls[2] = 26;  // pause's P
    profile.controls[3] = 26;
    testing::internal::CaptureStdout();
    EXPECT_EQ(ControlBindings::repair(profile), 3);
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_NE(console.find("CONTROL Fire/accept WAS ON UNKNOWN KEY 99, NOW ON KEY 2"), std::string::npos)
        << console;
    EXPECT_EQ(profile.controls[0], 2);
    EXPECT_EQ(profile.controls[1], 3);
    EXPECT_EQ(profile.controls[2], 26);
    EXPECT_EQ(profile.controls[3], 1);  // the first default key left free
    EXPECT_EQ(ControlBindings::repair(profile), 0);
}

// ---- Options ----

TEST(Options, ADamagedProfileShowsAValueTheTogglesHave) {
    OptionSettings settings;
    CXUserProfile odd;
    odd.screenOrientation = 9;
    odd.musicVolume = 4.0f;
    settings.enter(odd);
    EXPECT_EQ(settings.rotationLabel(), "SCREEN ROTATION: 270");
    EXPECT_FLOAT_EQ(settings.musicVolume, 1.0f);
    settings.cycleScreenRotation();  // 270 turns round to 0
    settings.writeTo(odd);
    EXPECT_EQ(odd.screenOrientation, 0);
}

// ---- High scores ----

// Which table shows which score, the screen's own test reads.
TEST(HighScores, RowsAndTablesThatDoNotExistAreZeroAndTheWidestScoreIsNeverCut) {
    CXUserProfile profile;
    profile.bossScore[2] = 42;
    EXPECT_EQ(HighScoreBoard::score(profile, HighScoreBoard::BossRush, 2), 0);  // no such row
    EXPECT_EQ(HighScoreBoard::score(profile, 5, 0), 0);
    EXPECT_EQ(HighScoreBoard::scoreText(9223372036854775807LL), "9223372036854775807");
}

}  // namespace
