// The stage background as a content author sees it: the layers a file shows, its script on the
// stage clock, boss events, bad files, tints, and what flat and tube layers draw.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "data/AssetPackage.h"
#include "engine/CXGfxManager.h"
#include "engine/OXSprite.h"
#include "engine/gl/IXGLDevice.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "fx/OXScnBaseSTGBackground.h"
#include "fx/OXVolleyBg.h"
#include "tests/fx/FxTestSupport.h"
#include "tests/support/TestContent.h"
#include "tests/support/TestFiles.h"

namespace {

using testfiles::boolean;
using testfiles::dict;
using testfiles::Keys;
using testfiles::real;
using testfiles::text;

std::string array(const std::vector<std::string>& values) {
    std::string body = "<array>";
    for (const std::string& value : values) {
        body += value;
    }
    return body + "</array>";
}
// A whole file around any root.
std::string plist(const std::string& root) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + root + "</plist>";
}

// A layer on a real texture of the package, with extra keys.
std::string layer(const Keys& extra = {}) {
    Keys keys = {{"filename", text("t_bg_layer")}};
    keys.insert(keys.end(), extra.begin(), extra.end());
    return dict(keys);
}

std::string command(const std::string& type, double time, double duration, const std::string& in,
                    const std::string& out, const Keys& extra = {}) {
    Keys keys = {{"type", text(type)}, {"time", real(time)}, {"duration", real(duration)}};
    if (!in.empty()) {
        keys.push_back({"in", text(in)});
    }
    if (!out.empty()) {
        keys.push_back({"out", text(out)});
    }
    keys.insert(keys.end(), extra.begin(), extra.end());
    return dict(keys);
}

std::map<std::string, std::string> backgroundFiles() {
    return {
        {"assets/plist/t_bg_layer.plist", plist(dict({{"textureFileName", text("invert_square.png")},
                                                      {"numColumns", "<integer>1</integer>"},
                                                      {"numRows", "<integer>1</integer>"}}))},
        {"assets/plist/t_bg_start_2_0.plist",
         plist(dict({{"bg 0", layer()}, {"bg 1", layer()}, {"bg 2", layer()}, {"start bg", text("2 0")}}))},
        {"assets/plist/t_bg_all.plist",
         plist(dict({{"bg 0", layer({{"alpha", real(0.6)}})}, {"bg 1", layer()}, {"bg 2", layer()}}))},
        {"assets/plist/t_bg_event.plist", plist(dict({{"bg 0", layer()}, {"bg 1", layer()}}))},
        {"assets/plist/t_bg_lost_layer.plist",
         plist(dict({{"bg 0", layer()},
                     {"bg 1", layer()},
                     {"start bg", text("0")},
                     {"stage anim data",
                      array({command("fade", 100, 300, "7", "9"), command("fade", 200, 300, "1", "")})}}))},
        {"assets/plist/t_bg_same_time.plist",
         plist(dict({{"bg 0", layer()},
                     {"bg 1", layer()},
                     {"bg 2", layer()},
                     {"start bg", text("0")},
                     {"stage anim data",
                      array({command("fade", 500, 300, "1", ""), command("fade", 500, 300, "2", "0")})}}))},
        {"assets/plist/t_bg_moves.plist",
         plist(dict({{"bg 0", layer({{"relative x", real(0.5)}, {"relative y", real(0.5)}})},
                     {"bg 1", layer({{"rotate z", real(10)}})},
                     {"start bg", text("0")},
                     {"stage anim data",
                      array({command("translate", 0, 400, "0", "", {{"relative y", real(0.25)}}),
                             command("rotate relative", 0, 400, "1", "", {{"rotate z", real(30)}}),
                             command("fade out", 2000, 0, "", "1")})}}))},
        {"assets/plist/t_bg_malformed.plist", "<?xml version=\"1.0\"?><plist><dict><key>bg 0</key><dict>"},
        {"assets/plist/t_bg_array_root.plist", plist(array({text("bg 0")}))},
        {"assets/plist/t_bg_no_sprite.plist",
         plist(dict({{"bg 0", dict({{"filename", text("t_no_such_sprite")}})}}))},
    };
}

// The test files in a package of their own, mounted beside the game's.
class BackgroundFilesEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        folder = new testfiles::TempDir();
        testfiles::makeZipPackage(folder->file("backgrounds.oap"), backgroundFiles());
        ASSERT_TRUE(mountAssetPackage(folder->file("backgrounds.oap")));
    }
    void TearDown() override { delete folder; }

  private:
    testfiles::TempDir* folder = nullptr;
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new BackgroundFilesEnvironment);

