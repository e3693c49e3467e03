// Beams: their types, the warning, widening and narrowing phases, what they
// hit and where they stop, bullet cancelling, the pool and the beam pass.

#include <gtest/gtest.h>

#include <string>

#include "engine/CXGfxManager.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "stg/shot/OXBeam.h"
#include "stg/shot/OXLauncher.h"
#include "stg/shot/OXLauncherPlatform.h"
#include "tests/shot/ShotTestSupport.h"

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

// The phases' widths and times follow from the type's keys: see BeamPhases.
TEST(BeamTypeKeys, ATypeLoadsOnceWithItsEffectsAndAMissingOneIsReportedAndFiresNothing) {
    Stage stage;
    EXPECT_TRUE(stage.manager.loadBeamType("t_beam_enemy"));
    EXPECT_FALSE(stage.manager.loadBeamType("t_beam_enemy"));
    EXPECT_EQ(stage.manager.findBeamType("t_beam_enemy")->atlasFlickerFrame, 1);  // the atlas frame
    EXPECT_EQ(stage.effects.preloaded,
              (std::vector<std::string>{"ps_beam_hit", "ps_beam_shoot", "ps_beam_warn"}));
    EXPECT_EQ(printedBy([&] { EXPECT_FALSE(stage.manager.loadBeamType("t_no_beam")); }),
              "MISSING BEAM TYPE assets/plist/bp/t_no_beam.plist\n");
    EXPECT_EQ(stage.manager.findBeamType("t_no_beam"), nullptr);
    stage.manager.fireBeam(180.0f, {160, 400, 0}, 0.0f, 0.0f, "t_no_beam", nullptr, nullptr);
    EXPECT_EQ(stage.manager.liveBeamCount(), 0);
}

TEST(BeamPhases, WarnsThinAndHarmlessThenWidensHoldsNarrowsAndEnds) {
    BeamStage s;
    s.stage.ship.setPosition(160.0f, 250.0f, 0.0f);
    OXBeam& beam = s.fire("t_beam_enemy", 160.0f, 400.0f, 180.0f, true);
    s.runFor(300);
    EXPECT_TRUE(beam.isWarning());
    EXPECT_FLOAT_EQ(beam.getWidth(), 2.0f);
    s.stage.run(1, 10.0f);
    const float alpha = beam.getAlpha();
    s.stage.run(1, 10.0f);
    EXPECT_NE(beam.getAlpha(), alpha);  // the warning blinks every frame
    s.runFor(180);                      // 500 ms: still warning
    EXPECT_TRUE(s.stage.ship.hits.empty());
    s.runFor(500);  // 1000 ms: the widening is done
    EXPECT_NEAR(beam.getWidth(), 20.0f, 0.5f);
    EXPECT_FALSE(s.stage.ship.hits.empty());
    s.runFor(400);  // 1400 ms: holding
    EXPECT_FLOAT_EQ(beam.getWidth(), 20.0f);
    s.runFor(400);  // 1800 ms: narrowing towards 4
    EXPECT_NEAR(beam.getWidth(), 20.0f - 16.0f * 300.0f / 500.0f, 0.5f);
    s.runFor(250);
    EXPECT_TRUE(beam.isFree());
}

TEST(BeamPhases, TheWarningEffectStartsOnceFewerThan700MsOfTheHoldRemain) {
    BeamStage s;
    const BeamProperties& type = *s.stage.manager.findBeamType("t_beam_enemy");
    BeamProperties longHold = type;
    longHold.warningHoldTime = 1000.0f;  // "warning hold time" 0.5 of 2000 ms
    OXBeam beam;
    beam.load("");
    beam.fire(longHold, 180.0f, {160, 400, 0}, 0.0f, 0.0f, &s.enemySide, nullptr, &s.stage.manager);
    for (int i = 0; i < 29; ++i) {
        beam.tick(10.0f);
    }
    EXPECT_FALSE(beam.isWarningEffectStarted());  // 710 ms remain
    beam.tick(10.0f);
    beam.tick(10.0f);
    EXPECT_TRUE(beam.isWarningEffectStarted());
    ASSERT_EQ(s.stage.effects.played.size(), 1u);
    EXPECT_EQ(s.stage.effects.played[0].name, "ps_beam_warn");
    EXPECT_FLOAT_EQ(s.stage.effects.played[0].strength, 50.0f);
}

