// The fourth stage's own atlases and hulls as the game samples them: each craft and bullet holds
// art in the cell its list names and keeps a clear margin inside it (the two wide craft round
// their 2 x 1 blocks), and each boss hull shows in every damage state it steps to.

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

struct Image {
    int width = 0;
    std::vector<uint8_t> rgba;
    uint8_t alpha(int x, int y) const {
        return rgba[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4 + 3];
    }
};

Image imageOf(const std::string& fileName) {
    const TextureEntry* entry = findTexture(fileName);
    if (entry == nullptr) {
        throw std::invalid_argument("no texture " + fileName);
    }
    return Image{entry->width, toRgba8(paintTexture(*entry))};
}

int opaquePixels(const Image& image, const PixelRect& area) {
    int count = 0;
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            count += image.alpha(x, y) >= 128 ? 1 : 0;
        }
    }
    return count;
}

// True when any pixel within `margin` of the area's edge has alpha.
bool touchesEdge(const Image& image, const PixelRect& area, int margin) {
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

TEST(StageFourArt, EveryCraftFillsItsCellsAndKeepsClearOfTheirEdges) {
    const AtlasGrid grid = enemyAtlasGrid();
    const Image atlas = imageOf("enemies_4.png");
    const int first = enemy_frame::kLateStageFirst;
    // The escort carrier and the broadside cruiser, whole and damaged, span two cells each.
    const std::vector<int> wide = {first + 10, first + 12, first + 14, first + 16};
    for (int frame = first; frame <= first + 18; ++frame) {
        const bool leftHalf = std::find(wide.begin(), wide.end(), frame) != wide.end();
        const bool rightHalf = std::find(wide.begin(), wide.end(), frame - 1) != wide.end();
        if (rightHalf) {
            continue;
        }
        PixelRect area = grid.frame(frame);
        if (leftHalf) {
            area.width *= 2;
        }
        EXPECT_GT(opaquePixels(atlas, area), leftHalf ? 12000 : 1500) << "enemies_4.png frame " << frame;
        EXPECT_FALSE(touchesEdge(atlas, area, 2)) << "enemies_4.png frame " << frame << " reaches its edge";
    }
}

TEST(StageFourArt, EveryBulletOfTheFamilyHoldsArtInsideItsCell) {
    const AtlasGrid grid = bulletAtlasGrid();
    const Image atlas = imageOf("bullets_4.png");
    for (int frame = bullet_frame::kLateFamilyFirst; frame < bullet_frame::kLateFamilyFirst + 22; ++frame) {
        EXPECT_GT(opaquePixels(atlas, grid.frame(frame)), 60) << "bullets_4.png frame " << frame;
        EXPECT_FALSE(touchesEdge(atlas, grid.frame(frame), 1)) << "bullets_4.png frame " << frame;
    }
}

TEST(StageFourArt, EachBossHullShowsInEveryDamageState) {
    for (const char* hull : {"boss_bastion.png", "boss_sovereign.png"}) {
        const Image row = imageOf(hull);
        const AtlasGrid frames(1024, 256, 4, 1);
        for (int state = 0; state < 4; ++state) {
            EXPECT_GT(opaquePixels(row, frames.frame(state)), 20000) << hull << " state " << state;
            EXPECT_FALSE(touchesEdge(row, frames.frame(state), 2)) << hull << " state " << state;
        }
    }
}

}  // namespace
}  // namespace artgen
