// The textures themselves, as the game and a content author see them: the same bytes on every
// run, glows that fade out before the image's edge, and files written where the package
// expects them.

#include <gtest/gtest.h>
#include <lodepng.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>

#include "raster/PngExport.h"
#include "textures/Generator.h"
#include "textures/TextureTable.h"

namespace artgen {
namespace {

struct Decoded {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<unsigned char> rgba;

    const unsigned char* pixel(unsigned x, unsigned y) const { return &rgba[(y * width + x) * 4]; }
    int alpha(unsigned x, unsigned y) const { return pixel(x, y)[3]; }
};

Decoded decode(const std::vector<uint8_t>& png) {
    Decoded image;
    const unsigned error = lodepng::decode(image.rgba, image.width, image.height, png);
    EXPECT_EQ(error, 0u) << lodepng_error_text(error);
    return image;
}

// Painting takes most of a second for the large textures: each is painted once per run.
const std::vector<uint8_t>& pngOf(const std::string& fileName) {
    static std::map<std::string, std::vector<uint8_t>> files;
    auto found = files.find(fileName);
    if (found == files.end()) {
        const TextureEntry* entry = findTexture(fileName);
        if (entry == nullptr) {
            throw std::invalid_argument("no texture " + fileName);
        }
        found = files.emplace(fileName, encodePng(paintTexture(*entry))).first;
    }
    return found->second;
}

const std::set<std::string> kOpaque = {"menu_bg_nebula.png",    "menu_bg_dawn.png",   "stage1_nebula.png",
                                       "stage2_field.png",      "stage2_furnace.png", "stage3_sky.png",
                                       "boss_event_vortex.png", "invert_square.png",  "stage4_space.png",
                                       "stage4_lamps.png",      "stage5_cavern.png"};
// Layers whose art runs on through the top and bottom edges into the next copy; their sides
// must still be clear.
const std::set<std::string> kRepeatDownwards = {"stage2_girders.png"};
// Backdrop layers that repeat both ways: their art runs on across every edge into the next copy,
// and a haze of vapour may be faint all over.
const std::set<std::string> kRepeating = {"stage3_clouds.png", "stage3_wisps.png", "stage4_smoke.png",
                                          "stage5_pillars.png", "stage5_wall.png"};
// Backdrop layers of faint added light, dim all over by design; their edges must still be clear.
const std::set<std::string> kFaintLight = {"stage5t_spiral.png", "stage5t_spiral_tight.png",
                                           "stage5t_spiral_red.png", "stage5t_dust.png"};

TEST(Textures, AreTheSameBytesOnEveryRun) {
    for (const TextureEntry& entry : textureTable()) {
        EXPECT_TRUE(encodePng(paintTexture(entry)) == pngOf(entry.fileName))
            << entry.fileName << " changed between runs";
    }
}

TEST(Textures, GlowingArtFadesOutBeforeTheImageEdge) {
    for (const TextureEntry& entry : textureTable()) {
        if (kOpaque.count(entry.fileName) != 0) {
            continue;
        }
        const Decoded image = decode(pngOf(entry.fileName));
        const bool repeating = kRepeating.count(entry.fileName) != 0;
        const bool faint = repeating || kFaintLight.count(entry.fileName) != 0;
        int visible = 0;
        for (size_t i = 3; i < image.rgba.size(); i += 4) {
            visible += image.rgba[i] > (faint ? 24 : 200) ? 1 : 0;
        }
        EXPECT_GT(visible, 50) << entry.fileName << " is nearly empty";
        if (repeating) {
            continue;
        }
        for (unsigned x = 0; x < image.width && kRepeatDownwards.count(entry.fileName) == 0; ++x) {
            ASSERT_EQ(image.alpha(x, 0), 0) << entry.fileName << " top edge at x " << x;
            ASSERT_EQ(image.alpha(x, image.height - 1), 0) << entry.fileName << " bottom edge at x " << x;
        }
        for (unsigned y = 0; y < image.height; ++y) {
            ASSERT_EQ(image.alpha(0, y), 0) << entry.fileName << " left edge at y " << y;
            ASSERT_EQ(image.alpha(image.width - 1, y), 0) << entry.fileName << " right edge at y " << y;
        }
    }
}

TEST(Generator, WritesEachTextureAtItsPackagePath) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "artgen_generator_test";
    std::filesystem::remove_all(folder);
    const TextureEntry* entry = findTexture("select_highlight.png");
    ASSERT_NE(entry, nullptr);
    writeTextures(folder, {*entry});
    const std::filesystem::path written = folder / "assets" / "texture" / "select_highlight.png";
    ASSERT_TRUE(std::filesystem::exists(written));
    std::ifstream file(written, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    EXPECT_TRUE(bytes == pngOf("select_highlight.png"));
    std::filesystem::remove_all(folder);
}

TEST(Generator, AnUnwritableOutputFolderIsReportedByName) {
    const std::filesystem::path blocker = std::filesystem::temp_directory_path() / "artgen_not_a_folder";
    std::ofstream(blocker) << "a file where the output folder should be";
    const TextureEntry* entry = findTexture("select_highlight.png");
    ASSERT_NE(entry, nullptr);
    try {
        writeTextures(blocker, {*entry});
        ADD_FAILURE() << "writing under a file should fail";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("artgen_not_a_folder"), std::string::npos) << error.what();
    }
    std::filesystem::remove(blocker);
}

}  // namespace
}  // namespace artgen
