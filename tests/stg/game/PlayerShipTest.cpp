// The player's ship on the stand-in world: hits, bombs and the shield, score, the graze chain,
// the trance, the counter-attack, dying and respawning, its pods and bomb, and play that must
// not allocate.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

#include "engine/CXGfxManager.h"
#include "engine/OXTextBox.h"
#include "stg/game/OXBomb.h"
#include "stg/game/OXOption.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/OXBullet.h"
#include "stg/shot/OXLauncher.h"
#include "tests/stg/game/GameTestSupport.h"
#include "tests/support/AllocationCounter.h"
#include "tests/support/StandInPlayerWorld.h"

namespace {

using gametest::kStep;

// The real ship on the real bullet manager, reset as the game scene leaves it.
struct Rig {
    explicit Rig(int optionPairs = 0, int difficulty = 1, int weaponLevel = 0) {
        world.run.optionPairs = optionPairs;
        world.run.difficulty = difficultyFromStored(difficulty);
        world.run.weaponLevel = weaponLevel;
        bullets.load("assets/plist/atlas_bullets");
        ship.setWorld(&world);
        ship.setBulletManager(&bullets);
        ship.load(kShipPath);
        ship.resetState();
    }

    void play(float ms) {
        for (float t = 0.0f; t < ms; t += kStep) {
            ship.tick(kStep);
        }
    }
    void bringIntoPlay() {  // spawned and flown in: under control
        ship.spawn(false, true);
        play(600.0f);
    }
    void enterTrance() {  // a full gauge, a request, the freeze and the HUD's cut-in
        ship.addBreak(OXSTGBasePlayer::kBreakFull);
        ship.requestTrance();
        play(150.0f);
        ship.startBreak();
    }

    static constexpr const char* kShipPath = "assets/plist/senko_type_a";
    StandInPlayerWorld world;
    CXBulletManager bullets;
    OXSTGBasePlayer ship;
};

class PlayerShip : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!gametest::packageMounted()) {
            GTEST_SKIP() << "data.oap is not built";
        }
    }
};

// ---- Hits: the bomb and the shield come first, break mode ends, then damage ----

using PlayerShipHit = PlayerShip;

TEST_F(PlayerShipHit, ABombInStockTakesTheHitThenTheShieldRunsAndASecondHitCostsHitPoints) {
    Rig rig;
    rig.world.run.bombs = 2;
    rig.bringIntoPlay();
    rig.ship.addMultiplier(5.0f);  // 1 + 0.6 x 5 = 4
    for (int i = 0; i < 7; ++i) {
        rig.ship.graze();
    }
    rig.ship.hit(-1.0f);
    EXPECT_FLOAT_EQ(rig.ship.getHitPoints(), 1.0f);
    EXPECT_EQ(rig.world.run.bombs, 1);
    EXPECT_EQ(rig.world.bombs, 1);
    EXPECT_GT(rig.ship.getInvulnerability(), 0.0f);
    EXPECT_GT(rig.ship.getShieldTimer(), 0.0f);
    EXPECT_FLOAT_EQ(rig.ship.getMultiplier(), 2.0f);
    EXPECT_EQ(rig.ship.getGrazeChain(), 0);

    // The shield runs: the next hit reaches the hull even with a bomb left.
    rig.play(500.0f);
    rig.ship.hit(-1.0f);
    EXPECT_FLOAT_EQ(rig.ship.getHitPoints(), 0.0f);
    EXPECT_EQ(rig.world.run.bombs, 1);
    EXPECT_FLOAT_EQ(rig.ship.getMultiplier(), 1.0f);
}

TEST_F(PlayerShipHit, TheShieldRunsOutWithAWarning) {
    Rig rig;
    rig.world.run.bombs = 3;
    rig.bringIntoPlay();
    rig.ship.hit(-1.0f);
    rig.play(4100.0f);
    EXPECT_LT(rig.ship.getShieldTimer(), 0.0f);
    ASSERT_NE(rig.ship.getWarningCircle(), nullptr);
    EXPECT_TRUE(rig.ship.getWarningCircle()->isVisible());
    // Bombs again once the shield is down.
    rig.ship.hit(-1.0f);
    EXPECT_EQ(rig.world.run.bombs, 1);
    EXPECT_FLOAT_EQ(rig.ship.getHitPoints(), 1.0f);
}

