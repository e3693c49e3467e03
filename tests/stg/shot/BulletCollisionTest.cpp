// What bullets do to the ship and to enemies: graze and hit against the
// ship, player shots against enemies and the boss, blockers.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "tests/stg/shot/ShotTestSupport.h"

namespace {

using namespace shottest;

// The ship at (160, 100); still enemy bullets placed around it.
struct Crossfire {
    Crossfire() {
        type.size = 8.0f;
        type.duration = 100000.0f;
        type.damage = 1.0f;
        shot.isPlayerBullet = true;
        shot.isGlow = true;
        shot.size = 8.0f;
        shot.duration = 100000.0f;
        shot.damage = 3.0f;
        shot.hitEffect = "ps_spark";
    }
    OXBullet& place(float x, float y) {
        EXPECT_TRUE(stage.manager.fireBullet(180.0f, {x, y, 0}, 0.0f, &type, nullptr));
        return *stage.lastEnemyBullet();
    }
    OXBullet& shoot(float x, float y) {
        EXPECT_TRUE(stage.manager.fireBullet(0.0f, {x, y, 0}, 0.0f, &shot, nullptr));
        for (int i = CXBulletManager::kPlayerPoolSize - 1; i >= 0; --i) {
            if (!stage.manager.playerBullet(i).isFree()) {
                return stage.manager.playerBullet(i);
            }
        }
        return stage.manager.playerBullet(0);
    }
    Stage stage;
    BulletProperties type;
    BulletProperties shot;
};

TEST(ShipHits, ABulletOnTheShipHitsAndGoesAndOnePassingCloseGrazesOnce) {
    Crossfire fire;
    OXBullet& onShip = fire.place(160.0f, 100.0f);
    OXBullet& passing = fire.place(190.0f, 100.0f);
    fire.stage.run(5);
    ASSERT_EQ(fire.stage.ship.hits.size(), 1u);
    EXPECT_FLOAT_EQ(fire.stage.ship.hits[0].change, -1.0f);
    EXPECT_TRUE(onShip.isFree());
    EXPECT_FALSE(passing.isFree());
    EXPECT_TRUE(passing.wasGrazed());
    EXPECT_EQ(fire.stage.world.grazes.size(), 2u);  // each once, however long it stays near
}

TEST(ShipHits, NoHitDuringABombOrInvulnerabilityAndPiercingBulletsStay) {
    Crossfire fire;
    fire.stage.world.bombActive = true;
    OXBullet& first = fire.place(160.0f, 100.0f);
    fire.stage.run(1);
    fire.stage.world.bombActive = false;
    fire.stage.ship.invulnerable = true;
    fire.stage.run(1);
    EXPECT_TRUE(fire.stage.ship.hits.empty());
    EXPECT_FALSE(first.isFree());
    first.release();

    fire.stage.ship.invulnerable = false;
    fire.type.isInvul = true;
    OXBullet& piercing = fire.place(160.0f, 100.0f);
    fire.stage.run(1);
    EXPECT_EQ(fire.stage.ship.hits.size(), 1u);
    EXPECT_FALSE(piercing.isFree());
}

TEST(PlayerShots, TheFirstEnemyInListOrderTakesTheShotWhichSparksAndEnds) {
    Crossfire fire;
    FakeEnemy first(160.0f, 300.0f), second(160.0f, 300.0f);
    fire.stage.world.enemies = {&first, &second};
    OXBullet& bullet = fire.shoot(160.0f, 300.0f);
    fire.stage.run(1);
    EXPECT_FLOAT_EQ(first.damageTaken, 3.0f);
    EXPECT_EQ(second.hitTests, 0);
    EXPECT_TRUE(bullet.isDying());
    ASSERT_EQ(fire.stage.effects.played.size(), 1u);
    EXPECT_EQ(fire.stage.effects.played[0].name, "ps_spark");
    fire.stage.run(20);
    EXPECT_TRUE(bullet.isFree());
    EXPECT_FLOAT_EQ(first.damageTaken, 3.0f);  // a dying shot hits nothing more
}

TEST(PlayerShots, EnteringDyingAndFriendlyEnemiesAreNotTested) {
    Crossfire fire;
    FakeEnemy entering(160, 300), dying(160, 300), friendly(160, 300), target(160, 300);
    entering.entering = true;
    dying.dying = true;
    friendly.friendly = true;
    fire.stage.world.enemies = {&entering, &dying, &friendly, &target};
    fire.shoot(160.0f, 300.0f);
    fire.stage.run(1);
    EXPECT_EQ(entering.hitTests + dying.hitTests + friendly.hitTests, 0);
    EXPECT_FLOAT_EQ(target.damageTaken, 3.0f);
}

TEST(PlayerShots, TheBossIsTestedAfterTheEnemiesAndOnlyWhenItCanBeHurt) {
    Crossfire fire;
    FakeEnemy boss(160, 300, 64), enemy(160, 300);
    fire.stage.world.boss = &boss;
    fire.stage.world.enemies = {&enemy};
    fire.shoot(160.0f, 300.0f);
    fire.stage.run(1);
    EXPECT_FLOAT_EQ(enemy.damageTaken, 3.0f);
    EXPECT_FLOAT_EQ(boss.damageTaken, 0.0f);

    fire.stage.world.enemies.clear();
    boss.invincible = true;
    OXBullet& deflected = fire.shoot(160.0f, 300.0f);
    fire.stage.run(1);
    EXPECT_FLOAT_EQ(boss.damageTaken, 0.0f);
    EXPECT_FALSE(deflected.isDying());
    boss.invincible = false;
    fire.stage.run(1);
    EXPECT_FLOAT_EQ(boss.damageTaken, 3.0f);
}

// Many still shots over a crowd of overlapping enemies of all sizes, some with
// modules (whose parts reach past the body and take the hit themselves), some
// far above or below the rest: each shot hits the first enemy it touches in
// list order, and no other.
TEST(PlayerShots, InACrowdEachShotHitsTheFirstEnemyItTouchesInListOrder) {
    Crossfire fire;
    fire.shot.startSpeed = 0.0f;
    uint32_t state = 12345u;
    auto next = [&state](float low, float high) {
        state = state * 1664525u + 1013904223u;
        return low + (high - low) * static_cast<float>(state >> 8) / 16777216.0f;
    };
    std::vector<std::unique_ptr<FakeEnemy>> crowd;
    for (int i = 0; i < 60; ++i) {
        crowd.push_back(std::make_unique<FakeEnemy>(next(0, 320), next(150, 450), next(6, 70)));
        crowd.back()->withModules = i % 13 == 0;
    }
    crowd.push_back(std::make_unique<FakeEnemy>(160.0f, 900.0f, 40.0f));   // far above the rest
    crowd.push_back(std::make_unique<FakeEnemy>(100.0f, -300.0f, 40.0f));  // far below
    for (const auto& enemy : crowd) {
        fire.stage.world.enemies.push_back(enemy.get());
    }
    std::vector<OXBullet*> shots;
    for (int i = 0; i < 400; ++i) {
        shots.push_back(&fire.shoot(next(0, 320), next(100, 500)));
    }
    shots.push_back(&fire.shoot(160.0f, 905.0f));
    shots.push_back(&fire.shoot(100.0f, -290.0f));
    shots.push_back(&fire.shoot(160.0f, 2000.0f));  // touches nothing

    std::vector<float> expected(crowd.size(), 0.0f);
    std::vector<bool> shouldHit;
    for (const OXBullet* shot : shots) {
        bool hit = false;
        for (size_t e = 0; e < crowd.size() && !hit; ++e) {
            if (crowd[e]->overlaps(shot)) {
                expected[e] += 3.0f;  // to the body, or to a module
                hit = true;
            }
        }
        shouldHit.push_back(hit);
    }
    fire.stage.run(1);

    int hits = 0;
    for (size_t s = 0; s < shots.size(); ++s) {
        EXPECT_EQ(shots[s]->isDying(), shouldHit[s]) << "shot " << s;
        hits += shouldHit[s] ? 1 : 0;
    }
    EXPECT_GT(hits, 100);
    EXPECT_TRUE(shouldHit[shouldHit.size() - 3]);
    EXPECT_TRUE(shouldHit[shouldHit.size() - 2]);
    for (size_t e = 0; e < crowd.size(); ++e) {
        EXPECT_FLOAT_EQ(crowd[e]->damageTaken + crowd[e]->moduleDamage, expected[e]) << "enemy " << e;
    }
}

// Enemies so tall that sorting them into bands would not fit in place: the
// shots still find the first enemy they touch.
TEST(PlayerShots, ACrowdOfTallEnemiesIsStillTestedInListOrder) {
    Crossfire fire;
    fire.shot.startSpeed = 0.0f;
    std::vector<std::unique_ptr<FakeEnemy>> crowd;
    for (int i = 0; i < 300; ++i) {
        crowd.push_back(std::make_unique<FakeEnemy>(static_cast<float>(i % 30) * 10.0f + 15.0f,
                                                    static_cast<float>(i / 30) * 30.0f + 100.0f, 12.0f));
        crowd.back()->setSize(12.0f, 4000.0f, 1.0f);  // passes every vertical test
        fire.stage.world.enemies.push_back(crowd.back().get());
    }
    fire.shoot(55.0f, 100.0f);
    fire.shoot(305.0f, 370.0f);
    fire.shoot(20.0f, 100.0f);  // touching the first two
    fire.stage.run(1);
    EXPECT_FLOAT_EQ(crowd[4]->damageTaken, 3.0f);
    EXPECT_FLOAT_EQ(crowd[299]->damageTaken, 3.0f);
    EXPECT_FLOAT_EQ(crowd[0]->damageTaken, 3.0f);
    EXPECT_FLOAT_EQ(crowd[1]->damageTaken, 0.0f);
}

TEST(PlayerShots, HomingShotsTurnTowardTheLockOnTarget) {
    Crossfire fire;
    FakeEnemy right(300, 300), left(20, 300);
    fire.stage.world.enemies = {&left, &right};
    fire.stage.ship.lockOn = &right;
    fire.shot.startSpeed = 40.0f;
    fire.shot.playerSeekFactor = 10.0f;
    fire.shoot(160.0f, 300.0f);
    fire.stage.run(9);
    EXPECT_FLOAT_EQ(right.damageTaken, 3.0f);
    EXPECT_FLOAT_EQ(left.damageTaken, 0.0f);
}

TEST(Blockers, EnemyBulletsTouchingABlockerAreDestroyedUnlessTheyPierce) {
    Crossfire fire;
    BulletProperties shield;
    shield.isPlayerBullet = true;
    shield.isBulletBlock = true;
    shield.isInvul = true;
    shield.size = 40.0f;
    shield.hitBoxScale = 1.0f;
    shield.duration = 100000.0f;
    fire.stage.manager.fireBullet(0.0f, {100, 400, 0}, 0.0f, &shield, nullptr);
    OXBullet& touching = fire.place(110.0f, 400.0f);
    OXBullet& clear = fire.place(200.0f, 400.0f);
    fire.type.isInvul = true;
    OXBullet& tough = fire.place(100.0f, 405.0f);
    fire.stage.run(1);
    EXPECT_TRUE(touching.isFree());
    EXPECT_FALSE(clear.isFree());
    EXPECT_FALSE(tough.isFree());
}

}  // namespace
