// The fixed pools when they run full, which slot a bullet takes, cancels
// that turn bullets into prizes, and prizes being collected.

#include <gtest/gtest.h>

#include <set>

#include "audio/CXSoundManager.h"
#include "stg/shot/OXLauncherPlatform.h"
#include "tests/stg/shot/ShotTestSupport.h"

namespace {

using namespace shottest;

BulletProperties stillType(bool glow) {
    BulletProperties type;
    type.isGlow = glow;
    type.size = 8.0f;
    type.duration = 100000.0f;
    return type;
}

// Each full pool refuses with a line while the others still fire, and a freed slot is found again.
TEST(Pools, EachFullPoolRefusesWithALineWhileTheOthersStillFire) {
    Stage stage;
    const BulletProperties glow = stillType(true);
    const BulletProperties plain = stillType(false);
    for (int i = 0; i < CXBulletManager::kPlayerPoolSize; ++i) {
        ASSERT_TRUE(stage.manager.fireBullet(0, {10, 10, 0}, 0, &glow, nullptr));
    }
    for (int i = 0; i < CXBulletManager::kPrizePoolSize; ++i) {
        ASSERT_TRUE(stage.manager.spawnPrize({100, 400, 0}, OXBullet::ScoreOrb));
    }
    bool refused = false;
    EXPECT_NE(printedBy([&] {
                  refused = !stage.manager.fireBullet(0, {10, 10, 0}, 0, &glow, nullptr) &&
                            !stage.manager.spawnPrize({}, OXBullet::ScoreOrb);
              }),
              "");
    EXPECT_TRUE(refused);
    for (int i = 0; i < CXBulletManager::kEnemyPoolSize; ++i) {
        ASSERT_TRUE(stage.manager.fireBullet(0, {10, 10, 0}, 0, &plain, nullptr));
    }
    EXPECT_NE(printedBy([&] {
                  EXPECT_FALSE(stage.manager.fireBullet(0, {10, 10, 0}, 0, &plain, nullptr));
              }),
              "");
    stage.manager.enemyBullet(700).release();
    EXPECT_TRUE(stage.manager.fireBullet(0, {10, 10, 0}, 0, &plain, nullptr));
}

TEST(Cancels, CancellingAFirersBulletsTurnsThemIntoPrizesWhereTheyWere) {
    Stage stage;
    OXLauncherPlatform enemy;
    enemy.setBulletManager(&stage.manager);
    enemy.load("");
    const BulletProperties plain = stillType(false);
    BulletProperties tough = stillType(false);
    tough.isInvul = true;
    stage.manager.fireBullet(0, {40, 300, 0}, 0, &plain, &enemy);
    stage.manager.fireBullet(0, {80, 300, 0}, 0, &plain, &enemy);
    stage.manager.fireBullet(0, {120, 300, 0}, 0, &tough, &enemy);
    stage.manager.fireBullet(0, {160, 300, 0}, 0, &plain, nullptr);
    EXPECT_EQ(stage.manager.cancelBulletsOfFirer(nullptr, OXBullet::ScoreOrb), 0);
    EXPECT_EQ(stage.manager.cancelBulletsOfFirer(&enemy, OXBullet::MultiplierOrb), 2);
    EXPECT_EQ(stage.manager.liveEnemyPoolCount(), 2);
    ASSERT_EQ(stage.manager.livePrizeCount(), 2);
    EXPECT_TRUE(stage.manager.prizeSlot(0).isPrize());
    EXPECT_EQ(stage.manager.prizeSlot(0).getPrizeType(), OXBullet::MultiplierOrb);
    EXPECT_FLOAT_EQ(stage.manager.prizeSlot(0).getX(), 40.0f);
    EXPECT_FLOAT_EQ(stage.manager.prizeSlot(1).getX(), 80.0f);
}

TEST(Cancels, RadiusAndRectangleCancelsTakeOnlyEnemyBulletsInside) {
    Stage stage;
    const BulletProperties plain = stillType(false);
    BulletProperties tough = stillType(false);
    tough.isInvul = true;
    BulletProperties mine = stillType(false);
    mine.isPlayerBullet = true;
    stage.manager.fireBullet(0, {100, 100, 0}, 0, &plain, nullptr);
    stage.manager.fireBullet(0, {130, 100, 0}, 0, &plain, nullptr);
    stage.manager.fireBullet(0, {100, 110, 0}, 0, &tough, nullptr);
    stage.manager.fireBullet(0, {100, 105, 0}, 0, &mine, nullptr);
    EXPECT_EQ(stage.manager.cancelBulletsInRadius({100, 100, 0}, 20, false, OXBullet::ScoreOrb), 1);
    EXPECT_EQ(stage.manager.cancelBulletsInRadius({100, 100, 0}, 20, true, OXBullet::ScoreOrb), 1);
    EXPECT_EQ(stage.manager.livePrizeCount(), 2);
    // Upright over its origin: the bullet at (130, 100) is beside a 10-wide rectangle.
    EXPECT_EQ(stage.manager.cancelBulletsInRect({120, 50, 0}, 100, 5, false, OXBullet::ScoreOrb), 0);
    EXPECT_EQ(stage.manager.cancelBulletsInRect({128, 50, 0}, 100, 5, false, OXBullet::ScoreOrb), 1);
}

TEST(Prizes, APrizeLandsKeepsPulsingAndIsCollectedNearTheShip) {
    Stage stage;
    stage.manager.spawnPrize({200, 100, 0}, OXBullet::ScoreOrb);
    OXBullet& orb = stage.manager.prizeSlot(0);
    stage.ship.alive = false;  // not collected on the way
    stage.run(3);
    EXPECT_TRUE(orb.isLanded());
    stage.ship.alive = true;
    stage.ship.setPosition(160, 400, 0);
    std::set<int> frames;
    for (int frame = 0; frame < 80; ++frame) {
        stage.run(1);
        frames.insert(orb.drawFrame());
    }
    EXPECT_GT(frames.size(), 2u);  // a landed prize keeps twinkling
    stage.ship.setPosition(orb.getX() - 60.0f, orb.getY(), 0);
    stage.run(3);
    EXPECT_TRUE(orb.isFree());
    EXPECT_EQ(stage.ship.orbs, 1);
}

TEST(Prizes, ThreePickupsWithin64msPlayTheSoundOnce) {
    Stage stage;
    CXSoundManager& sound = CXSoundManager::instance();
    const int before = sound.effectPlayCount("prize_pickup.caf");
    for (int i = 0; i < 3; ++i) {
        stage.manager.spawnPrize({160.0f + static_cast<float>(i), 100, 0}, OXBullet::ScoreOrb);
    }
    stage.run(3);  // all three collected in one update
    EXPECT_EQ(stage.ship.orbs, 3);
    EXPECT_EQ(sound.effectPlayCount("prize_pickup.caf"), before + 1);
    stage.run(4);  // 62 ms later the cooldown is over
    stage.manager.spawnPrize({160, 100, 0}, OXBullet::ScoreOrb);
    stage.run(3);
    EXPECT_EQ(sound.effectPlayCount("prize_pickup.caf"), before + 2);
}

TEST(Prizes, ARunOfPickupsStepsDownInLevelAndAPauseRestoresIt) {
    // A screen of orbs collected one after another stays under the music: each pickup heard
    // soon after the last is quieter, down to a floor; after a pause the next is at full level.
    Stage stage;
    CXSoundManager& sound = CXSoundManager::instance();
    auto pickUp = [&stage, &sound]() {
        stage.manager.spawnPrize({160, 100, 0}, OXBullet::ScoreOrb);
        stage.run(5);  // 83 ms: collected, and the next is past the 64 ms gap
        return sound.effectLastVolume("prize_pickup.caf");
    };
    stage.run(30);
    const float full = pickUp();
    ASSERT_GT(full, 0.0f);
    float previous = full;
    for (int i = 0; i < 12; ++i) {
        const float level = pickUp();
        EXPECT_LE(level, previous + 1e-6f) << "pickup " << i;
        previous = level;
    }
    EXPECT_LT(previous, full * 0.5f) << "a long run ends well under its first pickup";
    EXPECT_GT(previous, full * 0.25f) << "and is still heard";
    stage.run(30);  // half a second without a pickup
    EXPECT_FLOAT_EQ(pickUp(), full);
}

}  // namespace