TEST_F(PlayerShipHit, AHitInBreakModeEndsTheTranceAndCostsNeitherLifeNorMultiplier) {
    Rig rig;
    rig.world.run.bombs = 2;
    rig.bringIntoPlay();
    rig.ship.addMultiplier(5.0f);
    rig.enterTrance();
    ASSERT_TRUE(rig.ship.isTranceActive());
    rig.ship.hit(-1.0f);
    EXPECT_FALSE(rig.ship.isTranceActive());
    EXPECT_FLOAT_EQ(rig.ship.getHitPoints(), 1.0f);
    EXPECT_EQ(rig.world.run.bombs, 2);
    EXPECT_FLOAT_EQ(rig.ship.getMultiplier(), 4.0f);
    EXPECT_GT(rig.ship.getInvulnerability(), 0.0f);
    EXPECT_EQ(rig.world.clears, 1);  // the trance's end clears the bullets
}

TEST_F(PlayerShipHit, AmountsThatAreNotDamageChangeNothing) {
    Rig rig;
    rig.world.run.bombs = 2;
    rig.bringIntoPlay();
    rig.ship.addMultiplier(5.0f);
    rig.ship.graze();
    for (float amount : {0.0f, 1.0f, std::numeric_limits<float>::quiet_NaN()}) {
        rig.ship.hit(amount);
    }
    EXPECT_FLOAT_EQ(rig.ship.getHitPoints(), 1.0f);
    EXPECT_EQ(rig.world.run.bombs, 2);
    EXPECT_FLOAT_EQ(rig.ship.getMultiplier(), 4.0f);
    EXPECT_EQ(rig.ship.getGrazeChain(), 1);
    EXPECT_EQ(rig.world.playerHits + rig.world.bombs + rig.world.damageFlashes + rig.world.graces, 0);
}

// ---- Score and multiplier ----

using PlayerShipScore = PlayerShip;

TEST_F(PlayerShipScore, TheMultiplierGainsFasterOnHarderPlayStaysBetweenOneAnd9999_99AndHitsHalveIt) {
    float lastGain = 0.0f;
    for (int difficulty = 0; difficulty < 4; ++difficulty) {
        Rig rig(0, difficulty);
        rig.ship.addMultiplier(1.0f);
        EXPECT_GT(rig.ship.getMultiplier() - 1.0f, lastGain) << "difficulty " << difficulty;
        lastGain = rig.ship.getMultiplier() - 1.0f;
    }
    Rig rig;
    rig.ship.addMultiplier(1.0e7f);
    EXPECT_FLOAT_EQ(rig.ship.getMultiplier(), 9999.99f);
    rig.ship.addMultiplier(-1.0e7f);
    EXPECT_FLOAT_EQ(rig.ship.getMultiplier(), 1.0f);
    rig.ship.addMultiplier(std::numeric_limits<float>::quiet_NaN());
    EXPECT_FLOAT_EQ(rig.ship.getMultiplier(), 1.0f);
    // A hit halves it, but never below one.
    rig.bringIntoPlay();
    rig.ship.setHitPoints(10.0f);
    rig.ship.addMultiplier(0.5f);  // 1.3
    rig.ship.hit(-1.0f);
    EXPECT_FLOAT_EQ(rig.ship.getMultiplier(), 1.0f);
}

TEST_F(PlayerShipScore, TheScoreSaturatesInsteadOfOverflowingAndIgnoresNan) {
    Rig rig;
    rig.ship.setScore(INT64_MAX - 5);
    rig.ship.addScore(1000000);
    EXPECT_EQ(rig.ship.getScore(), INT64_MAX);
    rig.ship.addScoreFlat(1.0e300, false);
    EXPECT_EQ(rig.ship.getScore(), INT64_MAX);
    rig.ship.setScore(1234);
    EXPECT_EQ(rig.ship.addScorePoints(std::numeric_limits<double>::quiet_NaN()), 0.0f);
    rig.ship.addScoreFlat(std::numeric_limits<double>::quiet_NaN(), false);
    EXPECT_EQ(rig.ship.getScore(), 1234);
}

