// Whole-image filters.
#pragma once

#include "raster/Canvas.h"

namespace artgen {

enum class Edges {
    Transparent,  // beyond the image is nothing: blurred art fades out at the borders
    Wrap,         // the image repeats: keeps tiling textures seamless
};

// A Gaussian-like blur with a standard deviation of about `radius` pixels (three box passes
// each way).
void blur(Canvas& canvas, float radius, Edges edges = Edges::Transparent);

// A blurred copy of the canvas added onto itself `strength` times: bloom around bright parts.
void bloom(Canvas& canvas, float radius, float strength, Edges edges = Edges::Transparent);

}  // namespace artgen
