// Timed actions: the only animation mechanism of menus, transitions and pulses.

#include <gtest/gtest.h>

#include "engine/IXTransformable.h"

namespace {

struct CallbackLog {
    int calls = 0;
    int lastArgument = -1;
    void* lastTarget = nullptr;
};

bool recordCall(void* target, int argument) {
    auto* log = static_cast<CallbackLog*>(target);
    ++log->calls;
    log->lastArgument = argument;
    log->lastTarget = target;
    return false;
}

class TransformableTest : public ::testing::Test {
  protected:
    void SetUp() override { object.load(""); }
    IXTransformable object;
};

TEST_F(TransformableTest, OvershootingStepEndsTheActionExactlyAndCallsBackOnce) {
    CallbackLog log;
    object.scaleTo(100, {1, 1, 1}, {2, 3, 4}, 1.5f, &log, 7, recordCall);
    object.update(60);
    object.update(60);  // 20 ms past the end
    EXPECT_EQ(object.getScale(), (Vec3{2, 3, 4}));
    EXPECT_EQ(log.calls, 1);
    EXPECT_EQ(log.lastArgument, 7);
    object.update(60);
    EXPECT_EQ(log.calls, 1);
}

// A pulse: each fade's end starts the other one on the same channel.
bool fadeBack(void* target, int) {
    static_cast<IXTransformable*>(target)->fadeTo(100, 1, 0, 1, target, nullptr);
    return false;
}

TEST_F(TransformableTest, CallbackCanChainANewActionOnItsOwnChannel) {
    object.fadeTo(100, 0, 1, 1, &object, fadeBack);
    object.update(100);
    // The chained fade starts from its own start value and runs from the next update.
    EXPECT_EQ(object.getAlpha(), 1.0f);
    EXPECT_TRUE(object.hasRunningActions());
    object.update(50);
    EXPECT_NEAR(object.getAlpha(), 0.5f, 1e-5f);
    object.update(50);
    EXPECT_EQ(object.getAlpha(), 0.0f);
    EXPECT_FALSE(object.hasRunningActions());
}

TEST_F(TransformableTest, StartingAnActionReplacesTheChannelWithoutItsCallback) {
    CallbackLog first;
    object.moveBy(100, {100, 0, 0}, 1, &first, recordCall);
    object.update(50);
    object.moveBy(100, {0, 10, 0}, 1);
    object.update(200);
    EXPECT_EQ(first.calls, 0);
    EXPECT_EQ(object.getX(), 50.0f);
    EXPECT_EQ(object.getY(), 10.0f);
}

TEST_F(TransformableTest, ObjectThatIsNotKeptAliveHidesWhenItsLastActionEndsUnlessItOnlyTurned) {
    IXTransformable turning;
    turning.load("");
    turning.setKeepAlive(false);
    turning.rotateTo(100, {0, 0, 0}, {0, 0, 180}, 1, nullptr, nullptr);
    turning.update(200);
    EXPECT_EQ(turning.getRotation().z, 180.0f);
    EXPECT_TRUE(turning.isVisible());
    EXPECT_TRUE(turning.isActive());

    object.setKeepAlive(false);
    object.fadeTo(100, 1, 0);
    object.moveBy(200, {5, 0, 0}, 1);
    object.update(150);
    EXPECT_TRUE(object.isVisible());
    object.update(100);
    EXPECT_FALSE(object.isVisible());
    EXPECT_FALSE(object.isActive());
}

TEST_F(TransformableTest, FadeAndScaleWakeAHiddenObjectButMoveDoesNot) {
    object.setVisible(false);
    object.setActive(false);
    object.moveBy(100, {1, 0, 0}, 1);
    EXPECT_FALSE(object.isVisible());
    object.fadeTo(100, 0, 1);
    EXPECT_TRUE(object.isVisible());
    EXPECT_TRUE(object.isActive());
}

TEST_F(TransformableTest, ResetClearsActionsAndRestoresWhite) {
    CallbackLog log;
    object.tintTo(100, {1, 0, 0, 1}, {0, 1, 0, 1}, 1, &log, recordCall);
    object.setKeepAlive(false);
    object.resetActions();
    object.update(200);
    EXPECT_EQ(log.calls, 0);
    EXPECT_TRUE(object.isKeptAlive());
    EXPECT_EQ(object.getColour().r, 1.0f);
    EXPECT_EQ(object.getColour().g, 1.0f);
}

}  // namespace