// ---- The graze chain ----

using PlayerShipGraze = PlayerShip;

TEST_F(PlayerShipGraze, GrazesBuildAChainBonusThatTheTranceFactorRaisesInBreakModeOnly) {
    Rig rig;
    rig.bringIntoPlay();
    for (int i = 0; i < 10; ++i) {
        rig.ship.graze();
    }
    rig.ship.tick(kStep);
    EXPECT_EQ(rig.ship.getGrazeChain(), 10);
    const int bonus = rig.ship.bonusValue();
    EXPECT_GT(bonus, 0);
    EXPECT_EQ(rig.world.run.grazes, 10);
    EXPECT_GT(rig.ship.getBreakGauge(), 0.0f);

    rig.world.run.tranceFactor = 1.5f;
    rig.ship.tick(kStep);
    EXPECT_EQ(rig.ship.bonusValue(), bonus);  // outside break mode the factor does not count
    rig.enterTrance();
    rig.ship.setGrazeChain(10);
    rig.ship.tick(kStep);
    EXPECT_EQ(rig.ship.bonusValue(), bonus * 3 / 2);
    rig.ship.setGrazeChain(10000000);
    rig.ship.tick(kStep);
    EXPECT_EQ(rig.ship.bonusValue(), 9999999);
}

TEST_F(PlayerShipGraze, TheChainLabelPopsBesideTheShipAndFlipsLeftPastX240) {
    Rig rig;
    rig.bringIntoPlay();
    const OXTextBox* label = rig.ship.getChainLabel();
    ASSERT_NE(label, nullptr);
    rig.ship.setTargetPosition({100.0f, 200.0f, 10.0f});
    rig.play(200.0f);
    rig.ship.graze();
    rig.ship.graze();
    rig.ship.graze();
    rig.ship.tick(kStep);
    EXPECT_EQ(label->getText(), "3");
    EXPECT_TRUE(label->isVisible());
    EXPECT_GT(label->getPosition().x, rig.ship.getX());

    rig.ship.setTargetPosition({260.0f, 200.0f, 10.0f});
    rig.play(200.0f);
    rig.ship.graze();
    rig.ship.tick(kStep);
    EXPECT_EQ(label->getText(), "4");
    EXPECT_LT(label->getPosition().x, rig.ship.getX());

    // A hit ends the chain and the label goes.
    rig.ship.setHitPoints(5.0f);
    rig.ship.hit(-1.0f);
    rig.ship.tick(kStep);
    EXPECT_FALSE(label->isVisible());
}

// The three labels beside the ship at their widest (a ready beam, a full trance gauge, an
// eight-digit chain just popped), on either side of the field and while the ship climbs: no
// two of them share a unit, so their numbers never read as one.
TEST_F(PlayerShipGraze, TheLabelsBesideTheShipNeverOverlapAtTheirWidest) {
    struct Box {
        float left, right, bottom, top;
    };
    const auto boxOf = [](const OXTextBox& label) {
        const float width = label.textWidth() * label.getScale().x;
        const float left = label.getX() - width * 0.5f * static_cast<float>(label.getAlignment());
        const float height = static_cast<float>(label.getCharSize()) * 0.5f * label.getScale().y;
        return Box{left, left + width, label.getY(), label.getY() + height};
    };
    const auto apart = [](const Box& a, const Box& b) {
        return a.right <= b.left || b.right <= a.left || a.top <= b.bottom || b.top <= a.bottom;
    };
    for (const float x : {100.0f, 260.0f}) {
        Rig rig;
        rig.bringIntoPlay();
        rig.ship.setTargetPosition({x, 150.0f, 10.0f});
        rig.play(300.0f);
        rig.ship.setBeamGauge(1.0f);
        rig.ship.addBreak(OXSTGBasePlayer::kBreakFull);
        rig.ship.setGrazeChain(99999998);
        rig.ship.graze();
        rig.ship.setTargetPosition({x, 250.0f, 10.0f});
        const OXTextBox* labels[3] = {rig.ship.getLeftGaugeLabel(), rig.ship.getRightGaugeLabel(),
                                      rig.ship.getChainLabel()};
        for (int frame = 0; frame < 20; ++frame) {
            rig.ship.tick(kStep);
            ASSERT_TRUE(labels[2]->isVisible());
            ASSERT_EQ(labels[2]->getText().size(), 8u);
            for (int a = 0; a < 3; ++a) {
                for (int b = a + 1; b < 3; ++b) {
                    EXPECT_TRUE(apart(boxOf(*labels[a]), boxOf(*labels[b])))
                        << "\"" << labels[a]->getText() << "\" and \"" << labels[b]->getText() << "\" at x "
                        << x << ", frame " << frame;
                }
            }
        }
    }
}

