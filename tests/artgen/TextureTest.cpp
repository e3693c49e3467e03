// The textures themselves, as the game and a content author see them: the same bytes on every
// run, files that decode to the documented sizes, an opaque black backdrop, glows that fade
// out before the image's edge, a dark menu background and a tintable highlight.

#include <gtest/gtest.h>
#include <lodepng.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
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

const Decoded& decodedOf(const std::string& fileName) {
    static std::map<std::string, Decoded> images;
    auto found = images.find(fileName);
    if (found == images.end()) {
        found = images.emplace(fileName, decode(pngOf(fileName))).first;
    }
    return found->second;
}

float luminance(const unsigned char* p) {
    return (0.2126f * static_cast<float>(p[0]) + 0.7152f * static_cast<float>(p[1]) +
            0.0722f * static_cast<float>(p[2])) /
           255.0f;
}

const std::set<std::string> kOpaque = {"black_1024.png", "menu_bg_nebula.png", "stage1_nebula.png",
                                       "boss_event_vortex.png", "invert_square.png"};

TEST(TextureTable, NamesAreUniquePngFileNamesTheBuildCanFind) {
    // The build lists the outputs by scanning the table for quoted lower-case ".png" names.
    const std::regex buildPattern("[a-z0-9_]+\\.png");
    std::set<std::string> seen;
    for (const TextureEntry& entry : textureTable()) {
        EXPECT_TRUE(std::regex_match(entry.fileName, buildPattern)) << entry.fileName;
        EXPECT_TRUE(seen.insert(entry.fileName).second) << entry.fileName << " is in the table twice";
        EXPECT_NE(entry.paint, nullptr) << entry.fileName;
    }
    EXPECT_EQ(findTexture("no_such_texture.png"), nullptr);
}

TEST(Textures, AreTheSameBytesOnEveryRun) {
    for (const TextureEntry& entry : textureTable()) {
        EXPECT_TRUE(encodePng(paintTexture(entry)) == pngOf(entry.fileName))
            << entry.fileName << " changed between runs";
    }
}

TEST(Textures, BlackBackdropIsOpaqueBlackEverywhere) {
    const Decoded& image = decodedOf("black_1024.png");
    for (size_t i = 0; i < image.rgba.size(); i += 4) {
        ASSERT_EQ(image.rgba[i] + image.rgba[i + 1] + image.rgba[i + 2], 0) << "pixel " << i / 4;
        ASSERT_EQ(image.rgba[i + 3], 255) << "pixel " << i / 4;
    }
}

TEST(Textures, GlowingArtFadesOutBeforeTheImageEdge) {
    for (const TextureEntry& entry : textureTable()) {
        if (kOpaque.count(entry.fileName) != 0) {
            continue;
        }
        const Decoded& image = decodedOf(entry.fileName);
        int visible = 0;
        for (size_t i = 3; i < image.rgba.size(); i += 4) {
            visible += image.rgba[i] > 200 ? 1 : 0;
        }
        EXPECT_GT(visible, 50) << entry.fileName << " is nearly empty";
        for (unsigned x = 0; x < image.width; ++x) {
            ASSERT_EQ(image.alpha(x, 0), 0) << entry.fileName << " top edge at x " << x;
            ASSERT_EQ(image.alpha(x, image.height - 1), 0) << entry.fileName << " bottom edge at x " << x;
        }
        for (unsigned y = 0; y < image.height; ++y) {
            ASSERT_EQ(image.alpha(0, y), 0) << entry.fileName << " left edge at y " << y;
            ASSERT_EQ(image.alpha(image.width - 1, y), 0) << entry.fileName << " right edge at y " << y;
        }
    }
}

TEST(Textures, MenuNebulaIsOpaqueAndDark) {
    const Decoded& image = decodedOf("menu_bg_nebula.png");
    float sum = 0.0f;
    for (size_t i = 0; i < image.rgba.size(); i += 4) {
        ASSERT_EQ(image.rgba[i + 3], 255);
        sum += luminance(&image.rgba[i]);
    }
    const float mean = sum / static_cast<float>(image.width * image.height);
    EXPECT_LT(mean, 0.1f) << "too bright for menus on top to stay readable";
    EXPECT_GT(mean, 0.01f) << "no nebula to be seen";

    // That it repeats without a seam is checked on the package with the stage's scrolling layers.
}

TEST(Textures, SelectionHighlightIsGreyForTintingWithABrightCoreAndFadedEnds) {
    const Decoded& image = decodedOf("select_highlight.png");
    for (size_t i = 0; i < image.rgba.size(); i += 4) {
        ASSERT_EQ(image.rgba[i], image.rgba[i + 1]);
        ASSERT_EQ(image.rgba[i], image.rgba[i + 2]);
    }
    const unsigned middleX = image.width / 2;
    const unsigned middleY = image.height / 2;
    const int core = image.alpha(middleX, middleY);
    EXPECT_GT(core, 200);
    EXPECT_LT(image.alpha(middleX, middleY - 8), core / 2);
    EXPECT_LT(image.alpha(4, middleY), core / 8);
    EXPECT_LT(image.alpha(image.width - 5, middleY), core / 8);
    EXPECT_GT(image.alpha(image.width / 4, middleY), core / 3);
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
