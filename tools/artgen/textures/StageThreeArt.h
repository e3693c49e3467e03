// Pieces the third stage's craft and its flagship share.
#pragma once

#include "raster/Canvas.h"
#include "raster/Random.h"

namespace artgen {

// A tear in an airship's envelope: a dark gash of about `size` pixels, stretched across
// `degrees`, with the ribs showing through and a smouldering edge.
void drawEnvelopeTear(Canvas& canvas, Random& random, Vec2 at, float size, float degrees);

}  // namespace artgen
