// The bullet batches on the recording GL device: one draw per pass however
// many bullets fly, the frames drawn, and long bullets turned.

#include <gtest/gtest.h>

#include <cmath>

#include "engine/CXGfxManager.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "tests/stg/shot/ShotTestSupport.h"

namespace {

using namespace shottest;

class ShotDrawTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setGLDevice(&device);
        CXGfxManager::instance().resetCaches();
    }
    void TearDown() override { setGLDevice(nullptr); }

    // Draw calls of the enemy, player and prize passes of one frame.
    int drawsOfOneFrame(CXBulletManager& manager) {
        device.resetCounts();
        manager.drawEnemyBullets();
        manager.drawPlayerBullets();
        manager.drawPrizes();
        manager.drawBeams();
        return device.count(GLCall::DrawArrays);
    }

    RecordingGLDevice device;
};

BulletProperties sized(float size, bool glow = false) {
    BulletProperties type;
    type.size = size;
    type.isGlow = glow;
    type.duration = 100000.0f;
    return type;
}

void fill(Stage& stage, int enemy, int player, int prizes) {
    const BulletProperties plain = sized(8.0f);
    const BulletProperties glow = sized(8.0f, true);
    for (int i = 0; i < enemy; ++i) {
        stage.manager.fireBullet(180, {static_cast<float>(i % 320), 300, 0}, 0, &plain, nullptr);
    }
    for (int i = 0; i < player; ++i) {
        stage.manager.fireBullet(0, {static_cast<float>(i % 320), 200, 0}, 0, &glow, nullptr);
    }
    for (int i = 0; i < prizes; ++i) {
        stage.manager.spawnPrize({static_cast<float>(i % 320), 400, 0}, OXBullet::ScoreOrb);
    }
}

TEST_F(ShotDrawTest, ThePassesTakeTheSameDrawCallsWithTenBulletsAndWithFullPools) {
    Stage few;
    fill(few, 10, 10, 10);
    const int drawsFew = drawsOfOneFrame(few.manager);

    Stage full;
    fill(full, CXBulletManager::kEnemyPoolSize, CXBulletManager::kPlayerPoolSize,
         CXBulletManager::kPrizePoolSize);
    const int drawsFull = drawsOfOneFrame(full.manager);
    EXPECT_EQ(drawsFew, 3);
    EXPECT_EQ(drawsFull, drawsFew);
    full.manager.setVisible(false);
    EXPECT_EQ(drawsOfOneFrame(full.manager), 0);
}

// Drawing changes nothing: the frame of firing shows the first frame however
// often it is drawn, the next frame the bullet's own.
TEST_F(ShotDrawTest, TheFrameOfFiringShowsTheFirstFrameThenTheBulletsOwn) {
    Stage stage;
    BulletProperties type = sized(8.0f);
    type.firstFrame = 63;
    type.atlasFrame = 10;  // column 2, row 1 of the 8 x 8 test atlas
    stage.manager.fireBullet(0, {100, 100, 0}, 0, &type, nullptr);
    stage.run(1);
    stage.manager.drawEnemyBullets();
    stage.manager.drawEnemyBullets();
    const BatchVertex* first = stage.manager.getVertices();
    EXPECT_FLOAT_EQ(first[0].u, 7.0f / 8.0f);
    EXPECT_FLOAT_EQ(first[0].v, 7.0f / 8.0f);
    stage.run(1);
    stage.manager.drawEnemyBullets();
    EXPECT_FLOAT_EQ(first[0].u, 0.25f);
    EXPECT_FLOAT_EQ(first[0].v, 0.125f);
}

TEST_F(ShotDrawTest, ALongBulletLiesAlongItsDirection) {
    Stage stage;
    BulletProperties rice = sized(20.0f);
    rice.heightFactor = 2.0f;  // 20 wide, 40 long
    stage.manager.fireBullet(90, {100, 100, 0}, 0, &rice, nullptr);
    stage.manager.drawEnemyBullets();
    const BatchVertex* v = stage.manager.getVertices();
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    for (int i = 0; i < 6; ++i) {
        minX = std::min(minX, v[i].x);
        maxX = std::max(maxX, v[i].x);
        minY = std::min(minY, v[i].y);
        maxY = std::max(maxY, v[i].y);
    }
    EXPECT_NEAR(maxX - minX, 40.0f, 1.5f);  // heading right: long in x
    EXPECT_NEAR(maxY - minY, 20.0f, 1.5f);
}

}  // namespace
