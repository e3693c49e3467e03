// The first stage's own background and textures from the game's package: the
// background plays its script to the end without allocating, its base layers
// and the boss flash cover the view, and the scrolling textures repeat without
// a seam. (That every file the stage names exists is the content checker's.)

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/CXTextureManager.h"
#include "engine/OXSprite.h"
#include "engine/gl/IXGLDevice.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "fx/OXScnBaseSTGBackground.h"
#include "fx/OXVolleyBg.h"
#include "tests/fx/FxTestSupport.h"
#include "tests/support/AllocationCounter.h"
#include "tests/support/RealPackage.h"

namespace {

const std::string kPlists = "assets/plist/";

class StageContent : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(realpackage::mounted()) << "build data.oap first"; }
};

// The visible extent of the perspective camera at a depth: 45 degrees high,
// 1000 units in front of the play plane.
float visibleHeightAt(float depth) {
    return 2.0f * (depth + 1000.0f) * std::tan(22.5f * 3.14159265f / 180.0f);
}

std::unique_ptr<OXScnBaseSTGBackground> realBackground(std::string& console) {
    auto scene = std::make_unique<OXScnBaseSTGBackground>();
    scene->init();
    scene->setOrthographicMode(false);
    scene->setViewWidth(360.0f);
    scene->setViewHeight(480.0f);
    testing::internal::CaptureStdout();
    scene->loadStageBackground(kPlists + "stage_1");
    scene->loadEventBackground(kPlists + "gd_boss_event");
    console = testing::internal::GetCapturedStdout();
    return scene;
}

// A whole stage of about three minutes, drawn: the script runs to its end without a complaint,
// the tunnel shows on the way and the first layers are back at the end; then a boss's flash and
// event and their end. Nothing is allocated all the while.
TEST_F(StageContent, TheFirstStageBackgroundPlaysItsScriptToTheEndWithoutAllocating) {
    std::string console;
    auto bg = realBackground(console);
    EXPECT_EQ(console, "") << "complaints while loading";
    ASSERT_EQ(bg->layerCount(), 3);
    EXPECT_FALSE(bg->getLayer(2)->isVisible());  // the tunnel comes later
    ASSERT_GT(bg->commandCount(), 1);

    testfiles::CountingGLDevice device;
    setGLDevice(&device);
    bg->tick(fxtest::kStep);
    bg->draw();
    bool tunnelSeen = false;
    float scriptEndMs = -1.0f;
    bool firstLayersAtTheEnd = false;
    testing::internal::CaptureStdout();
    const long before = testfiles::allocationCount();
    for (float stageMs = 0.0f; stageMs < 190000.0f; stageMs += fxtest::kStep) {
        bg->setStageTime(stageMs);
        bg->tick(fxtest::kStep);
        bg->draw();
        tunnelSeen = tunnelSeen || bg->getLayer(2)->isVisible();
        if (scriptEndMs < 0.0f && bg->currentCommand().time == -1.0f && !bg->isBusy()) {
            scriptEndMs = stageMs;
            firstLayersAtTheEnd = bg->getLayer(0)->isVisible() && bg->getLayer(1)->isVisible();
            bg->flashTint({0.25f, 1.0f, 0.8f, 1.0f}, 1400.0f);
            bg->showBossEvent();
        }
        if (scriptEndMs > 0.0f && stageMs > scriptEndMs + 2000.0f &&
            stageMs < scriptEndMs + 2000.0f + fxtest::kStep) {
            bg->flashTintTwoStep({0.15f, 0.15f, 0.15f, 1.0f}, 100.0f, {0.75f, 0.75f, 0.75f, 1.0f}, 200.0f);
            bg->endBossEvent();
        }
    }
    const long after = testfiles::allocationCount();
    console = testing::internal::GetCapturedStdout();
    setGLDevice(nullptr);
    EXPECT_EQ(after - before, 0);
    EXPECT_GT(device.drawCount, 10000);
    // The boss event's end names the layers it brings back; nothing else is said.
    std::string complaints;
    std::istringstream lines(console);
    for (std::string line; std::getline(lines, line);) {
        complaints += line.rfind("showing bg ", 0) == 0 ? "" : line + "\n";
    }
    EXPECT_EQ(complaints, "");
    EXPECT_TRUE(tunnelSeen);
    ASSERT_GT(scriptEndMs, 0.0f) << "the script stopped at command " << bg->getAnimIndex() - 1;
    EXPECT_LT(scriptEndMs, 185000.0f);
    EXPECT_TRUE(firstLayersAtTheEnd);
    EXPECT_TRUE(bg->isFadedIn());
    EXPECT_FALSE(bg->isEventShown());
}

