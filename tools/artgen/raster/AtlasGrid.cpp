#include "raster/AtlasGrid.h"

#include <stdexcept>
#include <string>

namespace artgen {

namespace {

std::string sizeText(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace

AtlasGrid::AtlasGrid(int imageWidth, int imageHeight, int columns, int rows)
    : imageWidth_(imageWidth), imageHeight_(imageHeight), columns_(columns), rows_(rows) {
    if (columns < 1 || rows < 1) {
        throw std::invalid_argument("an atlas needs at least 1 column and 1 row, not " +
                                    sizeText(columns, rows));
    }
    if (imageWidth < columns || imageHeight < rows || imageWidth % columns != 0 || imageHeight % rows != 0) {
        throw std::invalid_argument("an atlas of " + sizeText(imageWidth, imageHeight) +
                                    " pixels can't be cut into " + sizeText(columns, rows) + " equal cells");
    }
}

PixelRect AtlasGrid::cell(int column, int row) const {
    if (column < 0 || row < 0 || column >= columns_ || row >= rows_) {
        throw std::out_of_range("cell (" + std::to_string(column) + ", " + std::to_string(row) +
                                ") is outside the " + sizeText(columns_, rows_) + " grid");
    }
    return {column * cellWidth(), row * cellHeight(), cellWidth(), cellHeight()};
}

PixelRect AtlasGrid::frame(int frameNumber) const {
    if (frameNumber < 0 || frameNumber >= cellCount()) {
        throw std::out_of_range("frame " + std::to_string(frameNumber) + " is outside the " +
                                std::to_string(cellCount()) + "-cell grid");
    }
    return cell(frameNumber % columns_, frameNumber / columns_);
}

void AtlasGrid::checkAtlas(const Canvas& atlas) const {
    if (atlas.width() != imageWidth_ || atlas.height() != imageHeight_) {
        throw std::invalid_argument("the atlas image is " + sizeText(atlas.width(), atlas.height()) +
                                    " but the grid is for " + sizeText(imageWidth_, imageHeight_));
    }
}

void AtlasGrid::place(Canvas& atlas, const Canvas& cellArt, int column, int row) const {
    checkAtlas(atlas);
    const PixelRect area = cell(column, row);
    if (cellArt.width() != area.width || cellArt.height() != area.height) {
        throw std::invalid_argument("cell art is " + sizeText(cellArt.width(), cellArt.height()) +
                                    " but the cells are " + sizeText(area.width, area.height));
    }
    atlas.copyFrom(cellArt, area.left, area.top);
}

void AtlasGrid::paintFrames(Canvas& atlas, int frameCount,
                            const std::function<void(Canvas& cell, int frame)>& painter) const {
    paintFrames(atlas, 0, frameCount, painter);
}

void AtlasGrid::paintFrames(Canvas& atlas, int firstFrame, int frameCount,
                            const std::function<void(Canvas& cell, int index)>& painter) const {
    checkAtlas(atlas);
    if (firstFrame < 0 || frameCount < 0 || firstFrame + frameCount > cellCount()) {
        throw std::out_of_range("frames " + std::to_string(firstFrame) + " to " +
                                std::to_string(firstFrame + frameCount - 1) + " don't fit in " +
                                std::to_string(cellCount()) + " cells");
    }
    for (int i = 0; i < frameCount; ++i) {
        Canvas cellArt(cellWidth(), cellHeight());
        painter(cellArt, i);
        const int f = firstFrame + i;
        place(atlas, cellArt, f % columns_, f / columns_);
    }
}

}  // namespace artgen
