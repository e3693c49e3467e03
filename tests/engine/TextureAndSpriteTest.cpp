// Textures, atlases, sprites and the sprite batch, read from a package made
// for the test and drawn on the recording device.

#include <gtest/gtest.h>
#include <lodepng.h>

#include <map>
#include <string>
#include <vector>

#include "data/AssetPackage.h"
#include "engine/CXGfxManager.h"
#include "engine/CXSpriteBatchManager.h"
#include "engine/CXTextureManager.h"
#include "engine/OXSprite.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "tests/support/RealPackage.h"
#include "tests/support/TestContent.h"
#include "tests/support/TestFiles.h"

namespace {

std::string png(unsigned width, unsigned height, std::vector<unsigned char> firstPixels = {}) {
    std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4, 255);
    std::copy(firstPixels.begin(), firstPixels.end(), rgba.begin());
    std::vector<unsigned char> encoded;
    lodepng::encode(encoded, rgba, width, height);
    return std::string(encoded.begin(), encoded.end());
}

// Two 16 x 16 cells side by side: the first covers texels 5 to 9 across and 3
// and 4 down (faintly at one end), the second nothing.
std::string twoCells() {
    std::vector<unsigned char> rgba(32 * 16 * 4, 0);
    for (int y = 3; y <= 4; ++y) {
        for (int x = 5; x <= 9; ++x) {
            rgba[static_cast<size_t>(4 * (y * 32 + x) + 3)] = x == 9 ? 1 : 255;
        }
    }
    std::vector<unsigned char> encoded;
    lodepng::encode(encoded, rgba, 32, 16);
    return std::string(encoded.begin(), encoded.end());
}

using testfiles::integer;
using testfiles::Keys;
using testfiles::plist;
using testfiles::text;

std::string spriteList(const std::string& texture, int columns, int rows, int frames, int speed,
                       Keys extra = {}) {
    extra.insert(extra.begin(), {{"textureFileName", text(texture)},
                                 {"numColumns", integer(columns)},
                                 {"numRows", integer(rows)},
                                 {"numFrames", integer(frames)},
                                 {"animSpeed", integer(speed)}});
    return plist(extra);
}

class PackageTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder = new testfiles::TempDir();
        const std::map<std::string, std::string> files = {
            {"assets/texture/pixels.png", png(2, 1, {200, 100, 50, 128, 30, 60, 90, 0})},
            {"assets/texture/grid.png", png(256, 128)},
            {"assets/texture/wide.png", png(1000, 10)},
            {"assets/texture/broken.png", "not a picture"},
            {"assets/texture/cells.png", twoCells()},
            {"assets/plist/spr_anim.plist", spriteList("grid.png", 4, 2, 8, 50)},
            {"assets/plist/spr_window.plist",
             spriteList("grid.png", 4, 2, 2, 50, {{"start frame", integer(3)}})},
            {"assets/plist/spr_still.plist", spriteList("grid.png", 4, 2, 1, 0)},
            {"assets/plist/spr_bare.plist", plist({{"textureFileName", text("grid.png")}})},
            {"assets/plist/spr_huge.plist",
             spriteList("grid.png", 4, 2, 2147483647, 50, {{"start frame", integer(5)}})},
            {"assets/plist/atlas_grid.plist", plist({{"textureFileName", text("grid.png")},
                                                     {"numColumns", integer(8)},
                                                     {"numRows", integer(4)}})},
            {"assets/plist/atlas_wide.plist", plist({{"textureFileName", text("wide.png")},
                                                     {"numColumns", integer(3)},
                                                     {"numRows", integer(1)}})},
            {"assets/plist/atlas_nogrid.plist", plist({{"textureFileName", text("grid.png")}})},
            {"Shaders/ES2/Shader.vsh", "primary vertex"},
            {"Shaders/ES2/Shader.fsh", "primary fragment FAILS"},
            {"Shaders/110/Shader.vsh", "alternate vertex"},
            {"Shaders/110/Shader.fsh", "alternate fragment"},
            {"Shaders/110/GameBgShader.vsh", "alternate vertex"},
            {"Shaders/110/GameBgShader.fsh", "alternate fragment"},
        };
        testfiles::makeZipPackage(folder->file("test.oap"), files);
        unmountAssetPackage();  // the test package alone: its shaders are the ones found
        ASSERT_TRUE(mountAssetPackage(folder->file("test.oap")));
    }
    static void TearDownTestSuite() {
        realpackage::mountAgain();
        delete folder;
    }

    void SetUp() override {
        setGLDevice(&device);
        CXGfxManager::instance().resetCaches();
    }
    void TearDown() override { setGLDevice(nullptr); }

    static testfiles::TempDir* folder;
    RecordingGLDevice device;
    CXTextureManager& textures = CXTextureManager::instance();
};