TEST_F(StageContent, OpaqueBaseLayersCoverTheViewAtAnyTurnAndSoDoesTheFlash) {
    std::string console;
    auto bg = realBackground(console);
    ASSERT_GE(bg->layerCount(), 1);
    ASSERT_GE(bg->eventLayerCount(), 1);
    for (OXVolleyBg* base : {bg->getLayer(0), bg->getEventLayer(0)}) {
        EXPECT_EQ(base->getBlendMode(), 0);  // opaque
        const float height = visibleHeightAt(base->getPosition().z);
        const float diagonal = std::sqrt(height * height + (height * 0.75f) * (height * 0.75f));
        const float side = base->getSize().x * base->getScale().x * base->getUniformScale();
        EXPECT_GE(side, diagonal) << "the corners of a turning base layer would show";
        EXPECT_FLOAT_EQ(base->getSize().x * base->getScale().x, base->getSize().y * base->getScale().y);
    }
    // Bosses flash the whole screen with it.
    const OXSprite& flash = *bg->getFlashSprite();
    const float height = visibleHeightAt(flash.getPosition().z);
    const float halfWidth = flash.getSize().x * flash.getScale().x * 0.5f;
    const float halfHeight = flash.getSize().y * flash.getScale().y * 0.5f;
    EXPECT_LE(flash.getX() - halfWidth, 180.0f - height * 0.75f * 0.5f);
    EXPECT_GE(flash.getX() + halfWidth, 180.0f + height * 0.75f * 0.5f);
    EXPECT_LE(flash.getY() - halfHeight, 240.0f - height * 0.5f);
    EXPECT_GE(flash.getY() + halfHeight, 240.0f + height * 0.5f);
}

// The pixels of a package texture, as uploaded (premultiplied RGBA).
std::vector<unsigned char> texturePixels(const std::string& name, int& width, int& height) {
    RecordingGLDevice device;
    setGLDevice(&device);
    const int id = CXTextureManager::instance().load("assets/texture/" + name, width, height, true, true);
    std::vector<unsigned char> pixels = device.lastUpload;
    if (id >= 0) {
        CXTextureManager::instance().remove(id);
    }
    setGLDevice(nullptr);
    return pixels;
}

TEST_F(StageContent, ScrollingBackgroundsRepeatWithoutASeam) {
    for (const char* name :
         {"stage1_nebula.png", "stage1_stars.png", "stage1_tunnel.png", "menu_bg_nebula.png"}) {
        int width = 0, height = 0;
        const std::vector<unsigned char> pixels = texturePixels(name, width, height);
        ASSERT_EQ(pixels.size(), static_cast<size_t>(width * height * 4)) << name;
        auto at = [&](int x, int y, int channel) {
            return static_cast<float>(pixels[static_cast<size_t>((y * width + x) * 4 + channel)]);
        };
        // The difference between two rows (or, turned, two columns) of the image.
        auto step = [&](bool rows, int a, int b) {
            float difference = 0.0f;
            for (int i = 0; i < (rows ? width : height); ++i) {
                for (int channel = 0; channel < 4; ++channel) {
                    difference += rows ? std::abs(at(i, a, channel) - at(i, b, channel))
                                       : std::abs(at(a, i, channel) - at(b, i, channel));
                }
            }
            return difference;
        };
        for (const bool rows : {true, false}) {
            const int count = rows ? height : width;
            float typical = 0.0f;
            for (int i = 0; i + 1 < count; ++i) {
                typical += step(rows, i, i + 1);
            }
            typical /= static_cast<float>(count - 1);
            EXPECT_LE(step(rows, count - 1, 0), typical * 1.5f + 1.0f)
                << name << " shows a seam " << (rows ? "top to bottom" : "side to side");
        }
    }
}

}  // namespace
