// Drawing shapes into a canvas with anti-aliased edges.
//
// Coverage of a pixel is taken from the shape's signed distance at the pixel centre: a pixel
// whose centre lies on the edge is half covered, and the edge is about one pixel soft.
#pragma once

#include <functional>

#include "raster/Canvas.h"
#include "raster/Paint.h"
#include "raster/Shapes.h"

namespace artgen {

// Fills the inside of the shape.
void fill(Canvas& canvas, const Shape& shape, const Paint& paint, Blend mode = Blend::Over,
          float opacity = 1.0f);

// Draws the shape's edge as a band of `width` pixels centred on it.
void stroke(Canvas& canvas, const Shape& shape, float width, const Paint& paint, Blend mode = Blend::Over);

// Light spilling out of a shape: full strength inside, falling off to nothing at `radius`
// pixels outside the edge (bright near the edge, with a long soft tail).
void glow(Canvas& canvas, const Shape& shape, Colour colour, float radius, float strength = 1.0f,
          Blend mode = Blend::Add);

// The glow's falloff at `distance` outside an edge, for a glow of `radius`: 1 at the edge,
// 0 from `radius` on.
float glowFalloff(float distance, float radius);

// Calls `colourAt(pixel centre)` for every pixel in `area` (clipped to the canvas) and blends
// the result: for fields such as nebulae and vignettes.
void shade(Canvas& canvas, const Rect& area, const std::function<Colour(Vec2)>& colourAt,
           Blend mode = Blend::Over);
void shade(Canvas& canvas, const std::function<Colour(Vec2)>& colourAt, Blend mode = Blend::Over);
// As shade over the whole canvas, with the rows shared out among the processor's cores, for
// heavy fields. `colourAt` is called from several threads at once: it must only read.
void shadeInParallel(Canvas& canvas, const std::function<Colour(Vec2)>& colourAt, Blend mode = Blend::Over);

}  // namespace artgen
