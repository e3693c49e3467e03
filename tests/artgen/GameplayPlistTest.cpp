// The property lists of the gameplay art cut their images exactly as the painters laid them
// out: the same grid, and animations that run over the painted frames.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data/Plist.h"
#include "textures/GameplayAtlases.h"

namespace artgen {
namespace {

Plist::Dictionary readPropertyList(const std::string& name) {
    std::ifstream file(std::string(ORVALE_PLIST_SOURCE_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(file.good()) << name << " is missing";
    const std::vector<char> contents((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    Plist::Value root;
    Plist::parseValue(contents.data(), static_cast<int64_t>(contents.size()), root);
    return boost::any_cast<Plist::Dictionary>(root);
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
    };
    for (const Expected& expected : lists) {
        const Plist::Dictionary keys = readPropertyList(expected.plist);
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
