// Turning a canvas into the bytes of a PNG file.
//
// The files hold straight (not premultiplied) 8-bit RGBA: the engine premultiplies when it
// loads a texture. Fully transparent pixels are written as (0, 0, 0, 0).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "raster/Canvas.h"

namespace artgen {

// Row by row from the top, 4 bytes per pixel (R, G, B, A).
std::vector<uint8_t> toRgba8(const Canvas& canvas);

// The PNG file's bytes; throws std::runtime_error with the encoder's message on failure.
std::vector<uint8_t> encodePng(const Canvas& canvas);

}  // namespace artgen
