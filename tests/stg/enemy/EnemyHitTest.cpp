// Contact with the player: shots on the body and on modules, parts breaking
// off, the hit flash, the labels and ramming.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "tests/stg/enemy/EnemyTestSupport.h"

namespace {

using namespace enemytest;

struct Shot : IXRenderObject {
    explicit Shot(const Vec3& at) {
        load("");
        setPosition(at);
        setSize(4, 4, 1);
    }
};

TEST(ShotsOnEnemies, TheBodyIsLeftToTheCallerAndAModuleTakesTheHitItself) {
    Stage stage;
    OXEnemy* carrier = stage.spawn("t_carrier", 160, 400, 180);
    stage.enter(*carrier);
    stage.run(20);
    const OXEnemyModule& gun = carrier->module(0);
    EXPECT_EQ(carrier->hitTest(Shot(carrier->getPosition()), -1.0f), ShotContact::Body);
    EXPECT_FLOAT_EQ(carrier->getHitPoints(), 100.0f);
    EXPECT_EQ(carrier->hitTest(Shot(gun.getPosition()), -1.0f), ShotContact::Module);
    EXPECT_FLOAT_EQ(gun.getHitPoints(), 2.0f);
    EXPECT_FLOAT_EQ(carrier->getHitPoints(), 100.0f);
    // Module 1 has no hit points: shots pass through it.
    EXPECT_EQ(carrier->hitTest(Shot(carrier->module(1).getPosition()), -1.0f), ShotContact::Missed);
}

TEST(ShotsOnEnemies, AShotDownModuleBreaksOffAndTumblesAway) {
    Stage stage;
    OXEnemy* carrier = stage.spawn("t_carrier", 160, 400, 180);
    stage.enter(*carrier);
    stage.run(20);
    OXEnemyModule& gun = carrier->module(0);
    const Vec3 at = gun.getPosition();
    for (int hit = 0; hit < 3; ++hit) {
        carrier->hitTest(Shot(at), -1.0f);
    }
    EXPECT_TRUE(gun.isBrokenOff());
    EXPECT_EQ(carrier->getLiveModuleCount(), 1);
    EXPECT_FALSE(stage.world.explosions.empty());
    EXPECT_EQ(stage.effects.played, (std::vector<std::string>{"ps_t_pop"}));
    EXPECT_EQ(carrier->hitTest(Shot(gun.getPosition()), -1.0f), ShotContact::Missed);

    stage.run(20);
    EXPECT_GT(std::hypot(gun.getX() - at.x, gun.getY() - at.y), 20.0f);  // tumbling away
    stage.run(60);
    EXPECT_FALSE(gun.isVisible());
    EXPECT_FALSE(gun.isActive());
    EXPECT_TRUE(carrier->module(1).isVisible());  // the part without hit points stays on
}

TEST(ShotsOnEnemies, ModulesTrailTheirAnchorsOnTheTurnedHull) {
    Stage stage;
    OXEnemy* carrier = stage.spawn("t_carrier", 160, 400, 180);
    stage.enter(*carrier);
    stage.run(60);
    // Facing down, the hull's left side (x -30) is on the screen's right.
    EXPECT_NEAR(carrier->module(0).getX(), carrier->getX() + 30.0f, 0.5f);
    EXPECT_NEAR(carrier->module(0).getY(), carrier->getY(), 0.5f);
}

TEST(HitFlash, AHitFlashesTheEnemyBriefly) {
    Stage stage;
    OXEnemy* enemy = stage.spawn("t_plain");
    stage.enter(*enemy);
    enemy->applyDamage(-1.0f);
    stage.run(1);
    EXPECT_GT(enemy->getColour().r, 1.0f);
    stage.run(4);
    EXPECT_FLOAT_EQ(enemy->getColour().r, 1.0f);
}

// Under a stream of shots the hull glows steadily and flashes bright only now and then: it
// never drops back to its own colour between shots, and flashes fewer than three times a second.
TEST(HitFlash, AStreamOfShotsGlowsAndFlashesSeldomWithoutStrobing) {
    Stage stage;
    OXEnemy* enemy = stage.spawn("t_big");
    stage.enter(*enemy);
    stage.run(1);
    int flashes = 0;
    bool bright = false;
    float dimmest = 10.0f;
    for (int frame = 0; frame < 65; ++frame) {  // a second of a shot every frame
        enemy->applyDamage(-1.0f);
        stage.run(1);
        const float red = enemy->getColour().r;
        flashes += red > 1.6f && !bright ? 1 : 0;
        bright = red > 1.6f;
        dimmest = std::min(dimmest, red);
    }
    EXPECT_GE(flashes, 1);
    EXPECT_LE(flashes, 3);
    EXPECT_GT(dimmest, 1.0f);
    stage.run(6);
    EXPECT_FLOAT_EQ(enemy->getColour().r, 1.0f);
}

TEST(EnemyLabel, ALargeEnemyShowsItsHitPointsBlinkingUntilItGoesDownAndAnEscortIsNamed) {
    Stage stage;
    OXEnemy* big = stage.spawn("t_big");
    OXEnemy* escort = stage.spawn("t_escort");
    OXEnemy* small = stage.spawn("t_plain");
    stage.enter(*big);
    ASSERT_TRUE(big->hasLabel());
    const OXEnemyLabel& label = big->getOwnLabel();
    EXPECT_STREQ(label.getText(), "100%");
    int hiddenFrames = 0;  // it blinks off briefly
    for (int frame = 0; frame < 50; ++frame) {
        stage.run(1);
        hiddenFrames += label.isShown() ? 0 : 1;
    }
    EXPECT_GT(hiddenFrames, 0);
    EXPECT_LT(hiddenFrames, 25);
    big->applyDamage(-400.0f);
    stage.run(1);
    EXPECT_STREQ(label.getText(), "60%");
    big->applyDamage(-600.0f);
    stage.run(1);
    ASSERT_TRUE(big->isDying());
    EXPECT_STREQ(label.getText(), "DOWN");

    ASSERT_TRUE(escort->hasLabel());
    EXPECT_STREQ(escort->getOwnLabel().getText(), "DELTA FLIGHT");
    EXPECT_FALSE(small->hasLabel());
}

TEST(Ramming, AHostileEnemyOnTheShipHitsItUnlessTheShipIsShielded) {
    Stage stage;
    stage.ship.setSize(16, 16, 1);
    OXEnemy* enemy = stage.spawn("t_plain", 160, 60, 180);
    stage.enter(*enemy);
    stage.run(1);
    ASSERT_FALSE(stage.ship.hits.empty());
    EXPECT_FLOAT_EQ(stage.ship.hits.front(), -1.0f);

    stage.ship.hits.clear();
    stage.ship.invulnerable = true;
    stage.run(1);
    stage.ship.invulnerable = false;
    stage.world.bombActive = true;
    stage.run(1);
    EXPECT_TRUE(stage.ship.hits.empty());

    stage.world.bombActive = false;
    OXEnemy* escort = stage.spawn("t_escort", 160, 60, 180);
    enemy->release();
    stage.enter(*escort);
    stage.run(1);
    EXPECT_TRUE(stage.ship.hits.empty());
}

}  // namespace
