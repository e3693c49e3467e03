// The draw-call count the debug frame graph and the frame benchmark show: it covers a frame's
// drawing and composite but not what is drawn afterwards (the graph itself).

#include <gtest/gtest.h>

#include "engine/CXGfxManager.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "platform/FrameGraph.h"

namespace {

class FrameGraphTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setGLDevice(&device);
        CXGfxManager::instance().resetCaches();
    }
    void TearDown() override {
        graph.release();
        setGLDevice(nullptr);
    }

    RecordingGLDevice device;
    FrameGraph graph;
};

TEST_F(FrameGraphTest, DrawCallsCountTheFrameAndItsCompositeOnly) {
    CXGfxManager& gfx = CXGfxManager::instance();
    const float quad[12 * 4] = {};
    device.draws.clear();
    gfx.beginFrame();
    for (int i = 0; i < 3; ++i) {
        gfx.drawStrip(4, quad, 48, quad, 48, quad, 48, -1, Mat4::identity());
    }
    gfx.endFrame();
    // Every draw of the frame, the composite's included.
    const int framed = gfx.getFrameDrawCalls();
    EXPECT_EQ(framed, static_cast<int>(device.draws.size()));
    EXPECT_GE(framed, 4);
    graph.record(17.0f, framed);
    graph.draw(800, 600);  // after the composite: not part of any frame
    EXPECT_EQ(gfx.getFrameDrawCalls(), framed);
    gfx.beginFrame();
    gfx.endFrame();
    EXPECT_EQ(gfx.getFrameDrawCalls(), framed - 3);
}

}  // namespace
