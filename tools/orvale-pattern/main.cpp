// orvale-pattern [--atlas ATLAS] NAME FRAMES OUT.png
//
// Shows a fire pattern without playing: fires the named pattern from a
// launcher at the top of the play field, aimed at a target at the bottom,
// runs it for FRAMES frames of the stage step and writes what the field then
// shows to a PNG. Its bullets are drawn from the bullet atlas ATLAS (a list
// under assets/plist, atlas_bullets by default), so a stage's own bullet
// family shows with the atlas that stage plays with. It draws with OpenGL in an off-screen context, so it
// needs a display (run it under xvfb-run on a machine without one). It reads data.oap from the folder the
// program lies in.

#include <lodepng.h>

#include <SFML/Window/Context.hpp>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/AssetPackage.h"
#include "engine/CXGfxManager.h"
#include "engine/IXRenderObject.h"
#include "engine/gl/IXGLDevice.h"
#include "engine/gl/opengl/OpenGLDevice.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/IXShotTarget.h"
#include "stg/shot/IXShotWorld.h"
#include "stg/shot/OXLauncher.h"
#include "stg/shot/OXLauncherPlatform.h"

namespace {

constexpr int kFieldWidth = 320;  // play field, units = pixels here
constexpr int kFieldHeight = 480;
constexpr float kStageStepMs = 15.447501f;
const Vec3 kLauncherAt{160, 420, 0};
const Vec3 kTargetAt{160, 60, 0};

int fail(const std::string& what) {
    std::fprintf(stderr, "orvale-pattern: %s\n", what.c_str());
    return 1;
}

// The target the pattern aims at: a ship that every bullet passes through.
class StillTarget : public IXShotTarget {
  public:
    StillTarget() {
        marker.load("");
        marker.setPosition(kTargetAt);
        marker.setSize(12, 12, 0);
    }
    const IXRenderObject& body() const override { return marker; }
    bool isAlive() const override { return true; }
    bool isInvulnerable() const override { return true; }
    void hit(float, const Vec3&) override {}
    IXShootable* lockOnTarget() const override { return nullptr; }
    void addBeamGauge(float) override {}
    void addScore(int64_t) override {}
    void addMultiplier(float) override {}
    void collectOrb(int) override {}
    bool isLaserHeld() const override { return false; }

  private:
    IXRenderObject marker;
};

// A play field with the target and nothing else.
class PreviewWorld : public IXShotWorld {
  public:
    IXShotTarget* shotTarget() const override { return &target; }
    int shootableCount() const override { return 0; }
    IXShootable* shootable(int) const override { return nullptr; }
    IXShootable* currentBoss() const override { return nullptr; }
    IXShootable* nearestEnemy(const Vec3&) const override { return nullptr; }
    void graze(const OXBullet&) override {}
    bool isBombActive() const override { return false; }
    float bulletGraceTime() const override { return 0.0f; }
    bool isCasualPlay() const override { return false; }
    void playShotSound() override {}

