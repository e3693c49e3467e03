// Beams: their types, the warning, widening and narrowing phases, what they
// hit and where they stop, bullet cancelling, the pool and the beam pass.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/CXGfxManager.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "stg/shot/OXBeam.h"
#include "stg/shot/OXLauncher.h"
#include "stg/shot/OXLauncherPlatform.h"
#include "tests/stg/shot/ShotTestSupport.h"

namespace {

using namespace shottest;

// A stage with an enemy carrier (owner kind 4) and a player one (owner kind 0).
struct BeamStage {
    BeamStage() {
        enemySide.setOwnerKind(OwnerEnemy);
        playerSide.setOwnerKind(0);
        stage.manager.loadFirePattern("t_beam_fp");
        for (const char* type : {"t_beam_player", "t_beam_pierce", "t_beam_cancel"}) {
            stage.manager.loadBeamType(type);
        }
    }
    // Fires `type` from (x, y) along `direction`; the beam it took.
    OXBeam& fire(const std::string& type, float x, float y, float direction, bool enemy) {
        stage.manager.fireBeam(direction, {x, y, 0}, 0.0f, 0.0f, type, enemy ? &enemySide : &playerSide,
                               nullptr);
        for (int i = CXBulletManager::kBeamPoolSize - 1; i >= 0; --i) {
            if (!stage.manager.beamSlot(i).isFree()) {
                return stage.manager.beamSlot(i);
            }
        }
        return stage.manager.beamSlot(0);
    }
    // Runs whole 10 ms steps until `ms` have passed.
    void runFor(float ms) { stage.run(static_cast<int>(ms / 10.0f), 10.0f); }

