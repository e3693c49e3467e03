// The debug frame graph and the draw-call count it shows: the graph keeps the
// newest frames in order, draws in one call whatever it holds, and the count
// covers a frame's drawing and composite but not what is drawn afterwards.

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

TEST_F(FrameGraphTest, KeepsTheNewestFramesOnceTheRingWraps) {
    const int total = FrameGraph::kFrames + 10;
    for (int i = 0; i < total; ++i) {
        graph.record(static_cast<float>(i), i * 2);
    }
    EXPECT_EQ(graph.count(), FrameGraph::kFrames);
    EXPECT_FLOAT_EQ(graph.intervalAt(0), static_cast<float>(total - 1));
    EXPECT_EQ(graph.drawCallsAt(0), (total - 1) * 2);
    EXPECT_FLOAT_EQ(graph.intervalAt(FrameGraph::kFrames - 1), 10.0f);
    EXPECT_FLOAT_EQ(graph.intervalAt(FrameGraph::kFrames), 0.0f);  // older than the ring: none
}

TEST_F(FrameGraphTest, DrawsInOneCallWhateverItHolds) {
    // Empty, a few ordinary frames, and a full ring of stalls and huge counts.
    for (const int frames : {0, 3, FrameGraph::kFrames}) {
        FrameGraph fresh;
        for (int i = 0; i < frames; ++i) {
            fresh.record(i % 2 ? 500.0f : 16.9f, 100000);
        }
        device.draws.clear();
        fresh.draw(800, 600);
        ASSERT_EQ(device.draws.size(), 1u) << frames << " frames";
        EXPECT_EQ(device.draws[0].mode, static_cast<GLenum>(GL_TRIANGLES));
        EXPECT_LE(device.draws[0].count, FrameGraph::kMaxQuads * 6);
        EXPECT_EQ(device.draws[0].count % 6, 0);
        fresh.release();
    }
}

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
