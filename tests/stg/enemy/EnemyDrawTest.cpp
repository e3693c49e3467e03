// The enemy batch on the recording device: one draw call per pass whatever
// the count, modules beneath and above their hull, and the dying pass with
// its colour and flicker frame.

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "engine/gl/recording/RecordingGLDevice.h"
#include "tests/stg/enemy/EnemyTestSupport.h"

namespace {

using namespace enemytest;

class EnemyDraw : public ::testing::Test {
  protected:
    void SetUp() override { setGLDevice(&device); }
    void TearDown() override { setGLDevice(nullptr); }

    std::vector<RecordingGLDevice::DrawCall> drawFrame() {
        device.draws.clear();
        stage.enemies.draw();
        return device.draws;
    }
    const BatchVertex& vertex(int index) const { return stage.enemies.getVertices()[index]; }

    RecordingGLDevice device;
    Stage stage;
};

TEST_F(EnemyDraw, EveryEnemyAndModuleGoesOutInOneCallPerPassOnceEntered) {
    stage.spawn("t_plain");
    stage.run(1);
    EXPECT_TRUE(drawFrame().empty());
    stage.enemies.spawned(0)->release();
    for (int i = 0; i < CXEnemyManager::kPoolSize; ++i) {
        stage.spawn("t_crowded", 20.0f + static_cast<float>(i % 10) * 30.0f,
                    100.0f + static_cast<float>(i / 10) * 30.0f);
    }
    stage.run(10);
    const auto draws = drawFrame();
    ASSERT_EQ(draws.size(), 1u);  // nobody is dying
    EXPECT_EQ(draws[0].count, CXEnemyManager::kPoolSize * (1 + OXEnemy::kModuleSlots) * 6);

    for (int i = 0; i < 10; ++i) {
        stage.enemies.spawned(i)->kill();
    }
    const auto dyingToo = drawFrame();
    EXPECT_EQ(dyingToo.size(), 1u);  // no death movement: gone at once
    EXPECT_EQ(dyingToo[0].count, 90 * (1 + OXEnemy::kModuleSlots) * 6);
}

TEST_F(EnemyDraw, ModulesBelowTheHullComeFirstAndThoseAboveLast) {
    OXEnemy* carrier = stage.spawn("t_carrier", 160, 400, 180);
    stage.enter(*carrier);
    ASSERT_EQ(drawFrame().size(), 1u);
    ASSERT_EQ(stage.enemies.getNormalPassVertexCount(), 18);
    EXPECT_FLOAT_EQ(vertex(0).u, 2.0f / 8.0f);  // module 0, its own cell (2, 3), anchor z -1
    EXPECT_FLOAT_EQ(vertex(0).v, 3.0f / 8.0f);
    EXPECT_FLOAT_EQ(vertex(6).u, 0.0f);  // the hull, frame 24, two cells wide
    EXPECT_FLOAT_EQ(vertex(6).v, 3.0f / 8.0f);
    EXPECT_FLOAT_EQ(vertex(7).u, 2.0f / 8.0f);
    EXPECT_FLOAT_EQ(vertex(12).u, 4.0f / 8.0f);  // module 1, frame 28, anchor z 1
    // An 80 x 80 quad (size 40, two cells each way); facing down, the hull's
    // top-left corner is drawn at the bottom right.
    EXPECT_NEAR(vertex(6).x, 160.0f + 40.0f, 1e-3f);
    EXPECT_NEAR(vertex(6).y, carrier->getY() - 40.0f, 1e-3f);
}

TEST_F(EnemyDraw, TheDyingGlowRedAndFlickerToTheirSecondFrame) {
    OXEnemy* enemy = stage.spawn("t_doomed", 160, 400, 180);
    stage.enter(*enemy);
    enemy->applyDamage(-1.0f);
    stage.run(1);
    ASSERT_TRUE(enemy->isDying());
    std::set<std::pair<float, float>> frameOrigins;
    for (int frame = 0; frame < 20 && enemy->isVisible(); ++frame) {
        const auto draws = drawFrame();
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_EQ(stage.enemies.getNormalPassVertexCount(), 0);
        ASSERT_EQ(stage.enemies.getDyingPassVertexCount(), 6);
        EXPECT_GT(vertex(0).r, vertex(0).g);  // glowing red
        frameOrigins.insert({vertex(0).u, vertex(0).v});
        stage.run(1);
    }
    // Atlas frame 3 and flicker frame 11.
    EXPECT_EQ(frameOrigins,
              (std::set<std::pair<float, float>>{{3.0f / 8.0f, 0.0f}, {3.0f / 8.0f, 1.0f / 8.0f}}));
}

}  // namespace
