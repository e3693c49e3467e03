#include "tests/fx/FxTestSupport.h"

#include <cmath>
#include <sstream>

#include "data/AssetPackage.h"
#include "fx/FxMath.h"
#include "tests/support/TestFiles.h"

namespace fxtest {

namespace {
const char* const kIntegerKeys[] = {"maxNumParticles", "atlasFrame", "numAtlasFrames"};

bool isIntegerKey(const std::string& key) {
    for (const char* name : kIntegerKeys) {
        if (key == name) {
            return true;
        }
    }
    return false;
}

// The property list text of `keys` (booleans added by name).
std::string particleList(const Keys& keys, const std::map<std::string, bool>& flags = {}) {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>\n";
    for (const auto& [key, value] : keys) {
        out << "<key>" << key << "</key>";
        if (isIntegerKey(key)) {
            out << "<integer>" << static_cast<long long>(value) << "</integer>\n";
        } else if (std::isnan(value)) {
            out << "<real>nan</real>\n";
        } else {
            out << "<real>" << value << "</real>\n";
        }
    }
    for (const auto& [key, value] : flags) {
        out << "<key>" << key << "</key>" << (value ? "<true/>" : "<false/>") << "\n";
    }
    out << "</dict></plist>\n";
    return out.str();
}

}  // namespace

Keys steadyKeys() {
    return {{"spawnRate", 100}, {"maxNumParticles", 200}, {"minTtl", 10000},  {"maxTtl", 10000},
            {"startAlpha", 1},  {"midAlpha", 1},          {"endAlpha", 1},    {"alphaMidTime", 0.5},
            {"startColorR", 1}, {"startColorG", 1},       {"startColorB", 1}, {"endColorR", 1},
            {"endColorG", 1},   {"endColorB", 1},         {"startSizeX", 2},  {"startSizeY", 2},
            {"endSizeX", 2},    {"endSizeY", 2},          {"rotateStart", 1}};
}

ParticleDefinition definitionOf(const Keys& keys, const std::map<std::string, bool>& flags) {
    Plist::Dictionary dict;
    const std::string text = particleList(keys, flags);
    Plist::parse(text.data(), static_cast<int64_t>(text.size()), dict);
    ParticleDefinition definition;
    EXPECT_EQ(readParticleDefinition(dict, definition), nullptr);
    return definition;
}

void FxTest::SetUp() {
    setGLDevice(&device);
    fxmath::seedRandom(1);
}

void FxTest::TearDown() {
    setGLDevice(nullptr);
}

namespace {

Keys withKey(Keys keys, const std::string& key, double value) {
    keys[key] = value;
    return keys;
}

// The package of the effect tests: good and bad effects and a 4 x 4 atlas.
class PackageEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        folder = new testfiles::TempDir();
        const std::string dir = "assets/plist/particles/";
        const Keys steady = steadyKeys();
        std::map<std::string, std::string> files = {
            {dir + "t_steady.plist", particleList(steady)},
            // A name longer than a short string holds, as the stage's are.
            {dir + "t_steady_with_a_long_name.plist", particleList(withKey(steady, "maxTtl", 200))},
            {dir + "t_big_ring.plist",
             particleList(withKey(withKey(steady, "maxNumParticles", 1000), "spawnRate", 100000))},
            {dir + "t_nan_velocity.plist", particleList(withKey(steady, "velocityY", std::nan("")))},
            {dir + "t_nan_end_z.plist", particleList(withKey(steady, "endValVarZ", std::nan("")))},
            {dir + "t_zero_life.plist", particleList(withKey(withKey(steady, "minTtl", 0), "maxTtl", 0))},
            {dir + "t_negative_life.plist", particleList(withKey(steady, "minTtl", -50))},
            {dir + "t_zero_size.plist",
             particleList(withKey(withKey(steady, "startSizeY", 0), "endSizeY", 0))},
            {dir + "t_negative_size.plist", particleList(withKey(steady, "endSizeX", -3))},
            {"assets/plist/t_atlas.plist",
             "<plist version=\"1.0\"><dict><key>textureFileName</key><string>none.png</string>"
             "<key>numColumns</key><integer>4</integer><key>numRows</key><integer>4</integer></dict></"
             "plist>"},
        };
        testfiles::makeZipPackage(folder->file("fx.oap"), files);
        printedBy([&] { ASSERT_TRUE(mountAssetPackage(folder->file("fx.oap"))); });
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
}  // namespace fxtest