    Stage stage;
    OXLauncherPlatform enemySide, playerSide;
};

TEST(BeamPhases, WarnsThinAndHarmlessThenWidensHoldsNarrowsAndEnds) {
    BeamStage s;
    s.stage.ship.setPosition(160.0f, 250.0f, 0.0f);
    OXBeam& beam = s.fire("t_beam_enemy", 160.0f, 400.0f, 180.0f, true);
    s.runFor(300);
    EXPECT_TRUE(beam.isWarning());
    const float warningWidth = beam.getWidth();
    s.stage.run(1, 10.0f);
    const float alpha = beam.getAlpha();
    s.stage.run(1, 10.0f);
    EXPECT_NE(beam.getAlpha(), alpha);  // the warning blinks
    s.runFor(180);
    EXPECT_TRUE(s.stage.ship.hits.empty());
    ASSERT_EQ(s.stage.effects.played.size(), 1u);  // the warning effect, once
    EXPECT_EQ(s.stage.effects.played[0].name, "ps_beam_warn");
    s.runFor(900);  // widened, holding, and now hurting
    const float fullWidth = beam.getWidth();
    EXPECT_GT(fullWidth, warningWidth * 5.0f);
    EXPECT_FALSE(s.stage.ship.hits.empty());
    s.runFor(400);
    EXPECT_LT(beam.getWidth(), fullWidth);  // narrowing
    s.runFor(250);
    EXPECT_TRUE(beam.isFree());
}

TEST(BeamHits, AnEnemyBeamHitsTheShipAndStopsThereUnlessItIsShielded) {
    struct Case {
        bool invulnerable, bomb;
        bool damaged;
    };
    for (const Case c : {Case{false, false, true}, Case{true, false, false}, Case{false, true, false}}) {
        BeamStage s;
        s.stage.ship.setPosition(160.0f, 200.0f, 0.0f);
        s.stage.ship.invulnerable = c.invulnerable;
        s.stage.world.bombActive = c.bomb;
        OXBeam& beam = s.fire("t_beam_enemy", 160.0f, 400.0f, 180.0f, true);
        s.runFor(800);
        EXPECT_EQ(!s.stage.ship.hits.empty(), c.damaged);
        EXPECT_NEAR(beam.getDrawnLength(), 200.0f, 1.0f);  // cut at the ship either way
        EXPECT_NEAR(beam.getHitPoint().y, 200.0f, 1.0f);
    }
}

TEST(BeamHits, AnEnemyBeamStopsAtABulletBlockerBeforeTheShip) {
    BeamStage s;
    s.stage.ship.setPosition(160.0f, 100.0f, 0.0f);
    BulletProperties blocker;
    blocker.isBulletBlock = true;
    blocker.size = 16.0f;
    blocker.duration = 100000.0f;
    ASSERT_TRUE(s.stage.manager.fireBullet(0.0f, {160, 300, 0}, 0.0f, &blocker, nullptr));
    OXBeam& beam = s.fire("t_beam_enemy", 160.0f, 400.0f, 180.0f, true);
    s.runFor(1500);
    EXPECT_TRUE(s.stage.ship.hits.empty());
    EXPECT_NEAR(beam.getDrawnLength(), 100.0f, 1.0f);
}

TEST(BeamHits, AnEnemyBeamStopsAtARockThatBlocksBeamsUntilTheRockIsShotDown) {
    BeamStage s;
    s.stage.ship.setPosition(160.0f, 100.0f, 0.0f);
    FakeEnemy rock(160.0f, 250.0f), drone(160.0f, 320.0f);
    rock.blocker = true;
    s.stage.world.enemies = {&drone, &rock};
    OXBeam& beam = s.fire("t_beam_enemy", 160.0f, 400.0f, 180.0f, true);
    s.runFor(1000);
    EXPECT_TRUE(s.stage.ship.hits.empty());
    EXPECT_NEAR(beam.getDrawnLength(), 150.0f - 16.0f, 1.0f);  // at the rock's near side
    EXPECT_TRUE(beam.hitThisFrame());
    rock.dying = true;
    s.runFor(100);
    EXPECT_FALSE(s.stage.ship.hits.empty());
    EXPECT_NEAR(beam.getDrawnLength(), 300.0f, 1.0f);
}

TEST(BeamAim, ASearchlightTurnsNoFasterThanItsRateAndEndsPointingAtAShipThatStoodStill) {
    BeamStage s;
    s.stage.manager.loadBeamType("t_beam_search");
    s.stage.ship.setPosition(260.0f, 300.0f, 0.0f);  // 45 degrees off its line, to the right
    OXBeam& beam = s.fire("t_beam_search", 160.0f, 400.0f, 180.0f, true);
    s.runFor(500);
    EXPECT_FLOAT_EQ(beam.getDirection(), 180.0f);  // still during the warning
    s.runFor(500);
    EXPECT_NEAR(beam.getDirection(), 180.0f - 30.0f * 0.4f, 0.5f);  // 30 degrees a second
    EXPECT_TRUE(s.stage.ship.hits.empty());
    s.runFor(2000);
    EXPECT_NEAR(beam.getDirection(), 135.0f, 0.01f);
    EXPECT_FALSE(s.stage.ship.hits.empty());
}

TEST(BeamHits, APlayerBeamDamagesOnlyTheNearerOfTwoEnemiesAndStopsInFrontOfIt) {
    BeamStage s;
    FakeEnemy near(160.0f, 200.0f), far(160.0f, 300.0f);
    s.stage.world.enemies = {&far, &near};
    OXBeam& beam = s.fire("t_beam_player", 160.0f, 100.0f, 0.0f, false);
    s.stage.run(4, 10.0f);
    EXPECT_GT(near.damageTaken, 0.0f);
    EXPECT_FLOAT_EQ(far.damageTaken, 0.0f);
    EXPECT_NEAR(beam.getDrawnLength(), 100.0f - 32.0f, 0.01f);  // its full width in front
}

TEST(BeamHits, APenetratingPlayerBeamDamagesEverythingOnItsLineAndTheBossPoursPrizes) {
    BeamStage s;
    FakeEnemy near(160.0f, 200.0f), far(160.0f, 300.0f), aside(250.0f, 300.0f);
    FakeEnemy boss(160.0f, 400.0f, 64.0f);
    s.stage.world.enemies = {&far, &near, &aside};
    s.stage.world.boss = &boss;
    OXBeam& beam = s.fire("t_beam_pierce", 160.0f, 100.0f, 0.0f, false);
    s.stage.run(3, 10.0f);
    EXPECT_FLOAT_EQ(near.damageTaken, 4.0f);
    EXPECT_FLOAT_EQ(far.damageTaken, 4.0f);
    EXPECT_FLOAT_EQ(aside.damageTaken, 0.0f);
    EXPECT_FLOAT_EQ(boss.damageTaken, 4.0f);
    EXPECT_GT(s.stage.manager.livePrizeCount(), 0);
    EXPECT_FLOAT_EQ(beam.getDrawnLength(), 400.0f);
    boss.invincible = true;
    s.stage.run(1, 10.0f);
    EXPECT_FLOAT_EQ(boss.damageTaken, 4.0f);
}

TEST(BulletCancel, ACancellingBeamClearsTheUprightRectangleOverItsLength) {
    BeamStage s;
    BulletProperties still;
    still.size = 8.0f;
    still.duration = 100000.0f;
    for (float x : {150.0f, 170.0f, 185.0f}) {
        ASSERT_TRUE(s.stage.manager.fireBullet(0.0f, {x, 250, 0}, 0.0f, &still, &s.enemySide));
    }
    s.stage.manager.fireBullet(0.0f, {160, 350, 0}, 0.0f, &still, &s.enemySide);  // above the length
    // Pointing right, the rectangle still rises from the beam's start.
    s.fire("t_beam_cancel", 160.0f, 100.0f, 90.0f, false);
    printedBy([&] { s.stage.run(2, 10.0f); });           // the first frame only grows the beam
    EXPECT_EQ(s.stage.manager.liveEnemyPoolCount(), 2);  // x 185 and y 350 are outside
    EXPECT_EQ(s.stage.manager.livePrizeCount(), 2);
}

TEST(BeamPool, SixtyBeamsThenTheMessageAndLauncherStopEndsItsBeams) {
    BeamStage s;
    for (int i = 0; i < CXBulletManager::kBeamPoolSize; ++i) {
        s.fire("t_beam_player", 100.0f, 100.0f, 0.0f, false);
    }
    EXPECT_NE(printedBy([&] { s.fire("t_beam_player", 100.0f, 100.0f, 0.0f, false); }), "");
    s.stage.manager.endBeamsOfOwner(&s.playerSide);
    EXPECT_EQ(s.stage.manager.liveBeamCount(), 0);

    OXLauncher launcher;
    launcher.load("");
    launcher.setOwner(&s.enemySide);
    ASSERT_TRUE(s.stage.manager.setupLauncher(&launcher, "t_beam_fp"));
    launcher.setPosition(160.0f, 400.0f, 0.0f);
    launcher.start();
    launcher.tick(10.0f);
    ASSERT_EQ(s.stage.manager.liveBeamCount(), 1);
    launcher.setPosition(100.0f, 420.0f, 0.0f);
    s.stage.run(1, 10.0f);
    EXPECT_FLOAT_EQ(s.stage.manager.beamSlot(0).getX(), 100.0f);  // follows its launcher
    launcher.stop();
    EXPECT_EQ(s.stage.manager.liveBeamCount(), 0);
}

// However thin a beam starts, its warning line is drawn wide enough to read in a small window,
// and it pulses without ever blinking out; the beam itself keeps its own width.
TEST(BeamPass, AWarningIsDrawnWideAndNeverBlinksOut) {
    RecordingGLDevice device;
    setGLDevice(&device);
    CXGfxManager::instance().resetCaches();
    BeamStage s;
    s.stage.manager.setVisible(true);
    s.stage.ship.setPosition(20.0f, 100.0f, 0.0f);  // out of the beam's way
    OXBeam& beam = s.fire("t_beam_enemy", 160.0f, 400.0f, 180.0f, true);
    // The body's quad (the second layer) across the downward beam.
    const auto bodyWidth = [&] {
        s.stage.manager.drawBeams();
        const BatchVertex* body = s.stage.manager.getVertices() + 6;
        float left = body[0].x, right = body[0].x;
        for (int i = 1; i < 6; ++i) {
            left = std::min(left, body[i].x);
            right = std::max(right, body[i].x);
        }
        return right - left;
    };
    float warningWidth = 0.0f;
    for (;;) {
        s.stage.run(1, 10.0f);
        if (!beam.isWarning()) {
            break;
        }
        ASSERT_GT(beam.getAlpha(), 0.25f) << "at " << beam.getElapsed() << " ms";
        ASSERT_LT(beam.getWidth(), OXBeam::kWarningDrawWidth);
        warningWidth = bodyWidth();
    }
    s.runFor(700);  // full width: 20
    EXPECT_GE(warningWidth / bodyWidth(), OXBeam::kWarningDrawWidth / 20.0f - 0.01f);
    setGLDevice(nullptr);
}

TEST(BeamPass, EveryBeamIsDrawnInThreeLayersWithOneDrawCall) {
    RecordingGLDevice device;
    setGLDevice(&device);
    CXGfxManager::instance().resetCaches();
    BeamStage s;
    for (int i = 0; i < 5; ++i) {
        s.fire("t_beam_player", 40.0f + 40.0f * i, 100.0f, 0.0f, false);
    }
    s.stage.run(2, 10.0f);
    s.stage.manager.setVisible(true);
    device.resetCounts();
    s.stage.manager.drawBeams();
    EXPECT_EQ(device.count(GLCall::DrawArrays), 1);
    EXPECT_EQ(s.stage.manager.getVertexCount(), 5 * 3 * 6);
    setGLDevice(nullptr);
}

}  // namespace
