// The player's ship as the player and a content author meet it: hits, bombs
// and the shield; score, multiplier and orbs; the graze chain; the trance;
// the counter-attack; spawning, dying and respawning; the real ship's
// definition, its pods and its bomb; and a busy stretch of play that must not
// allocate. The game scene is the shared stand-in world.

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
#include "stg/shot/IXShotEffects.h"
#include "stg/shot/OXBullet.h"
#include "stg/shot/OXLauncher.h"
#include "tests/game/GameTestSupport.h"
#include "tests/support/AllocationCounter.h"
#include "tests/support/StandInPlayerWorld.h"

namespace {

using gametest::kStep;

// Trails and particle effects, counted: what is running now.
class CountingEffects : public IXShotEffects {
  public:
    void preloadEffect(const std::string&) override { ++preloaded; }
    IXRenderObject* startAttachedEffect(const std::string&, const IXRenderObject&, bool) override {
        ++running;
        return &handle;
    }
    void stopEffect(IXRenderObject*) override { --running; }
    bool attachTrail(const IXRenderObject&, int frame, float width) override {
        ++trails;
        lastTrailFrame = frame;
        lastTrailWidth = width;
        return true;
    }
    void detachTrail(const IXRenderObject&) override { --trails; }
    void playAt(const std::string&, const Vec3&, const Vec3&, float) override {}