// A background scene with the game's 4:3 camera.
struct Background {
    explicit Background(const std::string& stageFile, const std::string& eventFile = "") {
        scene.init();
        scene.setOrthographicMode(false);
        scene.setViewWidth(360.0f);
        scene.setViewHeight(480.0f);
        scene.setEye(360.0f, 480.0f, -1000.0f);
        scene.setCentre(360.0f, 480.1f, 1000.0f);
        scene.loadStageBackground("assets/plist/" + stageFile);
        if (!eventFile.empty()) {
            scene.loadEventBackground("assets/plist/" + eventFile);
        }
    }
    // Frames of the game's fixed step at the given stage time.
    void run(int frames, float stageMs) {
        for (int i = 0; i < frames; ++i) {
            scene.setStageTime(stageMs);
            scene.tick(fxtest::kStep);
        }
    }
    bool shown(int index) const { return scene.getLayer(index)->isVisible(); }

    OXScnBaseSTGBackground scene;
};

int framesFor(float ms) {
    return static_cast<int>(std::ceil(ms / fxtest::kStep)) + 1;
}

// ---- Layers shown at start and after a boss event ----

TEST(StageBackground, StartListShowsItsLayersAndABossEventBringsBackOnlyRisingIndices) {
    Background bg("t_bg_start_2_0", "t_bg_event");
    ASSERT_EQ(bg.scene.layerCount(), 3);
    EXPECT_TRUE(bg.shown(2));
    EXPECT_TRUE(bg.shown(0));
    EXPECT_FALSE(bg.shown(1));

    bg.scene.showBossEvent();
    EXPECT_TRUE(bg.scene.getEventLayer(0)->isVisible());
    EXPECT_TRUE(bg.scene.getEventLayer(1)->isVisible());
    // The first visible layer fades out over 100 ms; the rest go at once.
    EXPECT_TRUE(bg.shown(0));
    EXPECT_FALSE(bg.shown(2));
    bg.run(framesFor(100.0f), 0.0f);
    EXPECT_FALSE(bg.shown(0));

    bg.scene.endBossEvent();
    EXPECT_TRUE(bg.shown(2));
    EXPECT_FALSE(bg.shown(0));
    EXPECT_FALSE(bg.scene.getEventLayer(0)->isVisible());
}

// A boss event flashes the scene (an end without one does nothing); its end brings every layer
// back at its own alpha.
TEST(StageBackground, WithoutAStartListEveryLayerShowsAndComesBackAtItsOwnAlpha) {
    Background bg("t_bg_all", "t_bg_event");
    for (int index = 0; index < 3; ++index) {
        EXPECT_TRUE(bg.shown(index)) << index;
    }
    bg.run(framesFor(1100.0f), 2500.0f);  // faded in
    bg.scene.endBossEvent();              // none shown: nothing happens
    EXPECT_TRUE(bg.shown(1));
    bg.scene.showBossEvent();
    EXPECT_GT(bg.scene.getColour().r, 1.0f);  // the flash
    bg.run(framesFor(1500.0f), 2500.0f);
    bg.scene.endBossEvent();
    bg.run(2, 2500.0f);
    for (int index = 0; index < 3; ++index) {
        EXPECT_TRUE(bg.shown(index)) << index;
    }
    EXPECT_FLOAT_EQ(bg.scene.getLayer(0)->getAlpha(), 0.6f);
}

// ---- The script ----

TEST(StageBackgroundScript, ACommandNamingNoExistingLayerNeverCompletesAndTheScriptStops) {
    Background bg("t_bg_lost_layer");
    ASSERT_EQ(bg.scene.commandCount(), 2);
    testing::internal::CaptureStdout();
    bg.run(framesFor(1000.0f), 150.0f);
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_NE(console.find("stage anim data 0 (fade) NAMES NO LAYER"), std::string::npos) << console;
    EXPECT_TRUE(bg.scene.isBusy());
    bg.run(framesFor(1000.0f), 5000.0f);
    EXPECT_FALSE(bg.shown(1)) << "the command after the lost one ran";
}

TEST(StageBackgroundScript, TwoCommandsAtTheSameTimeRunOneAfterTheOther) {
    Background bg("t_bg_same_time");
    bg.run(framesFor(1000.0f), 499.0f);
    EXPECT_FALSE(bg.shown(1)) << "started before its time";

    bg.run(1, 500.0f);
    EXPECT_TRUE(bg.scene.isBusy());
    EXPECT_TRUE(bg.shown(1));
    EXPECT_FALSE(bg.shown(2)) << "the second command started with the first";

    // The second starts once the first is done.
    bg.run(framesFor(300.0f), 500.0f);
    EXPECT_TRUE(bg.shown(2));
    bg.run(framesFor(300.0f), 500.0f);
    EXPECT_FALSE(bg.shown(0)) << "an out layer stays after its command";
}