// ---- The trance ----

using PlayerShipTrance = PlayerShip;

TEST_F(PlayerShipTrance, TheTranceStartsOnlyFromAFullGaugeAndEndsClearingTheBullets) {
    Rig rig;
    rig.bringIntoPlay();
    rig.ship.addBreak(999.0f);
    rig.ship.requestTrance();
    EXPECT_FALSE(rig.ship.isTranceRequested());
    EXPECT_FALSE(rig.ship.isBreakIndicatorShown());
    rig.ship.addBreak(5.0f);
    EXPECT_TRUE(rig.ship.isBreakIndicatorShown());
    rig.ship.requestTrance();
    rig.play(150.0f);
    // Frozen for the cut-in.
    EXPECT_EQ(rig.world.cutIns, 1);
    EXPECT_FLOAT_EQ(rig.world.lastTimeScale, 0.0f);
    EXPECT_TRUE(rig.ship.isLocked());

    rig.ship.startBreak();
    EXPECT_TRUE(rig.ship.isTranceActive());
    EXPECT_FALSE(rig.ship.isLocked());
    EXPECT_GT(rig.world.lastTimeScale, 0.0f);
    EXPECT_LT(rig.world.lastTimeScale, 1.0f);
    // Grazes do not fill a running trance.
    const float gauge = rig.ship.getBreakGauge();
    rig.ship.graze();
    EXPECT_FLOAT_EQ(rig.ship.getBreakGauge(), gauge);
    // It drains for seconds, then ends clearing the bullets.
    rig.play(3000.0f);
    EXPECT_TRUE(rig.ship.isTranceActive());
    rig.play(10000.0f);
    EXPECT_FALSE(rig.ship.isTranceActive());
    EXPECT_EQ(rig.world.clears, 1);
}

TEST_F(PlayerShipTrance, WithoutACutInTheTranceStartsOnceTheFreezeIsOver) {
    Rig rig;
    rig.bringIntoPlay();
    rig.ship.addBreak(1000.0f);
    rig.ship.requestTrance();
    rig.play(150.0f);
    ASSERT_EQ(rig.world.cutIns, 1);
    rig.ship.tick(0.0f);  // the frozen game passes no time
    EXPECT_FALSE(rig.ship.isTranceActive());
    rig.play(2100.0f);
    EXPECT_TRUE(rig.ship.isTranceActive());
}

// ---- The counter-attack ----

using PlayerShipCounter = PlayerShip;

TEST_F(PlayerShipCounter, TheCounterFiresFromExactlyTheMinimumGaugeAndBelowItKeepsTheGauge) {
    for (const float gauge : {0.2f, 0.19f}) {
        SCOPED_TRACE(gauge);
        const bool fires = gauge >= 0.2f;
        Rig rig;
        rig.bringIntoPlay();
        rig.ship.setBeamGauge(gauge);
        rig.ship.fireCounter();
        for (int launcher : rig.ship.counterNormalLaunchers()) {
            EXPECT_EQ(rig.ship.getLauncher(launcher)->getState() == OXLauncher::Firing, fires) << launcher;
        }
        ASSERT_FALSE(rig.ship.counterBeamLaunchers().empty());
        for (int launcher : rig.ship.counterBeamLaunchers()) {
            // At the minimum the beams get no time; below it they do not start.
            const float time = rig.ship.getLauncherFiringTime(launcher);
            EXPECT_TRUE(fires ? time == 0.0f : time < 0.0f) << launcher << ": " << time;
        }
        EXPECT_FLOAT_EQ(rig.ship.getBeamGauge(), fires ? 0.0f : gauge);
        EXPECT_EQ(rig.world.counterRings, fires ? 1 : 0);
    }
}

