// The sprite property lists that show the generated art, read with the game's own reader: each
// cuts its texture into whole cells, and the gameplay art is cut exactly as the painters laid
// it out: the same grid, and animations that run over the painted frames. (That frames lie in
// the grid and textures exist, orvale-check proves on the built package.)

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data/Plist.h"
#include "textures/GameplayAtlases.h"
#include "textures/TextureTable.h"

namespace artgen {
namespace {

struct SpriteList {
    std::string path;
    Plist::Dictionary keys;
};

// Read once for the run.
const std::vector<SpriteList>& propertyListsNamingTextures() {
    static std::vector<SpriteList> lists;
    if (!lists.empty()) {
        return lists;
    }
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

const Plist::Dictionary& listNamed(const std::string& fileName) {
    static const Plist::Dictionary none;
    for (const SpriteList& list : propertyListsNamingTextures()) {
        if (std::filesystem::path(list.path).filename() == fileName) {
            return list.keys;
        }
    }
    ADD_FAILURE() << fileName << " is missing";
    return none;
}

TEST(SpritePlists, GeneratedArtIsCutIntoWholeCells) {
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
        ASSERT_TRUE(Plist::getInt(list.keys, "numColumns", columns) && columns > 0) << list.path;
        ASSERT_TRUE(Plist::getInt(list.keys, "numRows", rows) && rows > 0) << list.path;
        EXPECT_EQ(entry->width % columns, 0)
            << list.path << ": " << entry->width << " pixels in " << columns << " columns";
        EXPECT_EQ(entry->height % rows, 0)
            << list.path << ": " << entry->height << " pixels in " << rows << " rows";
    }
    EXPECT_GT(checked, 0);
}

struct Expected {
    std::string plist;
    std::string texture;
    AtlasGrid grid;
    int frames;  // 0: not an animation (atlas descriptions)
};

TEST(GameplayPlists, CutTheirImagesOnThePaintedGridAndPlayThePaintedFrames) {
    const std::vector<Expected> lists = {
        {"atlas_enemies.plist", "enemies.png", enemyAtlasGrid(), 0},
        {"particle_atlas.plist", "particles.png", particleAtlasGrid(), 0},
        {"spr_senko_type_a.plist", "senko_type_a.png", playerShipGrid(), playerShipGrid().cellCount()},
        {"spr_senko_option.plist", "senko_option.png", optionGrid(), optionGrid().cellCount()},
        {"spr_senko_engine.plist", "senko_engine.png", engineGrid(), engineGrid().cellCount()},
        {"spr_explosion.plist", "explosion.png", explosionGrid(), explosion_frame::kBurstCount},
        {"spr_senko_marker.plist", "senko_marker.png", AtlasGrid(64, 64, 1, 1), 1},
        {"spr_mothership.plist", "mothership.png", AtlasGrid(512, 512, 1, 1), 1},
        {"spr_bomb_player_1.plist", "bomb_player_1.png", AtlasGrid(256, 256, 1, 1), 1},
        {"spr_boss_warden.plist", "boss_warden.png", AtlasGrid(1024, 256, 4, 1), 1},
        {"spr_boss_vigil.plist", "boss_vigil.png", AtlasGrid(1024, 256, 4, 1), 1},
        {"spr_boss_gantry.plist", "boss_gantry.png", AtlasGrid(1024, 256, 4, 1), 1},
        {"spr_boss_forgemother.plist", "boss_forgemother.png", AtlasGrid(1024, 256, 4, 1), 1},
    };
    for (const Expected& expected : lists) {
        const Plist::Dictionary& keys = listNamed(expected.plist);
        std::string texture;
        int columns = 0;
        int rows = 0;
        EXPECT_TRUE(Plist::getString(keys, "textureFileName", texture)) << expected.plist;
        EXPECT_TRUE(Plist::getInt(keys, "numColumns", columns)) << expected.plist;
        EXPECT_TRUE(Plist::getInt(keys, "numRows", rows)) << expected.plist;
        EXPECT_EQ(texture, expected.texture) << expected.plist;
        EXPECT_EQ(columns, expected.grid.columns()) << expected.plist;
        EXPECT_EQ(rows, expected.grid.rows()) << expected.plist;
        if (expected.frames > 0) {
            int frames = 0;
            int start = 0;
            EXPECT_TRUE(Plist::getInt(keys, "numFrames", frames)) << expected.plist;
            Plist::getInt(keys, "start frame", start);
            EXPECT_EQ(start, 0) << expected.plist;
            EXPECT_EQ(frames, expected.frames) << expected.plist;
        }
    }
}

}  // namespace
}  // namespace artgen
