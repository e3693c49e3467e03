// Enemies that fight with others or with space itself: a carrier launching its squadron, a
// guardian shielded while its pylon stands, and a stalker that blinks to a marked place.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "stg/shot/ShotMath.h"
#include "tests/stg/enemy/EnemyTestSupport.h"

namespace {

using namespace enemytest;

std::string holdStill() {
    return dict({{"duration", real(60000)}, {"direction", real(0)}, {"speed", real(0)}});
}

struct Shot : IXRenderObject {
    explicit Shot(const Vec3& at) {
        load("");
        setPosition(at);
        setSize(4, 4, 1);
    }
};

// A shot on the body, as the bullet manager takes it: the contact, then the damage.
void shoot(OXEnemy& enemy, float damage) {
    if (enemy.hitTest(Shot(enemy.getPosition()), -damage) == ShotContact::Body) {
        enemy.applyDamage(-damage);
    }
}

const bool files =
    addPackageFile("assets/plist/enemy/t_flattop.plist", plist({{"size", real(40)},
                                                                {"hp", integer(100)},
                                                                {"launch enemy", text("t_strike")},
                                                                {"launch every", real(300)},
                                                                {"launch count", integer(3)},
                                                                {"launch delay", real(200)},
                                                                {"launch y", real(30)},
                                                                {"movement node 0", holdStill()}})) &&
    addPackageFile("assets/plist/enemy/t_strike.plist",
                   plist({{"size", real(16)}, {"hp", integer(5)}, {"movement node 0", holdStill()}})) &&
    addPackageFile("assets/plist/enemy/t_pylon.plist",
                   plist({{"size", real(24)}, {"hp", integer(10)}, {"movement node 0", holdStill()}})) &&
    addPackageFile("assets/plist/enemy/t_guardian.plist", plist({{"size", real(30)},
                                                                 {"hp", integer(60)},
                                                                 {"shielded by", text("t_pylon")},
                                                                 {"shield frame", integer(51)},
                                                                 {"movement node 0", holdStill()}})) &&
    addPackageFile("assets/plist/enemy/t_stalker.plist", plist({{"size", real(30)},
                                                                {"hp", integer(20)},
                                                                {"blink every", real(600)},
                                                                {"blink range", real(100)},
                                                                {"blink warning", real(400)},
                                                                {"blink marker frame", integer(48)},
                                                                {"movement node 0", holdStill()}}));

int countOf(const Stage& stage, const OXEnemy& carrier) {
    int launched = 0;
    for (const OXEnemy* enemy : stage.enemies.getSpawnedEnemies()) {
        launched += enemy != &carrier && enemy->isActive() ? 1 : 0;
    }
    return launched;
}

TEST(Carrier, LaunchesItsCountFromItsBowAndNoMoreAndStopsWhenShotDown) {
    Stage stage;
    OXEnemy* carrier = stage.spawn("t_flattop", 160, 400, 180);  // facing down the field
    stage.run(static_cast<int>(150.0f / kStep));
    EXPECT_EQ(countOf(stage, *carrier), 0);  // its first launch waits
    stage.run(static_cast<int>(3000.0f / kStep));
    ASSERT_EQ(countOf(stage, *carrier), 3);
    for (const OXEnemy* fighter : stage.enemies.getSpawnedEnemies()) {
        if (fighter != carrier) {
            // The bow, 30 units ahead of the hull's centre, is below it on the screen.
            EXPECT_NEAR(fighter->getX(), 160.0f, 0.5f);
            EXPECT_NEAR(fighter->getY(), 370.0f, 0.5f);
            EXPECT_FLOAT_EQ(fighter->getSpawnAngle(), 180.0f);
            EXPECT_FLOAT_EQ(fighter->getSize().x, 16.0f);
        }
    }

    Stage other;
    OXEnemy* shotDown = other.spawn("t_flattop", 160, 400, 180);
    other.run(static_cast<int>(350.0f / kStep));
    ASSERT_EQ(countOf(other, *shotDown), 1);
    shoot(*shotDown, 100.0f);
    other.run(static_cast<int>(3000.0f / kStep));
    EXPECT_FALSE(shotDown->isActive());
    EXPECT_EQ(countOf(other, *shotDown), 1);

    Stage offField;
    OXEnemy* above = offField.spawn("t_flattop", 160, 560, 180);  // above the top edge
    offField.run(static_cast<int>(3000.0f / kStep));
    EXPECT_EQ(countOf(offField, *above), 0);
}

TEST(Shield, AGuardianTakesNoDamageWhileItsPylonStandsInTheFieldAndDiesNormallyOnceItIsGone) {
    Stage stage;
    OXEnemy* pylon = stage.spawn("t_pylon", 100, 400, 180);
    OXEnemy* guardian = stage.spawn("t_guardian", 220, 400, 180);
    stage.enter(*guardian);
    stage.run(2);
    shoot(*guardian, 25.0f);
    stage.run(2);
    EXPECT_FLOAT_EQ(guardian->getHitPoints(), 60.0f);
    EXPECT_NE(guardian->getColour().r, 1.0f);  // it shimmers
    stage.enemies.buildBatch();
    ASSERT_EQ(stage.enemies.getNormalPassVertexCount(), 18);  // two hulls and the halo
    const BatchVertex& halo = stage.enemies.getVertices()[12];
    EXPECT_FLOAT_EQ(halo.u, 3.0f / 8.0f);  // cell 51
    EXPECT_FLOAT_EQ(halo.v, 6.0f / 8.0f);
    EXPECT_GT(std::fabs(halo.x - guardian->getX()), 15.0f);  // ringing the hull

    shoot(*pylon, 10.0f);
    stage.run(2);
    ASSERT_FALSE(pylon->isActive());
    shoot(*guardian, 25.0f);
    stage.run(2);
    EXPECT_FLOAT_EQ(guardian->getHitPoints(), 35.0f);
    stage.enemies.buildBatch();
    EXPECT_EQ(stage.enemies.getNormalPassVertexCount(), 6);  // no halo
    shoot(*guardian, 40.0f);
    stage.run(2);
    EXPECT_FALSE(guardian->isActive());
    EXPECT_TRUE(guardian->wasShotDown());

    // A pylon that has not come into the field yet shields nothing.
    Stage other;
    other.spawn("t_pylon", 100, 600, 180);
    OXEnemy* open = other.spawn("t_guardian", 220, 400, 180);
    other.enter(*open);
    other.run(2);
    shoot(*open, 25.0f);
    EXPECT_FLOAT_EQ(open->getHitPoints(), 35.0f);
}

// The places a stalker blinks to on the seed, and whether shots passed it each time it was out.
std::vector<Vec3> blinks(uint64_t seed, float x, float y, bool& untouchableWhileOut) {
    shotmath::seedGameRandom(seed);
    Stage stage;
    OXEnemy* stalker = stage.spawn("t_stalker", x, y, 180);
    stage.enter(*stalker);
    std::vector<Vec3> places;
    untouchableWhileOut = true;
    for (int frame = 0; frame < 400 && places.size() < 3; ++frame) {
        const bool wasOut = stalker->isBlinkedOut();
        const Vec3 from = stalker->getPosition();
        stage.run(1);
        if (stalker->isBlinkedOut()) {
            untouchableWhileOut = untouchableWhileOut && stalker->isEntering();  // shots pass it
        }
        if (!wasOut && stalker->isBlinkedOut()) {
            const Vec3& to = stalker->getBlinkTarget();
            EXPECT_LE(std::hypot(to.x - from.x, to.y - from.y), 100.0f + 0.01f);
            EXPECT_GE(to.y, OXEnemy::kBlinkLowestY + 15.0f);
            EXPECT_LE(to.y, OXEnemy::kFieldTop - 15.0f);
            EXPECT_GE(to.x, OXEnemy::kFieldLeft + 15.0f);
            stage.enemies.buildBatch();  // the fading hull, then the marker cell 48 where it comes back
            EXPECT_EQ(stage.enemies.getNormalPassVertexCount(), 12);
            const BatchVertex* marker = stage.enemies.getVertices() + 6;
            if (stage.enemies.getNormalPassVertexCount() == 12) {
                EXPECT_FLOAT_EQ(marker[0].v, 6.0f / 8.0f);
                EXPECT_NEAR((marker[0].x + marker[5].x) * 0.5f, to.x, 0.01f);
                EXPECT_NEAR((marker[0].y + marker[5].y) * 0.5f, to.y, 0.01f);
            }
        }
        if (wasOut && !stalker->isBlinkedOut()) {
            places.push_back(stalker->getPosition());
            EXPECT_FALSE(stalker->isEntering());
        }
    }
    EXPECT_EQ(places.size(), 3u);
    return places;
}

TEST(Blink, AStalkerIsOutOfReachWhileOutComesBackWithinItsRangeInsideTheFieldAndReplaysTheSame) {
    bool untouchable = false;
    const std::vector<Vec3> first = blinks(7, 160, 300, untouchable);
    EXPECT_TRUE(untouchable);
    const std::vector<Vec3> again = blinks(7, 160, 300, untouchable);
    ASSERT_EQ(again.size(), first.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(again[i].x, first[i].x);
        EXPECT_EQ(again[i].y, first[i].y);
    }
    // From the field's top left corner it still comes back inside.
    blinks(3, -55, 475, untouchable);
}

}  // namespace