TEST_F(PlayerShipCounter, TheCounterBeamsRunAWhileTheMainWeaponWaitsThenStopWithTheirLaunchers) {
    Rig rig;
    rig.bringIntoPlay();
    rig.ship.setFiring(true);
    rig.ship.setBeamGauge(0.6f);
    rig.ship.tick(kStep);
    EXPECT_EQ(rig.ship.getLeftGaugeLabel()->getText(), "RDY");
    rig.ship.setFiring(false);
    rig.ship.setFiring(true);
    rig.ship.fireCounter();
    const OXLauncher& mainWeapon = *rig.ship.getLauncher(rig.ship.mainLaunchers().front());
    rig.play(500.0f);
    // One beam per counter beam launcher; the main weapon is silent while the counter runs.
    EXPECT_EQ(rig.bullets.liveBeamCount(), static_cast<int>(rig.ship.counterBeamLaunchers().size()));
    EXPECT_NE(mainWeapon.getState(), OXLauncher::Firing);
    rig.play(700.0f);
    EXPECT_EQ(rig.bullets.liveBeamCount(), 0);  // stopped with their launchers
    // Then the main weapon takes up again.
    bool firing = false;
    for (int frame = 0; frame < 100 && !firing; ++frame) {
        rig.ship.tick(kStep);
        firing = mainWeapon.getState() == OXLauncher::Firing;
    }
    EXPECT_TRUE(firing);
}

// ---- Spawning, dying and coming back ----

using PlayerShipLife = PlayerShip;

TEST_F(PlayerShipLife, TheShipFliesInShieldedKeepingItsGaugesAndTakesUpTheHeldButtons) {
    Rig rig;
    rig.ship.setFireHeld(true);
    rig.ship.setBeamGauge(0.4f);
    rig.ship.setGrazeChain(12);
    rig.ship.spawn(false, true);
    // A first spawn keeps the gauges and, without bombs, starts shielded.
    EXPECT_FLOAT_EQ(rig.ship.getBeamGauge(), 0.4f);
    EXPECT_EQ(rig.ship.getGrazeChain(), 12);
    EXPECT_GT(rig.ship.getShieldTimer(), 0.0f);
    EXPECT_LT(rig.ship.getY(), 0.0f);  // from below the field
    EXPECT_FALSE(rig.ship.isControllable());
    rig.play(600.0f);
    EXPECT_TRUE(rig.ship.isControllable());
    EXPECT_GT(rig.ship.getInvulnerability(), 0.0f);
    EXPECT_TRUE(rig.ship.isFiring());
    EXPECT_TRUE(rig.ship.getWarningCircle()->isVisible());
    // The ship stays where it arrived, low on the field, until the input moves it.
    const Vec3 arrived = rig.ship.getPosition();
    EXPECT_LT(arrived.y, 160.0f);
    rig.play(200.0f);
    EXPECT_FLOAT_EQ(rig.ship.getY(), arrived.y);
}

