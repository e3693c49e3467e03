// The graphics manager on the recording device: blend modes and textures reach GL when they
// change, the frame's composite lands centred on the window, and a click on it is traced back
// to the game area through every quarter turn.

#include <gtest/gtest.h>

#include <array>

#include "engine/CXGfxManager.h"
#include "engine/gl/recording/RecordingGLDevice.h"

namespace {

const float kPositions[12] = {};
const float kColours[16] = {};
const float kTexCoords[8] = {};

class GfxManagerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setGLDevice(&device);
        gfx.resetCaches();
        device.resetCounts();
    }
    void TearDown() override { setGLDevice(nullptr); }

    void drawQuad(int texture, int program = -1) {
        gfx.drawStrip(4, kPositions, 0, kColours, 0, kTexCoords, 0, texture, Mat4::identity(), program);
    }

    RecordingGLDevice device;
    CXGfxManager& gfx = CXGfxManager::instance();
};

TEST_F(GfxManagerTest, BlendModesReachGLWhenTheyChangeAndUnknownOnesAreOnlyCached) {
    gfx.setBlendMode(1);
    gfx.setBlendMode(1);
    EXPECT_EQ(device.count(GLCall::BlendFunc), 1);
    gfx.setBlendMode(3);  // the same factors as 1
    EXPECT_EQ(device.count(GLCall::BlendFunc), 2);
    EXPECT_EQ(device.blendSource, static_cast<GLenum>(GL_SRC_ALPHA));
    EXPECT_EQ(device.blendDestination, static_cast<GLenum>(GL_ONE));
    gfx.setBlendMode(9);
    EXPECT_EQ(device.count(GLCall::BlendFunc), 2);
    EXPECT_EQ(gfx.getBlendModeCached(), 9);
    gfx.setBlendMode(0);
    EXPECT_EQ(device.count(GLCall::BlendFunc), 3);
    EXPECT_EQ(device.blendSource, static_cast<GLenum>(GL_ONE));
    EXPECT_EQ(device.blendDestination, static_cast<GLenum>(GL_ONE_MINUS_SRC_ALPHA));
}

TEST_F(GfxManagerTest, TexturesAreBoundOnlyWhenTheyChangeOrWereDeleted) {
    drawQuad(7);
    drawQuad(7);
    drawQuad(-1);  // no texture keeps the bound one
    EXPECT_EQ(device.count(GLCall::BindTexture), 1);
    EXPECT_EQ(device.draws.back().texture, 7u);
    gfx.forgetTexture(7);
    drawQuad(7);
    EXPECT_EQ(device.count(GLCall::BindTexture), 2);
}

// The composite of endFrame, read back from the viewport it sets.
class CompositeTest : public GfxManagerTest {
  protected:
    void compositeAt(int screenWidth, int screenHeight, int areaWidth, int areaHeight, float profileScale,
                     ScreenOrientation orientation = ScreenUpright) {
        gfx.setScreenSize(screenWidth, screenHeight);
        gfx.setGameArea(areaWidth, areaHeight);
        gfx.setBufferScale(profileScale);
        gfx.setBackgroundFill(false);
        gfx.setScreenOrientation(orientation);
        gfx.setResolutionBoost(false, false);
        gfx.endFrame();
    }
};

TEST_F(CompositeTest, TheImageIsCentredAtItsScale) {
    const struct {
        int screenWidth, screenHeight, areaWidth, areaHeight;
        float scale;
        ScreenOrientation orientation;
        std::array<int, 4> viewport;
    } cases[] = {
        {640, 480, 360, 480, 0.5f, ScreenUpright, {140, 0, 360, 480}},    // one to one with borders
        {800, 600, 450, 600, 1.0f, ScreenUpright, {118, -75, 562, 750}},  // 1.25 times, round the centre
        {800, 600, 600, 800, 0.5f, ScreenTurned90, {0, 0, 800, 600}},     // a turned screen swaps the sides
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.screenWidth);
        device.resetCounts();
        compositeAt(c.screenWidth, c.screenHeight, c.areaWidth, c.areaHeight, c.scale, c.orientation);
        EXPECT_EQ(device.lastViewport, c.viewport);
        EXPECT_EQ(device.boundFramebuffer, 0u);
        EXPECT_EQ(device.count(GLCall::DrawArrays), 1);
    }
    gfx.setScreenOrientation(ScreenUpright);
}

// The image blends only over the background fill: on the cleared window blending changes nothing.
TEST_F(CompositeTest, BackgroundFillDrawsADimmedCopyBehindTheImage) {
    gfx.setBackgroundFill(true);
    gfx.setScreenSize(640, 480);
    gfx.setGameArea(360, 480);
    gfx.setBufferScale(0.5f);
    gfx.endFrame();
    EXPECT_EQ(device.draws.size(), 2u);
    EXPECT_EQ(device.lastViewport, (std::array<int, 4>{140, 0, 360, 480})) << "the image is drawn last";
    EXPECT_EQ(device.enabledCapabilities.count(GL_BLEND), 1u);
    gfx.setBackgroundFill(false);
    gfx.endFrame();
    EXPECT_EQ(device.draws.size(), 3u);
    EXPECT_EQ(device.enabledCapabilities.count(GL_BLEND), 0u);
}

// A window pixel is traced back to the game area, through every quarter turn of the image.
struct PointerCase {
    ScreenOrientation orientation;
    float windowX, windowY;  // pixels from the window's top-left corner
    float nx, ny;            // normalised on the upright game area, y up
};
class PointerMappingTest : public CompositeTest, public ::testing::WithParamInterface<PointerCase> {};

TEST_P(PointerMappingTest, AWindowPixelLandsOnTheGameAreaPointDrawnThere) {
    const PointerCase& c = GetParam();
    compositeAt(800, 600, 450, 600, 0.5f, c.orientation);  // scale 1: the image is 450 x 600 (or turned)
    float nx = -1, ny = -1;
    EXPECT_TRUE(gfx.windowToGameArea(c.windowX, c.windowY, nx, ny));
    EXPECT_NEAR(nx, c.nx, 1e-4f);
    EXPECT_NEAR(ny, c.ny, 1e-4f);
}

INSTANTIATE_TEST_SUITE_P(Orientations, PointerMappingTest,
                         ::testing::Values(PointerCase{ScreenUpright, 175, 600, 0, 0},
                                           PointerCase{ScreenUpright, 625, 0, 1, 1},
                                           PointerCase{ScreenTurned90, 700, 525, 0, 0},
                                           PointerCase{ScreenTurned90, 100, 525, 0, 1},
                                           PointerCase{ScreenTurned180, 175, 600, 1, 1},
                                           PointerCase{ScreenTurned270, 100, 525, 1, 0}));

TEST_F(CompositeTest, APixelBesideTheImageIsOutsideTheGameArea) {
    compositeAt(800, 600, 450, 600, 0.5f);
    float nx = 0, ny = 0;
    EXPECT_FALSE(gfx.windowToGameArea(100, 300, nx, ny));
    EXPECT_FALSE(gfx.windowToGameArea(700, 300, nx, ny));
    compositeAt(800, 600, 450, 600, 0.0f);  // scale 0.75: a smaller image, still centred
    EXPECT_TRUE(gfx.windowToGameArea(400, 300, nx, ny));
    EXPECT_NEAR(nx, 0.5f, 1e-4f);
    EXPECT_FALSE(gfx.windowToGameArea(400, 10, nx, ny));
}

}  // namespace
