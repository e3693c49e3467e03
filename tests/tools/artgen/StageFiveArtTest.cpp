// The fifth stage's atlases and hulls as the engine samples them: every craft, bullet and hull
// state the stage's lists may name shows art, and no craft reaches its cell's edge, where linear
// filtering would pull it into the neighbouring cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "raster/AtlasGrid.h"
#include "raster/PngExport.h"
#include "textures/BulletArt.h"
#include "textures/GameplayAtlases.h"
#include "textures/TextureTable.h"

namespace artgen {
namespace {

struct Painted {
    int width = 0;
    std::vector<uint8_t> rgba;

    int alpha(int x, int y) const {
        return rgba[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4 + 3];
    }
};

Painted painted(const std::string& fileName) {
    const TextureEntry* entry = findTexture(fileName);
    if (entry == nullptr) {
        ADD_FAILURE() << "no texture " << fileName;
        return {};
    }
    return {entry->width, toRgba8(paintTexture(*entry))};
}

int solidPixels(const Painted& image, const PixelRect& area) {
    int count = 0;
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            count += image.alpha(x, y) >= 128 ? 1 : 0;
        }
    }
    return count;
}

bool touchesEdge(const Painted& image, const PixelRect& area, int margin) {
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            const int edge = std::min({x - area.left, y - area.top, area.left + area.width - 1 - x,
                                       area.top + area.height - 1 - y});
            if (edge < margin && image.alpha(x, y) != 0) {
                return true;
            }
        }
    }
    return false;
}

TEST(StageFiveArt, EveryCraftShowsArtAndKeepsClearOfItsCellEdges) {
    const Painted atlas = painted("enemies_5.png");
    ASSERT_FALSE(atlas.rgba.empty());
    const AtlasGrid grid = enemyAtlasGrid();
    const int first = enemy_frame::kLateStageFirst;
    // The lattice walker spans two cells side by side, whole (11) and damaged (14).
    for (int index : {11, 14}) {
        PixelRect block = grid.frame(first + index);
        block.width *= 2;
        EXPECT_GT(solidPixels(atlas, block), 6000) << "walker " << index << " is missing";
        EXPECT_FALSE(touchesEdge(atlas, block, 2)) << "walker " << index << " reaches its block's edge";
    }
    for (int index = 0; index < enemy_frame::kLateStageCount; ++index) {
        if (index == 11 || index == 12 || index == 14 || index == 15) {
            continue;
        }
        const PixelRect cell = grid.frame(first + index);
        if (index <= 17) {
            EXPECT_GT(solidPixels(atlas, cell), 200) << "craft cell " << first + index << " is empty";
        }
        EXPECT_FALSE(touchesEdge(atlas, cell, 2)) << "craft cell " << first + index << " reaches its edge";
    }
}

TEST(StageFiveArt, EveryBulletOfTheFamilyAndEveryHullStateShowsArt) {
    const Painted bullets = painted("bullets_5.png");
    ASSERT_FALSE(bullets.rgba.empty());
    const AtlasGrid grid = bulletAtlasGrid();
    for (int frame = bullet_frame::kLateFamilyFirst; frame < bullet_frame::kLateFamilyFirst + 22; ++frame) {
        EXPECT_GT(solidPixels(bullets, grid.frame(frame)), 40) << "bullet frame " << frame << " is empty";
    }
    // The engine steps a hull's frame with the boss's damage phases: all four states show it.
    for (const char* hull : {"boss_lattice.png", "boss_citadel.png"}) {
        const Painted row = painted(hull);
        ASSERT_FALSE(row.rgba.empty());
        for (int state = 0; state < 4; ++state) {
            EXPECT_GT(solidPixels(row, AtlasGrid(1024, 256, 4, 1).frame(state)), 10000)
                << hull << " state " << state << " is missing";
        }
    }
}

}  // namespace
}  // namespace artgen
