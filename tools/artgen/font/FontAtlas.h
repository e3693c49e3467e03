// The game's text font as a texture: the house stroke font lettered into a grid of glyph
// cells, the way the engine's text boxes read it.
//
//   font_novo_white.png   1024 x 1024, 16 x 16 cells of 64 x 64: the glyph of Latin-1 code c in
//                         column c mod 16, row c / 16 (codes 33 to 122 and 160 to 255). White
//                         strokes with a soft white glow, for the engine to tint. Cells 128 to
//                         131, whose control codes are never shown, hold the controller's
//                         button shapes (kFontShapeCells). Cell 0 and the other cells of codes
//                         the engine never shows (123 to 159) stay empty.
//
// Every glyph keeps the cell's full advance (the game lays text out monospaced) and sits on
// one baseline: in cell heights from the cell's bottom, the baseline at 0.2, capitals and
// ascenders to 0.88, lower case to 0.62, descenders down to 0.04.
#pragma once

#include "raster/Shapes.h"

namespace artgen {

constexpr int kFontCellSize = 64;      // pixels
constexpr float kFontBaseline = 0.2f;  // cell heights above the cell's bottom, ink
constexpr float kFontCapTop = 0.88f;   // cell heights, ink
constexpr float kFontDescent = 0.04f;  // cell heights, ink

// The cells of the button shapes the engine draws for U+2715 (a cross), U+25CB (a circle),
// U+25A1 (a square) and U+25B3 (a triangle), in that order: as tall as the capitals, on their
// baseline.
constexpr int kFontShapeCells[4] = {128, 129, 130, 131};

// Whether the texture holds a glyph in cell `code`: a Latin-1 letter or sign, or a shape.
bool fontCellDrawn(int code);
// The strokes of code `code`'s glyph in a 64-pixel cell (pixels, y down from the cell's top),
// centred across the cell; empty where the cell stays blank.
Strokes fontCellStrokes(int code);

}  // namespace artgen
