// Every texture the generator draws: its file name under assets/texture/, its size and the
// painter that draws it, or the SVG file it is drawn from. A new texture is one more row in the
// table, and a painter or an SVG file under tools/artgen/svg/.
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
    // An SVG file drawn onto the whole texture before the painter runs (the painter may be null).
    const char* svg = nullptr;
};

const std::vector<TextureEntry>& textureTable();

// The entry with this file name, or null.
const TextureEntry* findTexture(const std::string& fileName);

// Draws the entry's SVG, then runs its painter, on a fresh canvas of the entry's size.
Canvas paintTexture(const TextureEntry& entry);

}  // namespace artgen
