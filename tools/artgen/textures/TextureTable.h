// Every texture the generator draws: its file name under assets/texture/, its size and the
// painter that draws it. A new texture is one more painter and one more row in the table.
#pragma once

#include <string>
#include <vector>

#include "raster/Canvas.h"
#include "raster/Random.h"

namespace artgen {

// Draws a texture into a transparent canvas of the table's size. `random` is seeded from the
// file name: the same texture comes out the same on every run.
using Painter = void (*)(Canvas& canvas, Random& random);

struct TextureEntry {
    const char* fileName;
    int width;
    int height;
    Painter paint;
};

const std::vector<TextureEntry>& textureTable();

// The entry with this file name, or null.
const TextureEntry* findTexture(const std::string& fileName);

// Runs the painter on a fresh canvas of the entry's size.
Canvas paintTexture(const TextureEntry& entry);

}  // namespace artgen