TEST_F(PlayerShipLife, ADeathIsReportedOnceExplodesWhereTheShipWasAndTheRespawnIsWhole) {
    Rig rig;
    rig.bringIntoPlay();
    rig.ship.setTargetPosition({90.0f, 120.0f, 10.0f});
    rig.play(300.0f);
    rig.ship.addBeamGauge(0.5f);
    for (int i = 0; i < 5; ++i) {
        rig.ship.graze();
    }
    rig.world.run.tranceFactor = 2.0f;
    rig.ship.hit(-1.0f);
    rig.play(200.0f);
    EXPECT_EQ(rig.world.deaths, 1);  // the scene has not reacted yet: still once

    const Vec3 wreck = rig.ship.getPosition();
    rig.ship.die();
    EXPECT_TRUE(rig.ship.isDying());
    rig.ship.startBreak();  // a cut-in that ends now starts no trance on the wreck
    EXPECT_FALSE(rig.ship.isTranceActive());
    EXPECT_TRUE(rig.ship.isLocked());
    rig.play(300.0f);
    EXPECT_EQ(rig.world.deaths, 1);
    EXPECT_EQ(rig.world.explosions, 1);
    EXPECT_FLOAT_EQ(rig.world.lastExplosion.x, wreck.x);
    EXPECT_FLOAT_EQ(rig.world.lastExplosion.y, wreck.y);
    EXPECT_TRUE(rig.ship.isOutOfPlay());
    EXPECT_FALSE(rig.ship.isVisible());

    rig.ship.spawn(false, false);
    EXPECT_FLOAT_EQ(rig.ship.getHitPoints(), 1.0f);
    EXPECT_FLOAT_EQ(rig.ship.getBeamGauge(), 0.0f);
    EXPECT_EQ(rig.ship.getGrazeChain(), 0);
    EXPECT_FLOAT_EQ(rig.world.run.tranceFactor, 1.0f);
    rig.play(2000.0f);
    EXPECT_TRUE(rig.ship.isControllable());
    EXPECT_EQ(rig.world.deaths, 1);
    // The next death is reported again.
    rig.ship.hit(-1.0f);
    rig.ship.tick(kStep);
    EXPECT_EQ(rig.world.deaths, 2);
}

// No gauge fills for a ship flying in (which keeps its path through a trance), after the stage's
// end (even while flying in) or for a wreck; casual play fills it by itself.
TEST_F(PlayerShipLife, GaugesStayShutForAShipFlyingInAClearedStageAndAWreck) {
    Rig casual;
    casual.ship.spawn(false, true);
    casual.ship.addBreak(500.0f);
    EXPECT_FLOAT_EQ(casual.ship.getBreakGauge(), 0.0f);
    casual.play(600.0f);
    casual.world.run.casual = true;
    casual.play(1000.0f);
    EXPECT_GT(casual.ship.getBreakGauge(), 0.0f);

    Rig rig;
    rig.ship.spawn(false, true);
    rig.ship.startBreak();
    EXPECT_FALSE(rig.ship.isTranceActive());
    EXPECT_TRUE(rig.ship.isLocked());
    rig.ship.freezeForStageEnd();
    rig.play(2000.0f);
    EXPECT_TRUE(rig.ship.isControllable());
    rig.ship.addBreak(500.0f);
    EXPECT_FLOAT_EQ(rig.ship.getBreakGauge(), 0.0f);

    Rig wreck;
    wreck.bringIntoPlay();
    wreck.ship.die();
    wreck.ship.addBreak(500.0f);
    EXPECT_FLOAT_EQ(wreck.ship.getBreakGauge(), 0.0f);
}

TEST_F(PlayerShipLife, ASceneThatAnswersTheDeathAtOnceGetsOneReportAndOneExplosion) {
    Rig rig;
    rig.bringIntoPlay();
    rig.world.answering = &rig.ship;
    rig.ship.hit(-1.0f);
    rig.play(400.0f);
    EXPECT_EQ(rig.world.deaths, 1);
    EXPECT_EQ(rig.world.explosions, 1);
    EXPECT_TRUE(rig.ship.isOutOfPlay());
    EXPECT_FALSE(rig.ship.isActive());
    const float gauge = rig.ship.getBreakGauge();
    rig.play(400.0f);  // out of play nothing moves on
    EXPECT_FLOAT_EQ(rig.ship.getBreakGauge(), gauge);
}

TEST_F(PlayerShipLife, BombsNeedStockAFreeShipAndNoBombRunning) {
    Rig rig;
    rig.ship.spawn(false, true);
    rig.world.run.bombs = 2;
    rig.ship.useBomb();  // still flying in
    EXPECT_EQ(rig.world.bombs, 0);
    rig.play(600.0f);
    for (int i = 0; i < 4; ++i) {
        rig.ship.graze();
    }
    rig.ship.useBomb();
    EXPECT_EQ(rig.world.bombs, 1);
    EXPECT_EQ(rig.world.run.bombs, 1);
    EXPECT_EQ(rig.ship.getGrazeChain(), 0);
    rig.world.bombActive = true;
    rig.ship.useBomb();
    EXPECT_EQ(rig.world.bombs, 1);
    rig.world.bombActive = false;
    rig.world.run.bombs = 0;
    rig.ship.useBomb();
    EXPECT_EQ(rig.world.bombs, 1);
}

