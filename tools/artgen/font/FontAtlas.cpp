#include "font/FontAtlas.h"

#include <string>

#include "font/StrokeFont.h"
#include "raster/AtlasGrid.h"
#include "raster/Draw.h"
#include "raster/Filters.h"
#include "textures/Motifs.h"
#include "textures/Painters.h"

namespace artgen {

namespace {

constexpr float kCell = static_cast<float>(kFontCellSize);
// Stroke width: bold enough that a capital 8 pixels tall keeps strokes over a pixel wide.
constexpr float kStrokeWidth = 6.6f;  // pixels
// From the baseline's stroke centre to the capitals' top stroke centre.
constexpr float kCapHeight = (kFontCapTop - kFontBaseline) * kCell - kStrokeWidth;
// The baseline's stroke centre, from the cell's top.
constexpr float kBaselineY = (1.0f - kFontBaseline) * kCell - kStrokeWidth * 0.5f;
constexpr float kGlyphGlow = 5.0f;  // pixels
constexpr float kStretch = 1.28f;

// A button shape's strokes: the cross, circle, square or triangle, centred across the cell and
// standing between the capitals' baseline and top, so "X SELECT" and a shape before SELECT sit
// alike.
Strokes shapeStrokes(int shape) {
    Strokes strokes(kStrokeWidth);
    const float bottom = kBaselineY;
    const float top = kBaselineY - kCapHeight;
    const float middle = (top + bottom) * 0.5f;
    const float centre = kCell * 0.5f;
    const float half = kCapHeight * 0.5f;
    switch (shape) {
        case 0: {  // cross: two diagonals a little inside the capitals' box
            const float reach = half * 0.85f;
            strokes.addSegment({centre - reach, middle - reach}, {centre + reach, middle + reach});
            strokes.addSegment({centre + reach, middle - reach}, {centre - reach, middle + reach});
            break;
        }
        case 1:  // circle
            strokes.addArc({centre, middle}, half, 0.0f, 360.0f);
            break;
        case 2: {  // square, a little smaller than the circle so both look the same size
            const float reach = half * 0.88f;
            strokes.addPolyline({{centre - reach, middle - reach},
                                 {centre + reach, middle - reach},
                                 {centre + reach, middle + reach},
                                 {centre - reach, middle + reach}},
                                true);
            break;
        }
        default:  // triangle, point up, on the baseline
            strokes.addPolyline(
                {{centre, top}, {centre + half * 1.1f, bottom}, {centre - half * 1.1f, bottom}}, true);
            break;
    }
    return strokes;
}

int shapeOfCell(int code) {
    for (int shape = 0; shape < 4; ++shape) {
        if (kFontShapeCells[shape] == code) {
            return shape;
        }
    }
    return -1;
}

}  // namespace

bool fontCellDrawn(int code) {
    if (shapeOfCell(code) >= 0) {
        return true;
    }
    return ((code > 32 && code <= 122) || (code >= 160 && code <= 255)) &&
           StrokeFont::house().hasGlyph(static_cast<char>(code));
}

Strokes fontCellStrokes(int code) {
    if (!fontCellDrawn(code)) {
        return Strokes(kStrokeWidth);
    }
    if (shapeOfCell(code) >= 0) {
        return shapeStrokes(shapeOfCell(code));
    }
    // Wider than the lettering on the art: the cell's advance is fixed, and open counters
    // read better at the small sizes text is shown at.
    const TextStyle style{kCapHeight, kStrokeWidth / kCapHeight, 0.0f, 0.0f, kStretch};
    const Vec2 anchor{kCell * 0.5f, kBaselineY - kCapHeight * 0.5f};
    return StrokeFont::house().layout(std::string(1, static_cast<char>(code)), style, anchor, Align::Centre);
}

void paintFontNovoWhite(Canvas& canvas, Random& /*random*/) {
    const AtlasGrid grid(canvas.width(), canvas.height(), 16, 16);
    grid.paintFrames(canvas, grid.cellCount(), [](Canvas& cell, int code) {
        const Strokes strokes = fontCellStrokes(code);
        if (strokes.empty()) {
            return;
        }
        glow(cell, strokes, palette::white, kGlyphGlow * 2.0f, 0.22f);
        glow(cell, strokes, palette::white, kGlyphGlow, 0.45f);
        fill(cell, strokes, palette::white);
        fadeBorders(cell, 2.0f);
    });
}

}  // namespace artgen
