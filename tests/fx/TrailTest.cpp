// Trails: following their target, the spine, letting go and fading, the
// fixed pool and its exhaustion, and one draw call for every ribbon.

#include "fx/CXTrailEffectManager.h"
#include "fx/OXTrailEffect.h"
#include "tests/fx/FxTestSupport.h"

namespace fxtest {
namespace {

class TrailTest : public FxTest {
  protected:
    void SetUp() override {
        FxTest::SetUp();
        manager.load("assets/plist/t_atlas");
        target.load("");
        target.setPosition(100.0f, 100.0f, 0.0f);
    }
    void run(int frames, float dy = 0.0f) {
        for (int i = 0; i < frames; ++i) {
            target.setY(target.getY() + dy);
            manager.tick(kStep);
        }
    }

    CXTrailEffectManager manager;
    IXRenderObject target;
};

TEST_F(TrailTest, ATrailSitsOnItsTargetAndItsSpineRecordsWhereItWent) {
    OXTrailEffect* trail = manager.spawnTrail(&target, 3, 4.0f, {});
    ASSERT_NE(trail, nullptr);
    run(1);
    const Vec3* points = trail->getPoints();
    for (int i = 0; i < OXTrailEffect::kPoints; ++i) {
        EXPECT_EQ(points[i], target.getPosition());  // standing still: a ribbon of no length
    }
    run(30, 5.0f);  // moving up 5 units a frame
    EXPECT_EQ(points[0], target.getPosition());
    for (int i = 1; i < OXTrailEffect::kPoints; ++i) {
        EXPECT_LT(points[i].y, points[i - 1].y) << i;  // each older point lower
        EXPECT_EQ(points[i].x, 100.0f);
    }
}

TEST_F(TrailTest, ReleasedItFadesAndItsTailCatchesUpThenItReturnsToThePool) {
    OXTrailEffect* trail = manager.spawnTrail(&target, 3, 4.0f, {});
    run(12, 5.0f);
    manager.releaseTrail(&target);
    EXPECT_TRUE(trail->isDetached());
    EXPECT_EQ(trail->getTarget(), nullptr);
    run(24, 5.0f);  // about 370 ms: the target goes on alone
    const Vec3* points = trail->getPoints();
    EXPECT_EQ(points[5], points[0]);
    EXPECT_LT(points[0].y, target.getY());
    EXPECT_LT(trail->fade(), 1.0f);
    EXPECT_TRUE(trail->isVisible());
    run(110);
    EXPECT_FALSE(trail->isVisible());
    EXPECT_FALSE(trail->isActive());
    EXPECT_EQ(manager.trailsInUse(), 0);
}

TEST_F(TrailTest, AHiddenTargetLetsItsTrailGoAndReleasingATargetWithoutOneChangesNothing) {
    OXTrailEffect* trail = manager.spawnTrail(&target, 3, 4.0f, {});
    IXRenderObject other;
    other.load("");
    manager.releaseTrail(&other);
    EXPECT_FALSE(trail->isDetached());
    target.setVisible(false);
    run(1);
    EXPECT_TRUE(trail->isDetached());
    EXPECT_EQ(manager.spawnTrail(nullptr, 3, 4.0f, {}), nullptr);
}

TEST_F(TrailTest, ThePoolNeverGrowsAndSaysOnceWhenItRunsOut) {
    for (int i = 0; i < CXTrailEffectManager::kPoolSize; ++i) {
        ASSERT_NE(manager.spawnTrail(&target, 3, 4.0f, {}), nullptr);
    }
    EXPECT_EQ(printedBy([&] { EXPECT_EQ(manager.spawnTrail(&target, 3, 4.0f, {}), nullptr); }),
              "RAN OUT OF TRAILS!\n");
    EXPECT_EQ(printedBy([&] { EXPECT_EQ(manager.spawnTrail(&target, 3, 4.0f, {}), nullptr); }), "");
    EXPECT_EQ(manager.trailsInUse(), CXTrailEffectManager::kPoolSize);
    manager.trail(0)->reset();
    EXPECT_EQ(manager.spawnTrail(&target, 3, 4.0f, {}), manager.trail(0));
}

TEST_F(TrailTest, EveryRibbonIsFiveSegmentsAndAllAreOneDrawCall) {
    IXRenderObject targets[CXTrailEffectManager::kPoolSize];
    for (int i = 0; i < CXTrailEffectManager::kPoolSize; ++i) {
        targets[i].load("");
        targets[i].setPosition(static_cast<float>(i * 8), 0.0f, 0.0f);
        manager.spawnTrail(&targets[i], 3, 4.0f, {});
    }
    for (int frame = 0; frame < 10; ++frame) {
        for (IXRenderObject& t : targets) {
            t.setY(t.getY() + 4.0f);
        }
        manager.tick(kStep);
    }
    manager.draw();
    EXPECT_EQ(manager.getVertexCount(), CXTrailEffectManager::kPoolSize * 30);
    EXPECT_EQ(drawCalls(), 1);
}

}  // namespace
}  // namespace fxtest