// ---- The real ship, its pods and its bomb ----

using PlayerShipContent = PlayerShip;

TEST_F(PlayerShipContent, TheSessionsWeaponLevelChoosesTheListsAndEveryLevelShoots) {
    for (int level = 0; level < 6; ++level) {
        Rig leveled(0, 1, level);
        EXPECT_EQ(leveled.ship.getWeaponLevel(), level);
        EXPECT_EQ(leveled.ship.mainLaunchers(), std::vector<int>{level});
        leveled.bringIntoPlay();
        leveled.ship.setFiring(true);
        for (int frame = 0; frame < 10; ++frame) {
            leveled.ship.tick(kStep);
            leveled.bullets.update(kStep);
        }
        EXPECT_GT(leveled.bullets.livePlayerPoolCount(), level) << "level " << level;
        if (level == 5) {
            // A level beyond the lists keeps the lists it had.
            leveled.ship.setWeaponLevel(9);
            EXPECT_EQ(leveled.ship.mainLaunchers(), std::vector<int>{level});
        }
    }
}

TEST_F(PlayerShipContent, PodsComeInPairsFollowTheShipMirroredAndFireLauncherZeroOrOneInBreakMode) {
    const int expected[5] = {0, 2, 4, 6, 6};  // at most three pairs
    for (int pairs = 0; pairs < 5; ++pairs) {
        EXPECT_EQ(static_cast<int>(Rig(pairs).ship.getOptions().size()), expected[pairs])
            << pairs << " pairs";
    }
    Rig rig(2);
    rig.bringIntoPlay();
    // Each pair sits mirrored either side of the ship (within the pods' easing), behind it.
    const auto& pods = rig.ship.getOptions();
    for (size_t i = 0; i + 1 < pods.size(); i += 2) {
        EXPECT_TRUE(pods[i]->isVisible() && pods[i + 1]->isVisible());
        EXPECT_NEAR(pods[i]->getX() - rig.ship.getX(), rig.ship.getX() - pods[i + 1]->getX(), 1.0f) << i;
        EXPECT_NEAR(pods[i]->getY(), pods[i + 1]->getY(), 1.0f) << i;
        EXPECT_LT(pods[i]->getY(), rig.ship.getY()) << i;
        EXPECT_GT(std::fabs(pods[i]->getX() - rig.ship.getX()), 10.0f) << i;
    }
    // A launcher that has fired is cooling down.
    rig.ship.setFiring(true);
    rig.ship.tick(kStep);
    for (const auto& option : pods) {
        EXPECT_GT(option->getLauncher(0)->getCooldownTimer(), 0.0f);
        EXPECT_FLOAT_EQ(option->getLauncher(1)->getCooldownTimer(), 0.0f);
    }
    rig.enterTrance();
    rig.ship.tick(kStep);
    for (const auto& option : pods) {
        EXPECT_GT(option->getLauncher(1)->getCooldownTimer(), 0.0f);
    }
    // The casual laser replaces the main weapon: the pods are silent.
    rig.ship.endBreak(false);
    rig.ship.setLaser(true);
    rig.play(200.0f);
    for (const auto& option : pods) {
        EXPECT_FLOAT_EQ(option->getLauncher(0)->getCooldownTimer(), 0.0f);
        EXPECT_NE(option->getLauncher(0)->getState(), OXLauncher::Firing);
    }
    EXPECT_EQ(rig.ship.getLauncher(rig.ship.laserLaunchers().front())->getState(), OXLauncher::Firing);
}

