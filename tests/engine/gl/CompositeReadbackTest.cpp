// The composite on a real GL context (run under Xvfb with Mesa): the game
// image lands centred on the window at the buffer scale and turned for the
// screen orientation, read back pixel by pixel.

#include <gtest/gtest.h>

#include <SFML/Window.hpp>
#include <array>
#include <vector>

#include "data/AssetPackage.h"
#include "engine/CXGfxManager.h"
#include "engine/gl/IXGLDevice.h"
#include "engine/gl/opengl/OpenGLDevice.h"

namespace {

constexpr int kScreenWidth = 640, kScreenHeight = 480;  // the smallest resolution
constexpr int kAreaWidth = 360, kAreaHeight = 480;      // its upright game area

using Pixel = std::array<int, 3>;

class CompositeReadbackTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        sf::ContextSettings settings(16, 0, 0, 2, 0);
        window = new sf::Window(sf::VideoMode(kScreenWidth, kScreenHeight), "composite", sf::Style::None,
                                settings);
        window->setActive(true);
        setGLDevice(&device);
        ASSERT_TRUE(mountAssetPackage(ORVALE_PACKAGE));
        CXGfxManager& gfx = CXGfxManager::instance();
        gfx.setRenderSize(480, 640);
        gfx.setScreenSize(kScreenWidth, kScreenHeight);
        gfx.setup();
        ASSERT_TRUE(gfx.isGlslAvailable());
        gfx.setGameArea(kAreaWidth, kAreaHeight);
        gfx.setBufferScale(0.5f);
    }
    static void TearDownTestSuite() {
        CXGfxManager::instance().release();
        unmountAssetPackage();
        setGLDevice(nullptr);
        delete window;
    }

    // Draws the game area's upper half red and its lower half blue, composites
    // it, and reads the window back.
    void compositeWithOrientation(ScreenOrientation orientation) {
        CXGfxManager& gfx = CXGfxManager::instance();
        gfx.setScreenOrientation(orientation);
        gfx.beginFrame();
        IXGLDevice& gl = glDevice();
        gl.enable(GL_SCISSOR_TEST);
        gl.scissor(0, kAreaHeight / 2, kAreaWidth, kAreaHeight / 2);
        gl.clearColor(1, 0, 0, 1);
        gl.clear(GL_COLOR_BUFFER_BIT);
        gl.scissor(0, 0, kAreaWidth, kAreaHeight / 2);
        gl.clearColor(0, 0, 1, 1);
        gl.clear(GL_COLOR_BUFFER_BIT);
        gl.disable(GL_SCISSOR_TEST);
        gfx.endFrame();
        pixels.assign(static_cast<size_t>(kScreenWidth) * kScreenHeight * 4, 0);
        gl.readPixels(0, 0, kScreenWidth, kScreenHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    }

    // (x, y) from the window's bottom-left, as GL counts.
    Pixel at(int x, int y) const {
        const size_t i = (static_cast<size_t>(y) * kScreenWidth + x) * 4;
        return {pixels[i], pixels[i + 1], pixels[i + 2]};
    }

    static sf::Window* window;
    static OpenGLDevice device;
    std::vector<unsigned char> pixels;
};

sf::Window* CompositeReadbackTest::window = nullptr;
OpenGLDevice CompositeReadbackTest::device;

const Pixel kBlack{0, 0, 0}, kRed{255, 0, 0}, kBlue{0, 0, 255};

TEST_F(CompositeReadbackTest, UprightImageIsShownOneToOneWith140PixelBorders) {
    compositeWithOrientation(ScreenUpright);
    for (int y : {1, 240, 478}) {
        EXPECT_EQ(at(139, y), kBlack) << "left border, y " << y;
        EXPECT_EQ(at(500, y), kBlack) << "right border, y " << y;
    }
    EXPECT_EQ(at(140, 470), kRed);
    EXPECT_EQ(at(499, 470), kRed);
    EXPECT_EQ(at(140, 10), kBlue);
    // One to one: the red half ends exactly at the middle row.
    EXPECT_EQ(at(320, 240), kRed);
    EXPECT_EQ(at(320, 239), kBlue);
}

TEST_F(CompositeReadbackTest, HalfTurnShowsTheImageUpsideDown) {
    compositeWithOrientation(ScreenTurned180);
    EXPECT_EQ(at(320, 470), kBlue);
    EXPECT_EQ(at(320, 10), kRed);
    EXPECT_EQ(at(139, 240), kBlack);
    EXPECT_EQ(at(500, 240), kBlack);
    CXGfxManager::instance().setScreenOrientation(ScreenUpright);
}

}  // namespace
