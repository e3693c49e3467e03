// The pieces the game's art is built from, in the house style: dark space, luminous cyan and
// magenta light, clean round-ended strokes.
#pragma once

#include "font/StrokeFont.h"
#include "raster/Canvas.h"
#include "raster/Paint.h"
#include "raster/Random.h"
#include "raster/Shapes.h"

namespace artgen {

// A lit tube: a wide faint halo, a tight bright glow, the body and a hot core line.
struct NeonStyle {
    Colour glow = palette::cyan;
    float haloRadius = 28.0f;  // pixels
    float haloStrength = 0.35f;
    float glowRadius = 8.0f;
    float glowStrength = 0.75f;
    Paint body = palette::ice;
    Colour core = palette::white;
    float coreInset = 0.0f;  // how far inside the edge the core starts; 0 draws no core
};
void drawNeon(Canvas& canvas, const Shape& shape, const NeonStyle& style);

// A four-pointed glint: two crossed tapering rays and a bright centre.
void drawSparkle(Canvas& canvas, Vec2 centre, float size, Colour colour, float degrees = 0.0f);

// A horizontal lens streak: a hairline of light that fades towards both ends.
void drawStreak(Canvas& canvas, Vec2 centre, float halfLength, float thickness, Colour colour,
                float strength = 1.0f);

// Specks of light scattered about the ellipse of radii (radiusX, radiusY) around `centre`.
void scatterDust(Canvas& canvas, Random& random, Vec2 centre, float radiusX, float radiusY, int count,
                 Colour colour);

// Fades the outermost `margin` pixels to transparent, so no glow is cut off hard at the
// image's edge.
void fadeBorders(Canvas& canvas, float margin);

// The title wordmark "VORTALIS", centred on `centre` with capitals `capHeight` pixels tall.
void drawWordmark(Canvas& canvas, Vec2 centre, float capHeight);
TextStyle wordmarkStyle(float capHeight);

// The big magenta "2" of the title, centred on `centre`, `capHeight` pixels tall.
void drawTitleTwo(Canvas& canvas, Vec2 centre, float capHeight);
Strokes titleTwoShape(Vec2 centre, float capHeight);
float titleTwoWidth(float capHeight);

// The tilted orbit ring around the "2". `front` draws the near half, otherwise the far half:
// draw the far half before the "2" and the near half after it.
void drawOrbit(Canvas& canvas, Vec2 centre, float radiusX, float radiusY, float degrees, float width,
               bool front);

// Calls `draw(position)` once, and again one texture size away wherever a shape of `reach`
// crosses an edge, so a repeating texture shows it whole across the seam.
template <typename Draw>
void drawWrapped(const Canvas& canvas, Vec2 at, float reach, Draw draw) {
    const auto width = static_cast<float>(canvas.width());
    const auto height = static_cast<float>(canvas.height());
    for (float dy : {-height, 0.0f, height}) {
        for (float dx : {-width, 0.0f, width}) {
            const Vec2 copy = at + Vec2{dx, dy};
            if (copy.x + reach >= 0.0f && copy.x - reach <= width && copy.y + reach >= 0.0f &&
                copy.y - reach <= height) {
                draw(copy);
            }
        }
    }
}

}  // namespace artgen