TEST(BeamPhases, ABeamValueLengthensTheLifeAndTheFullWidth) {
    BeamStage s;
    OXBeam beam;
    beam.load("");
    beam.fire(*s.stage.manager.findBeamType("t_beam_enemy"), 180.0f, {160, 400, 0}, 0.0f, 1000.0f, nullptr,
              nullptr, &s.stage.manager);
    EXPECT_FLOAT_EQ(beam.getDuration(), 3000.0f);
    for (int i = 0; i < 240; ++i) {
        beam.tick(10.0f);  // 2400 ms: the full width holds until 2500
    }
    EXPECT_FLOAT_EQ(beam.getWidth(), 20.0f);
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
        if (c.damaged) {
            EXPECT_FLOAT_EQ(s.stage.ship.hits.back().change, -1.0f);
            EXPECT_NEAR(s.stage.ship.hits.back().direction.y, -1.0f, 1e-4f);
        }
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

TEST(BeamHits, APlayerBeamDamagesOnlyTheNearerOfTwoEnemiesAndStopsInFrontOfIt) {
    BeamStage s;
    FakeEnemy near(160.0f, 200.0f), far(160.0f, 300.0f);
    s.stage.world.enemies = {&far, &near};
    OXBeam& beam = s.fire("t_beam_player", 160.0f, 100.0f, 0.0f, false);
    s.stage.run(4, 10.0f);
    EXPECT_FLOAT_EQ(near.damageTaken, 6.0f);  // 2 a frame from the second frame
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
    EXPECT_EQ(s.stage.manager.livePrizeCount(), 10);  // once per hit-effect gap, not every frame
    EXPECT_FLOAT_EQ(beam.getDrawnLength(), 400.0f);
    boss.invincible = true;
    s.stage.run(1, 10.0f);
    EXPECT_FLOAT_EQ(boss.damageTaken, 4.0f);
}

TEST(BeamHits, HitEffectsPlayAtMostEvery100Ms) {
    BeamStage s;
    FakeEnemy target(160.0f, 200.0f);
    s.stage.world.enemies = {&target};
    const BeamProperties* type = s.stage.manager.findBeamType("t_beam_player");
    BeamProperties withEffect = *type;
    withEffect.hitEffect = "ps_beam_hit";
    OXBeam beam;
    beam.load("");
    beam.fire(withEffect, 0.0f, {160, 100, 0}, 0.0f, 0.0f, &s.playerSide, nullptr, &s.stage.manager);
    s.stage.manager.refreshFrame();
    for (int i = 0; i < 25; ++i) {
        beam.tick(10.0f);
    }
    EXPECT_EQ(s.stage.effects.played.size(), 3u);  // at 0, 100 and 200 ms
    EXPECT_FLOAT_EQ(s.stage.effects.played[0].strength, 100.0f);
}

TEST(BulletCancel, ACancellingBeamClearsTheUprightRectangleOverItsLengthAndSaysSo) {
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
    s.stage.run(1, 10.0f);  // the first frame only grows the beam
    const std::string said = printedBy([&] { s.stage.run(1, 10.0f); });
    EXPECT_NE(said.find("beam cancelling bullets!\nclosest intersect length: 200.0\nbeam width: 20.0\n"),
              std::string::npos)
        << said;
    EXPECT_EQ(s.stage.manager.liveEnemyPoolCount(), 2);  // x 185 and y 350 are outside
    EXPECT_EQ(s.stage.manager.livePrizeCount(), 2);
}

TEST(BeamPool, SixtyBeamsThenTheMessageAndLauncherStopEndsItsBeams) {
    BeamStage s;
    for (int i = 0; i < CXBulletManager::kBeamPoolSize; ++i) {
        s.fire("t_beam_player", 100.0f, 100.0f, 0.0f, false);
    }
    EXPECT_EQ(printedBy([&] { s.fire("t_beam_player", 100.0f, 100.0f, 0.0f, false); }),
              "RAN OUT OF BEAMS!!!!\n");
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