  private:
    mutable StillTarget target;
};

// A small square of the field in one colour, through the scissor test.
void fillSquare(const Vec3& centre, int half, float r, float g, float b) {
    IXGLDevice& gl = glDevice();
    gl.enable(GL_SCISSOR_TEST);
    gl.scissor(static_cast<int>(centre.x) - half, static_cast<int>(centre.y) - half, 2 * half, 2 * half);
    gl.clearColor(r, g, b, 1);
    gl.clear(GL_COLOR_BUFFER_BIT);
    gl.disable(GL_SCISSOR_TEST);
}

bool writeField(const std::string& path) {
    std::vector<unsigned char> pixels(static_cast<size_t>(kFieldWidth) * kFieldHeight * 4);
    glDevice().readPixels(0, 0, kFieldWidth, kFieldHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    // GL counts rows from the bottom; the picture from the top. Drawn over
    // opaque black, so the picture is opaque.
    std::vector<unsigned char> image(pixels.size());
    const size_t row = static_cast<size_t>(kFieldWidth) * 4;
    for (int y = 0; y < kFieldHeight; ++y) {
        std::copy_n(pixels.data() + row * (kFieldHeight - 1 - y), row, image.data() + row * y);
    }
    for (size_t i = 3; i < image.size(); i += 4) {
        image[i] = 255;
    }
    return lodepng::encode(path, image, kFieldWidth, kFieldHeight) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string atlas = "atlas_bullets";
    int first = 1;
    if (argc > 2 && std::string(argv[1]) == "--atlas") {
        atlas = argv[2];
        first = 3;
    }
    if (argc - first != 3 || atlas.empty()) {
        std::fprintf(stderr, "usage: orvale-pattern [--atlas ATLAS] NAME FRAMES OUT.png\n");
        return 1;
    }
    const std::string name = argv[first];
    const char* frameText = argv[first + 1];
    char* end = nullptr;
    const long frames = std::strtol(frameText, &end, 10);
    if (*frameText == '\0' || *end != '\0' || frames < 1 || frames > 100000) {
        return fail("FRAMES must be a whole number from 1 to 100000, not '" + std::string(frameText) + "'");
    }
    const std::string out = argv[first + 2];

    // The console lines of the loaders are not this tool's output.
    std::FILE* quiet = std::freopen("/dev/null", "w", stdout);
    const std::string package = findProgramPackage();
    if (!mountAssetPackage(package)) {
        return fail(package + ": the asset package could not be opened");
    }
    const std::string patternFile = "assets/plist/fp/" + name + ".plist";
    if (!assetExists(patternFile)) {
        return fail(package + ": no fire pattern named '" + name + "' (" + patternFile + ")");
    }
    const std::string atlasPath = "assets/plist/" + atlas;
    if (!assetExists(atlasPath + ".plist")) {
        return fail(package + ": no bullet atlas named '" + atlas + "' (" + atlasPath + ".plist)");
    }

    sf::Context context(sf::ContextSettings(0, 0, 0, 2, 0), kFieldWidth, kFieldHeight);
    OpenGLDevice device;
    setGLDevice(&device);
    CXGfxManager& gfx = CXGfxManager::instance();
    gfx.setRenderSize(kFieldWidth, kFieldHeight);
    gfx.setScreenSize(kFieldWidth, kFieldHeight);
    gfx.setup();
    if (!gfx.isGlslAvailable()) {
        return fail("the shaders did not compile on this display's OpenGL");
    }

    PreviewWorld world;
    CXBulletManager manager;
    manager.load(atlasPath);
    manager.setWorld(&world);
    manager.setPlayer();
    manager.setRank(1);

    OXLauncherPlatform platform;
    platform.load("");
    platform.setPosition(kLauncherAt);
    platform.setOwnerKind(OwnerEnemy);
    platform.setBulletManager(&manager);
    auto* launcher = new OXLauncher();
    launcher->load("");
    launcher->setManager(&manager);
    launcher->setOwner(&platform);
    platform.addLauncher(launcher);
    if (!manager.loadFirePattern(name) && !manager.findFirePattern(name)) {
        return fail(patternFile + ": the fire pattern could not be read");
    }
    manager.setupLauncher(launcher, name);

    for (long frame = 0; frame < frames; ++frame) {
        // A run that has ended starts again as soon as its cooldown allows,
        // as a carrier that keeps firing would.
        if (launcher->getState() == OXLauncher::Armed && launcher->getCooldownTimer() <= 0.0f) {
            launcher->start();
        }
        platform.tick(kStageStepMs);
        manager.update(kStageStepMs);
    }

    // A bullet's first draw shows its spawn flash; the field is drawn twice so
    // the picture shows the bullets themselves, as a player sees them in flight.
    IXGLDevice& gl = glDevice();
    for (int pass = 0; pass < 2; ++pass) {
        gfx.beginFrame();
        gl.clearColor(0.02f, 0.03f, 0.08f, 1);
        gl.clear(GL_COLOR_BUFFER_BIT);
        gfx.setOrthographic(0, kFieldWidth, 0, kFieldHeight, -1024, 1024);
        gfx.lookAt({0, 0, 100}, {0, 0, -100}, {0, 1, 0});
        gl.viewport(0, 0, kFieldWidth, kFieldHeight);
        fillSquare(kLauncherAt, 4, 0.9f, 0.3f, 0.4f);
        fillSquare(kTargetAt, 4, 0.3f, 0.9f, 1.0f);
        manager.drawPrizes();
        manager.drawPlayerBullets();
        manager.drawEnemyBullets();
    }
    const bool written = writeField(out);
    gfx.release();
    unmountAssetPackage();
    if (quiet) {
        std::fclose(quiet);
    }
    if (!written) {
        return fail(out + ": the picture could not be written");
    }
    return 0;
}
