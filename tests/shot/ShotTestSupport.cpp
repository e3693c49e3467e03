#include "tests/shot/ShotTestSupport.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "audio/CXSoundManager.h"
#include "data/AssetPackage.h"
#include "tests/support/TestFiles.h"

namespace shottest {

IXRenderObject* RecordingEffects::startAttachedEffect(const std::string&, const IXRenderObject&, bool) {
    ++started;
    return &handle;
}

void RecordingEffects::stopEffect(IXRenderObject* effect) {
    if (effect == &handle) {
        ++stopped;
    }
}

bool RecordingEffects::attachTrail(const IXRenderObject&, int, float) {
    ++trailsAttached;
    return true;
}

void RecordingEffects::detachTrail(const IXRenderObject&) {
    ++trailsDetached;
}

Stage::Stage() {
    world.ship = &ship;
    manager.setEffects(&effects);
    manager.setWorld(&world);
    manager.load("assets/plist/atlas_test");
}

Stage::~Stage() = default;

void Stage::run(int frames, float dtMs) {
    for (int i = 0; i < frames; ++i) {
        manager.update(dtMs);
    }
}

OXBullet* Stage::lastEnemyBullet() {
    for (int i = CXBulletManager::kEnemyPoolSize - 1; i >= 0; --i) {
        if (!manager.enemyBullet(i).isFree()) {
            return &manager.enemyBullet(i);
        }
    }
    return nullptr;
}

std::string plist(const std::map<std::string, std::string>& entries) {
    std::string body;
    for (const auto& entry : entries) {
        body += "<key>" + entry.first + "</key>" + entry.second;
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>" + body +
           "</dict></plist>";
}

std::string integer(long long value) {
    return "<integer>" + std::to_string(value) + "</integer>";
}

std::string real(double value) {
    std::ostringstream out;
    out << value;
    return "<real>" + out.str() + "</real>";
}

std::string text(const std::string& value) {
    return "<string>" + value + "</string>";
}

std::string boolean(bool value) {
    return value ? "<true/>" : "<false/>";
}

namespace {

const char kOnePixelPng[] =
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x01\x00\x00\x00\x01\x08\x06"
    "\x00\x00\x00\x1f\x15\xc4\x89\x00\x00\x00\x0b\x49\x44\x41\x54\x78\x9c\x63\x60\x00\x02\x00\x00\x05\x00\x01"
    "\x7a\x5e\xab\x3f\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82";

std::string bp(const std::string& name) {
    return "assets/plist/bp/" + name + ".plist";
}
std::string fp(const std::string& name) {
    return "assets/plist/fp/" + name + ".plist";
}

// A pattern firing `type` straight down (absolute angles) once.
std::map<std::string, std::string> downwards(const std::string& type) {
    return {{"bullet type", text(type)},
            {"direction type", integer(1)},
            {"direction angle", real(180)},
            {"repeat", integer(1)},
            {"salvo", integer(1)}};
}

std::map<std::string, std::string> with(std::map<std::string, std::string> base,
                                        const std::map<std::string, std::string>& more) {
    for (const auto& entry : more) {
        base[entry.first] = entry.second;
    }
    return base;
}

std::map<std::string, std::string> testFiles() {
    const std::string longLife = real(100000);
    // clang-format off
    std::map<std::string, std::string> files = {
        {"assets/texture/test_bullets.png", std::string(kOnePixelPng, sizeof kOnePixelPng - 1)},
        {"assets/plist/atlas_test.plist", plist({{"textureFileName", text("test_bullets.png")},
                                                 {"numColumns", integer(8)}, {"numRows", integer(8)}})},
        // Bullet types.
        {bp("t_still"), plist({{"size", real(8)}, {"duration", longLife}, {"damage", real(1)}})},
        {bp("t_keys"), plist({{"first frame", integer(1)}, {"is focus track", boolean(false)},
                              {"is effect glow", boolean(false)}, {"atlas frame", real(3.5)},
                              {"start speed", text("7")}, {"damage", integer(2)}, {"random frame", integer(1)}})},
        {bp("t_frames"), plist({{"first frame", integer(2)}, {"atlas frame", integer(20)}})},
        {bp("t_self"), plist({{"fire pattern", text("t_self_fp")}, {"effect", text("ps_self_glow")},
                              {"hit effect", text("ps_self_hit")}, {"sound", text("self.caf")}})},
        {bp("t_shared"), plist({{"size", real(8)}})},
        {bp("t_broken"), "<?xml version=\"1.0\"?><plist><dict><key>size</key><real>8"},
        {bp("t_shell"), plist({{"start speed", real(2)}, {"size", real(16)}, {"duration", longLife},
                               {"fire pattern", text("t_ring4")}, {"fire pattern delay", real(300)}})},
        {bp("t_popper"), plist({{"start speed", real(2)}, {"size", real(16)}, {"duration", real(200)},
                                {"fire pattern", text("t_ring4")}, {"is fire on death", boolean(true)}})},
        {bp("t_shot"), plist({{"is player bullet", boolean(true)}, {"is glow", boolean(true)},
                              {"start speed", real(40)}, {"size", real(8)}, {"duration", real(2000)},
                              {"damage", real(3)}, {"hit effect", text("ps_spark")}})},
        // Fire patterns.
        {fp("t_self_fp"), plist(downwards("t_self"))},
        {fp("t_shared_a"), plist(downwards("t_shared"))},
        {fp("t_shared_b"), plist(downwards("t_shared"))},
        {fp("t_single"), plist(downwards("t_still"))},
        {fp("t_salvo5"), plist(with(downwards("t_still"), {{"salvo", integer(5)}, {"direction change", real(10)}}))},
        {fp("t_bomblet3"), plist(with(downwards("t_still"), {{"bomblet", integer(3)}, {"bomblet angle", real(5)}}))},
        {fp("t_bomblet4"), plist(with(downwards("t_still"), {{"bomblet", integer(4)}, {"bomblet angle", real(10)}}))},
        {fp("t_repeat4"), plist(with(downwards("t_still"), {{"repeat", integer(4)}, {"repeat salvo change", real(1)},
                                                            {"delay", real(100)}}))},
        {fp("t_gap"), plist(with(downwards("t_still"), {{"repeat", integer(8)}, {"delay", real(100)},
                                                        {"gap frequency", integer(3)}, {"gap size", integer(2)}}))},
        {fp("t_rank"), plist(with(downwards("t_still"), {{"delay", real(100)}, {"delay var", real(-20.5)},
                                                         {"repeat", integer(2)}, {"repeat var", real(1.5)},
                                                         {"salvo", integer(3)}, {"salvo var", real(1)},
                                                         {"gap frequency", integer(4)},
                                                         {"gap frequency var", integer(-1)}}))},
        {fp("t_bombletvar"), plist(with(downwards("t_still"), {{"bomblet var", real(1)}}))},
        {fp("t_reals"), plist(with(downwards("t_still"), {{"salvo", real(5)}, {"repeat", real(3)}}))},
        {fp("t_aim1"), plist(with(downwards("t_still"), {{"aim type", integer(1)}, {"repeat", integer(3)},
                                                         {"delay", real(100)}, {"direction angle", real(0)}}))},
        {fp("t_aim2"), plist(with(downwards("t_still"), {{"aim type", integer(2)}, {"repeat", integer(3)},
                                                         {"delay", real(100)}, {"direction angle", real(0)}}))},
        {fp("t_ring4"), plist(with(downwards("t_still"), {{"salvo", integer(4)}, {"direction change", real(90)}}))},
        {fp("t_shell"), plist(downwards("t_shell"))},
        {fp("t_popper"), plist(downwards("t_popper"))},
    };
    // clang-format on
    // The game's own bullet atlas, bullet types and fire patterns, from the source tree.
    const std::filesystem::path source = ORVALE_SHOT_ASSET_DIR;
    for (const char* folder : {"bp", "fp"}) {
        for (const auto& entry : std::filesystem::directory_iterator(source / folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::stringstream contents;
            contents << in.rdbuf();
            files["assets/plist/" + std::string(folder) + "/" + entry.path().filename().string()] =
                contents.str();
        }
    }
    std::ifstream atlas(source / "atlas_bullets.plist", std::ios::binary);
    std::stringstream atlasContents;
    atlasContents << atlas.rdbuf();
    files["assets/plist/atlas_bullets.plist"] = atlasContents.str();
    return files;
}

// One package for the whole run, mounted before the first test.
class PackageEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        folder = new testfiles::TempDir();
        testfiles::useNullAudioOutput(*folder);
        std::map<std::string, std::string> files = testFiles();
        files["assets/audio/self.caf"] = testfiles::tinyCaf();
        files["assets/audio/prize_pickup.caf"] = testfiles::tinyCaf();
        testfiles::makeZipPackage(folder->file("shot.oap"), files);
        CXSoundManager::instance().setBasePath("assets/audio/");
        printedBy([&] { ASSERT_TRUE(mountAssetPackage(folder->file("shot.oap"))); });
    }
    void TearDown() override {
        unmountAssetPackage();
        delete folder;
    }

  private:
    testfiles::TempDir* folder = nullptr;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new PackageEnvironment);

}  // namespace
}  // namespace shottest
