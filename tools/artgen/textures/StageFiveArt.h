// Pieces the fifth stage's craft, its bosses and its backdrop share: cut crystal and the
// citadel's dark stone.
#pragma once

#include <vector>

#include "raster/Canvas.h"
#include "raster/Random.h"
#include "raster/Shapes.h"
#include "textures/CraftKit.h"

namespace artgen {

// The colours of a crystal: its facets turn from `shade` through `base` to `lit` as they face
// the light, and its ridges and rim catch `edge`.
struct Crystal {
    Colour shade;
    Colour base;
    Colour lit;
    Colour edge;
};
// The guardians' dark wine-violet crystal, rose at its edges.
Crystal darkCrystal();
// The bright rose crystal of cores and pylons, pale gold at its edges.
Crystal litCrystal();
// The citadel's obsidian and wine-violet stone, for plates, sockets and rings.
Metal citadelStone(float bevel);

// A cut crystal: the polygon `outline` split into facets that meet at `apex`, each lit by how
// it faces the upper left, with a dark outline and light along its ridges and rim.
void drawCrystal(Canvas& canvas, const std::vector<Vec2>& outline, Vec2 apex, const Crystal& crystal,
                 float edgeStrength);
// A seam of light: a glow of `colour` round it and a hot line along it.
void drawGlowSeam(Canvas& canvas, const Strokes& seam, Colour colour, float strength);
// A jagged crack about `size` pixels long heading `degrees` from `from`, dark with a hot amber
// thread in it, kept inside `within`.
void drawCrack(Canvas& canvas, Random& random, Vec2 from, float degrees, float size, const Shape& within);

}  // namespace artgen
