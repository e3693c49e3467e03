// What hit the ship, as the game keeps it: the bullet's place and the attack running (the
// stage's waves, or the boss phase being fought), whether a bomb went off for it, and a replay
// of the game naming the same hits when it plays back; the ring over a frozen field.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/OXTextBox.h"
#include "stg/enemy/CXEnemyManager.h"
#include "stg/enemy/OXBoss.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/HitMark.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "stg/game/Replay.h"
#include "stg/game/ReplayPlayer.h"
#include "stg/shot/BulletProperties.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/OXBullet.h"
#include "stg/shot/OXLauncherPlatform.h"
#include "stg/shot/OwnerKind.h"
#include "tests/stg/game/GameTestSupport.h"

namespace {

constexpr float kFrameMs = 16.7f;

class HitRecordTest : public gametest::SessionTest {
  protected:
    // The first stage with its waves held back, the ship flown in and in the player's hands.
    OXScnBaseSTGGame& shipInPlay(int bombs) {
        profile.bombs = bombs;
        startPlaying();
        OXScnBaseSTGGame& scene = *session.getGameScene();
        scene.getEnemyManager()->setState(CXEnemyManager::Loaded);
        for (int frame = 0; frame < 1000 && !scene.getShip()->isControllable(); ++frame) {
            session.tick(kFrameMs);
        }
        // The launch's shield runs out.
        for (int frame = 0; frame < 400 && scene.getShip()->isInvulnerable(); ++frame) {
            session.tick(kFrameMs);
        }
        EXPECT_TRUE(scene.getShip()->isControllable() && !scene.getShip()->isInvulnerable());
        return scene;
    }
    // A slow round bullet 40 units straight above the ship, falling onto it; the frames until
    // the game keeps a hit (at most 200), and where the bullet was the frame before.
    int dropBulletOnShip(OXScnBaseSTGGame& scene, Vec3& lastSeen) {
        bullet.size = 8.0f;
        bullet.damage = 1.0f;
        bullet.startSpeed = 5.0f;
        bullet.duration = 100000.0f;
        const OXSTGBasePlayer& ship = *scene.getShip();
        lastSeen = {ship.getX(), ship.getY() + 40.0f, 0.0f};
        enemySide.setOwnerKind(OwnerEnemy);
        EXPECT_TRUE(scene.getBulletManager()->fireBullet(180.0f, lastSeen, 0.0f, &bullet, &enemySide));
        const size_t before = session.getRecording().hits.size();
        for (int frame = 0; frame < 200; ++frame) {
            const OXBullet* flying = liveBullet(scene);
            if (flying) {
                lastSeen = flying->getPosition();
            }
            session.tick(kFrameMs);
            if (session.getRecording().hits.size() > before) {
                return frame;
            }
        }
        return 200;
    }
    static const OXBullet* liveBullet(const OXScnBaseSTGGame& scene) {
        for (int i = 0; i < CXBulletManager::kEnemyPoolSize; ++i) {
            const OXBullet& one = scene.getBulletManager()->enemyBullet(i);
            if (one.isVisible() && !one.isDying()) {
                return &one;
            }
        }
        return nullptr;
    }

