// The grid of equal cells that an atlas image is cut into, laid out the way the engine reads
// it: cells counted from the top-left, frame f at column f mod columns, row f / columns, and
// every cell exactly imageWidth / columns by imageHeight / rows pixels.
#pragma once

#include <functional>

#include "raster/Canvas.h"

namespace artgen {

// Pixel area: left and top edges inclusive, width and height in pixels.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect& other) const {
        return left == other.left && top == other.top && width == other.width && height == other.height;
    }
};

class AtlasGrid {
  public:
    // Throws std::invalid_argument unless the counts are positive and divide the image
    // size exactly (the engine's integer division would otherwise drift off the art).
    AtlasGrid(int imageWidth, int imageHeight, int columns, int rows);
    static AtlasGrid withCellSize(int cellWidth, int cellHeight, int columns, int rows) {
        return AtlasGrid(cellWidth * columns, cellHeight * rows, columns, rows);
    }

    int imageWidth() const { return imageWidth_; }
    int imageHeight() const { return imageHeight_; }
    int columns() const { return columns_; }
    int rows() const { return rows_; }
    int cellWidth() const { return imageWidth_ / columns_; }
    int cellHeight() const { return imageHeight_ / rows_; }
    int cellCount() const { return columns_ * rows_; }

    // Throws std::out_of_range for a cell outside the grid.
    PixelRect cell(int column, int row) const;
    PixelRect frame(int frameNumber) const;

    // Copies one cell's art (a canvas of exactly the cell size) into its place in the atlas.
    void place(Canvas& atlas, const Canvas& cellArt, int column, int row) const;

    // Paints frames 0 to frameCount - 1 each on its own transparent cell-sized canvas and
    // places them, so no cell can spill into its neighbours.
    void paintFrames(Canvas& atlas, int frameCount,
                     const std::function<void(Canvas& cell, int frame)>& painter) const;
    // The same for frames firstFrame to firstFrame + frameCount - 1; the painter is given the
    // frame's place in that run (0 for firstFrame), so a family of frames can move as a block.
    void paintFrames(Canvas& atlas, int firstFrame, int frameCount,
                     const std::function<void(Canvas& cell, int index)>& painter) const;

  private:
    void checkAtlas(const Canvas& atlas) const;

    int imageWidth_;
    int imageHeight_;
    int columns_;
    int rows_;
};

}  // namespace artgen