    int preloaded = 0, running = 0, trails = 0, lastTrailFrame = -1;
    float lastTrailWidth = 0.0f;
    IXRenderObject handle;
};

// The real ship on the real bullet manager, reset as the game scene leaves it.
struct Rig {
    explicit Rig(int optionPairs = 0, int difficulty = 1, int weaponLevel = 0) {
        world.optionPairCount = optionPairs;
        world.difficultyLevel = difficulty;
        world.weapon = weaponLevel;
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
    // Spawned for the stage and flown in: under control.
    void bringIntoPlay() {
        ship.spawn(false, true);
        play(600.0f);
    }
    // A full gauge, a request, the freeze and the HUD's cut-in: break mode.
    void enterTrance() {
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
    rig.world.bombsInStock = 2;
    rig.bringIntoPlay();
    rig.ship.addMultiplier(5.0f);  // 1 + 0.6 x 5 = 4
    for (int i = 0; i < 7; ++i) {
        rig.ship.graze();
    }
    rig.ship.hit(-1.0f);
    EXPECT_FLOAT_EQ(rig.ship.getHitPoints(), 1.0f);
    EXPECT_EQ(rig.world.bombsInStock, 1);
    EXPECT_EQ(rig.world.bombs, 1);
    EXPECT_GT(rig.ship.getInvulnerability(), 0.0f);
    EXPECT_GT(rig.ship.getShieldTimer(), 0.0f);
    EXPECT_FLOAT_EQ(rig.ship.getMultiplier(), 2.0f);
    EXPECT_EQ(rig.world.damageFlashes, 1);
    EXPECT_EQ(rig.world.playerHits, 1);
    EXPECT_EQ(rig.ship.getGrazeChain(), 0);
    EXPECT_EQ(rig.ship.getGrazeHeat(), 0.0f);

    // The shield runs: the next hit reaches the hull even with a bomb left.
    rig.play(500.0f);
    rig.ship.hit(-1.0f);
    EXPECT_FLOAT_EQ(rig.ship.getHitPoints(), 0.0f);
    EXPECT_EQ(rig.world.bombsInStock, 1);
    EXPECT_EQ(rig.world.graces, 1);
    EXPECT_FLOAT_EQ(rig.ship.getMultiplier(), 1.0f);
    EXPECT_EQ(rig.world.playerHits, 2);
}

TEST_F(PlayerShipHit, TheShieldRunsOutWithAWarningAndCasualShieldsAreShorter) {
    Rig rig, casual;
    rig.world.bombsInStock = 3;
    casual.world.bombsInStock = 1;
    casual.world.casual = true;
    for (Rig* each : {&rig, &casual}) {
        each->bringIntoPlay();
        each->ship.hit(-1.0f);
    }
    EXPECT_LT(casual.ship.getShieldTimer(), rig.ship.getShieldTimer() * 0.5f);
    rig.play(4100.0f);
    EXPECT_LT(rig.ship.getShieldTimer(), 0.0f);
    ASSERT_NE(rig.ship.getWarningCircle(), nullptr);
    EXPECT_TRUE(rig.ship.getWarningCircle()->isVisible());
    // Bombs again once the shield is down.
    rig.ship.hit(-1.0f);
    EXPECT_EQ(rig.world.bombsInStock, 1);
    EXPECT_FLOAT_EQ(rig.ship.getHitPoints(), 1.0f);
}

TEST_F(PlayerShipHit, AHitInBreakModeEndsTheTranceAndCostsNeitherLifeNorMultiplier) {
    Rig rig;
    rig.world.bombsInStock = 2;
    rig.bringIntoPlay();
    rig.ship.addMultiplier(5.0f);
    rig.enterTrance();
    ASSERT_TRUE(rig.ship.isTranceActive());
    const int tranceCount = rig.world.trances;
    const int ringsBefore = rig.world.shockRings;
    rig.ship.hit(-1.0f);
    EXPECT_FALSE(rig.ship.isTranceActive());
    EXPECT_FLOAT_EQ(rig.ship.getHitPoints(), 1.0f);
    EXPECT_EQ(rig.world.bombsInStock, 2);
    EXPECT_FLOAT_EQ(rig.ship.getMultiplier(), 4.0f);
    EXPECT_GT(rig.ship.getInvulnerability(), 0.0f);
    EXPECT_EQ(rig.world.shockRings, ringsBefore + 2);
    EXPECT_EQ(rig.world.clears, 1);
    EXPECT_EQ(rig.world.trances, tranceCount + 1);
    EXPECT_EQ(rig.world.playerHits, 1);
}

TEST_F(PlayerShipHit, AmountsThatAreNotDamageChangeNothing) {
    Rig rig;
    rig.world.bombsInStock = 2;
    rig.bringIntoPlay();
    rig.ship.addMultiplier(5.0f);
    rig.ship.graze();
    for (float amount : {0.0f, 1.0f, std::numeric_limits<float>::quiet_NaN()}) {
        rig.ship.hit(amount);
    }
    EXPECT_FLOAT_EQ(rig.ship.getHitPoints(), 1.0f);
    EXPECT_EQ(rig.world.bombsInStock, 2);
    EXPECT_FLOAT_EQ(rig.ship.getMultiplier(), 4.0f);
    EXPECT_EQ(rig.ship.getGrazeChain(), 1);
    EXPECT_EQ(rig.world.playerHits + rig.world.bombs + rig.world.damageFlashes + rig.world.graces, 0);
}

// ---- Score and multiplier ----

using PlayerShipScore = PlayerShip;

TEST_F(PlayerShipScore, TheMultiplierGainsAtTheDifficultyRateStaysBetweenOneAnd9999_99AndHitsHalveIt) {
    const float rates[4] = {0.4f, 0.6f, 0.8f, 1.0f};
    for (int difficulty = 0; difficulty < 4; ++difficulty) {
        Rig rig(0, difficulty);
        EXPECT_FLOAT_EQ(rig.ship.getMultiplierRate(), rates[difficulty]);
        rig.ship.addMultiplier(1.0f);
        EXPECT_FLOAT_EQ(rig.ship.getMultiplier(), 1.0f + rates[difficulty]);
        EXPECT_TRUE(rig.ship.multiplierChanged());
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

TEST_F(PlayerShipScore, PointsAreAddedInSinglePrecisionAndReachTheSession) {
    Rig rig;
    rig.ship.addMultiplier(2.5f);  // 2.5
    EXPECT_FLOAT_EQ(rig.ship.addScorePoints(7.0), 17.5f);
    EXPECT_EQ(rig.ship.getScore(), 17);
    EXPECT_EQ(rig.ship.getRawPoints(), 7);
    EXPECT_EQ(rig.world.score, 17);

    // Above 2^24 a float counts in steps of two: one point is lost, three make four.
    rig.ship.setScore(16777216);
    rig.ship.addMultiplier(-10.0f);
    rig.ship.addScore(1);
    EXPECT_EQ(rig.ship.getScore(), 16777216);
    rig.ship.addScore(3);
    EXPECT_EQ(rig.ship.getScore(), 16777220);

    // Flat points skip the multiplier unless asked.
    rig.ship.setScore(0);
    rig.ship.addMultiplier(5.0f);  // 4
    rig.ship.addScoreFlat(1000.0, false);
    EXPECT_EQ(rig.ship.getScore(), 1000);
    rig.ship.addScoreFlat(1000.0, true);
    EXPECT_EQ(rig.ship.getScore(), 5000);
    EXPECT_EQ(rig.world.score, 5000);
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

TEST_F(PlayerShipScore, OrbsCountForTheShipAndTheStageAndTheBeamGaugeStaysInRange) {
    Rig rig;
    rig.ship.collectOrb(1);
    rig.ship.collectOrb(1);
    EXPECT_EQ(rig.ship.getOrbValue(), 2);
    EXPECT_EQ(rig.world.orbs, 2);
    rig.ship.addBeamGauge(0.7f);
    rig.ship.addBeamGauge(0.7f);
    EXPECT_FLOAT_EQ(rig.ship.getBeamGauge(), 1.0f);
    rig.ship.addBeamGauge(-3.0f);
    EXPECT_FLOAT_EQ(rig.ship.getBeamGauge(), 0.0f);
    // Casual play has no counter-attack: prizes leave the gauge alone.
    rig.world.casual = true;
    rig.ship.addBeamGauge(0.5f);
    EXPECT_FLOAT_EQ(rig.ship.getBeamGauge(), 0.0f);
}

// ---- The graze chain ----

using PlayerShipGraze = PlayerShip;

TEST_F(PlayerShipGraze, TenGrazesMakeAChainBonusOf160AndTheTranceFactorCountsInBreakMode) {
    Rig rig;
    rig.bringIntoPlay();
    for (int i = 0; i < 10; ++i) {
        rig.ship.graze();
    }
    rig.ship.tick(kStep);
    EXPECT_EQ(rig.ship.getGrazeChain(), 10);
    EXPECT_EQ(rig.ship.bonusValue(), 160);
    EXPECT_EQ(rig.world.grazes, 10);
    EXPECT_GT(rig.ship.getBreakGauge(), 0.0f);

    rig.world.trance = 1.5f;
    rig.ship.tick(kStep);
    EXPECT_EQ(rig.ship.bonusValue(), 160);  // outside break mode the factor does not count
    rig.enterTrance();
    rig.ship.setGrazeChain(10);
    rig.ship.tick(kStep);
    EXPECT_EQ(rig.ship.bonusValue(), 240);
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
    EXPECT_NEAR(label->getPosition().x, rig.ship.getX() + 24.0f, 0.5f);
    EXPECT_EQ(label->getAlignment(), 0);
    EXPECT_GT(rig.ship.getDistortionPulse(), 0.0f);

    rig.ship.setTargetPosition({260.0f, 200.0f, 10.0f});
    rig.play(200.0f);
    rig.ship.graze();
    rig.ship.tick(kStep);
    EXPECT_EQ(label->getText(), "4");
    EXPECT_NEAR(label->getPosition().x, rig.ship.getX() - 24.0f, 0.5f);
    EXPECT_EQ(label->getAlignment(), 2);

    // A hit ends the chain and the label goes.
    rig.ship.setHitPoints(5.0f);
    rig.ship.hit(-1.0f);
    rig.ship.tick(kStep);
    EXPECT_FALSE(label->isVisible());
    rig.ship.graze();
    rig.ship.tick(kStep);
    EXPECT_EQ(label->getText(), "1");
}

// ---- The trance ----

using PlayerShipTrance = PlayerShip;

TEST_F(PlayerShipTrance, TheTranceStartsOnlyFromAFullGauge) {
    Rig rig;
    rig.bringIntoPlay();
    rig.ship.addBreak(999.0f);
    rig.ship.requestTrance();
    EXPECT_FALSE(rig.ship.isTranceRequested());
    rig.play(500.0f);
    EXPECT_EQ(rig.world.cutIns, 0);
    EXPECT_FALSE(rig.ship.isBreakIndicatorShown());
    EXPECT_EQ(rig.ship.getRightGaugeLabel()->getText(), "99");

    rig.ship.addBreak(5.0f);
    EXPECT_FLOAT_EQ(rig.ship.getBreakGauge(), 1000.0f);
    EXPECT_EQ(rig.world.tranceReadyRings, 1);
    EXPECT_TRUE(rig.ship.isBreakIndicatorShown());
    rig.ship.tick(kStep);
    EXPECT_EQ(rig.ship.getRightGaugeLabel()->getText(), "RDY");

    rig.ship.requestTrance();
    ASSERT_TRUE(rig.ship.isTranceRequested());
    rig.ship.tick(kStep);
    EXPECT_EQ(rig.world.tranceFlashes, 1);
    EXPECT_EQ(rig.world.cutIns, 0);
    rig.play(100.0f);
    // Frozen for the cut-in.
    EXPECT_EQ(rig.world.cutIns, 1);
    EXPECT_FLOAT_EQ(rig.world.lastTimeScale, 0.0f);
    EXPECT_TRUE(rig.ship.isLocked());
    EXPECT_FALSE(rig.ship.isTranceRequested());

    rig.ship.startBreak();
    EXPECT_TRUE(rig.ship.isTranceActive());
    EXPECT_FALSE(rig.ship.isLocked());
    EXPECT_GT(rig.world.lastTimeScale, 0.0f);
    EXPECT_LT(rig.world.lastTimeScale, 1.0f);
    EXPECT_FALSE(rig.ship.isBreakIndicatorShown());
    // Grazes do not fill a running trance.
    const float gauge = rig.ship.getBreakGauge();
    rig.ship.graze();
    EXPECT_FLOAT_EQ(rig.ship.getBreakGauge(), gauge);
}

TEST_F(PlayerShipTrance, TheGaugeDrainsInAboutEightSecondsAndTheTranceEnds) {
    Rig rig;
    rig.bringIntoPlay();
    rig.enterTrance();
    const int trances = rig.world.trances;
    rig.play(8000.0f);
    EXPECT_TRUE(rig.ship.isTranceActive());
    EXPECT_NEAR(rig.ship.getBreakGauge(), 1000.0f - 0.12f * 8000.0f, 5.0f);
    rig.play(600.0f);
    EXPECT_FALSE(rig.ship.isTranceActive());
    EXPECT_EQ(rig.world.clears, 1);
    EXPECT_EQ(rig.world.trances, trances + 1);
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
        EXPECT_FLOAT_EQ(rig.ship.getBeamFiringTime(), fires ? 500.0f : 0.0f);
        EXPECT_FLOAT_EQ(rig.ship.getBeamGauge(), fires ? 0.0f : gauge);
        EXPECT_EQ(rig.world.counterRings, fires ? 1 : 0);
        if (!fires) {
            EXPECT_EQ(rig.ship.getLeftGaugeLabel()->getText(), "CHR");
        }
    }
}

TEST_F(PlayerShipCounter, TheCounterBeamsRunForTheirTimeAndTheMainWeaponWaits) {
    Rig rig;
    rig.bringIntoPlay();
    rig.ship.setFiring(true);
    rig.ship.setBeamGauge(0.6f);
    rig.ship.tick(kStep);
    EXPECT_EQ(rig.ship.getLeftGaugeLabel()->getText(), "RDY");
    rig.ship.setFiring(false);
    rig.ship.setFiring(true);
    rig.ship.fireCounter();
    const int beam = rig.ship.counterBeamLaunchers().front();
    EXPECT_NEAR(rig.ship.getLauncherFiringTime(beam), 1000.0f, 0.1f);
    rig.play(500.0f);
    // One beam per counter beam launcher, held for the firing time.
    const int beams = static_cast<int>(rig.ship.counterBeamLaunchers().size());
    EXPECT_EQ(rig.bullets.liveBeamCount(), beams);
    // The main weapon is silent while the counter runs (1500 ms).
    EXPECT_NE(rig.ship.getLauncher(rig.ship.mainLaunchers().front())->getState(), OXLauncher::Firing);
    rig.play(400.0f);
    EXPECT_EQ(rig.bullets.liveBeamCount(), beams);
    rig.play(200.0f);
    EXPECT_LT(rig.ship.getLauncherFiringTime(beam), 0.0f);
    EXPECT_EQ(rig.bullets.liveBeamCount(), 0);  // stopped with its launcher
    rig.play(500.0f);
    EXPECT_FLOAT_EQ(rig.ship.getBeamFiringTime(), 0.0f);
    rig.ship.tick(kStep);
    EXPECT_EQ(rig.ship.getLauncher(rig.ship.mainLaunchers().front())->getState(), OXLauncher::Firing);
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
    EXPECT_TRUE(rig.ship.isLocked());
    EXPECT_TRUE(rig.ship.isEntering());
    EXPECT_FALSE(rig.ship.isControllable());
    rig.play(400.0f);
    EXPECT_TRUE(rig.ship.isLocked());
    rig.play(150.0f);
    EXPECT_FALSE(rig.ship.isLocked());
    EXPECT_TRUE(rig.ship.isControllable());
    EXPECT_FALSE(rig.ship.isEntering());
    EXPECT_NEAR(rig.ship.getX(), 160.0f, 0.01f);
    EXPECT_NEAR(rig.ship.getY(), 130.0f, 0.01f);
    EXPECT_GT(rig.ship.getInvulnerability(), 0.0f);
    EXPECT_TRUE(rig.ship.isFiring());
    EXPECT_TRUE(rig.ship.getWarningCircle()->isVisible());
    // The ship stays where it arrived until the input moves it.
    rig.play(200.0f);
    EXPECT_NEAR(rig.ship.getY(), 130.0f, 0.01f);

    // The opening slide-in takes longer and stops lower.
    Rig opening;
    opening.ship.spawn(true, true);
    opening.play(700.0f);
    EXPECT_TRUE(opening.ship.isLocked());
    opening.play(100.0f);
    EXPECT_FALSE(opening.ship.isLocked());
    EXPECT_NEAR(opening.ship.getY(), 110.0f, 0.01f);
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
    rig.world.trance = 2.0f;
    rig.ship.hit(-1.0f);
    rig.play(200.0f);
    EXPECT_EQ(rig.world.deaths, 1);  // the scene has not reacted yet: still once

    const Vec3 wreck = rig.ship.getPosition();
    rig.ship.die();
    EXPECT_TRUE(rig.ship.isDying());
    EXPECT_FLOAT_EQ(rig.ship.getPosition().z, 600.0f);
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
    EXPECT_EQ(rig.world.grazes, 0);

    rig.ship.spawn(false, false);
    EXPECT_FLOAT_EQ(rig.ship.getHitPoints(), 1.0f);
    EXPECT_FLOAT_EQ(rig.ship.getBeamGauge(), 0.0f);
    EXPECT_EQ(rig.ship.getGrazeChain(), 0);
    EXPECT_FLOAT_EQ(rig.ship.getShieldTimer(), -1.0f);
    EXPECT_FLOAT_EQ(rig.world.trance, 1.0f);
    rig.play(2000.0f);
    EXPECT_TRUE(rig.ship.isControllable());
    EXPECT_EQ(rig.world.deaths, 1);
    // The next death is reported again.
    rig.ship.hit(-1.0f);
    rig.ship.tick(kStep);
    EXPECT_EQ(rig.world.deaths, 2);
}

// A ship flying in fills no gauge and keeps to its path through a trance; the stage's end
// freezes the gauges for good, even when it comes while the ship flies in; a falling wreck
// fills no gauge; casual play fills the gauge by itself, steadily.
TEST_F(PlayerShipLife, GaugesStayShutForAShipFlyingInAClearedStageAndAWreck) {
    Rig casual;
    casual.ship.spawn(false, true);
    casual.ship.addBreak(500.0f);
    EXPECT_FLOAT_EQ(casual.ship.getBreakGauge(), 0.0f);
    casual.play(600.0f);
    casual.world.casual = true;
    casual.play(1000.0f);
    EXPECT_NEAR(casual.ship.getBreakGauge(), 12.5f, 0.3f);

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
    rig.world.bombsInStock = 2;
    rig.ship.useBomb();  // still flying in
    EXPECT_EQ(rig.world.bombs, 0);
    rig.play(600.0f);
    for (int i = 0; i < 4; ++i) {
        rig.ship.graze();
    }
    rig.ship.useBomb();
    EXPECT_EQ(rig.world.bombs, 1);
    EXPECT_FLOAT_EQ(rig.world.lastBombAt.y, rig.ship.getY() + 10.0f);
    EXPECT_EQ(rig.world.bombsInStock, 1);
    EXPECT_EQ(rig.ship.getGrazeChain(), 0);
    rig.world.bombActive = true;
    rig.ship.useBomb();
    EXPECT_EQ(rig.world.bombs, 1);
    rig.world.bombActive = false;
    rig.world.bombsInStock = 0;
    rig.ship.useBomb();
    EXPECT_EQ(rig.world.bombs, 1);
}

// ---- The real ship, its pods and its bomb ----

using PlayerShipContent = PlayerShip;

TEST_F(PlayerShipContent, TheRealShipReadsALauncherListForEveryLevelAndItsBreakForms) {
    ::testing::internal::CaptureStdout();
    Rig rig;
    const std::string console = ::testing::internal::GetCapturedStdout();
    const size_t first = console.find("BREAK LAUNCHER STRINGS COUNT 6\n");
    ASSERT_NE(first, std::string::npos) << console;
    EXPECT_NE(console.find("BREAK LAUNCHER STRINGS COUNT 6\n", first + 1), std::string::npos);
    EXPECT_NE(console.find("BREAK BEAM LAUNCHER STRINGS COUNT 6\n"), std::string::npos);
    EXPECT_EQ(console.find("NOT"), std::string::npos) << console;

    EXPECT_TRUE(rig.ship.isLoaded());
    EXPECT_EQ(rig.ship.weaponLevelCount(), 6);
    EXPECT_EQ(rig.ship.breakLevelCount(), 6);
    EXPECT_FLOAT_EQ(rig.ship.getMaxHitPoints(), 1.0f);
    EXPECT_GE(rig.ship.moduleCount(), 1);
    ASSERT_NE(rig.ship.getCoreSprite(), nullptr);
    for (int level = 0; level < 6; ++level) {
        rig.ship.setWeaponLevel(level);
        rig.ship.setMissileLevel(level);
        for (const std::vector<int>* list :
             {&rig.ship.mainLaunchers(), &rig.ship.secondaryLaunchers(), &rig.ship.mainBreakLaunchers(),
              &rig.ship.secondaryBreakLaunchers()}) {
            ASSERT_FALSE(list->empty()) << "level " << level;
            for (int launcher : *list) {
                ASSERT_NE(rig.ship.getLauncher(launcher), nullptr) << "level " << level;
                EXPECT_FALSE(rig.ship.getLauncher(launcher)->bulletTypeName().empty()) << launcher;
            }
        }
    }
    // A level beyond the lists keeps the lists it had.
    const std::vector<int> top = rig.ship.mainLaunchers();
    rig.ship.setWeaponLevel(9);
    EXPECT_EQ(rig.ship.mainLaunchers(), top);
    for (const std::vector<int>* list :
         {&rig.ship.laserLaunchers(), &rig.ship.laserBreakLaunchers(), &rig.ship.counterNormalLaunchers(),
          &rig.ship.counterBeamLaunchers()}) {
        ASSERT_FALSE(list->empty());
        for (int launcher : *list) {
            EXPECT_NE(rig.ship.getLauncher(launcher), nullptr) << launcher;
        }
    }
}

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
    }
}

TEST_F(PlayerShipContent, PodsComeInPairsByTheSessionsOptionCount) {
    const int expected[5] = {0, 2, 4, 6, 6};
    for (int pairs = 0; pairs < 5; ++pairs) {
        Rig rig(pairs);
        EXPECT_EQ(static_cast<int>(rig.ship.getOptions().size()), expected[pairs]) << pairs << " pairs";
        for (size_t i = 0; i < rig.ship.getOptions().size(); ++i) {
            const OXOption& option = *rig.ship.getOptions()[i];
            EXPECT_EQ(option.getIndex(), static_cast<int>(i));
            EXPECT_TRUE(option.isInFormation());
            EXPECT_EQ(option.launcherCount(), 2);
        }
    }
}

TEST_F(PlayerShipContent, PodsFollowTheShipInMirroredPairsAndFireLauncherZeroOrOneInBreakMode) {
    Rig rig(2);
    rig.bringIntoPlay();
    // Each pair sits mirrored either side of the ship (within the pods' easing), behind it; a
    // turned ship turns them.
    const auto& pods = rig.ship.getOptions();
    for (size_t i = 0; i + 1 < pods.size(); i += 2) {
        EXPECT_TRUE(pods[i]->isVisible() && pods[i + 1]->isVisible());
        EXPECT_NEAR(pods[i]->getX() - rig.ship.getX(), rig.ship.getX() - pods[i + 1]->getX(), 1.0f) << i;
        EXPECT_NEAR(pods[i]->getY(), pods[i + 1]->getY(), 1.0f) << i;
        EXPECT_LT(pods[i]->getY(), rig.ship.getY()) << i;
        EXPECT_GT(std::fabs(pods[i]->getX() - rig.ship.getX()), 10.0f) << i;
    }
    const Vec3 turned = OXOption::formationOffset(2, 90.0f);
    EXPECT_NEAR(turned.x, 0.0f, 0.01f);
    EXPECT_LT(turned.y, OXOption::formationOffset(2, 0.0f).y);
    // A pod's launcher that fired this frame starts its cooldown from the top
    // (60 ms for launcher 0, 45 ms for launcher 1 in the pods' lists).
    rig.ship.setFiring(true);
    rig.ship.tick(kStep);
    for (const auto& option : rig.ship.getOptions()) {
        EXPECT_FLOAT_EQ(option->getLauncher(0)->getCooldownTimer(), 60.0f);
        EXPECT_FLOAT_EQ(option->getLauncher(1)->getCooldownTimer(), 0.0f);
    }
    rig.enterTrance();
    rig.ship.tick(kStep);
    for (const auto& option : rig.ship.getOptions()) {
        EXPECT_LT(option->getLauncher(0)->getCooldownTimer(), 60.0f);
        EXPECT_FLOAT_EQ(option->getLauncher(1)->getCooldownTimer(), 45.0f);
    }
    // The casual laser replaces the main weapon: the pods are silent.
    rig.ship.endBreak(false);
    rig.ship.setLaser(true);
    rig.play(200.0f);
    for (const auto& option : rig.ship.getOptions()) {
        EXPECT_FLOAT_EQ(option->getLauncher(0)->getCooldownTimer(), 0.0f);
        EXPECT_NE(option->getLauncher(0)->getState(), OXLauncher::Firing);
    }
    EXPECT_EQ(rig.ship.getLauncher(rig.ship.laserLaunchers().front())->getState(), OXLauncher::Firing);
}

TEST_F(PlayerShipContent, TheCoreSpriteShowsTheFighterAtAReadableSize) {
    Rig rig;
    rig.ship.setScale(1.25f, 1.25f, 1.25f);  // as the game scene makes it
    rig.bringIntoPlay();
    const OXSprite* core = rig.ship.getCoreSprite();
    ASSERT_NE(core, nullptr);
    EXPECT_TRUE(core->isVisible());
    // The fighter fills about four fifths of its cell.
    const float cell = core->getSize().y * core->getScale().y * core->getUniformScale();
    EXPECT_GE(cell * 0.8f, 24.0f);
    EXPECT_LE(cell * 0.8f, 32.0f);
    EXPECT_FLOAT_EQ(core->getPosition().z, rig.ship.getPosition().z + 1.0f);
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
    EXPECT_FALSE(bomb.isVisible());
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
    EXPECT_TRUE(bomb.isVisible());
    EXPECT_EQ(world.tints, 1);
    // The ring passes 100 units between 50 and 60 ms, then grows to the field's size.
    bomb.tick(50.0f);
    EXPECT_EQ(flying(), 2);
    bomb.tick(10.0f);
    EXPECT_EQ(flying(), 1);
    bomb.tick(200.0f);
    EXPECT_EQ(flying(), 0);
    EXPECT_EQ(world.graces, 0);
    bomb.tick(340.0f);
    EXPECT_FALSE(bomb.isVisible());
    EXPECT_FALSE(bomb.isDetonating());
    EXPECT_EQ(world.graces, 1);
}

TEST_F(PlayerShipContent, TrailsFollowTheShipIntoPlayAndAreLetGoWhenItIsDestroyed) {
    CountingEffects effects;
    Rig rig(1);
    rig.world.fx = &effects;
    rig.ship.spawn(false, true);
    // Left, right, core, the engine trail of frame 94 and width 16, and one per pod.
    EXPECT_EQ(effects.trails, 4 + 2);
    rig.play(600.0f);
    rig.ship.hit(-1.0f);
    rig.ship.tick(kStep);
    rig.ship.die();
    rig.play(300.0f);
    EXPECT_EQ(effects.trails, 0);
    rig.ship.spawn(false, false);
    EXPECT_EQ(effects.trails, 6);
    rig.ship.resetState();
    EXPECT_EQ(effects.trails, 0);

    // The bomb's particles: one follows the blast, the other only its first 15 %.
    OXBomb bomb;
    bomb.setWorld(&rig.world);
    bomb.setBulletManager(&rig.bullets);
    bomb.load("assets/plist/bomb_player_1");
    bomb.detonate(600.0f);
    EXPECT_EQ(effects.running, 2);
    bomb.tick(100.0f);
    EXPECT_EQ(effects.running, 1);
    bomb.tick(500.0f);
    EXPECT_EQ(effects.running, 0);
}

// ---- Play allocates nothing ----

TEST_F(PlayerShip, ABusyStretchOfPlayAllocatesNothing) {
    Rig rig(3);
    rig.world.bombsInStock = 2;
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
