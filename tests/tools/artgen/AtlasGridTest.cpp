// Atlas grids: each frame's art lands in its own cell and nowhere else, and grids the engine
// could not cut evenly are refused with a clear message.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "raster/AtlasGrid.h"
#include "raster/Draw.h"

namespace artgen {
namespace {

TEST(AtlasGrid, EachFramesArtLandsInItsOwnCellAndNowhereElse) {
    const AtlasGrid grid = AtlasGrid::withCellSize(16, 12, 3, 2);
    Canvas atlas(grid.imageWidth(), grid.imageHeight());
    const int painted = 5;  // the last cell stays empty
    grid.paintFrames(atlas, painted, [](Canvas& cell, int frame) {
        // Frame number in the red channel, and a circle far larger than the cell.
        const Colour marker{static_cast<float>(frame + 1) / 10.0f, 0.0f, 0.0f, 1.0f};
        fill(cell, Circle({8.0f, 6.0f}, 40.0f), marker);
    });
    for (int y = 0; y < atlas.height(); ++y) {
        for (int x = 0; x < atlas.width(); ++x) {
            const int frame = (y / 12) * 3 + x / 16;
            const Pixel& p = atlas.at(x, y);
            if (frame < painted) {
                ASSERT_NEAR(p.r, static_cast<float>(frame + 1) / 10.0f, 1e-5f) << "pixel " << x << ", " << y;
                ASSERT_FLOAT_EQ(p.a, 1.0f);
            } else {
                ASSERT_EQ(p.a, 0.0f) << "pixel " << x << ", " << y << " of the unpainted cell";
            }
        }
    }
}

std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "(nothing thrown)";
}

TEST(AtlasGrid, GridsThatDoNotCutEvenlyAreRefusedWithTheReason) {
    // The engine divides with integers: 1000 / 3 would leave a pixel column outside every cell.
    EXPECT_THROW(AtlasGrid(1000, 100, 3, 1), std::invalid_argument);
    EXPECT_NE(messageOf([] { AtlasGrid(1000, 100, 3, 1); }).find("1000 x 100"), std::string::npos);
    EXPECT_THROW(AtlasGrid(64, 64, 0, 1), std::invalid_argument);
}

}  // namespace
}  // namespace artgen