testfiles::TempDir* PackageTest::folder = nullptr;

using TextureManagerTest = PackageTest;

TEST_F(TextureManagerTest, PixelsArePremultipliedWhenUploaded) {
    int width = 0, height = 0;
    const int id = textures.load("assets/texture/pixels.png", width, height, true, true);
    ASSERT_GE(id, 0);
    EXPECT_EQ(width, 2);
    EXPECT_EQ(height, 1);
    EXPECT_EQ(device.lastUpload, (std::vector<unsigned char>{100, 50, 25, 128, 0, 0, 0, 0}));
    EXPECT_TRUE(textures.release(id));
}

// A quad cut to a cell's drawn part shows the same picture: it keeps every
// texel a linear filter reaches from a covered one, however faint.
TEST_F(TextureManagerTest, ACellsDrawnPartHoldsItsCoverWithATexelToSpareAndAClearCellDrawsNothing) {
    int width = 0, height = 0;
    const int id = textures.load("assets/texture/cells.png", width, height, true, true);
    const std::vector<CXTextureManager::DrawnCell> cells = textures.drawnCells(id, 2, 1);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_FLOAT_EQ(cells[0].left, 4.0f / 16.0f);
    EXPECT_FLOAT_EQ(cells[0].right, 11.0f / 16.0f);
    EXPECT_FLOAT_EQ(cells[0].top, 2.0f / 16.0f);
    EXPECT_FLOAT_EQ(cells[0].bottom, 6.0f / 16.0f);
    EXPECT_EQ(cells[1].right - cells[1].left, 0.0f);
    // A grid the picture cannot be cut into, or no picture: whole cells.
    for (const auto& whole : {textures.drawnCells(id, 3, 1), textures.drawnCells(-1, 2, 1)}) {
        ASSERT_FALSE(whole.empty());
        EXPECT_EQ(whole[0].left, 0.0f);
        EXPECT_EQ(whole[0].right, 1.0f);
        EXPECT_EQ(whole[0].bottom, 1.0f);
    }
    EXPECT_TRUE(textures.release(id));
}

TEST_F(TextureManagerTest, OneTextureIsSharedAndDeletedWithItsLastRelease) {
    int width = 0, height = 0;
    const int first = textures.load("assets/texture/grid.png", width, height, true, true);
    EXPECT_EQ(textures.load("assets/texture/grid.png", width, height, false, false), first);
    EXPECT_EQ(textures.load("assets/texture/grid.png", width, height, true, true), first);
    EXPECT_EQ(device.count(GLCall::GenTexture), 1);
    EXPECT_TRUE(textures.release(first));
    EXPECT_TRUE(textures.release(first));
    EXPECT_EQ(device.count(GLCall::DeleteTexture), 0);
    EXPECT_TRUE(textures.release(first));
    EXPECT_EQ(device.count(GLCall::DeleteTexture), 1);
}

TEST_F(TextureManagerTest, FailuresAreReportedOnceAndRemembered) {
    int width = 7, height = 7;
    testing::internal::CaptureStdout();
    EXPECT_EQ(textures.load("assets/texture/nowhere.png", width, height, true, true), -1);
    EXPECT_EQ(textures.load("assets/texture/nowhere.png", width, height, true, true), -1);
    EXPECT_EQ(textures.load("assets/texture/broken.png", width, height, true, true), -1);
    const std::string printed = testing::internal::GetCapturedStdout();
    const std::string missing = "assets/texture/nowhere.png";
    EXPECT_NE(printed.find(missing), std::string::npos) << printed;
    EXPECT_EQ(printed.find(missing), printed.rfind(missing)) << "reported once";
    EXPECT_NE(printed.find("PNG LOAD ERROR: "), std::string::npos);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(device.count(GLCall::GenTexture), 0);
    EXPECT_FALSE(textures.release(-1)) << "a remembered failure is never released";
}

// A bare batch, to reach the atlas state of every pooled manager.
class AtlasUser : public IXParticleManager {
  public:
    AtlasUser() { vertexCapacity = 60; }
    void buildBatch() override {
        vertexCount = 0;
        for (int i = 0; i < quads && hasRoom(6); ++i) {
            const QuadCorner corners[4]{};
            emitQuad(QuadOrder::Strip, corners, 1, 1, 1, 1);
        }
    }
    int quads = 0;
};

