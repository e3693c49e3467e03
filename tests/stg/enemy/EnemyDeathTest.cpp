// What a kill gives the player: points by distance, break gauge, prizes by
// mode, bullet cancels; and what the player sees: the death movement, its
// debris and the final explosion.

#include <gtest/gtest.h>

#include <map>

#include "audio/CXSoundManager.h"
#include "engine/CXSpriteBatchManager.h"
#include "engine/OXSprite.h"
#include "stg/shot/OXBullet.h"
#include "tests/stg/enemy/EnemyTestSupport.h"

namespace {

using namespace enemytest;

// Visible prizes by kind.
std::map<int, int> prizesByKind(CXBulletManager& bullets) {
    std::map<int, int> kinds;
    for (int i = 0; i < CXBulletManager::kPrizePoolSize; ++i) {
        const OXBullet& prize = bullets.prizeSlot(i);
        if (prize.isVisible() && prize.isPrize()) {
            ++kinds[prize.getPrizeType()];
        }
    }
    return kinds;
}

// Kills an entered enemy by damage, as a shot would.
void shootDown(Stage& stage, OXEnemy& enemy) {
    enemy.applyDamage(-enemy.getHitPoints());
    stage.run(1);
}

struct KillResult {
    int64_t score;
    float breakGauge;
};

// "t_instant" killed with `reach` units between the ship and its edge.
KillResult killAtReach(float reach, int bonus = 0, const char* type = "t_instant") {
    Stage stage;
    OXEnemy* enemy = stage.spawn(type, 160, 400, 180);
    stage.enter(*enemy);
    stage.ship.bonus = bonus;
    stage.ship.setPosition(160, 400 - (reach + 20), 0);
    shootDown(stage, *enemy);
    return {stage.ship.score, stage.ship.breakGauge};
}

TEST(KillScore, CloserKillsScoreAndBreakMoreAndTheChainBonusAddsToThem) {
    const KillResult near = killAtReach(100), middle = killAtReach(200), far = killAtReach(301);
    EXPECT_GT(near.score, middle.score);
    EXPECT_GT(middle.score, far.score);
    EXPECT_GT(far.score, 0);
    EXPECT_GT(near.breakGauge, far.breakGauge);
    EXPECT_GT(killAtReach(301, 50).score, far.score);
}

TEST(KillScore, PointsNoScoreCanHoldAreRefusedOrClamped) {
    // NaN and infinity keep the default of no points; a real past a billion is clamped to it.
    const struct {
        const char* type;
        int64_t score;
    } cases[] = {
        {"t_points_nan", 0},
        {"t_points_inf", 0},
        {"t_points_huge", int64_t{16} * 1000000000},
        {"t_points_sunk", int64_t{-16} * 1000000000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(killAtReach(100, 0, c.type).score, c.score) << c.type;
    }
}

TEST(KillScore, APointBlankKillFloatsItsOwnFactorUprightOverTheWreck) {
    Stage stage;
    CXSpriteBatchManager popups;
    popups.setup("assets/plist/atlas_t_enemies", "assets/plist/spr_t_popup");
    stage.world.popups = &popups;
    // The batch's first sprite comes back from a blast: another animation, turned, mirrored.
    OXSprite* used = popups.sprite(0);
    used->setFrameRange(32, 16);
    used->play();
    used->setRotation(0, 0, 123);
    used->setScale(-2, 2, 1);
    OXEnemy* enemy = stage.spawn("t_instant", 160, 400, 180);
    stage.enter(*enemy);
    stage.ship.setPosition(160, 300, 0);
    shootDown(stage, *enemy);
    const OXSprite& popup = *popups.sprite(0);
    EXPECT_TRUE(popup.isVisible());
    EXPECT_FLOAT_EQ(popup.getX(), 160.0f);
    EXPECT_EQ(popup.currentFrame(), 19) << "the x16 cell, past the blast's frames";
    EXPECT_NE(popup.getAnimState(), OXSprite::Playing);
    EXPECT_FLOAT_EQ(popup.getRotation().z, 0.0f);
    EXPECT_GT(popup.getScale().x, 0.0f);
    EXPECT_FLOAT_EQ(popup.getScale().x, popup.getScale().y);
    // A field unit is a pixel at 640 x 480: the cell's capitals (38 px) stay 8 px tall or more.
    EXPECT_GE(38.0f * popup.getScale().y, 8.0f);
    stage.run(10);
    EXPECT_EQ(popup.currentFrame(), 19) << "the popup holds its cell as it rises";
}

enum class Mode { Far, Near, Trance, BeamMarked, CasualFar, CasualNearWithBonus };

std::map<int, int> prizesOfDoomedEnemy(Mode mode) {
    Stage stage;
    stage.world.casual = mode == Mode::CasualFar || mode == Mode::CasualNearWithBonus;
    stage.ship.trance = mode == Mode::Trance;
    stage.ship.laserHeld = mode == Mode::CasualNearWithBonus;
    const bool near = mode == Mode::Near || mode == Mode::CasualNearWithBonus;
    stage.ship.setPosition(160, near ? 250 : 60, 0);
    OXEnemy* enemy = stage.spawn("t_doomed", 160, 400, 180);
    stage.enter(*enemy);
    stage.run(1);
    if (mode == Mode::BeamMarked) {
        enemy->markByBeam();
    }
    shootDown(stage, *enemy);
    EXPECT_TRUE(enemy->isDying());
    return prizesByKind(stage.bullets);
}

TEST(DeathPrizes, ReleasedByModeWhenTheDeathMovementStarts) {
    using Kinds = std::map<int, int>;
    // "t_doomed": 3 prizes and 1 upgrade (kind 2).
    EXPECT_EQ(prizesOfDoomedEnemy(Mode::Far), (Kinds{{0, 3}, {2, 1}}));
    EXPECT_EQ(prizesOfDoomedEnemy(Mode::Near), (Kinds{{0, 6}, {2, 1}}));
    EXPECT_EQ(prizesOfDoomedEnemy(Mode::Trance), (Kinds{{4, 3}, {2, 1}}));
    EXPECT_EQ(prizesOfDoomedEnemy(Mode::BeamMarked), (Kinds{{1, 6}, {2, 1}}));
    EXPECT_EQ(prizesOfDoomedEnemy(Mode::CasualFar), (Kinds{{0, 6}, {2, 1}}));
    EXPECT_EQ(prizesOfDoomedEnemy(Mode::CasualNearWithBonus), (Kinds{{3, 3}, {2, 1}}));
}

TEST(DeathPrizes, AnEnemyWithoutATimedDeathMovementReleasesNone) {
    Stage stage;
    OXEnemy* enemy = stage.spawn("t_instant");
    stage.enter(*enemy);
    shootDown(stage, *enemy);
    EXPECT_FALSE(enemy->isVisible());
    EXPECT_TRUE(prizesByKind(stage.bullets).empty());
    EXPECT_EQ(stage.world.kills, 1);
}

TEST(DeathSequence, TheDeathMovementBurstsAndFlickersThenTheWreckExplodes) {
    Stage stage;
    CXSoundManager& sound = CXSoundManager::instance();
    const int smallBefore = sound.effectPlayCount("sfx_small_expl.caf");
    OXEnemy* enemy = stage.spawn("t_doomed", 160, 400, 180);
    stage.enter(*enemy);
    shootDown(stage, *enemy);
    ASSERT_TRUE(enemy->isDying());
    ASSERT_FALSE(stage.world.explosions.empty());
    EXPECT_EQ(stage.world.explosions.back().kind, ExplosionKind::PreDeathLarge);
    EXPECT_EQ(stage.world.kills, 0);

    int frames = 0;
    while (enemy->isVisible() && frames++ < 100) {
        stage.run(1);
    }
    EXPECT_FALSE(enemy->isVisible());
    EXPECT_GE(stage.world.debrisSprays, 2);
    EXPECT_EQ(stage.world.explosions.back().kind, ExplosionKind::Medium);
    EXPECT_EQ(stage.world.kills, 1);
    const int smallPlays = sound.effectPlayCount("sfx_small_expl.caf") - smallBefore;
    EXPECT_GE(smallPlays, 3);
    EXPECT_LE(smallPlays, frames);
}

TEST(DeathCancels, ABeamMarkedKillTurnsItsBulletsIntoBigOrbsAnOrdinaryOneLeavesThemFlying) {
    for (const bool marked : {true, false}) {
        Stage stage;
        stage.world.level = Difficulty::Hard;
        OXEnemy* gunner = stage.spawn("t_lists");
        stage.enter(*gunner);
        ASSERT_EQ(stage.bullets.liveEnemyPoolCount(), 2);
        if (marked) {
            gunner->markByBeam();
        }
        shootDown(stage, *gunner);
        EXPECT_EQ(stage.bullets.liveEnemyPoolCount(), marked ? 0 : 2);
        EXPECT_EQ(prizesByKind(stage.bullets),
                  marked ? (std::map<int, int>{{3, 2}}) : (std::map<int, int>{}));
    }
}

}  // namespace
