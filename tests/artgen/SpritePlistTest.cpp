// The sprite property lists that show the generated art, read with the game's own reader:
// each names a texture the generator draws and a grid that cuts it evenly, and every
// generated texture is shown by some property list.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "data/Plist.h"
#include "textures/TextureTable.h"

namespace artgen {
namespace {

struct SpriteList {
    std::string path;
    Plist::Dictionary keys;
};

std::vector<SpriteList> propertyListsNamingTextures() {
    std::vector<SpriteList> lists;
    for (const auto& entry : std::filesystem::directory_iterator(ORVALE_PLIST_SOURCE_DIR)) {
        if (entry.path().extension() != ".plist") {
            continue;
        }
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<char> contents((std::istreambuf_iterator<char>(file)),
                                         std::istreambuf_iterator<char>());
        Plist::Value root;
        Plist::parseValue(contents.data(), static_cast<int64_t>(contents.size()), root);
        if (root.type() != typeid(Plist::Dictionary)) {
            continue;  // level lists and other arrays
        }
        SpriteList list{entry.path().string(), boost::any_cast<Plist::Dictionary>(root)};
        if (list.keys.count("textureFileName") != 0) {
            lists.push_back(std::move(list));
        }
    }
    return lists;
}

TEST(SpritePlists, GeneratedArtIsCutIntoWholeCellsWithPlayableFrames) {
    int checked = 0;
    for (const SpriteList& list : propertyListsNamingTextures()) {
        std::string fileName;
        ASSERT_TRUE(Plist::getString(list.keys, "textureFileName", fileName)) << list.path;
        const TextureEntry* entry = findTexture(fileName);
        if (entry == nullptr) {
            continue;  // art from elsewhere
        }
        ++checked;
        int columns = 0;
        int rows = 0;
        int frames = 0;
        int speed = -1;
        ASSERT_TRUE(Plist::getInt(list.keys, "numColumns", columns)) << list.path;
        ASSERT_TRUE(Plist::getInt(list.keys, "numRows", rows)) << list.path;
        ASSERT_GT(columns, 0) << list.path;
        ASSERT_GT(rows, 0) << list.path;
        EXPECT_EQ(entry->width % columns, 0)
            << list.path << ": " << entry->width << " pixels in " << columns << " columns";
        EXPECT_EQ(entry->height % rows, 0)
            << list.path << ": " << entry->height << " pixels in " << rows << " rows";
        // An atlas description names only the grid; a sprite list also its frames.
        if (!Plist::getInt(list.keys, "numFrames", frames)) {
            continue;
        }
        ASSERT_TRUE(Plist::getInt(list.keys, "animSpeed", speed)) << list.path;
        int startFrame = 0;
        Plist::getInt(list.keys, "start frame", startFrame);
        EXPECT_GE(frames, 1) << list.path;
        EXPECT_LE(startFrame + frames, columns * rows) << list.path << ": frames beyond the grid";
        // Several frames without a frame time are stills the code picks from (a button's
        // disabled, normal and pressed looks, the rank badges); with one, an animation.
        EXPECT_GE(speed, 0) << list.path;
    }
    EXPECT_GT(checked, 0);
}

TEST(SpritePlists, EveryGeneratedTextureIsShownBySomePropertyList) {
    std::set<std::string> named;
    for (const SpriteList& list : propertyListsNamingTextures()) {
        std::string fileName;
        Plist::getString(list.keys, "textureFileName", fileName);
        named.insert(fileName);
    }
    for (const TextureEntry& entry : textureTable()) {
        EXPECT_EQ(named.count(entry.fileName), 1u)
            << entry.fileName << " is drawn but no property list shows it";
    }
}

}  // namespace
}  // namespace artgen
