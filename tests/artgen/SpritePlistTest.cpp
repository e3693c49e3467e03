// The sprite property lists that show the generated art, read with the game's own reader:
// each names a texture the generator draws and a grid that cuts it evenly, and every
// generated texture is shown by some property list.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

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
        SpriteList list{entry.path().string(), {}};
        bool ok = false;
        Plist::loadFile(list.path, list.keys, ok);
        EXPECT_TRUE(ok) << list.path;
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
        const TextureSpec* spec = findTexture(fileName);
        if (spec == nullptr) {
            continue;  // art from elsewhere
        }
        ++checked;
        int columns = 0;
        int rows = 0;
        int frames = 0;
        int speed = -1;
        ASSERT_TRUE(Plist::getInt(list.keys, "numColumns", columns)) << list.path;
        ASSERT_TRUE(Plist::getInt(list.keys, "numRows", rows)) << list.path;
        ASSERT_TRUE(Plist::getInt(list.keys, "numFrames", frames)) << list.path;
        ASSERT_TRUE(Plist::getInt(list.keys, "animSpeed", speed)) << list.path;
        ASSERT_GT(columns, 0) << list.path;
        ASSERT_GT(rows, 0) << list.path;
        EXPECT_EQ(spec->width % columns, 0) << list.path << ": " << spec->width << " pixels in " << columns << " columns";
        EXPECT_EQ(spec->height % rows, 0) << list.path << ": " << spec->height << " pixels in " << rows << " rows";
        int startFrame = 0;
        Plist::getInt(list.keys, "start frame", startFrame);
        EXPECT_GE(frames, 1) << list.path;
        EXPECT_LE(startFrame + frames, columns * rows) << list.path << ": frames beyond the grid";
        EXPECT_GE(speed, 0) << list.path;
        if (frames > 1) {
            EXPECT_GT(speed, 0) << list.path << ": an animation needs a frame time";
        }
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
    for (const TextureSpec& spec : textureTable()) {
        EXPECT_EQ(named.count(spec.fileName), 1u) << spec.fileName << " is drawn but no property list shows it";
    }
}

}  // namespace
}  // namespace artgen