using AtlasTest = PackageTest;

TEST_F(AtlasTest, CellsAreWholePixelsAndFramesCountFromTheTopLeft) {
    AtlasUser wide;
    wide.load("assets/plist/atlas_wide");
    EXPECT_EQ(wide.getCellWidth(), 333.0f);
    AtlasUser grid;
    grid.load("assets/plist/atlas_grid");
    EXPECT_EQ(grid.frameOrigin(10).u, 0.25f);
    EXPECT_EQ(grid.frameOrigin(10).v, 0.25f);
}

TEST_F(AtlasTest, AtlasWithoutAGridIsOneCell) {
    AtlasUser user;
    testing::internal::CaptureStdout();
    user.load("assets/plist/atlas_nogrid");
    EXPECT_NE(testing::internal::GetCapturedStdout().find("HAS NO GRID"), std::string::npos);
    EXPECT_EQ(user.getNumColumns(), 1);
    EXPECT_EQ(user.getCellWidth(), 256.0f);
    EXPECT_EQ(user.frameOrigin(0).u, 0.0f);
}

TEST_F(AtlasTest, FullBatchDrawsNothingAndHiddenManagerDrawsNothing) {
    AtlasUser user;
    user.load("assets/plist/atlas_grid");
    user.quads = 11;  // 66 vertices: only ten fit
    user.draw();
    EXPECT_EQ(user.getVertexCount(), 60);
    EXPECT_EQ(device.count(GLCall::DrawArrays), 1);
    user.setVisible(false);
    user.draw();
    EXPECT_EQ(device.count(GLCall::DrawArrays), 1);
}

using SpriteTest = PackageTest;

int framesUntilChange(OXSprite& sprite) {
    const int start = sprite.currentFrame();
    for (int updates = 1; updates < 100; ++updates) {
        sprite.update(16.7f);
        if (sprite.currentFrame() != start) {
            return updates;
        }
    }
    return -1;
}

TEST_F(SpriteTest, OneCellOfTheImageIsTheSpriteSizeAndStillSpritesHoldTheirFrame) {
    OXSprite sprite;
    sprite.load("assets/plist/spr_anim");
    EXPECT_EQ(sprite.getSize().x, 64.0f);
    EXPECT_EQ(sprite.getSize().y, 64.0f);
    EXPECT_EQ(sprite.getAnimState(), OXSprite::Stopped);

    OXSprite still;
    still.load("assets/plist/spr_still");
    still.play();
    still.update(16.7f);  // a zero frame time must not spin
    EXPECT_EQ(still.currentFrame(), 0);
    OXSprite bare;  // no grid or frame keys: one whole-image frame
    bare.load("assets/plist/spr_bare");
    EXPECT_EQ(bare.getSize().x, 256.0f);
    EXPECT_EQ(bare.currentFrame(), 0);
}

TEST_F(SpriteTest, AnimationStepsAtTheFixedFrameTimeAndLoops) {
    OXSprite sprite;
    sprite.load("assets/plist/spr_anim");
    sprite.play();
    EXPECT_EQ(framesUntilChange(sprite), 4);  // 64 ms > 50, 14 carried
    EXPECT_EQ(framesUntilChange(sprite), 3);  // 14 + 48 = 62
    for (int i = 0; i < 200 && sprite.currentFrame() != 7; ++i) {
        sprite.update(16.7f);
    }
    ASSERT_EQ(sprite.currentFrame(), 7);
    framesUntilChange(sprite);
    EXPECT_EQ(sprite.currentFrame(), 0);

    OXSprite once;
    once.load("assets/plist/spr_anim");
    once.setLoop(false);
    once.play();
    for (int i = 0; i < 200; ++i) {
        once.update(16.7f);
    }
    EXPECT_EQ(once.currentFrame(), 7) << "a non-looping animation stops on its last frame";
    EXPECT_EQ(once.getAnimState(), OXSprite::Stopped);
}

