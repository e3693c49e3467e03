// The last three stages' own atlases and boss hulls: every craft cell and bullet frame a stage's
// lists name holds art clear of its neighbours, a craft two cells wide spans its block, and
// every damage state of a hull shows it, more broken than the last.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
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
    const uint8_t* at(int x, int y) const {
        return &rgba[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4];
    }
    int alpha(int x, int y) const { return at(x, y)[3]; }
};

Image paint(const std::string& fileName) {
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

// No pixel within `margin` of the area's edge has any alpha.
bool marginClear(const Image& image, const PixelRect& area, int margin) {
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            const int edge = std::min({x - area.left, y - area.top, area.left + area.width - 1 - x,
                                       area.top + area.height - 1 - y});
            if (edge < margin && image.alpha(x, y) != 0) {
                return false;
            }
        }
    }
    return true;
}

// What one stage draws: its craft cells (counted from the first of its block, two-cell pieces
// named by their left cell), its bullet frames and its boss hulls.
struct LateStage {
    const char* enemies;
    const char* bullets;
    int craftCells;
    std::vector<int> wide;
    int bulletFrames;
    std::vector<const char*> hulls;
};

const std::vector<LateStage>& lateStages() {
    static const std::vector<LateStage> stages = {
        {"enemies_4.png",
         "bullets_4.png",
         19,
         {10, 12, 14, 16},
         22,
         {"boss_bastion.png", "boss_sovereign.png"}},
        {"enemies_5.png", "bullets_5.png", 18, {11, 14}, 22, {"boss_lattice.png", "boss_citadel.png"}},
        {"enemies_5_true.png",
         "bullets_5_true.png",
         15,
         {8, 10},
         22,
         {"boss_herald.png", "boss_vortalis.png"}},
    };
    return stages;
}

TEST(LateStageArt, EveryCraftHoldsArtClearOfItsNeighboursAndWideOnesSpanTheirBlock) {
    const AtlasGrid grid = enemyAtlasGrid();
    for (const LateStage& stage : lateStages()) {
        const Image atlas = paint(stage.enemies);
        const auto isWide = [&stage](int index) {
            return std::find(stage.wide.begin(), stage.wide.end(), index) != stage.wide.end();
        };
        for (int index = 0; index < stage.craftCells; ++index) {
            if (isWide(index - 1)) {
                continue;  // the right half of a wide piece
            }
            PixelRect area = grid.frame(enemy_frame::kLateStageFirst + index);
            area.width *= isWide(index) ? 2 : 1;
            EXPECT_GT(opaquePixels(atlas, area), isWide(index) ? 6000 : 20)
                << stage.enemies << " cell " << index;
            EXPECT_TRUE(marginClear(atlas, area, 2))
                << stage.enemies << " cell " << index << " reaches its edge";
        }
    }
}

TEST(LateStageArt, EveryBulletOfEachFamilyHoldsArtInsideItsCell) {
    const AtlasGrid grid = bulletAtlasGrid();
    for (const LateStage& stage : lateStages()) {
        const Image atlas = paint(stage.bullets);
        // The family's last two frames are its beam's body and flicker, drawn the cell's whole
        // height so the beam can be stretched.
        const int beam = bullet_frame::kLateFamilyFirst + stage.bulletFrames - 2;
        for (int frame = bullet_frame::kLateFamilyFirst; frame < beam + 2; ++frame) {
            EXPECT_GT(opaquePixels(atlas, grid.frame(frame)), 40) << stage.bullets << " frame " << frame;
            if (frame < beam) {
                EXPECT_TRUE(marginClear(atlas, grid.frame(frame), 1)) << stage.bullets << " frame " << frame;
            }
        }
    }
}

// The engine steps a hull's frame as the boss's damage phases begin: each state shows the hull,
// and each differs plainly from the one before.
TEST(LateStageArt, EveryDamageStateShowsTheHullMoreBrokenThanTheLast) {
    const AtlasGrid states(1024, 256, 4, 1);
    for (const LateStage& stage : lateStages()) {
        for (const char* hull : stage.hulls) {
            const Image row = paint(hull);
            for (int state = 0; state < 4; ++state) {
                const PixelRect cell = states.frame(state);
                EXPECT_GT(opaquePixels(row, cell), 10000) << hull << " state " << state << " is missing";
                EXPECT_TRUE(marginClear(row, cell, 2)) << hull << " state " << state << " reaches its edge";
                if (state == 0) {
                    continue;
                }
                const PixelRect before = states.frame(state - 1);
                int changed = 0;
                for (int y = 0; y < cell.height; ++y) {
                    for (int x = 0; x < cell.width; ++x) {
                        const uint8_t* now = row.at(cell.left + x, cell.top + y);
                        const uint8_t* then = row.at(before.left + x, before.top + y);
                        bool differs = false;
                        for (int channel = 0; channel < 4; ++channel) {
                            differs = differs || std::abs(now[channel] - then[channel]) > 40;
                        }
                        changed += differs ? 1 : 0;
                    }
                }
                EXPECT_GT(changed, 400) << hull << " state " << state << " looks the same as the one before";
            }
        }
    }
}

// The blink stalker's phasing frame is the same creature half gone: a good part of it missing,
// much of it still there, and nothing where the solid stalker has no pixel.
TEST(LateStageArt, ThePhasingStalkerIsTheSolidOneHalfGone) {
    const Image atlas = paint("enemies_5_true.png");
    const AtlasGrid grid = enemyAtlasGrid();
    const PixelRect solid = grid.frame(enemy_frame::kLateStageFirst + 3);
    const PixelRect phasing = grid.frame(enemy_frame::kLateStageFirst + 4);
    const int whole = opaquePixels(atlas, solid);
    const int left = opaquePixels(atlas, phasing);
    EXPECT_LT(left, whole * 85 / 100);
    EXPECT_GT(left, whole * 20 / 100);
    for (int y = 0; y < solid.height; ++y) {
        for (int x = 0; x < solid.width; ++x) {
            if (atlas.alpha(solid.left + x, solid.top + y) == 0) {
                ASSERT_EQ(atlas.alpha(phasing.left + x, phasing.top + y), 0)
                    << "the phasing stalker shows outside its shape at (" << x << ", " << y << ")";
            }
        }
    }
}

}  // namespace
}  // namespace artgen