TEST_F(PlayerShipContent, TheBombsRingCancelsEnemyBulletsAsItReachesThemAndEndsWithAShield) {
    StandInPlayerWorld world;
    CXBulletManager bullets;
    bullets.load("assets/plist/atlas_bullets");
    bullets.loadBulletType("bp_round_red");
    const BulletProperties* round = bullets.findBulletType("bp_round_red");
    ASSERT_NE(round, nullptr);
    OXBomb bomb;
    bomb.setWorld(&world);
    bomb.setBulletManager(&bullets);
    bomb.load("assets/plist/bomb_player_1");
    bomb.setPosition(160.0f, 240.0f, 5.0f);
    for (float distance : {100.0f, 300.0f}) {
        ASSERT_TRUE(bullets.fireBullet(180.0f, {160.0f + distance, 240.0f, 0.0f}, 0.0f, round, nullptr));
    }
    auto flying = [&] {
        int count = 0;
        for (int i = 0; i < CXBulletManager::kEnemyPoolSize; ++i) {
            const OXBullet& bullet = bullets.enemyBullet(i);
            count += bullet.isVisible() && !bullet.isDying() ? 1 : 0;
        }
        return count;
    };
    bomb.detonate(600.0f);
    // The ring reaches the near bullet first, then grows to the field's size.
    for (int ticks = 0; ticks < 100 && flying() == 2; ++ticks) {
        bomb.tick(5.0f);
    }
    EXPECT_EQ(flying(), 1);
    bomb.tick(200.0f);
    EXPECT_EQ(flying(), 0);
    EXPECT_EQ(world.graces, 0);
    bomb.tick(400.0f);
    EXPECT_FALSE(bomb.isDetonating());
    EXPECT_EQ(world.graces, 1);
}

// ---- Play allocates nothing ----

TEST_F(PlayerShip, ABusyStretchOfPlayAllocatesNothing) {
    Rig rig(3);
    rig.world.run.bombs = 2;
    rig.ship.setWeaponLevel(5);
    rig.ship.setMissileLevel(5);
    rig.bringIntoPlay();
    rig.ship.setHitPoints(1000.0f);
    rig.ship.setFiring(true);
    testfiles::CountingGLDevice device;
    setGLDevice(&device);
    CXGfxManager::instance().resetCaches();
    auto frame = [&](int n) {
        rig.ship.setTargetPosition({160.0f + 80.0f * std::sin(static_cast<float>(n) * 0.05f), 200.0f, 10.0f});
        rig.ship.graze();
        rig.ship.addScore(120);
        rig.ship.addMultiplier(0.005f);
        rig.ship.collectOrb(1);
        rig.ship.addBeamGauge(0.01f);
        rig.ship.addBreak(6.0f);
        if (n % 90 == 30 && n < 250) {
            rig.ship.hit(-1.0f);
        }
        if (n % 120 == 60) {
            rig.ship.setCharging(true);
        }
        if (n % 120 == 80) {
            rig.ship.setCharging(false);
            rig.ship.fireCounter();
            rig.ship.setFiring(true);
        }
        if (rig.ship.getBreakGauge() >= OXSTGBasePlayer::kBreakFull) {
            rig.ship.requestTrance();
        }
        if (rig.ship.getTranceCountdown() >= 100000.0f) {
            rig.ship.startBreak();  // the HUD's cut-in has played
        }
        if (n == 250) {
            rig.ship.setHitPoints(0.0f);
        }
        if (n == 252) {
            rig.ship.die();
        }
        if (n == 290) {
            rig.ship.spawn(false, false);
        }
        rig.ship.tick(kStep);
        rig.bullets.update(kStep);
        rig.ship.draw();
        rig.ship.drawTopLayer();
        rig.bullets.drawPlayerBullets();
    };
    frame(0);
    const long before = testfiles::allocationCount();
    for (int n = 1; n < 400; ++n) {
        frame(n);
    }
    const long during = testfiles::allocationCount() - before;
    setGLDevice(nullptr);
    EXPECT_EQ(during, 0);
    EXPECT_GT(rig.world.cutIns, 0);
    EXPECT_GT(rig.world.bombs, 0);
    EXPECT_EQ(rig.world.deaths, 1);
    EXPECT_GT(device.drawCount, 400);
}

}  // namespace