    BulletProperties bullet;
    OXLauncherPlatform enemySide;
};

TEST_F(HitRecordTest, AShipLostToABulletKeepsTheBulletsPlaceAndTheStagesWaves) {
    OXScnBaseSTGGame& scene = shipInPlay(0);
    Vec3 seen;
    ASSERT_LT(dropBulletOnShip(scene, seen), 200);
    const int32_t frameOfHit = session.getFrame() - 1;  // the tick that kept it has been counted
    const Replay& recording = session.getRecording();
    ASSERT_EQ(recording.hits.size(), 1u);
    const ReplayHit& hit = recording.hits[0];
    EXPECT_EQ(hit.frame, frameOfHit);
    EXPECT_FALSE(hit.bomb);
    EXPECT_NEAR(hit.x, seen.x, 4.0f);
    EXPECT_NEAR(hit.y, seen.y, 4.0f);
    EXPECT_GE(hit.radius, 3.0f);  // the bullet's own size, for the ring
    EXPECT_EQ(hit.stage, 0);
    EXPECT_EQ(hit.boss, "");
    EXPECT_EQ(hit.phase, -1);
    EXPECT_EQ(hit.attack, "STAGE 1");

    // The ship goes down once: nothing more is kept while it explodes.
    for (int frame = 0; frame < 30; ++frame) {
        session.tick(kFrameMs);
    }
    EXPECT_EQ(session.getRecording().hits.size(), 1u);
    session.endGame();
    EXPECT_EQ(session.getLastResult().hits, 1);
}

TEST_F(HitRecordTest, ABombSetOffByAHitInABossPhaseNamesTheAttack) {
    OXScnBaseSTGGame& scene = shipInPlay(2);
    CXEnemyManager& enemies = *scene.getEnemyManager();
    enemies.setMidBossDone(true);  // the stage's boss, not its mid-boss
    ASSERT_TRUE(enemies.startBoss());
    OXBoss& boss = *enemies.currentBoss();
    for (int frame = 0; frame < 1500 && boss.getAttackName().empty(); ++frame) {
        scene.setBulletGrace(100.0f);  // the boss's own bullets stay out of it
        session.tick(kFrameMs);
    }
    ASSERT_FALSE(boss.getAttackName().empty());
    for (int frame = 0; frame < 20; ++frame) {
        session.tick(kFrameMs);  // the last grace runs out
    }
    const size_t before = session.getRecording().hits.size();
    Vec3 seen;
    ASSERT_LT(dropBulletOnShip(scene, seen), 200);
    ASSERT_EQ(session.getRecording().hits.size(), before + 1);
    const ReplayHit& hit = session.getRecording().hits.back();
    EXPECT_TRUE(hit.bomb);
    EXPECT_EQ(session.run().bombs, 1);
    EXPECT_EQ(hit.phase, boss.getPhaseIndex());
    EXPECT_EQ(hit.attack, boss.getAttackName());
    EXPECT_FALSE(hit.boss.empty());
}

TEST_F(HitRecordTest, AReplayOfTheGameNamesTheSameHitsAndPlaysTheSame) {
    // A ship that never moves on the first stage is hit by its waves sooner or later.
    profile.bombs = 1;
    session.setSeed(777);
    startPlaying();
    for (int frame = 0; frame < 6000 && session.getRecording().hits.size() < 2; ++frame) {
        session.tick(kFrameMs);
    }
    session.finishRecording();
    const Replay recorded = session.getRecording();
    ASSERT_GE(recorded.hits.size(), 2u) << "the waves should reach a ship that stands still";
    EXPECT_TRUE(recorded.hits[0].bomb) << "the first hit sets off the one bomb";

    CXUserProfile playbackProfile;
    ReplayPlayer player;
    player.start(session, recorded, playbackProfile);
    while (!player.isDone()) {
        player.step(kFrameMs);
    }
    EXPECT_EQ(player.getStatus(), ReplayPlayer::Finished);
    const std::vector<ReplayHit>& again = session.getRecording().hits;
    ASSERT_EQ(again.size(), recorded.hits.size());
    for (size_t i = 0; i < again.size(); ++i) {
        EXPECT_EQ(again[i].frame, recorded.hits[i].frame);
        EXPECT_EQ(again[i].x, recorded.hits[i].x);
        EXPECT_EQ(again[i].y, recorded.hits[i].y);
        EXPECT_EQ(again[i].attack, recorded.hits[i].attack);
    }
}

// The mark rings the hit and names its attack inside what the camera shows, also for a hit at
// the field's edge; null takes it away.
TEST_F(HitRecordTest, TheHitMarkRingsTheHitAndKeepsItsNameInView) {
    OXScnBaseSTGGame& scene = shipInPlay(0);
    ReplayHit hit;
    hit.x = 316.0f;
    hit.y = 470.0f;
    hit.radius = 6.0f;
    hit.attack = "LAST STAND OF THE LINE";
    scene.showHitMark(&hit);
    const HitMark& mark = scene.getHitMark();
    ASSERT_TRUE(mark.isShown());
    EXPECT_GT(mark.ringRadius(), hit.radius);
    EXPECT_EQ(mark.label(), hit.attack);
    for (const float viewLeft : {0.0f, 50.0f}) {
        const float viewRight = viewLeft + 270.0f;
        const Vec3 centre{std::min(hit.x, viewRight - 5.0f), hit.y, 0.0f};
        const HitMark::LabelPlace place =
            HitMark::placeLabel(centre, mark.ringRadius(), 22, 24, viewLeft, viewRight);
        EXPECT_GE(place.left, viewLeft);
        EXPECT_LE(place.left + 22 * 12.0f, viewRight);
        EXPECT_GE(place.baseline, 0.0f);
        EXPECT_LE(place.baseline + 12.0f, 480.0f);
    }
    // In open space the name stands clear of the ring, on its right.
    const HitMark::LabelPlace open = HitMark::placeLabel({60, 200, 0}, 12.0f, 6, 24, 0.0f, 360.0f);
    EXPECT_GE(open.left, 72.0f);
    scene.drawOverlays();  // draws with the ring shown
    scene.showHitMark(nullptr);
    EXPECT_FALSE(mark.isShown());
}

}  // namespace