TEST(StageBackgroundScript, LayersMoveAndTurnAndAnInstantCommandStillLetsTheScriptGoOn) {
    Background bg("t_bg_moves");
    const Vec3 home = bg.scene.getLayer(0)->getPosition();

    bg.run(1, 0.0f);
    // Brought in from a quarter of the view below its place.
    EXPECT_LT(bg.scene.getLayer(0)->getY(), home.y - 100.0f);
    bg.run(framesFor(400.0f), 0.0f);
    EXPECT_FLOAT_EQ(bg.scene.getLayer(0)->getY(), home.y);

    bg.run(framesFor(400.0f), 0.0f);
    EXPECT_FLOAT_EQ(bg.scene.getLayer(1)->getRotation().z, 40.0f);
    EXPECT_TRUE(bg.shown(1)) << "a turned layer shows";

    bg.run(3, 2000.0f);
    EXPECT_FALSE(bg.shown(1)) << "a fade out of no length never ended";
}

// ---- Bad files ----

TEST(StageBackgroundFiles, AMissingOrMalformedFileIsReportedAndGivesAnEmptyScene) {
    const std::pair<const char*, const char*> cases[] = {
        {"t_bg_not_there", "BACKGROUND FILE assets/plist/t_bg_not_there.plist NOT FOUND"},
        {"t_bg_malformed", "BAD PROPERTY LIST assets/plist/t_bg_malformed.plist"},
        {"t_bg_array_root", "BAD PROPERTY LIST assets/plist/t_bg_array_root.plist"},
    };
    for (const auto& [file, report] : cases) {
        testing::internal::CaptureStdout();
        Background bg(file);
        bg.run(framesFor(2000.0f), 5000.0f);
        bg.scene.draw();
        const std::string console = testing::internal::GetCapturedStdout();
        EXPECT_NE(console.find(report), std::string::npos) << console;
        EXPECT_EQ(bg.scene.layerCount(), 0) << file;
        // Bosses still find their flash.
        EXPECT_NE(bg.scene.getFlashSprite(), nullptr) << file;
    }
}

TEST(StageBackgroundFiles, ALayerWithoutItsSpriteIsReportedAndDrawsNothing) {
    testing::internal::CaptureStdout();
    Background bg("t_bg_no_sprite");
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_NE(console.find("BACKGROUND LAYER bg 0: SPRITE assets/plist/t_no_such_sprite.plist NOT FOUND"),
              std::string::npos)
        << console;
    ASSERT_EQ(bg.scene.layerCount(), 1);
    RecordingGLDevice device;
    setGLDevice(&device);
    bg.scene.getLayer(0)->draw();
    setGLDevice(nullptr);
    EXPECT_TRUE(device.draws.empty());
}

// ---- Tints ----

TEST(StageBackgroundTint, FlashTintsColourEveryLayerAndReturnToWhiteInOneOrTwoSteps) {
    Background bg("t_bg_all", "t_bg_event");
    bg.run(framesFor(1100.0f), 2500.0f);  // faded in
    bg.scene.flashTint({0.25f, 1.0f, 0.8f, 1.0f}, 1400.0f);
    EXPECT_FLOAT_EQ(bg.scene.getLayer(1)->drawnColour().r, 0.25f);
    EXPECT_FLOAT_EQ(bg.scene.getLayer(1)->drawnColour().b, 0.8f);
    bg.scene.showBossEvent();
    bg.run(framesFor(1500.0f), 2500.0f);
    EXPECT_FLOAT_EQ(bg.scene.getLayerTint().r, 1.0f);
    EXPECT_FLOAT_EQ(bg.scene.getEventLayer(0)->drawnColour().r, 1.0f);

    // A two-step flash darkens, then brightens back to white.
    bg.scene.flashTintTwoStep({0.15f, 0.15f, 0.15f, 1.0f}, 100.0f, {0.75f, 0.75f, 0.75f, 1.0f}, 200.0f);
    bg.run(framesFor(300.0f), 2500.0f);
    EXPECT_FLOAT_EQ(bg.scene.getFlashColour().r, 1.0f);
    EXPECT_FLOAT_EQ(bg.scene.getLayerTint().b, 1.0f);

    bg.scene.flashTint({0.5f, 0.5f, 0.5f, 1.0f}, 0.0f);
    EXPECT_FLOAT_EQ(bg.scene.getFlashColour().r, 1.0f) << "a flash of no length is over at once";
}

// ---- Layers ----

Plist::Dictionary layerKeys(const std::string& xml) {
    Plist::Dictionary keys;
    const std::string file = plist(xml);
    Plist::parse(file.data(), static_cast<int64_t>(file.size()), keys);
    return keys;
}