// A start frame plays only its window; a frame count no atlas holds is clamped (with a line)
// and plays inside the grid.
TEST_F(SpriteTest, StartFramePlaysOnlyItsWindowAndAHugeFrameCountStaysInsideTheGrid) {
    struct Case {
        const char* list;
        int first, end;  // frames played: first to end - 1
    };
    for (const Case c : {Case{"assets/plist/spr_window", 3, 5}, Case{"assets/plist/spr_huge", 5, 8}}) {
        OXSprite sprite;
        testing::internal::CaptureStdout();
        sprite.load(c.list);
        const std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(printed.find("\"numFrames\" OUT OF RANGE") != std::string::npos, c.first == 5) << printed;
        EXPECT_EQ(sprite.currentFrame(), c.first);
        sprite.play();
        int changes = 0;
        for (int i = 0, last = c.first; i < 60; ++i, last = sprite.currentFrame()) {
            sprite.update(16.7f);
            ASSERT_GE(sprite.currentFrame(), c.first) << c.list;
            ASSERT_LT(sprite.currentFrame(), c.end) << c.list;
            changes += sprite.currentFrame() != last ? 1 : 0;
        }
        EXPECT_GT(changes, 2) << c.list;
    }
}

using SpriteBatchTest = PackageTest;

TEST_F(SpriteBatchTest, TheWholePoolIsOneDrawWithOneTexture) {
    CXSpriteBatchManager batch;
    batch.setup("assets/plist/atlas_grid", "assets/plist/spr_still");
    for (int i = 0; i < 150; ++i) {
        OXSprite* sprite = batch.getFreeSprite();
        ASSERT_NE(sprite, nullptr);
        sprite->fadeTo(1000, 1, 0);
        sprite->setPosition(static_cast<float>(i), 10, 0);
    }
    device.resetCounts();
    CXGfxManager::instance().forgetTexture(batch.getTextureId());
    batch.draw();
    EXPECT_EQ(device.count(GLCall::DrawArrays), 1);
    EXPECT_EQ(device.count(GLCall::BindTexture), 1);
    EXPECT_EQ(batch.getVertexCount(), 150 * 6);
}

TEST_F(SpriteBatchTest, ABatchedSpriteShowsItsCellAsADrawnOneDoesNotMirrored) {
    CXSpriteBatchManager batch;
    batch.setup("assets/plist/atlas_grid", "assets/plist/spr_still");
    OXSprite* sprite = batch.getFreeSprite();
    ASSERT_NE(sprite, nullptr);
    sprite->fadeTo(1000, 1, 0);
    sprite->setPosition(100, 50, 0);
    batch.draw();
    ASSERT_EQ(batch.getVertexCount(), 6);
    // Every vertex left of the sprite's centre shows the cell's left edge, every one above it
    // the cell's top (texture rows run down the image).
    float leftU = 1.0f, rightU = 0.0f, topV = 1.0f, bottomV = 0.0f;
    for (int i = 0; i < 6; ++i) {
        const BatchVertex& vertex = batch.getVertices()[i];
        (vertex.x < 100 ? leftU : rightU) = vertex.u;
        (vertex.y > 50 ? topV : bottomV) = vertex.v;
    }
    EXPECT_LT(leftU, rightU);
    EXPECT_LT(topV, bottomV);
}

TEST_F(SpriteBatchTest, The201stSpriteIsRefusedAndAFadedSpriteReturnsWhenItsFadeEnds) {
    CXSpriteBatchManager batch;
    batch.setup("assets/plist/atlas_grid", "assets/plist/spr_still");
    OXSprite* sprite = batch.getFreeSprite();
    sprite->fadeTo(300, 1, 0);
    for (int i = 1; i < CXSpriteBatchManager::kPoolSize; ++i) {
        batch.getFreeSprite()->fadeTo(1000, 1, 0);
    }
    testing::internal::CaptureStdout();
    EXPECT_EQ(batch.getFreeSprite(), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "OUT OF SPRITES IN BATCH MANAGER!!\n");
    for (int i = 0; i < 17; ++i) {
        batch.update(16.7f);
    }
    EXPECT_TRUE(sprite->isVisible());
    batch.update(16.7f);  // 18 x 16.7 > 300
    EXPECT_FALSE(sprite->isVisible());
    EXPECT_EQ(batch.getFreeSprite(), sprite);
}

using ShaderTest = PackageTest;

TEST_F(ShaderTest, FailedPrimaryShadersFallBackToTheAlternates) {
    device.failCompilesContaining("FAILS");
    testing::internal::CaptureStdout();
    CXGfxManager::instance().setup();
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("FAILED TO COMPILE SHADER: Shaders/ES2/Shader.fsh\n"), std::string::npos);
    // Shader_HDR is in neither folder: a missing file fails like a bad compile.
    EXPECT_NE(printed.find("FAILED TO COMPILE SHADER: Shaders/110/Shader_HDR.vsh\n"), std::string::npos);
    EXPECT_FALSE(CXGfxManager::instance().isGlslAvailable());
    EXPECT_GE(CXGfxManager::instance().getMainProgram(), 0);
}

}  // namespace
