// The hidden fifth stage's own art as the engine cuts it: every cell of its craft holds art clear
// of its neighbours, the blink stalker's phasing frame is the same creature half gone, and every
// damage state of its two bosses shows the hull, each more broken than the last.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "raster/AtlasGrid.h"
#include "raster/PngExport.h"
#include "textures/GameplayAtlases.h"
#include "textures/TextureTable.h"

namespace artgen {
namespace {

struct Image {
    int width = 0;
    std::vector<uint8_t> rgba;
    int alpha(int x, int y) const {
        return rgba[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4 + 3];
    }
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

constexpr int kFirst = enemy_frame::kLateStageFirst;
constexpr int kRay = kFirst + 8;          // the horizon ray, 2 x 1 cells
constexpr int kRayDamaged = kFirst + 10;  // and damaged, 2 x 1 cells
constexpr int kStalker = kFirst + 3;
constexpr int kStalkerPhasing = kFirst + 4;
constexpr int kLastCell = kFirst + 14;  // the blink marker

TEST(HiddenStageCraft, EveryCellHoldsArtClearOfItsNeighbours) {
    const Image atlas = paint("enemies_5_true.png");
    const AtlasGrid grid = enemyAtlasGrid();
    for (int frame = kFirst; frame <= kLastCell; ++frame) {
        if (frame >= kRay && frame < kRayDamaged + 2) {
            continue;  // the wide pieces, below
        }
        EXPECT_GT(opaquePixels(atlas, grid.frame(frame)), 20) << "cell " << frame << " is empty";
        EXPECT_TRUE(marginClear(atlas, grid.frame(frame), 2)) << "cell " << frame << " reaches its edge";
    }
    for (int frame : {kRay, kRayDamaged}) {
        PixelRect block = grid.frame(frame);
        block.width *= 2;
        EXPECT_GT(opaquePixels(atlas, block), 6000)
            << "the horizon ray at " << frame << " should span its block";
        EXPECT_TRUE(marginClear(atlas, block, 2))
            << "the horizon ray at " << frame << " reaches its block's edge";
    }

    // Phasing: a good part of the stalker is gone, much of it is still there, and nothing shows
    // where the solid stalker has no pixel.
    const PixelRect solid = grid.frame(kStalker);
    const PixelRect phasing = grid.frame(kStalkerPhasing);
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

TEST(HiddenStageBosses, EveryDamageStateShowsTheHullMoreBrokenThanTheLast) {
    for (const char* hull : {"boss_herald.png", "boss_vortalis.png"}) {
        const Image row = paint(hull);
        const AtlasGrid grid(1024, 256, 4, 1);
        for (int state = 0; state < 4; ++state) {
            const PixelRect cell = grid.frame(state);
            EXPECT_GT(opaquePixels(row, cell), 10000) << hull << " state " << state << " is missing";
            EXPECT_TRUE(marginClear(row, cell, 2)) << hull << " state " << state << " reaches its edge";
            if (state == 0) {
                continue;
            }
            const PixelRect before = grid.frame(state - 1);
            int changed = 0;
            for (size_t i = 0; i < static_cast<size_t>(cell.width * cell.height); ++i) {
                const int x = static_cast<int>(i) % cell.width;
                const int y = static_cast<int>(i) / cell.width;
                const auto at = [&](const PixelRect& r) {
                    return &row.rgba[(static_cast<size_t>(r.top + y) * 1024 +
                                      static_cast<size_t>(r.left + x)) *
                                     4];
                };
                for (int c = 0; c < 4; ++c) {
                    if (std::abs(at(cell)[c] - at(before)[c]) > 40) {
                        ++changed;
                        break;
                    }
                }
            }
            EXPECT_GT(changed, 400) << hull << " state " << state << " looks the same as the one before";
        }
    }
    const Image blade = paint("boss_vortalis_blade.png");
    EXPECT_GT(opaquePixels(blade, PixelRect{0, 0, 256, 256}), 3000) << "the blade module is empty";
}

}  // namespace
}  // namespace artgen