TEST(StageBackgroundLayer, LayersTurnScrollAndSwingAsTheirKeysSay) {
    OXVolleyBg bg;
    bg.loadLayer(layerKeys(layer({{"rotate z", real(45)},
                                  {"rotate y", real(20)},
                                  {"swing y time", real(1000)},
                                  {"scroll speed y", real(-0.001)},
                                  {"rotation rate", real(0.01)}})),
                 360.0f, 480.0f, 1.0f, "bg 0");
    bg.setActive(true);
    bg.tick(100.0f);
    EXPECT_FLOAT_EQ(bg.getRotation().z, 46.0f);
    EXPECT_NEAR(bg.getVOffset(), 0.9f, 1e-5f) << "scrolling down wraps below 0";
    // A swinging layer rocks about y to the other side and back, a quarter swing each swing time.
    for (float ms = 100.0f; ms < 2000.0f; ms += 10.0f) {
        bg.tick(10.0f);
    }
    EXPECT_NEAR(bg.getRotation().y, -20.0f, 0.01f);
    for (float ms = 0.0f; ms < 2000.0f; ms += 10.0f) {
        bg.tick(10.0f);
    }
    EXPECT_NEAR(bg.getRotation().y, 20.0f, 0.01f);
}

// ---- Drawing ----

// Keeps the vertices of every draw, as the GL device for as long as it lives.
class VertexCapture : public RecordingGLDevice {
  public:
    VertexCapture() {
        setGLDevice(this);
        CXGfxManager::instance().resetCaches();
    }
    ~VertexCapture() override {
        setGLDevice(nullptr);
        CXGfxManager::instance().resetCaches();
    }
    struct Vertex {
        float x, y, z;
        float r, g, b, a;
    };
    void vertexAttribPointer(GLuint index, GLint size, GLenum type, bool normalised, GLsizei stride,
                             const void* pointer) override {
        RecordingGLDevice::vertexAttribPointer(index, size, type, normalised, stride, pointer);
        pointers[index] = static_cast<const float*>(pointer);
    }
    void drawArrays(GLenum mode, GLint first, GLsizei count) override {
        RecordingGLDevice::drawArrays(mode, first, count);
        std::vector<Vertex> drawn;
        const float* positions = pointers[CXGfxManager::PositionAttribute];
        const float* colours = pointers[CXGfxManager::ColourAttribute];
        for (int i = 0; i < count; ++i) {
            drawn.push_back({positions[i * 3], positions[i * 3 + 1], positions[i * 3 + 2], colours[i * 4],
                             colours[i * 4 + 1], colours[i * 4 + 2], colours[i * 4 + 3]});
        }
        vertices.push_back(drawn);
    }
    std::map<GLuint, const float*> pointers;
    std::vector<std::vector<Vertex>> vertices;
};

TEST(StageBackgroundDraw, FlatLayersFadeTheirTopOrBottomEdgeAndCarryTheTint) {
    OXVolleyBg layerDrawn;
    layerDrawn.loadLayer(layerKeys(layer({{"fade back", boolean(true)}, {"alpha", real(0.5)}})), 360.0f,
                         480.0f, 0.0f, "bg 9");
    const Colour tint{0.5f, 1.0f, 1.0f, 1.0f};
    layerDrawn.setTintSource(&tint);
    layerDrawn.setVisible(true);
    layerDrawn.updateMatrix();

    VertexCapture capture;
    layerDrawn.draw();
    ASSERT_EQ(capture.vertices.size(), 1u);
    const auto& quad = capture.vertices[0];
    ASSERT_EQ(quad.size(), 4u);
    for (const auto& corner : quad) {
        if (corner.y > 0.0f) {
            EXPECT_EQ(corner.a, 0.0f) << "top corners of a back-faded layer are clear";
        } else {
            // Colour times tint, premultiplied by alpha; alpha squared.
            EXPECT_FLOAT_EQ(corner.r, 0.25f);
            EXPECT_FLOAT_EQ(corner.g, 0.5f);
            EXPECT_FLOAT_EQ(corner.a, 0.25f);
        }
    }
}

TEST(StageBackgroundDraw, TubeLayersDrawEightSidesWithTheirFrontEndFaded) {
    OXVolleyBg tube;
    tube.loadLayer(layerKeys(layer({{"tube rendering", boolean(true)}, {"fade front", boolean(true)}})),
                   360.0f, 480.0f, 0.0f, "bg 0");
    const Colour white{};
    tube.setTintSource(&white);
    tube.setVisible(true);
    tube.updateMatrix();

    VertexCapture capture;
    tube.draw();
    ASSERT_EQ(capture.vertices.size(), 1u);
    const auto& strip = capture.vertices[0];
    ASSERT_EQ(strip.size(), 18u);
    for (size_t i = 0; i < strip.size(); ++i) {
        EXPECT_EQ(strip[i].a, i % 2 == 0 ? 1.0f : 0.0f) << "vertex " << i;
    }
}

}  // namespace
